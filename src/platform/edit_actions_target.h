// What the frame window's Cut, Copy and Paste commands need from the control that has the
// focus: whether each command is possible now, the commands themselves, and a notification when
// that may have changed (selection or clipboard).
#pragma once

#include <functional>

class IEditActionsTarget {
  public:
    virtual ~IEditActionsTarget() = default;

    virtual bool CanCut() const = 0;
    virtual bool CanCopy() const = 0;
    virtual bool CanPaste() const = 0;
    virtual void Cut() = 0;
    virtual void Copy() = 0;
    virtual void Paste() = 0;

    // The frame window hands over a callback when the control gains the focus; the control
    // calls it whenever CanCut, CanCopy or CanPaste may have changed. An empty callback clears it.
    virtual void SetOnEditStateChange(std::function<void()> callback) = 0;
};
