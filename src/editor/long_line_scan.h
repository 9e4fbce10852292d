// Scan points along a long line. Painting a part of a line far from its start resumes the
// highlighter at the last point saved before that part, instead of scanning the whole line up
// to it on every paint. A point holds while the line's start state and its text up to a little
// beyond the point are what they were when it was saved: the line list tells how many first
// bytes of the line its changes since kept.
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
    void Forget();

  private:
    // Keeps the points that the line's changes since they were saved left alone.
    void Validate(const TSynCustomHighlighter& hl, const TSynEditStringList& lines, int index,
                  std::int32_t range);
    void Save(const TSynCustomHighlighter& hl);

    const TSynCustomHighlighter* m_highlighter = nullptr;
    int m_index = -1;
    std::int32_t m_range = 0;
    std::uint64_t m_changes = 0;
    std::vector<TSynScanPoint> m_points;  // in the order of the line
    std::size_t m_nextAt = kStep;
    bool m_saving = false;
    // The points reach the line's end: nothing is left for ScanAhead while they hold.
    bool m_reachedEnd = false;
};
