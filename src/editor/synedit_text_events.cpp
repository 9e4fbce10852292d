// Editor logic: reactions to the line buffer's change hooks — incremental re-highlighting that
// stops where the stored range states agree again, repainting of what changed, and collecting
// invalidations while a change bracket is open.
#include <algorithm>

#include "editor/custom_synedit.h"
#include "editor/string_list.h"
#include "editor/synedit_scopes.h"
#include "editor/undo_list.h"
#include "highlight/syn_custom_highlighter.h"

void TCustomSynEdit::HookLines() {
    m_lines->SetOnAdded([this](TSynEditStringList*, int index) { ListAdded(index); });
    m_lines->SetOnDeleted([this](TSynEditStringList*, int index) { ListDeleted(index); });
    m_lines->SetOnInserted([this](TSynEditStringList*, int index) { ListInserted(index); });
    m_lines->SetOnPutted([this](TSynEditStringList*, int index) { ListPutted(index); });
    m_lines->SetOnCleared([this](TSynEditStringList*) { ListCleared(); });
    m_lines->SetOnBeginChanges([this](TSynEditStringList*) { ListBeginUpdate(); });
    m_lines->SetOnEndChanges([this](TSynEditStringList*) { ListEndUpdate(); });
}

int TCustomSynEdit::ScanFrom(int index) {
    return ScanLines(index, index);
}

int TCustomSynEdit::ScanLines(int index, int mustReach) {
    const int count = m_lines->GetCount();
    if (!m_highlighter || index >= count - 1) return index;
    // The caller has set the highlighter's range for line `index`. Lines up to `mustReach` are
    // scanned whatever their stored ranges say; after that the scan stops where they agree. It
    // also stops at the edge of the computed states, and past the bottom of the view it stops
    // anyway and moves that edge up: lines below are computed when painted or when idle, so a
    // key that opens a comment above a long text costs no more than the view.
    const int viewEnd = std::max(mustReach, m_topLine - 1 + m_linesInWindow);
    int i = index;
    while (true) {
        const std::string_view text = m_lines->GetView(i);
        m_highlighter->StartLine(text, i);
        m_highlighter->ScanToLineEnd();
        if (++i >= count || i >= m_rangesKnown) break;
        const int32_t range = m_highlighter->RangeState();
        if (i > mustReach && range == m_lines->LineRange(i)) break;
        if (i > viewEnd) {
            m_rangesKnown = i;
            break;
        }
        m_lines->SetLineRange(i, range);
    }
    return i - 1;
}

void TCustomSynEdit::QueueRescan(int firstLine, int lastLine) {
    if (!m_highlighter) return;
    if (m_rescanFirst < 0) {
        m_rescanFirst = firstLine;
        m_rescanLast = lastLine;
    } else {
        m_rescanFirst = std::min(m_rescanFirst, firstLine);
        m_rescanLast = std::max(m_rescanLast, lastLine);
    }
}

void TCustomSynEdit::LinesMoved(int index) {
    // Lines inserted at or above a queued change move it down.
    const int count = m_lines->GetCount();
    if (m_rescanFirst >= 0 && index <= m_rescanLast && count > m_rescanCount)
        m_rescanLast += count - m_rescanCount;
    MoveRangeFrontier(index, count - m_rescanCount);
    m_rescanCount = count;
}

void TCustomSynEdit::RunQueuedRescan() {
    const int first = m_rescanFirst;
    const int last = m_rescanLast;
    m_rescanFirst = m_rescanLast = -1;
    const int count = m_lines->GetCount();
    if (!m_highlighter || first < 0 || count == 0) return;
    const int start = std::min(first, count - 1);
    // Nothing at or below the frontier has been computed, so nothing there is stale.
    if (start >= m_rangesKnown) return;
    if (start == 0) {
        m_highlighter->ResetRangeState();
        m_lines->SetLineRange(0, m_highlighter->RangeState());
    } else {
        m_highlighter->SetRangeState(m_lines->LineRange(start));
    }
    const int scanned = ScanLines(start, last);
    InvalidateLines(start + 1, scanned + 1);
}

void TCustomSynEdit::RescanAll() {
    // Every stored state is stale; they are computed again as the lines are painted.
    m_rangesKnown = 0;
    if (m_highlighter) RangesPending();
}

// Every change of the line buffer arrives inside a change bracket; the rescans it needs are
// collected and run once when the bracket closes, so loading or replacing many lines scans each
// line once. A restart at index i scans from line i - 1, whose start state is still valid.
void TCustomSynEdit::ListAdded(int index) {
    LinesMoved(index);
    QueueRescan(std::max(0, index - 1), std::max(0, index - 1));
    InvalidateToBottom(index + 1);
}

void TCustomSynEdit::ListDeleted(int index) {
    LinesMoved(index);
    QueueRescan(std::max(0, index - 1), std::max(0, index - 1));
    InvalidateToBottom(index + 1);
}

void TCustomSynEdit::ListInserted(int index) {
    LinesMoved(index);
    QueueRescan(std::max(0, index - 1), std::max(0, index - 1));
    InvalidateGutterLines(index + 1, m_topLine + m_linesInWindow);
    InvalidateLines(index + 1, m_topLine + m_linesInWindow);
}

void TCustomSynEdit::ListPutted(int index) {
    QueueRescan(index, index);
    InvalidateLines(index + 1, index + 1);
}

void TCustomSynEdit::InvalidateToBottom(int line) {
    // Within one change bracket, repainting from a line to the bottom covers every later line.
    if (m_bottomInvalidFrom > 0 && line >= m_bottomInvalidFrom) return;
    InvalidateGutterLines(line, -1);
    InvalidateLines(line, -1);
    if (m_updateCount > 0) m_bottomInvalidFrom = line;
}

void TCustomSynEdit::ListCleared() {
    m_rangesKnown = 0;
    m_rescanCount = 0;
    m_undoList->Clear();
    m_redoList->Clear();
    Invalidate();
    const TPaintLockScope lock(*this);
    m_caretX = m_caretY = 1;
    m_blockBegin = m_blockEnd = {1, 1};
    m_topLine = 1;
    m_leftChar = 1;
    m_textOffset = m_gutterWidth + 2;
    m_caretDirty = true;
    m_scrollBarsDirty = true;
    StatusChanged(stAll);
}

void TCustomSynEdit::ListBeginUpdate() {
    if (m_updateCount++ == 0) m_rescanCount = m_lines->GetCount();
}

void TCustomSynEdit::ListEndUpdate() {
    if (m_updateCount > 0) --m_updateCount;
    if (m_updateCount > 0) return;
    const TPaintLockScope lock(*this);
    RunQueuedRescan();
    if (m_highlighter && m_rangesKnown < m_lines->GetCount()) RangesPending();
    m_bottomInvalidFrom = 0;
    m_scrollBarsDirty = true;
    SetBlockBegin(CaretXY());
    if (m_window && m_window->HandleAllocated() && !m_invalidRect.IsEmpty())
        m_window->InvalidateRect(m_invalidRect);
    m_invalidRect = {};
    if (m_gutter.ShowLineNumbers() && m_gutter.AutoSize())
        m_gutter.AutoSizeDigitCount(m_lines->GetCount());
    if (!HasOption(eoScrollPastEof)) SetTopLine(m_topLine);
}

void TCustomSynEdit::InvalidateRectCollected(const TRect& rect) {
    if (rect.IsEmpty() || !m_window || !m_window->HandleAllocated()) return;
    if (m_updateCount > 0)
        m_invalidRect = UnionRect(m_invalidRect, rect);
    else
        m_window->InvalidateRect(rect);
}

void TCustomSynEdit::InvalidateLines(int firstLine, int lastLine) {
    if (!m_window || !m_window->HandleAllocated()) return;
    int width = m_window->ClientWidth();
    int height = m_window->ClientHeight();
    if (firstLine == -1 && lastLine == -1) {
        InvalidateRectCollected({m_gutterWidth, 0, width, height});
        return;
    }
    if (lastLine != -1 && lastLine < firstLine) std::swap(firstLine, lastLine);
    int top = std::max(firstLine, m_topLine);
    int bottom = lastLine == -1 ? m_topLine + m_linesInWindow
                                : std::min(lastLine, m_topLine + m_linesInWindow);
    if (bottom < top) return;
    TRect r{m_gutterWidth, (top - m_topLine) * m_lineHeight, width,
            (bottom - m_topLine + 1) * m_lineHeight};
    if (lastLine == -1) r.Bottom = height;
    r.Bottom = std::min(r.Bottom, height);
    InvalidateRectCollected(r);
}

void TCustomSynEdit::InvalidateGutterLines(int firstLine, int lastLine) {
    if (!m_window || !m_window->HandleAllocated() || m_gutterWidth <= 0) return;
    int height = m_window->ClientHeight();
    if (firstLine == -1 && lastLine == -1) {
        InvalidateRectCollected({0, 0, m_gutterWidth, height});
        return;
    }
    if (lastLine != -1 && lastLine < firstLine) std::swap(firstLine, lastLine);
    int top = std::max(firstLine, m_topLine);
    int bottom = lastLine == -1 ? m_topLine + m_linesInWindow
                                : std::min(lastLine, m_topLine + m_linesInWindow);
    if (bottom < top) return;
    TRect r{0, (top - m_topLine) * m_lineHeight, m_gutterWidth,
            (bottom - m_topLine + 1) * m_lineHeight};
    if (lastLine == -1) r.Bottom = height;
    r.Bottom = std::min(r.Bottom, height);
    InvalidateRectCollected(r);
}

void TCustomSynEdit::InvalidateGutter() {
    InvalidateGutterLines(-1, -1);
}

void TCustomSynEdit::Invalidate() {
    if (!m_window || !m_window->HandleAllocated()) return;
    InvalidateRectCollected({0, 0, m_window->ClientWidth(), m_window->ClientHeight()});
}
