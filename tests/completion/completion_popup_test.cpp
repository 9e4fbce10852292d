// The completion popup on a real editor with real key and mouse events: opening on the
// shortcut, moving the selection, typing on into the editor, accepting and dismissing, the
// editor's own keys when the popup does not open, and the popup's painting.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include "completion/completion_proposal.h"
#include "editor/qt/synedit.h"
#include "editor/string_list.h"
#include "platform/qt/color_resolve.h"
#include "platform/qt/scripted_dialogs.h"

namespace {

const std::vector<std::string> kItems = {
    "** HEADER **",      // 0
    "  vsync();",        // 1
    "  vsync(char n);",  // 2
    "  Spr_one();",      // 3
    "  spr_two();",      // 4
    "  put_char(c);",    // 5
    "plain(x);",         // 6
    "",                  // 7
};

class CompletionPopupTest : public ::testing::Test {
  protected:
    TScriptedDialogs dialogs;
    TDialogsScope scope{dialogs};
    TSynEdit edit;
    TSynCompletionProposal proposal;

    void SetUp() override {
        edit.resize(500, 300);
        edit.show();
        edit.activateWindow();
        edit.setFocus();
        QApplication::processEvents();
        proposal.SetEditor(&edit);
        proposal.SetItemList(kItems);
        proposal.SetAnsiStrings(true);
        proposal.SetNbLinesInWindow(4);
    }
    void TearDown() override {
        Popup().hide();
        EXPECT_TRUE(dialogs.Messages.empty()) << dialogs.Messages.front().Text;
    }

    TSynBaseCompletionProposalForm& Popup() { return proposal.Form(); }
    void SetText(const std::string& line, int caretX) {
        edit.Lines().Clear();
        edit.Lines().Add(line);
        edit.SetCaretXY({caretX, 1});
    }
    std::string Line(int index = 0) { return edit.Lines().Get(index); }
    void CtrlSpace() { QTest::keyClick(&edit, Qt::Key_Space, Qt::ControlModifier); }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&Popup(), key, modifiers);
    }
};

TEST_F(CompletionPopupTest, CtrlSpaceOpensBelowTheCaretOnTheFirstItemStartingWithTheWord) {
    SetText("  x = VS", 9);
    CtrlSpace();
    ASSERT_TRUE(Popup().isVisible());
    EXPECT_EQ(Popup().CurrentEditor, &edit);
    EXPECT_EQ(proposal.CurrentString(), "VS");
    EXPECT_EQ(proposal.Position(), 1);
    // Top-left at the caret column, on the bottom of the caret line.
    const TPoint caret = edit.RowColumnToPixels({9, 1});
    const QPoint expected =
        edit.viewport()->mapToGlobal(QPoint(caret.X, caret.Y + edit.LineHeight()));
    EXPECT_EQ(Popup().pos(), expected);
    // The shortcut's own character never reaches the text, nor does a later key lose one.
    EXPECT_EQ(Line(), "  x = VS");
}

TEST_F(CompletionPopupTest, NoMatchKeepsThePositionAndEmptyWordSelectsTheFirstLine) {
    SetText("", 1);
    proposal.SetPosition(5);
    CtrlSpace();
    EXPECT_EQ(proposal.Position(), 0);  // empty word: first line
    Popup().hide();
    proposal.SetPosition(5);
    SetText("zzz", 4);
    CtrlSpace();
    EXPECT_EQ(proposal.CurrentString(), "zzz");
    EXPECT_EQ(proposal.Position(), 5);
    Popup().hide();
    SetText("f(**", 5);
    CtrlSpace();
    EXPECT_EQ(proposal.Position(), 0);  // asterisks find the header
}

TEST_F(CompletionPopupTest, SelectionKeys) {
    SetText("", 1);
    CtrlSpace();
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    EXPECT_EQ(proposal.Position(), 2);
    Key(Qt::Key_Up);
    EXPECT_EQ(proposal.Position(), 1);
    Key(Qt::Key_PageDown);  // four rows
    EXPECT_EQ(proposal.Position(), 5);
    Key(Qt::Key_PageDown);  // stops at the last line
    EXPECT_EQ(proposal.Position(), 7);
    Key(Qt::Key_Down);
    EXPECT_EQ(proposal.Position(), 7);
    Key(Qt::Key_PageUp);
    EXPECT_EQ(proposal.Position(), 3);
    Key(Qt::Key_Home);  // without Ctrl nothing
    Key(Qt::Key_End);
    EXPECT_EQ(proposal.Position(), 3);
    Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(proposal.Position(), 7);
    Key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(proposal.Position(), 0);
    Key(Qt::Key_Up);
    EXPECT_EQ(proposal.Position(), 0);
    Key(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(proposal.Position(), 7);
    Key(Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(proposal.Position(), 0);
    EXPECT_TRUE(Popup().isVisible());
    EXPECT_EQ(Line(), "");
}

TEST_F(CompletionPopupTest, TypingGoesIntoTheEditorAndNarrowsBackspaceTakesItBack) {
    SetText("  ", 3);
    CtrlSpace();
    QTest::keyClicks(&Popup(), "sp");
    EXPECT_EQ(Line(), "  sp");
    EXPECT_EQ(proposal.CurrentString(), "sp");
    EXPECT_EQ(proposal.Position(), 3);  // "Spr_one" ignoring case
    QTest::keyClicks(&Popup(), "r_t");
    EXPECT_EQ(proposal.Position(), 4);
    Key(Qt::Key_Backspace);
    Key(Qt::Key_Backspace);
    EXPECT_EQ(proposal.CurrentString(), "spr");
    EXPECT_EQ(Line(), "  spr");
    EXPECT_EQ(proposal.Position(), 3);
    // With Ctrl, Backspace leaves the word alone.
    Key(Qt::Key_Backspace, Qt::ControlModifier);
    EXPECT_EQ(proposal.CurrentString(), "spr");
    EXPECT_TRUE(Popup().isVisible());
}

TEST_F(CompletionPopupTest, BackspaceWithAnEmptyWordDeletesNothing) {
    SetText("ab ", 4);
    CtrlSpace();
    Key(Qt::Key_Backspace);
    EXPECT_EQ(proposal.CurrentString(), "");
    EXPECT_EQ(Line(), "ab ");
    EXPECT_TRUE(Popup().isVisible());
}

TEST_F(CompletionPopupTest, SpaceAndCharactersOutsideTheWordRangeCloseWithoutTyping) {
    for (auto [key, text] : {std::pair{Qt::Key_Space, " "}, std::pair{Qt::Key_BraceLeft, "{"},
                             std::pair{Qt::Key_AsciiTilde, "~"}, std::pair{Qt::Key_Tab, "\t"}}) {
        SetText("ab", 3);
        edit.setFocus();
        CtrlSpace();
        ASSERT_TRUE(Popup().isVisible()) << text;
        QTest::keyClick(&Popup(), key, Qt::NoModifier);
        EXPECT_FALSE(Popup().isVisible()) << text;
        EXPECT_EQ(Line(), "ab") << text;
    }
    // The popup closed by a character; the next key in the editor types normally.
    QTest::keyClick(&edit, Qt::Key_Z);
    EXPECT_EQ(Line(), "abz");
}

TEST_F(CompletionPopupTest, EnterReplacesTheWordWithTheWholeLineInOneUndoStep) {
    SetText("int f() { vs", 13);
    CtrlSpace();
    Key(Qt::Key_Down);
    Key(Qt::Key_Return);
    EXPECT_FALSE(Popup().isVisible());
    EXPECT_EQ(Line(), "int f() {   vsync(char n);");
    EXPECT_EQ(edit.CaretXY(), (TBufferCoord{27, 1}));
    EXPECT_FALSE(edit.SelAvail());
    edit.Undo();
    EXPECT_EQ(Line(), "int f() { vs");
    EXPECT_EQ(edit.CaretXY(), (TBufferCoord{13, 1}));
    edit.Redo();
    EXPECT_EQ(Line(), "int f() {   vsync(char n);");
}

TEST_F(CompletionPopupTest, EscapeClosesAndInsertsNothing) {
    SetText("vs", 3);
    CtrlSpace();
    Key(Qt::Key_Escape);
    EXPECT_FALSE(Popup().isVisible());
    EXPECT_EQ(Line(), "vs");
    EXPECT_FALSE(edit.CanUndo());
}

TEST_F(CompletionPopupTest, TheEmptyLastItemRemovesTheWord) {
    SetText("x vs", 5);
    CtrlSpace();
    Key(Qt::Key_End, Qt::ControlModifier);
    Key(Qt::Key_Return);
    EXPECT_EQ(Line(), "x");  // the editor trims the blank left at the end
}

TEST_F(CompletionPopupTest, CodeCompletionEventMayChangeTheText) {
    std::string seen;
    TShiftState seenShift = 0xFF;
    proposal.OnCodeCompletion = [&](std::string& value, TShiftState shift) {
        seen = value;
        seenShift = shift;
        value = "vsync(1);";
    };
    SetText("vs", 3);
    CtrlSpace();
    Key(Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(seen, "  vsync();");
    EXPECT_EQ(seenShift, ssShift);
    EXPECT_EQ(Line(), "vsync(1);");
}

TEST_F(CompletionPopupTest, ReadOnlyOrAnExtraModifierLeavesCtrlSpaceToTheEditor) {
    int heard = 0;
    uint16_t heardKey = 0;
    // A key-down handler the editor had before: the hook passes every key on to it.
    proposal.RemoveEditor(&edit);
    edit.OnKeyDown = [&](TCustomSynEdit*, uint16_t& key, uint8_t) {
        if (key == VK_CONTROL || key == VK_SHIFT) return;  // the modifiers' own key-downs
        ++heard;
        heardKey = key;
    };
    proposal.AddEditor(&edit);

    SetText("vs", 3);
    edit.SetReadOnly(true);
    CtrlSpace();
    EXPECT_FALSE(Popup().isVisible());
    EXPECT_EQ(heard, 1);
    EXPECT_EQ(heardKey, VK_SPACE);

    edit.SetReadOnly(false);
    QTest::keyClick(&edit, Qt::Key_Space, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_FALSE(Popup().isVisible());
    EXPECT_EQ(heard, 2);
    EXPECT_EQ(heardKey, VK_SPACE);

    // The shortcut itself: the earlier handler still hears it, consumed.
    CtrlSpace();
    EXPECT_TRUE(Popup().isVisible());
    EXPECT_EQ(heard, 3);
    EXPECT_EQ(heardKey, 0);
    Popup().hide();

    // Unhooking gives the editor its own handler back.
    EXPECT_TRUE(proposal.RemoveEditor(&edit));
    EXPECT_FALSE(proposal.RemoveEditor(&edit));
    EXPECT_EQ(proposal.Editor(), nullptr);
    CtrlSpace();
    EXPECT_FALSE(Popup().isVisible());
    EXPECT_EQ(heard, 4);
    EXPECT_EQ(heardKey, VK_SPACE);
}

TEST_F(CompletionPopupTest, AnotherShortCut) {
    proposal.SetShortCut(ShortCut('J', ssCtrl));
    SetText("vs", 3);
    CtrlSpace();
    EXPECT_FALSE(Popup().isVisible());
    QTest::keyClick(&edit, Qt::Key_J, Qt::ControlModifier);
    EXPECT_TRUE(Popup().isVisible());
    EXPECT_EQ(Line(), "vs");
}

TEST_F(CompletionPopupTest, EditorsAreHookedOnceAndForgottenWhenDestroyed) {
    proposal.AddEditor(&edit);
    EXPECT_EQ(proposal.EditorsCount(), 1);
    auto second = std::make_unique<TSynEdit>();
    second->Lines().Add("vs");
    second->SetCaretXY({3, 1});
    proposal.AddEditor(second.get());
    EXPECT_EQ(proposal.EditorsCount(), 2);
    EXPECT_EQ(proposal.Editor(), &edit);
    QTest::keyClick(second.get(), Qt::Key_Space, Qt::ControlModifier);
    ASSERT_TRUE(Popup().isVisible());
    EXPECT_EQ(Popup().CurrentEditor, second.get());
    second.reset();
    EXPECT_EQ(proposal.EditorsCount(), 1);
    EXPECT_EQ(Popup().CurrentEditor, nullptr);
    EXPECT_FALSE(Popup().isVisible());
    // Without an editor, keys in the popup change nothing anywhere.
    Popup().show();
    Key(Qt::Key_A);
    Key(Qt::Key_Return);
    EXPECT_EQ(Line(), "");
}

TEST_F(CompletionPopupTest, PositionBeyondAChangedListInsertsNothing) {
    SetText("vs", 3);
    CtrlSpace();
    Key(Qt::Key_End, Qt::ControlModifier);
    proposal.SetItemList({"  a();", "  b();"});
    EXPECT_EQ(proposal.Position(), 7);  // a new list leaves the position alone
    Key(Qt::Key_Return);
    EXPECT_FALSE(Popup().isVisible());
    EXPECT_EQ(Line(), "vs");
}

TEST_F(CompletionPopupTest, PositionScrollsTheRowsAndTheScrollBarMovesTheSelection) {
    QScrollBar* bar = Popup().ScrollBar();
    EXPECT_EQ(bar->maximum(), 4);  // 8 lines, 4 rows
    EXPECT_EQ(bar->pageStep(), 4);
    proposal.SetPosition(6);
    EXPECT_EQ(Popup().TopIndex(), 3);  // selected line on the last row
    proposal.SetPosition(2);
    EXPECT_EQ(Popup().TopIndex(), 2);  // on the first row
    proposal.SetPosition(8);           // past the end: ignored
    EXPECT_EQ(proposal.Position(), 2);
    proposal.SetPosition(-1);  // accepted; no row is selected
    EXPECT_EQ(proposal.Position(), -1);
    EXPECT_EQ(Popup().TopIndex(), 0);
    proposal.SetPosition(0);
    bar->setValue(3);  // row 0 scrolled away: the selection follows to the first row
    EXPECT_EQ(proposal.Position(), 3);
    proposal.SetPosition(6);
    bar->setValue(0);  // and to the last row the other way
    EXPECT_EQ(proposal.Position(), 3);
    EXPECT_EQ(bar->focusPolicy(), Qt::NoFocus);

    proposal.SetItemList({"a", "b"});
    EXPECT_EQ(bar->maximum(), 0);
}

TEST_F(CompletionPopupTest, LayoutFollowsRowsAndWidth) {
    proposal.SetNbLinesInWindow(16);
    proposal.SetWidth(262);
    EXPECT_EQ(Popup().width(), 262);
    EXPECT_EQ(Popup().height(), 16 * Popup().RowHeight() + 2);
    const QRect bar = Popup().ScrollBar()->geometry();
    EXPECT_EQ(bar.top(), 1);
    EXPECT_EQ(bar.right(), 262 - 2);
    EXPECT_EQ(bar.height(), Popup().height() - 2);
    EXPECT_EQ(Popup().ListAreaSize(), QSize(bar.left(), Popup().height() - 2));
}

TEST_F(CompletionPopupTest, MousePressSelectsTheRowUnderThePointer) {
    SetText("", 1);
    CtrlSpace();
    proposal.SetPosition(5);  // rows show lines 2 to 5
    const int rowHeight = Popup().RowHeight();
    QTest::mouseClick(&Popup(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 1 + rowHeight + 2));
    EXPECT_EQ(proposal.Position(), 3);
    EXPECT_TRUE(Popup().isVisible());
}

TEST_F(CompletionPopupTest, PaintsFrameRowsAndTheSelectedRowInItsColour) {
    proposal.SetClSelect(clSilver);
    proposal.SetItemList({"  one", "  two"});  // fewer lines than rows
    proposal.SetPosition(1);
    std::vector<std::string> painted;
    proposal.SetOnPaintItem([&](const std::string& key, QPainter&, int x, int y) {
        painted.push_back(key + "@" + std::to_string(x) + "," + std::to_string(y));
        return false;
    });
    QImage image(Popup().size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    {
        QPainter painter(&image);
        Popup().PaintTo(painter);
    }
    const int rowHeight = Popup().RowHeight();
    EXPECT_EQ(painted,
              (std::vector<std::string>{"  one@0,0", "  two@0," + std::to_string(rowHeight)}));
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(image.width() - 1, image.height() - 1), QColor(Qt::black));
    const QColor window = ColorToQColor(clWindow, Popup().palette());
    EXPECT_EQ(image.pixelColor(1, 1), window);                             // row 0
    EXPECT_EQ(image.pixelColor(1, 1 + rowHeight), QColor(192, 192, 192));  // row 1, selected
    EXPECT_EQ(image.pixelColor(1, 1 + 3 * rowHeight), window);             // no line here
    EXPECT_EQ(Popup().ScrollBar()->maximum(), 0);
}

TEST_F(CompletionPopupTest, ItemsThatPaintThemselvesAreNotWrittenAgain) {
    proposal.SetItemList({"  one"});
    proposal.SetOnPaintItem([](const std::string&, QPainter&, int, int) { return true; });
    QImage image(Popup().size(), QImage::Format_RGB32);
    {
        QPainter painter(&image);
        Popup().PaintTo(painter);
    }
    // Row 0 is selected and owner drawn: only its colour is there, no text.
    const QColor select = ColorToQColor(clHighlight, Popup().palette());
    for (int x = 1; x < Popup().ListAreaSize().width(); ++x)
        ASSERT_EQ(image.pixelColor(x, 1 + Popup().RowHeight() / 2), select) << x;
}

// ---------------------------------------------------------------- awkward input

TEST_F(CompletionPopupTest, ColumnOneOfLineOne) {
    SetText("vsync", 1);
    CtrlSpace();
    EXPECT_EQ(proposal.CurrentString(), "");
    Key(Qt::Key_Return);
    EXPECT_EQ(Line(), "** HEADER **vsync");
}

TEST_F(CompletionPopupTest, BeyondTheEndOfTheLineTheWordIsEmpty) {
    edit.SetOptions(edit.Options() | eoScrollPastEol);
    SetText("vs", 6);
    ASSERT_EQ(edit.CaretX(), 6);
    CtrlSpace();
    EXPECT_EQ(proposal.CurrentString(), "");
    Key(Qt::Key_Down);
    Key(Qt::Key_Return);
    EXPECT_EQ(Line(), "vs     vsync();");
}

TEST_F(CompletionPopupTest, NulAndHighBytes) {
    std::string line("\0\0 \x80\xFF", 5);
    SetText(line, 6);
    CtrlSpace();
    EXPECT_EQ(proposal.CurrentString(), "\x80\xFF");
    // A high byte typed into the popup closes it, like any character past 'z'.
    QKeyEvent eacute(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, QString(QChar(0xE9)));
    QApplication::sendEvent(&Popup(), &eacute);
    EXPECT_FALSE(Popup().isVisible());
    CtrlSpace();
    Key(Qt::Key_Return);
    EXPECT_EQ(Line(), std::string("\0\0 ", 3) + "** HEADER **");
}

TEST_F(CompletionPopupTest, WordAtTheEndOfATenMegabyteLine) {
    std::string line = "x " + std::string(10'000'000, 'v');
    // Without scrolling past the line end the caret may stand at the end of any line.
    edit.SetOptions(edit.Options() & ~eoScrollPastEol);
    SetText(line, static_cast<int>(line.size()) + 1);
    ASSERT_EQ(edit.CaretX(), static_cast<int>(line.size()) + 1);
    CtrlSpace();
    ASSERT_TRUE(Popup().isVisible());
    EXPECT_EQ(proposal.CurrentString().size(), 10'000'000u);
    // The popup stays on the screen however far right the caret is.
    const QRect screen = edit.screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(Popup().geometry())) << Popup().geometry().x();
    Key(Qt::Key_Down);
    Key(Qt::Key_Return);
    EXPECT_EQ(Line(), "x   vsync();");
    edit.Undo();
    EXPECT_EQ(Line(), line);
}

TEST_F(CompletionPopupTest, AColumnSelectionIsReplacedByTheWordOnly) {
    edit.Lines().Clear();
    for (const char* text : {"abcd vs", "efgh", "ijkl"}) edit.Lines().Add(text);
    edit.SetSelectionMode(smColumn);
    edit.SetCaretAndSelection({8, 1}, {2, 1}, {4, 3});
    edit.SetCaretXY({8, 1});
    CtrlSpace();
    EXPECT_EQ(proposal.CurrentString(), "vs");
    Key(Qt::Key_Return);
    EXPECT_EQ(edit.Lines().Get(0), "abcd   vsync();");
    EXPECT_EQ(edit.Lines().Get(1), "efgh");
    EXPECT_EQ(edit.Lines().Get(2), "ijkl");
    edit.Undo();
    EXPECT_EQ(edit.Lines().Get(0), "abcd vs");
}

TEST_F(CompletionPopupTest, NearTheScreenEdgesThePopupStaysFullyVisible) {
    proposal.SetNbLinesInWindow(16);
    const QRect screen = edit.screen()->availableGeometry();
    edit.move(screen.right() - 120, screen.bottom() - 60);
    QApplication::processEvents();
    SetText("vs", 3);
    CtrlSpace();
    ASSERT_TRUE(Popup().isVisible());
    EXPECT_TRUE(screen.contains(Popup().geometry()));
    // Above the caret line, since it does not fit below.
    const QPoint caretTop =
        edit.viewport()->mapToGlobal(QPoint(0, edit.RowColumnToPixels({3, 1}).Y));
    EXPECT_LE(Popup().geometry().bottom(), caretTop.y());
}

// Tabs before the caret widen its column: the popup opens under the column on the screen, not
// under the byte's index.
TEST_F(CompletionPopupTest, TabsBeforeTheCaretMoveThePopupToTheExpandedColumn) {
    SetText("\t\tvs", 5);
    CtrlSpace();
    ASSERT_TRUE(Popup().isVisible());
    EXPECT_EQ(proposal.CurrentString(), "vs");
    const int column = 2 * edit.TabWidth() + 3;
    ASSERT_EQ(edit.LogicalToPhysical({5, 1}), column);
    const TPoint caret = edit.RowColumnToPixels({column, 1});
    EXPECT_EQ(Popup().pos(),
              edit.viewport()->mapToGlobal(QPoint(caret.X, caret.Y + edit.LineHeight())));
}

// A click in the editor while the popup is open closes the popup and places the caret where the
// click was, as a click does in every editor; nothing is inserted.
TEST_F(CompletionPopupTest, AClickInTheEditorClosesThePopupAndPlacesTheCaret) {
    edit.Lines().Clear();
    for (const char* text : {"first line here", "second line", "vs"}) edit.Lines().Add(text);
    edit.SetCaretXY({3, 3});
    CtrlSpace();
    ASSERT_TRUE(Popup().isVisible());
    const TPoint target = edit.RowColumnToPixels({7, 1});
    const QPoint global =
        edit.viewport()->mapToGlobal(QPoint(target.X + 1, target.Y + edit.LineHeight() / 2));
    // The popup holds the mouse while open: the press reaches it first.
    QTest::mouseClick(&Popup(), Qt::LeftButton, Qt::NoModifier, Popup().mapFromGlobal(global));
    QApplication::processEvents();
    EXPECT_FALSE(Popup().isVisible());
    EXPECT_EQ(edit.CaretXY(), (TBufferCoord{7, 1}));
    EXPECT_FALSE(edit.SelAvail());
    EXPECT_EQ(edit.Lines().Get(2), "vs");
    EXPECT_TRUE(edit.hasFocus());
}

}  // namespace
