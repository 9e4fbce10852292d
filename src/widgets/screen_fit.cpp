// Moving restored bounds back onto a screen.
#include "widgets/screen_fit.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

std::int64_t Area(const QRect& rect) {
    return rect.isEmpty() ? 0 : std::int64_t{rect.width()} * rect.height();
}

// Squared distance from point to the nearest point of rect; 0 inside it.
std::int64_t DistanceSquared(const QRect& rect, const QPoint& point) {
    const std::int64_t dx = point.x() < rect.left()
                                ? rect.left() - point.x()
                                : (point.x() > rect.right() ? point.x() - rect.right() : 0);
    const std::int64_t dy = point.y() < rect.top()
                                ? rect.top() - point.y()
                                : (point.y() > rect.bottom() ? point.y() - rect.bottom() : 0);
    return dx * dx + dy * dy;
}

bool Reachable(const QRect& bounds, const QList<QRect>& screens) {
    std::int64_t visible = 0;
    bool topOnScreen = false;
    const QRect topEdge(bounds.left(), bounds.top(), bounds.width(), 1);
    for (const QRect& screen : screens) {
        visible += Area(screen.intersected(bounds));
        if (screen.intersects(topEdge)) topOnScreen = true;
    }
    return topOnScreen && visible * 2 >= Area(bounds);
}

}  // namespace

QRect BringOntoScreen(const QRect& bounds, const QList<QRect>& screens) {
    if (screens.isEmpty() || bounds.isEmpty() || Reachable(bounds, screens)) return bounds;

    const QPoint centre = bounds.center();
    const QRect* nearest = &screens.front();
    std::int64_t best = std::numeric_limits<std::int64_t>::max();
    for (const QRect& screen : screens) {
        const std::int64_t distance = DistanceSquared(screen, centre);
        if (distance < best) {
            best = distance;
            nearest = &screen;
        }
    }
    const int width = std::min(bounds.width(), nearest->width());
    const int height = std::min(bounds.height(), nearest->height());
    const int left = std::clamp(bounds.left(), nearest->left(), nearest->right() + 1 - width);
    const int top = std::clamp(bounds.top(), nearest->top(), nearest->bottom() + 1 - height);
    return QRect(left, top, width, height);
}

QList<QRect> AvailableScreenAreas() {
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens()) areas << screen->availableGeometry();
    return areas;
}
