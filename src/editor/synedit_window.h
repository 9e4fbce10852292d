// What the editor control's logic needs of its window, and what its parts need of the editor
// around them: the settings they read and the host they report to.
#pragma once

#include "editor/synedit_settings.h"
#include "editor/synedit_types.h"

// The window: the widget implements it to receive invalidations, scroll-bar and caret updates.
class ISynEditWindow {
  public:
    virtual ~ISynEditWindow() = default;
    virtual bool HandleAllocated() const = 0;
    virtual bool Focused() const = 0;
    virtual int ClientWidth() const = 0;
    virtual int ClientHeight() const = 0;
    virtual void InvalidateRect(const TRect& rect) = 0;
    // Moves the pixels of `rect` by dy (positive: down) and invalidates what was uncovered.
    virtual void ScrollWindowBy(int dy, const TRect& rect) = 0;
    virtual void ApplyScrollBars(const TScrollBarInfo& horizontal,
                                 const TScrollBarInfo& vertical) = 0;
    // Places the caret rectangle; `visible` false hides it.
    virtual void PlaceCaret(bool visible, const TRect& rect) = 0;
};

// What the view and the caret report to the editor control around them, and the word
// characters they move by.
class ISynEditorHost {
  public:
    // Whether a character belongs to a word (the highlighter's identifier characters).
    virtual bool EditorIsIdentChar(unsigned char c) const = 0;
    virtual void EditorStatusChanged(TSynStatusChanges changes) = 0;
    // The last paint lock came off with the window present: the caret and status follow.
    virtual void EditorUnlocked() = 0;

  protected:
    ~ISynEditorHost() = default;
};

// Scroll-bar messages from the window.
enum TSynScrollCode {
    scLineUp,
    scLineDown,
    scPageUp,
    scPageDown,
    scTop,
    scBottom,
    scTrack,
    scPosition,
    scEndScroll
};
