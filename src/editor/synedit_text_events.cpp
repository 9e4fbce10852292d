// Editor logic: reactions to the line buffer's change hooks — incremental re-highlighting that
// stops where the stored range states agree again, repainting of what changed, and collecting
// invalidations while a change bracket is open.
#include "editor/synedit_text_reactions.h"

#include <algorithm>
#include <utility>

#include "editor/gutter.h"
#include "editor/lines_by_number.h"
#include "editor/string_list.h"
#include "editor/synedit_caret.h"
#include "editor/synedit_scopes.h"
#include "editor/synedit_viewport.h"
#include "editor/undo_list.h"
#include "highlight/syn_custom_highlighter.h"

TSynTextReactions::TSynTextReactions(const TSynEditorSettings& settings, ISynEditorHost& host,
                                     TSynEditStringList& lines, TSynViewport& view,
                                     TSynCaretSelection& caret, TSynGutter& gutter,
                                     TSynEditUndoList& undoList, TSynEditUndoList& redoList,
                                     TCallbacks callbacks)
    : m_settings(settings),
      m_host(host),
      m_lines(lines),
      m_view(view),
      m_caret(caret),
      m_gutter(gutter),
      m_undoList(undoList),
      m_redoList(redoList),
      m_callbacks(std::move(callbacks)) {
    m_onAttributesChanged = [this](void*) {
        m_callbacks.MetricsChanged();
        m_view.Invalidate();
    };
    m_lines.SetOnAdded([this](TSynEditStringList*, int index) { ListAdded(index); });
    m_lines.SetOnDeleted([this](TSynEditStringList*, int index) { ListDeleted(index); });
    m_lines.SetOnInserted([this](TSynEditStringList*, int index) { ListInserted(index); });
    m_lines.SetOnPutted([this](TSynEditStringList*, int index) { ListPutted(index); });
    m_lines.SetOnCleared([this](TSynEditStringList*) { ListCleared(); });
    m_lines.SetOnBeginChanges([this](TSynEditStringList*) { ListBeginUpdate(); });
    m_lines.SetOnEndChanges([this](TSynEditStringList*) { ListEndUpdate(); });
}

TSynTextReactions::~TSynTextReactions() {
    Unhook();
}

bool TSynTextReactions::HasOption(unsigned options) const {
    return (m_settings.Options & options) != 0;
}

void TSynTextReactions::Unhook() {
    if (!m_highlighter) return;
    m_highlighter->UnhookAttributesChanged(m_onAttributesChanged, this);
    m_highlighter->RemoveFreeNotification(this);
    m_highlighter = nullptr;
}

void TSynTextReactions::SetHighlighter(TSynCustomHighlighter* value) {
    Unhook();
    m_highlighter = value;
    m_longLineScan.Forget();
    if (m_highlighter) {
        m_highlighter->HookAttributesChanged(m_onAttributesChanged, this);
        // A destroyed highlighter is forgotten; the text is then drawn uncoloured.
        m_highlighter->AddFreeNotification(this, [this] {
            m_highlighter = nullptr;
            m_callbacks.MetricsChanged();
            m_view.Invalidate();
        });
    }
    m_callbacks.MetricsChanged();
    if (m_highlighter) RescanAll();
    m_view.Invalidate();
}

int TSynTextReactions::ScanLines(int index, int mustReach) {
    const int count = m_lines.GetCount();
    if (!m_highlighter || index >= count - 1) return index;
    // The caller has set the highlighter's range for line `index`. Lines up to `mustReach` are
    // scanned whatever their stored ranges say; after that the scan stops where they agree. It
    // also stops at the edge of the computed states, and past the bottom of the view it stops
    // anyway and moves that edge up: lines below are computed when painted or when idle, so a
    // key that opens a comment above a long text costs no more than the view.
    const int viewEnd = std::max(mustReach, m_view.TopLine() - 1 + m_view.LinesInWindow());
    int i = index;
    while (true) {
        const std::string_view text = m_lines.GetView(i);
        m_highlighter->StartLine(text, i);
        m_highlighter->ScanToLineEnd();
        if (++i >= count || i >= m_rangesKnown) break;
        const int32_t range = m_highlighter->RangeState();
        if (i > mustReach && range == m_lines.LineRange(i)) break;
        if (i > viewEnd) {
            m_rangesKnown = i;
            break;
        }
        m_lines.SetLineRange(i, range);
    }
    return i - 1;
}

void TSynTextReactions::QueueRescan(int firstLine, int lastLine) {
    if (!m_highlighter) return;
    if (m_rescanFirst < 0) {
        m_rescanFirst = firstLine;
        m_rescanLast = lastLine;
    } else {
        m_rescanFirst = std::min(m_rescanFirst, firstLine);
        m_rescanLast = std::max(m_rescanLast, lastLine);
    }
}

void TSynTextReactions::LinesMoved(int index) {
    // Lines inserted at or above a queued change move it down.
    const int count = m_lines.GetCount();
    if (m_rescanFirst >= 0 && index <= m_rescanLast && count > m_rescanCount)
        m_rescanLast += count - m_rescanCount;
    MoveRangeFrontier(index, count - m_rescanCount);
    m_rescanCount = count;
}

void TSynTextReactions::RunQueuedRescan() {
    const int first = m_rescanFirst;
    const int last = m_rescanLast;
    m_rescanFirst = m_rescanLast = -1;
    const int count = m_lines.GetCount();
    if (!m_highlighter || first < 0 || count == 0) return;
    const int start = std::min(first, count - 1);
    // Nothing at or below the frontier has been computed, so nothing there is stale.
    if (start >= m_rangesKnown) return;
    if (start == 0) {
        m_highlighter->ResetRangeState();
        m_lines.SetLineRange(0, m_highlighter->RangeState());
    } else {
        m_highlighter->SetRangeState(m_lines.LineRange(start));
    }
    const int scanned = ScanLines(start, last);
    m_view.InvalidateLines(TLineNumber::OfIndex(start).Number(),
                           TLineNumber::OfIndex(scanned).Number());
}

void TSynTextReactions::RescanAll() {
    // Every stored state is stale; they are computed again as the lines are painted.
    m_rangesKnown = 0;
    if (m_highlighter) m_callbacks.RangesPending(false);
}

// Every change of the line buffer arrives inside a change bracket; the rescans it needs are
// collected and run once when the bracket closes, so loading or replacing many lines scans each
// line once. A restart at index i scans from line i - 1, whose start state is still valid.
void TSynTextReactions::ListAdded(int index) {
    const int line = TLineNumber::OfIndex(index).Number();
    LinesMoved(index);
    QueueRescan(std::max(0, index - 1), std::max(0, index - 1));
    m_view.InvalidateToBottom(line);
}

void TSynTextReactions::ListDeleted(int index) {
    const int line = TLineNumber::OfIndex(index).Number();
    LinesMoved(index);
    QueueRescan(std::max(0, index - 1), std::max(0, index - 1));
    m_view.InvalidateToBottom(line);
}

void TSynTextReactions::ListInserted(int index) {
    const int line = TLineNumber::OfIndex(index).Number();
    LinesMoved(index);
    QueueRescan(std::max(0, index - 1), std::max(0, index - 1));
    const int bottom = m_view.TopLine() + m_view.LinesInWindow();
    m_view.InvalidateGutterLines(line, bottom);
    m_view.InvalidateLines(line, bottom);
}

void TSynTextReactions::ListPutted(int index) {
    const int line = TLineNumber::OfIndex(index).Number();
    QueueRescan(index, index);
    m_view.InvalidateLines(line, line);
}

void TSynTextReactions::ListCleared() {
    m_rangesKnown = 0;
    m_rescanCount = 0;
    m_newText = true;
    m_undoList.Clear();
    m_redoList.Clear();
    m_view.Invalidate();
    const TPaintLockScope lock(m_view);
    m_caret.Reset();
    m_view.Reset();
    m_host.EditorStatusChanged(stAll);
}

void TSynTextReactions::ListBeginUpdate() {
    if (!m_view.InChanges()) {
        m_rescanCount = m_lines.GetCount();
        // Lines coming into an empty list are a text loaded, or the first one typed.
        m_newText = m_rescanCount == 0;
    }
    m_view.ChangesBegun();
}

void TSynTextReactions::ListEndUpdate() {
    if (!m_view.ChangesEnded()) return;
    const TPaintLockScope lock(m_view);
    RunQueuedRescan();
    const bool newText = std::exchange(m_newText, false);
    if (m_highlighter && (m_rangesKnown < m_lines.GetCount() || LongLineAtCaret()))
        m_callbacks.RangesPending(newText);
    m_caret.SetBlockBegin(m_caret.CaretXY());
    m_view.FlushCollected();
    if (m_gutter.ShowLineNumbers()) m_gutter.AutoSizeDigitCount(m_lines.GetCount());
    if (!HasOption(eoScrollPastEof)) m_view.SetTopLine(m_view.TopLine());
}
