// The picture speed button: its properties, the state machine (up, hot, pressed, down,
// disabled), group exclusion among buttons of one parent, the accelerator key and the hints.
#include "widgets/pic_speed_btn.h"

#include <QApplication>
#include <QEnterEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPointer>
#include <QShortcutEvent>

#include "platform/qt/qt_text.h"

namespace {

bool IsHighlightStyle(TabcButtonStyle style) {
    switch (style) {
        case absThinHighlight:
        case absMidHighlight:
        case absThickHighlight:
        case absFramedHighlight:
        case absFramedBlackHighlight:
        case absRecessedHighlight:
        case absRecessedBlackHighlight:
            return true;
        default:
            return false;
    }
}

}  // namespace

TabcCustomPicSpeedBtn::TabcCustomPicSpeedBtn(QWidget* parent) : QWidget(parent) {
    resize(22, 23);
    m_color = palette().color(QPalette::Button);
}

TabcCustomPicSpeedBtn::~TabcCustomPicSpeedBtn() = default;

void TabcCustomPicSpeedBtn::SetGroupIndex(int value) {
    if (value == m_groupIndex) return;
    m_groupIndex = value;
    // A button that may no longer stay down comes up.
    if (m_groupIndex == 0 && m_down) {
        m_down = false;
        SetState(isEnabled() ? absUp : absDisabled);
    }
}

void TabcCustomPicSpeedBtn::SetDown(bool value) {
    if (m_groupIndex == 0) value = false;
    if (value == m_down || (m_down && !m_allowAllUp)) return;
    m_down = value;
    if (!isEnabled())
        SetState(absDisabled);
    else if (m_down)
        SetState(absDown);
    else
        SetState(MouseOver() ? absHot : absUp);
    if (!m_down) return;

    // Tell every button of the same parent; the sender receives the notice too.
    QPointer<TabcCustomPicSpeedBtn> self(this);
    const QObjectList siblings = parentWidget() ? parentWidget()->children() : QObjectList{this};
    for (QObject* object : siblings) {
        auto* button = qobject_cast<TabcCustomPicSpeedBtn*>(object);
        if (button != nullptr && self) button->ButtonPressed(m_groupIndex, this);
    }
}

void TabcCustomPicSpeedBtn::ButtonPressed(int groupIndex, TabcCustomPicSpeedBtn* sender) {
    if (groupIndex != m_groupIndex) return;
    if (sender != this && sender->Down() && m_down) {
        m_down = false;
        SetState(isEnabled() ? absUp : absDisabled);
    }
    m_allowAllUp = sender->AllowAllUp();
}

void TabcCustomPicSpeedBtn::SetAllowAllUp(bool value) {
    m_allowAllUp = value;
}

void TabcCustomPicSpeedBtn::SetPopup(bool value) {
    m_popup = value;
    update();
}

void TabcCustomPicSpeedBtn::SetStyle(TabcButtonStyle value) {
    m_style = value;
    update();
}

void TabcCustomPicSpeedBtn::SetLayout(TabcButtonLayout value) {
    m_layout = value;
    update();
}

void TabcCustomPicSpeedBtn::SetPicture(const QPixmap& value) {
    m_picture = value;
    update();
}

void TabcCustomPicSpeedBtn::SetPictureHighlight(TabcGlyphHighlight value) {
    m_pictureHighlight = value;
    update();
}

void TabcCustomPicSpeedBtn::SetCaption(const std::string& value) {
    m_caption = value;
    UpdateShortcut();
    update();
}

void TabcCustomPicSpeedBtn::SetColor(const QColor& value) {
    m_color = value;
    update();
}

void TabcCustomPicSpeedBtn::SetSpacing(int value) {
    m_spacing = value;
    update();
}

void TabcCustomPicSpeedBtn::SetMargin(int value) {
    m_margin = value;
    update();
}

void TabcCustomPicSpeedBtn::SetTextStyle(TabcTextStyle value) {
    m_textStyle = value;
    update();
}

void TabcCustomPicSpeedBtn::SetDisabledShadow(bool value) {
    m_disabledShadow = value;
    update();
}

void TabcCustomPicSpeedBtn::SetHint(const std::string& value) {
    m_hint = value;
    UpdateHintTips();
}

void TabcCustomPicSpeedBtn::SetShowHint(bool value) {
    m_showHint = value;
    UpdateHintTips();
}

void TabcCustomPicSpeedBtn::UpdateHintTips() {
    const QString hint = ToQ(m_hint);
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    setToolTip(m_showHint ? hint.left(bar) : QString());
    setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
}

void TabcCustomPicSpeedBtn::UpdateShortcut() {
    if (m_shortcutId != 0) releaseShortcut(m_shortcutId);
    m_shortcutId = 0;
    const QKeySequence key = QKeySequence::mnemonic(ToQ(m_caption));
    if (!key.isEmpty()) m_shortcutId = grabShortcut(key);
}

bool TabcCustomPicSpeedBtn::Click() {
    bool cancel = false;
    if (BeforeClick) BeforeClick(this, cancel);
    if (cancel) return false;
    if (OnClick) OnClick(this);
    return true;
}

void TabcCustomPicSpeedBtn::SetState(TabcButtonState state) {
    if (state == m_state) return;
    m_state = state;
    update();
}

bool TabcCustomPicSpeedBtn::MouseOver() const {
    return underMouse();
}

bool TabcCustomPicSpeedBtn::LookFollowsMouse() const {
    return m_popup || m_pictureHighlight != aghNormal || IsHighlightStyle(m_style);
}

void TabcCustomPicSpeedBtn::AcceleratorPress() {
    if (!isEnabled()) return;
    if (m_groupIndex != 0) SetDown(!m_down);
    Click();
}

bool TabcCustomPicSpeedBtn::event(QEvent* event) {
    if (event->type() == QEvent::Shortcut &&
        static_cast<QShortcutEvent*>(event)->shortcutId() == m_shortcutId && m_shortcutId != 0) {
        AcceleratorPress();
        return true;
    }
    return QWidget::event(event);
}

void TabcCustomPicSpeedBtn::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !isEnabled()) return;
    m_tracking = true;
    SetState(m_down ? absDown : absPressed);
}

void TabcCustomPicSpeedBtn::mouseMoveEvent(QMouseEvent* event) {
    if (!m_tracking) return;
    const bool inside = rect().contains(event->position().toPoint());
    SetState(m_down ? absDown : (inside ? absPressed : absUp));
}

void TabcCustomPicSpeedBtn::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_tracking) return;
    m_tracking = false;
    const bool inside = rect().contains(event->position().toPoint());
    if (inside && m_groupIndex != 0) SetDown(!m_down);
    SetState(m_down ? absDown : (inside ? absHot : absUp));
    if (inside) Click();
}

void TabcCustomPicSpeedBtn::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    if (m_tracking || !isEnabled() || QApplication::activeWindow() == nullptr ||
        QWidget::mouseGrabber() != nullptr || m_state != absUp)
        return;
    m_state = absHot;
    if (LookFollowsMouse()) update();
}

void TabcCustomPicSpeedBtn::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    if (m_tracking || m_state != absHot) return;
    m_state = absUp;
    if (LookFollowsMouse()) update();
}

void TabcCustomPicSpeedBtn::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        m_tracking = false;
        SetState(!isEnabled() ? absDisabled : (m_down ? absDown : absUp));
    }
}
