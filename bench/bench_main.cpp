// Entry point of the benchmark program. `quillon_bench --reference-file [BYTES]` writes the
// reference input file (when it is not there yet) and prints its path, so the comparison script
// times the reference commands on exactly the text the benchmarks use; `--reference-tree` does the
// same for the generated project tree; any other arguments go to Google Benchmark.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

#include "reference_input.h"

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "--reference-file") == 0) {
        try {
            std::size_t bytes = argc >= 3 ? std::strtoull(argv[2], nullptr, 10) : 100'000'000;
            std::puts(ReferenceFilePath(bytes).c_str());
            return 0;
        } catch (const std::exception& error) {
            std::fprintf(stderr, "%s\n", error.what());
            return 1;
        }
    }
    if (argc >= 2 && std::strcmp(argv[1], "--reference-tree") == 0) {
        try {
            std::puts(ReferenceTreePath().c_str());
            return 0;
        } catch (const std::exception& error) {
            std::fprintf(stderr, "%s\n", error.what());
            return 1;
        }
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
