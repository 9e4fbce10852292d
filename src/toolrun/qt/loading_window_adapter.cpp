// Showing, closing and the Cancel notification of the loading window.
#include "toolrun/qt/loading_window_adapter.h"

#include <QApplication>

TLoadingWindowAdapter::TLoadingWindowAdapter(TfrmLoading* window) : m_window(window) {}

void TLoadingWindowAdapter::Show() {
    if (m_window == nullptr) return;
    m_previous = QApplication::activeWindow();
    if (m_previous == m_window) m_previous = nullptr;
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void TLoadingWindowAdapter::Close() {
    if (m_window != nullptr) m_window->close();
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
