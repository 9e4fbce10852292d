// The back and forward lists of jumps.
#include "project/jump_history.h"

void TJumpHistory::Push(std::deque<TJumpPosition>& list, const TJumpPosition& position,
                        std::size_t limit) {
    // The same place twice in a row would make one press seem to do nothing.
    if (!list.empty() && list.back() == position) return;
    list.push_back(position);
    while (list.size() > limit) list.pop_front();
}

void TJumpHistory::Record(const TJumpPosition& from) {
    Push(m_back, from, m_limit);
    m_forward.clear();
}

std::optional<TJumpPosition> TJumpHistory::Back(const TJumpPosition& current) {
    if (m_back.empty()) return std::nullopt;
    TJumpPosition target = m_back.back();
    m_back.pop_back();
    Push(m_forward, current, m_limit);
    return target;
}

std::optional<TJumpPosition> TJumpHistory::Forward(const TJumpPosition& current) {
    if (m_forward.empty()) return std::nullopt;
    TJumpPosition target = m_forward.back();
    m_forward.pop_back();
    Push(m_back, current, m_limit);
    return target;
}
