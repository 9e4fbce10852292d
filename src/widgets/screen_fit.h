// Keeps a restored window reachable: a position that puts it wholly or mostly off every screen
// (a monitor removed, a placement file from another machine) is moved onto the nearest screen.
#pragma once

#include <QList>
#include <QMargins>
#include <QRect>

class QWidget;

// Bounds are a window's frame position with its client size, as Qt's move and resize take them;
// `frame` is the window manager's frame around the client (zero where there is none).

// Returns bounds unchanged while at least half of the window lies on the screens and its top
// edge (where the title bar is) lies on one of them. Otherwise the window is moved onto the
// screen nearest to its centre, its size clipped to that screen, so that the whole frame with
// the client inside lies on the screen. With no screens nothing changes.
QRect BringOntoScreen(const QRect& bounds, const QList<QRect>& screens, const QMargins& frame = {});

// The bounds moved (and the client shrunk where needed) so the whole frame lies on `screen`.
QRect FitOnScreen(const QRect& bounds, const QRect& screen, const QMargins& frame);

// The screen area holding most of the framed window; the first one when it lies on none.
QRect ScreenHoldingMost(const QRect& bounds, const QList<QRect>& screens, const QMargins& frame);

// The frame the window manager put around a window: zero before the window was framed.
QMargins WindowFrameMargins(const QWidget& window);

// The available areas of the screens the application knows.
QList<QRect> AvailableScreenAreas();
