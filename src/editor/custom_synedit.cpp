// Editor logic: construction, properties, geometry, status reporting, the caret display and
// bookmarks, and the members handed on to the parts. Text-change reactions, the range frontier
// and finding live in their own files.
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

namespace {

// Gives the view the gutter width the gutter's settings and the character width ask for.
void FitGutter(TSynGutter& gutter, const TSynEditStringList& lines, TSynViewport& view) {
    if (gutter.ShowLineNumbers()) gutter.AutoSizeDigitCount(lines.GetCount());
    const int width = gutter.RealGutterWidth(view.CharWidth());
    if (width == view.GutterWidth())
        view.InvalidateGutter();
    else
        view.SetGutterWidth(width);
}

// The caret's rectangle in the window for its shape.
TRect CaretRectOf(const TSynViewport& view, const TSynCaretSelection& caretPart,
                  const TSynEditorSettings& settings, const TSynEditorLook& look) {
    const TBufferCoord caret = caretPart.CaretXY();
    const TSynEditCaretType type = settings.InsertMode ? look.InsertCaret : look.OverwriteCaret;
    const TPoint p = view.RowColumnToPixels({view.LogicalToPhysical(caret), caret.Line});
    const int lineHeight = view.LineHeight();
    const int charWidth = view.CharWidth();
    const int h = lineHeight - 2;
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

}  // namespace

TCustomSynEdit::TCustomSynEdit(ISynEditWindow* window)
    : m_lines(std::make_unique<TSynEditStringList>()),
      m_undoList(std::make_unique<TSynEditUndoList>()),
      m_redoList(std::make_unique<TSynEditUndoList>()),
      m_view(m_settings, *this, *m_lines, window),
      m_caret(m_settings, *this, *m_lines, m_view),
      m_changer(m_settings, *m_lines, m_marks, *m_undoList),
      m_text(m_settings, *m_lines, m_view, m_caret, m_changer),
      m_editing(*this, StateParts()),
      m_history(StateParts(), *m_undoList, *m_redoList),
      m_mouse(*this, StateParts()),
      m_reactions(m_settings, *this, *m_lines, m_view, m_caret, m_gutter, *m_undoList, *m_redoList,
                  {[this] { MetricsChanged(); }, [this](bool soon) { RangesPending(soon); }}) {
    auto listChanged = [this](TSynEditUndoList* list) {
        m_history.ListChanged(list);
        if (OnChange) OnChange(this);
    };
    m_undoList->SetOnAdded(listChanged);
    m_redoList->SetOnAdded(listChanged);
    m_undoList->SetOnDropped([this](std::int32_t number) { m_history.ItemDropped(number); });
    m_gutter.OnChange = [this](TSynGutter*) { FitGutter(m_gutter, *m_lines, m_view); };
    m_bookMarkOpt.OnChange = [this](TSynBookMarkOpt*) { m_view.InvalidateGutter(); };
    m_marks.OnChange = [this] { m_view.InvalidateGutter(); };
    m_lines->SetTabWidth(m_settings.TabWidth);
}

TCustomSynEdit::~TCustomSynEdit() = default;

// ---------------------------------------------------------------- properties

void TCustomSynEdit::SetHighlighter(TSynCustomHighlighter* value) {
    if (value != m_reactions.Highlighter()) m_reactions.SetHighlighter(value);
}

void TCustomSynEdit::SetOptions(TSynEditorOptions value) {
    if (value == m_settings.Options) return;
    bool pastEolCleared = (m_settings.Options & eoScrollPastEol) && !(value & eoScrollPastEol);
    m_settings.Options = value;
    if (pastEolCleared) m_caret.SetCaretX(m_caret.CaretX());
    UpdateScrollBars();
    m_view.Invalidate();
}

void TCustomSynEdit::SetExtraLineSpacing(int value) {
    if (value == m_view.ExtraLineSpacing()) return;
    m_view.SetExtraLineSpacing(value);
    SetFontMetrics(m_view.CharWidth(), m_view.CharHeight());
}

void TCustomSynEdit::SetHideSelection(bool value) {
    if (value == m_look.HideSelection) return;
    m_look.HideSelection = value;
    m_view.Invalidate();
}

void TCustomSynEdit::SetInsertCaret(TSynEditCaretType value) {
    if (value == m_look.InsertCaret) return;
    m_look.InsertCaret = value;
    UpdateCaret();
}

void TCustomSynEdit::SetOverwriteCaret(TSynEditCaretType value) {
    if (value == m_look.OverwriteCaret) return;
    m_look.OverwriteCaret = value;
    UpdateCaret();
}

void TCustomSynEdit::SetInsertMode(bool value) {
    if (value == m_settings.InsertMode) return;
    m_settings.InsertMode = value;
    UpdateCaret();
    EditorStatusChanged(stInsertMode);
}

void TCustomSynEdit::SetMaxLeftChar(int value) {
    value = std::clamp(value, 1, 32767);
    if (value == m_settings.MaxLeftChar) return;
    m_settings.MaxLeftChar = value;
    m_view.Invalidate();
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
    if (value == m_settings.ReadOnly) return;
    m_settings.ReadOnly = value;
    EditorStatusChanged(stReadOnly);
}

void TCustomSynEdit::SetRightEdge(int value) {
    if (value == m_look.RightEdge) return;
    m_look.RightEdge = value;
    m_view.Invalidate();
}

void TCustomSynEdit::SetRightEdgeColor(int32_t value) {
    if (value == m_look.RightEdgeColor) return;
    m_look.RightEdgeColor = value;
    if (m_look.RightEdge > 0 && m_view.Window() && m_view.Window()->HandleAllocated()) {
        int x = m_view.TextOffset() + m_look.RightEdge * m_view.CharWidth();
        m_view.Window()->InvalidateRect({x - 1, 0, x + 1, m_view.Window()->ClientHeight()});
    }
}

void TCustomSynEdit::SetSelectedColor(int32_t background, int32_t foreground) {
    if (background == m_look.SelectedBackground && foreground == m_look.SelectedForeground) return;
    m_look.SelectedBackground = background;
    m_look.SelectedForeground = foreground;
    m_view.Invalidate();
}

void TCustomSynEdit::SetTabWidth(int value) {
    value = std::clamp(value, 1, 256);
    if (value == m_settings.TabWidth) return;
    m_settings.TabWidth = value;
    m_lines->SetTabWidth(value);
    m_view.Invalidate();
}

void TCustomSynEdit::SetColor(int32_t value) {
    if (value == m_look.Color) return;
    m_look.Color = value;
    m_view.Invalidate();
}

void TCustomSynEdit::SetFontColor(int32_t value) {
    if (value == m_look.FontColor) return;
    m_look.FontColor = value;
    m_view.Invalidate();
}

// ---------------------------------------------------------------- geometry

void TCustomSynEdit::SetFontMetrics(int charWidth, int charHeight) {
    m_view.SetCellSize(charWidth, charHeight);
    if (m_gutter.ShowLineNumbers()) m_gutter.AutoSizeDigitCount(m_lines->GetCount());
    SizeChanged();
    FitGutter(m_gutter, *m_lines, m_view);
    UpdateCaret();
    m_view.Invalidate();
}

// ---------------------------------------------------------------- scrolling

void TCustomSynEdit::VerticalScroll(TSynScrollCode code, int position) {
    m_view.VerticalScroll(code, position);
    UpdateCaret();
}

void TCustomSynEdit::HorizontalScroll(TSynScrollCode code, int position) {
    m_view.HorizontalScroll(code, position);
    UpdateCaret();
}

void TCustomSynEdit::MouseWheel(int delta, bool ctrl, int systemLines) {
    m_view.MouseWheel(delta, ctrl, systemLines);
    UpdateCaret();
}

// ---------------------------------------------------------------- the parts' host

TSynEditorParts TCustomSynEdit::StateParts() {
    return {*this, m_settings, *m_lines, m_marks, m_view, m_caret, m_changer, m_text};
}

bool TCustomSynEdit::EditorIsIdentChar(unsigned char c) const {
    if (m_reactions.Highlighter()) return m_reactions.Highlighter()->IdentifierChars()[c];
    return c >= 33;
}

// ---------------------------------------------------------------- status

void TCustomSynEdit::EditorUnlocked() {
    if (m_view.CaretDirty()) UpdateCaret();
    if (m_status.Pending != 0 || m_status.ListenerPending != 0) EditorStatusChanged(0);
}

void TCustomSynEdit::EditorStatusChanged(TSynStatusChanges changes) {
    m_status.Pending |= changes;
    if (m_status.Listener) m_status.ListenerPending |= changes;
    if (m_view.PaintLock() != 0) return;
    // The window's listener has its own pending set: without an OnStatusChange handler the
    // flags stay pending for the handler that comes later.
    if (m_status.ListenerPending != 0) {
        TSynStatusChanges pending = m_status.ListenerPending;
        m_status.ListenerPending = 0;
        m_status.Listener(pending);
    }
    if (OnStatusChange && m_status.Pending != 0) {
        TSynStatusChanges pending = m_status.Pending;
        m_status.Pending = 0;
        OnStatusChange(this, pending);
    }
}

// ---------------------------------------------------------------- caret display

void TCustomSynEdit::UpdateCaret() {
    ISynEditWindow* window = m_view.Window();
    if (!window) return;
    if (m_view.PaintLock() > 0 || !window->Focused() || !window->HandleAllocated()) {
        m_view.SetCaretDirty(true);
        return;
    }
    m_view.SetCaretDirty(false);
    const TRect r = CaretRectOf(m_view, m_caret, m_settings, m_look);
    const bool inside = r.Left >= m_view.GutterWidth() && r.Left < window->ClientWidth() &&
                        r.Top >= 0 && r.Top < window->ClientHeight();
    window->PlaceCaret(inside && !HasOption(eoNoCaret), r);
}

void TCustomSynEdit::FocusChanged(bool focused) {
    if (focused)
        UpdateCaret();
    else if (m_view.Window())
        m_view.Window()->PlaceCaret(false, CaretRectOf(m_view, m_caret, m_settings, m_look));
    if (m_look.HideSelection && SelAvail()) m_view.Invalidate();
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
    m_caret.SetCaretXY({mark->Column(), mark->Line()});
    m_caret.EnsureCursorPosVisible();
}

// ---------------------------------------------------------------- handed to the parts

void TCustomSynEdit::SetCaretAndSelection(TBufferCoord caret, TBufferCoord begin,
                                          TBufferCoord end) {
    m_caret.SetCaretAndSelection(caret, begin, end);
}

void TCustomSynEdit::ProcessCommand(TSynEditorCommand command, char ch, void* data) {
    m_editing.ProcessCommand(command, ch, data);
}

void TCustomSynEdit::ExecuteCommand(TSynEditorCommand command, char ch, void* data) {
    m_editing.Execute(command, ch, data);
}

void TCustomSynEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    m_mouse.MouseDown(button, shift, x, y);
}

bool TCustomSynEdit::MouseMove(TShiftState shift, int x, int y, int dragDistance) {
    return m_mouse.MouseMove(shift, x, y, dragDistance);
}

void TCustomSynEdit::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    m_mouse.MouseUp(button, shift, x, y);
}

void TCustomSynEdit::DragDrop(TCustomSynEdit* source, int x, int y, TShiftState shift) {
    m_mouse.DragDrop(source, x, y, shift);
}

void TCustomSynEdit::DropFiles(int x, int y, std::vector<std::string> names) {
    m_mouse.DropFiles(x, y, std::move(names));
}

void TCustomSynEdit::InsertAtSelection(TSynSelectionMode mode, std::string_view text) {
    m_text.InsertAtSelection(mode, text);
}

void TCustomSynEdit::ReplaceTextRange(TBufferCoord begin, TBufferCoord end, std::string_view text) {
    m_text.ReplaceTextRange(begin, end, text);
}

void TCustomSynEdit::ClearAll() {
    m_lines->Clear();
}

void TCustomSynEdit::SetStatusListener(std::function<void(TSynStatusChanges)> listener) {
    m_status.Listener = std::move(listener);
}

bool TCustomSynEdit::ComputeRangesFor(std::chrono::microseconds budget) {
    return m_reactions.ComputeRangesFor(budget);
}

int TCustomSynEdit::FindReplace(std::string_view search, std::string_view replace,
                                TFindOptions options) {
    return m_editing.FindReplace(search, replace, options);
}
