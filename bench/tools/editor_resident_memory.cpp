// Resident memory of the process with a file open in an editor control and its first page
// painted, measured in a fresh process. Usage: quillon_editor_resident_memory [FILE]; without
// a file the 100 MB reference file is generated first and measured by a new process.
#include <unistd.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>

#include "../reference_input.h"
#include "editor/qt/synedit.h"
#include "editor/string_list.h"
#include "highlight/cpp_color_schemes.h"
#include "highlight/syn_cpp_syn.h"

namespace {

double ResidentMegabytes() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            double kilobytes = 0;
            status >> kilobytes;
            return kilobytes / 1024.0;
        }
        status.ignore(1 << 16, '\n');
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        if (argc < 2) {
            const std::string path = ReferenceFilePath();
            ::execl("/proc/self/exe", argv[0], path.c_str(), static_cast<char*>(nullptr));
            std::perror("exec");
            return 1;
        }
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        int qtArgc = 1;
        QApplication app(qtArgc, argv);
        const double fileMegabytes = std::filesystem::file_size(argv[1]) / 1048576.0;
        TSynCppSyn highlighter;
        ApplyDocumentWindowColors(highlighter);
        TSynEdit edit;
        edit.SetHighlighter(&highlighter);
        edit.resize(1200, 900);
        edit.setAttribute(Qt::WA_DontShowOnScreen);
        edit.show();
        // The surface the page is painted on stands for the window's own, which exists before
        // any file is opened.
        QImage image(edit.viewport()->size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        const double before = ResidentMegabytes();
        const auto start = std::chrono::steady_clock::now();
        edit.Lines().LoadFromFile(argv[1]);
        {
            QPainter painter(&image);
            edit.PaintTo(painter, image.rect());
        }
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double resident = ResidentMegabytes();
        std::printf("file %.1f MiB, %d lines, open and first paint %.0f ms\n", fileMegabytes,
                    edit.Lines().GetCount(), seconds * 1000);
        std::printf("resident %.1f MiB with the file open (%.1f MiB before), %.2f x file size\n",
                    resident, before, resident / fileMegabytes);
        // What opening the file added: the process before it (libraries, fonts, the window's
        // paint surface) is a fixed cost of any window.
        std::printf("the open document adds %.1f MiB, %.2f x file size\n", resident - before,
                    (resident - before) / fileMegabytes);
        // Once every range state is computed, as after idle work.
        edit.EnsureRanges(edit.Lines().GetCount() - 1);
        std::printf("resident %.1f MiB once all range states are computed, %.2f x file size\n",
                    ResidentMegabytes(), ResidentMegabytes() / fileMegabytes);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
