// The toggle button: a picture speed button that stays down or up with each click and shows one
// hint while down and another while up.
#pragma once

#include "widgets/pic_speed_btn.h"

class TabcToggleBtn : public TabcCustomPicSpeedBtn {
    Q_OBJECT
  public:
    // Starts in a group of its own (numbered after the millisecond tick count), with
    // AllowAllUp set and Popup cleared.
    explicit TabcToggleBtn(QWidget* parent = nullptr);

    const std::string& HintDown() const { return m_hintDown; }
    void SetHintDown(const std::string& value);
    const std::string& HintUp() const { return m_hintUp; }
    void SetHintUp(const std::string& value);

    TNotifyEvent OnClickDown;
    TNotifyEvent OnClickUp;

    bool Click() override;

  protected:
    void ButtonPressed(int groupIndex, TabcCustomPicSpeedBtn* sender) override;

  private:
    std::string m_hintDown;
    std::string m_hintUp;
};
