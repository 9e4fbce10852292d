// Text-area painting: lines are split into runs of equal colour and style, runs are cut at the
// selection, and the rest of each line and of the clip is filled with the right background.
// Columns here are display columns (tabs expanded); column ranges are half-open.
#include "editor/text_area_painter.h"

#include <algorithm>

#include "editor/custom_synedit.h"
#include "editor/lines_by_number.h"
#include "editor/string_list.h"
#include "highlight/highlighter_colors.h"
#include "highlight/syn_custom_highlighter.h"

namespace {

bool AllSpaces(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
}

}  // namespace

TSynTextAreaPainter::TSynTextAreaPainter(TCustomSynEdit& editor, ISynCanvas& canvas, bool focused)
    : m_editor(editor),
      m_view(editor.View()),
      m_selection(editor.Caret()),
      m_canvas(canvas),
      m_focused(focused) {}

int TSynTextAreaPainter::ColumnX(int column) const {
    return (column - 1) * m_view.CharWidth() + m_view.TextOffset();
}

void TSynTextAreaPainter::Paint(TRect clip) {
    TCustomSynEdit& ed = m_editor;
    const int cw = m_view.CharWidth();
    const int lh = m_view.LineHeight();
    const int gw = m_view.GutterWidth();
    const int lineCount = ed.Lines().GetCount();

    m_firstColumn =
        clip.Left > gw + 2 ? m_view.LeftChar() + (clip.Left - gw - 2) / cw : m_view.LeftChar();
    m_lastColumn = m_firstColumn + (clip.Right + cw - gw - 3) / cw;
    const int firstLine = std::max(m_view.TopLine(), m_view.TopLine() + clip.Top / lh);
    const int lastLine = std::min(lineCount, m_view.TopLine() + (clip.Bottom + lh - 1) / lh);

    m_background = ed.Look().Color;
    if (TSynCustomHighlighter* hl = ed.Highlighter()) {
        if (TSynHighlighterAttributes* ws = hl->DefaultAttribute(4);
            ws && ws->Background() != clNone)
            m_background = ws->Background();
    }

    m_rightEdgeVisible = false;
    if (ed.Look().RightEdge > 0) {
        m_rightEdgeX = ed.Look().RightEdge * cw + m_view.TextOffset();
        m_rightEdgeVisible = m_rightEdgeX >= clip.Left && m_rightEdgeX < clip.Right;
    }

    if (clip.Left < gw + 2) {
        m_canvas.FillRect({std::max(clip.Left, gw), clip.Top, gw + 2, clip.Bottom}, m_background);
        clip.Left = gw + 2;
    }
    m_clip = clip;

    if (firstLine <= lastLine) {
        // The selection in text order and display columns.
        m_selectionShown = m_selection.SelAvail() && (m_focused || !ed.Look().HideSelection);
        if (m_selectionShown) {
            TBufferCoord b = m_selection.BlockBegin();
            TBufferCoord e = m_selection.BlockEnd();
            if (m_selection.SelectionMode() == smColumn && b.Char > e.Char)
                std::swap(b.Char, e.Char);
            m_selStartLine = b.Line;
            m_selEndLine = e.Line;
            m_selStartCol = m_view.LogicalToPhysical(b);
            m_selEndCol = m_view.LogicalToPhysical(e);
            if (m_selection.SelectionMode() == smColumn) {
                // Column blocks are measured on each end's own line; order them again.
                if (m_selStartCol > m_selEndCol) std::swap(m_selStartCol, m_selEndCol);
            }
            if (m_selEndLine < firstLine || m_selStartLine > lastLine) m_selectionShown = false;
        }
        m_run.text.reserve(static_cast<size_t>(std::max(128, m_view.CharsInWindow())));
        for (int line = firstLine; line <= lastLine; ++line) {
            // The last line of the range may lie wholly below the clip; nothing of it shows.
            if ((line - m_view.TopLine()) * m_view.LineHeight() >= clip.Bottom) break;
            PaintLine(line);
        }
    }

    int y = (std::max(lastLine, firstLine - 1) - m_view.TopLine() + 1) * lh;
    if (lastLine < firstLine) y = (firstLine - m_view.TopLine()) * lh;
    if (y < clip.Bottom) {
        m_canvas.FillRect({clip.Left, std::max(y, clip.Top), clip.Right, clip.Bottom},
                          m_background);
        if (m_rightEdgeVisible)
            m_canvas.DrawVerticalLine(m_rightEdgeX, std::max(y, clip.Top), clip.Bottom,
                                      ed.Look().RightEdgeColor);
    }
}

void TSynTextAreaPainter::PaintLine(int line) {
    TCustomSynEdit& ed = m_editor;
    const int lh = m_view.LineHeight();
    m_lineTop = (line - m_view.TopLine()) * lh;
    m_lineBottom = m_lineTop + lh;
    m_drawnToX = m_clip.Left;

    const int index = TLineNumber(line).Index();
    // The line as shown; only a line with tabs is copied to expand them.
    std::string withTabsExpanded;
    std::string_view expanded = ed.Lines().GetView(index);
    if (ed.Lines().LineHasTabs(index)) {
        withTabsExpanded = ed.Lines().ExpandedText(index);
        expanded = withTabsExpanded;
    }

    // The selected columns of this line.
    m_lineSelStart = m_lineSelEnd = 0;
    m_complexLine = false;
    if (m_selectionShown && line >= m_selStartLine && line <= m_selEndLine) {
        bool has = true;
        m_lineSelStart = m_firstColumn;
        m_lineSelEnd = m_lastColumn + 1;
        const TSynSelectionMode mode = m_selection.SelectionMode();
        if (mode == smColumn || (mode == smNormal && line == m_selStartLine)) {
            if (m_selStartCol > m_lastColumn)
                has = false;
            else if (m_selStartCol > m_firstColumn) {
                m_lineSelStart = m_selStartCol;
                m_complexLine = true;
            }
        }
        if (mode == smColumn || (mode == smNormal && line == m_selEndLine)) {
            if (m_selEndCol < m_firstColumn)
                has = false;
            else if (m_selEndCol < m_lastColumn) {
                m_lineSelEnd = m_selEndCol;
                m_complexLine = true;
            }
        }
        if (!has) {
            m_lineSelStart = m_lineSelEnd = 0;
            m_complexLine = false;
        }
    }
    m_lineSelected = m_lineSelStart != 0 && !m_complexLine;

    m_lineForeground = ed.Look().FontColor;
    m_lineBackground = m_background;
    m_specialLine = false;
    if (ed.OnSpecialLineColors) {
        int32_t fg = m_lineForeground;
        int32_t bg = m_lineBackground;
        if (ed.OnSpecialLineColors(&ed, line, fg, bg)) {
            m_specialLine = true;
            m_lineForeground = fg;
            m_lineBackground = bg;
        }
    }

    m_run.text.clear();
    if (TSynCustomHighlighter* hl = ed.Highlighter()) {
        // A long line's scan goes on from a point saved near the first column shown.
        TSynLongLineScan& scan = ed.LongLineScan();
        scan.Start(*hl, ed.Lines(), index, expanded, ed.RangeStateAt(index),
                   static_cast<std::size_t>(std::max(m_firstColumn - 1, 0)));
        while (!hl->AtLineEnd()) {
            const int start = hl->TokenStart();
            if (start + 1 >= m_lastColumn) break;
            const std::string_view token = hl->TokenText();
            if (start + static_cast<int>(token.size()) >= m_firstColumn) {
                if (TSynHighlighterAttributes* attr = hl->TokenAttribute())
                    AddToken(token, start, attr->Foreground(), attr->Background(), attr->Style());
                else
                    AddToken(token, start, m_lineForeground, m_lineBackground, ed.Look().FontStyle);
            }
            hl->NextToken();
            scan.Passed(*hl);
        }
        FlushRun(true);
    } else {
        const int32_t fg = m_lineForeground;
        const int32_t bg = m_lineBackground;
        const int end = static_cast<int>(expanded.size()) + 1;
        auto piece = [&](int a, int b, int32_t f, int32_t g) {
            if (a < b)
                DrawPiece(std::string_view(expanded).substr(a - 1, b - a), a, b, f, g,
                          ed.Look().FontStyle);
        };
        int32_t selFg = m_specialLine ? bg : ed.Look().SelectedForeground;
        int32_t selBg = m_specialLine ? fg : ed.Look().SelectedBackground;
        if (m_complexLine) {
            int s = std::clamp(m_lineSelStart, 1, end);
            int e = std::clamp(m_lineSelEnd, s, end);
            piece(1, s, fg, bg);
            piece(s, e, selFg, selBg);
            piece(e, end, fg, bg);
        } else if (m_lineSelected) {
            piece(1, end, selFg, selBg);
        } else {
            piece(1, end, fg, bg);
        }
        FillEndOfLine();
    }

    if (m_rightEdgeVisible)
        m_canvas.DrawVerticalLine(m_rightEdgeX, m_lineTop, m_lineBottom + 1,
                                  ed.Look().RightEdgeColor);
}

void TSynTextAreaPainter::AddToken(std::string_view token, int tokenStart, int32_t fg, int32_t bg,
                                   uint8_t style) {
    if (bg == clNone) bg = m_background;
    if (fg == clNone) fg = m_editor.Look().FontColor;
    if (!m_run.text.empty()) {
        const bool spaces = AllSpaces(token);
        const bool styleFits = style == m_run.style ||
                               (!(style & fsUnderline) && !(m_run.style & fsUnderline) && spaces);
        const bool colourFits = m_specialLine || m_lineSelected ||
                                (bg == m_run.background && (fg == m_run.foreground || spaces));
        if (styleFits && colourFits) {
            m_run.text.append(token);
            return;
        }
        FlushRun(false);
    }
    m_run.text.assign(token);
    m_run.start = tokenStart + 1;
    m_run.style = style;
    m_run.foreground = fg;
    m_run.background = bg;
}

void TSynTextAreaPainter::FlushRun(bool fillToEnd) {
    if (!m_run.text.empty()) {
        const int runEnd = m_run.start + static_cast<int>(m_run.text.size());
        const int from = std::max(m_firstColumn, m_run.start);
        const int to = std::min(m_lastColumn, runEnd);
        if (!m_specialLine) {
            m_lineForeground = m_run.foreground;
            m_lineBackground = m_run.background;
        }
        const int32_t selFg = m_specialLine ? m_lineBackground : m_editor.Look().SelectedForeground;
        const int32_t selBg = m_specialLine ? m_lineForeground : m_editor.Look().SelectedBackground;
        auto piece = [&](int a, int b, int32_t f, int32_t g) {
            if (a >= b) return;
            DrawPiece(std::string_view(m_run.text).substr(a - m_run.start, b - a), a, b, f, g,
                      m_run.style);
        };
        if (from < to) {
            if (m_complexLine && m_lineSelStart < to && m_lineSelEnd > from) {
                const int s = std::max(from, m_lineSelStart);
                const int e = std::min(to, m_lineSelEnd);
                piece(from, s, m_lineForeground, m_lineBackground);
                piece(s, e, selFg, selBg);
                piece(e, to, m_lineForeground, m_lineBackground);
            } else if (m_lineSelected) {
                piece(from, to, selFg, selBg);
            } else {
                piece(from, to, m_lineForeground, m_lineBackground);
            }
        }
        m_run.text.clear();
    }
    if (fillToEnd) {
        if (!m_specialLine) m_lineBackground = m_background;
        FillEndOfLine();
    }
}

void TSynTextAreaPainter::FillEndOfLine() {
    if (m_drawnToX >= m_clip.Right) return;
    const int32_t selBg = m_specialLine ? m_lineForeground : m_editor.Look().SelectedBackground;
    const int left = m_drawnToX;
    auto fill = [&](int x1, int x2, int32_t color) {
        x1 = std::max(x1, left);
        x2 = std::min(x2, m_clip.Right);
        if (x1 < x2) m_canvas.FillRect({x1, m_lineTop, x2, m_lineBottom}, color);
    };
    if (m_complexLine) {
        const int s = ColumnX(m_lineSelStart);
        const int e = ColumnX(m_lineSelEnd);
        fill(left, s, m_lineBackground);
        fill(s, e, selBg);
        fill(e, m_clip.Right, m_lineBackground);
    } else {
        fill(left, m_clip.Right, m_lineSelected ? selBg : m_lineBackground);
    }
    m_drawnToX = m_clip.Right;
}

void TSynTextAreaPainter::DrawPiece(std::string_view text, int firstColumn, int lastColumn,
                                    int32_t fg, int32_t bg, uint8_t style) {
    // Columns that start at or right of the clip's right edge show nothing.
    const int cw = m_view.CharWidth();
    const int clipEnd = (m_clip.Right - m_view.TextOffset() + cw - 1) / cw + 1;
    const int a = std::max(firstColumn, m_firstColumn);
    const int b = std::min({lastColumn, m_lastColumn, clipEnd});
    if (a >= b) return;
    text = text.substr(static_cast<size_t>(a - firstColumn), static_cast<size_t>(b - a));
    const int x = ColumnX(a);
    const int right = ColumnX(b);
    const TRect clip{std::max(m_drawnToX, m_clip.Left), m_lineTop, std::min(right, m_clip.Right),
                     m_lineBottom};
    if (clip.Left < clip.Right) m_canvas.DrawTextGrid(x, m_lineTop, clip, text, fg, bg, style);
    m_drawnToX = std::max(m_drawnToX, right);
}
