// Editing in a document window through real key presses, saved through the frame's Save: the
// paths a user takes, with the window's own editor settings.
#include <gtest/gtest.h>

#include <QTest>

#include "app_test_support.h"
#include "editor/qt/synedit.h"
#include "editor/string_list.h"

namespace {

class DocumentKeysTest : public ::testing::Test, public TProgramFixture {
  protected:
    // Opens the text as a file and gives its editor the keyboard focus.
    TSynEdit& Open(const std::string& text) {
        m_path = Source() + "/game.c";
        WriteFile(m_path, text);
        dialogs.AnswerFile(m_path);
        Form().FileOpen1()->trigger();
        TSynEdit& editor = *Files().ActiveDocument()->SynEditor();
        editor.setFocus();
        QApplication::processEvents();
        return editor;
    }
    std::string Saved() {
        Form().FileSave1()->trigger();
        return ReadFile(m_path);
    }
    static void Key(TSynEdit& editor, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                    int times = 1) {
        for (int i = 0; i < times; ++i) QTest::keyClick(&editor, key, modifiers);
    }
    // Caret at column 2 of line 1, column mode, a block of two columns over three lines.
    static void SelectColumnBlock(TSynEdit& editor) {
        Key(editor, Qt::Key_Home, Qt::ControlModifier);
        Key(editor, Qt::Key_Right);
        Key(editor, Qt::Key_C, Qt::ShiftModifier | Qt::ControlModifier);
        Key(editor, Qt::Key_Down, Qt::ShiftModifier, 2);
        Key(editor, Qt::Key_Right, Qt::ShiftModifier, 2);
    }

    std::string m_path;
};

TEST_F(DocumentKeysTest, ColumnBlockOverShortLinesIsRemovedByEveryDeletingKey) {
    const std::string text = "abcdef\ngh\nmnopq\n";
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    } keys[] = {{Qt::Key_Delete, Qt::NoModifier},
                {Qt::Key_Backspace, Qt::NoModifier},
                {Qt::Key_Delete, Qt::ShiftModifier},
                {Qt::Key_X, Qt::ControlModifier}};
    for (const auto& press : keys) {
        TSynEdit& editor = Open(text);
        SelectColumnBlock(editor);
        Key(editor, press.key, press.modifiers);
        EXPECT_EQ(Saved(), "adef\ng\nmpq\n") << press.key;
    }
    TSynEdit& editor = Open(text);
    SelectColumnBlock(editor);
    QTest::keyClicks(&editor, "Z");
    EXPECT_EQ(Saved(), "aZdef\ng\nmpq\n");
}

TEST_F(DocumentKeysTest, TabAndShiftTabReachTheEditor) {
    TSynEdit& editor = Open("\n");
    QTest::keyClicks(&editor, "x");
    Key(editor, Qt::Key_Tab);
    QTest::keyClicks(&editor, "#");
    const std::string line = editor.Lines().Get(0);
    ASSERT_GE(line.size(), 3u);
    EXPECT_EQ(line.front(), 'x');
    EXPECT_EQ(line.back(), '#');
    EXPECT_EQ(line.find_first_not_of(" \t", 1), line.size() - 1);
    Key(editor, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(editor.hasFocus());
}

TEST_F(DocumentKeysTest, AutoIndentCopiesLeadingTabsAsTheyAre) {
    TSynEdit& editor = Open("\t\tx\n");
    Key(editor, Qt::Key_End);
    Key(editor, Qt::Key_Return);
    QTest::keyClicks(&editor, "y");
    EXPECT_EQ(Saved(), "\t\tx\n\t\ty\n");
    // Splitting a line inside its text copies the mixed indent too.
    Key(editor, Qt::Key_Up);
    Key(editor, Qt::Key_End);
    Key(editor, Qt::Key_Left);
    Key(editor, Qt::Key_Return);
    EXPECT_EQ(Saved(), "\n\t\tx\n\t\ty\n");
}

TEST_F(DocumentKeysTest, EndReachesTheEndOfAVeryLongLine) {
    const std::string longLine(40000, 'a');
    TSynEdit& editor = Open("short\n" + longLine + "\n");
    Key(editor, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(editor.CaretXY().Line, 2);
    EXPECT_EQ(editor.CaretXY().Char, 40001);
    QTest::keyClicks(&editor, "Z");
    Key(editor, Qt::Key_Home);
    Key(editor, Qt::Key_End);
    QTest::keyClicks(&editor, "Y");
    EXPECT_EQ(Saved(), "short\n" + longLine + "ZY\n");
    // The view follows the caret out there.
    EXPECT_GT(editor.LeftChar(), 1024);
}

}  // namespace
