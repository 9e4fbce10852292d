// Editor logic: the mouse. Clicks place the caret and start or extend the selection, dragging
// with the left button selects (scrolling by timer steps outside the text area), a double
// click selects a word, clicks in the gutter are reported, and the cursor shape follows what
// lies under the mouse.
#include <algorithm>
#include <cstdlib>

#include "editor/custom_synedit.h"
#include "editor/lines_by_number.h"
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
    const TPaintLockScope lock(m_view);
    bool caretPlaced = false;
    auto placeCaret = [&] {
        SetCaretXY(PixelsToRowColumn(x, y));
        m_caret.RememberColumn();
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
        if (wasSelected && HasOption(eoDragDropEditing) && x >= GutterWidth() &&
            SelectionMode() == smNormal && IsPointInSelection(m_view.CharUnderPixels(x, y))) {
            m_mouse.PossibleDrag = true;
        } else if (!m_mouse.DoubleClicked) {
            // A click beside a selection moves the caret too, so Shift extends to the click.
            if (!caretPlaced) placeCaret();
            if (shift & ssShift) {
                SetBlockEnd(CaretXY());
            } else {
                if (HasOption(eoAltSetsColumnMode) && SelectionMode() != smLine)
                    SetSelectionMode((shift & ssAlt) ? smColumn : smNormal);
                SetBlockBegin(CaretXY());
            }
        }
    }
    if (x < GutterWidth()) m_mouse.PossibleGutterClick = true;
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
    if (m_view.InTextArea(x, y)) {
        m_mouse.ScrollDeltaX = 0;
        m_mouse.ScrollDeltaY = 0;
        m_mouse.ScrollTimerOn = false;
        const TPaintLockScope lock(m_view);
        SetCaretXY(PixelsToRowColumn(x, y));
        m_caret.RememberColumn();
        SetBlockEnd(CaretXY());
    } else {
        ComputeScrollDeltas(x, y);
    }
    return false;
}

void TCustomSynEdit::ComputeScrollDeltas(int x, int y) {
    // Outside the text area one timer step scrolls by how far the mouse is out, in cells.
    auto delta = [](int pos, int extent, int cell) {
        if (pos >= extent) return (pos - extent + cell) / cell;
        if (pos < 0) return (pos - cell) / cell;
        return 0;
    };
    m_mouse.ScrollDeltaX = delta(x - GutterWidth(), CharsInWindow() * CharWidth(), CharWidth());
    m_mouse.ScrollDeltaY = delta(y, LinesInWindow() * LineHeight(), LineHeight());
    m_mouse.ScrollTimerOn = m_mouse.ScrollDeltaX != 0 || m_mouse.ScrollDeltaY != 0;
}

void TCustomSynEdit::ScrollTimerTick(TShiftState shift) {
    m_mouse.LastShift = static_cast<TShiftState>((m_mouse.LastShift & ~(ssShift | ssAlt | ssCtrl)) |
                                                 (shift & (ssShift | ssAlt | ssCtrl)));
    ScrollTimerTick();
}

void TCustomSynEdit::ScrollTimerTick() {
    if (!m_mouse.ScrollTimerOn) return;
    const TPaintLockScope lock(m_view);
    const int dx = m_mouse.ScrollDeltaX;
    const int dy = m_mouse.ScrollDeltaY;
    if (dx != 0) {
        SetLeftChar(LeftChar() + dx);
        int line = PixelsToRowColumn(m_mouse.LastX, m_mouse.LastY).Line;
        SetCaretXY({LeftChar() + (dx > 0 ? CharsInWindow() : 0), line});
        SetBlockEnd(CaretXY());
    }
    if (dy != 0) {
        SetTopLine(TopLine() + ((m_mouse.LastShift & ssShift) ? dy * LinesInWindow() : dy));
        int column = PixelsToRowColumn(m_mouse.LastX, m_mouse.LastY).Char;
        SetCaretXY({column, TopLine() + (dy > 0 ? LinesInWindow() - 1 : 0)});
        SetBlockEnd(CaretXY());
    }
    m_caret.RememberColumn();
}

void TCustomSynEdit::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    m_mouse.ScrollTimerOn = false;
    m_mouse.ScrollDeltaX = 0;
    m_mouse.ScrollDeltaY = 0;
    // A plain right click with a context menu: the menu takes over.
    if (button == mbRight && shift == ssRight && m_popupMenuAssigned) return;
    m_mouse.Captured = false;
    if (m_mouse.PossibleGutterClick && x < GutterWidth()) GutterClick(x, y);
    if (m_mouse.PossibleDrag && !m_mouse.DoubleClicked) {
        // The press on the selection was a plain click after all.
        const TPaintLockScope lock(m_view);
        SetCaretXY(PixelsToRowColumn(x, y));
        m_caret.RememberColumn();
        SetBlockBegin(CaretXY());
    }
    m_mouse.PossibleDrag = false;
    m_mouse.DoubleClicked = false;
    m_mouse.PossibleGutterClick = false;
}

void TCustomSynEdit::DblClick(int x, int /*y*/) {
    if (x < GutterWidth() + 2) return;
    if (!HasOption(eoNoSelection)) SetWordBlock(CaretXY());
    if (OnDblClick) OnDblClick(this);
    m_mouse.DoubleClicked = true;
    m_mouse.Captured = false;
}

void TCustomSynEdit::SetWordBlock(TBufferCoord value) {
    const int count = m_lines->GetCount();
    if (count == 0) return;
    const int line = std::clamp(value.Line, 1, count);
    const std::string text = std::string(TextAt(*m_lines, TLineNumber(line)));
    const int len = static_cast<int>(text.size());
    const TPaintLockScope lock(m_view);
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

TSynCursor TCustomSynEdit::MouseCursorAt(int x, int y) const {
    if (x < GutterWidth()) return m_gutter.Cursor();
    if (HasOption(eoDragDropEditing) && IsPointInSelection(m_view.CharUnderPixels(x, y)))
        return crArrow;
    return m_cursor;
}
