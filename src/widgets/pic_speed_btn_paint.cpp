// The picture speed button's painting: the frame of its style and state, the picture as the
// state and the highlight choose it, and the caption.
#include <QImage>
#include <QPainter>
#include <QPixmapCache>

#include "platform/qt/qt_text.h"
#include "widgets/pic_speed_btn.h"

namespace {

// The 8x8 checkered pattern of the down state; one pattern per pair of colours, shared by all
// buttons through the pixmap cache.
QPixmap CheckerPattern(const QColor& face, const QColor& highlight) {
    const QString key = QStringLiteral("abcChecker:%1:%2").arg(face.rgba()).arg(highlight.rgba());
    QPixmap pattern;
    if (QPixmapCache::find(key, &pattern)) return pattern;
    QImage image(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) image.setPixel(x, y, ((x + y) % 2 ? highlight : face).rgb());
    pattern = QPixmap::fromImage(image);
    QPixmapCache::insert(key, pattern);
    return pattern;
}

// Draws `width` rings of a bevel just inside `r` and shrinks `r` past them.
void DrawBevel(QPainter& p, QRect& r, const QColor& topLeft, const QColor& bottomRight, int width) {
    for (int i = 0; i < width && r.width() > 1 && r.height() > 1; ++i) {
        p.setPen(topLeft);
        p.drawLine(r.left(), r.top(), r.right() - 1, r.top());
        p.drawLine(r.left(), r.top(), r.left(), r.bottom() - 1);
        p.setPen(bottomRight);
        p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
        p.drawLine(r.right(), r.top(), r.right(), r.bottom());
        r.adjust(1, 1, -1, -1);
    }
}

void DrawOutline(QPainter& p, QRect& r, const QColor& color) {
    p.setPen(color);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    r.adjust(1, 1, -1, -1);
}

// Every pixel's colour replaced by a function of it; alpha is kept.
template <typename F>
QPixmap MapPixels(const QPixmap& picture, F f) {
    QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = f(line[x]);
            line[x] = qRgba(qRed(c), qGreen(c), qBlue(c), qAlpha(line[x]));
        }
    }
    return QPixmap::fromImage(image);
}

// The picture's shape (its non-transparent pixels) filled with one colour.
QPixmap Silhouette(const QPixmap& picture, const QColor& color) {
    return MapPixels(picture, [&](QRgb) { return color.rgb(); });
}

}  // namespace

QPixmap TabcCustomPicSpeedBtn::PictureForState() const {
    if (m_picture.isNull()) return m_picture;
    if (m_state == absDisabled) {
        if (!m_disabledShadow) return m_picture;
        // Embossed: a white copy one pixel down-right under a copy in the shadow colour.
        QPixmap embossed(m_picture.width() + 1, m_picture.height() + 1);
        embossed.fill(Qt::transparent);
        QPainter p(&embossed);
        p.drawPixmap(1, 1, Silhouette(m_picture, palette().color(QPalette::Light)));
        p.drawPixmap(0, 0, Silhouette(m_picture, palette().color(QPalette::Dark)));
        return embossed;
    }
    const bool mouseOver = m_state == absHot || m_state == absPressed || MouseOver();
    if (mouseOver) return m_picture;
    switch (m_pictureHighlight) {
        case aghGray:
            return MapPixels(m_picture, [](QRgb c) { return qRgb(qRed(c), qRed(c), qRed(c)); });
        case aghFade: {
            const QRgb face = m_color.rgb();
            return MapPixels(m_picture, [face](QRgb c) {
                return qRgb((qRed(c) + qRed(face)) / 2, (qGreen(c) + qGreen(face)) / 2,
                            (qBlue(c) + qBlue(face)) / 2);
            });
        }
        case aghDarken:
            return MapPixels(m_picture,
                             [](QRgb c) { return qRgb(qRed(c) / 2, qGreen(c) / 2, qBlue(c) / 2); });
        case aghNormal:
            break;
    }
    return m_picture;
}

void TabcCustomPicSpeedBtn::PaintFrame(QPainter& p, QRect& r) const {
    const QPalette& pal = palette();
    const QColor light = pal.color(QPalette::Light);
    const QColor midlight = pal.color(QPalette::Midlight);
    const QColor dark = pal.color(QPalette::Dark);
    const QColor mid = pal.color(QPalette::Mid);
    const QColor black = Qt::black;
    const bool sunken = m_state == absPressed || m_state == absDown;
    const bool active = sunken || m_state == absHot;
    // Popup buttons show their bevel only while the mouse is over them or they are pressed in;
    // the outer frame of the framed and recessed styles belongs to the body and always shows.
    const bool bevel = !m_popup || active;
    auto raisedBevel = [&](const QColor& shadow, int width) {
        if (!bevel) return r.adjust(width, width, -width, -width);
        if (sunken)
            DrawBevel(p, r, shadow, light, width);
        else
            DrawBevel(p, r, light, shadow, width);
    };

    switch (m_style) {
        case absAutoDetect:
        case absNew:
            if (!bevel) {
                r.adjust(2, 2, -2, -2);
            } else if (sunken) {
                DrawBevel(p, r, black, light, 1);
                DrawBevel(p, r, dark, midlight, 1);
            } else {
                DrawBevel(p, r, light, black, 1);
                DrawBevel(p, r, midlight, dark, 1);
            }
            break;
        case absWin31:
            DrawOutline(p, r, black);
            raisedBevel(dark, 2);
            break;
        case absThin:
            raisedBevel(dark, 1);
            break;
        case absThinBlack:
            raisedBevel(black, 1);
            break;
        case absThinGray:
            raisedBevel(mid, 1);
            break;
        case absThinHighlight:
        case absMidHighlight:
        case absThickHighlight: {
            const int width =
                m_style == absThinHighlight ? 1 : (m_style == absMidHighlight ? 2 : 3);
            if (active)
                raisedBevel(dark, width);
            else
                r.adjust(width, width, -width, -width);
            break;
        }
        case absFramed:
        case absFramedBlack:
        case absFramedHighlight:
        case absFramedBlackHighlight:
            DrawOutline(p, r,
                        (m_style == absFramed || m_style == absFramedHighlight) ? dark : black);
            if (active || (m_style != absFramedHighlight && m_style != absFramedBlackHighlight))
                raisedBevel(dark, 1);
            else
                r.adjust(1, 1, -1, -1);
            break;
        case absFramedRaised:
            DrawBevel(p, r, light, dark, 1);
            raisedBevel(dark, 1);
            break;
        case absRecessed:
        case absRecessedBlack:
        case absRecessedHighlight:
        case absRecessedBlackHighlight:
            DrawBevel(p, r,
                      (m_style == absRecessed || m_style == absRecessedHighlight) ? dark : black,
                      light, 1);
            if (active || (m_style != absRecessedHighlight && m_style != absRecessedBlackHighlight))
                raisedBevel(dark, 1);
            else
                r.adjust(1, 1, -1, -1);
            break;
        case absRecessedRaised:
            DrawBevel(p, r, dark, light, 1);
            raisedBevel(dark, 2);
            break;
    }
}

void TabcCustomPicSpeedBtn::PaintContent(QPainter& p, const QRect& inner) const {
    const QPixmap picture = PictureForState();
    const QString caption = ToQ(m_caption);
    const QFontMetrics metrics(font());
    const int textFlags = Qt::TextShowMnemonic | Qt::AlignLeft | Qt::AlignTop;
    const QSize textSize =
        caption.isEmpty() ? QSize() : metrics.size(Qt::TextShowMnemonic, caption);
    const QSize glyphSize = m_layout == ablGlyphTiled ? QSize() : picture.size();
    const bool both = !textSize.isEmpty() && !glyphSize.isEmpty();
    const int gap = both ? m_spacing : 0;
    const int shift = (m_state == absPressed || m_state == absDown) ? 1 : 0;

    QPoint glyphAt;
    QPoint textAt;
    auto centredX = [&](int w) { return inner.left() + (inner.width() - w) / 2; };
    auto centredY = [&](int h) { return inner.top() + (inner.height() - h) / 2; };
    switch (m_layout) {
        case ablGlyphLeft:
        case ablGlyphRight: {
            const int total = glyphSize.width() + gap + textSize.width();
            const int start =
                inner.left() + (m_margin < 0 ? (inner.width() - total) / 2 : m_margin);
            const bool glyphFirst = m_layout == ablGlyphLeft;
            glyphAt = {glyphFirst ? start : start + textSize.width() + gap,
                       centredY(glyphSize.height())};
            textAt = {glyphFirst ? start + glyphSize.width() + gap : start,
                      centredY(textSize.height())};
            break;
        }
        case ablGlyphTop:
        case ablGlyphBottom: {
            const int total = glyphSize.height() + gap + textSize.height();
            const int start =
                inner.top() + (m_margin < 0 ? (inner.height() - total) / 2 : m_margin);
            const bool glyphFirst = m_layout == ablGlyphTop;
            glyphAt = {centredX(glyphSize.width()),
                       glyphFirst ? start : start + textSize.height() + gap};
            textAt = {centredX(textSize.width()),
                      glyphFirst ? start + glyphSize.height() + gap : start};
            break;
        }
        case ablGlyphCenter:
        case ablGlyphTiled:
            glyphAt = {centredX(glyphSize.width()), centredY(glyphSize.height())};
            textAt = {centredX(textSize.width()), centredY(textSize.height())};
            break;
    }
    glyphAt += QPoint(shift, shift);
    textAt += QPoint(shift, shift);

    p.save();
    p.setClipRect(inner);
    if (!picture.isNull()) {
        if (m_layout == ablGlyphTiled)
            p.drawTiledPixmap(inner, picture, QPoint(-shift, -shift));
        else
            p.drawPixmap(glyphAt, picture);
    }
    if (!caption.isEmpty()) {
        p.setFont(font());
        const QRect textRect(textAt, textSize);
        const QPalette& pal = palette();
        if (m_state == absDisabled) {
            p.setPen(pal.color(QPalette::Light));
            p.drawText(textRect.translated(1, 1), textFlags, caption);
            p.setPen(pal.color(QPalette::Dark));
        } else {
            if (m_textStyle != tsNormal) {
                const int d = m_textStyle == tsRaised ? -1 : 1;
                p.setPen(pal.color(QPalette::Light));
                p.drawText(textRect.translated(d, d), textFlags, caption);
            }
            p.setPen(pal.color(QPalette::ButtonText));
        }
        p.drawText(textRect, textFlags, caption);
    }
    p.restore();
}

void TabcCustomPicSpeedBtn::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QRect r = rect();
    if (m_state == absDown)
        p.fillRect(r, QBrush(CheckerPattern(m_color, palette().color(QPalette::Light))));
    else
        p.fillRect(r, m_color);
    PaintFrame(p, r);
    PaintContent(p, r);
}
