// The text changer of the editor control: the primitives that insert, delete and replace text in
// the three selection modes and record what they do as undo items. It knows no caret and no
// pixels: callers pass positions in and get the position after the inserted text back.
//
// Every side effect that a primitive has beyond the range it was asked to change (spaces padded
// in front of an insertion, trailing blanks trimmed, lines added for a column block) is recorded
// as an undo item of its own, in the order it happened, so undoing a group restores the text
// byte for byte. Trims that follow an insertion are held back until the caller has recorded the
// insertion itself (FlushPendingTrims), since their positions refer to the text after it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "editor/synedit_window.h"
#include "editor/undo_item.h"

class TSynEditStringList;
class TLineNumber;
class TSynEditMarkList;
class TSynEditUndoList;

class TSynTextChanger {
  public:
    TSynTextChanger(const TSynEditorSettings& settings, TSynEditStringList& lines,
                    TSynEditMarkList& marks, TSynEditUndoList& undo);
    TSynTextChanger(const TSynTextChanger&) = delete;
    TSynTextChanger& operator=(const TSynTextChanger&) = delete;

    // --- reading (1-based lines) ---
    std::string_view LineAt(TLineNumber line) const;
    int LineLength(TLineNumber line) const;
    // The text between two positions (in text order) in a mode; lines joined with CR LF.
    std::string RangeText(TBufferCoord begin, TBufferCoord end, TSynSelectionMode mode) const;
    // Count of leading characters with codes 1..32 of a line; 0 without eoAutoIndent.
    int LeadingBlanks(TLineNumber line) const;
    // The leading blanks and tabs of a line as they are (none without auto-indent).
    std::string LeadingIndent(TLineNumber line) const;

    // --- recording ---
    // While replaying, side effects are not recorded and nothing is trimmed: a replay restores
    // exact text, and the trims of the original edit are items of their own.
    bool Replaying() const { return m_replaying; }
    void SetReplaying(bool value) { m_replaying = value; }
    bool TrimEnabled() const;
    void RecordChange(TSynChangeReason kind, TBufferCoord start, TBufferCoord end,
                      std::string_view text, TSynSelectionMode mode);
    // Records a change made as a side effect of a primitive (nothing during a replay).
    void RecordSideEffect(TSynChangeReason kind, TBufferCoord start, TBufferCoord end,
                          std::string_view text);
    void FlushPendingTrims();
    // An undo group around one command; trims held back for the group's insertion are
    // recorded when the outermost group closes, so they belong to it.
    void BeginGroup();
    void EndGroup();

    // --- line primitives ---
    void EnsureLine(TLineNumber line);
    // Pads a line with spaces up to `length` characters, recording the padding.
    void PadLine(TLineNumber line, int length);
    // Stores a line, removing trailing blanks (recorded) when trimming is on.
    void PutLineTrimmed(TLineNumber line, std::string text, bool deferRecord);
    // Pads the lines of a column block that end inside it up to its right edge (recorded), so
    // the spaces its selected text is padded with exist.
    void PadColumnBlock(TBufferCoord begin, TBufferCoord end);

    // --- replacing ---
    // Deletes [begin, end) in `deleteMode` (when deleteRange) and inserts `text` in
    // `insertMode`; returns the exact position after the inserted text. Ranges are exact
    // positions, so replays reach every column. Call inside a change bracket.
    TBufferCoord Replace(TBufferCoord begin, TBufferCoord end, TSynSelectionMode deleteMode,
                         std::string_view text, TSynSelectionMode insertMode, bool deleteRange);
    // Where the text inserted last went in, and its exact end.
    TBufferCoord InsertStart() const { return m_insertStart; }
    TBufferCoord InsertEnd() const { return m_insertEnd; }

  private:
    struct TPendingTrim {
        TBufferCoord start;
        std::string blanks;
    };
    bool HasOption(TSynEditorOptions o) const { return (m_settings.Options & o) != 0; }
    TBufferCoord DeleteTextRange(TBufferCoord begin, TBufferCoord end, TSynSelectionMode mode);
    TBufferCoord InsertTextAt(TBufferCoord at, TSynSelectionMode mode, std::string_view text);
    TBufferCoord InsertNormal(TBufferCoord at, std::string_view text);
    TBufferCoord InsertColumn(TBufferCoord at, std::string_view text);
    TBufferCoord InsertLineMode(TBufferCoord at, std::string_view text);
    // The single-line case of Replace in one store; false when it does not apply.
    bool ReplaceWithinLine(TBufferCoord begin, TBufferCoord end, std::string_view text);

    const TSynEditorSettings& m_settings;
    TSynEditStringList& m_lines;
    TSynEditMarkList& m_marks;
    TSynEditUndoList& m_undo;
    bool m_replaying = false;
    std::vector<TPendingTrim> m_pendingTrims;
    TBufferCoord m_insertStart;
    TBufferCoord m_insertEnd;
};
