// The editor control's logic, as one facade over three parts that own their state: the view
// (TSynViewport: scrolling, metrics, paint lock, invalidation), the caret and selection
// (TSynCaretSelection) and the text changer (TSynTextChanger: the recorded primitives that
// change the text). The facade keeps the settings, status reporting, reactions to text changes,
// bookmarks, commands and input. It knows nothing of Qt: the widget implements ISynEditWindow to
// receive invalidations, scroll-bar and caret updates, and feeds key, mouse and wheel input in
// as plain values.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "editor/find_options.h"
#include "editor/gutter.h"
#include "editor/line_number.h"
#include "editor/marks.h"
#include "editor/mouse_types.h"
#include "editor/synedit_caret.h"
#include "editor/synedit_text_changer.h"
#include "editor/synedit_types.h"
#include "editor/synedit_viewport.h"
#include "editor/synedit_window.h"
#include "editor/undo_item.h"

class TSynEditStringList;
class TSynEditUndoList;
class TSynEditKeyStrokes;
class TSynEditSearch;
class TSynCustomHighlighter;
class TCustomSynEdit;
class ISynClipboard;

using TSynEditorCommand = uint16_t;

// Per-line colour override answered by OnSpecialLineColors.
struct TSpecialLineColors {
    bool Special = false;
    int32_t Foreground = 0;
    int32_t Background = 0;
};

class TCustomSynEdit : public ISynMarkOwner, private ISynEditorHost {
  public:
    using TStatusChangeEvent = std::function<void(TCustomSynEdit* sender, TSynStatusChanges)>;
    using TProcessCommandEvent = std::function<void(
        TCustomSynEdit* sender, TSynEditorCommand& command, char& ch, void* data)>;
    using TCommandProcessedEvent =
        std::function<void(TCustomSynEdit* sender, TSynEditorCommand command, char ch, void* data)>;
    using TNotifyEvent = std::function<void(TCustomSynEdit* sender)>;
    using TSpecialLineColorsEvent =
        std::function<bool(TCustomSynEdit* sender, int line, int32_t& fg, int32_t& bg)>;
    using TBookmarkEvent = std::function<void(TCustomSynEdit* sender, TSynEditMark*& mark)>;
    using TReplaceTextEvent = std::function<void(TCustomSynEdit* sender, const std::string& search,
                                                 const std::string& replace, int line, int column,
                                                 TSynReplaceAction& action)>;

    explicit TCustomSynEdit(ISynEditWindow* window);
    ~TCustomSynEdit() override;
    TCustomSynEdit(const TCustomSynEdit&) = delete;
    TCustomSynEdit& operator=(const TCustomSynEdit&) = delete;

    // --- owned parts ---
    TSynEditStringList& Lines() { return *m_lines; }
    const TSynEditStringList& Lines() const { return *m_lines; }
    TSynEditUndoList& UndoList() { return *m_undoList; }
    TSynEditUndoList& RedoList() { return *m_redoList; }
    TSynEditKeyStrokes& Keystrokes() { return *m_keystrokes; }
    TSynEditSearch& SearchEngine() { return *m_search; }
    TSynGutter& Gutter() { return m_gutter; }
    TSynBookMarkOpt& BookMarkOptions() { return m_bookMarkOpt; }
    TSynEditMarkList& Marks() { return m_marks; }
    // The view and the caret and selection, for the painter and other readers.
    const TSynViewport& View() const { return m_view; }
    const TSynCaretSelection& Selection() const { return m_caret; }

    // --- properties ---
    TSynCustomHighlighter* Highlighter() const { return m_highlighter; }
    void SetHighlighter(TSynCustomHighlighter* value);
    TSynEditorOptions Options() const { return m_settings.Options; }
    void SetOptions(TSynEditorOptions value);
    bool HasOption(TSynEditorOptions o) const { return (m_settings.Options & o) != 0; }
    int ExtraLineSpacing() const { return m_view.ExtraLineSpacing(); }
    void SetExtraLineSpacing(int value);
    bool HideSelection() const { return m_hideSelection; }
    void SetHideSelection(bool value);
    TSynEditCaretType InsertCaret() const { return m_insertCaret; }
    void SetInsertCaret(TSynEditCaretType value);
    TSynEditCaretType OverwriteCaret() const { return m_overwriteCaret; }
    void SetOverwriteCaret(TSynEditCaretType value);
    bool InsertMode() const { return m_insertMode; }
    void SetInsertMode(bool value);
    int MaxLeftChar() const { return m_settings.MaxLeftChar; }
    void SetMaxLeftChar(int value);
    // The last column the caret, the selection and the view may reach: MaxLeftChar, or past
    // the end of the longest line when that is longer, so every line end can be reached.
    int ColumnLimit() const;
    int MaxUndo() const;
    void SetMaxUndo(int value);
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool value);
    int RightEdge() const { return m_rightEdge; }
    void SetRightEdge(int value);
    int32_t RightEdgeColor() const { return m_rightEdgeColor; }
    void SetRightEdgeColor(int32_t value);
    TScrollStyle ScrollBars() const { return m_view.ScrollBars(); }
    void SetScrollBars(TScrollStyle value);
    int32_t SelectedBackground() const { return m_selectedBackground; }
    int32_t SelectedForeground() const { return m_selectedForeground; }
    void SetSelectedColor(int32_t background, int32_t foreground);
    TSynSelectionMode SelectionMode() const { return m_caret.SelectionMode(); }
    void SetSelectionMode(TSynSelectionMode value);
    int TabWidth() const { return m_tabWidth; }
    void SetTabWidth(int value);
    bool WantTabs() const { return m_wantTabs; }
    void SetWantTabs(bool value) { m_wantTabs = value; }
    int32_t Color() const { return m_color; }
    void SetColor(int32_t value);
    int32_t FontColor() const { return m_fontColor; }
    void SetFontColor(int32_t value);
    uint8_t FontStyle() const { return m_fontStyle; }
    void SetFontStyle(uint8_t value) { m_fontStyle = value; }
    // True while the text differs from the one loaded or last marked saved, as far as the undo
    // history can tell: undoing or redoing back to that text clears it again.
    bool Modified() const { return m_modified; }
    // Marks the current text as the saved one.
    void MarkSaved();

    // --- geometry (the widget measures the font and tells the logic) ---
    int CharWidth() const { return m_view.CharWidth(); }
    int LineHeight() const { return m_view.LineHeight(); }
    int GutterWidth() const { return m_view.GutterWidth(); }
    int TextOffset() const { return m_view.TextOffset(); }
    int LinesInWindow() const { return m_view.LinesInWindow(); }
    int CharsInWindow() const { return m_view.CharsInWindow(); }
    // New cell size from the text drawer (height without ExtraLineSpacing).
    void SetFontMetrics(int charWidth, int charHeight);
    // The window was resized.
    void SizeChanged() { m_view.SizeChanged(); }
    void SetGutterWidth(int value) { m_view.SetGutterWidth(value); }

    // --- caret and selection ---
    TBufferCoord CaretXY() const { return m_caret.CaretXY(); }
    int CaretX() const { return m_caret.CaretX(); }
    int CaretY() const { return m_caret.CaretY(); }
    void SetCaretXY(TBufferCoord value) { m_caret.SetCaretXY(value); }
    void SetCaretX(int value) { m_caret.SetCaretX(value); }
    void SetCaretY(int value) { m_caret.SetCaretY(value); }
    int LastCaretX() const { return m_caret.LastCaretX(); }
    TBufferCoord BlockBeginRaw() const { return m_caret.BlockBeginRaw(); }
    TBufferCoord BlockEndRaw() const { return m_caret.BlockEndRaw(); }
    // The selection's ends in text order.
    TBufferCoord BlockBegin() const { return m_caret.BlockBegin(); }
    TBufferCoord BlockEnd() const { return m_caret.BlockEnd(); }
    void SetBlockBegin(TBufferCoord value) { m_caret.SetBlockBegin(value); }
    void SetBlockEnd(TBufferCoord value) { m_caret.SetBlockEnd(value); }
    bool SelAvail() const { return m_caret.SelAvail(); }
    void MoveCaretAndSelection(TBufferCoord from, TBufferCoord to, bool selecting) {
        m_caret.MoveCaretAndSelection(from, to, selecting);
    }
    void SetCaretAndSelection(TBufferCoord caret, TBufferCoord begin, TBufferCoord end) {
        m_caret.SetCaretAndSelection(caret, begin, end);
    }
    void EnsureCursorPosVisible() { m_caret.EnsureCursorPosVisible(); }
    bool IsPointInSelection(TBufferCoord value) const { return m_caret.IsPointInSelection(value); }
    void MoveCaretHorz(int delta, bool selecting) { m_caret.MoveCaretHorz(delta, selecting); }
    void MoveCaretVert(int delta, bool selecting) { m_caret.MoveCaretVert(delta, selecting); }
    TBufferCoord NextWordPos() const { return m_caret.NextWordPos(); }
    TBufferCoord PrevWordPos() const { return m_caret.PrevWordPos(); }
    bool IsIdentChar(unsigned char c) const;
    void SelectAll() { m_caret.SelectAll(); }

    // --- coordinates ---
    TBufferCoord PixelsToRowColumn(int x, int y) const { return m_view.PixelsToRowColumn(x, y); }
    TPoint RowColumnToPixels(TBufferCoord value) const { return m_view.RowColumnToPixels(value); }
    // Tab-expanded (display) column of a character column on a 1-based line.
    int LogicalToPhysical(TBufferCoord value) const { return m_view.LogicalToPhysical(value); }

    // --- scrolling ---
    int TopLine() const { return m_view.TopLine(); }
    void SetTopLine(int value) { m_view.SetTopLine(value); }
    int LeftChar() const { return m_view.LeftChar(); }
    void SetLeftChar(int value) { m_view.SetLeftChar(value); }
    TScrollBarInfo HorizontalScrollBar() const { return m_view.HorizontalScrollBar(); }
    TScrollBarInfo VerticalScrollBar() const { return m_view.VerticalScrollBar(); }
    void UpdateScrollBars() { m_view.UpdateScrollBars(); }
    // Scroll-bar messages from the window.
    using TScrollCode = TSynScrollCode;
    using enum TSynScrollCode;
    void VerticalScroll(TScrollCode code, int position);
    void HorizontalScroll(TScrollCode code, int position);
    // Text shown by the scroll hint while the thumb is tracked ("" when none).
    std::string ScrollHintText() const { return m_view.ScrollHintText(); }
    // Mouse wheel: delta in 1/120 notches; systemLines is the platform's lines per notch
    // (-1 = one page).
    void MouseWheel(int delta, bool ctrl, int systemLines);

    // --- paint lock and status ---
    void IncPaintLock() { m_view.IncPaintLock(); }
    void DecPaintLock() { m_view.DecPaintLock(); }
    int PaintLock() const { return m_view.PaintLock(); }
    void StatusChanged(TSynStatusChanges changes);
    TSynStatusChanges PendingStatusChanges() const { return m_statusChanges; }

    // --- invalidation ---
    // Text area, 1-based, -1 = to the bottom.
    void InvalidateLines(int firstLine, int lastLine) {
        m_view.InvalidateLines(firstLine, lastLine);
    }
    void InvalidateGutterLines(int firstLine, int lastLine) {
        m_view.InvalidateGutterLines(firstLine, lastLine);
    }
    void InvalidateGutter() { m_view.InvalidateGutter(); }
    void Invalidate() { m_view.Invalidate(); }
    void InvalidateGutterLine(int line) override { InvalidateGutterLines(line, line); }

    // --- caret display ---
    TRect CaretRect() const;
    void UpdateCaret();
    void FocusChanged(bool focused);

    // --- keyboard and commands ---
    // Key down: returns true when the key produced a command (the key is consumed).
    bool KeyDown(uint16_t key, uint8_t shift);
    void KeyPress(char ch);
    void ImeResult(const std::string& text);
    void ProcessCommand(TSynEditorCommand command, char ch = 0, void* data = nullptr);
    virtual void ExecuteCommand(TSynEditorCommand command, char ch, void* data);

    // --- bookmarks ---
    void PlaceBookmark(int number, int column, int line);
    void ClearBookmark(int number);
    void JumpToBookmark(int number);
    TSynEditMark* Bookmark(int number) const;
    bool GetBookMark(int number, int& column, int& line) const;

    // --- mouse (synedit_mouse.cpp, synedit_drag_drop.cpp) ---
    // Pixel positions are client-area coordinates; `shift` holds the keyboard modifiers and
    // the buttons held (ssLeft, ssRight, ssMiddle, ssDouble).
    using TMouseEvent = std::function<void(TCustomSynEdit* sender, TMouseButton button,
                                           TShiftState shift, int x, int y)>;
    using TGutterClickEvent =
        std::function<void(TCustomSynEdit* sender, int x, int y, int line, TSynEditMark* mark)>;
    using TDropFilesEvent = std::function<void(TCustomSynEdit* sender, int x, int y,
                                               const std::vector<std::string>& names)>;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    // Returns true when a drag of the selection starts now; the window then runs the drag.
    bool MouseMove(TShiftState shift, int x, int y, int dragDistance);
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    // The double click itself; the window sends the button-down with ssDouble after it.
    void DblClick(int x, int y);
    // The window runs a 100 ms timer while this is true and calls ScrollTimerTick on it.
    bool ScrollTimerWanted() const { return m_mouse.ScrollTimerOn; }
    void ScrollTimerTick();
    void ScrollTimerTick(TShiftState shift);
    TSynCursor MouseCursorAt(int x, int y) const;
    TSynCursor Cursor() const { return m_cursor; }
    void SetCursor(TSynCursor value) { m_cursor = value; }
    bool PopupMenuAssigned() const { return m_popupMenuAssigned; }
    void SetPopupMenuAssigned(bool value) { m_popupMenuAssigned = value; }
    const TSynMouseNotes& MouseNotes() const { return m_mouse; }
    // Selects the word at a position (double click).
    void SetWordBlock(TBufferCoord value);
    // Text drag and drop; `source` is the editor the drag came from (nullptr: not an editor).
    bool DragOver(TCustomSynEdit* source, int x, int y);
    void DragLeave();
    void DragDrop(TCustomSynEdit* source, int x, int y, TShiftState shift);
    void DropFiles(int x, int y, std::vector<std::string> names);

    // --- events ---
    TMouseEvent OnMouseDown;
    TNotifyEvent OnDblClick;
    TGutterClickEvent OnGutterClick;
    TDropFilesEvent OnDropFiles;
    TNotifyEvent OnChange;
    TBookmarkEvent OnClearBookmark;
    TBookmarkEvent OnPlaceBookmark;
    TCommandProcessedEvent OnCommandProcessed;
    TProcessCommandEvent OnProcessCommand;
    TProcessCommandEvent OnProcessUserCommand;
    TSpecialLineColorsEvent OnSpecialLineColors;
    TStatusChangeEvent OnStatusChange;
    // Heard before the editor's own key handling: a key-down handler that sets the key to 0,
    // or a key-press handler that sets the character to 0, consumes it.
    using TKeyEvent = std::function<void(TCustomSynEdit* sender, uint16_t& key, uint8_t shift)>;
    using TKeyPressEvent = std::function<void(TCustomSynEdit* sender, char& ch)>;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;

    // Rescans highlighting from buffer index `index`; returns the last buffer index rescanned.
    int ScanFrom(int index);

    // Range states are computed lazily (synedit_range_frontier.cpp): lines [0, RangesKnown())
    // hold the state a full scan from the top would give them; lines below are computed when
    // painted or asked for, or by idle-time slices.
    int RangesKnown() const { return m_rangesKnown; }
    // Computes the range states of every line up to buffer index `lastIndex`.
    void EnsureRanges(int lastIndex);
    // The range state at the start of buffer line `index`, computed first when needed.
    int RangeStateAt(int index);
    // Carries the computed range states forward for about `budget`; true while lines remain.
    bool ComputeRangesFor(std::chrono::microseconds budget);

    // ================================================================ editing
    // Text primitives shared by every command that changes the text, drag and drop, the
    // search flow and completion.
    // The selected text in the current selection mode; lines joined with CR LF.
    std::string SelText() const;
    // Deletes the selection (in the current mode) and inserts `text` at the caret in `mode`,
    // in one paint lock and one update bracket. Records only its own side effects (spaces it
    // pads with, blanks it trims, lines it adds), so undo restores the text exactly; the caller
    // records the deletion and the insertion.
    void InsertAtSelection(TSynSelectionMode mode, std::string_view text);
    // Replaces the selection by `text` in normal mode, recording undo (one group).
    void ReplaceSelection(std::string_view text);
    // Replaces the text between two positions by `text` in normal mode, recording undo (one
    // group). The range is exact, also beyond MaxLeftChar where the selection is clamped; the
    // caret goes after the inserted text and the selection collapses there.
    void ReplaceTextRange(TBufferCoord begin, TBufferCoord end, std::string_view text);
    // Backspace or Delete with a selection: records the deletion and deletes.
    void DeleteSelectionByKey();
    // Count of leading characters with codes 1..32 of a 1-based line; 0 without eoAutoIndent.
    int LeadingBlanks(int line) const { return m_changer.LeadingBlanks(TLineNumber(line)); }
    // The leading blanks and tabs of a line as they are (none without auto-indent).
    std::string LeadingIndent(int line) const { return m_changer.LeadingIndent(TLineNumber(line)); }

    // Undo and redo.
    void Undo();
    void Redo();
    bool CanUndo() const;
    bool CanRedo() const;
    void BeginUndoBlock();
    void EndUndoBlock();
    void LockUndo();
    void UnlockUndo();
    void ClearUndo();
    bool InRedoReplay() const { return m_inRedo; }

    // Clipboard, given by whoever makes the editor; without one, Copy, Cut and Paste raise
    // ESynEditError and CanPaste is false.
    void SetClipboard(ISynClipboard* clipboard) { m_clipboard = clipboard; }
    ISynClipboard& Clipboard() const;
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    // Enabling of the standard edit actions.
    bool CanCut() const { return SelAvail(); }
    bool CanCopy() const { return SelAvail(); }
    bool CanPaste() const;

    void ClearAll();
    // Finds and optionally replaces; returns the number of matches handled.
    int FindReplace(std::string_view search, std::string_view replace, TFindOptions options);
    TReplaceTextEvent OnReplaceText;

  protected:
    ISynEditWindow* Window() const { return m_window; }
    // The window's own ear for status changes (the edit actions follow the selection); it hears
    // them before OnStatusChange, which stays free for the control's user.
    void SetStatusListener(std::function<void(TSynStatusChanges)> listener) {
        m_statusListener = std::move(listener);
    }
    // Recomputes gutter width from the gutter settings and the character width.
    void GutterChanged();
    void RecalcCharExtent();
    virtual void MetricsChanged() {}
    // Called after a change left range states to compute (a window schedules idle work).
    virtual void RangesPending() {}

  private:
    // ISynEditorHost, for the parts.
    bool EditorIsIdentChar(unsigned char c) const override { return IsIdentChar(c); }
    void EditorStatusChanged(TSynStatusChanges changes) override { StatusChanged(changes); }
    void EditorUnlocked() override;

    // Reactions to the line buffer (synedit_text_events.cpp).
    void HookLines();
    void ListAdded(int index);
    void ListDeleted(int index);
    void ListInserted(int index);
    void ListPutted(int index);
    void ListCleared();
    void ListBeginUpdate();
    void ListEndUpdate();
    int ScanLines(int index, int mustReach);
    void QueueRescan(int firstLine, int lastLine);
    void LinesMoved(int index);
    void MoveRangeFrontier(int index, int delta);
    void RunQueuedRescan();
    void RescanAll();
    void UndoListChanged(TSynEditUndoList* list);
    void UndoItemDropped(std::int32_t changeNumber);
    void UpdateModified();
    void ToggleBookmarkAtCaret(int number);
    void MatchBracket();
    // Commands that change the text (and copying).
    void ExecuteEditingCommand(TSynEditorCommand command, char ch, void* data);

    // ---------------------------------------------------------------- editing internals
    std::string_view LineAt(TLineNumber line) const { return m_changer.LineAt(line); }
    int LineLength(TLineNumber line) const { return m_changer.LineLength(line); }
    // First line from fromLine to lastLine (1-based) in which the search engine finds its
    // pattern, or lastLine + 1 when there is none.
    int NextLineWithMatch(int fromLine, int lastLine) const;
    // Puts back options changed for the length of a command; a caret left beyond the line end
    // is pulled back when eoScrollPastEol comes off again.
    void RestoreOptions(TSynEditorOptions options);
    void RecordChange(TSynChangeReason kind, TBufferCoord start, TBufferCoord end,
                      std::string_view text, TSynSelectionMode mode) {
        m_changer.RecordChange(kind, start, end, text, mode);
    }
    // Prepares the selection for recording its deletion: normal-mode ends cut to the line
    // ends, column-mode lines that reach into the block padded to its right column.
    void PrepareSelectionForDelete();
    void RecordSelectionDeletion(TSynChangeReason kind);
    // Deletes [begin, end) and inserts `text` through the text changer, in one paint lock and
    // one change bracket; the caret goes after the inserted text. Returns that exact position.
    TBufferCoord ReplaceRange(TBufferCoord begin, TBufferCoord end, TSynSelectionMode deleteMode,
                              std::string_view text, TSynSelectionMode insertMode,
                              bool deleteRange = true);
    // ReplaceSelection on an explicit normal-mode range.
    void ReplaceRangeRecorded(TBufferCoord begin, TBufferCoord end, std::string_view deleted,
                              std::string_view text);
    // Undo and redo replay (synedit_undo.cpp): every kind of change has a pair of steps, one
    // reverting it and one making it again; `to` is the list that receives the counterpart.
    using TReplayStep = void (TCustomSynEdit::*)(const TSynEditUndoItem& item,
                                                 TSynEditUndoList& to);
    struct TReplayPair {
        TReplayStep undo;
        TReplayStep redo;
    };
    static const TReplayPair& ReplayPairFor(TSynChangeReason kind);
    void ReplayGroup(TSynEditUndoList& from, TSynEditUndoList& to, bool redo);
    void UndoInsertion(const TSynEditUndoItem& item, TSynEditUndoList& to);
    void RedoInsertion(const TSynEditUndoItem& item, TSynEditUndoList& to);
    void UndoDeletion(const TSynEditUndoItem& item, TSynEditUndoList& to);
    void RedoDeletion(const TSynEditUndoItem& item, TSynEditUndoList& to);
    void UndoLineBreak(const TSynEditUndoItem& item, TSynEditUndoList& to);
    void RedoLineBreak(const TSynEditUndoItem& item, TSynEditUndoList& to);
    void UndoIndent(const TSynEditUndoItem& item, TSynEditUndoList& to);
    void RedoIndent(const TSynEditUndoItem& item, TSynEditUndoList& to);
    void UndoUnindent(const TSynEditUndoItem& item, TSynEditUndoList& to);
    void RedoUnindent(const TSynEditUndoItem& item, TSynEditUndoList& to);
    // Inserts TabWidth spaces at the start of lines first..last.
    void IndentLines(int first, int last);
    // Removes leading spaces from the lines from `first` on: as many from each line as the
    // matching piece of `pieces` (pieces between CR LF) is long.
    void RemoveLeadingSpaces(TLineNumber first, std::string_view pieces);
    // Editing commands.
    void TypeText(std::string_view text, bool ime);
    // Backspace or Delete: the selection, else the character before or at the caret; the two
    // below run inside the change bracket it opens.
    void DeleteByKey(bool backwards);
    void DeleteLastChar();
    void DeleteChar();
    void DeleteRange(TBufferCoord from, TBufferCoord to, TSynChangeReason kind);
    void DeleteLine();
    void LineBreak(bool moveCaret);
    void InsertTab();
    void BlockIndent();
    void BlockUnindent();
    int SmartTabWidth() const;
    // Mouse helpers.
    void ComputeScrollDeltas(int x, int y);
    void GutterClick(int x, int y);

    ISynEditWindow* m_window;
    ISynClipboard* m_clipboard = nullptr;
    bool m_inRedo = false;
    std::unique_ptr<TSynEditStringList> m_lines;
    std::unique_ptr<TSynEditUndoList> m_undoList;
    std::unique_ptr<TSynEditUndoList> m_redoList;
    std::unique_ptr<TSynEditKeyStrokes> m_keystrokes;
    std::unique_ptr<TSynEditSearch> m_search;
    TSynGutter m_gutter;
    TSynBookMarkOpt m_bookMarkOpt;
    TSynEditMarkList m_marks;
    std::array<TSynEditMark*, 10> m_bookmarks{};
    TSynCustomHighlighter* m_highlighter = nullptr;
    std::function<void(void*)> m_onAttributesChanged;

    // The settings the parts read, and the parts.
    TSynEditorSettings m_settings;
    TSynViewport m_view;
    TSynCaretSelection m_caret;
    TSynTextChanger m_changer;

    TSynStatusChanges m_statusChanges = 0;
    TSynStatusChanges m_listenerChanges = 0;  // not yet heard by the window's listener
    bool m_modified = false;
    // Change number of the newest undo item when the text was last saved or loaded; 0 for an
    // empty undo list, -1 once that text can no longer be reached by undo and redo.
    std::int32_t m_savedChangeNumber = 0;
    uint16_t m_lastKey = 0;
    uint8_t m_lastShift = 0;
    bool m_ignoreNextChar = false;
    int m_rescanFirst = -1;  // rescan queued inside a change bracket: first and last line
    int m_rescanLast = -1;
    int m_rescanCount = 0;  // line count when the queue last followed a move
    int m_rangesKnown = 0;  // lines from the top whose stored range state is valid
    TSynMouseNotes m_mouse;
    std::function<void(TSynStatusChanges)> m_statusListener;
    TSynCursor m_cursor = crIBeam;
    bool m_popupMenuAssigned = false;

    bool m_hideSelection = false;
    TSynEditCaretType m_insertCaret = ctVerticalLine;
    TSynEditCaretType m_overwriteCaret = ctBlock;
    bool m_insertMode = true;
    bool m_readOnly = false;
    int m_rightEdge = 80;
    int32_t m_rightEdgeColor = 0xC0C0C0;
    int32_t m_selectedBackground;
    int32_t m_selectedForeground;
    int m_tabWidth = 8;
    bool m_wantTabs = false;
    int32_t m_color;
    int32_t m_fontColor;
    uint8_t m_fontStyle = 0;
};
