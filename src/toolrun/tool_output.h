// What a build leaves in the source directory and how the commands tell a fresh file from one of
// an earlier run: file stamps, the message file rotation, the captured text in the output panel.
#pragma once

#include <cstdint>
#include <string>

#include "platform/file_stamp.h"

class IOutputPanel;

// Enough of a file's state to see whether it was written between two looks.
TFileStamp StampOf(const std::string& path);

// True when `after` is a file that did not exist or was written since `before`.
bool WrittenSince(const TFileStamp& before, const TFileStamp& after);

// Moves "output.c" of dir (ending in the separator) to "oldoutput.c" there, replacing an older
// one; a failure leaves "output.c" where it is and is not reported.
void RotateOutputFile(const std::string& dir);

// Writes `text` to `path` whole; false when that fails.
bool WriteTextFile(const std::string& path, const std::string& text);

// Keeps a template tool's captured output in the program's cache directory, not among the
// sources where a "*.c" wildcard would compile it: "output.log" there, the previous one moved to
// "oldoutput.log". Returns the log's path, or an empty text when it could not be written.
std::string WriteToolLog(const std::string& text);

// Replaces the panel's text with `text`, one line per LF (a CR before it dropped; no empty line
// for a final line break).
void ShowTextInPanel(IOutputPanel& panel, const std::string& text);
// Adds the lines of `text` to the panel's text.
void AddTextToPanel(IOutputPanel& panel, const std::string& text);
