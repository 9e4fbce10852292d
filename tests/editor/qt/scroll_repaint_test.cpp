// What the editor window shows keeps up with the text: after typed lines scroll the view, the
// window's backing store holds what a fresh paint of the whole view draws (line numbers in the
// gutter, one caret), and long line numbers widen only an auto-sized gutter.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <string>
#include <vector>

#include "editor/qt/synedit.h"
#include "editor/string_list.h"

namespace {

// What the window shows: its backing store, where scrolling moves pixels instead of painting
// them again.
QImage Shown(QWidget& window, QWidget* viewport) {
    QApplication::processEvents();
    const QPoint at = viewport->mapTo(&window, QPoint(0, 0));
    return window.screen()
        ->grabWindow(window.winId(), at.x(), at.y(), viewport->width(), viewport->height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// The gutter as a fresh paint of the whole view draws it.
QImage Fresh(TSynEdit& edit) {
    QImage image(edit.viewport()->size(), QImage::Format_RGB32);
    QPainter painter(&image);
    edit.PaintTo(painter, image.rect());
    return image;
}

}  // namespace

TEST(ScrollRepaint, TypedLinesThatScrollTheGrownViewLeaveNoStalePixels) {
    TSynEdit edit;
    edit.Gutter().SetDigitCount(5);
    edit.Gutter().SetLeadingZeros(true);
    edit.Gutter().SetShowLineNumbers(true);
    edit.Lines().Add("");
    edit.resize(400, 200);
    edit.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&edit));
    edit.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&edit));
    edit.setFocus();
    // The view grows to many lines, as when its window is maximised.
    edit.resize(600, 60 * edit.LineHeight() + 40);
    QApplication::processEvents();
    // Each key is painted before the next, as when typed by hand.
    for (int i = 0; i < 80; ++i) {
        QTest::keyClick(&edit, Qt::Key_Return);
        QApplication::processEvents();
    }
    ASSERT_GT(edit.TopLine(), 1);
    ASSERT_TRUE(edit.CaretShown());
    const QImage shown = Shown(edit, edit.viewport());
    const QImage fresh = Fresh(edit);
    const int gutter = edit.GutterWidth();
    int differing = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < gutter; ++x)
            if (shown.pixel(x, y) != fresh.pixel(x, y)) ++differing;
    EXPECT_EQ(differing, 0) << "gutter";
    // The caret's picture must not be carried up with the scrolled lines.
    int textDiff = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = gutter; x < shown.width(); ++x)
            if (shown.pixel(x, y) != fresh.pixel(x, y)) ++textDiff;
    EXPECT_EQ(textDiff, 0);
}

// A million lines: the five-digit field of the document window keeps its width and the longer
// numbers run past it; with AutoSize the field, and so the gutter, widens to seven digits.
TEST(ScrollRepaint, SevenDigitNumbersWidenOnlyAnAutoSizedGutter) {
    TSynEdit edit;
    edit.resize(400, 200);
    edit.Gutter().SetDigitCount(5);
    edit.Gutter().SetLeadingZeros(true);
    edit.Gutter().SetShowLineNumbers(true);
    edit.Lines().AddStrings(std::vector<std::string>(1000000, "x"));
    const int w = edit.CharWidth();
    EXPECT_EQ(edit.GutterWidth(), 16 + 2 + 5 * w + 2);
    EXPECT_EQ(edit.Gutter().FormatLineNumber(1000000), "1000000");

    edit.Gutter().SetAutoSize(true);
    EXPECT_EQ(edit.GutterWidth(), 16 + 2 + 7 * w + 2);
    edit.SetTopLine(1000000);
    const QImage fresh = Fresh(edit);
    // Ink of the seventh digit, right of where a five-digit field ends.
    bool inked = false;
    for (int y = 0; y < edit.LineHeight(); ++y)
        for (int x = 16 + 6 * w; x < 16 + 7 * w; ++x)
            if (fresh.pixelColor(x, y).lightness() < 90) inked = true;
    EXPECT_TRUE(inked);
    // Back to a short text, the field returns to five digits.
    edit.Lines().Clear();
    edit.Lines().Add("");
    EXPECT_EQ(edit.GutterWidth(), 16 + 2 + 5 * w + 2);
}
