// The loading window TfrmLoading as the tool launcher uses it.
#pragma once

#include <QPointer>

#include "toolrun/qt/loading_window.h"
#include "toolrun/qt/loading_window_seam.h"

class TLoadingWindowAdapter : public ILoadingWindow {
  public:
    // The window must outlive the adapter or be destroyed with Qt's knowledge (it is held in a
    // guarded pointer).
    explicit TLoadingWindowAdapter(TfrmLoading* window);

    void Show() override;
    void Close() override;
    QWidget* Window() override { return m_window; }
    void SetOnCancel(std::function<void()> onCancel) override;

  private:
    QPointer<TfrmLoading> m_window;
    // The window that was active when the loading window came up; it gets the keyboard back
    // when the loading window closes, so the next key (F4, Ctrl+F1) reaches the program even
    // where no window manager hands the focus on.
    QPointer<QWidget> m_previous;
};
