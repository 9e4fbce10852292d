// Reading the messages of a large tool output, as the first F4 after a build does: 10 MB of
// output in the output panel's line buffer, 100,000 of its lines messages (each followed by the
// source line and caret line that assemblers print), the rest lines that only look like them.
#include <benchmark/benchmark.h>

#include <string>

#include "editor/string_list.h"
#include "toolrun/tool_messages.h"

namespace {

std::string GenerateOutput() {
    std::string text;
    text.reserve(11'000'000);
    for (int i = 0; i < 100'000; ++i) {
        const std::string line = std::to_string(i % 5000 + 1);
        switch (i % 3) {
            case 0:
                text += "src/sprites and tiles/game.asm:" + line + ":13: error: not defined " +
                        "symbol 'nowhere_" + std::to_string(i) + "'\n";
                break;
            case 1:
                text += "C:\\games\\shooter\\game.c(" + line + "): Warning: Parameter 'a' " +
                        "is never used in this function\n";
                break;
            default:
                text += "In file included from main.c:" + line + ":\n";
                break;
        }
        text += "         sta nowhere ; 12:30:45\n";
        text += "             ^\n";
    }
    return text;
}

void BM_ParseToolMessages(benchmark::State& state) {
    TSynEditStringList lines;
    const std::string text = GenerateOutput();
    // Through the buffer's own reader, the way the panel holds the output.
    std::string_view rest = text;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        lines.Add(rest.substr(0, end));
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    }
    TToolMessageList list;
    for (auto _ : state) {
        list.Parse(lines.GetCount(), [&lines](int i) { return lines.GetView(i); });
        benchmark::DoNotOptimize(list.Count());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
    state.counters["messages"] = static_cast<double>(list.Count());
    state.counters["megabytes"] = static_cast<double>(text.size()) / 1e6;
}
BENCHMARK(BM_ParseToolMessages)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace
