// Far into a long line the view paints what it paints at the line's start: a line scrolled to a
// column beyond 2^16, 2^24 and 2^26 shows the same pixels, caret included, as a line holding only
// the text shown, at column 1. Pixel places are counted from the first column shown, so no
// coordinate grows with the column.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <string>

#include "editor/qt/synedit.h"
#include "editor/string_list.h"
#include "highlight/cpp_color_schemes.h"
#include "highlight/syn_cpp_syn.h"

namespace {

struct View {
    TSynCppSyn highlighter;
    TSynEdit edit;

    explicit View(const std::string& line) {
        ApplyDocumentWindowColors(highlighter);
        edit.SetHighlighter(&highlighter);
        edit.Gutter().SetShowLineNumbers(true);
        edit.resize(420, 120);
        edit.show();
        edit.Lines().Add(line);
        QApplication::processEvents();
    }
    // The text area as a fresh paint draws it.
    QImage TextArea() {
        QImage image(edit.viewport()->size(), QImage::Format_RGB32);
        QPainter painter(&image);
        edit.PaintTo(painter, image.rect());
        painter.end();
        const int gutter = edit.GutterWidth();
        return image.copy(gutter, 0, image.width() - gutter, image.height());
    }
};

TEST(FarColumnPaint, ALineScrolledFarPaintsAsItsShownTextAtColumnOne) {
    // Comment, string, keyword and number tokens in view, after a run of blanks and code.
    const std::string tail = "int far = 0x1F; /* note */ s = \"text\"; // end";
    for (const int column : {1 << 16, 1 << 24, 1 << 26}) {
        SCOPED_TRACE(column);
        std::string line;
        line.reserve(static_cast<std::size_t>(column) + tail.size());
        for (int i = 0; line.size() + 12 < static_cast<std::size_t>(column) - 1; ++i)
            line += "a = b + c;  ";
        line.resize(static_cast<std::size_t>(column) - 1, ' ');
        line += tail;
        View far(line);
        far.edit.SetLeftChar(column);
        const int left = far.edit.LeftChar();
        ASSERT_GT(left, column - far.edit.CharsInWindow());
        far.edit.SetCaretXY({left + 7, 1});
        // What the far view shows, as a line of its own.
        View near(line.substr(static_cast<std::size_t>(left) - 1));
        near.edit.SetLeftChar(1);
        near.edit.SetCaretXY({8, 1});
        ASSERT_EQ(near.edit.LeftChar(), 1);
        EXPECT_EQ(far.edit.CaretXY().Char - far.edit.LeftChar(),
                  near.edit.CaretXY().Char - near.edit.LeftChar());
        const QImage shown = near.TextArea();
        // Text in several colours is shown, not an empty view.
        QSet<QRgb> colours;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) colours.insert(shown.pixel(x, y));
        EXPECT_GT(colours.size(), 8);
        EXPECT_TRUE(far.TextArea() == shown);
    }
}

}  // namespace
