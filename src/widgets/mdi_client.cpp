// Locating a main window's client area and hiding its scroll bars.
#include "widgets/mdi_client.h"

#include <QMdiArea>
#include <QScrollBar>

#include "widgets/form_saver.h"

QMdiArea* MDIClientOf(QObject* owner) {
    auto* window = qobject_cast<QWidget*>(owner);
    QMdiArea* area = nullptr;
    if (window != nullptr && window->isWindow()) {
        // The first area whose window is the owner itself, not one nested in a child window.
        for (QMdiArea* candidate : window->findChildren<QMdiArea*>()) {
            if (candidate->window() == window) {
                area = candidate;
                break;
            }
        }
    }
    if (area == nullptr) throw EComponentError("This component must be owned by an MDI Main Form");
    return area;
}

void HideMDIScrollBars(QMdiArea& area) {
    // A scroll area shows each scroll bar inside a container of its own; hiding the container
    // hides the bar until the next layout decides again.
    for (QScrollBar* bar : {area.horizontalScrollBar(), area.verticalScrollBar()}) {
        QWidget* shown = bar->parentWidget() != &area ? bar->parentWidget() : bar;
        if (shown != nullptr) shown->hide();
    }
}
