// The frame window's Window commands: cascade, tile one above the other or side by side,
// minimise all and line up the minimised windows.
#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>

#include "app/main_window.h"

namespace {

// Document windows that take part in tiling: shown and not minimised.
QList<QMdiSubWindow*> TileableWindows(const QList<QMdiSubWindow*>& windows) {
    QList<QMdiSubWindow*> result;
    for (QMdiSubWindow* window : windows) {
        if (window->isVisible() && !window->isMinimized()) result << window;
    }
    return result;
}

// Height left for tiling above the row of minimised windows.
int TilingHeight(QMdiArea* area, const QList<QMdiSubWindow*>& windows) {
    int height = area->viewport()->height();
    for (QMdiSubWindow* window : windows) {
        if (window->isVisible() && window->isMinimized()) {
            return std::max(1, height - window->height());
        }
    }
    return height;
}

}  // namespace

void TMainForm::WindowCascade1Execute() {
    m_clientArea->cascadeSubWindows();
}

void TMainForm::WindowTileHorizontal1Execute() {
    const QList<QMdiSubWindow*> windows = TileableWindows(m_documents);
    if (windows.isEmpty()) return;
    const int width = m_clientArea->viewport()->width();
    const int height = TilingHeight(m_clientArea, m_documents);
    const int count = static_cast<int>(windows.size());
    int top = 0;
    for (int i = 0; i < count; ++i) {
        const int bottom = height * (i + 1) / count;
        windows[i]->showNormal();
        windows[i]->setGeometry(0, top, width, bottom - top);
        top = bottom;
    }
}

void TMainForm::WindowTileVertical1Execute() {
    const QList<QMdiSubWindow*> windows = TileableWindows(m_documents);
    if (windows.isEmpty()) return;
    const int width = m_clientArea->viewport()->width();
    const int height = TilingHeight(m_clientArea, m_documents);
    const int count = static_cast<int>(windows.size());
    int left = 0;
    for (int i = 0; i < count; ++i) {
        const int right = width * (i + 1) / count;
        windows[i]->showNormal();
        windows[i]->setGeometry(left, 0, right - left, height);
        left = right;
    }
}

void TMainForm::WindowMinimizeAll1Execute() {
    for (QMdiSubWindow* window : m_documents) window->showMinimized();
}

void TMainForm::WindowArrangeAll1Execute() {
    // Minimised windows line up along the bottom edge, left to right, wrapping upwards.
    const QRect area = m_clientArea->viewport()->rect();
    int x = 0;
    int y = area.bottom() + 1;
    int rowHeight = 0;
    for (QMdiSubWindow* window : m_documents) {
        if (!window->isMinimized()) continue;
        const QSize size = window->size();
        if (x > 0 && x + size.width() > area.width()) {
            x = 0;
            y -= rowHeight;
            rowHeight = 0;
        }
        if (rowHeight == 0) rowHeight = size.height();
        window->move(x, y - rowHeight);
        x += size.width();
    }
}
