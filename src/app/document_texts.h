// The document windows of the frame and their texts as the project commands need them: the
// text on screen, which may differ from the file on disk.
#pragma once

#include <string>
#include <vector>

class TMainForm;
class TMDIChild;
class TSynEdit;

// Every document window of the frame, in the client area's order.
std::vector<TMDIChild*> DocumentWindows(const TMainForm& form);
// The editor's lines joined by LF.
std::string EditorText(const TSynEdit& editor);
// The name at or just before the caret (letters, digits and underscores, with a leading '.' or
// '@' of an assembly local label); empty when there is none.
std::string WordAtCaret(const TSynEdit& editor);
