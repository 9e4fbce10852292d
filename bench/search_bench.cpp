// Search engine benchmarks on the 100 MB reference text.
#include <benchmark/benchmark.h>

#include <string>
#include <string_view>
#include <vector>

#include "reference_input.h"
#include "search/syn_edit_search.h"

namespace {

// The reference text split into lines once for all benchmarks of this file.
const std::vector<std::string_view>& ReferenceLines() {
    static const std::string text = GenerateReferenceText(100'000'000);
    static const std::vector<std::string_view> lines = [] {
        std::vector<std::string_view> result;
        result.reserve(text.size() / 32);
        std::string_view rest = text;
        while (!rest.empty()) {
            std::size_t lineEnd = rest.find('\n');
            if (lineEnd == std::string_view::npos) lineEnd = rest.size();
            result.push_back(rest.substr(0, lineEnd));
            rest.remove_prefix(lineEnd == rest.size() ? lineEnd : lineEnd + 1);
        }
        return result;
    }();
    return lines;
}

// Case-insensitive scan of every line for an 8-character pattern, as the editor's search
// over a whole file does it.
void BM_ScanLineAllLines(benchmark::State& state) {
    const auto& lines = ReferenceLines();
    TSynEditSearch search;
    search.AssignPattern("PUT_STRI");
    search.SetMatchCase(false);
    std::size_t bytes = 0;
    for (std::string_view line : lines) bytes += line.size() + 1;
    long matches = 0;
    for (auto _ : state) {
        matches = 0;
        for (std::string_view line : lines) matches += search.ScanLine(line);
        benchmark::DoNotOptimize(matches);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes * state.iterations()));
    state.counters["matches"] = static_cast<double>(matches);
    state.counters["lines"] = static_cast<double>(lines.size());
}
BENCHMARK(BM_ScanLineAllLines)->Unit(benchmark::kMillisecond);

}  // namespace
