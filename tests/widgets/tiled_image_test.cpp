// The tiled background: where each style puts the picture, the tiling of a composed block at
// any clip offset, and the client area of a real multiple-document window at several sizes and
// scroll offsets, checked pixel by pixel.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include "widgets/form_saver.h"
#include "widgets/mdi_scroll.h"
#include "widgets/mdi_tiled_image.h"

namespace {

// A 16 by 16 picture whose every pixel differs, so a pixel tells where in the tile it is.
QPixmap NumberedTile() {
    QImage image(16, 16, QImage::Format_RGB32);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) image.setPixel(x, y, qRgb(x * 16, y * 16, 200));
    }
    return QPixmap::fromImage(image);
}

// Checks that image shows the tile anchored at area point origin (image pixel (0, 0) is area
// point origin), sampling every step-th pixel; returns the first mismatch as text.
std::string TileMismatch(const QImage& image, QPoint origin, int step = 1) {
    for (int y = 0; y < image.height(); y += step) {
        for (int x = 0; x < image.width(); x += step) {
            const int tx = (origin.x() + x) % 16;
            const int ty = (origin.y() + y) % 16;
            if (image.pixel(x, y) != qRgb(tx * 16, ty * 16, 200)) {
                return "at " + std::to_string(x) + "," + std::to_string(y);
            }
        }
    }
    return "";
}

TEST(TiledImageTarget, PlacesThePictureByStyle) {
    const QSize area(792, 498);
    EXPECT_EQ(TiledImageTarget(area, QSize(16, 16), sClip), QRect(0, 0, 16, 16));
    EXPECT_EQ(TiledImageTarget(area, QSize(17, 16), sCenter), QRect(387, 241, 17, 16));
    // Larger than the area: the offset rounds toward zero.
    EXPECT_EQ(TiledImageTarget(QSize(10, 10), QSize(15, 13), sCenter), QRect(-2, -1, 15, 13));
    EXPECT_EQ(TiledImageTarget(area, QSize(16, 16), sStretch), QRect(0, 0, 792, 498));
    // Taller than the area's proportion: full height; wider: full width.
    EXPECT_EQ(TiledImageTarget(QSize(400, 100), QSize(10, 20), sFit), QRect(0, 0, 50, 100));
    EXPECT_EQ(TiledImageTarget(QSize(100, 400), QSize(20, 10), sFit), QRect(0, 0, 100, 50));
    // Halves round to the even neighbour.
    EXPECT_EQ(TiledImageTarget(QSize(50, 10), QSize(1, 4), sHeight), QRect(0, 0, 2, 10));
    EXPECT_EQ(TiledImageTarget(QSize(50, 14), QSize(1, 4), sHeight), QRect(0, 0, 4, 14));
    EXPECT_EQ(TiledImageTarget(QSize(10, 50), QSize(4, 1), sWidth), QRect(0, 0, 10, 2));
    EXPECT_EQ(TiledImageTarget(QSize(14, 50), QSize(4, 1), sWidth), QRect(0, 0, 14, 4));
    EXPECT_TRUE(TiledImageTarget(area, QSize(0, 16), sFit).isEmpty());
}

TEST(ComposeTiledImage, TilesFromTheAreasCornerWhateverTheClip) {
    const QPixmap tile = NumberedTile();
    const QSize area(792, 498);
    const QImage whole =
        ComposeTiledImage(area, QRect(QPoint(), area), tile, sTile, Qt::red).toImage();
    ASSERT_EQ(whole.size(), area);
    EXPECT_EQ(TileMismatch(whole, QPoint(0, 0)), "");
    // 50 columns and 32 rows, the last of each cut by the edge.
    EXPECT_EQ(whole.pixel(791, 497), qRgb(7 * 16, 1 * 16, 200));

    const QRect clip(101, 37, 50, 21);
    const QImage part = ComposeTiledImage(area, clip, tile, sTile, Qt::red).toImage();
    ASSERT_EQ(part.size(), clip.size());
    EXPECT_EQ(TileMismatch(part, clip.topLeft()), "");
}

TEST(ComposeTiledImage, OtherStylesAndAnEmptyPictureShowTheWindowColour) {
    const QSize area(100, 60);
    const QImage empty =
        ComposeTiledImage(area, QRect(0, 0, 100, 60), QPixmap(), sTile, Qt::darkCyan).toImage();
    EXPECT_EQ(empty.pixel(50, 30), QColor(Qt::darkCyan).rgb());
    const QImage clipped =
        ComposeTiledImage(area, QRect(0, 0, 100, 60), NumberedTile(), sClip, Qt::darkCyan)
            .toImage();
    EXPECT_EQ(clipped.pixel(3, 5), qRgb(48, 80, 200));
    EXPECT_EQ(clipped.pixel(16, 5), QColor(Qt::darkCyan).rgb());
}

// A multiple-document main window with the background and the scroll switch attached.
class MDIBackground : public ::testing::Test {
  protected:
    MDIBackground() {
        area = new QMdiArea(&form);
        area->setBackground(Qt::green);
        form.setCentralWidget(area);
        image = std::make_unique<TabcMDITiledImage>(&form);
        image->SetPicture(NumberedTile());
        scroll = std::make_unique<TabcMDIScroll>(&form);
        scroll->SetEnabled(true);
        image->Loaded();
        scroll->Loaded();
        form.resize(640, 480);
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    // What the window shows: its backing store, where scrolling moves pixels instead of
    // painting them again.
    QImage Viewport() {
        QApplication::processEvents();
        QWidget* viewport = area->viewport();
        const QPoint at = viewport->mapTo(&form, QPoint(0, 0));
        return form.screen()
            ->grabWindow(form.winId(), at.x(), at.y(), viewport->width(), viewport->height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }

    QMainWindow form;
    QMdiArea* area = nullptr;
    std::unique_ptr<TabcMDITiledImage> image;
    std::unique_ptr<TabcMDIScroll> scroll;
};

TEST_F(MDIBackground, CoversTheClientAreaAtEverySize) {
    for (const QSize size : {QSize(640, 480), QSize(333, 251), QSize(1001, 703)}) {
        form.resize(size);
        const QImage shot = Viewport();
        EXPECT_EQ(shot.size(), area->viewport()->size());
        EXPECT_EQ(TileMismatch(shot, QPoint(0, 0)), "") << size.width() << "x" << size.height();
    }
}

TEST_F(MDIBackground, StaysAnchoredWhileTheAreaScrolls) {
    auto* document = area->addSubWindow(new QWidget);
    document->setGeometry(900, 700, 200, 150);  // beyond the area: scroll bars appear
    document->show();
    QApplication::processEvents();
    ASSERT_TRUE(area->horizontalScrollBar()->isVisible());
    ASSERT_TRUE(area->verticalScrollBar()->isVisible());
    for (const QPoint offset : {QPoint(37, 0), QPoint(37, 53), QPoint(120, 211)}) {
        area->horizontalScrollBar()->setValue(offset.x());
        area->verticalScrollBar()->setValue(offset.y());
        QImage shot = Viewport();
        // Only the part outside the document window is background.
        const QRect doc = document->geometry();
        const QRect free =
            QRect(0, 0, shot.width(), std::max(0, doc.top())).intersected(shot.rect());
        ASSERT_GT(free.height(), 100);
        EXPECT_EQ(TileMismatch(shot.copy(free), QPoint(0, 0)), "")
            << offset.x() << "," << offset.y();
    }
}

TEST_F(MDIBackground, HiddenItLeavesTheAreasOwnBackground) {
    image->SetVisible(false);
    const QImage shot = Viewport();
    EXPECT_EQ(shot.pixel(5, 5), QColor(Qt::green).rgb());
    image->SetVisible(true);
    EXPECT_EQ(TileMismatch(Viewport(), QPoint(0, 0), 7), "");
}

TEST_F(MDIBackground, ScrollSwitchOffHidesTheScrollBars) {
    auto* document = area->addSubWindow(new QWidget);
    document->setGeometry(900, 700, 200, 150);
    document->show();
    QApplication::processEvents();
    ASSERT_TRUE(area->horizontalScrollBar()->isVisible());
    scroll->SetEnabled(false);
    QApplication::processEvents();
    EXPECT_FALSE(area->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(area->verticalScrollBar()->isVisible());
    form.resize(600, 400);
    QApplication::processEvents();
    EXPECT_FALSE(area->horizontalScrollBar()->isVisible());
    scroll->SetEnabled(true);
    QApplication::processEvents();
    EXPECT_TRUE(area->horizontalScrollBar()->isVisible());
}

TEST(MDIComponents, NeedAWindowWithAClientArea) {
    QMainWindow plain;
    try {
        TabcMDITiledImage image(&plain);
        FAIL() << "created on a window without a client area";
    } catch (const EComponentError& error) {
        EXPECT_STREQ(error.what(), "This component must be owned by an MDI Main Form");
    }
    EXPECT_THROW(TabcMDIScroll scroll(&plain), EComponentError);
    EXPECT_TRUE(plain.children().size() < 10);  // nothing half-made left behind
}

}  // namespace
