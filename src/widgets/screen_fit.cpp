// Moving restored bounds back onto a screen.
#include "widgets/screen_fit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
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

QRect BringOntoScreen(const QRect& bounds, const QList<QRect>& screens, const QMargins& frame) {
    const QRect outer(bounds.topLeft(), bounds.size().grownBy(frame));
    if (screens.isEmpty() || bounds.isEmpty() || Reachable(outer, screens)) return bounds;

    const QPoint centre = outer.center();
    const QRect* nearest = &screens.front();
    std::int64_t best = std::numeric_limits<std::int64_t>::max();
    for (const QRect& screen : screens) {
        const std::int64_t distance = DistanceSquared(screen, centre);
        if (distance < best) {
            best = distance;
            nearest = &screen;
        }
    }
    return FitOnScreen(bounds, *nearest, frame);
}

QRect FitOnScreen(const QRect& bounds, const QRect& screen, const QMargins& frame) {
    const int frameWidth = frame.left() + frame.right();
    const int frameHeight = frame.top() + frame.bottom();
    const int width = std::max(1, std::min(bounds.width(), screen.width() - frameWidth));
    const int height = std::max(1, std::min(bounds.height(), screen.height() - frameHeight));
    const int left =
        std::clamp(bounds.left(), screen.left(), screen.right() + 1 - width - frameWidth);
    const int top =
        std::clamp(bounds.top(), screen.top(), screen.bottom() + 1 - height - frameHeight);
    return QRect(left, top, width, height);
}

QRect ScreenHoldingMost(const QRect& bounds, const QList<QRect>& screens, const QMargins& frame) {
    if (screens.isEmpty()) return {};
    const QRect outer(bounds.topLeft(), bounds.size().grownBy(frame));
    const QRect* holding = &screens.front();
    std::int64_t most = -1;
    for (const QRect& screen : screens) {
        const std::int64_t area = Area(screen.intersected(outer));
        if (area > most) {
            most = area;
            holding = &screen;
        }
    }
    return *holding;
}

QMargins WindowFrameMargins(const QWidget& window) {
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
}

QList<QRect> AvailableScreenAreas() {
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens()) areas << screen->availableGeometry();
    return areas;
}
