// Taking a file's new text into an editor as one edit: only the lines between the unchanged
// start and the unchanged end are replaced, in one undo group, so one Undo brings the old text
// back; the caret and the top line stay where they were in the text that did not change.
#pragma once

class TCustomSynEdit;
class TSynEditStringList;

// Replaces the editor's text by the lines of `fresh` (with its line break style) as one undo
// step and marks the result as the saved text. Works on a read-only editor too: the file
// changed, not the user's text. Returns false when the texts were already equal (nothing was
// recorded).
bool ReloadEditorText(TCustomSynEdit& editor, const TSynEditStringList& fresh);
