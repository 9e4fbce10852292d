// The Tile Preview after a change in a 64 KB tile table (2,048 tiles) typed as C: reading the
// table around the caret, and decoding and drawing its tiles, as the panel does after a pause;
// and the same tiles typed as hex rows of 32 bits, and a palette-sized table of macro calls
// grown to 32,768 entries.
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

// 2,048 tiles of 8 rows, one 32-bit value of 8 hex digits a row.
std::vector<std::string> PackedRowLines() {
    std::vector<std::string> lines{"const unsigned long tile_rows[2048][8] = {"};
    char value[24];
    for (int tile = 0; tile < 2048; ++tile) {
        std::string line = "    {";
        for (int row = 0; row < 8; ++row) {
            std::snprintf(value, sizeof value, "0x%08XUL, ",
                          static_cast<unsigned>((tile * 8 + row) * 2654435761u));
            line += value;
        }
        lines.push_back(line + "},");
    }
    lines.emplace_back("};");
    return lines;
}

std::vector<std::string> MacroCallLines() {
    std::vector<std::string> lines{"#define RGB(r, g, b) (((g) << 6) | ((r) << 3) | (b))",
                                   "const unsigned palette[] = {"};
    char value[32];
    for (int row = 0; row < 32768 / 8; ++row) {
        std::string line = "   ";
        for (int i = 0; i < 8; ++i) {
            const int v = row * 8 + i;
            std::snprintf(value, sizeof value, " RGB(%d, %d, %d),", v & 7, (v >> 3) & 7,
                          (v >> 6) & 7);
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

void BM_TileTableParse64KPackedRows(benchmark::State& state) {
    const std::vector<std::string> lines = PackedRowLines();
    for (auto _ : state) benchmark::DoNotOptimize(ReadTable(lines).Values.size());
}
BENCHMARK(BM_TileTableParse64KPackedRows)->Unit(benchmark::kMillisecond);

void BM_TileTableParseMacroCalls32K(benchmark::State& state) {
    const std::vector<std::string> lines = MacroCallLines();
    for (auto _ : state) benchmark::DoNotOptimize(ReadTable(lines).Values.size());
}
BENCHMARK(BM_TileTableParseMacroCalls32K)->Unit(benchmark::kMillisecond);

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
