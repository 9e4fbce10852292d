// Editor logic: the selected text, and the recorded replacements of the selection or of a range
// through the text changer, with the caret and selection following.
#include <algorithm>

#include "editor/custom_synedit.h"
#include "editor/synedit_scopes.h"
#include "editor/undo_list.h"

void TCustomSynEdit::RestoreOptions(TSynEditorOptions options) {
    const bool pastEolCleared = HasOption(eoScrollPastEol) && !(options & eoScrollPastEol);
    m_settings.Options = options;
    if (pastEolCleared) SetCaretX(CaretX());
}

std::string TCustomSynEdit::SelText() const {
    if (!SelAvail()) return {};
    return m_changer.RangeText(BlockBegin(), BlockEnd(), SelectionMode());
}

void TCustomSynEdit::PrepareSelectionForDelete() {
    if (SelectionMode() == smNormal) {
        // A selection end beyond its line (left from another mode) selects up to the line end.
        m_caret.ClipBlockToLines();
    } else if (SelectionMode() == smColumn) {
        // Lines that end inside the block are padded to its right edge first (recorded), so
        // the spaces the selected text is padded with exist and undo puts back no more.
        // The padding's change bracket collapses the selection when it closes; the block is
        // still the one to delete, since padding moves none of its corners.
        const TBufferCoord savedBegin = BlockBeginRaw();
        const TBufferCoord savedEnd = BlockEndRaw();
        {
            const TTextChangeScope padding(m_view, *m_lines);
            m_changer.PadColumnBlock(BlockBegin(), BlockEnd());
        }
        m_caret.RestoreBlock(savedBegin, savedEnd);
    }
}

void TCustomSynEdit::RecordSelectionDeletion(TSynChangeReason kind) {
    PrepareSelectionForDelete();
    const std::string text = SelText();
    if (kind == ukDeleteSelBack)
        RecordChange(kind, BlockEndRaw(), BlockBeginRaw(), text, SelectionMode());
    else
        RecordChange(kind, BlockBeginRaw(), BlockEndRaw(), text, SelectionMode());
}

TBufferCoord TCustomSynEdit::ReplaceRange(TBufferCoord begin, TBufferCoord end,
                                          TSynSelectionMode deleteMode, std::string_view text,
                                          TSynSelectionMode insertMode, bool deleteRange) {
    const TPaintLockScope lock(m_view);
    const TScopeExit keepColumn([this] { m_caret.RememberColumn(); });
    const TLinesUpdateScope change(*m_lines);
    const TBufferCoord after =
        m_changer.Replace(begin, end, deleteMode, text, insertMode, deleteRange);
    // Inside the change bracket, so the selection collapses at the new caret when it closes.
    SetCaretXY(after);
    return after;
}

void TCustomSynEdit::InsertAtSelection(TSynSelectionMode mode, std::string_view text) {
    if (SelAvail())
        ReplaceRange(BlockBegin(), BlockEnd(), SelectionMode(), text, mode, true);
    else
        ReplaceRange(CaretXY(), CaretXY(), SelectionMode(), text, mode, false);
}

void TCustomSynEdit::ReplaceSelection(std::string_view text) {
    const TUndoBlockScope group(*this);
    if (SelAvail()) RecordSelectionDeletion(ukDeleteSel);
    InsertAtSelection(smNormal, text);
    RecordChange(ukInsert, m_changer.InsertStart(), m_changer.InsertEnd(), "", smNormal);
    m_changer.FlushPendingTrims();
}

void TCustomSynEdit::ReplaceRangeRecorded(TBufferCoord begin, TBufferCoord end,
                                          std::string_view deleted, std::string_view text) {
    const TUndoBlockScope group(*this);
    if (begin != end) RecordChange(ukDeleteSel, begin, end, deleted, smNormal);
    ReplaceRange(begin, end, smNormal, text, smNormal, begin != end);
    RecordChange(ukInsert, m_changer.InsertStart(), m_changer.InsertEnd(), "", smNormal);
    m_changer.FlushPendingTrims();
}

void TCustomSynEdit::ReplaceTextRange(TBufferCoord begin, TBufferCoord end, std::string_view text) {
    if (CoordLess(end, begin)) std::swap(begin, end);
    ReplaceRangeRecorded(begin, end, m_changer.RangeText(begin, end, smNormal), text);
}

void TCustomSynEdit::DeleteSelectionByKey() {
    if (!SelAvail()) return;
    const TUndoBlockScope group(*this);
    RecordSelectionDeletion(CoordLess(BlockBeginRaw(), BlockEndRaw()) ? ukDeleteSel
                                                                      : ukDeleteSelBack);
    InsertAtSelection(SelectionMode(), "");
    m_changer.FlushPendingTrims();
}
