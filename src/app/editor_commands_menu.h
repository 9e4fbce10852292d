// The Edit menu's editor entries: Undo, Redo and the ten bookmarks to set and to go to. They act
// on the active document's editor and show the keys the editor itself answers to; the keys stay
// with the editor, so a key press takes the same way as before.
#pragma once

#include <functional>

class TMainForm;
class TMDIChild;

// Adds Undo and Redo at the top of the frame's Edit menu and the "Set Bookmark" and "Go to
// Bookmark" submenus at its end; activeDocument names the window they act on (none: nothing).
void AddEditorCommands(TMainForm& form, std::function<TMDIChild*()> activeDocument);
