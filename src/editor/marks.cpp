// Marks, the mark list and how marks follow inserted and deleted lines.
#include "editor/marks.h"

#include <algorithm>

void TSynEditMark::Repaint(int line) {
    if (m_visible && m_owner && line > 0) m_owner->InvalidateGutterLine(line);
}

void TSynEditMark::SetLine(int v) {
    if (v == m_line) return;
    int old = m_line;
    m_line = v;
    Repaint(old);
    Repaint(v);
}

void TSynEditMark::SetImageIndex(int v) {
    if (v == m_imageIndex) return;
    m_imageIndex = v;
    Repaint(m_line);
}

void TSynEditMark::SetVisible(bool v) {
    if (v == m_visible) return;
    m_visible = v;
    if (m_owner && m_line > 0) m_owner->InvalidateGutterLine(m_line);
}

void TSynEditMark::SetInternalImage(bool v) {
    if (v == m_internalImage) return;
    m_internalImage = v;
    Repaint(m_line);
}

TSynEditMark* TSynEditMarkList::Add(std::unique_ptr<TSynEditMark> mark) {
    TSynEditMark* raw = mark.get();
    m_marks.push_back(std::move(mark));
    Changed();
    return raw;
}

void TSynEditMarkList::Remove(TSynEditMark* mark) {
    auto it = std::find_if(m_marks.begin(), m_marks.end(),
                           [mark](const auto& m) { return m.get() == mark; });
    if (it == m_marks.end()) return;
    m_marks.erase(it);
    Changed();
}

void TSynEditMarkList::Clear() {
    if (m_marks.empty()) return;
    m_marks.clear();
    Changed();
}

std::vector<TSynEditMark*> TSynEditMarkList::MarksForLine(int line) const {
    std::vector<TSynEditMark*> result;
    for (const auto& m : m_marks) {
        if (m->Line() != line) continue;
        result.push_back(m.get());
        if (static_cast<int>(result.size()) == kMaxMarksPerLine) break;
    }
    return result;
}

void TSynEditMarkList::LinesInserted(int first, int n) {
    if (n <= 0) return;
    for (auto& m : m_marks)
        if (m->Line() >= first) m->SetLine(m->Line() + n);
}

void TSynEditMarkList::LinesDeleted(int first, int n) {
    if (n <= 0) return;
    for (auto& m : m_marks) {
        if (m->Line() > first + n)
            m->SetLine(m->Line() - n);
        else if (m->Line() > first)
            m->SetLine(std::max(1, first));  // marks of removed first lines stay on line 1
    }
}
