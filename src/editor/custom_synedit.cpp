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
      m_view(m_settings, *this, *m_lines, window),
      m_caret(m_settings, *this, *m_lines, m_view),
      m_changer(m_settings, *m_lines, m_marks, *m_undoList),
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
    m_undoList->SetOnDropped([this](std::int32_t number) { UndoItemDropped(number); });
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
    if (value == m_settings.Options) return;
    bool pastEolCleared = (m_settings.Options & eoScrollPastEol) && !(value & eoScrollPastEol);
    m_settings.Options = value;
    if (pastEolCleared) SetCaretX(CaretX());
    UpdateScrollBars();
    Invalidate();
}

void TCustomSynEdit::SetExtraLineSpacing(int value) {
    if (value == m_view.ExtraLineSpacing()) return;
    m_view.SetExtraLineSpacing(value);
    SetFontMetrics(m_view.CharWidth(), m_view.CharHeight());
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
    if (value == m_settings.MaxLeftChar) return;
    m_settings.MaxLeftChar = value;
    Invalidate();
}

int TCustomSynEdit::ColumnLimit() const {
    return m_view.ColumnLimit();
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
        int x = m_view.TextOffset() + m_rightEdge * m_view.CharWidth();
        m_window->InvalidateRect({x - 1, 0, x + 1, m_window->ClientHeight()});
    }
}

void TCustomSynEdit::SetScrollBars(TScrollStyle value) {
    m_view.SetScrollBars(value);
}

void TCustomSynEdit::SetSelectedColor(int32_t background, int32_t foreground) {
    if (background == m_selectedBackground && foreground == m_selectedForeground) return;
    m_selectedBackground = background;
    m_selectedForeground = foreground;
    Invalidate();
}

void TCustomSynEdit::SetSelectionMode(TSynSelectionMode value) {
    m_caret.SetSelectionMode(value);
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
    m_view.SetCellSize(charWidth, charHeight);
    if (m_gutter.ShowLineNumbers()) m_gutter.AutoSizeDigitCount(m_lines->GetCount());
    SizeChanged();
    GutterChanged();
    UpdateCaret();
    Invalidate();
}

void TCustomSynEdit::GutterChanged() {
    if (m_gutter.ShowLineNumbers()) m_gutter.AutoSizeDigitCount(m_lines->GetCount());
    int width = m_gutter.RealGutterWidth(m_view.CharWidth());
    if (width == m_view.GutterWidth())
        InvalidateGutter();
    else
        SetGutterWidth(width);
}

// ---------------------------------------------------------------- scrolling

void TCustomSynEdit::VerticalScroll(TScrollCode code, int position) {
    m_view.VerticalScroll(code, position);
    UpdateCaret();
}

void TCustomSynEdit::HorizontalScroll(TScrollCode code, int position) {
    m_view.HorizontalScroll(code, position);
    UpdateCaret();
}

void TCustomSynEdit::MouseWheel(int delta, bool ctrl, int systemLines) {
    m_view.MouseWheel(delta, ctrl, systemLines);
    UpdateCaret();
}

void TCustomSynEdit::RecalcCharExtent() {
    MetricsChanged();
}

// ---------------------------------------------------------------- caret and selection

bool TCustomSynEdit::IsIdentChar(unsigned char c) const {
    if (m_highlighter) return m_highlighter->IdentifierChars()[c];
    return c >= 33;
}

// ---------------------------------------------------------------- coordinates

// ---------------------------------------------------------------- paint lock and status

void TCustomSynEdit::EditorUnlocked() {
    if (m_view.CaretDirty()) UpdateCaret();
    if (m_statusChanges != 0 || m_listenerChanges != 0) StatusChanged(0);
}

void TCustomSynEdit::StatusChanged(TSynStatusChanges changes) {
    m_statusChanges |= changes;
    if (m_statusListener) m_listenerChanges |= changes;
    if (m_view.PaintLock() != 0) return;
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
    UpdateModified();
    // A new edit makes what was undone unreachable; a redo replay keeps it.
    if (list == m_undoList.get() && !m_inRedo) m_redoList->Clear();
    if (OnChange) OnChange(this);
}

void TCustomSynEdit::UpdateModified() {
    // Change numbers are never reused for another group, and undo and redo keep a group's
    // number, so the newest undo item's number names the text the history has reached.
    const TSynEditUndoItem* newest = m_undoList->PeekItem();
    const std::int32_t current = newest != nullptr ? newest->ChangeNumber : 0;
    const bool modified = current != m_savedChangeNumber;
    if (modified != m_modified) {
        m_modified = modified;
        StatusChanged(stModified);
    }
}

void TCustomSynEdit::UndoItemDropped(std::int32_t changeNumber) {
    if (m_savedChangeNumber == 0) {
        // The saved text lay below everything recorded: part of the way back is gone.
        m_savedChangeNumber = -1;
    } else if (changeNumber == m_savedChangeNumber) {
        const TSynEditUndoList& list = *m_undoList;
        // With the saved group gone whole, undoing everything left returns to the saved text.
        if (list.ItemCount() == 0 || list.Item(0).ChangeNumber != changeNumber)
            m_savedChangeNumber = 0;
    }
}

void TCustomSynEdit::MarkSaved() {
    const TSynEditUndoItem* newest = m_undoList->PeekItem();
    m_savedChangeNumber = newest != nullptr ? newest->ChangeNumber : 0;
    UpdateModified();
}

// ---------------------------------------------------------------- caret display

TRect TCustomSynEdit::CaretRect() const {
    TPoint p = RowColumnToPixels({LogicalToPhysical(CaretXY()), CaretY()});
    const int lineHeight = m_view.LineHeight();
    const int charWidth = m_view.CharWidth();
    TSynEditCaretType type = m_insertMode ? m_insertCaret : m_overwriteCaret;
    int h = lineHeight - 2;
    switch (type) {
        case ctHorizontalLine:
            return {p.X, p.Y + lineHeight - 2, p.X + charWidth, p.Y + lineHeight};
        case ctHalfBlock:
            return {p.X, p.Y + h / 2, p.X + charWidth, p.Y + h / 2 + h / 2};
        case ctBlock:
            return {p.X, p.Y, p.X + charWidth, p.Y + h};
        default:
            return {p.X - 1, p.Y, p.X + 1, p.Y + h};
    }
}

void TCustomSynEdit::UpdateCaret() {
    if (!m_window) return;
    if (m_view.PaintLock() > 0 || !m_window->Focused() || !m_window->HandleAllocated()) {
        m_view.SetCaretDirty(true);
        return;
    }
    m_view.SetCaretDirty(false);
    TRect r = CaretRect();
    bool inside = r.Left >= m_view.GutterWidth() && r.Left < m_window->ClientWidth() &&
                  r.Top >= 0 && r.Top < m_window->ClientHeight();
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
    const TPaintLockScope lock(m_view);
    SetCaretXY({mark->Column(), mark->Line()});
    EnsureCursorPosVisible();
}
