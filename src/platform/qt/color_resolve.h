// Turns colour values into QColors at drawing time; system colours come from a palette.
#pragma once

#include <QColor>
#include <QPalette>

#include "platform/colors.h"

// The QColor of a colour value. System colours are looked up in the palette; clNone and
// clDefault give an invalid QColor so the caller can apply its own default.
QColor ColorToQColor(TColor color, const QPalette& palette);
// Same, with the application's palette.
QColor ColorToQColor(TColor color);

// The colour value of a QColor (alpha ignored).
TColor QColorToColor(const QColor& color);
