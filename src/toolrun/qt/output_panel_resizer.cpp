// Dragging the output panel's top edge.
#include "toolrun/qt/output_panel_resizer.h"

#include <QMouseEvent>
#include <QWidget>
#include <algorithm>

TOutputPanelResizer::TOutputPanelResizer(QWidget* panel, QObject* parent)
    : QObject(parent), m_panel(panel) {
    if (m_panel == nullptr) return;
    m_panel->setMouseTracking(true);
    m_panel->installEventFilter(this);
}

void TOutputPanelResizer::SetPanelHeight(int height) {
    if (m_panel == nullptr) return;
    int limit = height;
    if (QWidget* parent = m_panel->parentWidget()) limit = parent->height() - kClientRoom;
    height = std::max(kMinHeight, std::min(height, limit));
    m_panel->setFixedHeight(height);
}

bool TOutputPanelResizer::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_panel) return QObject::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton || mouse->position().y() >= kGripHeight) break;
            m_dragging = true;
            m_startY = qRound(mouse->globalPosition().y());
            m_startHeight = m_panel->height();
            return true;
        }
        case QEvent::MouseMove: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (m_dragging) {
                SetPanelHeight(m_startHeight + m_startY - qRound(mouse->globalPosition().y()));
                return true;
            }
            const bool onGrip = mouse->position().y() < kGripHeight;
            if (onGrip)
                m_panel->setCursor(Qt::SizeVerCursor);
            else
                m_panel->unsetCursor();
            break;
        }
        case QEvent::MouseButtonRelease:
            if (m_dragging && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                m_dragging = false;
                return true;
            }
            break;
        case QEvent::Leave:
            if (!m_dragging) m_panel->unsetCursor();
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}
