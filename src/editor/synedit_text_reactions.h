// The editor control's reactions to changes of its line buffer and of its highlighter:
// incremental re-highlighting that stops where the stored range states agree again, the lazy
// frontier of computed range states, repainting what changed, and the caret, selection, view
// and gutter following a change. Only the lines from the top down to the last one painted or
// asked for carry computed states; the rest are computed on demand or in idle-time slices, so
// opening or editing a long text never scans it whole.
#pragma once

#include <chrono>
#include <functional>

#include "editor/long_line_scan.h"

class ISynEditorHost;
class TSynCaretSelection;
class TSynCustomHighlighter;
class TSynEditStringList;
class TSynEditUndoList;
class TSynGutter;
class TSynViewport;
struct TSynEditorSettings;

class TSynTextReactions {
  public:
    // What the control does beyond its parts: measure the font again when the highlighter's
    // attributes change, and schedule idle work when range states are left to compute.
    struct TCallbacks {
        std::function<void()> MetricsChanged;
        // `soon`: the text is new (loaded or cleared), nobody is typing into it yet, so the
        // work need not wait for a quiet moment.
        std::function<void(bool soon)> RangesPending;
    };
    TSynTextReactions(const TSynEditorSettings& settings, ISynEditorHost& host,
                      TSynEditStringList& lines, TSynViewport& view, TSynCaretSelection& caret,
                      TSynGutter& gutter, TSynEditUndoList& undoList, TSynEditUndoList& redoList,
                      TCallbacks callbacks);
    ~TSynTextReactions();
    TSynTextReactions(const TSynTextReactions&) = delete;
    TSynTextReactions& operator=(const TSynTextReactions&) = delete;

    TSynCustomHighlighter* Highlighter() const { return m_highlighter; }
    // Where painting resumes the highlighter inside a long line.
    TSynLongLineScan& LongLineScan() { return m_longLineScan; }
    // Hooks the highlighter's attribute changes and its destruction (then the text is drawn
    // uncoloured) and marks every range state stale.
    void SetHighlighter(TSynCustomHighlighter* value);

    // --- range states (synedit_range_frontier.cpp): lines [0, RangesKnown()) hold the state a
    // full scan from the top would give them ---
    int RangesKnown() const { return m_rangesKnown; }
    // Computes the range states of every line up to buffer index `lastIndex`.
    void EnsureRanges(int lastIndex);
    // The range state at the start of buffer line `index`, computed first when needed.
    int RangeStateAt(int index);
    // Carries the computed range states forward for about `budget`, then the scan points of a
    // long line under the caret; true while work remains.
    bool ComputeRangesFor(std::chrono::microseconds budget);

  private:
    bool HasOption(unsigned options) const;
    void Unhook();
    void ListAdded(int index);
    void ListDeleted(int index);
    void ListInserted(int index);
    void ListPutted(int index);
    void ListCleared();
    void ListBeginUpdate();
    void ListEndUpdate();
    // Scans from buffer line `index` (its start state set); returns the last line scanned.
    int ScanLines(int index, int mustReach);
    void QueueRescan(int firstLine, int lastLine);
    void LinesMoved(int index);
    void MoveRangeFrontier(int index, int delta);
    bool ScanCaretLineAhead(std::chrono::steady_clock::time_point deadline);
    bool LongLineAtCaret() const;
    void RunQueuedRescan();
    void RescanAll();

    const TSynEditorSettings& m_settings;
    ISynEditorHost& m_host;
    TSynEditStringList& m_lines;
    TSynViewport& m_view;
    TSynCaretSelection& m_caret;
    TSynGutter& m_gutter;
    TSynEditUndoList& m_undoList;
    TSynEditUndoList& m_redoList;
    TCallbacks m_callbacks;
    TSynCustomHighlighter* m_highlighter = nullptr;
    TSynLongLineScan m_longLineScan;
    // Heard from the highlighter when its attributes change.
    std::function<void(void*)> m_onAttributesChanged;
    int m_rescanFirst = -1;  // rescan queued inside a change bracket: first and last line
    int m_rescanLast = -1;
    int m_rescanCount = 0;   // line count when the queue last followed a move
    int m_rangesKnown = 0;   // lines from the top whose stored range state is valid
    bool m_newText = false;  // the change bracket now open began on an empty or cleared list
};
