// Showing, closing and the Cancel notification of the loading window.
#include "toolrun/qt/loading_window_adapter.h"

#include <QApplication>
#include <QWindow>

TLoadingWindowAdapter::TLoadingWindowAdapter(TfrmLoading* window, QWidget* frame)
    : m_window(window), m_frame(frame) {}

void TLoadingWindowAdapter::Show() {
    if (m_window == nullptr) return;
    m_previous = QApplication::activeWindow();
    if (m_previous == m_window) m_previous = nullptr;
    // A window transient for the frame stays above it under every window manager: a click on
    // the frame, which ignores input while the tool runs, cannot bury the loading window.
    if (m_frame != nullptr) {
        m_window->winId();
        m_frame->window()->winId();
        m_window->windowHandle()->setTransientParent(m_frame->window()->windowHandle());
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void TLoadingWindowAdapter::Close() {
    if (m_window != nullptr) {
        m_window->close();
        if (QWindow* handle = m_window->windowHandle()) handle->setTransientParent(nullptr);
    }
    if (m_previous != nullptr && m_previous->isVisible()) m_previous->activateWindow();
    m_previous = nullptr;
}

void TLoadingWindowAdapter::SetOnCancel(std::function<void()> onCancel) {
    if (m_window == nullptr) return;
    if (!onCancel) {
        m_window->OnCancel = nullptr;
        return;
    }
    m_window->OnCancel = [onCancel = std::move(onCancel)](QObject*) { onCancel(); };
}
