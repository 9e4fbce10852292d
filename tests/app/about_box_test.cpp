// The About box: layout, texts and closing; start-up creating it with the frame window.
#include "app/about_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "app/application.h"
#include "app/main_window.h"

namespace {

TEST(AboutBoxTest, LayoutFollowsTheDesign) {
    TAboutBox box;
    EXPECT_EQ(box.windowTitle(), "About Vesk-Engine");
    EXPECT_EQ(box.size(), QSize(607, 364));
    EXPECT_EQ(box.minimumSize(), box.maximumSize());
    EXPECT_EQ(box.Panel2()->palette().color(QPalette::Window), QColor(0, 0, 0x40));
    EXPECT_EQ(box.Panel1()->palette().color(QPalette::Window), QColor(Qt::black));

    EXPECT_EQ(box.ProgramIcon()->geometry(), QRect(284, 2, 320, 240));
    EXPECT_EQ(box.ProgramIcon()->pixmap().size(), QSize(320, 240));

    QPlainTextEdit* memo = box.Memo1();
    EXPECT_EQ(memo->geometry(), QRect(4, 3, 282, 240));
    EXPECT_EQ(memo->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(memo->palette().color(QPalette::Base), QColor(0, 0, 128));
    EXPECT_EQ(memo->palette().color(QPalette::Text), QColor(Qt::white));
    EXPECT_EQ(memo->font().family(), "MS Sans Serif");
    EXPECT_EQ(memo->font().pixelSize(), 11);
    EXPECT_EQ(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(memo->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_FALSE(memo->isReadOnly());

    for (QLabel* credit : {box.Credits1(), box.Credits2()}) {
        EXPECT_GE(credit->geometry().top(), 242);
        EXPECT_EQ(credit->alignment(), Qt::AlignCenter);
        EXPECT_EQ(credit->font().family(), "Arial");
        EXPECT_EQ(credit->font().pixelSize(), 13);
        EXPECT_FALSE(credit->text().isEmpty());
    }

    QPushButton* ok = box.OKButton();
    EXPECT_EQ(ok->geometry(), QRect(12, 320, 583, 33));
    EXPECT_TRUE(ok->isDefault());
    EXPECT_TRUE(ok->font().bold());
    EXPECT_EQ(ok->font().pixelSize(), 11);
    EXPECT_EQ(ok->font().family(), "Arial");
}

TEST(AboutBoxTest, TextHoldsTheKeySummaryAndANewestFirstHistory) {
    const QStringList lines = TAboutBox::AboutText().split('\n');
    const QStringList keys{"Shift + Ctrl + Number = Set Bookmark",
                           "Ctrl + Number = Goto Bookmark",
                           "Ctrl + Z = Undo",
                           "Shift + Ctrl + Z = Redo",
                           "Shift + Alt + BkSp = Redo",
                           "Ctrl + C = Copy",
                           "Ctrl + V = Paste",
                           "Ctrl + Y = Delete Line"};
    const qsizetype firstKey = lines.indexOf(keys.front());
    ASSERT_EQ(firstKey, 5);  // after a four-line note and a line of dashes
    EXPECT_TRUE(lines[4].startsWith("-----"));
    EXPECT_EQ(lines.mid(firstKey, keys.size()), keys);
    EXPECT_TRUE(lines[firstKey + keys.size()].startsWith("-----"));
    EXPECT_EQ(lines[firstKey + keys.size() + 1], "HISTORY:");

    // Dated entries month.day.year, newest first.
    QList<QDate> dates;
    for (const QString& line : lines) {
        const QDate date = QDate::fromString(line.left(10), "MM.dd.yyyy");
        if (date.isValid()) dates << date;
    }
    ASSERT_GE(dates.size(), 3);
    for (qsizetype i = 1; i < dates.size(); ++i) EXPECT_GT(dates[i - 1], dates[i]);
}

TEST(AboutBoxTest, EnterOrOkClosesTheModalBox) {
    TAboutBox box;
    QTimer::singleShot(0, &box, [&box] {
        ASSERT_TRUE(box.isVisible());
        QApplication::setActiveWindow(&box);
        ASSERT_EQ(box.focusWidget(), box.OKButton());
        QTest::keyClick(box.focusWidget(), Qt::Key_Return);
    });
    EXPECT_EQ(box.exec(), QDialog::Accepted);
    EXPECT_FALSE(box.isVisible());

    QTimer::singleShot(0, &box, [&box] { QTest::mouseClick(box.OKButton(), Qt::LeftButton); });
    EXPECT_EQ(box.exec(), QDialog::Accepted);
}

TEST(AboutBoxTest, ShowsCentredOnTheScreenNotOverItsOwner) {
    QWidget owner;
    owner.setGeometry(0, 0, 200, 150);
    owner.show();
    TAboutBox box(&owner);
    box.show();
    const QRect screen = box.screen()->geometry();
    const QRect frame = box.frameGeometry();
    EXPECT_EQ(frame.left(), screen.left() + (screen.width() - frame.width()) / 2);
    EXPECT_EQ(frame.top(), screen.top() + (screen.height() - frame.height()) / 2);
    box.hide();
}

TEST(StartUpTest, CreatesTheFrameAndTheAboutBoxOnceWhichAboutShows) {
    Application application;
    application.Show();
    EXPECT_TRUE(application.MainForm().isVisible());
    EXPECT_FALSE(application.AboutBox().isVisible());
    EXPECT_EQ(application.MainForm().MDIChildCount(), 0);

    TAboutBox* shown = nullptr;
    QTimer::singleShot(0, [&] {
        shown = qobject_cast<TAboutBox*>(QApplication::activeModalWidget());
        if (shown) shown->accept();
    });
    application.MainForm().HelpAbout1()->trigger();
    EXPECT_EQ(shown, &application.AboutBox());
    EXPECT_FALSE(application.AboutBox().isVisible());
}

}  // namespace
