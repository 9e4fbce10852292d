// Text drawer output checked on pixels: grid placement with a proportional font, background
// filling, clipping, plain output, the distance array and the drawing nesting checks.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <cstring>
#include <vector>

#include "editor/qt/text_drawer.h"
#include "editor/qt/text_drawer_errors.h"

namespace {

constexpr std::uint32_t Black = 0x000000;
constexpr std::uint32_t White = 0xFFFFFF;
constexpr std::uint32_t Red = 0x0000FF;  // red in the low byte

TSynFont Font(const char* name, int height = -13) {
    TSynFont f;
    f.Name = name;
    f.Height = height;
    return f;
}

bool Dark(QRgb p) {
    return qGray(p) < 160;
}

// Column ranges [first, last] that hold ink, rows 0..height-1.
std::vector<std::pair<int, int>> InkSegments(const QImage& image) {
    std::vector<std::pair<int, int>> result;
    bool inside = false;
    for (int x = 0; x < image.width(); ++x) {
        bool ink = false;
        for (int y = 0; y < image.height() && !ink; ++y) ink = Dark(image.pixel(x, y));
        if (ink && !inside) result.push_back({x, x});
        if (ink) result.back().second = x;
        inside = ink;
    }
    return result;
}

int LastInkColumn(const QImage& image) {
    const auto segments = InkSegments(image);
    return segments.empty() ? -1 : segments.back().second;
}

struct Canvas {
    explicit Canvas(int w, int h, QColor fill = Qt::white) : image(w, h, QImage::Format_RGB32) {
        image.fill(fill);
    }
    QImage image;
};

void DrawGrid(TheTextDrawer& d, QImage& image, int x, unsigned options, const QRect& rect,
              const char* text, std::uint8_t style = 0) {
    QPainter painter(&image);
    d.BeginDrawing(&painter);
    d.SetStyle(style);
    d.SetForeColor(Black);
    d.SetBackColor(White);
    d.DrawTextGrid(x, 0, options, rect, text);
    d.EndDrawing();
}

TEST(TextDrawer, ProportionalFontKeepsEveryCharacterInItsCell) {
    const TSynFont arial = Font("Arial", -16);
    TheTextDrawer d(TSynFont::fsBold, &arial);
    const int w = d.CharWidth();
    const TheFontHandle* plain = d.FontStock().FontHandle();
    ASSERT_LT(plain->Advance('i') * 2, plain->Advance('W')) << "the font must be proportional";
    for (std::uint8_t style : {std::uint8_t{0}, TSynFont::fsBold}) {
        Canvas c(12 * w, d.CharHeight());
        const int x0 = 3;
        DrawGrid(d, c.image, x0, TheTextDrawer::ETO_OPAQUE, c.image.rect(), "i W i W", style);
        const auto ink = InkSegments(c.image);
        ASSERT_EQ(ink.size(), 4u) << "style " << int(style);
        // Narrow and wide characters both start in their own cells (0, 2, 4, 6) ...
        for (int k = 0; k < 4; ++k) {
            EXPECT_GE(ink[k].first, x0 + 2 * k * w) << k;
            EXPECT_LT(ink[k].first, x0 + (2 * k + 1) * w) << k;
        }
        // ... and equal characters four cells apart are exactly four cell widths apart.
        EXPECT_EQ(ink[2].first - ink[0].first, 4 * w);
        EXPECT_EQ(ink[3].first - ink[1].first, 4 * w);
    }
}

TEST(TextDrawer, UnderlineSpansBlanks) {
    const TSynFont courier = Font("Courier New", -16);
    TheTextDrawer d(0, &courier);
    const int w = d.CharWidth();
    Canvas c(8 * w, d.CharHeight());
    DrawGrid(d, c.image, 0, TheTextDrawer::ETO_OPAQUE, c.image.rect(), "a    ",
             TSynFont::fsUnderline);
    bool ink = false;
    for (int y = 0; y < c.image.height(); ++y) ink = ink || Dark(c.image.pixel(3 * w, y));
    EXPECT_TRUE(ink) << "the underline runs through the spaces";
}

TEST(TextDrawer, PlainOutputUsesNaturalAdvances) {
    const TSynFont arial = Font("Arial", -16);
    TheTextDrawer d(TSynFont::fsBold, &arial);
    Canvas c(20 * d.CharWidth(), d.CharHeight());
    QPainter painter(&c.image);
    d.BeginDrawing(&painter);
    d.SetForeColor(Black);
    d.SetBackColor(White);
    d.DrawText(0, 0, "iiii", 4);
    d.EndDrawing();
    EXPECT_LT(LastInkColumn(c.image), 3 * d.CharWidth());
}

TEST(TextDrawer, OpaqueFillsTheRectangleWithTheBackground) {
    const TSynFont courier = Font("Courier New");
    TheTextDrawer d(0, &courier);
    Canvas c(100, 30, Qt::green);
    const QRect rect(10, 5, 40, 20);
    {
        QPainter painter(&c.image);
        d.BeginDrawing(&painter);
        d.SetBackColor(Red);
        d.DrawTextGrid(10, 5, TheTextDrawer::ETO_OPAQUE | TheTextDrawer::ETO_CLIPPED, rect, "  ");
        d.EndDrawing();
    }
    EXPECT_EQ(c.image.pixel(10, 5), qRgb(255, 0, 0));
    EXPECT_EQ(c.image.pixel(49, 24), qRgb(255, 0, 0));
    EXPECT_EQ(c.image.pixel(50, 10), qRgb(0, 255, 0));
    EXPECT_EQ(c.image.pixel(9, 10), qRgb(0, 255, 0));
    EXPECT_EQ(c.image.pixel(20, 25), qRgb(0, 255, 0));

    // System colours resolve through the palette.
    {
        QPainter painter(&c.image);
        d.BeginDrawing(&painter);
        d.SetBackColor(TheTextDrawer::clWindow);
        d.DrawTextGrid(0, 0, TheTextDrawer::ETO_OPAQUE, QRect(0, 0, 5, 5), "", 0);
        d.EndDrawing();
    }
    EXPECT_EQ(c.image.pixel(2, 2), QGuiApplication::palette().color(QPalette::Base).rgb());
}

TEST(TextDrawer, ClippedOutputStaysInsideTheRectangle) {
    const TSynFont courier = Font("Courier New", -20);
    TheTextDrawer d(0, &courier);
    const int w = d.CharWidth();
    const int h = d.CharHeight();
    Canvas clipped(6 * w, h);
    const QRect rect(0, 0, 2 * w, h / 2);
    DrawGrid(d, clipped.image, 0, TheTextDrawer::ETO_CLIPPED, rect, "WWWW");
    EXPECT_LE(LastInkColumn(clipped.image), 2 * w - 1);
    for (int y = h / 2; y < h; ++y)
        for (int x = 0; x < clipped.image.width(); ++x)
            ASSERT_FALSE(Dark(clipped.image.pixel(x, y))) << x << "," << y;

    Canvas unclipped(6 * w, h);
    DrawGrid(d, unclipped.image, 0, 0, rect, "WWWW");
    EXPECT_GT(LastInkColumn(unclipped.image), 3 * w);

    // The background of an opaque clipped call stays inside the rectangle as well.
    Canvas filled(6 * w, h);
    {
        QPainter painter(&filled.image);
        d.BeginDrawing(&painter);
        d.SetBackColor(Red);
        d.DrawTextGrid(0, 0, TheTextDrawer::ETO_OPAQUE | TheTextDrawer::ETO_CLIPPED, rect, "    ");
        d.EndDrawing();
    }
    EXPECT_EQ(filled.image.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(filled.image.pixel(3 * w, 0), qRgb(255, 255, 255));
}

TEST(TextDrawer, DistanceArrayGrowsInStepsOf64AndSurvivesTheSameBaseStyle) {
    const TSynFont courier = Font("Courier New");
    TheTextDrawer d(TSynFont::fsBold, &courier);
    Canvas c(10, 10);
    QPainter painter(&c.image);
    d.BeginDrawing(&painter);
    const std::string text(200, 'x');
    EXPECT_EQ(d.DistancesLength(), 0);
    d.DrawTextGrid(0, 0, 0, c.image.rect(), text.data(), 10);
    EXPECT_EQ(d.DistancesLength(), 64);
    d.DrawTextGrid(0, 0, 0, c.image.rect(), text.data(), 64);
    EXPECT_EQ(d.DistancesLength(), 128);
    d.DrawTextGrid(0, 0, 0, c.image.rect(), text.data(), 100);
    EXPECT_EQ(d.DistancesLength(), 128);
    d.SetBaseStyle(TSynFont::fsBold);
    d.SetCharExtra(1);
    EXPECT_EQ(d.DistancesLength(), 128);
    d.SetBaseStyle(0);
    EXPECT_EQ(d.DistancesLength(), 0);
    d.EndDrawing();
}

TEST(TextDrawer, DrawingNestsOnOnePainterAndRestoresItsState) {
    const TSynFont courier = Font("Courier New");
    TheTextDrawer d(0, &courier);
    Canvas c(10, 10);
    Canvas other(10, 10);
    QPainter painter(&c.image);
    QPainter otherPainter(&other.image);
    painter.setPen(Qt::blue);
    d.BeginDrawing(&painter);
    d.BeginDrawing(&painter);
    d.SetForeColor(Red);
    EXPECT_THROW(d.BeginDrawing(&otherPainter), ETextDrawerAssertion);
    d.EndDrawing();
    EXPECT_EQ(d.Painter(), &painter);
    d.EndDrawing();
    EXPECT_EQ(d.Painter(), nullptr);
    EXPECT_EQ(painter.pen().color(), QColor(Qt::blue));
    EXPECT_THROW(d.EndDrawing(), ETextDrawerAssertion);
    EXPECT_THROW(d.BeginDrawing(nullptr), ETextDrawerAssertion);
}

}  // namespace

namespace {

// Pieces of a line side by side in several colours and styles, one of them clipped into a
// narrower cell range, then a fill and a line across them, as the text-area painter draws.
QImage PaintPieces(bool hold) {
    TSynFont font = Font("DejaVu Sans Mono");
    TheTextDrawer drawer(0, &font);
    Canvas canvas(400, 40);
    QPainter painter(&canvas.image);
    drawer.BeginDrawing(&painter);
    if (hold) drawer.HoldGlyphs();
    const int cw = drawer.CharWidth();
    const unsigned options = TheTextDrawer::ETO_OPAQUE | TheTextDrawer::ETO_CLIPPED;
    struct Piece {
        const char* text;
        std::uint32_t fg, bg;
        std::uint8_t style;
        int clipCells;  // cells of the piece inside its rectangle
    };
    const Piece pieces[] = {{"int ", Black, White, 1, 4},   {"far", Red, White, 0, 3},
                            {" = ", Black, 0xE0E0E0, 0, 3}, {"0x1F", Red, White, 2, 2},
                            {"; W", 0x008000, White, 1, 3}, {"int", Black, White, 1, 3}};
    int x = 2;
    for (const Piece& piece : pieces) {
        drawer.SetForeColor(piece.fg);
        drawer.SetBackColor(piece.bg);
        drawer.SetStyle(piece.style);
        const int cells = static_cast<int>(std::strlen(piece.text));
        drawer.DrawTextGrid(x, 4, options, QRect(x, 4, piece.clipCells * cw, 16), piece.text);
        x += cells * cw;
    }
    drawer.FlushGlyphs();
    painter.fillRect(QRect(x, 0, 400 - x, 40), Qt::yellow);
    drawer.DrawTextGrid(x + 4, 20, options, QRect(x + 4, 20, 5 * cw, 16), "after");
    drawer.EndDrawing();
    return canvas.image;
}

}  // namespace

TEST(TextDrawer, HeldGlyphsDrawTheSamePixelsAsGlyphsDrawnAtOnce) {
    const QImage held = PaintPieces(true);
    EXPECT_GT(InkSegments(held).size(), 8u);
    EXPECT_TRUE(held == PaintPieces(false));
}
