// The caret and selection part of the editor control: the caret, the remembered column, the two
// ends of the selection block and the selection mode, the moves that change them, and word
// positions. Positions are clamped to the text; the view follows the caret.
#pragma once

#include "editor/synedit_types.h"
#include "editor/synedit_window.h"

class TSynEditStringList;
class TSynViewport;

class TSynCaretSelection {
  public:
    TSynCaretSelection(const TSynEditorSettings& settings, ISynEditorHost& host,
                       TSynEditStringList& lines, TSynViewport& view);
    TSynCaretSelection(const TSynCaretSelection&) = delete;
    TSynCaretSelection& operator=(const TSynCaretSelection&) = delete;

    // --- caret ---
    TBufferCoord CaretXY() const { return {m_caretX, m_caretY}; }
    int CaretX() const { return m_caretX; }
    int CaretY() const { return m_caretY; }
    void SetCaretXY(TBufferCoord value);
    // Moves the caret within its line and remembers the new column.
    void SetCaretX(int value);
    // Moves the caret to a line, in the remembered column with eoKeepCaretX.
    void SetCaretY(int value);
    int LastCaretX() const { return m_lastCaretX; }
    // The column up and down moves return to becomes the caret's.
    void RememberColumn() { m_lastCaretX = m_caretX; }

    // --- selection ---
    TBufferCoord BlockBeginRaw() const { return m_blockBegin; }
    TBufferCoord BlockEndRaw() const { return m_blockEnd; }
    // The selection's ends in text order.
    TBufferCoord BlockBegin() const;
    TBufferCoord BlockEnd() const;
    void SetBlockBegin(TBufferCoord value);
    void SetBlockEnd(TBufferCoord value);
    // Puts both ends back as they were, unclamped and without repainting.
    void RestoreBlock(TBufferCoord begin, TBufferCoord end);
    // Normal mode: ends beyond their line's end are pulled back to it.
    void ClipBlockToLines();
    bool SelAvail() const;
    bool IsPointInSelection(TBufferCoord value) const;
    TSynSelectionMode SelectionMode() const { return m_selectionMode; }
    void SetSelectionMode(TSynSelectionMode value);
    // Changes the mode for the length of a replay, without repainting or reporting.
    void SetModeQuietly(TSynSelectionMode value) { m_selectionMode = value; }
    // Caret and selection back at the start after the text was cleared.
    void Reset();

    // --- moves ---
    void MoveCaretAndSelection(TBufferCoord from, TBufferCoord to, bool selecting);
    void SetCaretAndSelection(TBufferCoord caret, TBufferCoord begin, TBufferCoord end);
    void MoveCaretHorz(int delta, bool selecting);
    void MoveCaretVert(int delta, bool selecting);
    void EnsureCursorPosVisible();
    void SelectAll();
    TBufferCoord NextWordPos() const;
    TBufferCoord PrevWordPos() const;
    // Clamps a column to 1..the view's column limit, looking for the longest line only beyond
    // MaxLeftChar.
    int LimitColumn(int column) const;

  private:
    bool HasOption(TSynEditorOptions o) const { return (m_settings.Options & o) != 0; }
    int ClampColumn(int column, int line) const;
    int LineLength(int line) const;
    // A block end clamped to the text (and, in normal mode, to its line's end).
    TBufferCoord ClampBlockEnd(TBufferCoord value) const;

    const TSynEditorSettings& m_settings;
    ISynEditorHost& m_host;
    TSynEditStringList& m_lines;
    TSynViewport& m_view;

    int m_caretX = 1;
    int m_caretY = 1;
    int m_lastCaretX = 1;
    TBufferCoord m_blockBegin;
    TBufferCoord m_blockEnd;
    TSynSelectionMode m_selectionMode = smNormal;
};
