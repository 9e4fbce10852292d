// Setting the tools up through the running program: "S&etup" opens the dialog, the user types a
// compiler path, picks the switches, the CD file type and a string colour and saves; the next
// compile passes the switches and a newly opened document shows the colour.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAction>
#include <QPushButton>
#include <QTest>

#include "../app/app_test_support.h"
#include "documents/mdi_child.h"
#include "highlight/syn_cpp_syn.h"
#include "setup/setup_dialog.h"
#include "widgets/color_combo_box.h"
#include "widgets/file_open_edit.h"
#include "widgets/toggle_btn.h"

namespace {

class SetupRoadTest : public ::testing::Test, public TProgramFixture {};

TEST_F(SetupRoadTest, SavedSettingsReachTheCompilerAndTheDocuments) {
    const std::string compiler = Home() + "/fake vesk.sh";
    WriteFile(compiler,
              "#!/bin/sh\nfor a in \"$@\"; do echo \"[$a]\" >> args.txt; done\n"
              ": > output.c\nexit 0\n");
    ::chmod(compiler.c_str(), 0755);
    WriteConfig("; my settings\n[E]\nA=old emulator\n");

    TfrmSetup& setup = app->frmSetup();
    EXPECT_FALSE(setup.isVisible());
    ASSERT_TRUE(Form().Setup1()->isEnabled());
    Form().Setup1()->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&setup));
    EXPECT_EQ(setup.edtA->Text(), "old emulator");

    setup.edtCC->selectAll();
    QTest::keyClicks(setup.edtCC, QString::fromStdString(compiler));
    QTest::mouseClick(setup.togT, Qt::LeftButton);
    QTest::mouseClick(setup.togCD, Qt::LeftButton);
    setup.clSTR->setCurrentIndex(setup.clSTR->findText("clRed"));
    QTest::mouseClick(setup.Button1, Qt::LeftButton);
    EXPECT_FALSE(setup.isVisible());
    EXPECT_TRUE(dialogs.Messages.empty());

    EXPECT_EQ(ReadFile(Home() + "/veskide.ini"),
              "; my settings\n[E]\nA=old emulator\nB=\nC=\nD=\nE=\n[C]\npcecc=" + compiler +
                  "\npceasm=pceas.exe\nproject=\ninclude=\n[COMP_OPTIONS]\nHU=FALSE\nCD=TRUE\nSCD="
                  "FALSE\nT=TRUE\n"
                  "S=FALSE\nV=FALSE\nEXTRA=\nOPTION_STR= -cd -T \n[COLORS]\nBGCOLOR=16777215\n"
                  "ASMCOLOR=32768\nCOMCOLOR=32768\nDIRCOLOR=8421440\nIDCOLOR=8388608\n"
                  "KEYCOLOR=16711680\nNUMCOLOR=255\nSTRCOLOR=255\n");

    const std::string game = Source() + "/game.c";
    WriteFile(game, "char* s = \"x\";\n");
    dialogs.AnswerFile(game);
    Form().FileOpen1()->trigger();
    auto* document = dynamic_cast<TMDIChild*>(Form().ActiveMDIChild());
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->SynCppSyn1().StringAttri()->Foreground(), 255);

    Form().CompileCCode1()->trigger();
    EXPECT_EQ(ReadFile(Source() + "/args.txt"), "[game.c]\n[-cd]\n[-T]\n[>output.c]\n");
}

}  // namespace
