// Editor logic: undo and redo. Replaying an item applies its exact inverse (undo) or the change
// again (redo) and records the counterpart on the other list under the same change number, so a
// group moves between the two lists as one group. Every kind of change has its pair of steps
// below, the undo step next to the redo step, and ReplayPairFor finds the pair of a kind.
#include <algorithm>

#include "editor/custom_synedit.h"
#include "editor/editor_commands.h"
#include "editor/lines_by_number.h"
#include "editor/synedit_scopes.h"
#include "editor/undo_list.h"

bool TCustomSynEdit::CanUndo() const {
    return m_undoList->CanUndo();
}

bool TCustomSynEdit::CanRedo() const {
    return m_redoList->CanUndo();
}

void TCustomSynEdit::BeginUndoBlock() {
    m_undoList->BeginBlock();
}

void TCustomSynEdit::EndUndoBlock() {
    // Trims held back for the block's insertion belong to its group.
    if (m_undoList->BlockCount() == 1) m_changer.FlushPendingTrims();
    m_undoList->EndBlock();
}

void TCustomSynEdit::LockUndo() {
    m_undoList->Lock();
    m_redoList->Lock();
}

void TCustomSynEdit::UnlockUndo() {
    m_undoList->Unlock();
    m_redoList->Unlock();
}

void TCustomSynEdit::ClearUndo() {
    m_undoList->Clear();
    m_redoList->Clear();
    m_savedChangeNumber = 0;
    UpdateModified();
}

void TCustomSynEdit::Undo() {
    ReplayGroup(*m_undoList, *m_redoList, false);
}

void TCustomSynEdit::Redo() {
    ReplayGroup(*m_redoList, *m_undoList, true);
}

// Replays the newest group of `from` item by item; what the replay records goes to `to` under
// the same change number, so the group moves over as one group.
void TCustomSynEdit::ReplayGroup(TSynEditUndoList& from, TSynEditUndoList& to, bool redo) {
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
        const TSynSelectionMode mode = SelectionMode();
        const TSynEditorOptions options = m_settings.Options;
        const bool replay = m_changer.Replaying();
        const bool inRedo = m_inRedo;
        const TScopeExit frame([=, this] {
            m_caret.SetModeQuietly(mode);
            RestoreOptions(options);
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

void TCustomSynEdit::UndoInsertion(const TSynEditUndoItem& item, TSynEditUndoList& to) {
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
    ReplaceRange(start, item.ChangeEndPos, mode, item.ChangeStr, mode, true);
    SetCaretAndSelection(start, start, start);
}

void TCustomSynEdit::RedoInsertion(const TSynEditUndoItem& item, TSynEditUndoList& to) {
    const TSynSelectionMode mode = item.ChangeSelMode;
    const TBufferCoord start = item.ChangeStartPos;
    SetCaretAndSelection(start, start, start);
    ReplaceRange(start, start, mode, item.ChangeStr, mode, false);
    RecordCounterpart(to, item, "", mode);
    if (item.ChangeReason == ukDragInsert)
        SetCaretAndSelection(item.ChangeEndPos, start, item.ChangeEndPos);
}

// ---------------------------------------------------------------- deletions (keys, selection)

void TCustomSynEdit::UndoDeletion(const TSynEditUndoItem& item, TSynEditUndoList& to) {
    const TSynSelectionMode mode = item.ChangeSelMode;
    const TBufferCoord start = item.ChangeStartPos;
    const TBufferCoord end = item.ChangeEndPos;
    TBufferCoord at = CoordLess(end, start) ? end : start;
    if (mode == smColumn) at = {std::min(start.Char, end.Char), std::min(start.Line, end.Line)};
    ReplaceRange(at, at, mode, item.ChangeStr, mode, false);
    switch (item.ChangeReason) {
        case ukDeleteSelBack:
            SetCaretAndSelection(start, start, end);
            break;
        case ukDeleteSel:
            SetCaretAndSelection(end, start, end);
            break;
        case ukBackspace:
            SetCaretAndSelection(end, end, end);
            break;
        default:
            SetCaretAndSelection(start, start, start);
            break;
    }
    RecordCounterpart(to, item, "", mode);
    EnsureCursorPosVisible();
}

void TCustomSynEdit::RedoDeletion(const TSynEditUndoItem& item, TSynEditUndoList& to) {
    const TSynSelectionMode mode = item.ChangeSelMode;
    const TBufferCoord start = item.ChangeStartPos;
    RecordCounterpart(to, item, m_changer.RangeText(start, item.ChangeEndPos, mode), mode);
    ReplaceRange(start, item.ChangeEndPos, mode, "", mode, true);
    SetCaretAndSelection(start, start, start);
}

// ---------------------------------------------------------------- line breaks

void TCustomSynEdit::UndoLineBreak(const TSynEditUndoItem& item, TSynEditUndoList& to) {
    const TBufferCoord start = item.ChangeStartPos;
    SetCaretAndSelection(start, start, start);
    RecordCounterpart(to, item, item.ChangeStr, item.ChangeSelMode);
    const TTextChangeScope change(m_view, *m_lines);
    const TLineNumber line = TLineNumber::Of(start);
    if (line < LastLine(*m_lines)) {
        std::string joined(LineAt(line));
        joined.append(item.ChangeStr);
        DeleteAt(*m_lines, line.Next());
        m_marks.LinesDeleted(start.Line, 1);
        PutAt(*m_lines, line, joined);
    }
}

void TCustomSynEdit::RedoLineBreak(const TSynEditUndoItem& item, TSynEditUndoList& to) {
    // The break is made again exactly as recorded: the line splits at the start column (no
    // padding) and the new line starts with the recorded number of indent characters, whatever
    // the command (new line or insert line) and the options were. The indent was copied from
    // the start of the split line, so it is copied from there again when that line still
    // starts with as many blanks and tabs.
    const TBufferCoord start = item.ChangeStartPos;
    SetCaretAndSelection(start, start, start);
    RecordCounterpart(to, item, item.ChangeStr, item.ChangeSelMode);
    const TTextChangeScope change(m_view, *m_lines);
    const TLineNumber line = TLineNumber::Of(start);
    m_changer.EnsureLine(line);
    const std::string text(LineAt(line));
    const std::size_t split =
        std::min(text.size(), static_cast<std::size_t>(std::max(0, start.Char - 1)));
    const int indent = std::max(0, item.ChangeEndPos.Char - 1);
    std::string indentText = text.substr(0, std::min(split, static_cast<std::size_t>(indent)));
    if (static_cast<int>(indentText.size()) != indent ||
        indentText.find_first_not_of(" \t") != std::string::npos)
        indentText.assign(static_cast<std::size_t>(indent), ' ');
    PutAt(*m_lines, line, text.substr(0, split));
    InsertAt(*m_lines, line.Next(), indentText + text.substr(split));
    m_marks.LinesInserted(start.Line, 1);
    SetCaretXY(item.ChangeEndPos);
}

// ---------------------------------------------------------------- block indent

void TCustomSynEdit::UndoIndent(const TSynEditUndoItem& item, TSynEditUndoList& to) {
    const TBufferCoord start = item.ChangeStartPos;
    const TBufferCoord from{1, start.Line};
    const TBufferCoord till{m_tabWidth + 1, LastIndentedLine(start, item.ChangeEndPos)};
    RecordCounterpart(to, item, m_changer.RangeText(from, till, smColumn), smColumn);
    ReplaceRange(from, till, smColumn, "", smColumn, true);
    SetCaretAndSelection(item.ChangeEndPos, start, item.ChangeEndPos);
}

void TCustomSynEdit::RedoIndent(const TSynEditUndoItem& item, TSynEditUndoList& to) {
    const TBufferCoord start = item.ChangeStartPos;
    const TBufferCoord end = item.ChangeEndPos;
    IndentLines(start.Line, LastIndentedLine(start, end));
    RecordCounterpart(to, item, item.ChangeStr, smColumn);
    SetCaretAndSelection({1, end.Line + 1}, {start.Char + m_tabWidth, start.Line},
                         {end.Char == 1 ? 1 : end.Char + m_tabWidth, end.Line});
}

// ---------------------------------------------------------------- block unindent

void TCustomSynEdit::UndoUnindent(const TSynEditUndoItem& item, TSynEditUndoList& to) {
    const TBufferCoord start = item.ChangeStartPos;
    RecordCounterpart(to, item, item.ChangeStr, smColumn);
    ReplaceRange({1, start.Line}, {1, start.Line}, smColumn, item.ChangeStr, smColumn, false);
    SetCaretAndSelection(start, start, item.ChangeEndPos);
}

void TCustomSynEdit::RedoUnindent(const TSynEditUndoItem& item, TSynEditUndoList& to) {
    const TBufferCoord start = item.ChangeStartPos;
    const TBufferCoord end = item.ChangeEndPos;
    const std::string_view pieces = item.ChangeStr;
    RecordCounterpart(to, item, pieces, smColumn);
    RemoveLeadingSpaces(TLineNumber::Of(start), pieces);
    const std::size_t lastBreak = pieces.rfind("\r\n");
    const int firstCount = static_cast<int>(pieces.substr(0, pieces.find("\r\n")).size());
    const int lastCount = static_cast<int>(
        lastBreak == std::string_view::npos ? pieces.size() : pieces.size() - lastBreak - 2);
    const TBufferCoord b{std::max(1, start.Char - firstCount), start.Line};
    SetCaretAndSelection(b, b, {std::max(1, end.Char - lastCount), end.Line});
}

// ---------------------------------------------------------------- the table

const TCustomSynEdit::TReplayPair& TCustomSynEdit::ReplayPairFor(TSynChangeReason kind) {
    static constexpr TReplayPair kInsertion{&TCustomSynEdit::UndoInsertion,
                                            &TCustomSynEdit::RedoInsertion};
    static constexpr TReplayPair kDeletion{&TCustomSynEdit::UndoDeletion,
                                           &TCustomSynEdit::RedoDeletion};
    static constexpr TReplayPair kLineBreak{&TCustomSynEdit::UndoLineBreak,
                                            &TCustomSynEdit::RedoLineBreak};
    static constexpr TReplayPair kIndent{&TCustomSynEdit::UndoIndent, &TCustomSynEdit::RedoIndent};
    static constexpr TReplayPair kUnindent{&TCustomSynEdit::UndoUnindent,
                                           &TCustomSynEdit::RedoUnindent};
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
