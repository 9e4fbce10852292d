// Editor logic: undo and redo. Replaying an item applies its exact inverse (undo) or the change
// again (redo) and records the counterpart on the other list under the same change number, so a
// group moves between the two lists as one group.
#include <algorithm>

#include "editor/custom_synedit.h"
#include "editor/editor_commands.h"
#include "editor/scope_exit.h"
#include "editor/string_list.h"
#include "editor/undo_list.h"

namespace {

TBufferCoord ToCoord(const TTextPosition& p) {
    return {p.column, p.line};
}

}  // namespace

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
    if (m_undoList->BlockCount() == 1) FlushPendingTrims();
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
    bool modified = false;
    if (modified != m_modified) {
        m_modified = modified;
        StatusChanged(stModified);
    }
}

void TCustomSynEdit::Undo() {
    ReplayGroup(*m_undoList, *m_redoList, &TCustomSynEdit::UndoItem);
}

void TCustomSynEdit::Redo() {
    ReplayGroup(*m_redoList, *m_undoList, &TCustomSynEdit::RedoItem);
}

// Replays the newest group of `from` item by item; what the replay records goes to `to` under
// the same change number, so the group moves over as one group.
void TCustomSynEdit::ReplayGroup(TSynEditUndoList& from, TSynEditUndoList& to,
                                 void (TCustomSynEdit::*replayItem)()) {
    const TSynEditUndoItem* item = from.PeekItem();
    if (!item) return;
    const std::int32_t number = item->ChangeNumber;
    const std::int32_t saved = to.BlockChangeNumber();
    to.SetBlockChangeNumber(number);
    IncPaintLock();
    const TScopeExit restore([&] {
        to.SetBlockChangeNumber(saved);
        DecPaintLock();
    });
    const bool redo = &from == m_redoList.get();
    do {
        // The frame of one item: its selection mode, a paint lock, eoScrollPastEol on and the
        // replay flags, all restored afterwards, also on failure.
        const TSynSelectionMode mode = m_selectionMode;
        const TSynEditorOptions options = m_options;
        const bool replay = m_inReplay;
        const bool inRedo = m_inRedo;
        const TScopeExit frame([=, this] {
            m_selectionMode = mode;
            RestoreOptions(options);
            m_inReplay = replay;
            m_inRedo = inRedo;
            DecPaintLock();
        });
        m_selectionMode = item->ChangeSelMode;
        m_options |= eoScrollPastEol;
        m_inReplay = true;
        if (redo) m_inRedo = true;
        IncPaintLock();
        (this->*replayItem)();
        item = from.PeekItem();
    } while (item && item->ChangeNumber == number);
}

// Replays the newest undo item inside the frame ReplayGroup set up for it.
void TCustomSynEdit::UndoItem() {
    std::unique_ptr<TSynEditUndoItem> item = m_undoList->PopItem();
    if (!item) return;

    const TSynSelectionMode mode = item->ChangeSelMode;
    const TBufferCoord start = ToCoord(item->ChangeStartPos);
    const TBufferCoord end = ToCoord(item->ChangeEndPos);
    const int tabWidth = m_tabWidth;
    auto recordRedo = [&](std::string_view text, TSynSelectionMode m) {
        m_redoList->AddChange(item->ChangeReason, item->ChangeStartPos, item->ChangeEndPos, text,
                              m);
    };
    switch (item->ChangeReason) {
        case ukInsert:
        case ukPaste:
        case ukDragInsert:
            recordRedo(RangeText(start, end, mode), mode);
            if (!item->ChangeStr.empty()) {
                // Typing in overwrite mode replaced these characters; redo has to remove them
                // again before it inserts, so their deletion goes on top of the redo list.
                const TBufferCoord replacedEnd{
                    start.Char + static_cast<int>(item->ChangeStr.size()), start.Line};
                m_redoList->AddChange(ukDeleteChar, item->ChangeStartPos,
                                      {replacedEnd.Char, replacedEnd.Line}, item->ChangeStr,
                                      smNormal);
            }
            ReplaceRange(start, end, mode, item->ChangeStr, mode, true);
            SetCaretAndSelection(start, start, start);
            break;
        case ukDeleteSelBack:
        case ukDeleteSel:
        case ukBackspace:
        case ukDeleteChar: {
            TBufferCoord at = CoordLess(end, start) ? end : start;
            if (mode == smColumn)
                at = {std::min(start.Char, end.Char), std::min(start.Line, end.Line)};
            ReplaceRange(at, at, mode, item->ChangeStr, mode, false);
            if (item->ChangeReason == ukDeleteSelBack)
                SetCaretAndSelection(start, start, end);
            else if (item->ChangeReason == ukDeleteSel)
                SetCaretAndSelection(end, start, end);
            else
                SetCaretAndSelection(item->ChangeReason == ukBackspace ? end : start,
                                     item->ChangeReason == ukBackspace ? end : start,
                                     item->ChangeReason == ukBackspace ? end : start);
            recordRedo("", mode);
            EnsureCursorPosVisible();
            break;
        }
        case ukLineBreak: {
            SetCaretAndSelection(start, start, start);
            recordRedo(item->ChangeStr, mode);
            IncPaintLock();
            m_lines->BeginUpdate();
            if (start.Line < m_lines->GetCount()) {
                std::string joined(LineAt(start.Line));
                joined.append(item->ChangeStr);
                m_lines->Delete(start.Line);
                m_marks.LinesDeleted(start.Line, 1);
                m_lines->Put(start.Line - 1, joined);
            }
            m_lines->EndUpdate();
            DecPaintLock();
            break;
        }
        case ukIndent: {
            const int last = std::max(start.Line, end.Char == 1 ? end.Line - 1 : end.Line);
            const TBufferCoord from{1, start.Line};
            const TBufferCoord to{tabWidth + 1, last};
            recordRedo(RangeText(from, to, smColumn), smColumn);
            ReplaceRange(from, to, smColumn, "", smColumn, true);
            SetCaretAndSelection(end, start, end);
            break;
        }
        case ukUnindent:
            recordRedo(item->ChangeStr, smColumn);
            ReplaceRange({1, start.Line}, {1, start.Line}, smColumn, item->ChangeStr, smColumn,
                         false);
            SetCaretAndSelection(start, start, end);
            break;
    }
}

// Replays the newest redo item inside the frame ReplayGroup set up for it.
void TCustomSynEdit::RedoItem() {
    std::unique_ptr<TSynEditUndoItem> item = m_redoList->PopItem();
    if (!item) return;

    const TSynSelectionMode mode = item->ChangeSelMode;
    const TBufferCoord start = ToCoord(item->ChangeStartPos);
    const TBufferCoord end = ToCoord(item->ChangeEndPos);
    const int tabWidth = m_tabWidth;
    auto recordUndo = [&](std::string_view text, TSynSelectionMode m) {
        m_undoList->AddChange(item->ChangeReason, item->ChangeStartPos, item->ChangeEndPos, text,
                              m);
    };
    switch (item->ChangeReason) {
        case ukInsert:
        case ukPaste:
        case ukDragInsert:
            SetCaretAndSelection(start, start, start);
            ReplaceRange(start, start, mode, item->ChangeStr, mode, false);
            recordUndo("", mode);
            if (item->ChangeReason == ukDragInsert) SetCaretAndSelection(end, start, end);
            break;
        case ukDeleteSelBack:
        case ukDeleteSel:
        case ukBackspace:
        case ukDeleteChar:
            recordUndo(RangeText(start, end, mode), mode);
            ReplaceRange(start, end, mode, "", mode, true);
            SetCaretAndSelection(start, start, start);
            break;
        case ukLineBreak: {
            // The break is made again exactly as recorded: the line splits at the start column
            // (no padding) and the new line starts with the recorded number of indent
            // characters, whatever the command (new line or insert line) and the options were.
            // The indent was copied from the start of the split line, so it is copied from
            // there again when that line still starts with as many blanks and tabs.
            SetCaretAndSelection(start, start, start);
            recordUndo(item->ChangeStr, mode);
            IncPaintLock();
            m_lines->BeginUpdate();
            EnsureLine(start.Line);
            const std::string text(LineAt(start.Line));
            const std::size_t split =
                std::min(text.size(), static_cast<std::size_t>(std::max(0, start.Char - 1)));
            const int indent = std::max(0, end.Char - 1);
            std::string indentText =
                text.substr(0, std::min(split, static_cast<std::size_t>(indent)));
            if (static_cast<int>(indentText.size()) != indent ||
                indentText.find_first_not_of(" \t") != std::string::npos)
                indentText.assign(static_cast<std::size_t>(indent), ' ');
            m_lines->Put(start.Line - 1, text.substr(0, split));
            m_lines->Insert(start.Line, indentText + text.substr(split));
            m_marks.LinesInserted(start.Line, 1);
            SetCaretXY(end);
            m_lines->EndUpdate();
            DecPaintLock();
            break;
        }
        case ukIndent: {
            const int last = std::max(start.Line, end.Char == 1 ? end.Line - 1 : end.Line);
            std::string spaces;
            for (int line = start.Line; line <= last; ++line) {
                if (line > start.Line) spaces += "\r\n";
                spaces.append(static_cast<std::size_t>(tabWidth), ' ');
            }
            ReplaceRange({1, start.Line}, {1, start.Line}, smColumn, spaces, smColumn, false);
            recordUndo(item->ChangeStr, smColumn);
            SetCaretAndSelection({1, end.Line + 1}, {start.Char + tabWidth, start.Line},
                                 {end.Char == 1 ? 1 : end.Char + tabWidth, end.Line});
            break;
        }
        case ukUnindent: {
            recordUndo(item->ChangeStr, smColumn);
            IncPaintLock();
            m_lines->BeginUpdate();
            std::string_view rest = item->ChangeStr;
            int line = start.Line;
            int lastCount = 0;
            while (true) {
                std::size_t brk = rest.find("\r\n");
                std::string_view piece = rest.substr(0, brk);
                lastCount = static_cast<int>(piece.size());
                if (lastCount > 0 && line <= m_lines->GetCount()) {
                    std::string s(LineAt(line));
                    s.erase(0, std::min(s.size(), piece.size()));
                    m_lines->Put(line - 1, s);
                }
                if (brk == std::string_view::npos) break;
                rest.remove_prefix(brk + 2);
                ++line;
            }
            m_lines->EndUpdate();
            DecPaintLock();
            const int firstCount =
                static_cast<int>(item->ChangeStr.substr(0, item->ChangeStr.find("\r\n")).size());
            TBufferCoord b{std::max(1, start.Char - firstCount), start.Line};
            SetCaretAndSelection(b, b, {std::max(1, end.Char - lastCount), end.Line});
            break;
        }
    }
}
