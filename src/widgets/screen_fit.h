// Keeps a restored window reachable: a position that puts it wholly or mostly off every screen
// (a monitor removed, a placement file from another machine) is moved onto the nearest screen.
#pragma once

#include <QList>
#include <QRect>

// Returns bounds unchanged while at least half of the window lies on the screens and its top
// edge (where the title bar is) lies on one of them. Otherwise the window is moved onto the
// screen nearest to its centre, its size clipped to that screen. With no screens nothing
// changes.
QRect BringOntoScreen(const QRect& bounds, const QList<QRect>& screens);

// The available areas of the screens the application knows.
QList<QRect> AvailableScreenAreas();
