// The toggle button: hint that follows the Down state, and its click events.
#include "widgets/toggle_btn.h"

#include <QPointer>
#include <chrono>

namespace {

int MillisecondTicks() {
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<int>(ms & 0x7FFFFFFF);
}

// True when another button of the parent already uses `groupIndex`.
bool GroupTaken(const QWidget* self, int groupIndex) {
    if (self->parentWidget() == nullptr) return false;
    for (const QObject* object : self->parentWidget()->children()) {
        const auto* button = qobject_cast<const TabcCustomPicSpeedBtn*>(object);
        if (button != nullptr && button != self && button->GroupIndex() == groupIndex) return true;
    }
    return false;
}

}  // namespace

TabcToggleBtn::TabcToggleBtn(QWidget* parent) : TabcCustomPicSpeedBtn(parent) {
    // The tick count alone would put toggles created within the same millisecond (several
    // in one form's constructor) into one group; step past numbers a sibling already holds.
    int group = MillisecondTicks();
    while (group == 0 || GroupTaken(this, group)) group = (group + 1) & 0x7FFFFFFF;
    SetGroupIndex(group);
    SetAllowAllUp(true);
    SetPopup(false);
}

void TabcToggleBtn::SetHintDown(const std::string& value) {
    m_hintDown = value;
    if (Down()) SetHint(value);
}

void TabcToggleBtn::SetHintUp(const std::string& value) {
    m_hintUp = value;
    if (!Down()) SetHint(value);
}

bool TabcToggleBtn::Click() {
    QPointer<TabcToggleBtn> self(this);
    const bool clicked = TabcCustomPicSpeedBtn::Click();
    if (!self) return clicked;
    // The hint follows the state even when the click itself was cancelled.
    SetHint(Down() ? m_hintDown : m_hintUp);
    if (!clicked) return false;
    if (Down()) {
        if (OnClickDown) OnClickDown(this);
    } else {
        if (OnClickUp) OnClickUp(this);
    }
    return true;
}

void TabcToggleBtn::ButtonPressed(int groupIndex, TabcCustomPicSpeedBtn* sender) {
    TabcCustomPicSpeedBtn::ButtonPressed(groupIndex, sender);
    if (groupIndex == GroupIndex()) SetHint(Down() ? m_hintDown : m_hintUp);
}
