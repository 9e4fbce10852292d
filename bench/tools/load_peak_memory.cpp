// Peak memory of loading a file into the line buffer, measured in a fresh process because the
// high-water mark of resident memory cannot be reset. Usage: quillon_load_peak_memory [FILE];
// without a file the 100 MB reference file is generated first and measured by a new process.
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "../reference_input.h"
#include "editor/string_list.h"

namespace {

double PeakResidentMegabytes() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;  // kilobytes on Linux
}

}  // namespace

int main(int argc, char** argv) {
    try {
        if (argc < 2) {
            // Generating the text holds it in memory, so the measurement runs in a new process.
            const std::string path = ReferenceFilePath();
            ::execl("/proc/self/exe", argv[0], path.c_str(), static_cast<char*>(nullptr));
            std::perror("exec");
            return 1;
        }
        const double fileMegabytes = std::filesystem::file_size(argv[1]) / 1e6;
        const double before = PeakResidentMegabytes();
        const auto start = std::chrono::steady_clock::now();
        TSynEditStringList list;
        list.LoadFromFile(argv[1]);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double peak = PeakResidentMegabytes();
        std::printf("file %.1f MB, %d lines, load %.0f ms\n", fileMegabytes, list.GetCount(),
                    seconds * 1000);
        std::printf("peak resident %.1f MB (%.1f MB before loading), %.2f x file size\n", peak,
                    before, peak * 1.048576 / fileMegabytes);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
