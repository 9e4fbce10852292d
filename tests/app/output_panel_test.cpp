// The output panel in the real frame window: hidden at start, its controls' layout, the close
// button at the right edge after resizes, closing, the animation from the frame's timer, and the
// build commands bound at start-up with the loading window.
#include "toolrun/qt/output_panel_widget.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QMdiArea>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include "app_test_support.h"
#include "editor/qt/synedit.h"
#include "editor/string_list.h"
#include "highlight/syn_cpp_syn.h"
#include "toolrun/qt/loading_window.h"
#include "widgets/shape_button.h"

namespace {

class OutputPanelTest : public ::testing::Test, public TProgramFixture {
  protected:
    TOutputPanel& Panel() { return *Form().pnlColorMemo1(); }
};

TEST_F(OutputPanelTest, HiddenAtStartAndLaidOutAboveTheStatusBar) {
    EXPECT_FALSE(Panel().IsVisible());
    Panel().MakeVisible();
    QApplication::processEvents();
    EXPECT_TRUE(Panel().IsVisible());
    EXPECT_EQ(Panel().height(), 185);
    const QRect panel(Panel().mapTo(&Form(), QPoint(0, 0)), Panel().size());
    EXPECT_EQ(panel.width(), Form().width());
    EXPECT_EQ(panel.bottom() + 1, Form().StatusBar()->geometry().top());
    const QRect area(Form().ClientArea()->mapTo(&Form(), QPoint(0, 0)),
                     Form().ClientArea()->size());
    EXPECT_EQ(area.bottom() + 1, panel.top());

    EXPECT_EQ(Panel().Label1->text(), "Compiler / Assembler output window:");
    EXPECT_EQ(Panel().Label1->pos(), QPoint(10, 10));
    EXPECT_TRUE(Panel().Label1->font().bold());
    EXPECT_EQ(Panel().Label1->font().pixelSize(), 16);

    EXPECT_EQ(Panel().Button1->size(), QSize(47, 30));
    EXPECT_EQ(Panel().Button1->y(), 2);
    EXPECT_EQ(Panel().Button1->x(), Panel().width() - 47);
    EXPECT_EQ(Panel().Button1->IndexUp(), 0);
    EXPECT_EQ(Panel().Button1->IndexDown(), 1);
    EXPECT_EQ(Panel().imgListButtons().Count(), 3);
    EXPECT_EQ(Panel().imgListButtons().Size(), QSize(44, 30));

    TSynMemo& memo = *Panel().ColorMemo1;
    EXPECT_EQ(memo.height(), 147);
    EXPECT_EQ(memo.geometry().bottom(), Panel().contentsRect().bottom());
    EXPECT_EQ(memo.width(), Panel().contentsRect().width());
    EXPECT_EQ(memo.Color(), 16777215);
    EXPECT_FALSE(memo.Gutter().Visible());
    EXPECT_EQ(memo.Font().Name, "Courier New");
    EXPECT_EQ(memo.Font().Height, -13);
    EXPECT_EQ(memo.Highlighter(), static_cast<TSynCustomHighlighter*>(&Form().SynCppSyn1()));
    EXPECT_EQ(Form().SynCppSyn1().DirecAttri()->Foreground(), 8421376);
    EXPECT_EQ(Form().SynCppSyn1().StringAttri()->Foreground(), 8388736);
}

TEST_F(OutputPanelTest, CloseButtonStaysAtTheRightEdge) {
    Panel().MakeVisible();
    Panel().resize(792, 185);
    EXPECT_EQ(Panel().Button1->x(), 745);
    Form().resize(1000, 700);
    QApplication::processEvents();
    EXPECT_EQ(Panel().Button1->x(), Panel().width() - 47);
    EXPECT_EQ(Panel().ColorMemo1->width(), Panel().contentsRect().width());
}

TEST_F(OutputPanelTest, TextOperationsAndClosingKeepTheContent) {
    Panel().MakeVisible();
    Panel().ClearText();
    Panel().AddLine("/*****");
    Panel().AddLine("*compiling");
    EXPECT_EQ(Panel().ColorMemo1->Lines().GetCount(), 2);
    EXPECT_EQ(Panel().ColorMemo1->Lines().Get(1), "*compiling");
    const std::string output = Source() + "/output.c";
    WriteFile(output, "int error;\nline 2\n");
    Panel().LoadFromFile(output);
    EXPECT_EQ(Panel().ColorMemo1->Lines().GetCount(), 2);
    EXPECT_EQ(Panel().ColorMemo1->Lines().Get(0), "int error;");
    EXPECT_ANY_THROW(Panel().LoadFromFile(Source() + "/missing.c"));
    EXPECT_EQ(Panel().ColorMemo1->Lines().Get(0), "int error;");

    QApplication::processEvents();
    const QRegion shape = Panel().Button1->Shape();
    ASSERT_FALSE(shape.isEmpty());
    QTest::mouseClick(Panel().Button1, Qt::LeftButton, {}, shape.boundingRect().center());
    EXPECT_FALSE(Panel().IsVisible());
    EXPECT_EQ(Panel().ColorMemo1->Lines().Get(1), "line 2");
}

TEST_F(OutputPanelTest, FrameTimerAnimatesTheCloseButtonWhileVisible) {
    ASSERT_TRUE(Form().Timer1()->isActive());
    EXPECT_EQ(Form().Timer1()->interval(), 500);
    TabcShapeButton& button = *Panel().Button1;
    EXPECT_EQ(button.IndexFlat(), 2);
    Form().Timer1Timer();
    EXPECT_EQ(button.IndexFlat(), 2);  // hidden: nothing
    Panel().MakeVisible();
    std::vector<int> seen;
    for (int i = 0; i < 4; ++i) {
        Form().Timer1Timer();
        seen.push_back(button.IndexFlat());
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 0}));
    Panel().Button1Click();
    Form().Timer1Timer();
    EXPECT_EQ(button.IndexFlat(), 0);
    Panel().MakeVisible();
    Form().Timer1Timer();
    EXPECT_EQ(button.IndexFlat(), 1);  // resumes from where it stopped
}

TEST_F(OutputPanelTest, StartUpCreatesTheLoadingWindowAndBindsTheBuildCommands) {
    EXPECT_FALSE(app->frmLoading().isVisible());
    EXPECT_EQ(app->frmLoading().windowTitle(), "Loading Output...please be patient...");
    EXPECT_TRUE(Form().CompileCCode1()->isEnabled());
    EXPECT_TRUE(Form().CompileAssembly1()->isEnabled());
    for (QAction* emulator : Form().EMU()) EXPECT_TRUE(emulator->isEnabled());
    // Compile with no document window: the build command's refusal, the panel untouched.
    Form().CompileCCode1()->trigger();
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Type, TMsgDlgType::mtError);
    EXPECT_FALSE(Panel().IsVisible());
}

}  // namespace
