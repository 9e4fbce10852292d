// Editor logic: top line and left column, scroll bars (with the 32767 scaling of long texts),
// scroll messages and the mouse wheel.
#include <algorithm>

#include "editor/custom_synedit.h"
#include "editor/string_list.h"

namespace {
constexpr int kMaxScrollRange = 32767;
}

void TCustomSynEdit::SetTopLine(int value) {
    int count = m_lines->GetCount();
    int limit = HasOption(eoScrollPastEof) ? count : count - m_linesInWindow + 1;
    value = std::clamp(value, 1, std::max(1, limit));
    if (value == m_topLine) return;
    int delta = m_topLine - value;
    m_topLine = value;
    UpdateScrollBars();
    if (m_window && m_window->HandleAllocated()) {
        if (std::abs(delta) < m_linesInWindow) {
            m_window->ScrollWindowBy(delta * m_lineHeight,
                                     {0, 0, m_window->ClientWidth(), m_window->ClientHeight()});
        } else {
            Invalidate();
        }
    }
    m_caretDirty = true;
    StatusChanged(stTopLine);
}

void TCustomSynEdit::SetLeftChar(int value) {
    // Past MaxLeftChar the view may go as far as the longest line needs.
    const int limit =
        HasOption(eoScrollPastEol)
            ? (value + m_charsInWindow - 1 <= m_maxLeftChar ? m_maxLeftChar : ColumnLimit())
            : m_lines->LongestLineLength();
    value = std::clamp(value, 1, std::max(1, limit - m_charsInWindow + 1));
    if (value == m_leftChar) return;
    m_leftChar = value;
    m_textOffset = m_gutterWidth + 2 - (m_leftChar - 1) * m_charWidth;
    UpdateScrollBars();
    if (m_window && m_window->HandleAllocated())
        m_window->InvalidateRect(
            {m_gutterWidth, 0, m_window->ClientWidth(), m_window->ClientHeight()});
    m_caretDirty = true;
    StatusChanged(stLeftChar);
}

TScrollBarInfo TCustomSynEdit::HorizontalScrollBar() const {
    TScrollBarInfo info;
    info.Visible = m_scrollBars == ssHorizontal || m_scrollBars == ssBoth;
    int max = HasOption(eoScrollPastEol) ? ColumnLimit() : m_lines->LongestLineLength();
    info.Min = 1;
    info.Max = std::max(1, max);
    info.Page = m_charsInWindow;
    info.Position = m_leftChar;
    info.Enabled = info.Max - info.Min + 1 > info.Page;
    return info;
}

TScrollBarInfo TCustomSynEdit::VerticalScrollBar() const {
    TScrollBarInfo info;
    info.Visible = m_scrollBars == ssVertical || m_scrollBars == ssBoth;
    long long n = m_lines->GetCount();
    if (HasOption(eoScrollPastEof)) n += m_linesInWindow - 1;
    if (n > kMaxScrollRange) {
        info.Min = 0;
        info.Max = kMaxScrollRange;
        // Widened before multiplying: past line 65,538 the product leaves the int range.
        info.Page = static_cast<int>(static_cast<long long>(m_linesInWindow) * kMaxScrollRange / n);
        info.Position = static_cast<int>(static_cast<long long>(m_topLine) * kMaxScrollRange / n);
    } else {
        info.Min = 1;
        info.Max = std::max<int>(1, static_cast<int>(n));
        info.Page = m_linesInWindow;
        info.Position = m_topLine;
    }
    info.Enabled = info.Max - info.Min + 1 > info.Page;
    return info;
}

void TCustomSynEdit::UpdateScrollBars() {
    if (!m_window || !m_window->HandleAllocated() || m_paintLock > 0 || m_updateCount > 0) {
        m_scrollBarsDirty = true;
        return;
    }
    m_scrollBarsDirty = false;
    m_window->ApplyScrollBars(HorizontalScrollBar(), VerticalScrollBar());
}

void TCustomSynEdit::VerticalScroll(TScrollCode code, int position) {
    int page = m_linesInWindow - (HasOption(eoScrollByOneLess) ? 1 : 0);
    switch (code) {
        case scLineUp:
            SetTopLine(m_topLine - 1);
            break;
        case scLineDown:
            SetTopLine(m_topLine + 1);
            break;
        case scPageUp:
            SetTopLine(m_topLine - page);
            break;
        case scPageDown:
            SetTopLine(m_topLine + page);
            break;
        case scTop:
            SetTopLine(1);
            break;
        case scBottom:
            SetTopLine(m_lines->GetCount());
            break;
        case scTrack:
        case scPosition: {
            int count = m_lines->GetCount();
            if (count > kMaxScrollRange)
                SetTopLine(static_cast<int>(static_cast<long long>(count + m_linesInWindow - 1) *
                                            position / kMaxScrollRange));
            else
                SetTopLine(position);
            if (code == scTrack && HasOption(eoShowScrollHint))
                m_scrollHint = "Top Line: " + std::to_string(m_topLine);
            break;
        }
        case scEndScroll:
            m_scrollHint.clear();
            break;
    }
    UpdateCaret();
}

void TCustomSynEdit::HorizontalScroll(TScrollCode code, int position) {
    int page = m_charsInWindow - (HasOption(eoScrollByOneLess) ? 1 : 0);
    switch (code) {
        case scLineUp:
            SetLeftChar(m_leftChar - 1);
            break;
        case scLineDown:
            SetLeftChar(m_leftChar + 1);
            break;
        case scPageUp:
            SetLeftChar(m_leftChar - page);
            break;
        case scPageDown:
            SetLeftChar(m_leftChar + page);
            break;
        case scTop:
            SetLeftChar(1);
            break;
        case scBottom:
            SetLeftChar(ColumnLimit());
            break;
        case scTrack:
        case scPosition:
            SetLeftChar(position);
            break;
        case scEndScroll:
            break;
    }
    UpdateCaret();
}

void TCustomSynEdit::MouseWheel(int delta, bool ctrl, int systemLines) {
    int lines;
    if (ctrl) {
        lines = m_linesInWindow;
        if (HasOption(eoHalfPageScroll)) lines /= 2;
    } else {
        lines = systemLines;
        if (lines < 0 || lines > m_linesInWindow) lines = m_linesInWindow;
    }
    m_wheelAccumulator += delta;
    int notches = m_wheelAccumulator / 120;
    m_wheelAccumulator %= 120;
    if (notches != 0) SetTopLine(m_topLine - notches * lines);
    UpdateCaret();
}
