// Editor logic: the lazy frontier of the highlighter range states. Only the lines from the top
// down to the last one painted or asked for carry computed states; the rest are computed on
// demand or in short idle-time slices, so opening or editing a long text never scans it whole.
#include <algorithm>

#include "editor/custom_synedit.h"
#include "editor/string_list.h"
#include "highlight/syn_custom_highlighter.h"

namespace {

// Lines scanned between two looks at the clock during idle work.
constexpr int kLinesPerClockCheck = 128;

}  // namespace

void TCustomSynEdit::EnsureRanges(int lastIndex) {
    if (!m_highlighting.Highlighter) return;
    lastIndex = std::min(lastIndex, m_lines->GetCount() - 1);
    if (lastIndex < m_highlighting.RangesKnown) return;
    if (m_highlighting.RangesKnown == 0) {
        m_highlighting.Highlighter->ResetRangeState();
        m_lines->SetLineRange(0, m_highlighting.Highlighter->RangeState());
        m_highlighting.RangesKnown = 1;
    }
    // Line i's state is known; skimming or scanning it gives the state of line i + 1.
    TSynCustomHighlighter& hl = *m_highlighting.Highlighter;
    // Skimming alone may run on a second thread through the later half of a long run.
    auto skim = [&hl](std::string_view text, std::int32_t& range) {
        return hl.SkimLine(text, range);
    };
    m_lines->ChainRanges(
        m_highlighting.RangesKnown - 1, lastIndex,
        [&hl](std::string_view text, std::int32_t range, int index) {
            if (hl.SkimLine(text, range)) return range;
            hl.SetRangeState(range);
            hl.StartLine(text, index);
            hl.ScanToLineEnd();
            return hl.RangeState();
        },
        skim);
    m_highlighting.RangesKnown = lastIndex + 1;
}

int TCustomSynEdit::RangeStateAt(int index) {
    EnsureRanges(index);
    return m_lines->LineRange(index);
}

bool TCustomSynEdit::ComputeRangesFor(std::chrono::microseconds budget) {
    // Inside an open change bracket the queued rescan has not yet run, so the states near the
    // frontier may be stale; the bracket's end asks for idle work again.
    if (m_view.InChanges()) return false;
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + budget;
    const int count = m_lines->GetCount();
    while (m_highlighting.Highlighter && m_highlighting.RangesKnown < count) {
        EnsureRanges(m_highlighting.RangesKnown - 1 + kLinesPerClockCheck);
        if (Clock::now() >= deadline) break;
    }
    return m_highlighting.Highlighter && m_highlighting.RangesKnown < count;
}

void TCustomSynEdit::MoveRangeFrontier(int index, int delta) {
    // Lines inserted above the frontier push it down; lines deleted above it pull it up, to
    // at most the first deleted line.
    if (delta > 0 && index < m_highlighting.RangesKnown) m_highlighting.RangesKnown += delta;
    if (delta < 0 && index < m_highlighting.RangesKnown)
        m_highlighting.RangesKnown = std::max(index, m_highlighting.RangesKnown + delta);
}
