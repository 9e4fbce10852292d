// Pictures of the build windows, painted in code: the loading window's running figure and the
// output panel's close button in its three shades.
#pragma once

#include <QPixmap>

// 28x43, a running figure on a transparent background.
QPixmap RunningFigurePicture();

// 44x30, a round "X" button; shade 0 normal, 1 pressed (darker), 2 flat (lighter). The
// non-transparent pixels are the same for every shade, so any of them serves as the mask.
QPixmap CloseButtonPicture(int shade);
