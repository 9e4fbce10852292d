// Taking the session from the frame at exit and bringing it back at the next start: the
// document windows with their files, carets, top lines, bookmarks, window states, bounds,
// stacking order and which one was active.
#pragma once

#include <string>

#include "config/session_file.h"

class TFileCommands;
class TMainForm;

// Shown before the list of session files that no longer exist, one per line.
extern const char* const kSessionFilesGone;

// The document windows of the frame whose files exist, in window order. New documents never
// saved have no file and are left out.
TSession CaptureSession(TMainForm& form, TFileCommands& files);

// Opens the session's files in order and puts each window back as it was; files that no longer
// exist are skipped and named together in one message. A file that fails to load is reported
// and the next one still opens.
void RestoreSession(TMainForm& form, TFileCommands& files, const TSession& session);

// Writes the frame's session to the session file; a failure is reported and does not stop the
// caller (the program still ends).
void SaveSessionOf(TMainForm& form, TFileCommands& files, const std::string& fileName);
