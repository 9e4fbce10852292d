// Grid text drawing with Qt: glyph runs with explicit positions from the per-character distance
// array, so a proportional font still keeps to the editor's cells.
#include "editor/qt/text_drawer.h"

#include <QPainter>
#include <QString>

#include "editor/qt/text_drawer_errors.h"
#include "platform/codepage.h"
#include "platform/qt/color_resolve.h"

namespace {

// A colour value as drawn: system colours through the application palette.
QColor ResolveColor(std::uint32_t value) {
    return ColorToQColor(static_cast<TColor>(value));
}

}  // namespace

TheTextDrawer::TheTextDrawer(std::uint8_t baseStyle, const TSynFont* baseFont)
    : m_fontStock(std::make_unique<TheFontStock>(baseFont)), m_baseStyle(baseStyle) {
    SetBaseFont(baseFont);
    m_colFg = clWindowText;
    m_colBk = clWindow;
    m_pen = QPen(ResolveColor(m_colFg));
    m_bkColor = ResolveColor(m_colBk);
}

TheTextDrawer::~TheTextDrawer() = default;

int TheTextDrawer::CharWidth() const {
    return m_baseCharWidth + m_charExtra;
}

int TheTextDrawer::CharHeight() const {
    return m_baseCharHeight;
}

void TheTextDrawer::BeginDrawing(QPainter* painter) {
    if (painter != nullptr && painter == m_dc) {
        ++m_drawingCount;
        return;
    }
    SYN_TEXT_DRAWER_ASSERT(m_dc == nullptr && painter != nullptr && m_drawingCount == 0);
    m_dc = painter;
    m_dc->save();
    m_outerClip = m_dc->hasClipping();
    m_outerClipRegion = m_outerClip ? m_dc->clipRegion() : QRegion();
    m_selectedFont = nullptr;
    SelectCurrentFont();
    m_pen = QPen(ResolveColor(m_colFg));
    m_bkColor = ResolveColor(m_colBk);
    m_dc->setPen(m_pen);
    m_dc->setBackground(m_bkColor);
    ApplyCharExtra(m_charExtra);
    m_drawingCount = 1;
}

void TheTextDrawer::EndDrawing() {
    SYN_TEXT_DRAWER_ASSERT(m_drawingCount > 0);
    if (--m_drawingCount > 0) return;
    FlushGlyphs();
    m_holding = false;
    if (m_dc != nullptr) m_dc->restore();
    m_dc = nullptr;
    m_selectedFont = nullptr;
}

const TheFontHandle* TheTextDrawer::CurrentHandle() {
    // Reselecting is free when the style is current, and recreates the variant after
    // ReleaseTemporaryResources.
    m_fontStock->SelectStyle(m_currentStyle);
    return m_fontStock->FontHandle();
}

void TheTextDrawer::SelectCurrentFont() {
    if (m_dc == nullptr) return;
    const TheFontHandle* handle = CurrentHandle();
    if (handle != m_selectedFont) {
        m_dc->setFont(handle->Font());
        m_selectedFont = handle;
    }
}

void TheTextDrawer::ApplyCharExtra(int /*value*/) {
    // Qt has no painter-wide character spacing; DrawText adds the spacing to each advance and
    // the grid's distances already contain it.
}

void TheTextDrawer::ReleaseDistances() {
    m_etoDist.clear();
    m_etoDist.shrink_to_fit();
}

void TheTextDrawer::EnsureDistances(int count) {
    // The array grows once it is not longer than the text, so 10 characters give 64 entries
    // and 64 characters give 128.
    if (DistancesLength() <= count) {
        const int newLength = count / 64 * 64 + 64;
        m_etoDist.resize(newLength, CharWidth());
    }
    if (m_glyphs.size() < m_etoDist.size()) {
        m_glyphs.resize(m_etoDist.size());
        m_positions.resize(m_etoDist.size());
    }
}

void TheTextDrawer::FillBackground(unsigned options, const QRect& rect, const QRect& textBox) {
    QRect box = (options & ETO_CLIPPED) ? textBox.intersected(rect) : textBox;
    if (options & ETO_OPAQUE) {
        m_dc->fillRect(rect, m_bkColor);
        if (rect.contains(box)) return;
    }
    // Text output fills its own cells with the background too.
    if (!box.isEmpty()) m_dc->fillRect(box, m_bkColor);
}

void TheTextDrawer::DrawGlyphs(const TheFontHandle& handle, int x, int y, unsigned options,
                               const QRect& rect, const char* text, int count) {
    bool clip = (options & ETO_CLIPPED) != 0;
    const QPointF origin(x, y + handle.Ascent());
    if (handle.HasGlyphs()) {
        const quint32* table = handle.Glyphs();
        // Glyphs without ink are left out unless a decoration line must span the whole run.
        const bool decorated = handle.Underline() || handle.StrikeOut();
        // Setting a clip region is the most expensive part of a short run: clip only when some
        // ink would fall outside the rectangle.
        const int baseline = y + handle.Ascent();
        int inkLeft = rect.left(), inkRight = rect.right() + 1;
        int inkTop = rect.top(), inkBottom = rect.bottom() + 1;
        if (decorated)
            inkRight = std::max(
                inkRight, x + static_cast<int>(m_positions[count - 1].x()) + m_baseCharWidth + 1);
        int n = 0;
        for (int i = 0; i < count; ++i) {
            const auto c = static_cast<unsigned char>(text[i]);
            if (!decorated && handle.Blank(c)) continue;
            const int pen = x + static_cast<int>(m_positions[i].x());
            const auto& ink = handle.Ink(c);
            inkLeft = std::min(inkLeft, pen + ink[0]);
            inkRight = std::max(inkRight, pen + ink[2]);
            inkTop = std::min(inkTop, baseline + ink[1]);
            inkBottom = std::max(inkBottom, baseline + ink[3]);
            m_glyphs[n] = table[c];
            m_positions[n] = m_positions[i];
            ++n;
        }
        clip = clip && (inkLeft < rect.left() || inkRight > rect.right() + 1 ||
                        inkTop < rect.top() || inkBottom > rect.bottom() + 1);
        // Ink inside the rectangle touches nothing drawn beside it: it can wait.
        if (!clip && !decorated && HoldRun(handle, origin, n)) return;
        if (clip) m_dc->setClipRect(rect, m_outerClip ? Qt::IntersectClip : Qt::ReplaceClip);
        if (m_dc->pen() != m_pen) m_dc->setPen(m_pen);
        if (n > 0) {
            m_glyphRun.setRawFont(handle.RawFont());
            m_glyphRun.setUnderline(handle.Underline());
            m_glyphRun.setStrikeOut(handle.StrikeOut());
            m_glyphRun.setRawData(m_glyphs.data(), m_positions.data(), n);
            m_dc->drawGlyphRun(origin, m_glyphRun);
        }
    } else {
        if (clip) m_dc->setClipRect(rect, m_outerClip ? Qt::IntersectClip : Qt::ReplaceClip);
        if (m_dc->pen() != m_pen) m_dc->setPen(m_pen);
        if (m_selectedFont != &handle) {
            m_dc->setFont(handle.Font());
            m_selectedFont = &handle;
        }
        const std::u16string wide = CodePageToUtf16(std::string_view(text, count));
        for (int i = 0; i < count; ++i)
            m_dc->drawText(origin + m_positions[i], QString(QChar(wide[i])));
    }
    if (clip) {
        if (m_outerClip)
            m_dc->setClipRegion(m_outerClipRegion);
        else
            m_dc->setClipping(false);
    }
}

void TheTextDrawer::HoldGlyphs() {
    SYN_TEXT_DRAWER_ASSERT(m_dc != nullptr);
    m_holding = true;
}

bool TheTextDrawer::HoldRun(const TheFontHandle& handle, QPointF origin, int count) {
    if (!m_holding) return false;
    if (count == 0) return true;
    THeldRun* run = nullptr;
    for (std::size_t i = 0; i < m_heldRuns && run == nullptr; ++i)
        if (m_held[i].color == m_colFg && m_held[i].handle == &handle) run = &m_held[i];
    if (run == nullptr) {
        if (m_heldRuns == m_held.size()) m_held.emplace_back();
        run = &m_held[m_heldRuns++];
        run->color = m_colFg;
        run->pen = m_pen;
        run->handle = &handle;
        run->glyphs.clear();
        run->positions.clear();
    }
    for (int i = 0; i < count; ++i) {
        run->glyphs.push_back(m_glyphs[i]);
        run->positions.push_back(origin + m_positions[i]);
    }
    return true;
}

void TheTextDrawer::FlushGlyphs() {
    if (m_heldRuns == 0) return;
    for (std::size_t i = 0; i < m_heldRuns; ++i) {
        const THeldRun& run = m_held[i];
        m_dc->setPen(run.pen);
        m_glyphRun.setRawFont(run.handle->RawFont());
        m_glyphRun.setUnderline(false);
        m_glyphRun.setStrikeOut(false);
        m_glyphRun.setRawData(run.glyphs.data(), run.positions.data(),
                              static_cast<int>(run.glyphs.size()));
        m_dc->drawGlyphRun(QPointF(0, 0), m_glyphRun);
    }
    m_heldRuns = 0;
    m_dc->setPen(m_pen);
}

void TheTextDrawer::DrawText(int x, int y, const char* text, int count) {
    DrawText(x, y, 0, QRect(), text, count);
}

void TheTextDrawer::DrawText(int x, int y, unsigned options, const QRect& rect, const char* text,
                             int count) {
    SYN_TEXT_DRAWER_ASSERT(m_dc != nullptr);
    const TheFontHandle* handle = CurrentHandle();
    if (count < 0) count = 0;
    if (static_cast<int>(m_glyphs.size()) < count) {
        m_glyphs.resize(count);
        m_positions.resize(count);
    }
    int offset = 0;
    for (int i = 0; i < count; ++i) {
        m_positions[i] = QPointF(offset, 0);
        offset += handle->Advance(static_cast<unsigned char>(text[i])) + m_charExtra;
    }
    FillBackground(options, rect, QRect(x, y, offset, m_baseCharHeight));
    if (count > 0) DrawGlyphs(*handle, x, y, options, rect, text, count);
}

void TheTextDrawer::DrawTextGrid(int x, int y, unsigned options, const QRect& rect,
                                 const char* text, int count) {
    SYN_TEXT_DRAWER_ASSERT(m_dc != nullptr);
    const TheFontHandle* handle = CurrentHandle();
    if (count < 0) count = 0;
    EnsureDistances(count);
    int offset = 0;
    for (int i = 0; i < count; ++i) {
        m_positions[i] = QPointF(offset, 0);
        offset += m_etoDist[i];
    }
    FillBackground(options, rect, QRect(x, y, offset, m_baseCharHeight));
    if (count > 0) DrawGlyphs(*handle, x, y, options, rect, text, count);
}

void TheTextDrawer::SetBaseFont(const TSynFont* font) {
    if (font == nullptr) throw EheTextDrawerException("SetBaseFont: 'Value' must be specified.");
    FlushGlyphs();  // the kept glyphs name the variants about to go
    ReleaseDistances();
    m_fontStock->SetBaseFont(font);
    // The old record's variants may be gone; a new one could reuse the address.
    m_selectedFont = nullptr;
    m_fontStock->SelectStyle(m_baseStyle);
    m_baseCharWidth = m_fontStock->CharAdvance();
    m_baseCharHeight = m_fontStock->CharHeight();
    SetStyle(font->Style);
}

void TheTextDrawer::SetBaseStyle(std::uint8_t style) {
    if (style == m_baseStyle) return;
    m_baseStyle = style;
    ReleaseDistances();
    m_fontStock->SelectStyle(style);
    m_baseCharWidth = m_fontStock->CharAdvance();
    m_baseCharHeight = m_fontStock->CharHeight();
}

void TheTextDrawer::SetStyle(std::uint8_t style) {
    SYN_TEXT_DRAWER_ASSERT(style <= 16);
    m_currentStyle = style;
    m_fontStock->SelectStyle(style);
    SelectCurrentFont();
}

void TheTextDrawer::SetForeColor(std::uint32_t color) {
    if (color == m_colFg) return;
    m_colFg = color;
    m_pen = QPen(ResolveColor(color));
    if (m_dc != nullptr) m_dc->setPen(m_pen);
}

void TheTextDrawer::SetBackColor(std::uint32_t color) {
    if (color == m_colBk) return;
    m_colBk = color;
    m_bkColor = ResolveColor(color);
    if (m_dc != nullptr) m_dc->setBackground(m_bkColor);
}

void TheTextDrawer::SetCharExtra(int value) {
    if (value == m_charExtra) return;
    m_charExtra = value;
    if (m_dc != nullptr) ApplyCharExtra(value);
}

void TheTextDrawer::ReleaseTemporaryResources() {
    FlushGlyphs();  // the kept glyphs name the variants about to go
    m_fontStock->ReleaseFontHandles();
    m_selectedFont = nullptr;
}
