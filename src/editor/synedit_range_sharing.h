// Long runs of highlighter range states shared with a second thread, for the range frontier
// (synedit_range_frontier.cpp): while this thread chains the first half of the run, a helper
// skims the later half from a guessed state. Where the guess proves right, this thread goes on
// from where the helper stopped; otherwise it chains the later half itself. The states are
// those of TSynEditLineStore::ChainRanges either way.
//
// Thread rules for the length of one call:
// - Nobody else touches the store, and neither thread resizes it: no line or chunk is added,
//   removed or turned loose, so the chunks stay where they are.
// - The run is cut at the first line of a chunk: this thread writes the states of the chunks
//   before it, the helper those of the chunks from it on, and nothing else of the store.
// - The helper calls no reader of the store (Text, Range, ...) and uses none of its cursors:
//   it reads its own chunks in one walk (TSynEditLineStore::SkimRangesFrom). Of the caller's
//   functions it calls only `skim`, which must be safe on another thread.
// - The helper stops through its stop token: asked when this thread is done with its half,
//   and by the thread's destructor when this thread leaves by an exception, so it never skims
//   on alone; the call returns only after it has been joined.
// - The helper's skim never throws: an exception inside it ends the helper's walk as a failure
//   and this thread then scans the later half itself.
#pragma once

#include <cstdint>
#include <stop_token>
#include <string_view>
#include <thread>
#include <utility>

#include "editor/line_store.h"

// Runs shorter than this are chained by the calling thread alone.
inline constexpr int kSharedRangeChainFrom = 1 << 16;

// Where the helper starts: the first line of a chunk, the run's last line, the guessed state
// of the line before `first` and that line's text.
struct TSharedRangeHalf {
    int first;
    int to;
    std::int32_t guess;
    std::string_view before;
};

// The helper thread's work: SkimRangesFrom over the later half until stopped. Returns the last
// line whose state it set, or half.first - 1 for none and when the skim threw.
int SkimLaterHalf(TSynEditLineStore& store, const TSharedRangeHalf& half, TRangeSkim skim,
                  std::stop_token stop) noexcept;

// For each line i in [from, to): Range(i + 1) = next(Text(i), Range(i), i), in order, with a
// long run shared: skim(text, range&) is a shortcut of `next` that may decline (false) and is
// safe to call from another thread.
template <typename F, typename S>
void ChainRangesShared(TSynEditLineStore& store, int from, int to, F&& next, S&& skim) {
    if (from < 0 || to >= store.Count() || to - from < kSharedRangeChainFrom) {
        store.ChainRanges(from, to, next);
        return;
    }
    const int first = store.FirstLineOfChunkAt(from + (to - from) / 2);
    if (first <= from + 1) {
        store.ChainRanges(from, to, next);
        return;
    }
    const TSharedRangeHalf half{first, to, store.Range(from), store.Text(first - 1)};
    // The skim behind a plain callback: one indirect call per line on the helper thread.
    const auto skimCall = [&skim](std::string_view text, std::int32_t& range) -> bool {
        return skim(text, range);
    };
    using Call = decltype(skimCall);
    const TRangeSkim skimRef{[](const void* context, std::string_view text, std::int32_t& range) {
                                 return (*static_cast<const Call*>(context))(text, range);
                             },
                             &skimCall};
    int reached = first - 1;  // written by the helper, read here once it is joined
    {
        // The helper touches the states of the chunks from `first` on and `reached`; it reads
        // `half` and its chunks' texts, and calls `skim`.
        std::jthread helper([&store, &half, skimRef, &reached](std::stop_token stop) {
            reached = SkimLaterHalf(store, half, skimRef, std::move(stop));
        });
        // An exception here leaves through the helper's destructor: it asks it to stop and
        // joins it.
        store.ChainRanges(from, first - 1, next);
        // Done with the first half: the helper stops soon, and this thread goes on from where
        // it stopped, so a helper starved of processor time costs no more than doing the work
        // here.
        helper.request_stop();
    }
    if (store.Range(first - 1) == half.guess) {
        store.ChainRanges(reached, to, next);
    } else {
        store.ChainRanges(first - 1, to, next);
    }
}
