// Switching the client area's scroll bars.
#include "widgets/mdi_scroll.h"

#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMoveEvent>

#include "widgets/mdi_client.h"

TabcMDIScroll::TabcMDIScroll(QWidget* owner) : QObject(nullptr), m_clientArea(MDIClientOf(owner)) {
    setParent(owner);
}

TabcMDIScroll::~TabcMDIScroll() {
    if (m_installed && m_clientArea) m_clientArea->removeEventFilter(this);
}

void TabcMDIScroll::Loaded() {
    if (m_installed || !m_clientArea) return;
    m_clientArea->installEventFilter(this);
    m_installed = true;
    ApplyPolicy();
}

void TabcMDIScroll::SetEnabled(bool value) {
    if (value == m_enabled) return;
    m_enabled = value;
    ApplyPolicy();
    if (!m_clientArea) return;
    if (m_enabled) {
        // A move to where each window already is makes the area recompute its scroll bars.
        for (QMdiSubWindow* window : m_clientArea->subWindowList()) {
            QMoveEvent move(window->pos(), window->pos());
            QCoreApplication::sendEvent(window, &move);
        }
    } else {
        HideMDIScrollBars(*m_clientArea);
    }
}

void TabcMDIScroll::ApplyPolicy() {
    if (!m_clientArea) return;
    const Qt::ScrollBarPolicy policy = m_enabled ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    m_clientArea->setHorizontalScrollBarPolicy(policy);
    m_clientArea->setVerticalScrollBarPolicy(policy);
}

bool TabcMDIScroll::eventFilter(QObject* watched, QEvent* event) {
    if (!m_enabled && watched == m_clientArea &&
        (event->type() == QEvent::Move || event->type() == QEvent::Resize)) {
        HideMDIScrollBars(*m_clientArea);
    }
    return false;
}
