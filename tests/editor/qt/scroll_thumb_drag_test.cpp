// Dragging the vertical thumb of a 40,000-line text with the mouse: the bar runs on a scaled
// range there, so the top line reached in the middle of the drag, and where the thumb is put
// back afterwards, show whether the scaling is right (at the ends the clamps would hide it).
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <cstdlib>
#include <string>
#include <vector>

#include "editor/qt/synedit.h"
#include "editor/string_list.h"

namespace {

constexpr int kLines = 40000;
constexpr int kScaledRange = 32767;  // the bar's range once the text has more lines

QRect ThumbRect(QScrollBar* bar) {
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.subControls = QStyle::SC_All;
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.upsideDown = bar->invertedAppearance();
    if (bar->orientation() == Qt::Horizontal) option.state |= QStyle::State_Horizontal;
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider,
                                        bar);
}

QRect GrooveRect(QScrollBar* bar) {
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.pageStep = bar->pageStep();
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarGroove,
                                        bar);
}

void SendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    QMouseEvent event(type, at, target->mapToGlobal(at),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

class ScrollThumbDrag : public ::testing::Test {
  protected:
    void SetUp() override {
        edit.resize(400, 300);
        std::vector<std::string> lines;
        for (int i = 0; i < kLines; ++i) lines.push_back("line " + std::to_string(i + 1));
        edit.Lines().AddStrings(lines);
        edit.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&edit));
        bar = edit.verticalScrollBar();
        // The first report of a mouse move is the position dragged to; putting the thumb back
        // where the logic says reports again.
        QObject::connect(bar, &QScrollBar::sliderMoved, [this](int value) {
            if (dragged < 0) dragged = value;
        });
    }

    // Presses on the thumb's centre, moves in steps to `y` in the bar and releases there;
    // returns the top line and scroll hint seen just before the release.
    std::pair<int, std::string> Drag(int y) {
        const QPoint from = ThumbRect(bar).center();
        const QPoint to(from.x(), y);
        SendMouse(bar, QEvent::MouseButtonPress, from, Qt::LeftButton);
        EXPECT_TRUE(bar->isSliderDown());
        for (int step = 1; step <= 8; ++step) {
            dragged = -1;
            SendMouse(bar, QEvent::MouseMove, from + (to - from) * step / 8, Qt::LeftButton);
        }
        std::pair<int, std::string> seen{edit.TopLine(), edit.ScrollHintText()};
        SendMouse(bar, QEvent::MouseButtonRelease, to, Qt::NoButton);
        return seen;
    }

    // The top line a thumb position stands for, and the thumb position of a top line.
    int TopLineOf(int position) const {
        return static_cast<int>(static_cast<long long>(kLines + edit.LinesInWindow() - 1) *
                                position / kScaledRange);
    }
    static int PositionOf(int topLine) {
        return static_cast<int>(static_cast<long long>(topLine) * kScaledRange / kLines);
    }

    TSynEdit edit;
    QScrollBar* bar = nullptr;
    int dragged = -1;
};

TEST_F(ScrollThumbDrag, DraggingToTheMiddleShowsTheMiddleOfTheText) {
    ASSERT_EQ(bar->minimum(), 0);
    ASSERT_GT(bar->maximum(), 0);
    ASSERT_EQ(edit.TopLine(), 1);
    const QRect groove = GrooveRect(bar);
    const int middle = groove.top() + groove.height() / 2;

    const auto [trackedTop, hint] = Drag(middle);
    ASSERT_GT(dragged, 0);
    // Within a couple of pixels' worth of lines of the middle of the text...
    const int linesPerPixel = kLines / groove.height() + 1;
    EXPECT_LT(std::abs(trackedTop - (kLines - edit.LinesInWindow()) / 2), 3 * linesPerPixel)
        << "top line " << trackedTop;
    // ...and exactly the line the dragged position stands for.
    EXPECT_EQ(trackedTop, TopLineOf(dragged));
    EXPECT_EQ(hint, "Top Line: " + std::to_string(trackedTop));

    // Released: the view stays, the hint goes, and the thumb sits where the top line puts it,
    // under the mouse.
    EXPECT_FALSE(bar->isSliderDown());
    EXPECT_EQ(edit.TopLine(), trackedTop);
    EXPECT_EQ(edit.ScrollHintText(), "");
    EXPECT_EQ(bar->value(), PositionOf(edit.TopLine()));
    EXPECT_LE(std::abs(ThumbRect(bar).center().y() - middle), 2);
}

TEST_F(ScrollThumbDrag, DraggingBackUpToAQuarterFollowsTheThumb) {
    const QRect groove = GrooveRect(bar);
    Drag(groove.top() + groove.height() / 2);
    const int fromMiddle = edit.TopLine();
    const int quarter = groove.top() + groove.height() / 4;
    const auto [trackedTop, hint] = Drag(quarter);
    EXPECT_LT(trackedTop, fromMiddle);
    EXPECT_EQ(trackedTop, TopLineOf(dragged));
    EXPECT_EQ(edit.TopLine(), trackedTop);
    EXPECT_EQ(bar->value(), PositionOf(edit.TopLine()));
    // The thumb's top edge travels a quarter of the free groove: its centre is the mouse.
    EXPECT_LE(std::abs(ThumbRect(bar).center().y() - quarter), 2);
}

}  // namespace
