// The loading window as the tool launcher uses it: shown while a tool runs, closed afterwards,
// and the one window that still takes user input meanwhile, so its Cancel can end the wait.
#pragma once

#include <functional>

class QWidget;

class ILoadingWindow {
  public:
    virtual ~ILoadingWindow() = default;
    // Shows the window without making it modal.
    virtual void Show() = 0;
    virtual void Close() = 0;
    // The window's widget; while a tool runs, user input reaches only this window. Null when
    // the window has no widget (then no user input is taken at all).
    virtual QWidget* Window() = 0;
    // Called when the user presses Cancel. An empty function ends the notification.
    virtual void SetOnCancel(std::function<void()> onCancel) = 0;
};
