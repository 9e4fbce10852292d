// Editor logic: the mouse. Clicks place the caret and start or extend the selection, dragging
// with the left button selects (scrolling by timer steps outside the text area), a double
// click selects a word, clicks in the gutter are reported, and the cursor shape follows what
// lies under the mouse.
#include <algorithm>
#include <cstdlib>

#include "editor/custom_synedit.h"
#include "editor/string_list.h"
#include "editor/synedit_scopes.h"
#include "highlight/syn_custom_highlighter.h"
#include "platform/codepage.h"

void TCustomSynEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    const bool wasSelected = SelAvail();
    // A right click keeps the selection for a context menu.
    if (button == mbRight && wasSelected) return;
    // The button-down that completes a double click: DblClick has done the work.
    if (button == mbLeft && (shift & ssDouble)) return;

    m_mouse.LastX = x;
    m_mouse.LastY = y;
    m_mouse.LastShift = shift;
    const TPaintLockScope lock(*this);
    bool caretPlaced = false;
    auto placeCaret = [&] {
        SetCaretXY(PixelsToRowColumn(x, y));
        m_lastCaretX = m_caretX;
        caretPlaced = true;
    };
    if (button == mbLeft && wasSelected) {
        m_mouse.DownX = x;
        m_mouse.DownY = y;
    } else {
        if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
        placeCaret();
    }
    if (button == mbLeft) {
        m_mouse.Captured = true;
        if (wasSelected && HasOption(eoDragDropEditing) && x >= m_gutterWidth &&
            m_selectionMode == smNormal && IsPointInSelection(CharUnderPixels(x, y))) {
            m_mouse.PossibleDrag = true;
        } else if (!m_mouse.DoubleClicked) {
            // A click beside a selection moves the caret too, so Shift extends to the click.
            if (!caretPlaced) placeCaret();
            if (shift & ssShift) {
                SetBlockEnd(CaretXY());
            } else {
                if (HasOption(eoAltSetsColumnMode) && m_selectionMode != smLine)
                    SetSelectionMode((shift & ssAlt) ? smColumn : smNormal);
                SetBlockBegin(CaretXY());
            }
        }
    }
    if (x < m_gutterWidth) m_mouse.PossibleGutterClick = true;
}

bool TCustomSynEdit::MouseMove(TShiftState shift, int x, int y, int dragDistance) {
    m_mouse.LastX = x;
    m_mouse.LastY = y;
    m_mouse.LastShift = shift;
    if (m_mouse.PossibleDrag) {
        if (std::abs(x - m_mouse.DownX) < dragDistance &&
            std::abs(y - m_mouse.DownY) < dragDistance)
            return false;
        // The drag takes over the mouse until it ends.
        m_mouse.PossibleDrag = false;
        m_mouse.Captured = false;
        m_mouse.PossibleGutterClick = false;
        return true;
    }
    if (!(shift & ssLeft) || !m_mouse.Captured) return false;
    if (InTextArea(x, y)) {
        m_mouse.ScrollDeltaX = 0;
        m_mouse.ScrollDeltaY = 0;
        m_mouse.ScrollTimerOn = false;
        const TPaintLockScope lock(*this);
        SetCaretXY(PixelsToRowColumn(x, y));
        m_lastCaretX = m_caretX;
        SetBlockEnd(CaretXY());
    } else {
        ComputeScrollDeltas(x, y);
    }
    return false;
}

bool TCustomSynEdit::InTextArea(int x, int y) const {
    int xp = x - m_gutterWidth;
    return xp >= 0 && xp < m_charsInWindow * m_charWidth && y >= 0 &&
           y < m_linesInWindow * m_lineHeight;
}

void TCustomSynEdit::ComputeScrollDeltas(int x, int y) {
    // Outside the text area one timer step scrolls by how far the mouse is out, in cells.
    auto delta = [](int pos, int extent, int cell) {
        if (pos >= extent) return (pos - extent + cell) / cell;
        if (pos < 0) return (pos - cell) / cell;
        return 0;
    };
    m_mouse.ScrollDeltaX = delta(x - m_gutterWidth, m_charsInWindow * m_charWidth, m_charWidth);
    m_mouse.ScrollDeltaY = delta(y, m_linesInWindow * m_lineHeight, m_lineHeight);
    m_mouse.ScrollTimerOn = m_mouse.ScrollDeltaX != 0 || m_mouse.ScrollDeltaY != 0;
}

void TCustomSynEdit::ScrollTimerTick(TShiftState shift) {
    m_mouse.LastShift = static_cast<TShiftState>((m_mouse.LastShift & ~(ssShift | ssAlt | ssCtrl)) |
                                                 (shift & (ssShift | ssAlt | ssCtrl)));
    ScrollTimerTick();
}

void TCustomSynEdit::ScrollTimerTick() {
    if (!m_mouse.ScrollTimerOn) return;
    const TPaintLockScope lock(*this);
    const int dx = m_mouse.ScrollDeltaX;
    const int dy = m_mouse.ScrollDeltaY;
    if (dx != 0) {
        SetLeftChar(m_leftChar + dx);
        int line = PixelsToRowColumn(m_mouse.LastX, m_mouse.LastY).Line;
        SetCaretXY({m_leftChar + (dx > 0 ? m_charsInWindow : 0), line});
        SetBlockEnd(CaretXY());
    }
    if (dy != 0) {
        SetTopLine(m_topLine + ((m_mouse.LastShift & ssShift) ? dy * m_linesInWindow : dy));
        int column = PixelsToRowColumn(m_mouse.LastX, m_mouse.LastY).Char;
        SetCaretXY({column, m_topLine + (dy > 0 ? m_linesInWindow - 1 : 0)});
        SetBlockEnd(CaretXY());
    }
    m_lastCaretX = m_caretX;
}

void TCustomSynEdit::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    m_mouse.ScrollTimerOn = false;
    m_mouse.ScrollDeltaX = 0;
    m_mouse.ScrollDeltaY = 0;
    // A plain right click with a context menu: the menu takes over.
    if (button == mbRight && shift == ssRight && m_popupMenuAssigned) return;
    m_mouse.Captured = false;
    if (m_mouse.PossibleGutterClick && x < m_gutterWidth) GutterClick(x, y);
    if (m_mouse.PossibleDrag && !m_mouse.DoubleClicked) {
        // The press on the selection was a plain click after all.
        const TPaintLockScope lock(*this);
        SetCaretXY(PixelsToRowColumn(x, y));
        m_lastCaretX = m_caretX;
        SetBlockBegin(CaretXY());
    }
    m_mouse.PossibleDrag = false;
    m_mouse.DoubleClicked = false;
    m_mouse.PossibleGutterClick = false;
}

void TCustomSynEdit::DblClick(int x, int /*y*/) {
    if (x < m_gutterWidth + 2) return;
    if (!HasOption(eoNoSelection)) SetWordBlock(CaretXY());
    if (OnDblClick) OnDblClick(this);
    m_mouse.DoubleClicked = true;
    m_mouse.Captured = false;
}

void TCustomSynEdit::SetWordBlock(TBufferCoord value) {
    const int count = m_lines->GetCount();
    if (count == 0) return;
    const int line = std::clamp(value.Line, 1, count);
    const std::string text = m_lines->Get(line - 1);
    const int len = static_cast<int>(text.size());
    const TPaintLockScope lock(*this);
    // Just after the last character a highlighter's identifier before it is still the word.
    if (value.Char > len + (m_highlighter ? 1 : 0)) {
        SetCaretXY({len + 1, line});
        SetBlockBegin(CaretXY());
        return;
    }
    const int pos = std::max(1, value.Char);
    auto at = [&](int column) { return static_cast<unsigned char>(text[column - 1]); };
    int begin = pos;
    int end = pos;
    if (m_highlighter) {
        const TSynIdentChars ident = m_highlighter->IdentifierChars();
        while (begin > 1 && ident[at(begin - 1)]) --begin;
        while (end <= len && ident[at(end)]) ++end;
    } else {
        const TCodePageCharClass cls = CodePageCharClass(at(pos));
        if (cls != cccSymbol) {
            while (begin > 1 && CodePageCharClass(at(begin - 1)) == cls) --begin;
            while (end <= len && CodePageCharClass(at(end)) == cls) ++end;
        }
    }
    SetCaretAndSelection({end, line}, {begin, line}, {end, line});
    InvalidateLines(line, line);
    StatusChanged(stSelection);
}

void TCustomSynEdit::GutterClick(int x, int y) {
    const int line = PixelsToRowColumn(x, y).Line;
    if (line < 1 || line > m_lines->GetCount()) return;
    // Mark pictures sit side by side, each Xoffset wide.
    TSynEditMark* clicked = nullptr;
    int right = 0;
    for (TSynEditMark* mark : m_marks.MarksForLine(line)) {
        right += m_bookMarkOpt.Xoffset();
        if (x < right) {
            clicked = mark;
            break;
        }
    }
    if (OnGutterClick) OnGutterClick(this, x, y, line, clicked);
}

TBufferCoord TCustomSynEdit::CharUnderPixels(int x, int y) const {
    const int line = PixelsToRowColumn(x, y).Line;
    const int rel = x - m_textOffset;
    if (rel < 0) return {0, line};
    const int display = rel / m_charWidth;  // 0-based display column under x
    if (line < 1 || line > m_lines->GetCount()) return {display + 1, line};
    const std::string_view text = m_lines->GetView(line - 1);
    int width = 0;
    for (int i = 0; i < static_cast<int>(text.size()); ++i) {
        int next = text[i] == '\t' ? width + m_tabWidth - (width % m_tabWidth) : width + 1;
        if (display < next) return {i + 1, line};
        width = next;
    }
    return {static_cast<int>(text.size()) + 1 + (display - width), line};
}

TSynCursor TCustomSynEdit::MouseCursorAt(int x, int y) const {
    if (x < m_gutterWidth) return m_gutter.Cursor();
    if (HasOption(eoDragDropEditing) && IsPointInSelection(CharUnderPixels(x, y))) return crArrow;
    return m_cursor;
}
