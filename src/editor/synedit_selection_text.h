// The selection text and insertion primitives of the editor control: the selected text, and
// the replacements of the selection or of a range through the text changer, recorded for undo,
// with the caret and selection following. The editing commands, undo and redo, drag and drop
// and find and replace all change the text through these.
#pragma once

#include <string>
#include <string_view>

#include "editor/synedit_types.h"
#include "editor/undo_item.h"

class TLineNumber;
class TSynCaretSelection;
class TSynEditStringList;
class TSynTextChanger;
class TSynViewport;
struct TSynEditorSettings;

class TSynSelectionText {
  public:
    TSynSelectionText(TSynEditorSettings& settings, TSynEditStringList& lines, TSynViewport& view,
                      TSynCaretSelection& caret, TSynTextChanger& changer);
    TSynSelectionText(const TSynSelectionText&) = delete;
    TSynSelectionText& operator=(const TSynSelectionText&) = delete;

    // The selected text in the current selection mode; lines joined with CR LF.
    std::string SelText() const;
    // Deletes the selection (in the current mode) and inserts `text` at the caret in `mode`,
    // in one paint lock and one update bracket. Records only its own side effects (spaces it
    // pads with, blanks it trims, lines it adds), so undo restores the text exactly; the caller
    // records the deletion and the insertion.
    void InsertAtSelection(TSynSelectionMode mode, std::string_view text);
    // Replaces the selection by `text` in normal mode, recording undo (one group).
    void ReplaceSelection(std::string_view text);
    // Replaces the text between two positions by `text` in normal mode, recording undo (one
    // group). The range is exact, also beyond MaxLeftChar where the selection is clamped; the
    // caret goes after the inserted text and the selection collapses there.
    void ReplaceTextRange(TBufferCoord begin, TBufferCoord end, std::string_view text);
    // ReplaceTextRange with the deleted text known to the caller.
    void ReplaceRangeRecorded(TBufferCoord begin, TBufferCoord end, std::string_view deleted,
                              std::string_view text);
    // Backspace or Delete with a selection: records the deletion and deletes.
    void DeleteSelectionByKey();
    // Prepares the selection for deletion and records it: normal-mode ends cut to the line
    // ends, column-mode lines that reach into the block padded to its right column.
    void RecordSelectionDeletion(TSynChangeReason kind);
    // Deletes [begin, end) and inserts `text` through the text changer, in one paint lock and
    // one change bracket; the caret goes after the inserted text. Returns that exact position.
    TBufferCoord ReplaceRange(TBufferCoord begin, TBufferCoord end, TSynSelectionMode deleteMode,
                              std::string_view text, TSynSelectionMode insertMode,
                              bool deleteRange = true);
    // Inserts TabWidth spaces at the start of lines first..last.
    void IndentLines(int first, int last);
    // Removes leading spaces from the lines from `first` on: as many from each line as the
    // matching piece of `pieces` (pieces between CR LF) is long.
    void RemoveLeadingSpaces(TLineNumber first, std::string_view pieces);
    // Puts back options changed for the length of a command; a caret left beyond the line end
    // is pulled back when eoScrollPastEol comes off again.
    void RestoreOptions(TSynEditorOptions options);

  private:
    void PrepareSelectionForDelete();

    TSynEditorSettings& m_settings;
    TSynEditStringList& m_lines;
    TSynViewport& m_view;
    TSynCaretSelection& m_caret;
    TSynTextChanger& m_changer;
};
