// Editor logic: the lazy frontier of the highlighter range states, computed on demand or in
// short idle-time slices.
#include <algorithm>

#include "editor/line_number.h"
#include "editor/string_list.h"
#include "editor/synedit_caret.h"
#include "editor/synedit_text_reactions.h"
#include "editor/synedit_viewport.h"
#include "highlight/syn_custom_highlighter.h"

namespace {

// Lines scanned between two looks at the clock during idle work.
constexpr int kLinesPerClockCheck = 128;

}  // namespace

void TSynTextReactions::EnsureRanges(int lastIndex) {
    if (!m_highlighter) return;
    lastIndex = std::min(lastIndex, m_lines.GetCount() - 1);
    if (lastIndex < m_rangesKnown) return;
    if (m_rangesKnown == 0) {
        m_highlighter->ResetRangeState();
        m_lines.SetLineRange(0, m_highlighter->RangeState());
        m_rangesKnown = 1;
    }
    // Line i's state is known; skimming or scanning it gives the state of line i + 1.
    TSynCustomHighlighter& hl = *m_highlighter;
    // Skimming alone may run on a second thread through the later half of a long run.
    auto skim = [&hl](std::string_view text, std::int32_t& range) {
        return hl.SkimLine(text, range);
    };
    m_lines.ChainRanges(
        m_rangesKnown - 1, lastIndex,
        [&hl](std::string_view text, std::int32_t range, int index) {
            if (hl.SkimLine(text, range)) return range;
            hl.SetRangeState(range);
            hl.StartLine(text, index);
            hl.ScanToLineEnd();
            return hl.RangeState();
        },
        skim);
    m_rangesKnown = lastIndex + 1;
}

int TSynTextReactions::RangeStateAt(int index) {
    EnsureRanges(index);
    return m_lines.LineRange(index);
}

bool TSynTextReactions::ComputeRangesFor(std::chrono::microseconds budget) {
    // Inside an open change bracket the queued rescan has not yet run, so the states near the
    // frontier may be stale; the bracket's end asks for idle work again.
    if (m_view.InChanges()) return false;
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + budget;
    const int count = m_lines.GetCount();
    while (m_highlighter && m_rangesKnown < count) {
        EnsureRanges(m_rangesKnown - 1 + kLinesPerClockCheck);
        if (Clock::now() >= deadline) break;
    }
    if (!m_highlighter) return false;
    return m_rangesKnown < count || ScanCaretLineAhead(deadline);
}

bool TSynTextReactions::ScanCaretLineAhead(std::chrono::steady_clock::time_point deadline) {
    // A long line under the caret gets its scan points ahead of time, so End or a jump far to
    // the right paints at once. Its start state must be known; a line with tabs is scanned as
    // shown, expanded, which would copy it every slice: those are left to the painter.
    if (!LongLineAtCaret()) return false;
    const int index = TLineNumber(m_caret.CaretY()).Index();
    if (index >= m_rangesKnown || m_lines.LineHasTabs(index)) return false;
    const std::string_view text = m_lines.GetView(index);
    return m_longLineScan.ScanAhead(*m_highlighter, m_lines, index, text, m_lines.LineRange(index),
                                    deadline);
}

bool TSynTextReactions::LongLineAtCaret() const {
    const int index = TLineNumber(m_caret.CaretY()).Index();
    return index >= 0 && index < m_lines.GetCount() &&
           m_lines.GetView(index).size() >= TSynLongLineScan::kMinLength;
}

void TSynTextReactions::MoveRangeFrontier(int index, int delta) {
    // Lines inserted above the frontier push it down; lines deleted above it pull it up, to
    // at most the first deleted line.
    if (delta > 0 && index < m_rangesKnown) m_rangesKnown += delta;
    if (delta < 0 && index < m_rangesKnown) m_rangesKnown = std::max(index, m_rangesKnown + delta);
}
