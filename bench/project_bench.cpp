// The project commands on the generated project tree: Find in Files, building the symbol index,
// bringing one edited 10,000-line file up to date, and narrowing 100,000 symbols by one letter.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "project/find_in_files.h"
#include "project/symbol_filter.h"
#include "project/symbol_index.h"
#include "reference_input.h"

namespace {

// The text the reference command greps for in the same tree.
constexpr const char* kTreeSearchText = "satb_update";

void BM_FindInFilesTree(benchmark::State& state) {
    const std::string root = ReferenceTreePath();
    long matches = 0;
    for (auto _ : state) {
        TFindInFiles find({root, "*.c;*.h;*.asm;*.s;*.inc", kTreeSearchText, true, false});
        matches = 0;
        find.Run({}, [&](TFileMatches&& file) {
            matches += static_cast<long>(file.Matches.size());
            benchmark::DoNotOptimize(file);
        });
    }
    state.counters["matches"] = static_cast<double>(matches);
}
BENCHMARK(BM_FindInFilesTree)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SymbolIndexBuildTree(benchmark::State& state) {
    const std::string root = ReferenceTreePath();
    std::size_t symbols = 0;
    for (auto _ : state) {
        TSymbolIndex index(root);
        index.Build();
        symbols = index.All().size();
    }
    state.counters["symbols"] = static_cast<double>(symbols);
}
BENCHMARK(BM_SymbolIndexBuildTree)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SymbolIndexUpdate10kLines(benchmark::State& state) {
    const std::string root = ReferenceTreePath();
    TSymbolIndex index(root);
    index.Build();
    std::string text;
    for (int line = 0; line < 10'000; ++line) {
        text += line % 25 == 0
                    ? "int function_" + std::to_string(line) + "(int a) {\n"
                    : "    put_string(\"HELLO\", 1, 2); x = y + " + std::to_string(line) + ";\n";
        if (line % 25 == 24) text += "}\n";
    }
    const std::string path = root + "/part0/edited.c";
    for (auto _ : state) index.UpdateFile(path, text);
}
BENCHMARK(BM_SymbolIndexUpdate10kLines)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SymbolFilter100k(benchmark::State& state) {
    std::vector<std::string> storage;
    for (int i = 0; i < 100'000; ++i)
        storage.push_back((i % 3 == 0   ? "spr_update_"
                           : i % 3 == 1 ? "TitleLoop"
                                        : "vdc_reg_") +
                          std::to_string(i));
    const std::vector<std::string_view> names(storage.begin(), storage.end());
    const std::vector<bool> preferred(names.size(), false);
    for (auto _ : state) benchmark::DoNotOptimize(FilterNames(names, preferred, "t"));
}
BENCHMARK(BM_SymbolFilter100k)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
