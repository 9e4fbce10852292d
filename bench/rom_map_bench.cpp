// The ROM Map after a build of the largest card: reading a 2.5 MB image from the disk, finding
// each bank's free runs and painting the panel's rows, as the panel does when a build ends.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QImage>
#include <QPainter>
#include <cstdio>
#include <fstream>
#include <string>

#include "qt_application.h"
#include "rom/qt/rom_map_view.h"
#include "rom/rom_layout.h"

namespace {

std::string WriteLargestImage() {
    std::string image;
    image.reserve(kLargestCardSize);
    for (std::uint64_t bank = 0; bank < kLargestCardSize / kRomBankSize; ++bank) {
        // Code and tables of varying length, a gap of zeros inside, the fill at the end.
        const std::uint32_t used = static_cast<std::uint32_t>(1000 + bank * 97 % 7000);
        for (std::uint32_t i = 0; i < kRomBankSize; ++i) {
            char byte = '\xFF';
            if (i < used) byte = (i >= 300 && i < 900) ? '\0' : static_cast<char>(i * 7 + bank);
            image += byte;
        }
    }
    const std::string path = "/tmp/quillon-bench-" + std::to_string(::getpid()) + ".pce";
    std::ofstream(path, std::ios::binary) << image;
    return path;
}

void BM_RomMapLoadAndDraw(benchmark::State& state) {
    EnsureQtApplication();
    const std::string path = WriteLargestImage();
    TRomMapView view;
    view.resize(420, 600);
    QImage picture(view.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        view.SetLayout(LoadRomLayout(path));
        view.resize(420, 600);
        view.render(&picture);
        benchmark::DoNotOptimize(picture.bits());
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_RomMapLoadAndDraw)->Unit(benchmark::kMillisecond);

}  // namespace
