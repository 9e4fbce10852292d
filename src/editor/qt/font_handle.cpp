// Creation and measurement of one font variant.
#include "editor/qt/font_handle.h"

#include <cmath>

#include <QFontMetrics>

#include "platform/codepage.h"

TheFontHandle::TheFontHandle(const TLogFont& lf) : m_font(QFontOfLogFont(lf)) {
    m_rawFont = QRawFont::fromFont(m_font);
    const QFontMetrics fm(m_font);
    m_ascent = fm.ascent();

    std::string all(256, '\0');
    for (int i = 0; i < 256; ++i) all[i] = static_cast<char>(i);
    const std::u16string wide = CodePageToUtf16(all);
    for (int i = 0; i < 256; ++i) m_advances[i] = fm.horizontalAdvance(QChar(wide[i]));
    if (m_rawFont.isValid()) {
        int n = 256;
        if (!m_rawFont.glyphIndexesForChars(reinterpret_cast<const QChar*>(wide.data()), 256,
                                            m_glyphs.data(), &n))
            m_glyphs.fill(0);
        for (int i = 0; i < 256; ++i) {
            const QRectF box = m_rawFont.boundingRect(m_glyphs[i]);
            m_blank[i] = m_glyphs[i] != 0 && box.isEmpty();
            if (!box.isEmpty())
                m_ink[i] = {static_cast<int>(std::floor(box.left())),
                            static_cast<int>(std::floor(box.top())),
                            static_cast<int>(std::ceil(box.right())),
                            static_cast<int>(std::ceil(box.bottom()))};
        }
    }
}

int TheFontHandle::MeasureAdvance() const {
    const QFontMetrics fm(m_font);
    if (!fm.inFont(QChar('M'))) return fm.averageCharWidth();
    const int a = fm.leftBearing(QChar('M'));
    const int c = fm.rightBearing(QChar('M'));
    const int b = fm.horizontalAdvance(QChar('M')) - a - c;
    return a + b + c;
}

int TheFontHandle::MeasureHeight() const {
    const QFontMetrics fm(m_font);
    return fm.ascent() + fm.descent();
}
