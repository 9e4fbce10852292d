// Full-page repaint through the text drawer: 60 lines of 200 columns of highlighted C, drawn as
// about eight runs of equal colour and style per line into an image of the page's size.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <string>
#include <vector>

#include "editor/qt/text_drawer.h"
#include "qt_application.h"

namespace {

struct Run {
    int start;
    int length;
    std::uint8_t style;
    std::uint32_t fore;
    std::uint32_t back;
};

constexpr int Columns = 200;
constexpr int Lines = 60;

// One line of C with the runs a highlighter would give it: keyword, identifier, symbols,
// numbers, a string and a trailing comment.
std::string MakeLine(int n) {
    std::string line = "    static int value_" + std::to_string(n) + " = compute(table[" +
                       std::to_string(n * 7 % 97) + "], \"text of line " + std::to_string(n) +
                       "\", 0x" + std::to_string(1000 + n) + ");  /* ";
    while (static_cast<int>(line.size()) < Columns - 3) line += "comment words ";
    line.resize(Columns - 3);
    line += " */";
    return line;
}

std::vector<Run> MakeRuns(const std::string& line) {
    // Run boundaries at the token classes of MakeLine.
    const int kw = 4, kwEnd = 14, ident = static_cast<int>(line.find('='));
    const int str = static_cast<int>(line.find('"'));
    const int strEnd = static_cast<int>(line.find('"', str + 1)) + 1;
    const int num = static_cast<int>(line.find("0x"));
    const int comment = static_cast<int>(line.find("/*"));
    const int bracket = static_cast<int>(line.find('['));
    return {
        {0, kw, 0, 0x000000, 0xFFFFFF},
        {kw, kwEnd - kw, 1, 0x800000, 0xFFFFFF},
        {kwEnd, ident - kwEnd, 0, 0x000000, 0xFFFFFF},
        {ident, bracket - ident, 0, 0x008000, 0xFFFFFF},
        {bracket, str - bracket, 0, 0x0000FF, 0xFFFFFF},
        {str, strEnd - str, 0, 0x800080, 0xFFFFFF},
        {strEnd, num - strEnd, 0, 0x000000, 0xFFFFFF},
        {num, comment - num, 0, 0x008080, 0xFFFFFF},
        {comment, Columns - comment, 2, 0x808080, 0xFFFFFF},
    };
}

void DrawPage(benchmark::State& state, const char* fontName) {
    EnsureQtApplication();
    TSynFont font;
    font.Name = fontName;
    font.Height = -13;
    TheTextDrawer drawer(TSynFont::fsBold, &font);
    drawer.SetBaseStyle(TSynFont::fsItalic);
    const int lineHeight = drawer.CharHeight();
    drawer.SetBaseStyle(TSynFont::fsBold);
    const int w = drawer.CharWidth();
    const int gutter = 32;
    QImage image(gutter + Columns * w, Lines * lineHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);

    std::vector<std::string> lines;
    std::vector<std::vector<Run>> runs;
    for (int n = 0; n < Lines; ++n) {
        lines.push_back(MakeLine(n));
        runs.push_back(MakeRuns(lines.back()));
    }
    long long calls = 0;
    for (auto _ : state) {
        QPainter painter(&image);
        drawer.BeginDrawing(&painter);
        for (int n = 0; n < Lines; ++n) {
            const int y = n * lineHeight;
            for (const Run& run : runs[n]) {
                drawer.SetStyle(run.style);
                drawer.SetForeColor(run.fore);
                drawer.SetBackColor(run.back);
                const int x = gutter + run.start * w;
                const QRect rect(x, y, run.length * w, lineHeight);
                drawer.DrawTextGrid(x, y, TheTextDrawer::ETO_OPAQUE | TheTextDrawer::ETO_CLIPPED,
                                    rect, lines[n].data() + run.start, run.length);
                ++calls;
            }
        }
        drawer.EndDrawing();
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["runs_per_page"] =
        benchmark::Counter(static_cast<double>(calls) / static_cast<double>(state.iterations()));
}

void BM_TextDrawerPage_CourierNew(benchmark::State& state) {
    DrawPage(state, "Courier New");
}
void BM_TextDrawerPage_Arial(benchmark::State& state) {
    DrawPage(state, "Arial");
}

}  // namespace

BENCHMARK(BM_TextDrawerPage_CourierNew)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextDrawerPage_Arial)->Unit(benchmark::kMillisecond);
