// The editor control's logic, as one facade over parts that own their state and behaviour: the
// view (TSynViewport: scrolling, metrics, paint lock, invalidation), the caret and selection
// (TSynCaretSelection), the text changer (TSynTextChanger: the recorded primitives that change
// the text), the selection text and insertion primitives over it (TSynSelectionText), the
// editing commands (TSynEditingCommands: input, command dispatch, the commands
// that change the text, find and replace, the clipboard), undo and redo (TSynUndoReplay), the
// mouse and drag and drop (TSynMouseController) and the reactions to text changes
// (TSynTextReactions: re-highlighting, range states, repainting). The facade keeps the settings,
// status reporting and bookmarks, and its public members hand on to the parts in one call; code
// of the program that works on one part asks for it (View(), Caret(), Editing(), History(),
// Mouse()). It knows nothing of Qt: the widget implements ISynEditWindow to receive
// invalidations, scroll-bar and caret updates, and feeds key, mouse and wheel input in as plain
// values.
#pragma once

#include <array>
#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "editor/gutter.h"
#include "editor/line_number.h"
#include "editor/marks.h"
#include "editor/synedit_caret.h"
#include "editor/synedit_editing_commands.h"
#include "editor/synedit_events.h"
#include "editor/synedit_mouse_controller.h"
#include "editor/synedit_selection_text.h"
#include "editor/synedit_text_changer.h"
#include "editor/synedit_text_reactions.h"
#include "editor/synedit_undo_replay.h"
#include "editor/synedit_viewport.h"

class TSynEditStringList;
class TSynEditUndoList;

class TCustomSynEdit : public TSynEditEvents, public ISynMarkOwner, private ISynEditorHost {
  public:
    explicit TCustomSynEdit(ISynEditWindow* window);
    ~TCustomSynEdit() override;

    TSynEditStringList& Lines() { return *m_lines; }
    const TSynEditStringList& Lines() const { return *m_lines; }
    TSynEditUndoList& UndoList() { return *m_undoList; }
    TSynEditKeyStrokes& Keystrokes() { return m_editing.Keystrokes(); }
    TSynGutter& Gutter() { return m_gutter; }
    TSynBookMarkOpt& BookMarkOptions() { return m_bookMarkOpt; }
    TSynEditMarkList& Marks() { return m_marks; }
    TSynViewport& View() { return m_view; }
    const TSynViewport& View() const { return m_view; }
    TSynCaretSelection& Caret() { return m_caret; }
    TSynSelectionText& SelectionText() { return m_text; }
    TSynEditingCommands& Editing() { return m_editing; }
    TSynUndoReplay& History() { return m_history; }
    TSynMouseController& Mouse() { return m_mouse; }
    // The colours, caret shapes and right edge; each is set through its setter below.
    const TSynEditorLook& Look() const { return m_look; }

    TSynCustomHighlighter* Highlighter() const { return m_reactions.Highlighter(); }
    TSynLongLineScan& LongLineScan() { return m_reactions.LongLineScan(); }
    void SetHighlighter(TSynCustomHighlighter* value);
    TSynEditorOptions Options() const { return m_settings.Options; }
    void SetOptions(TSynEditorOptions value);
    bool HasOption(TSynEditorOptions o) const { return m_settings.Has(o); }
    void SetExtraLineSpacing(int value);
    void SetHideSelection(bool value);
    void SetInsertCaret(TSynEditCaretType value);
    void SetOverwriteCaret(TSynEditCaretType value);
    bool InsertMode() const { return m_settings.InsertMode; }
    void SetInsertMode(bool value);
    int MaxLeftChar() const { return m_settings.MaxLeftChar; }
    void SetMaxLeftChar(int value);
    int MaxUndo() const;
    void SetMaxUndo(int value);
    bool ReadOnly() const { return m_settings.ReadOnly; }
    void SetReadOnly(bool value);
    void SetRightEdge(int value);
    void SetRightEdgeColor(int32_t value);
    void SetScrollBars(TScrollStyle value) { m_view.SetScrollBars(value); }
    void SetSelectedColor(int32_t background, int32_t foreground);
    TSynSelectionMode SelectionMode() const { return m_caret.SelectionMode(); }
    void SetSelectionMode(TSynSelectionMode value) { m_caret.SetSelectionMode(value); }
    int TabWidth() const { return m_settings.TabWidth; }
    void SetTabWidth(int value);
    bool WantTabs() const { return m_settings.WantTabs; }
    void SetWantTabs(bool value) { m_settings.WantTabs = value; }
    int32_t Color() const { return m_look.Color; }
    void SetColor(int32_t value);
    int32_t FontColor() const { return m_look.FontColor; }
    void SetFontColor(int32_t value);
    uint8_t FontStyle() const { return m_look.FontStyle; }
    void SetFontStyle(uint8_t value) { m_look.FontStyle = value; }
    bool Modified() const { return m_history.Modified(); }
    void MarkSaved() { m_history.MarkSaved(); }

    int CharWidth() const { return m_view.CharWidth(); }
    int LineHeight() const { return m_view.LineHeight(); }
    int GutterWidth() const { return m_view.GutterWidth(); }
    int TextOffset() const { return m_view.TextOffset(); }
    int LinesInWindow() const { return m_view.LinesInWindow(); }
    int CharsInWindow() const { return m_view.CharsInWindow(); }
    // New cell size from the text drawer (height without ExtraLineSpacing).
    void SetFontMetrics(int charWidth, int charHeight);
    void SizeChanged() { m_view.SizeChanged(); }

    TBufferCoord CaretXY() const { return m_caret.CaretXY(); }
    int CaretX() const { return m_caret.CaretX(); }
    int CaretY() const { return m_caret.CaretY(); }
    void SetCaretXY(TBufferCoord value) { m_caret.SetCaretXY(value); }
    void SetCaretX(int value) { m_caret.SetCaretX(value); }
    int LastCaretX() const { return m_caret.LastCaretX(); }
    TBufferCoord BlockBeginRaw() const { return m_caret.BlockBeginRaw(); }
    TBufferCoord BlockEndRaw() const { return m_caret.BlockEndRaw(); }
    TBufferCoord BlockBegin() const { return m_caret.BlockBegin(); }
    TBufferCoord BlockEnd() const { return m_caret.BlockEnd(); }
    void SetBlockBegin(TBufferCoord value) { m_caret.SetBlockBegin(value); }
    void SetBlockEnd(TBufferCoord value) { m_caret.SetBlockEnd(value); }
    bool SelAvail() const { return m_caret.SelAvail(); }
    void SetCaretAndSelection(TBufferCoord caret, TBufferCoord begin, TBufferCoord end);
    void EnsureCursorPosVisible() { m_caret.EnsureCursorPosVisible(); }
    bool IsPointInSelection(TBufferCoord value) const { return m_caret.IsPointInSelection(value); }
    TBufferCoord NextWordPos() const { return m_caret.NextWordPos(); }
    TBufferCoord PrevWordPos() const { return m_caret.PrevWordPos(); }
    void SelectAll() { m_caret.SelectAll(); }

    TBufferCoord PixelsToRowColumn(int x, int y) const { return m_view.PixelsToRowColumn(x, y); }
    TPoint RowColumnToPixels(TBufferCoord value) const { return m_view.RowColumnToPixels(value); }
    int LogicalToPhysical(TBufferCoord value) const { return m_view.LogicalToPhysical(value); }
    int TopLine() const { return m_view.TopLine(); }
    void SetTopLine(int value) { m_view.SetTopLine(value); }
    int LeftChar() const { return m_view.LeftChar(); }
    void SetLeftChar(int value) { m_view.SetLeftChar(value); }
    TScrollBarInfo VerticalScrollBar() const { return m_view.VerticalScrollBar(); }
    void UpdateScrollBars() { m_view.UpdateScrollBars(); }
    using enum TSynScrollCode;
    void VerticalScroll(TSynScrollCode code, int position);
    void HorizontalScroll(TSynScrollCode code, int position);
    std::string ScrollHintText() const { return m_view.ScrollHintText(); }
    // Delta in 1/120 notches; systemLines: the platform's lines per notch (-1 = one page).
    void MouseWheel(int delta, bool ctrl, int systemLines);
    void IncPaintLock() { m_view.IncPaintLock(); }
    void DecPaintLock() { m_view.DecPaintLock(); }
    int PaintLock() const { return m_view.PaintLock(); }
    TSynStatusChanges PendingStatusChanges() const { return m_status.Pending; }
    void InvalidateLines(int first, int last) { m_view.InvalidateLines(first, last); }
    void InvalidateGutterLine(int line) override { m_view.InvalidateGutterLines(line, line); }
    void UpdateCaret();
    void FocusChanged(bool focused);

    bool KeyDown(uint16_t key, uint8_t shift) { return m_editing.KeyDown(key, shift); }
    void KeyPress(char ch) { m_editing.KeyPress(ch); }
    void ImeResult(const std::string& text) { m_editing.ImeResult(text); }
    void ProcessCommand(TSynEditorCommand command, char ch = 0, void* data = nullptr);
    virtual void ExecuteCommand(TSynEditorCommand command, char ch, void* data);

    void PlaceBookmark(int number, int column, int line);
    void ClearBookmark(int number);
    void JumpToBookmark(int number);
    TSynEditMark* Bookmark(int number) const;
    bool GetBookMark(int number, int& column, int& line) const;

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    bool MouseMove(TShiftState shift, int x, int y, int dragDistance);
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    void DblClick(int x, int y) { m_mouse.DblClick(x, y); }
    bool ScrollTimerWanted() const { return m_mouse.ScrollTimerWanted(); }
    void ScrollTimerTick() { m_mouse.ScrollTimerTick(); }
    void ScrollTimerTick(TShiftState shift) { m_mouse.ScrollTimerTick(shift); }
    TSynCursor MouseCursorAt(int x, int y) const { return m_mouse.MouseCursorAt(x, y); }
    TSynCursor Cursor() const { return m_mouse.Cursor(); }
    void SetCursor(TSynCursor value) { m_mouse.SetCursor(value); }
    const TSynMouseNotes& MouseNotes() const { return m_mouse.Notes(); }
    void SetWordBlock(TBufferCoord value) { m_mouse.SetWordBlock(value); }
    bool DragOver(TCustomSynEdit* source, int x, int y) { return m_mouse.DragOver(source, x, y); }
    void DragLeave() { m_mouse.DragLeave(); }
    void DragDrop(TCustomSynEdit* source, int x, int y, TShiftState shift);
    void DropFiles(int x, int y, std::vector<std::string> names);

    int RangesKnown() const { return m_reactions.RangesKnown(); }
    void EnsureRanges(int lastIndex) { m_reactions.EnsureRanges(lastIndex); }
    int RangeStateAt(int index) { return m_reactions.RangeStateAt(index); }
    bool ComputeRangesFor(std::chrono::microseconds budget);
    std::string SelText() const { return m_text.SelText(); }
    void InsertAtSelection(TSynSelectionMode mode, std::string_view text);
    void ReplaceSelection(std::string_view text) { m_text.ReplaceSelection(text); }
    void ReplaceTextRange(TBufferCoord begin, TBufferCoord end, std::string_view text);
    void DeleteSelectionByKey() { m_text.DeleteSelectionByKey(); }
    int LeadingBlanks(int line) const { return m_changer.LeadingBlanks(TLineNumber(line)); }
    void Undo() { m_history.Undo(); }
    void Redo() { m_history.Redo(); }
    bool CanUndo() const { return m_history.CanUndo(); }
    bool CanRedo() const { return m_history.CanRedo(); }
    void ClearUndo() { m_history.Clear(); }
    void SetClipboard(ISynClipboard* clipboard) { m_editing.SetClipboard(clipboard); }
    void CopyToClipboard() { m_editing.CopyToClipboard(); }
    void CutToClipboard() { m_editing.CutToClipboard(); }
    void PasteFromClipboard() { m_editing.PasteFromClipboard(); }
    bool CanCut() const { return SelAvail(); }
    bool CanCopy() const { return SelAvail(); }
    bool CanPaste() const { return m_editing.CanPaste(); }
    void ClearAll();
    int FindReplace(std::string_view search, std::string_view replace, TFindOptions options);

  protected:
    // The window's own ear for status changes; it hears them before OnStatusChange.
    void SetStatusListener(std::function<void(TSynStatusChanges)> listener);
    virtual void MetricsChanged() {}
    // Range states are left to compute (a window schedules idle work).
    virtual void RangesPending(bool /*soon*/) {}

  private:
    bool EditorIsIdentChar(unsigned char c) const override;
    void EditorStatusChanged(TSynStatusChanges changes) override;
    void EditorUnlocked() override;
    TSynEditorParts StateParts();  // the parts that own state, for the behaviour parts
    std::unique_ptr<TSynEditStringList> m_lines;
    std::unique_ptr<TSynEditUndoList> m_undoList;
    std::unique_ptr<TSynEditUndoList> m_redoList;
    TSynGutter m_gutter;
    TSynBookMarkOpt m_bookMarkOpt;
    TSynEditMarkList m_marks;
    std::array<TSynEditMark*, 10> m_bookmarks{};
    TSynStatusReport m_status;
    TSynEditorSettings m_settings;
    TSynEditorLook m_look;
    // The parts, in the order they are made; the ISynEditorHost they report to is this.
    TSynViewport m_view;
    TSynCaretSelection m_caret;
    TSynTextChanger m_changer;
    TSynSelectionText m_text;
    TSynEditingCommands m_editing;
    TSynUndoReplay m_history;
    TSynMouseController m_mouse;
    TSynTextReactions m_reactions;
};
