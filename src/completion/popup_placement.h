// Where a popup list goes so that all of it is on the screen.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// The top-left corner for a popup of `size` that wants its top-left at `belowCaret` (the left
// of the caret on the bottom of its line, in screen coordinates). Past the right edge it moves
// left; past the bottom it goes above the caret line (`lineHeight` high) instead, and where
// neither fits it is pushed inside `screen`.
QPoint PlacePopup(QPoint belowCaret, int lineHeight, QSize size, const QRect& screen);
