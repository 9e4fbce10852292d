// The general error report through the dialog seam, the filter conversion and colour resolution.
#include <gtest/gtest.h>

#include <QPalette>
#include <stdexcept>

#include "platform/profile.h"
#include "platform/qt/color_resolve.h"
#include "platform/qt/dialogs.h"
#include "platform/qt/error_report.h"
#include "platform/qt/scripted_dialogs.h"
#include "platform/str_to_int.h"

namespace {

TEST(ErrorReportTest, ExceptionTextGoesToTheErrorBoxAndTheProgramCarriesOn) {
    TScriptedDialogs dialogs;
    TDialogsScope scope(dialogs);
    bool stepBefore = false;
    bool stepAfter = false;
    EXPECT_FALSE(RunCommand([&] {
        stepBefore = true;
        StrToInt("12x");
        stepAfter = true;
    }));
    EXPECT_TRUE(stepBefore);
    EXPECT_FALSE(stepAfter);
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text, "'12x' is not a valid integer value");
    EXPECT_EQ(dialogs.Messages[0].Type, TMsgDlgType::mtError);
    EXPECT_EQ(dialogs.Messages[0].Buttons, static_cast<TMsgDlgButtons>(mbOK));

    // The next command runs normally.
    bool ran = false;
    EXPECT_TRUE(RunCommand([&] { ran = true; }));
    EXPECT_TRUE(ran);
    EXPECT_EQ(dialogs.Messages.size(), 1u);

    auto guarded = Guarded([] { throw EIniFileException("Unable to write to /x/veskide.ini"); });
    guarded();
    ASSERT_EQ(dialogs.Messages.size(), 2u);
    EXPECT_EQ(dialogs.Messages[1].Text, "Unable to write to /x/veskide.ini");

    RunCommand([] { throw 42; });
    ASSERT_EQ(dialogs.Messages.size(), 3u);
    EXPECT_EQ(dialogs.Messages[2].Text, "Unknown error");
}

TEST(DialogSeamTest, ScopesNestAndScriptedAnswersComeInOrder) {
    // The program's session makes its Qt dialogs the default.
    TQtDialogs qtDialogs;
    TDefaultDialogs defaultDialogs(qtDialogs);
    IDialogs& real = Dialogs();
    EXPECT_EQ(&real, &qtDialogs);
    TScriptedDialogs outer;
    {
        TDialogsScope outerScope(outer);
        TScriptedDialogs inner;
        {
            TDialogsScope innerScope(inner);
            EXPECT_EQ(&Dialogs(), &inner);
        }
        EXPECT_EQ(&Dialogs(), &outer);
    }
    EXPECT_EQ(&Dialogs(), &real);

    outer.AnswerMessage(TModalResult::mrNo);
    EXPECT_EQ(outer.MessageDlg("q", TMsgDlgType::mtConfirmation, mbYes | mbNo), TModalResult::mrNo);
    EXPECT_EQ(outer.MessageDlg("q", TMsgDlgType::mtConfirmation, mbYes | mbNo),
              TModalResult::mrYes);

    outer.AnswerFile("/src/game.c", true);
    TFileDialogRequest request;
    request.Filter = "C Files (*.c)|*.c";
    request.InitialDir = "/src/";
    request.FileName = "Vesk1";
    const TFileDialogResult opened = outer.OpenFileDialog(request);
    EXPECT_TRUE(opened.Accepted);
    EXPECT_EQ(opened.FileName, "/src/game.c");
    EXPECT_TRUE(opened.ReadOnly);
    EXPECT_FALSE(outer.SaveFileDialog(request).Accepted);  // unscripted: cancelled
    ASSERT_EQ(outer.FileDialogs.size(), 2u);
    EXPECT_TRUE(outer.FileDialogs[1].Save);
    EXPECT_EQ(outer.FileDialogs[1].Request.FileName, "Vesk1");

    outer.AnswerReplace(TReplaceAnswer::raAll);
    EXPECT_EQ(outer.ConfirmReplace({}), TReplaceAnswer::raAll);
    EXPECT_EQ(outer.ConfirmReplace({}), TReplaceAnswer::raCancel);
}

TEST(DialogSeamTest, MessageTitlesAndFilters) {
    EXPECT_EQ(MsgDlgTitle(TMsgDlgType::mtError), "Error");
    EXPECT_EQ(MsgDlgTitle(TMsgDlgType::mtInformation), "Information");
    EXPECT_EQ(FilterToQt("C Files (*.c)|*.c|H Files (*.h)|*.h|Asm Files (*.asm)|*.asm"),
              "C Files (*.c);;H Files (*.h);;Asm Files (*.asm)");
    EXPECT_EQ(FilterToQt("C++ files (*.cpp,*.h,*.hpp)|*.cpp;*.h;*.hpp"),
              "C++ files (*.cpp,*.h,*.hpp) (*.cpp *.h *.hpp)");
    EXPECT_EQ(FilterToQt(""), "");
}

TEST(ColorResolveTest, PlainAndSystemColours) {
    EXPECT_EQ(ColorToQColor(clRed), QColor(255, 0, 0));
    EXPECT_EQ(ColorToQColor(8421440), QColor(0x40, 0x80, 0x80));
    EXPECT_EQ(ColorToQColor(4194304), QColor(0, 0, 0x40));
    EXPECT_FALSE(ColorToQColor(clNone).isValid());
    EXPECT_EQ(QColorToColor(QColor(0, 0, 128)), clNavy);

    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::Base, QColor(1, 2, 3));
    palette.setColor(QPalette::Active, QPalette::Text, QColor(4, 5, 6));
    palette.setColor(QPalette::Active, QPalette::Highlight, QColor(7, 8, 9));
    EXPECT_EQ(ColorToQColor(clWindow, palette), QColor(1, 2, 3));
    EXPECT_EQ(ColorToQColor(clWindowText, palette), QColor(4, 5, 6));
    EXPECT_EQ(ColorToQColor(clHighlight, palette), QColor(7, 8, 9));
}

}  // namespace
