// The output panel pnlColorMemo1 at the bottom of the frame window: a caption, the animated
// close button and the editor ColorMemo1 that shows the banner and the tool's messages.
#pragma once

#include <QFrame>
#include <memory>
#include <string>

#include "toolrun/output_panel.h"

class QLabel;
class TImageList;
class TOutputPanelAnimator;
class TOutputPanelMessages;
class TOutputPanelResizer;
class TSynCppSyn;
class TSynMemo;
class TabcShapeButton;

class TOutputPanel : public QFrame, public IOutputPanel {
    Q_OBJECT
  public:
    static constexpr int kPanelHeight = 185;
    static constexpr int kMemoHeight = 147;

    // The highlighter is the frame's own and must outlive the panel's editor.
    TOutputPanel(TSynCppSyn* highlighter, QWidget* parent = nullptr);
    ~TOutputPanel() override;

    QLabel* Label1 = nullptr;
    TabcShapeButton* Button1 = nullptr;
    TSynMemo* ColorMemo1 = nullptr;
    TImageList& imgListButtons() const { return *m_imgListButtons; }
    // The message lines of the editor: double clicks, next/previous message, the current line.
    TOutputPanelMessages& Messages() const { return *m_messages; }
    // The drag of the top edge that resizes the panel.
    TOutputPanelResizer& Resizer() const { return *m_resizer; }

    // Keeps the close button at the right edge; also run on every resize.
    void pnlColorMemo1Resize();
    // Hides the panel; its content stays.
    void Button1Click();
    // One step of the close button's animation, from the frame's 500 ms timer.
    void Timer1Timer();

    // IOutputPanel
    void MakeVisible() override;
    bool IsVisible() const override;
    void ClearText() override;
    void AddLine(const std::string& text) override;
    void LoadFromFile(const std::string& fileName) override;
    void ToolFinished(const std::string& sourceDir, const std::string& sourceName) override;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    std::unique_ptr<TImageList> m_imgListButtons;
    TOutputPanelAnimator* m_animator = nullptr;
    TOutputPanelMessages* m_messages = nullptr;
    TOutputPanelResizer* m_resizer = nullptr;
};
