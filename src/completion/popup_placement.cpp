// Keeping a popup on the screen.
#include "completion/popup_placement.h"

#include <algorithm>

QPoint PlacePopup(QPoint belowCaret, int lineHeight, QSize size, const QRect& screen) {
    if (!screen.isValid()) return belowCaret;
    int x = belowCaret.x();
    int y = belowCaret.y();
    const int right = screen.left() + screen.width();
    const int bottom = screen.top() + screen.height();
    if (x + size.width() > right) x = right - size.width();
    if (x < screen.left()) x = screen.left();
    if (y + size.height() > bottom) {
        const int above = y - lineHeight - size.height();
        const bool aboveFits = above >= screen.top() && above + size.height() <= bottom;
        y = aboveFits ? above : bottom - size.height();
    }
    if (y < screen.top()) y = screen.top();
    return {x, y};
}
