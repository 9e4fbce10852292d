// The view part of the editor control: the top line and left column, the window's size in lines
// and characters, the cell metrics and the gutter width, the scroll bars, the paint lock, and the
// invalidation of what changed (collected while a change bracket of the line buffer is open).
// It converts between pixels and text positions; it changes no text and moves no caret.
#pragma once

#include <string>

#include "editor/scope_exit.h"
#include "editor/synedit_types.h"
#include "editor/synedit_window.h"

class TSynEditStringList;

class TSynViewport {
  public:
    TSynViewport(const TSynEditorSettings& settings, ISynEditorHost& host,
                 TSynEditStringList& lines, ISynEditWindow* window);
    TSynViewport(const TSynViewport&) = delete;
    TSynViewport& operator=(const TSynViewport&) = delete;

    // The window the view paints in (nullptr without one).
    ISynEditWindow* Window() const { return m_window; }

    // --- metrics ---
    int CharWidth() const { return m_charWidth; }
    int CharHeight() const { return m_charHeight; }
    int LineHeight() const { return m_lineHeight; }
    int ExtraLineSpacing() const { return m_extraLineSpacing; }
    int GutterWidth() const { return m_gutterWidth; }
    int TextOffset() const { return m_textOffset; }
    int LinesInWindow() const { return m_linesInWindow; }
    int CharsInWindow() const { return m_charsInWindow; }
    // New cell size (height without the extra line spacing).
    void SetCellSize(int charWidth, int charHeight);
    void SetExtraLineSpacing(int value) { m_extraLineSpacing = value; }
    // Measures the window again in lines and characters and keeps the view inside the text.
    void SizeChanged();
    void SetGutterWidth(int value);
    // The last column the view may reach: MaxLeftChar, or past the end of the longest line.
    int ColumnLimit() const;

    // --- position ---
    int TopLine() const { return m_topLine; }
    int LeftChar() const { return m_leftChar; }
    void SetTopLine(int value);
    void SetLeftChar(int value);
    // Scrolls as little as needed to show a position.
    void MakeVisible(TBufferCoord position);
    // Back to the top left after the text was cleared.
    void Reset();

    // --- scroll bars ---
    TScrollStyle ScrollBars() const { return m_scrollBars; }
    void SetScrollBars(TScrollStyle value);
    TScrollBarInfo HorizontalScrollBar() const;
    TScrollBarInfo VerticalScrollBar() const;
    void UpdateScrollBars();
    void MarkScrollBarsDirty() { m_scrollBarsDirty = true; }
    void VerticalScroll(TSynScrollCode code, int position);
    void HorizontalScroll(TSynScrollCode code, int position);
    const std::string& ScrollHintText() const { return m_scrollHint; }
    void MouseWheel(int delta, bool ctrl, int systemLines);

    // --- paint lock; the caret is placed again when it comes off ---
    void IncPaintLock() { ++m_paintLock; }
    void DecPaintLock();
    int PaintLock() const { return m_paintLock; }
    bool CaretDirty() const { return m_caretDirty; }
    void SetCaretDirty(bool value) { m_caretDirty = value; }

    // --- invalidation (1-based lines, -1 = to the bottom) ---
    void InvalidateLines(int firstLine, int lastLine);
    void InvalidateGutterLines(int firstLine, int lastLine);
    void InvalidateGutter() { InvalidateGutterLines(-1, -1); }
    void Invalidate();
    // Text and gutter from a line to the bottom, once per change bracket.
    void InvalidateToBottom(int line);

    // --- change brackets of the line buffer: invalidations are collected inside them ---
    void ChangesBegun() { ++m_changeDepth; }
    // True when the outermost bracket closed.
    bool ChangesEnded();
    bool InChanges() const { return m_changeDepth > 0; }
    // Invalidates what was collected, once no bracket or paint lock is open any more.
    void FlushCollected();

    // --- coordinates ---
    TBufferCoord PixelsToRowColumn(int x, int y) const;
    TPoint RowColumnToPixels(TBufferCoord value) const;
    // Tab-expanded (display) column of a character column on a 1-based line.
    int LogicalToPhysical(TBufferCoord value) const;
    // The character cell under a pixel: column 0 left of the text, columns past the line end.
    TBufferCoord CharUnderPixels(int x, int y) const;
    bool InTextArea(int x, int y) const;

  private:
    bool HasOption(TSynEditorOptions o) const { return (m_settings.Options & o) != 0; }
    bool WindowReady() const;
    void InvalidateCollected(const TRect& rect);
    // The rectangle of lines first..last (1-based, -1 = to the bottom) between two x positions.
    void InvalidateLineRange(int firstLine, int lastLine, int left, int right);

    const TSynEditorSettings& m_settings;
    ISynEditorHost& m_host;
    TSynEditStringList& m_lines;
    ISynEditWindow* m_window;

    int m_topLine = 1;
    int m_leftChar = 1;
    int m_linesInWindow = 0;
    int m_charsInWindow = 0;
    int m_charWidth = 8;
    int m_charHeight = 16;
    int m_lineHeight = 16;
    int m_extraLineSpacing = 0;
    int m_gutterWidth = 30;
    int m_textOffset = 32;
    TScrollStyle m_scrollBars = ssBoth;
    int m_paintLock = 0;
    // The top line moved while the paint lock held: the whole view is painted at its end.
    bool m_scrolledWhileLocked = false;
    bool m_scrollBarsDirty = false;
    bool m_caretDirty = false;
    int m_changeDepth = 0;
    int m_bottomInvalidFrom = 0;  // 1-based line from which all is invalid in this bracket
    TRect m_invalidRect;
    int m_wheelAccumulator = 0;
    std::string m_scrollHint;
};

using TPaintLockScope =
    TBracket<TSynViewport, &TSynViewport::IncPaintLock, &TSynViewport::DecPaintLock>;
