// The editor logic's rectangles as Qt rectangles.
#pragma once

#include <QRect>

#include "editor/synedit_types.h"

inline QRect ToQRect(const TRect& r) {
    return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
}
