// The picture speed button: a small self-painting button with a picture and a caption that can
// stay down, alone or as one of a group of buttons on the same parent.
#pragma once

#include <QPixmap>
#include <QWidget>
#include <functional>
#include <string>

enum TabcButtonStyle {
    absAutoDetect,
    absNew,
    absWin31,
    absThin,
    absThinBlack,
    absThinGray,
    absThinHighlight,
    absMidHighlight,
    absThickHighlight,
    absFramed,
    absFramedBlack,
    absFramedRaised,
    absFramedHighlight,
    absFramedBlackHighlight,
    absRecessed,
    absRecessedBlack,
    absRecessedRaised,
    absRecessedHighlight,
    absRecessedBlackHighlight
};

enum TabcButtonLayout {
    ablGlyphLeft,
    ablGlyphRight,
    ablGlyphTop,
    ablGlyphBottom,
    ablGlyphCenter,
    ablGlyphTiled
};

enum TabcGlyphHighlight { aghNormal, aghGray, aghFade, aghDarken };

enum TabcTextStyle { tsNormal, tsRaised, tsLowered };

// What the button looks like at the moment.
enum TabcButtonState { absUp, absDisabled, absPressed, absDown, absHot };

class TabcCustomPicSpeedBtn : public QWidget {
    Q_OBJECT
  public:
    using TNotifyEvent = std::function<void(QObject* sender)>;
    using TBeforeClickEvent = std::function<void(QObject* sender, bool& cancel)>;

    explicit TabcCustomPicSpeedBtn(QWidget* parent = nullptr);
    ~TabcCustomPicSpeedBtn() override;

    int GroupIndex() const { return m_groupIndex; }
    void SetGroupIndex(int value);
    bool Down() const { return m_down; }
    void SetDown(bool value);
    bool AllowAllUp() const { return m_allowAllUp; }
    void SetAllowAllUp(bool value);
    bool Popup() const { return m_popup; }
    void SetPopup(bool value);
    TabcButtonStyle Style() const { return m_style; }
    void SetStyle(TabcButtonStyle value);
    TabcButtonLayout Layout() const { return m_layout; }
    void SetLayout(TabcButtonLayout value);
    const QPixmap& Picture() const { return m_picture; }
    void SetPicture(const QPixmap& value);
    TabcGlyphHighlight PictureHighlight() const { return m_pictureHighlight; }
    void SetPictureHighlight(TabcGlyphHighlight value);
    // The caption is drawn in the palette's ButtonText colour; '&' marks its accelerator key.
    const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string& value);
    QColor Color() const { return m_color; }
    void SetColor(const QColor& value);
    int Spacing() const { return m_spacing; }
    void SetSpacing(int value);
    int Margin() const { return m_margin; }
    void SetMargin(int value);
    TabcTextStyle TextStyle() const { return m_textStyle; }
    void SetTextStyle(TabcTextStyle value);
    bool DisabledShadow() const { return m_disabledShadow; }
    void SetDisabledShadow(bool value);

    // Hint text, "short|long": the short part becomes the tool tip (while ShowHint), the long
    // part (or the whole text) the status tip.
    const std::string& Hint() const { return m_hint; }
    void SetHint(const std::string& value);
    bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool value);

    TabcButtonState State() const { return m_state; }

    // Raised before a click is handled; setting the flag drops the click.
    TBeforeClickEvent BeforeClick;
    TNotifyEvent OnClick;

    // Runs a click as the mouse or the accelerator key would after the button's state changed.
    // Returns false when BeforeClick cancelled it.
    virtual bool Click();

  protected:
    // A button of the same parent with `groupIndex` went down.
    virtual void ButtonPressed(int groupIndex, TabcCustomPicSpeedBtn* sender);

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void SetState(TabcButtonState state);
    bool MouseOver() const;
    bool LookFollowsMouse() const;
    void UpdateShortcut();
    void UpdateHintTips();
    void AcceleratorPress();
    QPixmap PictureForState() const;
    void PaintFrame(QPainter& painter, QRect& inner) const;
    void PaintContent(QPainter& painter, const QRect& inner) const;

    int m_groupIndex = 0;
    bool m_down = false;
    bool m_allowAllUp = false;
    bool m_popup = true;
    TabcButtonStyle m_style = absThin;
    TabcButtonLayout m_layout = ablGlyphLeft;
    QPixmap m_picture;
    TabcGlyphHighlight m_pictureHighlight = aghNormal;
    std::string m_caption;
    QColor m_color;
    int m_spacing = 4;
    int m_margin = -1;
    TabcTextStyle m_textStyle = tsNormal;
    bool m_disabledShadow = true;
    std::string m_hint;
    bool m_showHint = true;

    TabcButtonState m_state = absUp;
    bool m_tracking = false;
    int m_shortcutId = 0;
};
