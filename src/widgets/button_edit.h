// The edit-with-button control: a one-line edit box with a small push button drawn inside its
// right edge. What the button does is left to derived classes (ButtonClick).
#pragma once

#include <QLineEdit>
#include <string>

// Events that also run the button action, combined as a set of bits.
enum TabcClickOn : unsigned {
    coEnterKey = 1u << 0,
    coFocusLeave = 1u << 1,
    coFocusEnter = 1u << 2
};
using TabcClickOnSet = unsigned;

class TabcCustomButtonEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit TabcCustomButtonEdit(QWidget* parent = nullptr);

    bool ButtonVisible() const { return m_buttonVisible; }
    void SetButtonVisible(bool value);
    bool ButtonDisabled() const { return m_buttonDisabled; }
    // Releases a pressed button and repaints.
    void SetButtonDisabled(bool value);
    TabcClickOnSet ClickOn() const { return m_clickOn; }
    void SetClickOn(TabcClickOnSet value) { m_clickOn = value; }

    // The button's width: the width of a vertical scroll bar, read once at creation.
    int ButtonWidth() const { return m_buttonWidth; }
    // The button's rectangle: the right end of the client area, full height.
    QRect ButtonRect() const;
    // True while the left mouse button, pressed on the button, is over it.
    bool Pressed() const { return m_pressed; }

    // The box's text in the code page.
    std::string Text() const;
    void SetText(const std::string& value);

    // Runs the button action through the general error report, as a click on the button does.
    void ClickButton();

  protected:
    // The button action.
    virtual void ButtonClick() {}

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    // The client area: the widget without its frame.
    QRect ClientRect() const;
    bool ButtonActive() const;
    void UpdateTextArea();
    void SetPressed(bool value);
    void PaintButton(QPainter& painter) const;

    bool m_buttonVisible = true;
    bool m_buttonDisabled = false;
    TabcClickOnSet m_clickOn = 0;
    int m_buttonWidth = 16;
    bool m_pressed = false;
    bool m_tracking = false;
};
