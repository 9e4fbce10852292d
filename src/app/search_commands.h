// Connects the frame window's four search entries of the Edit menu to the search actions of the
// active document window.
#pragma once

#include <functional>

class TMainForm;
class TMDIChild;

// Binds EditFind1, EditFindNext1, EditFindPrevious1 and EditReplace1; each runs the matching
// action of the document window that activeDocument returns, and does nothing without one.
void BindSearchCommands(TMainForm& form, std::function<TMDIChild*()> activeDocument);
