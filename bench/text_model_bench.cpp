// Line buffer benchmarks on the 100 MB reference file: loading it, saving it, and inserting or
// deleting one line at the top of the loaded 2.4-million-line list.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "editor/string_list.h"
#include "reference_input.h"

namespace {

const std::string& ReferenceFile() {
    static const std::string path = ReferenceFilePath();
    return path;
}

// One loaded list shared by the benchmarks that work on a loaded text.
TSynEditStringList& LoadedList() {
    static TSynEditStringList* list = [] {
        auto* loaded = new TSynEditStringList;
        loaded->LoadFromFile(ReferenceFile());
        return loaded;
    }();
    return *list;
}

double Microseconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

void BM_LoadFromFile(benchmark::State& state) {
    const std::string& path = ReferenceFile();
    int lines = 0;
    for (auto _ : state) {
        auto list = std::make_unique<TSynEditStringList>();
        list->LoadFromFile(path);
        lines = list->GetCount();
        state.PauseTiming();
        list.reset();
        state.ResumeTiming();
    }
    state.counters["lines"] = lines;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 100'000'000);
}
BENCHMARK(BM_LoadFromFile)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_SaveToFile(benchmark::State& state) {
    TSynEditStringList& list = LoadedList();
    const std::string target = ReferenceFile() + ".saved";
    for (auto _ : state) {
        // Like a copy to a new file: the old copy's pages are not released inside the timing.
        state.PauseTiming();
        std::remove(target.c_str());
        state.ResumeTiming();
        list.SaveToFile(target);
    }
    std::remove(target.c_str());
    state.counters["lines"] = list.GetCount();
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 100'000'000);
}
BENCHMARK(BM_SaveToFile)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Times one Insert(0) or Delete(0) per iteration; the opposite operation restores the list
// untimed. "p99_us" and "max_us" are the 99th percentile and the slowest single operation (on a
// busy machine the maximum mostly measures the scheduler), "first_us" the first operation on a
// list fresh from loading.
void BM_InsertDeleteAtTop(benchmark::State& state) {
    const bool inserting = state.range(0) == 0;
    const std::string line = "    put_string(\"HELLO WORLD\", 8, 12);";
    double firstUs;
    {
        TSynEditStringList fresh;
        fresh.LoadFromFile(ReferenceFile());
        const auto start = std::chrono::steady_clock::now();
        if (inserting) {
            fresh.Insert(0, line);
        } else {
            fresh.Delete(0);
        }
        firstUs = Microseconds(std::chrono::steady_clock::now() - start);
    }
    TSynEditStringList& list = LoadedList();
    std::vector<double> samples;
    samples.reserve(static_cast<std::size_t>(state.max_iterations));
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (inserting) {
            list.Insert(0, line);
        } else {
            list.Delete(0);
        }
        const auto elapsed = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(std::chrono::duration<double>(elapsed).count());
        samples.push_back(Microseconds(elapsed));
        if (inserting) {
            list.Delete(0);
        } else {
            list.Insert(0, line);
        }
    }
    state.SetLabel(inserting ? "Insert(0)" : "Delete(0)");
    state.counters["lines"] = list.GetCount();
    std::sort(samples.begin(), samples.end());
    if (!samples.empty()) {
        state.counters["p99_us"] = samples[samples.size() * 99 / 100];
        state.counters["max_us"] = samples.back();
    }
    state.counters["first_us"] = firstUs;
}
BENCHMARK(BM_InsertDeleteAtTop)
    ->ArgName("delete")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Iterations(200000)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
