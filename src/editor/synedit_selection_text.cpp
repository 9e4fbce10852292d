// Editor logic: the selected text, and the recorded replacements of the selection or of a
// range through the text changer with the caret and selection following.
#include "editor/synedit_selection_text.h"

#include <algorithm>

#include "editor/lines_by_number.h"
#include "editor/synedit_caret.h"
#include "editor/synedit_scopes.h"

TSynSelectionText::TSynSelectionText(TSynEditorSettings& settings, TSynEditStringList& lines,
                                     TSynViewport& view, TSynCaretSelection& caret,
                                     TSynTextChanger& changer)
    : m_settings(settings), m_lines(lines), m_view(view), m_caret(caret), m_changer(changer) {}

void TSynSelectionText::RestoreOptions(TSynEditorOptions options) {
    const bool pastEolCleared = m_settings.Has(eoScrollPastEol) && !(options & eoScrollPastEol);
    m_settings.Options = options;
    if (pastEolCleared) m_caret.SetCaretX(m_caret.CaretX());
}

std::string TSynSelectionText::SelText() const {
    if (!m_caret.SelAvail()) return {};
    return m_changer.RangeText(m_caret.BlockBegin(), m_caret.BlockEnd(), m_caret.SelectionMode());
}

void TSynSelectionText::PrepareSelectionForDelete() {
    if (m_caret.SelectionMode() == smNormal) {
        // A selection end beyond its line (left from another mode) selects up to the line end.
        m_caret.ClipBlockToLines();
    } else if (m_caret.SelectionMode() == smColumn) {
        // Lines that end inside the block are padded to its right edge first (recorded), so
        // the spaces the selected text is padded with exist and undo puts back no more.
        // The padding's change bracket collapses the selection when it closes; the block is
        // still the one to delete, since padding moves none of its corners.
        const TBufferCoord savedBegin = m_caret.BlockBeginRaw();
        const TBufferCoord savedEnd = m_caret.BlockEndRaw();
        {
            const TTextChangeScope padding(m_view, m_lines);
            m_changer.PadColumnBlock(m_caret.BlockBegin(), m_caret.BlockEnd());
        }
        m_caret.RestoreBlock(savedBegin, savedEnd);
    }
}

void TSynSelectionText::RecordSelectionDeletion(TSynChangeReason kind) {
    PrepareSelectionForDelete();
    const std::string text = SelText();
    if (kind == ukDeleteSelBack)
        m_changer.RecordChange(kind, m_caret.BlockEndRaw(), m_caret.BlockBeginRaw(), text,
                               m_caret.SelectionMode());
    else
        m_changer.RecordChange(kind, m_caret.BlockBeginRaw(), m_caret.BlockEndRaw(), text,
                               m_caret.SelectionMode());
}

TBufferCoord TSynSelectionText::ReplaceRange(TBufferCoord begin, TBufferCoord end,
                                             TSynSelectionMode deleteMode, std::string_view text,
                                             TSynSelectionMode insertMode, bool deleteRange) {
    const TPaintLockScope lock(m_view);
    const TScopeExit keepColumn([this] { m_caret.RememberColumn(); });
    const TLinesUpdateScope change(m_lines);
    const TBufferCoord after =
        m_changer.Replace(begin, end, deleteMode, text, insertMode, deleteRange);
    // Inside the change bracket, so the selection collapses at the new caret when it closes.
    m_caret.SetCaretXY(after);
    return after;
}

void TSynSelectionText::InsertAtSelection(TSynSelectionMode mode, std::string_view text) {
    if (m_caret.SelAvail())
        ReplaceRange(m_caret.BlockBegin(), m_caret.BlockEnd(), m_caret.SelectionMode(), text, mode,
                     true);
    else
        ReplaceRange(m_caret.CaretXY(), m_caret.CaretXY(), m_caret.SelectionMode(), text, mode,
                     false);
}

void TSynSelectionText::ReplaceSelection(std::string_view text) {
    const TUndoBlockScope group(m_changer);
    if (m_caret.SelAvail()) RecordSelectionDeletion(ukDeleteSel);
    InsertAtSelection(smNormal, text);
    m_changer.RecordChange(ukInsert, m_changer.InsertStart(), m_changer.InsertEnd(), "", smNormal);
    m_changer.FlushPendingTrims();
}

void TSynSelectionText::ReplaceRangeRecorded(TBufferCoord begin, TBufferCoord end,
                                             std::string_view deleted, std::string_view text) {
    const TUndoBlockScope group(m_changer);
    if (begin != end) m_changer.RecordChange(ukDeleteSel, begin, end, deleted, smNormal);
    ReplaceRange(begin, end, smNormal, text, smNormal, begin != end);
    m_changer.RecordChange(ukInsert, m_changer.InsertStart(), m_changer.InsertEnd(), "", smNormal);
    m_changer.FlushPendingTrims();
}

void TSynSelectionText::ReplaceTextRange(TBufferCoord begin, TBufferCoord end,
                                         std::string_view text) {
    if (CoordLess(end, begin)) std::swap(begin, end);
    ReplaceRangeRecorded(begin, end, m_changer.RangeText(begin, end, smNormal), text);
}

void TSynSelectionText::DeleteSelectionByKey() {
    if (!m_caret.SelAvail()) return;
    const TUndoBlockScope group(m_changer);
    RecordSelectionDeletion(
        CoordLess(m_caret.BlockBeginRaw(), m_caret.BlockEndRaw()) ? ukDeleteSel : ukDeleteSelBack);
    InsertAtSelection(m_caret.SelectionMode(), "");
    m_changer.FlushPendingTrims();
}

void TSynSelectionText::IndentLines(int first, int last) {
    std::string spaces;
    for (int line = first; line <= last; ++line) {
        if (line > first) spaces += "\r\n";
        spaces.append(static_cast<std::size_t>(m_settings.TabWidth), ' ');
    }
    ReplaceRange({1, first}, {1, first}, smColumn, spaces, smColumn, false);
}

void TSynSelectionText::RemoveLeadingSpaces(TLineNumber first, std::string_view pieces) {
    const TTextChangeScope change(m_view, m_lines);
    for (TLineNumber line = first;; ++line) {
        const std::size_t brk = pieces.find("\r\n");
        const std::size_t count = pieces.substr(0, brk).size();
        if (count > 0 && line <= LastLine(m_lines)) {
            std::string s(m_changer.LineAt(line));
            s.erase(0, std::min(s.size(), count));
            PutAt(m_lines, line, s);
        }
        if (brk == std::string_view::npos) break;
        pieces.remove_prefix(brk + 2);
    }
}
