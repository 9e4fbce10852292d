// Editor logic: the mouse. Clicks place the caret and start or extend the selection, dragging
// with the left button selects (scrolling by timer steps outside the text area), a double
// click selects a word, clicks in the gutter are reported, and the cursor shape follows what
// lies under the mouse.
#include <algorithm>
#include <cstdlib>

#include "editor/synedit_mouse_controller.h"

#include "editor/custom_synedit.h"
#include "editor/lines_by_number.h"
#include "editor/string_list.h"
#include "editor/synedit_scopes.h"
#include "highlight/syn_custom_highlighter.h"
#include "platform/codepage.h"

TSynMouseController::TSynMouseController(TCustomSynEdit& editor, const TSynEditorParts& parts)
    : TSynEditorParts(parts), m_editor(editor) {}

bool TSynMouseController::HasOption(TSynEditorOptions o) const {
    return m_settings.Has(o);
}

void TSynMouseController::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    const bool wasSelected = m_caret.SelAvail();
    // A right click keeps the selection for a context menu.
    if (button == mbRight && wasSelected) return;
    // The button-down that completes a double click: DblClick has done the work.
    if (button == mbLeft && (shift & ssDouble)) return;

    m_notes.LastX = x;
    m_notes.LastY = y;
    m_notes.LastShift = shift;
    const TPaintLockScope lock(m_view);
    bool caretPlaced = false;
    auto placeCaret = [&] {
        m_caret.SetCaretXY(m_view.PixelsToRowColumn(x, y));
        m_caret.RememberColumn();
        caretPlaced = true;
    };
    if (button == mbLeft && wasSelected) {
        m_notes.DownX = x;
        m_notes.DownY = y;
    } else {
        if (m_editor.OnMouseDown) m_editor.OnMouseDown(&m_editor, button, shift, x, y);
        placeCaret();
    }
    if (button == mbLeft) {
        m_notes.Captured = true;
        if (wasSelected && HasOption(eoDragDropEditing) && x >= m_view.GutterWidth() &&
            m_caret.SelectionMode() == smNormal &&
            m_caret.IsPointInSelection(m_view.CharUnderPixels(x, y))) {
            m_notes.PossibleDrag = true;
        } else if (!m_notes.DoubleClicked) {
            // A click beside a selection moves the caret too, so Shift extends to the click.
            if (!caretPlaced) placeCaret();
            if (shift & ssShift) {
                m_caret.SetBlockEnd(m_caret.CaretXY());
            } else {
                if (HasOption(eoAltSetsColumnMode) && m_caret.SelectionMode() != smLine)
                    m_caret.SetSelectionMode((shift & ssAlt) ? smColumn : smNormal);
                m_caret.SetBlockBegin(m_caret.CaretXY());
            }
        }
    }
    if (x < m_view.GutterWidth()) m_notes.PossibleGutterClick = true;
}

bool TSynMouseController::MouseMove(TShiftState shift, int x, int y, int dragDistance) {
    m_notes.LastX = x;
    m_notes.LastY = y;
    m_notes.LastShift = shift;
    if (m_notes.PossibleDrag) {
        if (std::abs(x - m_notes.DownX) < dragDistance &&
            std::abs(y - m_notes.DownY) < dragDistance)
            return false;
        // The drag takes over the mouse until it ends.
        m_notes.PossibleDrag = false;
        m_notes.Captured = false;
        m_notes.PossibleGutterClick = false;
        return true;
    }
    if (!(shift & ssLeft) || !m_notes.Captured) return false;
    if (m_view.InTextArea(x, y)) {
        m_notes.ScrollDeltaX = 0;
        m_notes.ScrollDeltaY = 0;
        m_notes.ScrollTimerOn = false;
        const TPaintLockScope lock(m_view);
        m_caret.SetCaretXY(m_view.PixelsToRowColumn(x, y));
        m_caret.RememberColumn();
        m_caret.SetBlockEnd(m_caret.CaretXY());
    } else {
        ComputeScrollDeltas(x, y);
    }
    return false;
}

void TSynMouseController::ComputeScrollDeltas(int x, int y) {
    // Outside the text area one timer step scrolls by how far the mouse is out, in cells.
    auto delta = [](int pos, int extent, int cell) {
        if (pos >= extent) return (pos - extent + cell) / cell;
        if (pos < 0) return (pos - cell) / cell;
        return 0;
    };
    m_notes.ScrollDeltaX = delta(x - m_view.GutterWidth(),
                                 m_view.CharsInWindow() * m_view.CharWidth(), m_view.CharWidth());
    m_notes.ScrollDeltaY =
        delta(y, m_view.LinesInWindow() * m_view.LineHeight(), m_view.LineHeight());
    m_notes.ScrollTimerOn = m_notes.ScrollDeltaX != 0 || m_notes.ScrollDeltaY != 0;
}

void TSynMouseController::ScrollTimerTick(TShiftState shift) {
    m_notes.LastShift = static_cast<TShiftState>((m_notes.LastShift & ~(ssShift | ssAlt | ssCtrl)) |
                                                 (shift & (ssShift | ssAlt | ssCtrl)));
    ScrollTimerTick();
}

void TSynMouseController::ScrollTimerTick() {
    if (!m_notes.ScrollTimerOn) return;
    const TPaintLockScope lock(m_view);
    const int dx = m_notes.ScrollDeltaX;
    const int dy = m_notes.ScrollDeltaY;
    if (dx != 0) {
        m_view.SetLeftChar(m_view.LeftChar() + dx);
        int line = m_view.PixelsToRowColumn(m_notes.LastX, m_notes.LastY).Line;
        m_caret.SetCaretXY({m_view.LeftChar() + (dx > 0 ? m_view.CharsInWindow() : 0), line});
        m_caret.SetBlockEnd(m_caret.CaretXY());
    }
    if (dy != 0) {
        m_view.SetTopLine(m_view.TopLine() +
                          ((m_notes.LastShift & ssShift) ? dy * m_view.LinesInWindow() : dy));
        int column = m_view.PixelsToRowColumn(m_notes.LastX, m_notes.LastY).Char;
        m_caret.SetCaretXY({column, m_view.TopLine() + (dy > 0 ? m_view.LinesInWindow() - 1 : 0)});
        m_caret.SetBlockEnd(m_caret.CaretXY());
    }
    m_caret.RememberColumn();
}

// The control has no context menu, so a right button release ends the capture like any other.
void TSynMouseController::MouseUp(TMouseButton /*button*/, TShiftState /*shift*/, int x, int y) {
    m_notes.ScrollTimerOn = false;
    m_notes.ScrollDeltaX = 0;
    m_notes.ScrollDeltaY = 0;
    m_notes.Captured = false;
    if (m_notes.PossibleGutterClick && x < m_view.GutterWidth()) GutterClick(x, y);
    if (m_notes.PossibleDrag && !m_notes.DoubleClicked) {
        // The press on the selection was a plain click after all.
        const TPaintLockScope lock(m_view);
        m_caret.SetCaretXY(m_view.PixelsToRowColumn(x, y));
        m_caret.RememberColumn();
        m_caret.SetBlockBegin(m_caret.CaretXY());
    }
    m_notes.PossibleDrag = false;
    m_notes.DoubleClicked = false;
    m_notes.PossibleGutterClick = false;
}

void TSynMouseController::DblClick(int x, int /*y*/) {
    if (x < m_view.GutterWidth() + 2) return;
    if (!HasOption(eoNoSelection)) SetWordBlock(m_caret.CaretXY());
    if (m_editor.OnDblClick) m_editor.OnDblClick(&m_editor);
    m_notes.DoubleClicked = true;
    m_notes.Captured = false;
}

void TSynMouseController::SetWordBlock(TBufferCoord value) {
    const int count = m_lines.GetCount();
    if (count == 0) return;
    const int line = std::clamp(value.Line, 1, count);
    const std::string text = std::string(TextAt(m_lines, TLineNumber(line)));
    const int len = static_cast<int>(text.size());
    const TPaintLockScope lock(m_view);
    // Just after the last character a highlighter's identifier before it is still the word.
    if (value.Char > len + (m_editor.Highlighter() ? 1 : 0)) {
        m_caret.SetCaretXY({len + 1, line});
        m_caret.SetBlockBegin(m_caret.CaretXY());
        return;
    }
    const int pos = std::max(1, value.Char);
    auto at = [&](int column) { return static_cast<unsigned char>(text[column - 1]); };
    int begin = pos;
    int end = pos;
    if (m_editor.Highlighter()) {
        const TSynIdentChars ident = m_editor.Highlighter()->IdentifierChars();
        while (begin > 1 && ident[at(begin - 1)]) --begin;
        while (end <= len && ident[at(end)]) ++end;
    } else {
        const TCodePageCharClass cls = CodePageCharClass(at(pos));
        if (cls != cccSymbol) {
            while (begin > 1 && CodePageCharClass(at(begin - 1)) == cls) --begin;
            while (end <= len && CodePageCharClass(at(end)) == cls) ++end;
        }
    }
    m_caret.SetCaretAndSelection({end, line}, {begin, line}, {end, line});
    m_view.InvalidateLines(line, line);
    m_host.EditorStatusChanged(stSelection);
}

void TSynMouseController::GutterClick(int x, int y) {
    const int line = m_view.PixelsToRowColumn(x, y).Line;
    if (line < 1 || line > m_lines.GetCount()) return;
    // Mark pictures sit side by side, each Xoffset wide.
    TSynEditMark* clicked = nullptr;
    int right = 0;
    for (TSynEditMark* mark : m_marks.MarksForLine(line)) {
        right += m_editor.BookMarkOptions().Xoffset();
        if (x < right) {
            clicked = mark;
            break;
        }
    }
    if (m_editor.OnGutterClick) m_editor.OnGutterClick(&m_editor, x, y, line, clicked);
}

TSynCursor TSynMouseController::MouseCursorAt(int x, int y) const {
    if (x < m_view.GutterWidth()) return m_editor.Gutter().Cursor();
    if (HasOption(eoDragDropEditing) && m_caret.IsPointInSelection(m_view.CharUnderPixels(x, y)))
        return crArrow;
    return m_cursor;
}
