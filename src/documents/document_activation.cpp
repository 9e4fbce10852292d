// Tracking of the active document window.
#include "documents/document_activation.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "documents/mdi_child.h"
#include "platform/qt/error_report.h"

TDocumentActivation::TDocumentActivation(QMdiArea* clientArea) : QObject(clientArea) {
    connect(clientArea, &QMdiArea::subWindowActivated, this,
            [this](QMdiSubWindow* window) { Activated(window); });
}

void TDocumentActivation::Activated(QMdiSubWindow* window) {
    if (window == nullptr || window == m_last) return;
    m_last = window;
    auto* document = qobject_cast<TMDIChild*>(window->widget());
    if (document == nullptr) return;
    RunCommand([document] { document->m(); });
}
