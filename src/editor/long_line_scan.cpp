// Scan points along a long line.
#include "editor/long_line_scan.h"

#include <algorithm>
#include <limits>

#include "editor/string_list.h"

namespace {

// Where a token ends was decided by the bytes up to its end and the one after it; a change
// this close behind a point may have changed its token.
constexpr std::size_t kLookAhead = 16;

}  // namespace

void TSynLongLineScan::Forget() {
    m_points.clear();
    m_highlighter = nullptr;
    m_index = -1;
    m_nextAt = kStep;
    m_reachedEnd = false;
}

void TSynLongLineScan::Validate(const TSynCustomHighlighter& hl, const TSynEditStringList& lines,
                                int index, std::int32_t range) {
    std::size_t kept = 0;
    if (&hl != m_highlighter || index != m_index || range != m_range ||
        !lines.KeptOfLineSince(index, m_changes, kept)) {
        m_points.clear();
        m_reachedEnd = false;
    } else {
        // Any change of the line may have moved its end.
        if (kept != std::numeric_limits<std::size_t>::max()) m_reachedEnd = false;
        auto changed = std::find_if(m_points.begin(), m_points.end(), [kept](const auto& point) {
            return point.run + kLookAhead > kept;
        });
        m_points.erase(changed, m_points.end());
    }
    m_highlighter = &hl;
    m_index = index;
    m_range = range;
    m_changes = lines.ChangeCount();
    m_nextAt =
        m_points.empty() ? kStep : std::max(m_points.back().tokenPos + kStep, m_points.back().run);
}

void TSynLongLineScan::Start(TSynCustomHighlighter& hl, const TSynEditStringList& lines, int index,
                             std::string_view text, std::int32_t range, std::size_t offset) {
    TSynScanPoint probe;
    m_saving = text.size() >= kMinLength && hl.SaveScanPoint(probe);
    if (!m_saving) {
        hl.SetRangeState(range);
        hl.StartLine(text, index);
        return;
    }
    Validate(hl, lines, index, range);
    auto after = std::upper_bound(
        m_points.begin(), m_points.end(), offset,
        [](std::size_t at, const TSynScanPoint& point) { return at < point.tokenPos; });
    if (after == m_points.begin()) {
        hl.SetRangeState(range);
        hl.StartLine(text, index);
    } else {
        hl.ResumeLine(text, index, *(after - 1));
    }
    // Far beyond the last point: the scanner runs there in its own loop, saving points on the
    // way; the tokens it passes end before the offset, so none of them is shown.
    while (m_saving && m_nextAt <= offset) {
        hl.ScanTo(m_nextAt);
        Save(hl);  // moves m_nextAt past the current token, which ends after the old one
    }
}

bool TSynLongLineScan::ScanAhead(TSynCustomHighlighter& hl, const TSynEditStringList& lines,
                                 int index, std::string_view text, std::int32_t range,
                                 std::chrono::steady_clock::time_point deadline) {
    TSynScanPoint probe;
    if (text.size() < kMinLength || !hl.SaveScanPoint(probe)) return false;
    Validate(hl, lines, index, range);
    if (m_reachedEnd) return false;
    if (m_points.empty()) {
        hl.SetRangeState(range);
        hl.StartLine(text, index);
    } else {
        hl.ResumeLine(text, index, m_points.back());
    }
    // A step is a few tens of microseconds of scanning: the clock is read once per step, and
    // each call makes one step at least.
    m_saving = true;
    do {
        hl.ScanTo(m_nextAt);
        Save(hl);
    } while (m_saving && std::chrono::steady_clock::now() < deadline);
    const bool left = m_saving;
    m_saving = false;
    return left;
}

void TSynLongLineScan::Save(const TSynCustomHighlighter& hl) {
    TSynScanPoint point;
    if (hl.AtLineEnd() || !hl.SaveScanPoint(point)) {
        m_reachedEnd = hl.AtLineEnd();
        m_saving = false;
        return;
    }
    // A token longer than a step is saved once.
    if (m_points.empty() || m_points.back().tokenPos != point.tokenPos) m_points.push_back(point);
    m_nextAt = std::max(point.tokenPos + kStep, point.run);
}
