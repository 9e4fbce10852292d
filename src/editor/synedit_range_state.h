// The highlighter of an editor control and the bookkeeping of its range states: the rescan
// queued inside a change bracket and the frontier of computed states.
#pragma once

#include <functional>

class TSynCustomHighlighter;

struct TSynHighlighting {
    TSynCustomHighlighter* Highlighter = nullptr;
    // Heard from the highlighter when its attributes change.
    std::function<void(void*)> OnAttributesChanged;
    int RescanFirst = -1;  // rescan queued inside a change bracket: first and last line
    int RescanLast = -1;
    int RescanCount = 0;  // line count when the queue last followed a move
    int RangesKnown = 0;  // lines from the top whose stored range state is valid
};
