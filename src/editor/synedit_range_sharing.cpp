// The helper thread's part of the range chaining shared with a second thread.
#include "editor/synedit_range_sharing.h"

int SkimLaterHalf(TSynEditLineStore& store, const TSharedRangeHalf& half, TRangeSkim skim,
                  std::stop_token stop) noexcept {
    // Everything the walk updates per line is its own, so nothing it writes per line shares a
    // cache line with the other thread.
    try {
        return store.SkimRangesFrom(half.first, half.before, half.guess, half.to, skim,
                                    [&stop] { return stop.stop_requested(); });
    } catch (...) {
        // States already set stay as they are: the other thread chains the half over them.
        return half.first - 1;
    }
}
