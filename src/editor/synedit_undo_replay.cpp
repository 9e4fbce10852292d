// Undo and redo replay. Every kind of change has its pair of steps below, the undo step next to
// the redo step, and ReplayPairFor finds the pair of a kind.
#include <algorithm>

#include "editor/synedit_undo_replay.h"

#include "editor/lines_by_number.h"
#include "editor/marks.h"
#include "editor/synedit_caret.h"
#include "editor/synedit_scopes.h"
#include "editor/synedit_selection_text.h"
#include "editor/undo_list.h"

TSynUndoReplay::TSynUndoReplay(const TSynEditorParts& parts, TSynEditUndoList& undoList,
                               TSynEditUndoList& redoList)
    : TSynEditorParts(parts), m_undoList(undoList), m_redoList(redoList) {}

bool TSynUndoReplay::CanUndo() const {
    return m_undoList.CanUndo();
}

bool TSynUndoReplay::CanRedo() const {
    return m_redoList.CanUndo();
}

void TSynUndoReplay::Lock() {
    m_undoList.Lock();
    m_redoList.Lock();
}

void TSynUndoReplay::Unlock() {
    m_undoList.Unlock();
    m_redoList.Unlock();
}

void TSynUndoReplay::Clear() {
    m_undoList.Clear();
    m_redoList.Clear();
    m_savedChangeNumber = 0;
    UpdateModified();
}

void TSynUndoReplay::Undo() {
    ReplayGroup(m_undoList, m_redoList, false);
}

void TSynUndoReplay::Redo() {
    ReplayGroup(m_redoList, m_undoList, true);
}

// ---------------------------------------------------------------- where the saved text lies

void TSynUndoReplay::ListChanged(const TSynEditUndoList* list) {
    UpdateModified();
    // A new edit makes what was undone unreachable; a redo replay keeps it.
    if (list == &m_undoList && !m_inRedo) m_redoList.Clear();
}

void TSynUndoReplay::UpdateModified() {
    // Change numbers are never reused for another group, and undo and redo keep a group's
    // number, so the newest undo item's number names the text the history has reached.
    const TSynEditUndoItem* newest = m_undoList.PeekItem();
    const std::int32_t current = newest != nullptr ? newest->ChangeNumber : 0;
    const bool modified = current != m_savedChangeNumber;
    if (modified != m_modified) {
        m_modified = modified;
        m_host.EditorStatusChanged(stModified);
    }
}

void TSynUndoReplay::ItemDropped(std::int32_t changeNumber) {
    if (m_savedChangeNumber == 0) {
        // The saved text lay below everything recorded: part of the way back is gone.
        m_savedChangeNumber = -1;
    } else if (changeNumber == m_savedChangeNumber) {
        // With the saved group gone whole, undoing everything left returns to the saved text.
        if (m_undoList.ItemCount() == 0 || m_undoList.Item(0).ChangeNumber != changeNumber)
            m_savedChangeNumber = 0;
    }
}

void TSynUndoReplay::MarkSaved() {
    const TSynEditUndoItem* newest = m_undoList.PeekItem();
    m_savedChangeNumber = newest != nullptr ? newest->ChangeNumber : 0;
    UpdateModified();
}

// ---------------------------------------------------------------- replay

// Replays the newest group of `from` item by item; what the replay records goes to `to` under
// the same change number, so the group moves over as one group.
void TSynUndoReplay::ReplayGroup(TSynEditUndoList& from, TSynEditUndoList& to, bool redo) {
    const TSynEditUndoItem* next = from.PeekItem();
    if (!next) return;
    const std::int32_t number = next->ChangeNumber;
    const std::int32_t saved = to.BlockChangeNumber();
    to.SetBlockChangeNumber(number);
    const TPaintLockScope lock(m_view);
    const TScopeExit restore([&] { to.SetBlockChangeNumber(saved); });
    do {
        const std::unique_ptr<TSynEditUndoItem> item = from.PopItem();
        // The frame of one item: its selection mode, a paint lock, eoScrollPastEol on and the
        // replay flags, all restored afterwards, also on failure.
        const TPaintLockScope itemLock(m_view);
        const TSynSelectionMode mode = m_caret.SelectionMode();
        const TSynEditorOptions options = m_settings.Options;
        const bool replay = m_changer.Replaying();
        const bool inRedo = m_inRedo;
        const TScopeExit frame([=, this] {
            m_caret.SetModeQuietly(mode);
            m_text.RestoreOptions(options);
            m_changer.SetReplaying(replay);
            m_inRedo = inRedo;
        });
        m_caret.SetModeQuietly(item->ChangeSelMode);
        m_settings.Options |= eoScrollPastEol;
        m_changer.SetReplaying(true);
        if (redo) m_inRedo = true;
        const TReplayPair& pair = ReplayPairFor(item->ChangeReason);
        (this->*(redo ? pair.redo : pair.undo))(*item, to);
        next = from.PeekItem();
    } while (next && next->ChangeNumber == number);
}

namespace {

// Records the counterpart of `item` on the other list with its kind and range.
void RecordCounterpart(TSynEditUndoList& to, const TSynEditUndoItem& item, std::string_view text,
                       TSynSelectionMode mode) {
    to.AddChange(item.ChangeReason, item.ChangeStartPos, item.ChangeEndPos, text, mode);
}

// The last line a block indent or unindent covers: a block ending at column 1 leaves its last
// line alone.
int LastIndentedLine(const TBufferCoord& start, const TBufferCoord& end) {
    return std::max(start.Line, end.Char == 1 ? end.Line - 1 : end.Line);
}

}  // namespace

// ---------------------------------------------------------------- insertions (typing, paste, drop)

void TSynUndoReplay::UndoInsertion(const TSynEditUndoItem& item, TSynEditUndoList& to) {
    const TSynSelectionMode mode = item.ChangeSelMode;
    const TBufferCoord start = item.ChangeStartPos;
    RecordCounterpart(to, item, m_changer.RangeText(start, item.ChangeEndPos, mode), mode);
    if (!item.ChangeStr.empty()) {
        // Typing in overwrite mode replaced these characters; redo has to remove them again
        // before it inserts, so their deletion goes on top of the redo list.
        const TBufferCoord replacedEnd{start.Char + static_cast<int>(item.ChangeStr.size()),
                                       start.Line};
        to.AddChange(ukDeleteChar, start, replacedEnd, item.ChangeStr, smNormal);
    }
    m_text.ReplaceRange(start, item.ChangeEndPos, mode, item.ChangeStr, mode, true);
    m_caret.SetCaretAndSelection(start, start, start);
}

void TSynUndoReplay::RedoInsertion(const TSynEditUndoItem& item, TSynEditUndoList& to) {
    const TSynSelectionMode mode = item.ChangeSelMode;
    const TBufferCoord start = item.ChangeStartPos;
    m_caret.SetCaretAndSelection(start, start, start);
    m_text.ReplaceRange(start, start, mode, item.ChangeStr, mode, false);
    RecordCounterpart(to, item, "", mode);
    if (item.ChangeReason == ukDragInsert)
        m_caret.SetCaretAndSelection(item.ChangeEndPos, start, item.ChangeEndPos);
}

// ---------------------------------------------------------------- deletions (keys, selection)

void TSynUndoReplay::UndoDeletion(const TSynEditUndoItem& item, TSynEditUndoList& to) {
    const TSynSelectionMode mode = item.ChangeSelMode;
    const TBufferCoord start = item.ChangeStartPos;
    const TBufferCoord end = item.ChangeEndPos;
    TBufferCoord at = CoordLess(end, start) ? end : start;
    if (mode == smColumn) at = {std::min(start.Char, end.Char), std::min(start.Line, end.Line)};
    m_text.ReplaceRange(at, at, mode, item.ChangeStr, mode, false);
    switch (item.ChangeReason) {
        case ukDeleteSelBack:
            m_caret.SetCaretAndSelection(start, start, end);
            break;
        case ukDeleteSel:
            m_caret.SetCaretAndSelection(end, start, end);
            break;
        case ukBackspace:
            m_caret.SetCaretAndSelection(end, end, end);
            break;
        default:
            m_caret.SetCaretAndSelection(start, start, start);
            break;
    }
    RecordCounterpart(to, item, "", mode);
    m_caret.EnsureCursorPosVisible();
}

void TSynUndoReplay::RedoDeletion(const TSynEditUndoItem& item, TSynEditUndoList& to) {
    const TSynSelectionMode mode = item.ChangeSelMode;
    const TBufferCoord start = item.ChangeStartPos;
    RecordCounterpart(to, item, m_changer.RangeText(start, item.ChangeEndPos, mode), mode);
    m_text.ReplaceRange(start, item.ChangeEndPos, mode, "", mode, true);
    m_caret.SetCaretAndSelection(start, start, start);
}

// ---------------------------------------------------------------- line breaks

void TSynUndoReplay::UndoLineBreak(const TSynEditUndoItem& item, TSynEditUndoList& to) {
    const TBufferCoord start = item.ChangeStartPos;
    m_caret.SetCaretAndSelection(start, start, start);
    RecordCounterpart(to, item, item.ChangeStr, item.ChangeSelMode);
    const TTextChangeScope change(m_view, m_lines);
    const TLineNumber line = TLineNumber::Of(start);
    if (line < LastLine(m_lines)) {
        std::string joined(m_changer.LineAt(line));
        joined.append(item.ChangeStr);
        DeleteAt(m_lines, line.Next());
        m_marks.LinesDeleted(start.Line, 1);
        PutAt(m_lines, line, joined);
    }
}

void TSynUndoReplay::RedoLineBreak(const TSynEditUndoItem& item, TSynEditUndoList& to) {
    // The break is made again exactly as recorded: the line splits at the start column (no
    // padding) and the new line starts with the recorded number of indent characters, whatever
    // the command (new line or insert line) and the options were. The indent was copied from
    // the start of the split line, so it is copied from there again when that line still
    // starts with as many blanks and tabs.
    const TBufferCoord start = item.ChangeStartPos;
    m_caret.SetCaretAndSelection(start, start, start);
    RecordCounterpart(to, item, item.ChangeStr, item.ChangeSelMode);
    const TTextChangeScope change(m_view, m_lines);
    const TLineNumber line = TLineNumber::Of(start);
    m_changer.EnsureLine(line);
    const std::string text(m_changer.LineAt(line));
    const std::size_t split =
        std::min(text.size(), static_cast<std::size_t>(std::max(0, start.Char - 1)));
    const int indent = std::max(0, item.ChangeEndPos.Char - 1);
    std::string indentText = text.substr(0, std::min(split, static_cast<std::size_t>(indent)));
    if (static_cast<int>(indentText.size()) != indent ||
        indentText.find_first_not_of(" \t") != std::string::npos)
        indentText.assign(static_cast<std::size_t>(indent), ' ');
    PutAt(m_lines, line, text.substr(0, split));
    InsertAt(m_lines, line.Next(), indentText + text.substr(split));
    m_marks.LinesInserted(start.Line, 1);
    m_caret.SetCaretXY(item.ChangeEndPos);
}

// ---------------------------------------------------------------- block indent

void TSynUndoReplay::UndoIndent(const TSynEditUndoItem& item, TSynEditUndoList& to) {
    const TBufferCoord start = item.ChangeStartPos;
    const TBufferCoord from{1, start.Line};
    const TBufferCoord till{m_settings.TabWidth + 1, LastIndentedLine(start, item.ChangeEndPos)};
    RecordCounterpart(to, item, m_changer.RangeText(from, till, smColumn), smColumn);
    m_text.ReplaceRange(from, till, smColumn, "", smColumn, true);
    m_caret.SetCaretAndSelection(item.ChangeEndPos, start, item.ChangeEndPos);
}

void TSynUndoReplay::RedoIndent(const TSynEditUndoItem& item, TSynEditUndoList& to) {
    const TBufferCoord start = item.ChangeStartPos;
    const TBufferCoord end = item.ChangeEndPos;
    m_text.IndentLines(start.Line, LastIndentedLine(start, end));
    RecordCounterpart(to, item, item.ChangeStr, smColumn);
    m_caret.SetCaretAndSelection({1, end.Line + 1}, {start.Char + m_settings.TabWidth, start.Line},
                                 {end.Char == 1 ? 1 : end.Char + m_settings.TabWidth, end.Line});
}

// ---------------------------------------------------------------- block unindent

void TSynUndoReplay::UndoUnindent(const TSynEditUndoItem& item, TSynEditUndoList& to) {
    const TBufferCoord start = item.ChangeStartPos;
    RecordCounterpart(to, item, item.ChangeStr, smColumn);
    m_text.ReplaceRange({1, start.Line}, {1, start.Line}, smColumn, item.ChangeStr, smColumn,
                        false);
    m_caret.SetCaretAndSelection(start, start, item.ChangeEndPos);
}

void TSynUndoReplay::RedoUnindent(const TSynEditUndoItem& item, TSynEditUndoList& to) {
    const TBufferCoord start = item.ChangeStartPos;
    const TBufferCoord end = item.ChangeEndPos;
    const std::string_view pieces = item.ChangeStr;
    RecordCounterpart(to, item, pieces, smColumn);
    m_text.RemoveLeadingSpaces(TLineNumber::Of(start), pieces);
    const std::size_t lastBreak = pieces.rfind("\r\n");
    const int firstCount = static_cast<int>(pieces.substr(0, pieces.find("\r\n")).size());
    const int lastCount = static_cast<int>(
        lastBreak == std::string_view::npos ? pieces.size() : pieces.size() - lastBreak - 2);
    const TBufferCoord b{std::max(1, start.Char - firstCount), start.Line};
    m_caret.SetCaretAndSelection(b, b, {std::max(1, end.Char - lastCount), end.Line});
}

// ---------------------------------------------------------------- the table

const TSynUndoReplay::TReplayPair& TSynUndoReplay::ReplayPairFor(TSynChangeReason kind) {
    static constexpr TReplayPair kInsertion{&TSynUndoReplay::UndoInsertion,
                                            &TSynUndoReplay::RedoInsertion};
    static constexpr TReplayPair kDeletion{&TSynUndoReplay::UndoDeletion,
                                           &TSynUndoReplay::RedoDeletion};
    static constexpr TReplayPair kLineBreak{&TSynUndoReplay::UndoLineBreak,
                                            &TSynUndoReplay::RedoLineBreak};
    static constexpr TReplayPair kIndent{&TSynUndoReplay::UndoIndent, &TSynUndoReplay::RedoIndent};
    static constexpr TReplayPair kUnindent{&TSynUndoReplay::UndoUnindent,
                                           &TSynUndoReplay::RedoUnindent};
    // Indexed by TSynChangeReason.
    static constexpr const TReplayPair* kPairs[] = {
        &kInsertion,  // ukInsert
        &kInsertion,  // ukPaste
        &kInsertion,  // ukDragInsert
        &kDeletion,   // ukDeleteSelBack
        &kDeletion,   // ukDeleteSel
        &kLineBreak,  // ukLineBreak
        &kIndent,     // ukIndent
        &kUnindent,   // ukUnindent
        &kDeletion,   // ukBackspace
        &kDeletion,   // ukDeleteChar
    };
    static_assert(std::size(kPairs) == ukDeleteChar + 1);
    return *kPairs[kind];
}
