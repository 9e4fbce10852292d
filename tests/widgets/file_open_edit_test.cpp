// The path edit driven by real mouse and key events; its file dialog answers through the
// scripted dialog seam.
#include <gtest/gtest.h>

#include <QTest>
#include <string>
#include <vector>

#include "platform/qt/scripted_dialogs.h"
#include "widgets/file_open_edit.h"

namespace {

// Lets the test see where the caret is drawn.
class TTestPathEdit : public TabcFileOpenEdit {
  public:
    using QLineEdit::cursorRect;
};

struct PathEditFixture {
    PathEditFixture() {
        edit.resize(240, 24);
        edit.OpenDialog().Filter = "EXE files (*.exe|*.exe|All files (*.*)|*.*";
        edit.OpenDialog().Options = ofHideReadOnly | ofEnableSizing;
        edit.BeforeExecute = [this](QObject* sender) {
            EXPECT_EQ(sender, &edit);
            events.push_back("before");
        };
        edit.AfterExecute = [this](QObject*) { events.push_back("after"); };
        edit.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&edit));
    }
    QPoint ButtonCentre() const { return edit.ButtonRect().center(); }

    TScriptedDialogs dialogs;
    TDialogsScope scope{dialogs};
    TTestPathEdit edit;
    std::vector<std::string> events;
};

TEST(FileOpenEdit, ButtonShowsTheDialogAndTakesTheChosenPath) {
    PathEditFixture f;
    f.edit.SetText("typed.exe");
    f.dialogs.AnswerFile("/opt/pce tools/v\xE9sk \"1\".exe");
    QTest::mouseClick(&f.edit, Qt::LeftButton, {}, f.ButtonCentre());

    ASSERT_EQ(f.dialogs.FileDialogs.size(), 1u);
    const TFileDialogRequest& request = f.dialogs.FileDialogs[0].Request;
    EXPECT_FALSE(f.dialogs.FileDialogs[0].Save);
    EXPECT_EQ(request.Filter, "EXE files (*.exe|*.exe|All files (*.*)|*.*");
    EXPECT_FALSE(request.ShowReadOnly);
    EXPECT_EQ(request.FileName, "");  // the box's text is not proposed
    // Blanks, quotes and code-page letters arrive byte for byte.
    EXPECT_EQ(f.edit.Text(), "/opt/pce tools/v\xE9sk \"1\".exe");
    EXPECT_EQ(f.events, (std::vector<std::string>{"before", "after"}));

    // Cancelling leaves the text and still reports the dialog's end.
    f.dialogs.CancelFile();
    QTest::mouseClick(&f.edit, Qt::LeftButton, {}, f.ButtonCentre());
    EXPECT_EQ(f.dialogs.FileDialogs.back().Request.FileName, "/opt/pce tools/v\xE9sk \"1\".exe");
    EXPECT_EQ(f.edit.Text(), "/opt/pce tools/v\xE9sk \"1\".exe");
    EXPECT_EQ(f.events.size(), 4u);
    EXPECT_EQ(f.events.back(), "after");
}

TEST(FileOpenEdit, PressingOnTheButtonAndReleasingOutsideRunsNothing) {
    PathEditFixture f;
    QTest::mousePress(&f.edit, Qt::LeftButton, {}, f.ButtonCentre());
    EXPECT_TRUE(f.edit.Pressed());
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), f.edit.mapToGlobal(QPointF(5, 5)),
                     Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(&f.edit, &move);
    EXPECT_FALSE(f.edit.Pressed());
    QTest::mouseRelease(&f.edit, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(f.dialogs.FileDialogs.empty());
    EXPECT_TRUE(f.events.empty());

    // A disabled button and a click in the text area do nothing either.
    f.edit.SetButtonDisabled(true);
    QTest::mouseClick(&f.edit, Qt::LeftButton, {}, f.ButtonCentre());
    f.edit.SetButtonDisabled(false);
    QTest::mouseClick(&f.edit, Qt::LeftButton, {}, QPoint(5, 12));
    EXPECT_TRUE(f.dialogs.FileDialogs.empty());
}

TEST(FileOpenEdit, EnterOpensTheDialogOnlyWhileClickOnEnterKey) {
    PathEditFixture f;
    f.edit.setFocus();
    QTest::keyClick(&f.edit, Qt::Key_Return);
    EXPECT_EQ(f.dialogs.FileDialogs.size(), 1u);
    f.edit.SetClickOnEnterKey(false);
    QTest::keyClick(&f.edit, Qt::Key_Return);
    QTest::keyClicks(&f.edit, "ab");
    EXPECT_EQ(f.dialogs.FileDialogs.size(), 1u);
    EXPECT_EQ(f.edit.Text(), "ab");
}

TEST(FileOpenEdit, TextAreaEndsAtTheButton) {
    PathEditFixture f;
    EXPECT_EQ(f.edit.textMargins().right(), f.edit.ButtonWidth());
    f.edit.SetText(std::string(300, 'x'));
    f.edit.end(false);
    f.edit.repaint();  // the text scrolls when painted
    EXPECT_LE(f.edit.cursorRect().right(), f.edit.ButtonRect().left() + 1);
    f.edit.SetButtonVisible(false);
    EXPECT_EQ(f.edit.textMargins().right(), 0);
}

}  // namespace
