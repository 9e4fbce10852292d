// Application-wide filter that drops user input outside one window.
#include "toolrun/qt/user_input_blocker.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace {

// Input that comes from the user through the window system.
bool IsUserInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ContextMenu:
        case QEvent::InputMethod:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
        case QEvent::TabletMove:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
        case QEvent::Close:
            return true;
        default:
            return false;
    }
}

}  // namespace

TUserInputBlocker::TUserInputBlocker(QWidget* allowedWindow) : m_allowedWindow(allowedWindow) {
    QCoreApplication::instance()->installEventFilter(this);
}

TUserInputBlocker::~TUserInputBlocker() {
    QCoreApplication::instance()->removeEventFilter(this);
}

bool TUserInputBlocker::IsInsideAllowedWindow(QObject* receiver) const {
    if (m_allowedWindow.isNull()) return false;
    // Shortcut events go to actions and shortcuts, which belong to the widget they are parented to.
    for (QObject* object = receiver; object != nullptr; object = object->parent()) {
        if (object->isWidgetType()) {
            return static_cast<QWidget*>(object)->window() == m_allowedWindow.data();
        }
    }
    return false;
}

bool TUserInputBlocker::eventFilter(QObject* receiver, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::ShortcutOverride || type == QEvent::Shortcut) {
        if (IsInsideAllowedWindow(receiver)) return false;
        // An accepted override keeps the key from being tried as a shortcut at all.
        event->accept();
        return true;
    }
    // Only what the window system delivers is the user's; the program's own events pass, and
    // events for native windows are caught again when they reach their widgets.
    if (!event->spontaneous() || !IsUserInput(type) || !receiver->isWidgetType()) return false;
    if (IsInsideAllowedWindow(receiver)) return false;
    // A close event left accepted would still close the window.
    event->ignore();
    return true;
}
