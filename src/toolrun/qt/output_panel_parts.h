// Parts of the output panel that do not need the editor: the close button's pictures and
// properties, and the logic that keeps the button at the panel's right edge and animates it.
#pragma once

#include <QObject>
#include <QPointer>
#include <memory>

#include "platform/qt/image_list.h"
#include "widgets/shape_button.h"

// `imgListButtons`: three 44x30 pictures, 0 up, 1 down, 2 flat.
std::unique_ptr<TImageList> CreateOutputPanelButtonImages();

// Gives `Button1` its size, pictures, offsets and font; the panel's owner places it in the panel.
void SetUpOutputPanelCloseButton(TabcShapeButton& button, TImageList* images);

// Keeps the close button at the panel's right edge, hides the panel when the button is clicked
// and animates the button's flat picture from the frame window's 500 ms timer.
class TOutputPanelAnimator : public QObject {
    Q_OBJECT
  public:
    // Watches the panel's resizes and takes the button's click; the frame window calls
    // Timer1Timer from its own timer.
    TOutputPanelAnimator(QWidget* panel, TabcShapeButton* button, QObject* parent = nullptr);

    void pnlColorMemo1Resize();
    void Timer1Timer();
    void Button1Click();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QPointer<QWidget> m_panel;
    QPointer<TabcShapeButton> m_button;
};
