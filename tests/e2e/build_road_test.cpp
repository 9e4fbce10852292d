// The road of one build in the running program: open game.c through the Open command, edit it,
// save it with the keyboard, compile it with Ctrl+F9 through a fake compiler that records its
// arguments and working directory and writes output.c, and see the output panel show it.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QElapsedTimer>
#include <QMdiArea>
#include <QStatusBar>
#include <QTest>

#include "../app/app_test_support.h"
#include "editor/qt/synedit.h"
#include "editor/string_list.h"
#include "toolrun/qt/output_panel_widget.h"

namespace {

class BuildRoadTest : public ::testing::Test, public TProgramFixture {
  protected:
    // A compiler that writes what it was given and where, and its messages in output.c.
    std::string WriteCompiler(const std::string& messages) {
        const std::string path = Home() + "/fake compiler.sh";
        WriteFile(path,
                  "#!/bin/sh\npwd > args.txt\nfor a in \"$@\"; do echo \"[$a]\" >> "
                  "args.txt; done\nprintf '" +
                      messages + "' > output.c\nexit 0\n");
        ::chmod(path.c_str(), 0755);
        return path;
    }

    // Keys go where the user's would: to the widget with the focus in the active frame window.
    void Press(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QApplication::setActiveWindow(&Form());
        QTest::keyClick(target, key, modifiers);
        QApplication::processEvents();
    }
};

TEST_F(BuildRoadTest, OpenEditSaveAndCompile) {
    const std::string dir = Source() + "/game.src";
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(dir)));
    const std::string game = dir + "/game.c";
    WriteFile(game, "int main()\n{\n}\n");
    const std::string compiler = WriteCompiler("int warning = 1;\\n/* line 3: done */\\n");
    // A path with a blank reaches the launcher unquoted and is resolved like the platform does.
    WriteConfig("[C]\npcecc=" + compiler + "\n");

    dialogs.AnswerFile(game);
    Press(Form().ClientArea(), Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(Form().MDIChildCount(), 1);
    TMDIChild* document = Files().ActiveDocument();
    ASSERT_NE(document, nullptr);
    TSynEdit& editor = *document->SynEditor();
    EXPECT_EQ(editor.Lines().Get(0), "int main()");
    EXPECT_EQ(Files().ActiveSource().SourceDir(), dir + "/");
    EXPECT_EQ(Files().ActiveSource().SourceName(), "game.c");

    // Edit: a bookmark through the editor's keys, a line through its buffer.
    editor.setFocus();
    Press(&editor, Qt::Key_Down, Qt::NoModifier);
    Press(&editor, Qt::Key_1, Qt::ControlModifier | Qt::ShiftModifier);
    int column = 0;
    int line = 0;
    EXPECT_TRUE(editor.GetBookMark(1, column, line));
    EXPECT_EQ(line, 2);
    editor.Lines().Insert(2, "    return 0;");

    Press(&editor, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ReadFile(game), "int main()\n{\n    return 0;\n}\n");

    Press(&editor, Qt::Key_F9, Qt::ControlModifier);
    TOutputPanel& panel = *Form().pnlColorMemo1();
    EXPECT_TRUE(panel.IsVisible());
    TSynEditStringList& shown = panel.ColorMemo1->Lines();
    ASSERT_EQ(shown.GetCount(), 2);
    EXPECT_EQ(shown.Get(0), "int warning = 1;");
    EXPECT_EQ(shown.Get(1), "/* line 3: done */");
    EXPECT_EQ(Form().StatusText(),
              "Finished Compiling: " + game + " Compile Successful - no image written");
    // The empty switch string leaves two blanks, which split into no argument.
    EXPECT_EQ(ReadFile(dir + "/args.txt"), dir + "\n[game.c]\n[>output.c]\n");
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(BuildRoadTest, CompilerThatCannotStartLeavesTheBanner) {
    const std::string game = Source() + "/game.c";
    WriteFile(game, "int x;\n");
    WriteConfig("[C]\npcecc=" + Home() + "/no-such-compiler\n");
    dialogs.AnswerFile(game);
    Form().FileOpen1()->trigger();
    Form().CompileCCode1()->trigger();
    TSynEditStringList& shown = Form().pnlColorMemo1()->ColorMemo1->Lines();
    ASSERT_GE(shown.GetCount(), 3);
    EXPECT_EQ(shown.Get(0), "/*************************************************");
    EXPECT_EQ(shown.Get(1), "*compiling " + Home() + "/no-such-compiler game.c ");
    EXPECT_EQ(Form().StatusText(),
              "Finished Compiling: " + game + " Compile FAILED - could not execute compiler");
}

TEST_F(BuildRoadTest, ChattyToolPrintingOnlyToTheTerminalIsShownWhole) {
    const std::string game = Source() + "/game.c";
    WriteFile(game, "int x;\n");
    const std::string compiler = Home() + "/chatty";
    WriteFile(compiler, "#!/bin/sh\nhead -c 7500000 /dev/zero | base64 -w 76\nexit 2\n");
    ::chmod(compiler.c_str(), 0755);
    WriteConfig("[C]\npcecc=" + compiler + "\n");
    dialogs.AnswerFile(game);
    Form().FileOpen1()->trigger();
    QElapsedTimer clock;
    clock.start();
    Form().CompileCCode1()->trigger();
    // A guard against a hang, not a speed figure: the output panel's speed is a benchmark row,
    // and sanitizer builds and busy machines take several times as long.
    EXPECT_LT(clock.elapsed(), 60000);
    TSynEditStringList& shown = Form().pnlColorMemo1()->ColorMemo1->Lines();
    EXPECT_EQ(shown.GetCount(), 131579);  // 10,000,000 characters in lines of 76
    EXPECT_EQ(Form().StatusText(), "Finished Compiling: " + game + " Compile FAILED (exit code 2)");
}

TEST_F(BuildRoadTest, EmulatorThatFailsShowsItsMessagesAndOneThatCannotStartSaysWhy) {
    const std::string game = Source() + "/game.c";
    WriteFile(game, "int x;\n");
    WriteFile(Source() + "/game.pce", "image");
    const std::string emulator = Home() + "/emu";
    WriteFile(emulator, "#!/bin/sh\necho \"no video for $1\"\nexit 1\n");
    ::chmod(emulator.c_str(), 0755);
    WriteConfig("[E]\nA=" + emulator + "\nB=" + Home() + "/missing-emu {image}\n");
    dialogs.AnswerFile(game);
    Form().FileOpen1()->trigger();

    Press(Files().ActiveDocument()->SynEditor(), Qt::Key_F1, Qt::ControlModifier);
    const std::string commandLine = emulator + " " + Source() + "/game.pce";
    EXPECT_EQ(Form().StatusText(), commandLine + " - ended with exit status 1");
    TSynEditStringList& shown = Form().pnlColorMemo1()->ColorMemo1->Lines();
    ASSERT_EQ(shown.GetCount(), 4);
    EXPECT_EQ(shown.Get(0), std::string(50, '-'));
    EXPECT_EQ(shown.Get(2), "no video for " + Source() + "/game.pce");
    EXPECT_EQ(shown.Get(3), "(exit status 1)");

    Press(Files().ActiveDocument()->SynEditor(), Qt::Key_F2, Qt::ControlModifier);
    EXPECT_EQ(Form().StatusText(), "Could not start: " + Home() + "/missing-emu " + Source() +
                                       "/game.pce - program not found: " + Home() + "/missing-emu");
}

}  // namespace
