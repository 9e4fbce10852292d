// Scan points along a long line. Painting a part of a line far from its start resumes the
// highlighter at the last point saved before that part, instead of scanning the whole line up
// to it on every paint. A point holds while the line's start state and its text up to a little
// beyond the point are what they were when it was saved: the line list tells how many first
// bytes of the line its changes since kept. The points in the bytes an edit moved along
// unchanged (those after it) wait as candidates, shifted by what the edit added or removed: a
// scan that reaches one in the very state saved there goes on as it went on before, so the
// candidates from there on hold again, and painting after an edit near a long line's start
// does not scan the whole line once more.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "highlight/syn_custom_highlighter.h"

class TSynEditStringList;

class TSynLongLineScan {
  public:
    // Shorter lines are scanned from their start; points lie this many bytes apart.
    static constexpr std::size_t kMinLength = 64 * 1024;
    static constexpr std::size_t kStep = 16 * 1024;

    // Starts `hl` on line `index` (`text`, as shown, begun in state `range`) at the last point
    // at or before byte `offset`, or at the line's start.
    void Start(TSynCustomHighlighter& hl, const TSynEditStringList& lines, int index,
               std::string_view text, std::int32_t range, std::size_t offset);
    // Called after each NextToken of a scan begun by Start: saves a point every kStep bytes
    // beyond the last one saved.
    void Passed(const TSynCustomHighlighter& hl) {
        if (m_saving && static_cast<std::size_t>(hl.TokenStart()) >= m_nextAt) Save(hl);
    }
    // Idle work: scans line `index` (as Start) on from its last point, saving points, until
    // `deadline`, so a later paint far to the right starts near where it shows. True while the
    // line's end is not reached; false at once for a short line or a highlighter that saves no
    // points.
    bool ScanAhead(TSynCustomHighlighter& hl, const TSynEditStringList& lines, int index,
                   std::string_view text, std::int32_t range,
                   std::chrono::steady_clock::time_point deadline);
    std::size_t PointCount() const { return m_points.size(); }
    // The points kept, in the order of the line (for checks).
    const std::vector<TSynScanPoint>& Points() const { return m_points; }
    void Forget();

  private:
    // Keeps the points that the line's changes since they were saved left alone, and makes
    // candidates of those the changes moved along. `text` is the line as scanned.
    void Validate(const TSynCustomHighlighter& hl, const TSynEditStringList& lines, int index,
                  std::string_view text, std::int32_t range);
    // Starts `hl` at the last point at or before `offset`, or at the line's start.
    void Resume(TSynCustomHighlighter& hl, std::string_view text, int index, std::int32_t range,
                std::size_t offset);
    void Save(const TSynCustomHighlighter& hl);
    // The next place to save: a step after the last point, or the next candidate if nearer.
    void NextAfterLastPoint();

    const TSynCustomHighlighter* m_highlighter = nullptr;
    int m_index = -1;
    std::int32_t m_range = 0;
    std::uint64_t m_changes = 0;
    std::vector<TSynScanPoint> m_points;  // in the order of the line
    // Points beyond the edited part, shifted with it; they hold once a scan meets the first one
    // of them (in order) in its saved state, and those it passes otherwise go.
    std::vector<TSynScanPoint> m_candidates;
    bool m_candidatesReachEnd = false;  // the candidates reach the line's end
    bool m_resynced = false;            // the last Save met a candidate
    std::size_t m_length = 0;           // the line's length when the points were checked
    bool m_plain = false;               // then without tabs: offsets are bytes
    std::size_t m_nextAt = kStep;
    bool m_saving = false;
    // The points reach the line's end: nothing is left for ScanAhead while they hold.
    bool m_reachedEnd = false;
};
