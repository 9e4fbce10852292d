// Document captions held back from the title bars while a batch of windows opens.
#include "app/held_window_titles.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMdiSubWindow>

void THeldWindowTitles::Hold(QMdiSubWindow* window) {
    QWidget* document = window->widget();
    if (document == nullptr) return;
    // Installed after the window's own filter on its document, so it sees the change first.
    document->installEventFilter(this);
    m_windows << window;
}

void THeldWindowTitles::ReleaseLater() {
    if (m_releasePosted || m_windows.isEmpty()) return;
    m_releasePosted = true;
    QMetaObject::invokeMethod(
        this, [this] { Release(); }, Qt::QueuedConnection);
}

void THeldWindowTitles::Release() {
    m_releasePosted = false;
    const QList<QPointer<QMdiSubWindow>> windows = std::exchange(m_windows, {});
    for (const QPointer<QMdiSubWindow>& window : windows) {
        if (window.isNull() || window->widget() == nullptr) continue;
        QWidget* document = window->widget();
        document->removeEventFilter(this);
        // The change the window did not see, told again: it takes the caption as from any
        // other change of its document's title.
        QEvent changed(QEvent::WindowTitleChange);
        QCoreApplication::sendEvent(document, &changed);
    }
}

bool THeldWindowTitles::eventFilter(QObject* watched, QEvent* event) {
    // Only the title change stops here; the document itself has already taken the new title.
    if (event->type() == QEvent::WindowTitleChange) return true;
    return QObject::eventFilter(watched, event);
}
