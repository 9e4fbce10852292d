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
    m_candidates.clear();
}

namespace {

bool SamePoint(const TSynScanPoint& a, const TSynScanPoint& b) {
    return a.tokenPos == b.tokenPos && a.run == b.run && a.range == b.range && a.kind == b.kind &&
           a.stage == b.stage;
}

}  // namespace

void TSynLongLineScan::Validate(const TSynCustomHighlighter& hl, const TSynEditStringList& lines,
                                int index, std::string_view text, std::int32_t range) {
    std::size_t kept = 0;
    std::size_t keptEnd = 0;
    const bool plain = !lines.LineHasTabs(index);
    if (&hl != m_highlighter || index != m_index || range != m_range ||
        !lines.KeptOfLineSince(index, m_changes, kept, keptEnd)) {
        m_points.clear();
        m_candidates.clear();
        m_reachedEnd = false;
    } else if (kept != std::numeric_limits<std::size_t>::max()) {
        // Points in the moved end become candidates, at their new places; only a line without
        // tabs, before and now, moves byte for byte. The candidates stand for one earlier scan
        // each time: points moved along replace the older candidates, which the scan that made
        // those points never reached in a known state (a match at one of the points says
        // nothing about them).
        std::vector<TSynScanPoint> moved;
        bool fromPoints = true;
        if (m_plain && plain && keptEnd > 0 && keptEnd <= m_length && keptEnd <= text.size()) {
            const std::size_t from = m_length - keptEnd;
            const std::size_t to = text.size() - keptEnd;
            auto shift = [&](const std::vector<TSynScanPoint>& points) {
                for (const TSynScanPoint& point : points) {
                    if (point.tokenPos < from || point.run > m_length) continue;
                    TSynScanPoint at = point;
                    at.tokenPos = point.tokenPos - from + to;
                    at.run = point.run - from + to;
                    moved.push_back(at);
                }
            };
            shift(m_points);
            if (moved.empty()) {
                fromPoints = false;
                shift(m_candidates);
            }
        }
        m_candidatesReachEnd = !moved.empty() && (fromPoints ? m_reachedEnd : m_candidatesReachEnd);
        m_candidates = std::move(moved);
        // Any change of the line may have moved its end.
        m_reachedEnd = false;
        auto changed = std::find_if(m_points.begin(), m_points.end(), [kept](const auto& point) {
            return point.run + kLookAhead > kept;
        });
        m_points.erase(changed, m_points.end());
        // A candidate lies beyond every point kept.
        const std::size_t last = m_points.empty() ? 0 : m_points.back().tokenPos;
        m_candidates.erase(
            m_candidates.begin(),
            std::find_if(m_candidates.begin(), m_candidates.end(),
                         [last](const auto& point) { return point.tokenPos > last; }));
    }
    m_highlighter = &hl;
    m_index = index;
    m_range = range;
    m_changes = lines.ChangeCount();
    m_length = text.size();
    m_plain = plain;
    NextAfterLastPoint();
}

void TSynLongLineScan::NextAfterLastPoint() {
    m_nextAt =
        m_points.empty() ? kStep : std::max(m_points.back().tokenPos + kStep, m_points.back().run);
    if (!m_candidates.empty()) m_nextAt = std::min(m_nextAt, m_candidates.front().tokenPos);
}

void TSynLongLineScan::Resume(TSynCustomHighlighter& hl, std::string_view text, int index,
                              std::int32_t range, std::size_t offset) {
    auto after = std::upper_bound(
        m_points.begin(), m_points.end(), offset,
        [](std::size_t at, const TSynScanPoint& point) { return at < point.tokenPos; });
    if (after == m_points.begin()) {
        hl.SetRangeState(range);
        hl.StartLine(text, index);
    } else {
        hl.ResumeLine(text, index, *(after - 1));
    }
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
    Validate(hl, lines, index, text, range);
    Resume(hl, text, index, range, offset);
    // Far beyond the last point: the scanner runs there in its own loop, saving points on the
    // way; the tokens it passes end before the offset, so none of them is shown. Meeting a
    // candidate gives points up to the line's end: the scan starts again from the last before
    // the offset.
    while (m_saving && m_nextAt <= offset) {
        hl.ScanTo(m_nextAt);
        Save(hl);  // moves m_nextAt past the current token, which ends after the old one
        if (m_resynced) {
            m_resynced = false;
            Resume(hl, text, index, range, offset);
        }
    }
}

bool TSynLongLineScan::ScanAhead(TSynCustomHighlighter& hl, const TSynEditStringList& lines,
                                 int index, std::string_view text, std::int32_t range,
                                 std::chrono::steady_clock::time_point deadline) {
    TSynScanPoint probe;
    if (text.size() < kMinLength || !hl.SaveScanPoint(probe)) return false;
    Validate(hl, lines, index, text, range);
    if (m_reachedEnd) return false;
    constexpr std::size_t kFromLast = std::numeric_limits<std::size_t>::max();
    Resume(hl, text, index, range, kFromLast);
    // A step is a few tens of microseconds of scanning: the clock is read once per step, and
    // each call makes one step at least.
    m_saving = true;
    do {
        hl.ScanTo(m_nextAt);
        Save(hl);
        if (m_resynced) {
            m_resynced = false;
            if (m_reachedEnd) break;
            Resume(hl, text, index, range, kFromLast);
        }
    } while (m_saving && std::chrono::steady_clock::now() < deadline);
    const bool left = m_saving && !m_reachedEnd;
    m_saving = false;
    return left;
}

void TSynLongLineScan::Save(const TSynCustomHighlighter& hl) {
    TSynScanPoint point;
    if (hl.AtLineEnd() || !hl.SaveScanPoint(point)) {
        m_reachedEnd = hl.AtLineEnd();
        m_candidates.clear();
        m_saving = false;
        return;
    }
    // A token longer than a step is saved once.
    if (m_points.empty() || m_points.back().tokenPos != point.tokenPos) m_points.push_back(point);
    // A candidate met in its saved state holds, with all after it; those before the next
    // token's start (inside this token or passed) go.
    auto met = std::find_if(m_candidates.begin(), m_candidates.end(),
                            [&point](const auto& c) { return c.tokenPos >= point.tokenPos; });
    if (met != m_candidates.end() && SamePoint(*met, point)) {
        m_points.insert(m_points.end(), met + 1, m_candidates.end());
        m_reachedEnd = m_candidatesReachEnd;
        m_candidates.clear();
        m_resynced = true;
    } else {
        const std::size_t next = std::max(point.run, point.tokenPos + 1);
        m_candidates.erase(m_candidates.begin(),
                           std::find_if(m_candidates.begin(), m_candidates.end(),
                                        [next](const auto& c) { return c.tokenPos >= next; }));
    }
    NextAfterLastPoint();
    if (m_reachedEnd) m_saving = false;
}
