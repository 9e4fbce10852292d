// Key presses that reach the editor widget: keys of other keyboard layouts, which have no
// virtual-key code of the US layout, still type their characters after a command key.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTest>

#include "editor/key_strokes.h"
#include "editor/qt/synedit.h"
#include "editor/string_list.h"

namespace {

TEST(SynEditKeyInput, LayoutKeyAfterACommandKeyTypesItsCharacter) {
    TSynEdit edit;
    edit.Lines().Add("ab");
    edit.show();
    edit.setFocus();
    QApplication::processEvents();

    QTest::keyClick(&edit, Qt::Key_End);  // a command key
    // A French layout's key for e acute, then a German layout's key for u umlaut.
    QKeyEvent eacute(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, QString(QChar(0xE9)));
    QApplication::sendEvent(&edit, &eacute);
    QTest::keyClick(&edit, Qt::Key_Left);
    QKeyEvent udiaeresis(QEvent::KeyPress, Qt::Key_Udiaeresis, Qt::NoModifier,
                         QString(QChar(0xFC)));
    QApplication::sendEvent(&edit, &udiaeresis);
    EXPECT_EQ(edit.Lines().Get(0), "ab\xFC\xE9");
}

TEST(SynEditKeyInput, LayoutKeyBreaksATwoKeySequence) {
    TSynEdit edit;
    edit.Lines().Add("x");
    TSynEditKeyStroke& item = edit.Keystrokes().Add();
    item.SetCommand(ecEditorBottom);
    item.SetShortCut(ShortCut('K', ssCtrl));
    item.SetShortCut2(ShortCut('B', 0));
    // Ctrl+K then the other layout's key: the sequence is broken, so B types a letter.
    QKeyEvent ctrlK(QEvent::KeyPress, Qt::Key_K, Qt::ControlModifier, QString(QChar(11)));
    QApplication::sendEvent(&edit, &ctrlK);
    QKeyEvent eacute(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, QString(QChar(0xE9)));
    QApplication::sendEvent(&edit, &eacute);
    QTest::keyClick(&edit, Qt::Key_B, Qt::NoModifier);
    EXPECT_EQ(edit.Lines().Get(0),
              "\xE9"
              "bx");
}

}  // namespace
