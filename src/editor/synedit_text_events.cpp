// Editor logic: reactions to the line buffer's change hooks — incremental re-highlighting that
// stops where the stored range states agree again, repainting of what changed, and collecting
// invalidations while a change bracket is open.
#include <algorithm>

#include "editor/custom_synedit.h"
#include "editor/lines_by_number.h"
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

int TCustomSynEdit::ScanLines(int index, int mustReach) {
    const int count = m_lines->GetCount();
    if (!m_highlighting.Highlighter || index >= count - 1) return index;
    // The caller has set the highlighter's range for line `index`. Lines up to `mustReach` are
    // scanned whatever their stored ranges say; after that the scan stops where they agree. It
    // also stops at the edge of the computed states, and past the bottom of the view it stops
    // anyway and moves that edge up: lines below are computed when painted or when idle, so a
    // key that opens a comment above a long text costs no more than the view.
    const int viewEnd = std::max(mustReach, TopLine() - 1 + LinesInWindow());
    int i = index;
    while (true) {
        const std::string_view text = m_lines->GetView(i);
        m_highlighting.Highlighter->StartLine(text, i);
        m_highlighting.Highlighter->ScanToLineEnd();
        if (++i >= count || i >= m_highlighting.RangesKnown) break;
        const int32_t range = m_highlighting.Highlighter->RangeState();
        if (i > mustReach && range == m_lines->LineRange(i)) break;
        if (i > viewEnd) {
            m_highlighting.RangesKnown = i;
            break;
        }
        m_lines->SetLineRange(i, range);
    }
    return i - 1;
}

void TCustomSynEdit::QueueRescan(int firstLine, int lastLine) {
    if (!m_highlighting.Highlighter) return;
    if (m_highlighting.RescanFirst < 0) {
        m_highlighting.RescanFirst = firstLine;
        m_highlighting.RescanLast = lastLine;
    } else {
        m_highlighting.RescanFirst = std::min(m_highlighting.RescanFirst, firstLine);
        m_highlighting.RescanLast = std::max(m_highlighting.RescanLast, lastLine);
    }
}

void TCustomSynEdit::LinesMoved(int index) {
    // Lines inserted at or above a queued change move it down.
    const int count = m_lines->GetCount();
    if (m_highlighting.RescanFirst >= 0 && index <= m_highlighting.RescanLast &&
        count > m_highlighting.RescanCount)
        m_highlighting.RescanLast += count - m_highlighting.RescanCount;
    MoveRangeFrontier(index, count - m_highlighting.RescanCount);
    m_highlighting.RescanCount = count;
}

void TCustomSynEdit::RunQueuedRescan() {
    const int first = m_highlighting.RescanFirst;
    const int last = m_highlighting.RescanLast;
    m_highlighting.RescanFirst = m_highlighting.RescanLast = -1;
    const int count = m_lines->GetCount();
    if (!m_highlighting.Highlighter || first < 0 || count == 0) return;
    const int start = std::min(first, count - 1);
    // Nothing at or below the frontier has been computed, so nothing there is stale.
    if (start >= m_highlighting.RangesKnown) return;
    if (start == 0) {
        m_highlighting.Highlighter->ResetRangeState();
        m_lines->SetLineRange(0, m_highlighting.Highlighter->RangeState());
    } else {
        m_highlighting.Highlighter->SetRangeState(m_lines->LineRange(start));
    }
    const int scanned = ScanLines(start, last);
    InvalidateLines(TLineNumber::OfIndex(start).Number(), TLineNumber::OfIndex(scanned).Number());
}

void TCustomSynEdit::RescanAll() {
    // Every stored state is stale; they are computed again as the lines are painted.
    m_highlighting.RangesKnown = 0;
    if (m_highlighting.Highlighter) RangesPending();
}

// Every change of the line buffer arrives inside a change bracket; the rescans it needs are
// collected and run once when the bracket closes, so loading or replacing many lines scans each
// line once. A restart at index i scans from line i - 1, whose start state is still valid.
void TCustomSynEdit::ListAdded(int index) {
    const int line = TLineNumber::OfIndex(index).Number();
    LinesMoved(index);
    QueueRescan(std::max(0, index - 1), std::max(0, index - 1));
    m_view.InvalidateToBottom(line);
}

void TCustomSynEdit::ListDeleted(int index) {
    const int line = TLineNumber::OfIndex(index).Number();
    LinesMoved(index);
    QueueRescan(std::max(0, index - 1), std::max(0, index - 1));
    m_view.InvalidateToBottom(line);
}

void TCustomSynEdit::ListInserted(int index) {
    const int line = TLineNumber::OfIndex(index).Number();
    LinesMoved(index);
    QueueRescan(std::max(0, index - 1), std::max(0, index - 1));
    const int bottom = TopLine() + LinesInWindow();
    m_view.InvalidateGutterLines(line, bottom);
    InvalidateLines(line, bottom);
}

void TCustomSynEdit::ListPutted(int index) {
    const int line = TLineNumber::OfIndex(index).Number();
    QueueRescan(index, index);
    InvalidateLines(line, line);
}

void TCustomSynEdit::ListCleared() {
    m_highlighting.RangesKnown = 0;
    m_highlighting.RescanCount = 0;
    m_undoList->Clear();
    m_redoList->Clear();
    Invalidate();
    const TPaintLockScope lock(m_view);
    m_caret.Reset();
    m_view.Reset();
    StatusChanged(stAll);
}

void TCustomSynEdit::ListBeginUpdate() {
    if (!m_view.InChanges()) m_highlighting.RescanCount = m_lines->GetCount();
    m_view.ChangesBegun();
}

void TCustomSynEdit::ListEndUpdate() {
    if (!m_view.ChangesEnded()) return;
    const TPaintLockScope lock(m_view);
    RunQueuedRescan();
    if (m_highlighting.Highlighter && m_highlighting.RangesKnown < m_lines->GetCount())
        RangesPending();
    SetBlockBegin(CaretXY());
    m_view.FlushCollected();
    if (m_gutter.ShowLineNumbers()) m_gutter.AutoSizeDigitCount(m_lines->GetCount());
    if (!HasOption(eoScrollPastEof)) SetTopLine(TopLine());
}
