// Editing benchmarks on the 100 MB reference text: replace-all of every put_string with undo
// recorded, and undoing all of it.
#include <benchmark/benchmark.h>

#include <memory>

#include "editor/custom_synedit.h"
#include "editor/string_list.h"
#include "reference_input.h"

namespace {

// An editor without window or highlighter holding the reference text, keeping every undo item.
std::unique_ptr<TCustomSynEdit> LoadedEditor() {
    auto editor = std::make_unique<TCustomSynEdit>(nullptr);
    editor->Lines().LoadFromFile(ReferenceFilePath());
    editor->SetMaxUndo(2'000'000);
    return editor;
}

constexpr TFindOptions kReplaceAll = foReplaceAll | foEntireScope | foMatchCase;

void BM_ReplaceAll(benchmark::State& state) {
    int replaced = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto editor = LoadedEditor();
        state.ResumeTiming();
        replaced = editor->FindReplace("put_string", "PUT_STRING", kReplaceAll);
        state.PauseTiming();
        editor.reset();
        state.ResumeTiming();
    }
    state.counters["replaced"] = replaced;
}
BENCHMARK(BM_ReplaceAll)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_UndoReplaceAll(benchmark::State& state) {
    int groups = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto editor = LoadedEditor();
        editor->FindReplace("put_string", "PUT_STRING", kReplaceAll);
        state.ResumeTiming();
        groups = 0;
        while (editor->CanUndo()) {
            editor->Undo();
            ++groups;
        }
        state.PauseTiming();
        editor.reset();
        state.ResumeTiming();
    }
    state.counters["groups"] = groups;
}
BENCHMARK(BM_UndoReplaceAll)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
