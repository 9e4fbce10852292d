// The Tile Preview after a change in a 64 KB tile table (2,048 tiles) typed as C: reading the
// table around the caret, and decoding and drawing its tiles, as the panel does after a pause.
#include <benchmark/benchmark.h>

#include <QImage>
#include <cstdio>
#include <string>
#include <vector>

#include "qt_application.h"
#include "rom/byte_table.h"
#include "rom/qt/tile_view.h"

namespace {

std::vector<std::string> TableLines() {
    std::vector<std::string> lines{"const unsigned char tiles[] = {"};
    char value[8];
    for (int row = 0; row < 65536 / 16; ++row) {
        std::string line = "   ";
        for (int i = 0; i < 16; ++i) {
            std::snprintf(value, sizeof value, " 0x%02X,", (row * 16 + i) * 37 & 0xFF);
            line += value;
        }
        lines.push_back(line);
    }
    lines.emplace_back("};");
    return lines;
}

TByteTable ReadTable(const std::vector<std::string>& lines) {
    return FindByteTable([&lines](int i) { return std::string_view(lines[i]); },
                         static_cast<int>(lines.size()), 2000, 10);
}

void BM_TileTableParse64K(benchmark::State& state) {
    const std::vector<std::string> lines = TableLines();
    for (auto _ : state) benchmark::DoNotOptimize(ReadTable(lines).Values.size());
}
BENCHMARK(BM_TileTableParse64K)->Unit(benchmark::kMillisecond);

void BM_TilePreviewRedraw64K(benchmark::State& state) {
    EnsureQtApplication();
    const std::vector<std::uint8_t> bytes = ReadTable(TableLines()).Bytes();
    TTileView view;
    view.SetColumns(32);
    view.SetZoom(2);
    QImage picture(QSize(32 * 8 * 2, 600), QImage::Format_RGB32);
    for (auto _ : state) {
        view.SetBytes(bytes);
        view.render(&picture);
        benchmark::DoNotOptimize(picture.bits());
    }
}
BENCHMARK(BM_TilePreviewRedraw64K)->Unit(benchmark::kMillisecond);

}  // namespace
