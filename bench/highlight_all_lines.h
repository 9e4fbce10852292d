// Scanning every line of a text the way the editor does it (range state of the previous line,
// StartLine, tokens to the line end, range state stored per line), shared by the highlighting
// throughput benchmarks.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "highlight/syn_custom_highlighter.h"

inline void HighlightAllLines(benchmark::State& state, TSynCustomHighlighter& highlighter,
                              const std::vector<std::string_view>& lines, std::size_t textBytes) {
    std::vector<std::int32_t> ranges(lines.size());
    std::size_t tokens = 0;
    for (auto _ : state) {
        tokens = 0;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (i == 0)
                highlighter.ResetRangeState();
            else
                highlighter.SetRangeState(ranges[i - 1]);
            highlighter.StartLine(lines[i], static_cast<int>(i));
            while (!highlighter.AtLineEnd()) {
                benchmark::DoNotOptimize(highlighter.TokenKind());
                ++tokens;
                highlighter.NextToken();
            }
            ranges[i] = highlighter.RangeState();
        }
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(textBytes));
    state.counters["lines"] = static_cast<double>(lines.size());
    state.counters["tokens"] = static_cast<double>(tokens);
}
