// Composing a tiled image's area.
#include "widgets/tiled_image.h"

#include <QPainter>
#include <cmath>

namespace {

// std::nearbyint rounds in the default mode: to nearest, halves to even.
int Round(double value) {
    return static_cast<int>(std::nearbyint(value));
}

}  // namespace

QRect TiledImageTarget(QSize area, QSize picture, TabcTiledImageStyle style) {
    const int W = area.width();
    const int H = area.height();
    const int w = picture.width();
    const int h = picture.height();
    if (w <= 0 || h <= 0) return {};
    switch (style) {
        case sCenter:
            // Division rounds toward zero, as C++ integer division does.
            return QRect((W - w) / 2, (H - h) / 2, w, h);
        case sClip:
            return QRect(0, 0, w, h);
        case sFit: {
            const double ratio = static_cast<double>(h) / w;
            if (W > 0 && ratio > static_cast<double>(H) / W) {
                return QRect(0, 0, Round(H / ratio), H);
            }
            return QRect(0, 0, W, Round(W * ratio));
        }
        case sHeight:
            return QRect(0, 0, Round(static_cast<double>(H) / h * w), H);
        case sStretch:
        case sTile:
            return QRect(0, 0, W, H);
        case sWidth:
            return QRect(0, 0, W, Round(static_cast<double>(h) / w * W));
    }
    return {};
}

QPixmap ComposeTiledImage(QSize area, const QRect& clip, const QPixmap& picture,
                          TabcTiledImageStyle style, const QColor& fill) {
    QPixmap bitmap(clip.size().expandedTo(QSize(1, 1)));
    // The whole block starts in the window's colour, so a picture with transparent parts never
    // shows uninitialised pixels, whatever the style.
    bitmap.fill(fill);
    if (picture.isNull() || clip.isEmpty()) return bitmap;

    QPainter painter(&bitmap);
    painter.translate(-clip.topLeft());
    painter.setClipRect(clip);
    if (style == sTile) {
        // Repeated from the area's top left corner in steps of the picture's size.
        painter.drawTiledPixmap(QRect(QPoint(0, 0), area), picture);
        return bitmap;
    }
    const QRect target = TiledImageTarget(area, picture.size(), style);
    if (target.isEmpty()) return bitmap;
    if (target.size() == picture.size()) {
        painter.drawPixmap(target.topLeft(), picture);
    } else {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(target, picture);
    }
    return bitmap;
}

void TabcCustomTiledImage::SetPicture(const QPixmap& value) {
    m_picture = value;
    Changed();
}

void TabcCustomTiledImage::SetImageStyle(TabcTiledImageStyle value) {
    if (value == m_imageStyle) return;
    m_imageStyle = value;
    Changed();
}

void TabcCustomTiledImage::SetVisible(bool value) {
    if (value == m_visible) return;
    m_visible = value;
    Changed();
}
