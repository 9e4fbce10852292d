// The editor widget on real Qt events and real pixels: highlighted text, gutter, margin line,
// selection colours, caret shapes, keys, wheel and scroll bars.
#include "editor/qt/synedit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include "editor/qt/qt_syn_clipboard.h"
#include "editor/string_list.h"
#include "highlight/syn_cpp_syn.h"
#include "platform/colors.h"
#include "platform/qt/color_resolve.h"

namespace {

QImage Render(TSynEdit& edit) {
    QImage image(edit.viewport()->size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    edit.PaintTo(painter, image.rect());
    return image;
}

// True when some pixel of the rectangle has exactly this colour.
bool HasColor(const QImage& image, const QRect& rect, QColor color) {
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (image.pixelColor(x, y) == color) return true;
    return false;
}

bool HasDarkPixel(const QImage& image, const QRect& rect) {
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (image.pixelColor(x, y).lightness() < 90) return true;
    return false;
}

struct WidgetFixture : ::testing::Test {
    void SetUp() override {
        edit.resize(480, 200);
        highlighter.KeyAttri()->SetForeground(0xFF0000);     // blue
        highlighter.NumberAttri()->SetForeground(0x0000FF);  // red
        highlighter.CommentAttri()->SetForeground(0x008000);
        edit.SetColor(0xFFFFFF);
        edit.SetHighlighter(&highlighter);
        edit.Gutter().SetDigitCount(5);
        edit.Gutter().SetLeadingZeros(true);
        edit.Gutter().SetShowLineNumbers(true);
        for (const char* line : {"int main(void) {", "    return 42; /* done", "   still */", "}"})
            edit.Lines().Add(line);
    }
    QRect Cell(int column, int line) const {
        TPoint p = edit.RowColumnToPixels({column, line});
        return QRect(p.X, p.Y - 1, edit.CharWidth(), edit.LineHeight());
    }
    TSynEdit edit;
    TSynCppSyn highlighter;
};

TEST_F(WidgetFixture, PaintsTokensInTheirColoursOnTheGrid) {
    QImage image = Render(edit);
    EXPECT_TRUE(HasColor(image, Cell(1, 1).united(Cell(3, 1)), QColor(0, 0, 255)));  // "int"
    EXPECT_FALSE(HasColor(image, Cell(5, 1).united(Cell(8, 1)), QColor(0, 0, 255)));
    EXPECT_TRUE(HasColor(image, Cell(12, 2).united(Cell(13, 2)), QColor(255, 0, 0)));  // 42
    // The comment continues on line 3 through the stored range state.
    EXPECT_TRUE(HasColor(image, Cell(4, 3).united(Cell(8, 3)), QColor(0, 0x80, 0)));
    // Background of the text area is the editor colour.
    EXPECT_EQ(image.pixelColor(Cell(30, 1).center()), QColor(255, 255, 255));
}

TEST_F(WidgetFixture, GutterAndMarginLine) {
    EXPECT_EQ(edit.GutterWidth(), 16 + 2 + 5 * edit.CharWidth() + 2);
    QImage image = Render(edit);
    // The gutter is button face with the two edge lines at its right.
    const QPalette& pal = edit.palette();
    EXPECT_EQ(image.pixel(2, 2), ColorToQColor(clBtnFace, pal).rgb());
    EXPECT_EQ(image.pixel(edit.GutterWidth() - 2, 5), ColorToQColor(clBtnHighlight, pal).rgb());
    EXPECT_EQ(image.pixel(edit.GutterWidth() - 1, 5), ColorToQColor(clBtnShadow, pal).rgb());
    // Line numbers put dark ink inside the digit field, none left of it.
    EXPECT_TRUE(HasDarkPixel(image, QRect(16, 0, 5 * edit.CharWidth(), edit.LineHeight())));
    EXPECT_FALSE(HasDarkPixel(image, QRect(0, 0, 14, edit.LineHeight())));

    edit.SetRightEdge(10);
    image = Render(edit);
    int x = edit.TextOffset() + 10 * edit.CharWidth();
    EXPECT_EQ(image.pixelColor(x, edit.LineHeight() * 5 + 3), QColor(0xC0, 0xC0, 0xC0));
    edit.SetRightEdge(0);
    image = Render(edit);
    EXPECT_NE(image.pixelColor(x, edit.LineHeight() * 5 + 3), QColor(0xC0, 0xC0, 0xC0));
}

TEST_F(WidgetFixture, SelectionColoursAndHideSelection) {
    QColor highlight = edit.palette().color(QPalette::Highlight);
    edit.SetBlockBegin({1, 1});
    edit.SetBlockEnd({4, 1});
    QImage image = Render(edit);
    EXPECT_TRUE(HasColor(image, Cell(2, 1), highlight));
    EXPECT_FALSE(HasColor(image, Cell(6, 1), highlight));

    edit.SetSelectionMode(smLine);
    image = Render(edit);
    EXPECT_EQ(image.pixelColor(Cell(40, 1).center()), highlight);  // whole line, past its end

    edit.SetHideSelection(true);  // the editor has no focus here
    image = Render(edit);
    EXPECT_FALSE(HasColor(image, Cell(2, 1), highlight));
}

TEST_F(WidgetFixture, BuiltInBookmarkPicturesShowInTheGutter) {
    edit.PlaceBookmark(3, 1, 2);
    QImage image = Render(edit);
    // The silver box of the built-in picture at the left margin of row 2.
    EXPECT_TRUE(HasColor(image, QRect(2, edit.LineHeight(), 11, edit.LineHeight()),
                         QColor(0xC0, 0xC0, 0xC0)));
    EXPECT_FALSE(HasColor(image, QRect(2, 2 * edit.LineHeight(), 11, edit.LineHeight()),
                          QColor(0xC0, 0xC0, 0xC0)));
}

TEST_F(WidgetFixture, KeysMoveTheCaretAndCaretShapeFollowsMode) {
    edit.show();
    edit.activateWindow();
    edit.setFocus();
    QApplication::processEvents();
    QTest::keyClick(&edit, Qt::Key_Down);
    QTest::keyClick(&edit, Qt::Key_End);
    EXPECT_EQ(edit.CaretXY(), (TBufferCoord{23, 2}));
    QTest::keyClick(&edit, Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(edit.SelAvail());
    QTest::keyClick(&edit, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(edit.CaretXY(), (TBufferCoord{2, 4}));
    EXPECT_FALSE(edit.SelAvail());

    ASSERT_TRUE(edit.hasFocus());
    EXPECT_TRUE(edit.CaretShown());
    EXPECT_EQ(edit.CaretRectangle().width(), 2);
    QTest::keyClick(&edit, Qt::Key_Insert);
    EXPECT_FALSE(edit.InsertMode());
    EXPECT_EQ(edit.CaretRectangle().width(), edit.CharWidth());
}

TEST_F(WidgetFixture, RescanStopsWhereRangeStatesAgree) {
    for (int i = 0; i < 50; ++i) edit.Lines().Add("int x;");
    const int last = edit.Lines().GetCount() - 1;
    edit.EnsureRanges(last);  // as once idle work has finished
    int32_t plain = edit.Lines().LineRange(30);
    edit.Lines().Put(4, "/* opened");
    // Every line after the opened comment now starts inside it.
    EXPECT_NE(edit.RangeStateAt(5), plain);
    EXPECT_NE(edit.RangeStateAt(last), plain);
    edit.Lines().Put(4, "closed();");
    EXPECT_EQ(edit.RangeStateAt(last), plain);
    edit.EnsureRanges(last);
    // A change that keeps the state rescans only that line.
    edit.Lines().SetLineRange(20, 77);  // a stale value that a rescan would overwrite
    edit.Lines().Put(10, "int y;");
    EXPECT_EQ(edit.Lines().LineRange(20), 77);
}

TEST(SynEditWidget, LongTextScrollsThroughTheScaledBarAndWheel) {
    TSynEdit edit;
    edit.resize(400, 300);
    std::vector<std::string> lines;
    for (int i = 0; i < 40000; ++i) lines.push_back("line " + std::to_string(i + 1));
    edit.Lines().AddStrings(lines);
    QScrollBar* bar = edit.verticalScrollBar();
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_LE(bar->maximum(), 32767);
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(edit.TopLine(), 40000 - edit.LinesInWindow() + 1);

    edit.SetTopLine(100);
    QPoint pos(50, 50);
    QWheelEvent down(pos, edit.mapToGlobal(pos), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(edit.viewport(), &down);
    EXPECT_EQ(edit.TopLine(), 100 + edit.LinesInWindow());
}

TEST(SynEditWidget, ThumbSitsAtTheBottomAtTheLastLineOfVeryLongTexts) {
    for (const int count : {70000, 2400000}) {
        TSynEdit edit;
        edit.resize(400, 300);
        edit.show();
        edit.setFocus();
        edit.Lines().AddStrings(std::vector<std::string>(static_cast<std::size_t>(count), "x"));
        QTest::keyClick(&edit, Qt::Key_End, Qt::ControlModifier);
        ASSERT_EQ(edit.CaretXY().Line, count);
        const QScrollBar* bar = edit.verticalScrollBar();
        EXPECT_GE(bar->value(), bar->maximum() - 1) << count;
        EXPECT_GT(edit.VerticalScrollBar().Position, 32700) << count;
    }
}

}  // namespace

namespace {

// The widget hears status changes for its edit actions; an OnStatusChange handler attached
// later still receives what was reported before it existed.
TEST(SynEditWidgetStatus, ChangesStayPendingUntilAHandlerIsAttached) {
    TSynEdit edit;
    edit.resize(300, 200);
    edit.Lines().Add("abc");
    edit.Lines().Add("def");
    edit.SetCaretXY({2, 1});
    EXPECT_EQ(edit.PendingStatusChanges() & stCaretX, stCaretX);
    std::vector<TSynStatusChanges> reports;
    edit.OnStatusChange = [&](TCustomSynEdit*, TSynStatusChanges c) { reports.push_back(c); };
    edit.SetCaretXY({2, 2});
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0] & (stCaretX | stCaretY), stCaretX | stCaretY);
    EXPECT_EQ(edit.PendingStatusChanges(), 0);
}

}  // namespace

// Whether Paste is possible is asked after every caret move and kept between questions; it
// follows every change of the clipboard, ours and another program's, all the same.
TEST(SynEditWidgetClipboard, PasteFollowsTheClipboardBetweenQuestions) {
    QClipboard* system = QGuiApplication::clipboard();
    TSynEdit edit;
    edit.Lines().Add("abc");
    system->clear();
    EXPECT_FALSE(edit.CanPaste());
    EXPECT_FALSE(edit.CanPaste());
    system->setText("from another program");
    EXPECT_TRUE(edit.CanPaste());
    system->clear();
    EXPECT_FALSE(edit.CanPaste());
    // A copy of ours carries the block format.
    edit.SetCaretXY({1, 1});
    QTest::keyClick(&edit, Qt::Key_End, Qt::ShiftModifier);
    edit.Copy();
    EXPECT_TRUE(edit.CanPaste());
    EXPECT_TRUE(system->mimeData()->hasFormat(kSynBlockMimeType));
    system->clear();
    EXPECT_FALSE(edit.CanPaste());
}
