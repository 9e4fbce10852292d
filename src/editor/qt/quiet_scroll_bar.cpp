#include "editor/qt/quiet_scroll_bar.h"

#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionSlider>

TQuietScrollBar::TQuietScrollBar(Qt::Orientation orientation, QWidget* parent)
    : QScrollBar(orientation, parent) {}

TQuietScrollBar::TLook TQuietScrollBar::Look() const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    TLook look;
    look.Thumb =
        style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this);
    look.AtMinimum = value() == minimum();
    look.AtMaximum = value() == maximum();
    return look;
}

void TQuietScrollBar::Apply(int page, int minimum, int maximum, int value) {
    if (page == pageStep() && minimum == this->minimum() && maximum == this->maximum() &&
        value == this->value())
        return;
    const TLook before = Look();
    {
        // The setters ask for a paint on any change (the range's directly, not through
        // sliderChange); with updates off they only change the values. Turning updates back
        // on through setUpdatesEnabled would ask for a paint itself.
        const bool wasQuiet = testAttribute(Qt::WA_UpdatesDisabled);
        setAttribute(Qt::WA_UpdatesDisabled, true);
        // The scroll area answers a range change by laying its bars out again later, which
        // repaints both bars and the frame beneath them even where nothing moved; the editor
        // sets the bars' visibility itself, and it scrolls by its own logic, not by the bars'
        // value signals.
        const QSignalBlocker quiet(this);
        setPageStep(page);
        setRange(minimum, maximum);
        setValue(value);
        setAttribute(Qt::WA_UpdatesDisabled, wasQuiet);
    }
    if (!(Look() == before)) update();
}
