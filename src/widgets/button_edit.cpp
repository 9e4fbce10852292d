// Edit-with-button: the narrowed text area, the drawn button with its three dots, and the
// mouse, key and focus handling that runs the button action.
#include "widgets/button_edit.h"

#include <qdrawutil.h>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTimer>

#include "platform/qt/error_report.h"
#include "platform/qt/qt_text.h"

TabcCustomButtonEdit::TabcCustomButtonEdit(QWidget* parent) : QLineEdit(parent) {
    m_buttonWidth = std::max(1, style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this));
    // The pointer changes over the button, so moves are needed without a pressed button too.
    setMouseTracking(true);
    UpdateTextArea();
}

void TabcCustomButtonEdit::SetButtonVisible(bool value) {
    if (m_buttonVisible == value) return;
    m_buttonVisible = value;
    if (!value) SetPressed(false);
    m_tracking = m_tracking && value;
    UpdateTextArea();
    update();
}

void TabcCustomButtonEdit::SetButtonDisabled(bool value) {
    m_buttonDisabled = value;
    m_tracking = false;
    SetPressed(false);
    update();
}

std::string TabcCustomButtonEdit::Text() const {
    return FromQ(text());
}

void TabcCustomButtonEdit::SetText(const std::string& value) {
    setText(ToQ(value));
}

QRect TabcCustomButtonEdit::ClientRect() const {
    if (!hasFrame()) return rect();
    QStyleOptionFrame option;
    initStyleOption(&option);
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
    return rect().adjusted(frame, frame, -frame, -frame);
}

QRect TabcCustomButtonEdit::ButtonRect() const {
    const QRect client = ClientRect();
    return QRect(client.right() + 1 - m_buttonWidth, client.top(), m_buttonWidth, client.height());
}

bool TabcCustomButtonEdit::ButtonActive() const {
    return isEnabled() && m_buttonVisible && !m_buttonDisabled;
}

void TabcCustomButtonEdit::UpdateTextArea() {
    // The text ends at the button's left edge, so a long path never runs under it.
    setTextMargins(0, 0, m_buttonVisible ? m_buttonWidth : 0, 0);
}

void TabcCustomButtonEdit::SetPressed(bool value) {
    if (m_pressed == value) return;
    m_pressed = value;
    update(ButtonRect());
}

void TabcCustomButtonEdit::ClickButton() {
    RunCommand([this] { ButtonClick(); });
}

void TabcCustomButtonEdit::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    if (!m_buttonVisible) return;
    QPainter painter(this);
    PaintButton(painter);
}

void TabcCustomButtonEdit::PaintButton(QPainter& painter) const {
    const QRect button = ButtonRect();
    const QPalette& pal = palette();
    if (m_pressed) {
        // Flat and pushed in: a plain frame in the shadow colour.
        qDrawPlainRect(&painter, button, pal.color(QPalette::Dark), 1,
                       &pal.brush(QPalette::Button));
    } else {
        qDrawWinButton(&painter, button, pal, false, &pal.brush(QPalette::Button));
    }

    const int bw = m_buttonWidth;
    const int d = bw < 8 ? 1 : bw / 8;
    const QRect client = ClientRect();
    // Positions count from the client area's corner, as the button does.
    int left = client.left() + client.width() - bw + bw / 2;
    int top = client.top() + client.height() - client.height() / 4 - 1;
    if (!m_pressed) {
        --left;
        --top;
    }
    const QColor dots = (isEnabled() && !m_buttonDisabled) ? Qt::black : Qt::gray;
    for (int i = -1; i <= 1; ++i) painter.fillRect(QRect(left + i * 2 * d, top, d, d), dots);
}

void TabcCustomButtonEdit::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    UpdateTextArea();
}

void TabcCustomButtonEdit::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && ButtonActive() &&
        ButtonRect().contains(event->position().toPoint())) {
        // The widget keeps the mouse until the button is released.
        m_tracking = true;
        SetPressed(true);
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void TabcCustomButtonEdit::mouseMoveEvent(QMouseEvent* event) {
    const bool overButton = m_buttonVisible && ButtonRect().contains(event->position().toPoint());
    setCursor(overButton ? Qt::ArrowCursor : Qt::IBeamCursor);
    if (m_tracking) {
        SetPressed(overButton);
        event->accept();
        return;
    }
    QLineEdit::mouseMoveEvent(event);
}

void TabcCustomButtonEdit::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_tracking) {
        QLineEdit::mouseReleaseEvent(event);
        return;
    }
    m_tracking = false;
    const bool wasInside = m_pressed && ButtonRect().contains(event->position().toPoint());
    SetPressed(false);
    event->accept();
    if (event->button() == Qt::LeftButton && wasInside) ClickButton();
}

void TabcCustomButtonEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    if (m_buttonVisible && ButtonRect().contains(event->position().toPoint())) {
        event->accept();
        return;
    }
    QLineEdit::mouseDoubleClickEvent(event);
}

void TabcCustomButtonEdit::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (m_clickOn & coEnterKey) != 0) {
        event->accept();
        ClickButton();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TabcCustomButtonEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if ((m_clickOn & coFocusEnter) != 0) {
        // Run once the focus change has settled; a modal dialog must not open inside it.
        QPointer<TabcCustomButtonEdit> self(this);
        QTimer::singleShot(0, this, [self] {
            if (self) self->ClickButton();
        });
    }
}

void TabcCustomButtonEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if ((m_clickOn & coFocusLeave) != 0) {
        QPointer<TabcCustomButtonEdit> self(this);
        QTimer::singleShot(0, this, [self] {
            if (self) self->ClickButton();
        });
    }
}

void TabcCustomButtonEdit::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        m_tracking = false;
        SetPressed(false);
    }
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::FontChange) {
        UpdateTextArea();
    }
}
