// The loading window TfrmLoading as the tool launcher uses it.
#pragma once

#include <QPointer>

#include "toolrun/qt/loading_window.h"
#include "toolrun/qt/loading_window_seam.h"

class TLoadingWindowAdapter : public ILoadingWindow {
  public:
    // The window must outlive the adapter or be destroyed with Qt's knowledge (it is held in a
    // guarded pointer).
    // While shown, the window is kept above `frame` (the program's main window), so the one
    // window that takes input while a tool runs cannot fall behind the frame.
    explicit TLoadingWindowAdapter(TfrmLoading* window, QWidget* frame = nullptr);

    void Show() override;
    void Close() override;
    QWidget* Window() override { return m_window; }
    void SetOnCancel(std::function<void()> onCancel) override;

  private:
    QPointer<TfrmLoading> m_window;
    QPointer<QWidget> m_frame;
    // The window that was active when the loading window came up; it gets the keyboard back
    // when the loading window closes, so the next key (F4, Ctrl+F1) reaches the program even
    // where no window manager hands the focus on.
    QPointer<QWidget> m_previous;
};
