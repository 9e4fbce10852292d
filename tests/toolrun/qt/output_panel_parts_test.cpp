// The output panel's close button: pictures, placement at the right edge, the flat-picture
// animation and hiding the panel.
#include <gtest/gtest.h>

#include <QTest>
#include <vector>

#include "toolrun/qt/output_panel_parts.h"

namespace {

struct PanelFixture : ::testing::Test {
    void SetUp() override {
        images = CreateOutputPanelButtonImages();
        window.resize(800, 300);
        panel = new QWidget(&window);
        panel->setGeometry(0, 50, 400, 185);
        button = new TabcShapeButton(panel);
        SetUpOutputPanelCloseButton(*button, images.get());
        animator = std::make_unique<TOutputPanelAnimator>(panel, button);
    }
    std::vector<int> Ticks(int count) {
        std::vector<int> indices;
        for (int i = 0; i < count; ++i) {
            animator->Timer1Timer();
            indices.push_back(button->IndexFlat());
        }
        return indices;
    }

    std::unique_ptr<TImageList> images;
    QWidget window;
    QWidget* panel = nullptr;
    TabcShapeButton* button = nullptr;
    std::unique_ptr<TOutputPanelAnimator> animator;
};

TEST_F(PanelFixture, ButtonPicturesAndSetUp) {
    ASSERT_EQ(images->Count(), 3);
    EXPECT_EQ(images->Size(), QSize(44, 30));
    EXPECT_EQ(button->size(), QSize(47, 30));
    EXPECT_EQ(button->y(), 2);
    EXPECT_EQ(button->IndexFlat(), 2);
    EXPECT_EQ(button->CurrentIndex(), 2);
    // Round: the corners are not part of the shape, the middle is.
    EXPECT_FALSE(button->Shape().contains(QPoint(0, 0)));
    EXPECT_TRUE(button->Shape().contains(QPoint(22, 15)));
    // Three different shades in the middle of the button's face.
    const QPoint face(10, 15);
    EXPECT_NE(images->Image(0).toImage().pixel(face), images->Image(1).toImage().pixel(face));
    EXPECT_NE(images->Image(0).toImage().pixel(face), images->Image(2).toImage().pixel(face));
}

TEST_F(PanelFixture, ResizeKeepsButtonAtRightEdge) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    panel->resize(792, 185);
    EXPECT_EQ(button->x(), 745);
    EXPECT_EQ(button->y(), 2);
    // Resized while hidden: placed when the panel is shown again.
    panel->hide();
    panel->resize(300, 185);
    panel->show();
    EXPECT_EQ(button->x(), 253);
}

TEST_F(PanelFixture, FlatPictureCyclesOnlyWhileVisible) {
    panel->hide();
    EXPECT_EQ(Ticks(3), (std::vector<int>{2, 2, 2}));
    panel->show();  // the frame window itself is not on screen: the panel's own flag counts
    EXPECT_EQ(Ticks(4), (std::vector<int>{0, 1, 2, 0}));
    panel->hide();
    EXPECT_EQ(Ticks(2), (std::vector<int>{0, 0}));
    panel->show();  // resumes from where it stopped
    EXPECT_EQ(Ticks(2), (std::vector<int>{1, 2}));
}

TEST_F(PanelFixture, ButtonClickHidesPanel) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(22, 15));
    EXPECT_TRUE(panel->isHidden());
}

}  // namespace
