// Where jumps started and ended, for Go Back and Go Forward: positions in files, the newest
// last, at most a fixed number kept.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>

struct TJumpPosition {
    std::string Path;
    int Line = 1;
    int Column = 1;
    bool operator==(const TJumpPosition&) const = default;
};

class TJumpHistory {
  public:
    explicit TJumpHistory(std::size_t limit = 100) : m_limit(limit) {}

    // A jump leaves from: it becomes the newest position to go back to; the forward list ends.
    void Record(const TJumpPosition& from);
    // The position to go back to from current (which Forward then returns to), or nothing.
    std::optional<TJumpPosition> Back(const TJumpPosition& current);
    std::optional<TJumpPosition> Forward(const TJumpPosition& current);

    bool CanGoBack() const { return !m_back.empty(); }
    bool CanGoForward() const { return !m_forward.empty(); }

  private:
    static void Push(std::deque<TJumpPosition>& list, const TJumpPosition& position,
                     std::size_t limit);

    std::size_t m_limit;
    std::deque<TJumpPosition> m_back;
    std::deque<TJumpPosition> m_forward;
};
