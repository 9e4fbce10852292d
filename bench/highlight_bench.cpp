// Highlighting throughput: every line of the 100 MB reference file is scanned the way the editor
// does it (range state of the previous line, StartLine, tokens to the line end, range state
// stored per line).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "highlight/syn_cpp_syn.h"
#include "highlight_all_lines.h"
#include "reference_input.h"

namespace {

struct ReferenceLines {
    std::string text;
    std::vector<std::string_view> lines;
};

const ReferenceLines& LoadReferenceLines() {
    static const ReferenceLines data = [] {
        ReferenceLines result;
        std::ifstream file(ReferenceFilePath(), std::ios::binary);
        std::ostringstream buffer;
        buffer << file.rdbuf();
        result.text = buffer.str();
        std::string_view rest = result.text;
        while (!rest.empty()) {
            std::size_t end = rest.find('\n');
            std::string_view line = rest.substr(0, end);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            result.lines.push_back(line);
            rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        }
        return result;
    }();
    return data;
}

void BM_HighlightAllLines(benchmark::State& state) {
    const ReferenceLines& input = LoadReferenceLines();
    TSynCppSyn cppSyn;  // driven through the highlighter interface, as the editor does
    HighlightAllLines(state, cppSyn, input.lines, input.text.size());
}
BENCHMARK(BM_HighlightAllLines)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
