// The editor's text drawer: keeps the grid cell size measured on the base style, the current
// colours and style, and draws text so that every character starts exactly one cell after the
// previous one whatever its own width.
#pragma once

#include <QColor>
#include <QGlyphRun>
#include <QPen>
#include <QPointF>
#include <QRect>
#include <QRegion>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "editor/qt/font_stock.h"
#include "editor/qt/syn_font.h"

class QPainter;

class TheTextDrawer {
  public:
    // Output options of DrawText and DrawTextGrid.
    static constexpr unsigned ETO_OPAQUE = 0x2;   // fill the rectangle with the background
    static constexpr unsigned ETO_CLIPPED = 0x4;  // keep the output inside the rectangle
    // Colour values: red in the low byte; 0x80000000 + n is system colour n.
    static constexpr std::uint32_t clWindowText = 0x80000008;
    static constexpr std::uint32_t clWindow = 0x80000005;

    TheTextDrawer(std::uint8_t baseStyle, const TSynFont* baseFont);
    TheTextDrawer(const TheTextDrawer&) = delete;
    TheTextDrawer& operator=(const TheTextDrawer&) = delete;
    virtual ~TheTextDrawer();

    // Cell width (base style's advance plus the extra spacing) and line height.
    virtual int CharWidth() const;
    virtual int CharHeight() const;

    // Draws on the painter until the matching EndDrawing; calls nest on the same painter. The
    // painter's state is saved here and restored by the last EndDrawing.
    virtual void BeginDrawing(QPainter* painter);
    virtual void EndDrawing();

    // Plain output at (x, y), the top left of the text, with each character's natural advance
    // (plus the extra spacing); the text's cells are filled with the background colour.
    virtual void DrawText(int x, int y, const char* text, int count);
    // The same with output options: ETO_OPAQUE fills the rectangle first, ETO_CLIPPED keeps
    // everything inside it.
    void DrawText(int x, int y, unsigned options, const QRect& rect, const char* text, int count);
    // Grid output at (x, y): character i is placed at x plus the first i distances, every
    // distance being one cell; background and clipping as above.
    virtual void DrawTextGrid(int x, int y, unsigned options, const QRect& rect, const char* text,
                              int count);
    void DrawTextGrid(int x, int y, unsigned options, const QRect& rect, std::string_view text) {
        DrawTextGrid(x, y, options, rect, text.data(), static_cast<int>(text.size()));
    }

    // While held, glyphs whose ink stays inside their rectangle are kept and drawn together, one
    // run per colour and font variant, at the next FlushGlyphs (or EndDrawing): a line of many
    // short tokens costs a few glyph runs instead of one per token. Meanwhile only output whose
    // rectangle none of the kept glyphs lies in may be drawn: it would otherwise go under them.
    void HoldGlyphs();
    void FlushGlyphs();

    // Measures the grid on a new font; a missing font raises EheTextDrawerException.
    virtual void SetBaseFont(const TSynFont* font);
    // Measures the grid on another style of the base font.
    virtual void SetBaseStyle(std::uint8_t style);
    // Style of the text drawn next.
    virtual void SetStyle(std::uint8_t style);
    virtual void SetForeColor(std::uint32_t color);
    virtual void SetBackColor(std::uint32_t color);
    virtual void SetCharExtra(int value);
    // Gives up the font variants until the next style selection.
    virtual void ReleaseTemporaryResources();

    std::uint8_t BaseStyle() const { return m_baseStyle; }
    std::uint32_t ForeColor() const { return m_colFg; }
    std::uint32_t BackColor() const { return m_colBk; }
    int CharExtra() const { return m_charExtra; }
    // Entries allocated in the per-character distance array.
    int DistancesLength() const { return static_cast<int>(m_etoDist.size()); }
    const TheFontStock& FontStock() const { return *m_fontStock; }
    QPainter* Painter() const { return m_dc; }

  protected:
    virtual void ReleaseDistances();
    virtual void SelectCurrentFont();
    virtual void ApplyCharExtra(int value);

  private:
    const TheFontHandle* CurrentHandle();
    void EnsureDistances(int count);
    void FillBackground(unsigned options, const QRect& rect, const QRect& textBox);
    // Draws count glyphs of the current variant at (x, y) top left, offsets[i] from x.
    void DrawGlyphs(const TheFontHandle& handle, int x, int y, unsigned options, const QRect& rect,
                    const char* text, int count);

    // Keeps the glyphs of a draw while holding; false when they must be drawn now.
    bool HoldRun(const TheFontHandle& handle, QPointF origin, int count);

    // Glyphs kept while holding, of one colour and font variant, at their places on the painter.
    struct THeldRun {
        std::uint32_t color = 0;
        QPen pen;
        const TheFontHandle* handle = nullptr;
        std::vector<quint32> glyphs;
        std::vector<QPointF> positions;
    };

    QPainter* m_dc = nullptr;
    bool m_holding = false;
    std::vector<THeldRun> m_held;  // the first m_heldRuns are in use; the rest keep their memory
    std::size_t m_heldRuns = 0;
    std::unique_ptr<TheFontStock> m_fontStock;
    std::uint8_t m_baseStyle = 0;
    std::uint8_t m_currentStyle = 0;
    int m_baseCharWidth = 0;
    int m_baseCharHeight = 0;
    const TheFontHandle* m_selectedFont = nullptr;  // the variant set as the painter's font
    std::vector<int> m_etoDist;
    std::uint32_t m_colFg = clWindowText;
    std::uint32_t m_colBk = clWindow;
    int m_charExtra = 0;
    int m_drawingCount = 0;

    // Resolved drawing state and scratch buffers reused between calls.
    QPen m_pen;
    QColor m_bkColor;
    bool m_outerClip = false;
    QRegion m_outerClipRegion;
    std::vector<quint32> m_glyphs;
    std::vector<QPointF> m_positions;
    QGlyphRun m_glyphRun;
};
