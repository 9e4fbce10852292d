// From the output panel to the source in the running program: a build through a fake compiler
// that prints real message lines, F4 and Shift+F4 as keys, double clicks on panel lines, red
// error marks in the gutter until the next build, the panel's top-edge drag, and the caret line
// kept clear of the panel.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <cstdlib>
#include <filesystem>

#include "app/message_navigation.h"
#include "app_test_support.h"
#include "documents/document_highlighters.h"
#include "documents/error_marks.h"
#include "editor/qt/synedit.h"
#include "editor/string_list.h"
#include "highlight/syn_asm_syn.h"
#include "highlight/syn_cpp_syn.h"
#include "toolrun/qt/output_panel_messages.h"
#include "toolrun/qt/output_panel_resizer.h"
#include "toolrun/qt/output_panel_widget.h"

namespace {

std::string Lines(int count, const std::string& prefix) {
    std::string text;
    for (int i = 1; i <= count; ++i) text += prefix + std::to_string(i) + "\n";
    return text;
}

class MessageNavigationTest : public ::testing::Test, public TProgramFixture {
  protected:
    void SetUp() override {
        dir = Source() + "/proj";
        ASSERT_TRUE(QDir().mkpath(QString::fromStdString(dir)));
        WriteFile(dir + "/game.c", Lines(100, "int line"));
        WriteFile(dir + "/util.h", Lines(10, "// util "));
        Form().resize(900, 700);
        QApplication::processEvents();
    }

    // A compiler that prints the given output into output.c and fails.
    void UseCompilerPrinting(const std::string& output) {
        WriteFile(Home() + "/output.txt", output);
        const std::string path = Home() + "/cc.sh";
        WriteFile(path, "#!/bin/sh\ncat '" + Home() + "/output.txt' > output.c\nexit 1\n");
        ::chmod(path.c_str(), 0755);
        WriteConfig("[C]\npcecc=" + path + "\n");
    }

    // Double-clicks the middle of a 0-based line of the panel's editor.
    void DoubleClickPanelLine(int line) {
        TSynMemo& memo = *Panel().ColorMemo1;
        const int y = (line + 1 - memo.TopLine()) * memo.LineHeight() + memo.LineHeight() / 2;
        const QPoint at(memo.GutterWidth() + 3 * memo.CharWidth(), y);
        QTest::mouseClick(memo.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(memo.viewport(), Qt::LeftButton, {}, at);
        QApplication::processEvents();
    }

    TOutputPanel& Panel() { return *Form().pnlColorMemo1(); }
    TMDIChild* Active() { return Files().ActiveDocument(); }

    std::string dir;
};

const char* const kOutput =
    "cc65 V2.18\n"
    "line 2\nline 3\nline 4\nline 5\nline 6\nline 7\nline 8\nline 9\nline 10\nline 11\n"
    "game.c(3): Error: ';' expected\n"
    "util.h:2:5: error: expected identifier\n"
    "game.c(5): Warning: 'x' is defined but never used\n"
    "2 errors and 1 warning generated at 12:30:45\n";

TEST_F(MessageNavigationTest, BuildMarksErrorLinesAndF4WalksTheMessages) {
    UseCompilerPrinting(kOutput);
    TMDIChild* game = OpenByKeys(dir + "/game.c");
    ASSERT_NE(game, nullptr);
    Press(game->SynEditor(), Qt::Key_F9, Qt::ControlModifier);
    ASSERT_TRUE(Panel().IsVisible());
    // The first message scrolls into view, as far up as the panel's text allows.
    TSynMemo& memo = *Panel().ColorMemo1;
    EXPECT_EQ(memo.TopLine(), std::min(12, memo.Lines().GetCount() - memo.LinesInWindow() + 1));
    EXPECT_GT(memo.TopLine(), 1);
    EXPECT_EQ(ErrorMarkLines(*game->SynEditor()), (std::vector<int>{3}));
    EXPECT_EQ(Panel().Messages().CurrentLine(), -1);

    Press(game->SynEditor(), Qt::Key_F4);
    EXPECT_EQ(Active(), game);
    EXPECT_EQ(game->SynEditor()->CaretXY(), (TBufferCoord{1, 3}));
    EXPECT_EQ(Panel().Messages().CurrentLine(), 11);

    // The next message names another file: it opens in a window of its own, with its mark.
    Press(game->SynEditor(), Qt::Key_F4);
    TMDIChild* util = Active();
    ASSERT_NE(util, game);
    EXPECT_EQ(util->SourcePath(), dir + "/util.h");
    EXPECT_FALSE(util->SynEditor()->ReadOnly());
    EXPECT_EQ(util->SynEditor()->Lines().Get(1), "// util 2");
    EXPECT_EQ(util->SynEditor()->CaretXY(), (TBufferCoord{5, 2}));
    EXPECT_EQ(Files().ActiveSource().SourceName(), "util.h");
    EXPECT_EQ(ErrorMarkLines(*util->SynEditor()), (std::vector<int>{2}));
    EXPECT_EQ(Form().MDIChildCount(), 2);

    Press(util->SynEditor(), Qt::Key_F4);
    EXPECT_EQ(Active(), game);
    EXPECT_EQ(game->SynEditor()->CaretXY(), (TBufferCoord{1, 5}));
    Press(game->SynEditor(), Qt::Key_F4);  // cycles to the first
    EXPECT_EQ(game->SynEditor()->CaretXY(), (TBufferCoord{1, 3}));
    Press(game->SynEditor(), Qt::Key_F4, Qt::ShiftModifier);
    EXPECT_EQ(game->SynEditor()->CaretXY(), (TBufferCoord{1, 5}));
    EXPECT_EQ(Panel().Messages().CurrentLine(), 13);
    EXPECT_EQ(Form().MDIChildCount(), 2);  // util.h is found again, not opened twice

    // The current message's line is marked in the panel.
    int32_t fg = 0;
    int32_t bg = 0;
    EXPECT_TRUE(Panel().ColorMemo1->OnSpecialLineColors(Panel().ColorMemo1, 14, fg, bg));
    EXPECT_FALSE(Panel().ColorMemo1->OnSpecialLineColors(Panel().ColorMemo1, 12, fg, bg));

    // The next build of game.c replaces its marks; those of util.h go with them.
    UseCompilerPrinting("game.c(7): Error: again\n");
    QMdiSubWindow* gameWindow = qobject_cast<QMdiSubWindow*>(game->parentWidget());
    Form().ClientArea()->setActiveSubWindow(gameWindow);
    Press(game->SynEditor(), Qt::Key_F9, Qt::ControlModifier);
    EXPECT_EQ(ErrorMarkLines(*game->SynEditor()), (std::vector<int>{7}));
    EXPECT_TRUE(ErrorMarkLines(*util->SynEditor()).empty());
    UseCompilerPrinting("all fine\n");
    Press(game->SynEditor(), Qt::Key_F9, Qt::ControlModifier);
    EXPECT_TRUE(ErrorMarkLines(*game->SynEditor()).empty());
    // No messages: F4 does nothing.
    const TBufferCoord before = game->SynEditor()->CaretXY();
    Press(game->SynEditor(), Qt::Key_F4);
    EXPECT_EQ(game->SynEditor()->CaretXY(), before);
}

TEST_F(MessageNavigationTest, DoubleClickOnAMessageLineJumpsOtherLinesSelectAWord) {
    UseCompilerPrinting(kOutput);
    TMDIChild* game = OpenByKeys(dir + "/game.c");
    ASSERT_NE(game, nullptr);
    Press(game->SynEditor(), Qt::Key_F9, Qt::ControlModifier);
    TSynMemo& memo = *Panel().ColorMemo1;

    DoubleClickPanelLine(12);  // util.h:2:5
    ASSERT_NE(Active(), game);
    EXPECT_EQ(Active()->SourcePath(), dir + "/util.h");
    EXPECT_EQ(Active()->SynEditor()->CaretXY(), (TBufferCoord{5, 2}));
    EXPECT_EQ(Panel().Messages().CurrentLine(), 12);

    memo.SetTopLine(1);
    DoubleClickPanelLine(1);  // "line 2": the word is selected, nothing else happens
    EXPECT_TRUE(memo.SelAvail());
    EXPECT_EQ(memo.SelText(), "line");
    EXPECT_EQ(Active()->SourcePath(), dir + "/util.h");
    EXPECT_EQ(Panel().Messages().CurrentLine(), 12);
}

// A relative name in a message belongs to the directory of the build that printed it, not to
// the directory of whichever document is active when the message is chosen.
TEST_F(MessageNavigationTest, ARelativeMessageNamesAFileOfTheBuildsDirectory) {
    const std::string other = Source() + "/other";
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(other)));
    WriteFile(other + "/game.c", Lines(100, "long other"));
    UseCompilerPrinting("game.c(3): Error: ';' expected\n");
    TMDIChild* game = OpenByKeys(dir + "/game.c");
    ASSERT_NE(game, nullptr);
    Press(game->SynEditor(), Qt::Key_F9, Qt::ControlModifier);
    TMDIChild* otherGame = OpenByKeys(other + "/game.c");
    ASSERT_NE(otherGame, game);
    ASSERT_EQ(Active(), otherGame);
    ASSERT_EQ(Files().ActiveSource().SourceDir(), other + "/");

    DoubleClickPanelLine(0);
    EXPECT_EQ(Active(), game);
    EXPECT_EQ(game->SynEditor()->CaretXY(), (TBufferCoord{1, 3}));
    EXPECT_EQ(otherGame->SynEditor()->CaretXY(), (TBufferCoord{1, 1}));
    EXPECT_EQ(Form().MDIChildCount(), 2);
}

// F9 builds the project around the document; its messages name files relative to the project
// directory, or to the directory a recursive make reports it has entered.
TEST_F(MessageNavigationTest, ProjectBuildMessagesLeadToFilesOfTheDirectoriesMakeReports) {
    WriteFile(dir + "/Makefile", "all:\n");
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(dir + "/audio")));
    WriteFile(dir + "/audio/player.c", Lines(20, "int note"));
    WriteFile(Home() + "/output.txt", "util.h:4: error: old style\nmake[1]: Entering directory '" +
                                          dir +
                                          "/audio'\nplayer.c(12): Error: Undefined symbol\n"
                                          "make[1]: Leaving directory '" +
                                          dir + "/audio'\n");
    const std::string make = Home() + "/make.sh";
    WriteFile(make, "#!/bin/sh\ncat '" + Home() + "/output.txt'\nexit 2\n");
    ::chmod(make.c_str(), 0755);
    WriteConfig("[C]\nproject=" + make + "\n");
    TMDIChild* game = OpenByKeys(dir + "/game.c");
    ASSERT_NE(game, nullptr);
    Press(game->SynEditor(), Qt::Key_F9);
    EXPECT_EQ(Form().StatusText(), "Finished Building: proj Build FAILED (exit code 2)");

    Press(game->SynEditor(), Qt::Key_F4);
    ASSERT_NE(Active(), nullptr);
    EXPECT_EQ(Active()->SourcePath(), dir + "/util.h");
    EXPECT_EQ(Active()->SynEditor()->CaretXY(), (TBufferCoord{1, 4}));
    Press(Active()->SynEditor(), Qt::Key_F4);
    ASSERT_NE(Active(), nullptr);
    EXPECT_EQ(Active()->SourcePath(), dir + "/audio/player.c");
    EXPECT_EQ(Active()->SynEditor()->CaretXY(), (TBufferCoord{1, 12}));
    EXPECT_EQ(ErrorMarkLines(*Active()->SynEditor()), std::vector<int>{12});
    for (const auto& message : dialogs.Messages) ADD_FAILURE() << message.Text;
}

// A minimised document window named by a message comes back at its normal size, active, with
// the caret on the message's line.
TEST_F(MessageNavigationTest, AMinimisedWindowNamedByAMessageComesBack) {
    UseCompilerPrinting(kOutput);
    TMDIChild* game = OpenByKeys(dir + "/game.c");
    ASSERT_NE(game, nullptr);
    Press(game->SynEditor(), Qt::Key_F9, Qt::ControlModifier);
    auto* gameWindow = qobject_cast<QMdiSubWindow*>(game->parentWidget());
    ASSERT_NE(gameWindow, nullptr);
    const QSize normalSize = gameWindow->size();
    TMDIChild* util = OpenByKeys(dir + "/util.h");
    ASSERT_NE(util, game);
    gameWindow->showMinimized();
    QApplication::processEvents();
    ASSERT_TRUE(gameWindow->isMinimized());

    Press(util->SynEditor(), Qt::Key_F4);
    EXPECT_EQ(Active(), game);
    EXPECT_EQ(Form().ClientArea()->activeSubWindow(), gameWindow);
    EXPECT_FALSE(gameWindow->isMinimized());
    EXPECT_FALSE(gameWindow->isMaximized());
    EXPECT_EQ(gameWindow->size(), normalSize);
    EXPECT_EQ(game->SynEditor()->CaretXY(), (TBufferCoord{1, 3}));
}

TEST_F(MessageNavigationTest, AFileThatIsMissingIsReported) {
    UseCompilerPrinting("gone.c:4: error: x\n");
    TMDIChild* game = OpenByKeys(dir + "/game.c");
    ASSERT_NE(game, nullptr);
    Press(game->SynEditor(), Qt::Key_F9, Qt::ControlModifier);
    Press(game->SynEditor(), Qt::Key_F4);
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_NE(dialogs.Messages[0].Text.find(dir + "/gone.c"), std::string::npos);
    EXPECT_EQ(Form().MDIChildCount(), 1);
}

TEST_F(MessageNavigationTest, DraggingTheTopEdgeResizesThePanel) {
    Panel().MakeVisible();
    QApplication::processEvents();
    ASSERT_EQ(Panel().height(), 185);
    QTest::mousePress(&Panel(), Qt::LeftButton, {}, QPoint(300, 2));
    QTest::mouseMove(&Panel(), QPoint(300, -98));
    QTest::mouseRelease(&Panel(), Qt::LeftButton, {}, QPoint(300, -98));
    QApplication::processEvents();
    EXPECT_EQ(Panel().height(), 285);
    EXPECT_EQ(Panel().ColorMemo1->height(), 247);
    EXPECT_EQ(Panel().ColorMemo1->geometry().bottom(), Panel().contentsRect().bottom());
    // A press below the top strip is no drag; the height stays for the run.
    QTest::mousePress(&Panel(), Qt::LeftButton, {}, QPoint(300, 20));
    QTest::mouseMove(&Panel(), QPoint(300, -200));
    QTest::mouseRelease(&Panel(), Qt::LeftButton, {}, QPoint(300, -200));
    Panel().Button1Click();
    Panel().MakeVisible();
    QApplication::processEvents();
    EXPECT_EQ(Panel().height(), 285);
    // Never smaller than the minimum, never taller than the frame leaves.
    Panel().Resizer().SetPanelHeight(10);
    EXPECT_EQ(Panel().height(), TOutputPanelResizer::kMinHeight);
    Panel().Resizer().SetPanelHeight(5000);
    EXPECT_LT(Panel().height(), Form().height());
}

TEST_F(MessageNavigationTest, TheCaretLineIsNeverLeftUnderThePanel) {
    UseCompilerPrinting("game.c:60:3: error: deep down\n");
    TMDIChild* game = OpenByKeys(dir + "/game.c");
    ASSERT_NE(game, nullptr);
    // A window taller than the client area reaches below the panel.
    auto* window = qobject_cast<QMdiSubWindow*>(game->parentWidget());
    window->setGeometry(0, 0, 500, 1000);
    Press(game->SynEditor(), Qt::Key_F9, Qt::ControlModifier);
    Panel().Resizer().SetPanelHeight(400);
    QApplication::processEvents();
    Press(game->SynEditor(), Qt::Key_F4);
    ASSERT_EQ(game->SynEditor()->CaretY(), 60);
    TSynEdit& editor = *game->SynEditor();
    QWidget* area = Form().ClientArea()->viewport();
    const QPoint caret = editor.viewport()->mapTo(
        area, QPoint(0, (editor.CaretY() - editor.TopLine()) * editor.LineHeight()));
    EXPECT_GE(caret.y(), 0);
    EXPECT_LE(caret.y() + editor.LineHeight(), area->height());
    const QRect panel(Panel().mapTo(&Form(), QPoint(0, 0)), Panel().size());
    EXPECT_LT(area->mapTo(&Form(), caret).y() + editor.LineHeight(), panel.top() + 1);
}

TEST_F(MessageNavigationTest, AssemblyFilesGetTheAssemblyHighlighter) {
    WriteFile(dir + "/game.asm", "start: lda #1 ; go\n");
    TMDIChild* asmDoc = OpenByKeys(dir + "/game.asm");
    ASSERT_NE(asmDoc, nullptr);
    EXPECT_NE(dynamic_cast<TSynAsmSyn*>(asmDoc->SynEditor()->Highlighter()), nullptr);
    TMDIChild* cDoc = OpenByKeys(dir + "/game.c");
    EXPECT_EQ(cDoc->SynEditor()->Highlighter(),
              static_cast<TSynCustomHighlighter*>(&cDoc->SynCppSyn1()));
}

// The linker's lines are messages too: marked as errors or not by their lead-in, and F4 visits
// them in order.
TEST_F(MessageNavigationTest, LinkerLinesAreMessagesWithTheirKind) {
    UseCompilerPrinting(
        "Unresolved external '_foo' referenced in:\n"
        "ld65: Warning: game.c(4): Segment 'ONCE' does not exist\n"
        "ld65: Error: game.c(9): Range error\n"
        "ld65: Error: 1 unresolved external(s) found - cannot create output file\n");
    TMDIChild* game = OpenByKeys(dir + "/game.c");
    ASSERT_NE(game, nullptr);
    Press(game->SynEditor(), Qt::Key_F9, Qt::ControlModifier);
    EXPECT_EQ(ErrorMarkLines(*game->SynEditor()), (std::vector<int>{9}));
    Press(game->SynEditor(), Qt::Key_F4);
    EXPECT_EQ(game->SynEditor()->CaretXY(), (TBufferCoord{1, 4}));
    Press(game->SynEditor(), Qt::Key_F4);
    EXPECT_EQ(game->SynEditor()->CaretXY(), (TBufferCoord{1, 9}));
    Press(game->SynEditor(), Qt::Key_F4);  // the summary is no message: back to the first
    EXPECT_EQ(game->SynEditor()->CaretXY(), (TBufferCoord{1, 4}));
}

// The real assembler, when it is installed: its message leads to the failing line.
TEST_F(MessageNavigationTest, RealAssemblerMessageLeadsToTheLine) {
    const char* const assembler = "/usr/bin/64tass";
    if (::access(assembler, X_OK) != 0) GTEST_SKIP() << "64tass is not installed";
    WriteFile(dir + "/game.asm", "        * = $e000\nstart:  lda #1\n        sta nowhere\n");
    // A command template: the program captures what the assembler prints into output.c.
    WriteConfig("[C]\npceasm=" + std::string(assembler) + " -c -b -o {image} {file}\n");
    TMDIChild* doc = OpenByKeys(dir + "/game.asm");
    ASSERT_NE(doc, nullptr);
    Press(doc->SynEditor(), Qt::Key_F10, Qt::ControlModifier);
    EXPECT_EQ(ErrorMarkLines(*doc->SynEditor()), (std::vector<int>{3}));
    Press(doc->SynEditor(), Qt::Key_F4);
    EXPECT_EQ(doc->SynEditor()->CaretXY(), (TBufferCoord{13, 3}));
}

}  // namespace
