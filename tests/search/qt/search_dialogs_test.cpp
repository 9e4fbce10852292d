// The search, replace and confirm dialogs: values written and read back, the histories on OK
// and Cancel, texts pasted into the combo boxes, and where the confirm dialog goes.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <string>

#include "search/qt/confirm_replace_dialog.h"
#include "search/qt/search_session.h"
#include "search/qt/text_search_dialog.h"

namespace {

void Type(QComboBox* combo, const std::string& text) {
    combo->setEditText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace

TEST(SearchDialogTest, ValuesReadBackAsWritten) {
    TTextSearchDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "Search Text");
    EXPECT_EQ(dialog.size(), QSize(332, 180));
    EXPECT_FALSE(dialog.Backward());  // "&Forward" is selected at creation
    dialog.SetBackward(true);
    dialog.SetMatchCase(true);
    dialog.SetFromCaret(true);
    dialog.SetSelectionOnly(true);
    dialog.SetWholeWords(true);
    dialog.SetFindText("vsync");
    // The history is written after the text; the edit text must survive it.
    dialog.SetFindHistory("put_char\r\nvsync\r\nspr_x");
    EXPECT_TRUE(dialog.Backward());
    EXPECT_TRUE(dialog.rbBackward->isChecked());
    EXPECT_TRUE(dialog.MatchCase());
    EXPECT_TRUE(dialog.FromCaret());
    EXPECT_TRUE(dialog.SelectionOnly());
    EXPECT_TRUE(dialog.WholeWords());
    EXPECT_EQ(dialog.FindText(), "vsync");
    EXPECT_EQ(dialog.FindHistory(), "put_char\r\nvsync\r\nspr_x");
    EXPECT_EQ(dialog.cbSearchText->count(), 3);
    dialog.SetBackward(false);
    EXPECT_FALSE(dialog.Backward());
    dialog.SetFindHistory("");
    EXPECT_EQ(dialog.cbSearchText->count(), 0);
    EXPECT_EQ(dialog.FindText(), "vsync");
}

TEST(SearchDialogTest, OkRecordsTheTextAndCancelDoesNot) {
    TTextSearchDialog dialog;
    dialog.SetFindHistory("PUT_CHAR\r\nvsync");
    Type(dialog.cbSearchText, "put_char");
    dialog.reject();
    EXPECT_EQ(dialog.FindHistory(), "PUT_CHAR\r\nvsync");

    dialog.accept();
    EXPECT_EQ(dialog.FindHistory(), "put_char\r\nvsync");
    EXPECT_EQ(dialog.FindText(), "put_char");

    Type(dialog.cbSearchText, "");
    dialog.accept();
    EXPECT_EQ(dialog.FindHistory(), "put_char\r\nvsync");
}

TEST(SearchDialogTest, EnterInTheTextConfirmsAndTenEntriesAreKept) {
    TTextSearchDialog dialog;
    std::string history;
    for (int i = 1; i <= 10; ++i) history += (i > 1 ? "\r\n" : "") + ("e" + std::to_string(i));
    dialog.SetFindHistory(history);
    dialog.show();
    QTest::keyClicks(dialog.cbSearchText->lineEdit(), "Fresh");
    QTest::keyClick(dialog.cbSearchText->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.FindText(), "Fresh");
    const std::string read = dialog.FindHistory();
    EXPECT_EQ(read.substr(0, 9), "Fresh\r\ne1");
    EXPECT_EQ(read.substr(read.size() - 2), "e9");  // the tenth entry dropped out
}

TEST(SearchDialogTest, PastedLineBreakEndsTheTextAndZeroBytesStay) {
    TTextSearchDialog dialog;
    Type(dialog.cbSearchText, "first\r\nsecond");
    EXPECT_EQ(dialog.FindText(), "first");
    Type(dialog.cbSearchText, "lf\nonly");
    EXPECT_EQ(dialog.FindText(), "lf");
    const std::string withZero("a\0b", 3);
    dialog.SetFindText(withZero);
    EXPECT_EQ(dialog.FindText(), withZero);
    dialog.accept();
    EXPECT_EQ(dialog.FindHistory(), withZero);

    const std::string longText(10'000, 'x');
    dialog.SetFindText(longText);
    EXPECT_EQ(dialog.FindText(), longText);
}

TEST(ReplaceDialogTest, AddsTheReplacementWithItsOwnHistory) {
    TTextReplaceDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "Replace text");
    EXPECT_EQ(dialog.size(), QSize(332, 210));
    EXPECT_EQ(dialog.gbSearchOptions->y(), 70);
    EXPECT_EQ(dialog.rgSearchDirection->y(), 70);
    EXPECT_EQ(dialog.btnOK->y(), 179);
    dialog.SetFindText("a");
    dialog.SetReplaceWith("b");
    dialog.SetReplaceHistory("B\r\nc");
    EXPECT_EQ(dialog.ReplaceWith(), "b");
    dialog.reject();
    EXPECT_EQ(dialog.ReplaceHistory(), "B\r\nc");
    EXPECT_EQ(dialog.FindHistory(), "");
    dialog.accept();
    EXPECT_EQ(dialog.FindHistory(), "a");
    EXPECT_EQ(dialog.ReplaceHistory(), "b\r\nc");
}

TEST(ConfirmDialogPlacementTest, BelowTheLineInTheTopTwoThirdsAboveItBelow) {
    const QRect area(100, 50, 600, 300);  // lower third starts below y = 250
    const QSize size(328, 98);
    EXPECT_EQ(ConfirmDialogPosition(area, 150, 100, 113, size), QPoint(150, 117));
    EXPECT_EQ(ConfirmDialogPosition(area, 150, 237, 250, size), QPoint(150, 254));
    EXPECT_EQ(ConfirmDialogPosition(area, 150, 238, 251, size), QPoint(150, 238 - 98 - 4));
}

TEST(ConfirmDialogPlacementTest, KeptInsideTheAreaOrCentredOverANarrowOne) {
    const QSize size(328, 98);
    // Near the right edge the dialog ends at the area's right edge.
    EXPECT_EQ(ConfirmDialogPosition(QRect(100, 50, 600, 300), 600, 100, 113, size).x(), 700 - 328);
    // An area narrower than the dialog gets it centred over it (truncating the half).
    EXPECT_EQ(ConfirmDialogPosition(QRect(100, 50, 201, 300), 120, 100, 113, size).x(),
              100 - (328 - 201) / 2);
    EXPECT_EQ(ConfirmDialogPosition(QRect(100, 50, 328, 300), 120, 100, 113, size).x(), 100);
}

// A dialog never shown has no frame yet: its outer size borrows the frame of a framed window of
// the program, so the first question of a run already counts the title bar. Placed above a line
// in the lower third, the whole frame then ends above the line.
TEST(ConfirmDialogPlacementTest, TheFirstQuestionCountsTheTitleBar) {
    const QSize client(328, 98);
    const QMargins frame(1, 20, 1, 1);
    EXPECT_EQ(ConfirmDialogOuterSize(client, QMargins(), frame), QSize(330, 119));
    // Once framed, its own frame counts.
    EXPECT_EQ(ConfirmDialogOuterSize(client, QMargins(2, 24, 2, 2), frame), QSize(332, 124));
    EXPECT_EQ(ConfirmDialogOuterSize(client, QMargins(), QMargins()), client);

    // Line 18 of the reported window, at y 567 to 582, in the window's lower third.
    const QRect area(0, 60, 900, 600);
    const int lineTop = 567;
    const int lineBottom = 582;
    const QPoint at = ConfirmDialogPosition(area, 100, lineTop, lineBottom,
                                            ConfirmDialogOuterSize(client, QMargins(), frame));
    const QRect outer(at, client.grownBy(frame));
    EXPECT_LT(outer.bottom(), lineTop);
    EXPECT_EQ(outer.bottom(), lineTop - 4 - 1);
}

// Y, N and A answer without Alt, as in a message dialog; Esc cancels.
TEST(ConfirmDialogTest, PlainLettersAnswer) {
    const std::pair<Qt::Key, TReplaceAnswer> keys[] = {{Qt::Key_Y, TReplaceAnswer::raYes},
                                                       {Qt::Key_N, TReplaceAnswer::raNo},
                                                       {Qt::Key_A, TReplaceAnswer::raAll},
                                                       {Qt::Key_Escape, TReplaceAnswer::raCancel}};
    for (const auto& [key, answer] : keys) {
        for (const Qt::KeyboardModifiers modifiers : {Qt::NoModifier, Qt::AltModifier}) {
            TConfirmReplaceDialog dialog;
            dialog.setResult(-1);
            dialog.open();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
            dialog.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
            QWidget* focused = dialog.focusWidget() ? dialog.focusWidget() : &dialog;
            QTest::keyClick(focused, key, key == Qt::Key_Escape ? Qt::NoModifier : modifiers);
            // A mnemonic clicks its button after the button's short press animation.
            (void)QTest::qWaitFor([&] { return !dialog.isVisible(); }, 1000);
            EXPECT_FALSE(dialog.isVisible()) << key << " " << modifiers;
            EXPECT_EQ(dialog.Answer(), answer) << key << " " << modifiers;
        }
    }
    // Other letters do nothing.
    TConfirmReplaceDialog dialog;
    dialog.open();
    QTest::keyClick(dialog.focusWidget() ? dialog.focusWidget() : &dialog, Qt::Key_X);
    EXPECT_TRUE(dialog.isVisible());
    dialog.reject();
}

TEST(ConfirmDialogTest, AsksAboutTheTextAndMapsItsButtons) {
    TSearchSession session;
    TConfirmReplaceDialog& dialog = session.EnsureConfirmDialog();
    EXPECT_EQ(session.ConfirmDialog(), &dialog);
    EXPECT_EQ(&session.EnsureConfirmDialog(), &dialog);
    EXPECT_EQ(dialog.windowTitle(), "Confirm replace");
    EXPECT_FALSE(dialog.Image1->pixmap().isNull());
    dialog.PlaceNearMatch(QRect(0, 0, 800, 600), 40, 60, 73, "put_char");
    EXPECT_EQ(dialog.lblConfirmation->text(), "Replace this occurence of \"put_char\"?");
    EXPECT_EQ(dialog.pos(), QPoint(40, 77));

    const std::pair<QPushButton*, TReplaceAnswer> buttons[] = {
        {dialog.btnReplace, TReplaceAnswer::raYes},
        {dialog.btnSkip, TReplaceAnswer::raNo},
        {dialog.btnCancel, TReplaceAnswer::raCancel},
        {dialog.btnReplaceAll, TReplaceAnswer::raAll}};
    for (const auto& [button, answer] : buttons) {
        button->click();
        EXPECT_EQ(dialog.Answer(), answer) << button->text().toStdString();
    }
    dialog.reject();  // Escape or the close box
    EXPECT_EQ(dialog.Answer(), TReplaceAnswer::raCancel);

    session.DestroyConfirmDialog();
    EXPECT_EQ(session.ConfirmDialog(), nullptr);
    session.DestroyConfirmDialog();  // nothing left to destroy
}

TEST(ConfirmDialogTest, TheSessionAsksWithItsOwnDialogUntilTheRunEnds) {
    TSearchSession session;
    TReplaceConfirmRequest request;
    request.Area = QRect(0, 0, 800, 600);
    request.X = 40;
    request.LineTop = 60;
    request.LineBottom = 73;
    request.Text = "vsync";
    QString asked;
    QTimer::singleShot(0, [&] {
        TConfirmReplaceDialog* dialog = session.ConfirmDialog();
        ASSERT_NE(dialog, nullptr);
        asked = dialog->lblConfirmation->text();
        dialog->btnReplaceAll->click();
    });
    EXPECT_EQ(session.ConfirmReplace(request), TReplaceAnswer::raAll);
    EXPECT_EQ(asked, "Replace this occurence of \"vsync\"?");
    // The same dialog asks again until the search run destroys it.
    TConfirmReplaceDialog* first = session.ConfirmDialog();
    QTimer::singleShot(0, [&] { session.ConfirmDialog()->reject(); });
    EXPECT_EQ(session.ConfirmReplace(request), TReplaceAnswer::raCancel);
    EXPECT_EQ(session.ConfirmDialog(), first);
    session.DestroyConfirmDialog();
    EXPECT_EQ(session.ConfirmDialog(), nullptr);
}
