// The loading window: its layout, the picture's walk, Cancel and closing.
#include <gtest/gtest.h>

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <vector>

#include "toolrun/qt/loading_window.h"
#include "toolrun/qt/loading_window_adapter.h"

namespace {

TEST(LoadingWindow, LayoutAndTimersAtStart) {
    TfrmLoading form;
    EXPECT_EQ(form.windowTitle().toStdString(), "Loading Output...please be patient...");
    EXPECT_EQ(form.Panel1->width(), 282);
    EXPECT_EQ(form.Panel1->palette().color(QPalette::Window), QColor(0x13, 0x1D, 0x40));
    EXPECT_EQ(form.Image1->geometry(), QRect(124, 28, 28, 43));
    EXPECT_EQ(form.BitBtn1->geometry(), QRect(2, 78, 279, 29));
    EXPECT_EQ(form.BitBtn1->text().toStdString(), "Cancel");
    EXPECT_EQ(form.Timer1->interval(), 100);
    EXPECT_EQ(form.Timer2->interval(), 3500);
    EXPECT_FALSE(form.Timer1->isActive() || form.Timer2->isActive());
    EXPECT_FALSE(form.isVisible());
}

TEST(LoadingWindow, PictureWalksAndRestartsAtFourteen) {
    TfrmLoading form;
    std::vector<int> lefts;
    for (int i = 0; i < 20; ++i) {
        form.Timer1Timer();
        lefts.push_back(form.Image1->x());
    }
    // 264 passes 254 (panel 282 - picture 28) and becomes 14 in the same tick; 254 itself stays.
    const std::vector<int> expected = {144, 164, 184, 204, 224, 244, 14,  34,  54,  74,
                                       94,  114, 134, 154, 174, 194, 214, 234, 254, 14};
    EXPECT_EQ(lefts, expected);
    EXPECT_EQ(form.Image1->y(), 28);
}

TEST(LoadingWindow, CancelStopsTimersClosesAndReports) {
    TfrmLoading form;
    int cancels = 0;
    form.OnCancel = [&](QObject* sender) {
        EXPECT_EQ(sender, &form);
        EXPECT_FALSE(form.isVisible());
        ++cancels;
    };
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_TRUE(form.Timer1->isActive());
    EXPECT_TRUE(form.Timer2->isActive());
    form.Timer1Timer();

    QTest::mouseClick(form.BitBtn1, Qt::LeftButton);
    EXPECT_EQ(cancels, 1);
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.Timer1->isActive() || form.Timer2->isActive());
    EXPECT_EQ(form.Image1->x(), 144);  // the picture keeps its place for the next showing

    // Closed by its owner after the tool ended: timers stop, no cancel.
    form.show();
    ASSERT_TRUE(form.Timer1->isActive());
    form.close();
    EXPECT_FALSE(form.Timer1->isActive() || form.Timer2->isActive());
    EXPECT_EQ(cancels, 1);
}

// While a tool runs the loading window is transient for the frame, which keeps it above the
// frame under a window manager; closed, it is tied to nothing.
TEST(LoadingWindow, StaysAboveTheFrameWhileShown) {
    QWidget frame;
    frame.resize(400, 300);
    frame.show();
    TfrmLoading form;
    TLoadingWindowAdapter adapter(&form, &frame);
    adapter.Show();
    ASSERT_NE(form.windowHandle(), nullptr);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.windowHandle()->transientParent(), frame.windowHandle());
    adapter.Close();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.windowHandle()->transientParent(), nullptr);
    // Shown again for the next tool, it is tied to the frame again.
    adapter.Show();
    EXPECT_EQ(form.windowHandle()->transientParent(), frame.windowHandle());
    adapter.Close();
}

}  // namespace
