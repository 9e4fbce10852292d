// Computes what the text area of an editor shows — runs of equal colour and style, selection
// pieces, end-of-line fills, the right margin line — and hands each piece to a canvas. The Qt
// widget's canvas draws them through the text drawer; tests record them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "editor/synedit_types.h"

class TCustomSynEdit;
class TSynCaretSelection;
class TSynViewport;

class ISynCanvas {
  public:
    virtual ~ISynCanvas() = default;
    virtual void FillRect(const TRect& rect, int32_t color) = 0;
    // A vertical 1-pixel line from top to bottom (exclusive) at x.
    virtual void DrawVerticalLine(int x, int top, int bottom, int32_t color) = 0;
    // Text on the character grid starting at x, opaque background, clipped to `clip`.
    virtual void DrawTextGrid(int x, int y, const TRect& clip, std::string_view text,
                              int32_t foreground, int32_t background, uint8_t style) = 0;
};

// Paints the text area for one clip rectangle (client coordinates).
class TSynTextAreaPainter {
  public:
    TSynTextAreaPainter(TCustomSynEdit& editor, ISynCanvas& canvas, bool focused);
    void Paint(TRect clip);

  private:
    struct Run {
        std::string text;
        int start = 0;  // display column of the run's first character (1-based)
        uint8_t style = 0;
        int32_t foreground = 0;
        int32_t background = 0;
    };

    void PaintLine(int line);
    void AddToken(std::string_view token, int tokenStart, int32_t fg, int32_t bg, uint8_t style);
    void FlushRun(bool fillToEnd);
    void DrawPiece(std::string_view text, int firstColumn, int lastColumn, int32_t fg, int32_t bg,
                   uint8_t style);
    void FillEndOfLine();
    int ColumnX(int column) const;

    TCustomSynEdit& m_editor;
    const TSynViewport& m_view;
    const TSynCaretSelection& m_selection;
    ISynCanvas& m_canvas;
    bool m_focused;

    TRect m_clip;
    int m_firstColumn = 1;
    int m_lastColumn = 1;
    int32_t m_background = 0;
    bool m_rightEdgeVisible = false;
    int m_rightEdgeX = 0;

    // Selection in display columns, text order.
    bool m_selectionShown = false;
    int m_selStartLine = 0, m_selStartCol = 0, m_selEndLine = 0, m_selEndCol = 0;

    // State of the line being painted.
    int m_lineTop = 0;
    int m_lineBottom = 0;
    int32_t m_lineForeground = 0;
    int32_t m_lineBackground = 0;
    bool m_specialLine = false;
    int m_lineSelStart = 0;  // 0 = no selection on the line
    int m_lineSelEnd = 0;
    bool m_complexLine = false;
    bool m_lineSelected = false;
    int m_drawnToX = 0;
    Run m_run;
};
