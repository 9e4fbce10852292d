// The caret and the selection: clamped positions, moves by character, line and word, and the
// selection block in its three modes.
#include "editor/synedit_caret.h"

#include <algorithm>

#include "editor/lines_by_number.h"
#include "editor/string_list.h"
#include "editor/synedit_viewport.h"

TSynCaretSelection::TSynCaretSelection(const TSynEditorSettings& settings, ISynEditorHost& host,
                                       TSynEditStringList& lines, TSynViewport& view)
    : m_settings(settings), m_host(host), m_lines(lines), m_view(view) {}

int TSynCaretSelection::LineLength(int line) const {
    return LengthAt(m_lines, TLineNumber(line));
}

int TSynCaretSelection::LimitColumn(int column) const {
    if (column <= m_settings.MaxLeftChar) return std::max(1, column);
    return std::min(column, m_view.ColumnLimit());
}

int TSynCaretSelection::ClampColumn(int column, int line) const {
    if (HasOption(eoScrollPastEol)) return LimitColumn(column);
    const int maxColumn = m_lines.GetCount() == 0 ? 1 : LineLength(line) + 1;
    return std::clamp(column, 1, std::max(1, maxColumn));
}

// ---------------------------------------------------------------- caret

void TSynCaretSelection::SetCaretXY(TBufferCoord value) {
    int line = std::clamp(value.Line, 1, std::max(1, m_lines.GetCount()));
    int column = ClampColumn(value.Char, line);
    if (column == m_caretX && line == m_caretY) return;
    const TPaintLockScope lock(m_view);
    TSynStatusChanges changes = 0;
    if (column != m_caretX) changes |= stCaretX;
    if (line != m_caretY) changes |= stCaretY;
    m_caretX = column;
    m_caretY = line;
    EnsureCursorPosVisible();
    m_view.SetCaretDirty(true);
    m_view.MarkScrollBarsDirty();
    m_host.EditorStatusChanged(changes);
}

void TSynCaretSelection::SetCaretX(int value) {
    SetCaretXY({value, m_caretY});
    m_lastCaretX = m_caretX;
}

void TSynCaretSelection::SetCaretY(int value) {
    if (!HasOption(eoKeepCaretX)) m_lastCaretX = m_caretX;
    SetCaretXY({m_lastCaretX, value});
}

void TSynCaretSelection::EnsureCursorPosVisible() {
    m_view.MakeVisible(CaretXY());
}

// ---------------------------------------------------------------- selection

TBufferCoord TSynCaretSelection::BlockBegin() const {
    return CoordLess(m_blockEnd, m_blockBegin) ? m_blockEnd : m_blockBegin;
}

TBufferCoord TSynCaretSelection::BlockEnd() const {
    return CoordLess(m_blockEnd, m_blockBegin) ? m_blockBegin : m_blockEnd;
}

bool TSynCaretSelection::SelAvail() const {
    return m_blockBegin.Char != m_blockEnd.Char ||
           (m_blockBegin.Line != m_blockEnd.Line && m_selectionMode != smColumn);
}

TBufferCoord TSynCaretSelection::ClampBlockEnd(TBufferCoord value) const {
    value.Char = LimitColumn(value.Char);
    value.Line = std::clamp(value.Line, 1, std::max(1, m_lines.GetCount()));
    if (m_selectionMode == smNormal) value.Char = std::min(value.Char, LineLength(value.Line) + 1);
    return value;
}

void TSynCaretSelection::SetBlockBegin(TBufferCoord value) {
    value = ClampBlockEnd(value);
    bool hadSelection = SelAvail();
    if (value == m_blockBegin && value == m_blockEnd) return;
    if (hadSelection) {
        m_view.InvalidateLines(std::min(m_blockBegin.Line, m_blockEnd.Line),
                               std::max(m_blockBegin.Line, m_blockEnd.Line));
    }
    m_blockBegin = value;
    m_blockEnd = value;
    m_host.EditorStatusChanged(stSelection);
}

void TSynCaretSelection::SetBlockEnd(TBufferCoord value) {
    if (HasOption(eoNoSelection)) return;
    value = ClampBlockEnd(value);
    if (value == m_blockEnd) return;
    if (m_selectionMode == smColumn && value.Char != m_blockEnd.Char) {
        int first = std::min({m_blockBegin.Line, m_blockEnd.Line, value.Line});
        int last = std::max({m_blockBegin.Line, m_blockEnd.Line, value.Line});
        m_view.InvalidateLines(first, last);
    } else {
        m_view.InvalidateLines(std::min(m_blockEnd.Line, value.Line),
                               std::max(m_blockEnd.Line, value.Line));
    }
    m_blockEnd = value;
    m_host.EditorStatusChanged(stSelection);
}

void TSynCaretSelection::RestoreBlock(TBufferCoord begin, TBufferCoord end) {
    m_blockBegin = begin;
    m_blockEnd = end;
}

void TSynCaretSelection::ClipBlockToLines() {
    m_blockBegin.Char = std::min(m_blockBegin.Char, LineLength(m_blockBegin.Line) + 1);
    m_blockEnd.Char = std::min(m_blockEnd.Char, LineLength(m_blockEnd.Line) + 1);
}

void TSynCaretSelection::SetSelectionMode(TSynSelectionMode value) {
    if (value == m_selectionMode) return;
    m_selectionMode = value;
    if (SelAvail()) m_view.Invalidate();
    m_host.EditorStatusChanged(stSelection);
}

void TSynCaretSelection::Reset() {
    m_caretX = m_caretY = 1;
    m_blockBegin = m_blockEnd = {1, 1};
}

bool TSynCaretSelection::IsPointInSelection(TBufferCoord value) const {
    if (!SelAvail()) return false;
    TBufferCoord b = BlockBegin();
    TBufferCoord e = BlockEnd();
    if (value.Line < b.Line || value.Line > e.Line) return false;
    switch (m_selectionMode) {
        case smLine:
            return true;
        case smColumn: {
            int left = std::min(b.Char, e.Char);
            int right = std::max(b.Char, e.Char);
            return value.Char >= left && value.Char < right;
        }
        default:
            if (value.Line == b.Line && value.Char < b.Char) return false;
            if (value.Line == e.Line && value.Char >= e.Char) return false;
            return true;
    }
}

// ---------------------------------------------------------------- moves

void TSynCaretSelection::MoveCaretAndSelection(TBufferCoord from, TBufferCoord to, bool selecting) {
    const TPaintLockScope lock(m_view);
    if (selecting) {
        // The anchor stays while the block has any extent: a column block of zero width that
        // already spans lines (Shift+Down in column mode) is being extended, not started.
        if (m_blockBegin == m_blockEnd) SetBlockBegin(from);
        SetBlockEnd(to);
    } else {
        SetBlockBegin(to);
    }
    SetCaretXY(to);
}

void TSynCaretSelection::SetCaretAndSelection(TBufferCoord caret, TBufferCoord begin,
                                              TBufferCoord end) {
    const TPaintLockScope lock(m_view);
    SetCaretXY(caret);
    SetBlockBegin(begin);
    SetBlockEnd(end);
}

void TSynCaretSelection::MoveCaretHorz(int delta, bool selecting) {
    TBufferCoord from = CaretXY();
    TBufferCoord to = from;
    int lineLen = LineLength(m_caretY);
    bool pastEol = HasOption(eoScrollPastEol);
    if (!pastEol && delta < 0 && m_caretX == 1 && m_caretY > 1) {
        to.Line = m_caretY - 1;
        to.Char = LineLength(to.Line) + 1;
    } else if (!pastEol && delta > 0 && m_caretX > lineLen && m_caretY < m_lines.GetCount()) {
        to.Line = m_caretY + 1;
        to.Char = 1;
    } else {
        to.Char = std::max(1, m_caretX + delta);
        if (delta > 0 && !pastEol) to.Char = std::min(to.Char, lineLen + 1);
    }
    MoveCaretAndSelection(from, to, selecting);
    m_lastCaretX = m_caretX;
}

void TSynCaretSelection::MoveCaretVert(int delta, bool selecting) {
    TBufferCoord from = CaretXY();
    TBufferCoord to = from;
    to.Line = std::clamp(m_caretY + delta, 1, std::max(1, m_lines.GetCount()));
    if (to.Line != from.Line && HasOption(eoKeepCaretX)) to.Char = m_lastCaretX;
    MoveCaretAndSelection(from, to, selecting);
}

void TSynCaretSelection::SelectAll() {
    int count = m_lines.GetCount();
    TBufferCoord end{1, std::max(1, count)};
    if (count > 0) end.Char = LineLength(count) + 1;
    SetCaretAndSelection(end, {1, 1}, end);
    m_host.EditorStatusChanged(stSelection);
}

// ---------------------------------------------------------------- word positions

TBufferCoord TSynCaretSelection::NextWordPos() const {
    int x = m_caretX;
    int y = m_caretY;
    const std::string line = std::string(TextAt(m_lines, TLineNumber(y)));
    int len = static_cast<int>(line.size());
    auto isIdent = [this](char c) {
        return m_host.EditorIsIdentChar(static_cast<unsigned char>(c));
    };
    if (x < len) {
        int col = x;
        if (!isIdent(line[col - 1])) {
            while (col <= len && !isIdent(line[col - 1])) ++col;
            if (col > len) return {len + 1, y};
        }
        while (col <= len && isIdent(line[col - 1])) ++col;
        return {col, y};
    }
    if (y < m_lines.GetCount()) {
        const std::string next(TextAt(m_lines, TLineNumber(y).Next()));
        int col = 1;
        int nlen = static_cast<int>(next.size());
        while (col <= nlen && !isIdent(next[col - 1])) ++col;
        if (col > nlen) col = 1;
        return {col, y + 1};
    }
    return {x, y};
}

TBufferCoord TSynCaretSelection::PrevWordPos() const {
    int y = m_caretY;
    const std::string line = std::string(TextAt(m_lines, TLineNumber(y)));
    int len = static_cast<int>(line.size());
    int x = std::min(m_caretX, len + 1);
    auto previousLineEnd = [&]() -> TBufferCoord {
        if (y > 1) return {LineLength(y - 1) + 1, y - 1};
        return {x, y};
    };
    if (x <= 1) return previousLineEnd();
    auto isIdent = [&](int col) {
        return m_host.EditorIsIdentChar(static_cast<unsigned char>(line[col - 1]));
    };
    int col = x - 1;  // the character before the caret
    if (!isIdent(col)) {
        while (col >= 1 && !isIdent(col)) --col;
        if (col < 1) return previousLineEnd();
    }
    while (col >= 1 && isIdent(col)) --col;
    return {col + 1, y};
}
