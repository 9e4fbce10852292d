// A scroll bar that the editor sets without repainting it when its picture stays the same. The
// editor sets the range after every edit that changes the longest line; on a line of millions of
// columns one more column moves no pixel of the thumb, yet a plain scroll bar would repaint
// itself, and with it the window frame beneath it, on every key.
#pragma once

#include <QRect>
#include <QScrollBar>

class TQuietScrollBar : public QScrollBar {
  public:
    explicit TQuietScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);

    // Sets the page step, range and value; asks for a paint only when the thumb or the state
    // of the arrows changes.
    void Apply(int page, int minimum, int maximum, int value);

  private:
    struct TLook {
        QRect Thumb;
        bool AtMinimum = false;
        bool AtMaximum = false;
        bool operator==(const TLook&) const = default;
    };
    TLook Look() const;
};
