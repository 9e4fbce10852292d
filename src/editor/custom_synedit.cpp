// Editor logic: construction, properties, caret and selection, coordinates, paint lock and
// status reporting. Scrolling, text-change reactions and commands live in their own files.
#include "editor/custom_synedit.h"

#include <algorithm>
#include <cmath>

#include "editor/editor_commands.h"
#include "editor/key_strokes.h"
#include "editor/string_list.h"
#include "editor/synedit_scopes.h"
#include "editor/undo_list.h"
#include "highlight/syn_custom_highlighter.h"
#include "platform/colors.h"
#include "search/syn_edit_search.h"

TCustomSynEdit::TCustomSynEdit(ISynEditWindow* window)
    : m_window(window),
      m_lines(std::make_unique<TSynEditStringList>()),
      m_undoList(std::make_unique<TSynEditUndoList>()),
      m_redoList(std::make_unique<TSynEditUndoList>()),
      m_keystrokes(std::make_unique<TSynEditKeyStrokes>()),
      m_search(std::make_unique<TSynEditSearch>()),
      m_selectedBackground(clHighlight),
      m_selectedForeground(clHighlightText),
      m_color(clWindow),
      m_fontColor(clWindowText) {
    m_onAttributesChanged = [this](void*) {
        RecalcCharExtent();
        Invalidate();
    };
    HookLines();
    m_undoList->SetOnAdded([this](TSynEditUndoList* list) { UndoListChanged(list); });
    m_redoList->SetOnAdded([this](TSynEditUndoList* list) { UndoListChanged(list); });
    m_keystrokes->ResetDefaults();
    m_gutter.OnChange = [this](TSynGutter*) { GutterChanged(); };
    m_bookMarkOpt.OnChange = [this](TSynBookMarkOpt*) { InvalidateGutter(); };
    m_marks.OnChange = [this] { InvalidateGutter(); };
    m_lines->SetTabWidth(m_tabWidth);
}

TCustomSynEdit::~TCustomSynEdit() {
    if (m_highlighter) {
        m_highlighter->UnhookAttributesChanged(m_onAttributesChanged, this);
        m_highlighter->RemoveFreeNotification(this);
    }
    m_highlighter = nullptr;
}

// ---------------------------------------------------------------- properties

void TCustomSynEdit::SetHighlighter(TSynCustomHighlighter* value) {
    if (value == m_highlighter) return;
    if (m_highlighter) {
        m_highlighter->UnhookAttributesChanged(m_onAttributesChanged, this);
        m_highlighter->RemoveFreeNotification(this);
    }
    m_highlighter = value;
    if (m_highlighter) {
        m_highlighter->HookAttributesChanged(m_onAttributesChanged, this);
        // A destroyed highlighter is forgotten; the text is then drawn uncoloured.
        m_highlighter->AddFreeNotification(this, [this] {
            m_highlighter = nullptr;
            RecalcCharExtent();
            Invalidate();
        });
    }
    RecalcCharExtent();
    if (m_highlighter) RescanAll();
    Invalidate();
}

void TCustomSynEdit::SetOptions(TSynEditorOptions value) {
    if (value == m_options) return;
    bool pastEolCleared = (m_options & eoScrollPastEol) && !(value & eoScrollPastEol);
    m_options = value;
    if (pastEolCleared) SetCaretX(m_caretX);
    UpdateScrollBars();
    Invalidate();
}

void TCustomSynEdit::SetExtraLineSpacing(int value) {
    if (value == m_extraLineSpacing) return;
    m_extraLineSpacing = value;
    SetFontMetrics(m_charWidth, m_charHeight);
}

void TCustomSynEdit::SetHideSelection(bool value) {
    if (value == m_hideSelection) return;
    m_hideSelection = value;
    Invalidate();
}

void TCustomSynEdit::SetInsertCaret(TSynEditCaretType value) {
    if (value == m_insertCaret) return;
    m_insertCaret = value;
    UpdateCaret();
}

void TCustomSynEdit::SetOverwriteCaret(TSynEditCaretType value) {
    if (value == m_overwriteCaret) return;
    m_overwriteCaret = value;
    UpdateCaret();
}

void TCustomSynEdit::SetInsertMode(bool value) {
    if (value == m_insertMode) return;
    m_insertMode = value;
    UpdateCaret();
    StatusChanged(stInsertMode);
}

void TCustomSynEdit::SetMaxLeftChar(int value) {
    value = std::clamp(value, 1, 32767);
    if (value == m_maxLeftChar) return;
    m_maxLeftChar = value;
    Invalidate();
}

int TCustomSynEdit::ColumnLimit() const {
    return std::max(m_maxLeftChar, m_lines->LongestLineLength() + 1);
}

// Clamps a column to 1..ColumnLimit(), looking for the longest line only beyond MaxLeftChar.
int TCustomSynEdit::LimitColumn(int column) const {
    if (column <= m_maxLeftChar) return std::max(1, column);
    return std::min(column, ColumnLimit());
}

int TCustomSynEdit::MaxUndo() const {
    return m_undoList->MaxUndo();
}
void TCustomSynEdit::SetMaxUndo(int value) {
    if (value < 0) return;
    m_undoList->SetMaxUndo(value);
    m_redoList->SetMaxUndo(value);
}

void TCustomSynEdit::SetReadOnly(bool value) {
    if (value == m_readOnly) return;
    m_readOnly = value;
    StatusChanged(stReadOnly);
}

void TCustomSynEdit::SetRightEdge(int value) {
    if (value == m_rightEdge) return;
    m_rightEdge = value;
    Invalidate();
}

void TCustomSynEdit::SetRightEdgeColor(int32_t value) {
    if (value == m_rightEdgeColor) return;
    m_rightEdgeColor = value;
    if (m_rightEdge > 0 && m_window && m_window->HandleAllocated()) {
        int x = m_textOffset + m_rightEdge * m_charWidth;
        m_window->InvalidateRect({x - 1, 0, x + 1, m_window->ClientHeight()});
    }
}

void TCustomSynEdit::SetScrollBars(TScrollStyle value) {
    if (value == m_scrollBars) return;
    m_scrollBars = value;
    UpdateScrollBars();
    Invalidate();
}

void TCustomSynEdit::SetSelectedColor(int32_t background, int32_t foreground) {
    if (background == m_selectedBackground && foreground == m_selectedForeground) return;
    m_selectedBackground = background;
    m_selectedForeground = foreground;
    Invalidate();
}

void TCustomSynEdit::SetSelectionMode(TSynSelectionMode value) {
    if (value == m_selectionMode) return;
    m_selectionMode = value;
    if (SelAvail()) Invalidate();
    StatusChanged(stSelection);
}

void TCustomSynEdit::SetTabWidth(int value) {
    value = std::clamp(value, 1, 256);
    if (value == m_tabWidth) return;
    m_tabWidth = value;
    m_lines->SetTabWidth(value);
    Invalidate();
}

void TCustomSynEdit::SetColor(int32_t value) {
    if (value == m_color) return;
    m_color = value;
    Invalidate();
}

void TCustomSynEdit::SetFontColor(int32_t value) {
    if (value == m_fontColor) return;
    m_fontColor = value;
    Invalidate();
}

// ---------------------------------------------------------------- geometry

void TCustomSynEdit::SetFontMetrics(int charWidth, int charHeight) {
    m_charWidth = std::max(1, charWidth);
    m_charHeight = std::max(1, charHeight);
    m_lineHeight = std::max(1, m_charHeight + m_extraLineSpacing);
    if (m_gutter.ShowLineNumbers()) m_gutter.AutoSizeDigitCount(m_lines->GetCount());
    SizeChanged();
    GutterChanged();
    UpdateCaret();
    Invalidate();
}

void TCustomSynEdit::SizeChanged() {
    if (m_window) {
        m_charsInWindow = std::max(0, (m_window->ClientWidth() - m_gutterWidth - 2) / m_charWidth);
        m_linesInWindow = std::max(0, m_window->ClientHeight() / m_lineHeight);
    }
    UpdateScrollBars();
    ApplyTopLineAndLeftChar();
}

void TCustomSynEdit::ApplyTopLineAndLeftChar() {
    if (!HasOption(eoScrollPastEol)) SetLeftChar(m_leftChar);
    if (!HasOption(eoScrollPastEof)) SetTopLine(m_topLine);
}

void TCustomSynEdit::SetGutterWidth(int value) {
    value = std::max(0, value);
    if (value == m_gutterWidth) return;
    m_gutterWidth = value;
    m_textOffset = m_gutterWidth + 2 - (m_leftChar - 1) * m_charWidth;
    if (m_window && m_window->HandleAllocated()) {
        m_charsInWindow = std::max(0, (m_window->ClientWidth() - m_gutterWidth - 2) / m_charWidth);
        UpdateScrollBars();
        Invalidate();
    }
}

void TCustomSynEdit::GutterChanged() {
    if (m_gutter.ShowLineNumbers() && m_gutter.AutoSize())
        m_gutter.AutoSizeDigitCount(m_lines->GetCount());
    int width = m_gutter.RealGutterWidth(m_charWidth);
    if (width == m_gutterWidth)
        InvalidateGutter();
    else
        SetGutterWidth(width);
}

void TCustomSynEdit::RecalcCharExtent() {
    MetricsChanged();
}

// ---------------------------------------------------------------- caret and selection

int TCustomSynEdit::ClampColumn(int column, int line) const {
    int maxColumn;
    if (HasOption(eoScrollPastEol))
        return LimitColumn(column);
    else if (m_lines->GetCount() == 0)
        maxColumn = 1;
    else
        maxColumn = static_cast<int>(m_lines->GetView(line - 1).size()) + 1;
    return std::clamp(column, 1, std::max(1, maxColumn));
}

void TCustomSynEdit::SetCaretXY(TBufferCoord value) {
    int line = std::clamp(value.Line, 1, std::max(1, m_lines->GetCount()));
    int column = ClampColumn(value.Char, line);
    if (column == m_caretX && line == m_caretY) return;
    const TPaintLockScope lock(*this);
    TSynStatusChanges changes = 0;
    if (column != m_caretX) changes |= stCaretX;
    if (line != m_caretY) changes |= stCaretY;
    m_caretX = column;
    m_caretY = line;
    EnsureCursorPosVisible();
    m_caretDirty = true;
    m_scrollBarsDirty = true;
    StatusChanged(changes);
}

void TCustomSynEdit::SetCaretX(int value) {
    SetCaretXY({value, m_caretY});
    m_lastCaretX = m_caretX;
}

void TCustomSynEdit::SetCaretY(int value) {
    if (!HasOption(eoKeepCaretX)) m_lastCaretX = m_caretX;
    SetCaretXY({m_lastCaretX, value});
}

TBufferCoord TCustomSynEdit::BlockBegin() const {
    return CoordLess(m_blockEnd, m_blockBegin) ? m_blockEnd : m_blockBegin;
}

TBufferCoord TCustomSynEdit::BlockEnd() const {
    return CoordLess(m_blockEnd, m_blockBegin) ? m_blockBegin : m_blockEnd;
}

bool TCustomSynEdit::SelAvail() const {
    return m_blockBegin.Char != m_blockEnd.Char ||
           (m_blockBegin.Line != m_blockEnd.Line && m_selectionMode != smColumn);
}

void TCustomSynEdit::SetBlockBegin(TBufferCoord value) {
    value.Char = LimitColumn(value.Char);
    value.Line = std::clamp(value.Line, 1, std::max(1, m_lines->GetCount()));
    if (m_selectionMode == smNormal)
        value.Char =
            std::min(value.Char, static_cast<int>(m_lines->GetView(value.Line - 1).size()) + 1);
    bool hadSelection = SelAvail();
    if (value == m_blockBegin && value == m_blockEnd) return;
    if (hadSelection) {
        InvalidateLines(std::min(m_blockBegin.Line, m_blockEnd.Line),
                        std::max(m_blockBegin.Line, m_blockEnd.Line));
    }
    m_blockBegin = value;
    m_blockEnd = value;
    StatusChanged(stSelection);
}

void TCustomSynEdit::SetBlockEnd(TBufferCoord value) {
    if (HasOption(eoNoSelection)) return;
    value.Char = LimitColumn(value.Char);
    value.Line = std::clamp(value.Line, 1, std::max(1, m_lines->GetCount()));
    if (m_selectionMode == smNormal)
        value.Char =
            std::min(value.Char, static_cast<int>(m_lines->GetView(value.Line - 1).size()) + 1);
    if (value == m_blockEnd) return;
    if (m_selectionMode == smColumn && value.Char != m_blockEnd.Char) {
        int first = std::min({m_blockBegin.Line, m_blockEnd.Line, value.Line});
        int last = std::max({m_blockBegin.Line, m_blockEnd.Line, value.Line});
        InvalidateLines(first, last);
    } else {
        InvalidateLines(std::min(m_blockEnd.Line, value.Line),
                        std::max(m_blockEnd.Line, value.Line));
    }
    m_blockEnd = value;
    StatusChanged(stSelection);
}

void TCustomSynEdit::MoveCaretAndSelection(TBufferCoord from, TBufferCoord to, bool selecting) {
    const TPaintLockScope lock(*this);
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

void TCustomSynEdit::SetCaretAndSelection(TBufferCoord caret, TBufferCoord begin,
                                          TBufferCoord end) {
    const TPaintLockScope lock(*this);
    SetCaretXY(caret);
    SetBlockBegin(begin);
    SetBlockEnd(end);
}

void TCustomSynEdit::EnsureCursorPosVisible() {
    const TPaintLockScope lock(*this);
    if (m_caretX < m_leftChar)
        SetLeftChar(m_caretX);
    else if (m_caretX > m_leftChar + m_charsInWindow)
        SetLeftChar(m_caretX - m_charsInWindow + 1);
    else
        SetLeftChar(m_leftChar);
    if (m_caretY < m_topLine)
        SetTopLine(m_caretY);
    else if (m_caretY > m_topLine + std::max(1, m_linesInWindow) - 1)
        SetTopLine(m_caretY - (m_linesInWindow - 1));
    else
        SetTopLine(m_topLine);
}

bool TCustomSynEdit::IsPointInSelection(TBufferCoord value) const {
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

void TCustomSynEdit::MoveCaretHorz(int delta, bool selecting) {
    TBufferCoord from = CaretXY();
    TBufferCoord to = from;
    int lineLen = static_cast<int>(m_lines->GetView(m_caretY - 1).size());
    bool pastEol = HasOption(eoScrollPastEol);
    if (!pastEol && delta < 0 && m_caretX == 1 && m_caretY > 1) {
        to.Line = m_caretY - 1;
        to.Char = static_cast<int>(m_lines->GetView(to.Line - 1).size()) + 1;
    } else if (!pastEol && delta > 0 && m_caretX > lineLen && m_caretY < m_lines->GetCount()) {
        to.Line = m_caretY + 1;
        to.Char = 1;
    } else {
        to.Char = std::max(1, m_caretX + delta);
        if (delta > 0 && !pastEol) to.Char = std::min(to.Char, lineLen + 1);
    }
    MoveCaretAndSelection(from, to, selecting);
    m_lastCaretX = m_caretX;
}

void TCustomSynEdit::MoveCaretVert(int delta, bool selecting) {
    TBufferCoord from = CaretXY();
    TBufferCoord to = from;
    to.Line = std::clamp(m_caretY + delta, 1, std::max(1, m_lines->GetCount()));
    if (to.Line != from.Line && HasOption(eoKeepCaretX)) to.Char = m_lastCaretX;
    MoveCaretAndSelection(from, to, selecting);
}

bool TCustomSynEdit::IsIdentChar(unsigned char c) const {
    if (m_highlighter) return m_highlighter->IdentifierChars()[c];
    return c >= 33;
}

TBufferCoord TCustomSynEdit::NextWordPos() const {
    int x = m_caretX;
    int y = m_caretY;
    const std::string line = m_lines->Get(y - 1);
    int len = static_cast<int>(line.size());
    if (x < len) {
        auto isIdent = [&](int col) {
            return IsIdentChar(static_cast<unsigned char>(line[col - 1]));
        };
        int col = x;
        if (!isIdent(col)) {
            while (col <= len && !isIdent(col)) ++col;
            if (col > len) return {len + 1, y};
        }
        while (col <= len && isIdent(col)) ++col;
        return {col, y};
    }
    if (y < m_lines->GetCount()) {
        const std::string next = m_lines->Get(y);
        int col = 1;
        int nlen = static_cast<int>(next.size());
        while (col <= nlen && !IsIdentChar(static_cast<unsigned char>(next[col - 1]))) ++col;
        if (col > nlen) col = 1;
        return {col, y + 1};
    }
    return {x, y};
}

TBufferCoord TCustomSynEdit::PrevWordPos() const {
    int y = m_caretY;
    const std::string line = m_lines->Get(y - 1);
    int len = static_cast<int>(line.size());
    int x = std::min(m_caretX, len + 1);
    auto previousLineEnd = [&]() -> TBufferCoord {
        if (y > 1) return {static_cast<int>(m_lines->GetView(y - 2).size()) + 1, y - 1};
        return {x, y};
    };
    if (x <= 1) return previousLineEnd();
    auto isIdent = [&](int col) { return IsIdentChar(static_cast<unsigned char>(line[col - 1])); };
    int col = x - 1;  // the character before the caret
    if (!isIdent(col)) {
        while (col >= 1 && !isIdent(col)) --col;
        if (col < 1) return previousLineEnd();
    }
    while (col >= 1 && isIdent(col)) --col;
    return {col + 1, y};
}

void TCustomSynEdit::SelectAll() {
    int count = m_lines->GetCount();
    TBufferCoord end{1, std::max(1, count)};
    if (count > 0) end.Char = static_cast<int>(m_lines->GetView(count - 1).size()) + 1;
    SetCaretAndSelection(end, {1, 1}, end);
    StatusChanged(stSelection);
}

// ---------------------------------------------------------------- coordinates

TBufferCoord TCustomSynEdit::PixelsToRowColumn(int x, int y) const {
    double f =
        static_cast<double>(x + (m_leftChar - 1) * m_charWidth - m_gutterWidth - 2) / m_charWidth;
    int displayColumns = static_cast<int>(f < 0 ? -std::floor(-f + 0.5) : std::floor(f + 0.5));
    int limitY = std::min(y, m_linesInWindow * m_lineHeight - 1);
    int line =
        (limitY >= 0 ? limitY / m_lineHeight : -((-limitY + m_lineHeight - 1) / m_lineHeight)) +
        m_topLine;
    int column = displayColumns + 1;
    if (line >= 1 && line <= m_lines->GetCount() && displayColumns > 0) {
        const std::string text = m_lines->Get(line - 1);
        int width = 0;
        int i = 0;
        while (width < displayColumns) {
            if (i < static_cast<int>(text.size()) && text[i] == '\t')
                width += m_tabWidth - (width % m_tabWidth);
            else
                ++width;
            ++i;
        }
        column = i + 1;
    } else if (displayColumns <= 0 && line >= 1 && line <= m_lines->GetCount()) {
        column = 1;
    }
    return {column, line};
}

TPoint TCustomSynEdit::RowColumnToPixels(TBufferCoord value) const {
    return {(value.Char - 1) * m_charWidth + m_textOffset,
            (value.Line - m_topLine) * m_lineHeight + 1};
}

int TCustomSynEdit::LogicalToPhysical(TBufferCoord value) const {
    const std::string text = m_lines->Get(value.Line - 1);
    int width = 0;
    int limit = value.Char - 1;
    for (int i = 0; i < limit; ++i) {
        if (i < static_cast<int>(text.size()) && text[i] == '\t')
            width += m_tabWidth - (width % m_tabWidth);
        else
            ++width;
    }
    return width + 1;
}

// ---------------------------------------------------------------- paint lock and status

void TCustomSynEdit::IncPaintLock() {
    ++m_paintLock;
}

void TCustomSynEdit::DecPaintLock() {
    if (m_paintLock > 0) --m_paintLock;
    if (m_paintLock != 0 || !m_window || !m_window->HandleAllocated()) return;
    if (m_scrollBarsDirty) UpdateScrollBars();
    if (m_caretDirty) UpdateCaret();
    if (m_statusChanges != 0 || m_listenerChanges != 0) StatusChanged(0);
}

void TCustomSynEdit::StatusChanged(TSynStatusChanges changes) {
    m_statusChanges |= changes;
    if (m_statusListener) m_listenerChanges |= changes;
    if (m_paintLock != 0) return;
    // The window's listener has its own pending set: without an OnStatusChange handler the
    // flags stay pending for the handler that comes later.
    if (m_listenerChanges != 0) {
        TSynStatusChanges pending = m_listenerChanges;
        m_listenerChanges = 0;
        m_statusListener(pending);
    }
    if (OnStatusChange && m_statusChanges != 0) {
        TSynStatusChanges pending = m_statusChanges;
        m_statusChanges = 0;
        OnStatusChange(this, pending);
    }
}

void TCustomSynEdit::UndoListChanged(TSynEditUndoList* list) {
    bool modified = m_undoList->CanUndo() || m_undoList->ItemsDropped();
    if (modified != m_modified) {
        m_modified = modified;
        StatusChanged(stModified);
    }
    // A new edit makes what was undone unreachable; a redo replay keeps it.
    if (list == m_undoList.get() && !m_inRedo) m_redoList->Clear();
    if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------- caret display

TRect TCustomSynEdit::CaretRect() const {
    TPoint p = RowColumnToPixels({LogicalToPhysical(CaretXY()), m_caretY});
    TSynEditCaretType type = m_insertMode ? m_insertCaret : m_overwriteCaret;
    int h = m_lineHeight - 2;
    switch (type) {
        case ctHorizontalLine:
            return {p.X, p.Y + m_lineHeight - 2, p.X + m_charWidth, p.Y + m_lineHeight};
        case ctHalfBlock:
            return {p.X, p.Y + h / 2, p.X + m_charWidth, p.Y + h / 2 + h / 2};
        case ctBlock:
            return {p.X, p.Y, p.X + m_charWidth, p.Y + h};
        default:
            return {p.X - 1, p.Y, p.X + 1, p.Y + h};
    }
}

void TCustomSynEdit::UpdateCaret() {
    if (!m_window) return;
    if (m_paintLock > 0 || !m_window->Focused() || !m_window->HandleAllocated()) {
        m_caretDirty = true;
        return;
    }
    m_caretDirty = false;
    TRect r = CaretRect();
    bool inside = r.Left >= m_gutterWidth && r.Left < m_window->ClientWidth() && r.Top >= 0 &&
                  r.Top < m_window->ClientHeight();
    m_window->PlaceCaret(inside && !HasOption(eoNoCaret), r);
}

void TCustomSynEdit::FocusChanged(bool focused) {
    if (focused)
        UpdateCaret();
    else if (m_window)
        m_window->PlaceCaret(false, CaretRect());
    if (m_hideSelection && SelAvail()) Invalidate();
}

// ---------------------------------------------------------------- bookmarks

TSynEditMark* TCustomSynEdit::Bookmark(int number) const {
    if (number < 0 || number > 9) return nullptr;
    return m_bookmarks[static_cast<size_t>(number)];
}

bool TCustomSynEdit::GetBookMark(int number, int& column, int& line) const {
    TSynEditMark* mark = Bookmark(number);
    if (!mark) return false;
    column = mark->Column();
    line = mark->Line();
    return true;
}

void TCustomSynEdit::PlaceBookmark(int number, int column, int line) {
    if (number < 0 || number > 9 || line < 1 || line > std::max(1, m_lines->GetCount())) return;
    auto mark = std::make_unique<TSynEditMark>(this);
    mark->SetLine(line);
    mark->SetColumn(column);
    mark->SetImageIndex(number);
    mark->SetBookmarkNumber(number);
    mark->SetVisible(true);
    mark->SetInternalImage(m_bookMarkOpt.BookmarkImages() == nullptr);
    TSynEditMark* candidate = mark.get();
    if (OnPlaceBookmark) {
        OnPlaceBookmark(this, candidate);
        if (!candidate) return;
        if (candidate != mark.get()) mark.reset(candidate);
    }
    for (int i = 0; i < 10; ++i)
        if (m_bookmarks[i] && m_bookmarks[i]->Line() == line) ClearBookmark(i);
    ClearBookmark(number);
    m_bookmarks[static_cast<size_t>(number)] = m_marks.Add(std::move(mark));
}

void TCustomSynEdit::ClearBookmark(int number) {
    if (number < 0 || number > 9 || !m_bookmarks[static_cast<size_t>(number)]) return;
    TSynEditMark* mark = m_bookmarks[static_cast<size_t>(number)];
    if (OnClearBookmark) OnClearBookmark(this, mark);
    m_marks.Remove(m_bookmarks[static_cast<size_t>(number)]);
    m_bookmarks[static_cast<size_t>(number)] = nullptr;
}

void TCustomSynEdit::JumpToBookmark(int number) {
    TSynEditMark* mark = Bookmark(number);
    if (!mark || mark->Line() > m_lines->GetCount()) return;
    const TPaintLockScope lock(*this);
    SetCaretXY({mark->Column(), mark->Line()});
    EnsureCursorPosVisible();
}
