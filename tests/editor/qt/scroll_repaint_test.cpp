// What the editor window shows keeps up with the text: after typed lines scroll the view, the
// window's backing store holds what a fresh paint of the whole view draws (line numbers in the
// gutter, one caret), and long line numbers widen only an auto-sized gutter.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <string>
#include <tuple>
#include <utility>
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

// Pixels of the gutter and of the text area where what the window shows differs from a fresh
// paint.
std::pair<int, int> StalePixels(TSynEdit& edit) {
    const QImage shown = Shown(edit, edit.viewport());
    const QImage fresh = Fresh(edit);
    const int gutter = edit.GutterWidth();
    int inGutter = 0;
    int inText = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if (shown.pixel(x, y) != fresh.pixel(x, y)) ++(x < gutter ? inGutter : inText);
    return {inGutter, inText};
}

// An editor as a document window sets it up, shown and focused.
void ShowDocumentEditor(TSynEdit& edit, QSize size) {
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
    edit.resize(size);
    QApplication::processEvents();
}

}  // namespace

TEST(ScrollRepaint, TypedLinesThatScrollTheGrownViewLeaveNoStalePixels) {
    TSynEdit edit;
    // The view grows to many lines, as when its window is maximised.
    ShowDocumentEditor(edit, QSize(600, 60 * edit.LineHeight() + 40));
    // Each key is painted before the next, as when typed by hand.
    for (int i = 0; i < 80; ++i) {
        QTest::keyClick(&edit, Qt::Key_Return);
        QApplication::processEvents();
    }
    ASSERT_GT(edit.TopLine(), 1);
    ASSERT_TRUE(edit.CaretShown());
    const auto [gutter, text] = StalePixels(edit);
    EXPECT_EQ(gutter, 0) << "gutter";
    // The caret's picture must not be carried up with the scrolled lines.
    EXPECT_EQ(text, 0);
}

// Enter on an indented line puts the indent on the new line; when that scrolls the view, the
// line numbers of the rows moved up and of the new rows are drawn whole, as are typed blanks
// and letters on such a line.
TEST(ScrollRepaint, AutoIndentedLinesThatScrollLeaveNoStalePixels) {
    TSynEdit edit;
    ShowDocumentEditor(edit, QSize(600, 20 * edit.LineHeight() + 10));
    QTest::keyClicks(&edit, "  x");
    QApplication::processEvents();
    for (int i = 0; i < 25; ++i) {
        QTest::keyClick(&edit, Qt::Key_Return);
        QApplication::processEvents();
    }
    ASSERT_GT(edit.TopLine(), 1);
    ASSERT_EQ(edit.Lines().Get(25), "  ");
    auto [gutter, text] = StalePixels(edit);
    EXPECT_EQ(gutter, 0) << "gutter after Enter";
    EXPECT_EQ(text, 0) << "text after Enter";
    for (const char* typed : {" ", "  ", "s", "p"}) {
        QTest::keyClicks(&edit, typed);
        QApplication::processEvents();
        std::tie(gutter, text) = StalePixels(edit);
        EXPECT_EQ(gutter, 0) << "gutter after typing \"" << typed << "\"";
        EXPECT_EQ(text, 0) << "text after typing \"" << typed << "\"";
    }
}

// From line 100,000 on, the five-digit field of the document window would cut the last digit:
// the field, and so the gutter, widens to the digits the last line needs, with or without
// AutoSize, and every digit is drawn inside the gutter.
TEST(ScrollRepaint, LongLineNumbersWidenTheGutter) {
    TSynEdit edit;
    edit.resize(400, 200);
    edit.Gutter().SetDigitCount(5);
    edit.Gutter().SetLeadingZeros(true);
    edit.Gutter().SetShowLineNumbers(true);
    edit.Lines().AddStrings(std::vector<std::string>(99999, "x"));
    const int w = edit.CharWidth();
    EXPECT_EQ(edit.GutterWidth(), 16 + 2 + 5 * w + 2);
    edit.Lines().Add("x");
    EXPECT_EQ(edit.GutterWidth(), 16 + 2 + 6 * w + 2);
    edit.Lines().AddStrings(std::vector<std::string>(900000, "x"));
    EXPECT_EQ(edit.GutterWidth(), 16 + 2 + 7 * w + 2);
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

namespace {

// Counts the paints each watched widget receives.
class TPaintCounter : public QObject {
  public:
    explicit TPaintCounter(std::vector<QWidget*> widgets) : m_counts(widgets.size(), 0) {
        m_widgets = std::move(widgets);
        for (QWidget* widget : m_widgets) widget->installEventFilter(this);
    }
    int Count(std::size_t i) const { return m_counts[i]; }
    void Reset() { std::fill(m_counts.begin(), m_counts.end(), 0); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            for (std::size_t i = 0; i < m_widgets.size(); ++i)
                if (m_widgets[i] == watched) ++m_counts[i];
        return false;
    }

  private:
    std::vector<QWidget*> m_widgets;
    std::vector<int> m_counts;
};

}  // namespace

// A key in a line of millions of columns changes the horizontal range by one column, which moves
// no pixel of the thumb: neither scroll bar, nor the frame beneath them, is painted again (on
// every key that cost as much as the edit itself). A change that moves the thumb or reaches the
// end of the range paints the bar, and what the window shows of it is then what a fresh paint
// draws.
TEST(ScrollRepaint, ARangeChangeThatMovesNoPixelPaintsNoScrollBar) {
    TSynEdit edit;
    ShowDocumentEditor(edit, QSize(600, 300));
    edit.Lines().Put(0, std::string(2'000'000, 'a'));
    edit.SetCaretXY({1'000'000, 1});
    edit.SetCaretXY({999'980, 1});  // inside the view: typing scrolls nothing
    QApplication::processEvents();
    QScrollBar* across = edit.horizontalScrollBar();
    QScrollBar* down = edit.verticalScrollBar();
    const int range = across->maximum();
    const int left = across->value();
    ASSERT_GT(left, 0);
    TPaintCounter paints({across, down, &edit, edit.viewport()});

    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(&edit, Qt::Key_X);
        QApplication::processEvents();
    }
    EXPECT_EQ(edit.Lines().Get(0).size(), 2'000'003u);
    EXPECT_EQ(across->maximum(), range + 3);  // the range itself is exact
    EXPECT_EQ(across->value(), left);
    EXPECT_GT(paints.Count(3), 0);  // the line was painted
    EXPECT_EQ(paints.Count(0), 0) << "horizontal bar";
    EXPECT_EQ(paints.Count(1), 0) << "vertical bar";
    EXPECT_EQ(paints.Count(2), 0) << "frame";

    const auto barShown = [&] {
        const QImage shown = Shown(edit, across);
        const QImage fresh = across->grab().toImage().convertToFormat(QImage::Format_RGB32);
        return shown == fresh;
    };
    paints.Reset();
    QTest::keyClick(&edit, Qt::Key_End);
    QApplication::processEvents();
    EXPECT_EQ(across->value(), across->maximum());
    EXPECT_GT(paints.Count(0), 0);
    EXPECT_TRUE(barShown());
    // Typing at the end leaves the thumb at the end of a longer range.
    paints.Reset();
    QTest::keyClicks(&edit, "yz");
    QApplication::processEvents();
    EXPECT_EQ(across->maximum(), range + 5);
    EXPECT_EQ(across->value(), across->maximum());
    EXPECT_TRUE(barShown());
    QTest::keyClick(&edit, Qt::Key_Home);
    QApplication::processEvents();
    EXPECT_EQ(across->value(), across->minimum());
    EXPECT_TRUE(barShown());
}
