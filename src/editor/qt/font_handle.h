// One created style variant of a font: the Qt font, its raw font and, for every code-page
// character, its glyph index and natural advance, prepared once so that drawing looks nothing up.
#pragma once

#include <QFont>
#include <QRawFont>
#include <array>

#include "editor/qt/syn_font.h"

class TheFontHandle {
  public:
    explicit TheFontHandle(const TLogFont& lf);

    const QFont& Font() const { return m_font; }
    const QRawFont& RawFont() const { return m_rawFont; }
    // False when the platform gives no raw font; drawing then falls back to plain text output.
    bool HasGlyphs() const { return m_rawFont.isValid(); }
    const quint32* Glyphs() const { return m_glyphs.data(); }
    quint32 Glyph(unsigned char c) const { return m_glyphs[c]; }
    int Advance(unsigned char c) const { return m_advances[c]; }
    // True for characters whose glyph leaves no ink (the space); drawing may skip them.
    bool Blank(unsigned char c) const { return m_blank[c]; }
    // Ink box of a character's glyph relative to its pen position on the baseline (x to the
    // right, y downwards): left, top, right and bottom, rounded outwards. All 0 for no ink.
    const std::array<int, 4>& Ink(unsigned char c) const { return m_ink[c]; }
    // Distance from the top of a line to the baseline.
    int Ascent() const { return m_ascent; }
    bool Underline() const { return m_font.underline(); }
    bool StrikeOut() const { return m_font.strikeOut(); }

    // Cell advance taken from the "M": its left bearing, black box and right bearing, which add
    // up to its advance; the average character width when the font has no "M".
    int MeasureAdvance() const;
    // Line height: ascent plus descent.
    int MeasureHeight() const;

  private:
    QFont m_font;
    QRawFont m_rawFont;
    std::array<quint32, 256> m_glyphs{};
    std::array<int, 256> m_advances{};
    std::array<bool, 256> m_blank{};
    std::array<std::array<int, 4>, 256> m_ink{};
    int m_ascent = 0;
};
