// Shape button and image list: mouse only inside the shape, picture per state, following and
// forgetting its image list.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "platform/qt/image_list.h"
#include "widgets/shape_button.h"

namespace {

// A 40x40 picture: a filled disc of one colour, transparent corners.
QPixmap Disc(const QColor& color) {
    QPixmap pixmap(40, 40);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawEllipse(0, 0, 40, 40);
    return pixmap;
}

const QColor kUp(200, 0, 0), kDown(0, 200, 0), kFlat(0, 0, 200);

// Counts presses on the widget that lies below the shape button.
class Below : public QWidget {
  public:
    using QWidget::QWidget;
    int presses = 0;

  protected:
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};

struct ShapeFixture : ::testing::Test {
    void SetUp() override {
        images = std::make_unique<TImageList>(40, 40);
        images->Add(Disc(kUp));
        images->Add(Disc(kDown));
        images->Add(Disc(kFlat));
        parent.resize(200, 100);
        below = new Below(&parent);
        below->setGeometry(0, 0, 200, 100);
        button = new TabcShapeButton(&parent);
        button->setGeometry(20, 20, 47, 40);
        button->SetImageList(images.get());
        button->SetIndexUp(0);
        button->SetIndexDown(1);
        button->SetIndexFlat(2);
        button->OnClick = [this](QObject* sender) {
            EXPECT_EQ(sender, button);
            ++clicks;
        };
        parent.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
        QApplication::setActiveWindow(&parent);
    }
    QColor PixelAt(int x, int y) { return QColor(button->grab().toImage().pixel(x, y)); }
    // The parent's background, seen through the strip beside the 40-pixel pictures.
    QColor Background() { return PixelAt(45, 1); }
    // A click delivered to the window, which routes it to the widget under the point.
    void ClickWindow(QPoint at) {
        QTest::mouseClick(parent.windowHandle(), Qt::LeftButton, {}, at);
    }

    std::unique_ptr<TImageList> images;
    QWidget parent;
    Below* below = nullptr;
    TabcShapeButton* button = nullptr;
    int clicks = 0;
};

TEST_F(ShapeFixture, ClicksOnlyInsideItsShape) {
    // The corner of the disc and the strip beside the 40-pixel picture belong to what is below.
    ClickWindow(QPoint(21, 21));
    ClickWindow(QPoint(20 + 44, 40));
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(below->presses, 2);

    ClickWindow(QPoint(40, 40));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(below->presses, 2);

    // Pressed inside, released outside the shape: no click.
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseMove(button, QPoint(1, 1));
    EXPECT_FALSE(button->Pressed());
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_EQ(clicks, 1);

    button->setEnabled(false);
    ClickWindow(QPoint(40, 40));
    EXPECT_EQ(clicks, 1);
}

TEST_F(ShapeFixture, PicturePerState) {
    EXPECT_EQ(button->CurrentIndex(), 2);  // Popup, mouse away: flat
    EXPECT_EQ(PixelAt(20, 20), kFlat);

    QTest::mouseMove(button, QPoint(20, 20));
    ASSERT_TRUE(button->Hot());
    EXPECT_EQ(button->CurrentIndex(), 0);
    EXPECT_EQ(button->CurrentOffset(), QPoint(-1, -1));

    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(button->CurrentIndex(), 1);
    EXPECT_EQ(button->CurrentOffset(), QPoint(1, 1));
    // Pressed: the down picture one pixel right and down, so its left column is empty.
    EXPECT_EQ(PixelAt(20, 20), kDown);
    EXPECT_EQ(PixelAt(0, 20), Background());
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_TRUE(button->Hot());  // still over the shape

    button->SetPopup(false);
    QTest::mouseMove(&parent, QPoint(150, 80));
    EXPECT_FALSE(button->Hot());
    EXPECT_EQ(button->CurrentIndex(), 0);  // no Popup: up picture

    button->setEnabled(false);
    EXPECT_EQ(button->CurrentIndex(), 2);  // no disabled picture: the flat one
    button->SetIndexDisabled(1);
    EXPECT_EQ(button->CurrentIndex(), 1);
    const QColor blended = PixelAt(20, 20);
    EXPECT_EQ(blended, QColor(64, 164, 64));  // the down picture blended with grey
    button->SetIndexDisabled(-1);
    button->SetIndexFlat(-1);
    EXPECT_EQ(button->CurrentIndex(), 0);

    button->setEnabled(true);
    button->SetPopup(true);
    button->SetIndexFlat(7);  // not valid: nothing drawn
    EXPECT_EQ(button->CurrentIndex(), -1);
    EXPECT_EQ(PixelAt(20, 20), Background());
}

TEST_F(ShapeFixture, FollowsAndForgetsItsImageList) {
    QPixmap corner(40, 40);
    corner.fill(Qt::transparent);
    QPainter(&corner).fillRect(0, 0, 10, 10, Qt::black);
    images->Add(corner);
    button->SetIndexMouseMask(3);
    EXPECT_TRUE(button->Shape().contains(QPoint(5, 5)));
    EXPECT_FALSE(button->Shape().contains(QPoint(20, 20)));
    images->Delete(3);  // the mask index no longer valid: the up picture gives the shape
    EXPECT_FALSE(button->Shape().contains(QPoint(5, 5)));
    EXPECT_TRUE(button->Shape().contains(QPoint(20, 20)));
    images->Replace(0, Disc(kDown).scaled(20, 20));  // scaled up to the list's size again
    EXPECT_EQ(images->Image(0).size(), QSize(40, 40));

    images.reset();
    EXPECT_EQ(button->ImageList(), nullptr);
    EXPECT_TRUE(button->Shape().isEmpty());
    EXPECT_EQ(button->CurrentIndex(), -1);
    ClickWindow(QPoint(40, 40));
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(below->presses, 1);  // without a shape the button takes no mouse input
}

TEST(ImageList, IndexRulesAndChangeSignal) {
    TImageList list(16, 16);
    QSignalSpy changes(&list, &TImageList::Change);
    EXPECT_EQ(list.Add(QPixmap(8, 8)), 0);
    EXPECT_EQ(list.Add(QPixmap(16, 16)), 1);
    EXPECT_EQ(list.Image(0).size(), QSize(16, 16));
    list.Replace(5, QPixmap(16, 16));
    list.Delete(-1);
    EXPECT_EQ(changes.count(), 2);  // invalid indices change nothing
    EXPECT_TRUE(list.Image(2).isNull());
    list.Delete(0);
    EXPECT_EQ(list.Count(), 1);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(changes.count(), 4);
}

}  // namespace
