// Editor logic: the selected text, the recorded replacements of the selection or of a range
// through the text changer with the caret and selection following, and the clipboard transfers.
#include <algorithm>
#include <vector>

#include "editor/custom_synedit.h"
#include "editor/lines_by_number.h"
#include "editor/synedit_clipboard.h"
#include "editor/synedit_editing_commands.h"
#include "editor/synedit_error.h"
#include "editor/synedit_scopes.h"

namespace {

// Pads the lines of a column block to one width and drops a final empty line, so the block is
// a rectangle and undoing its insertion removes exactly what went in.
std::string Rectangular(std::string_view text) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != '\r' && text[i] != '\n') continue;
        pieces.emplace_back(text.substr(start, i - start));
        if (i < text.size() && text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (pieces.size() > 1 && pieces.back().empty()) pieces.pop_back();
    std::size_t width = 0;
    for (const auto& p : pieces) width = std::max(width, p.size());
    std::string result;
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        if (k > 0) result += "\r\n";
        result += pieces[k];
        result.append(width - pieces[k].size(), ' ');
    }
    return result;
}

}  // namespace

int TSynEditingCommands::LeadingBlanks(int line) const {
    return m_changer.LeadingBlanks(TLineNumber(line));
}

std::string TSynEditingCommands::LeadingIndent(int line) const {
    return m_changer.LeadingIndent(TLineNumber(line));
}

void TSynEditingCommands::RestoreOptions(TSynEditorOptions options) {
    const bool pastEolCleared = m_settings.Has(eoScrollPastEol) && !(options & eoScrollPastEol);
    m_settings.Options = options;
    if (pastEolCleared) m_caret.SetCaretX(m_caret.CaretX());
}

std::string TSynEditingCommands::SelText() const {
    if (!m_caret.SelAvail()) return {};
    return m_changer.RangeText(m_caret.BlockBegin(), m_caret.BlockEnd(), m_caret.SelectionMode());
}

void TSynEditingCommands::PrepareSelectionForDelete() {
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

void TSynEditingCommands::RecordSelectionDeletion(TSynChangeReason kind) {
    PrepareSelectionForDelete();
    const std::string text = SelText();
    if (kind == ukDeleteSelBack)
        m_changer.RecordChange(kind, m_caret.BlockEndRaw(), m_caret.BlockBeginRaw(), text,
                               m_caret.SelectionMode());
    else
        m_changer.RecordChange(kind, m_caret.BlockBeginRaw(), m_caret.BlockEndRaw(), text,
                               m_caret.SelectionMode());
}

TBufferCoord TSynEditingCommands::ReplaceRange(TBufferCoord begin, TBufferCoord end,
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

void TSynEditingCommands::InsertAtSelection(TSynSelectionMode mode, std::string_view text) {
    if (m_caret.SelAvail())
        ReplaceRange(m_caret.BlockBegin(), m_caret.BlockEnd(), m_caret.SelectionMode(), text, mode,
                     true);
    else
        ReplaceRange(m_caret.CaretXY(), m_caret.CaretXY(), m_caret.SelectionMode(), text, mode,
                     false);
}

void TSynEditingCommands::ReplaceSelection(std::string_view text) {
    const TUndoBlockScope group(m_changer);
    if (m_caret.SelAvail()) RecordSelectionDeletion(ukDeleteSel);
    InsertAtSelection(smNormal, text);
    m_changer.RecordChange(ukInsert, m_changer.InsertStart(), m_changer.InsertEnd(), "", smNormal);
    m_changer.FlushPendingTrims();
}

void TSynEditingCommands::ReplaceRangeRecorded(TBufferCoord begin, TBufferCoord end,
                                               std::string_view deleted, std::string_view text) {
    const TUndoBlockScope group(m_changer);
    if (begin != end) m_changer.RecordChange(ukDeleteSel, begin, end, deleted, smNormal);
    ReplaceRange(begin, end, smNormal, text, smNormal, begin != end);
    m_changer.RecordChange(ukInsert, m_changer.InsertStart(), m_changer.InsertEnd(), "", smNormal);
    m_changer.FlushPendingTrims();
}

void TSynEditingCommands::ReplaceTextRange(TBufferCoord begin, TBufferCoord end,
                                           std::string_view text) {
    if (CoordLess(end, begin)) std::swap(begin, end);
    ReplaceRangeRecorded(begin, end, m_changer.RangeText(begin, end, smNormal), text);
}

void TSynEditingCommands::DeleteSelectionByKey() {
    if (!m_caret.SelAvail()) return;
    const TUndoBlockScope group(m_changer);
    RecordSelectionDeletion(
        CoordLess(m_caret.BlockBeginRaw(), m_caret.BlockEndRaw()) ? ukDeleteSel : ukDeleteSelBack);
    InsertAtSelection(m_caret.SelectionMode(), "");
    m_changer.FlushPendingTrims();
}

// ---------------------------------------------------------------- clipboard

ISynClipboard& TSynEditingCommands::Clipboard() const {
    // Whoever makes an editor gives it its clipboard; there is no shared one to fall back on.
    if (m_clipboard == nullptr) throw ESynEditError("The editor has no clipboard");
    return *m_clipboard;
}

bool TSynEditingCommands::CanPaste() const {
    if (m_clipboard == nullptr) return false;
    const ISynClipboard& clipboard = Clipboard();
    return clipboard.HasText() || clipboard.HasBlockFormat();
}

void TSynEditingCommands::CopyToClipboard() {
    if (m_caret.SelAvail()) Clipboard().SetText(SelText(), m_caret.SelectionMode());
}

void TSynEditingCommands::CutToClipboard() {
    if (!m_caret.SelAvail()) return;
    CopyToClipboard();
    {
        const TUndoBlockScope group(m_changer);
        RecordSelectionDeletion(ukDeleteSel);
        InsertAtSelection(m_caret.SelectionMode(), "");
    }
}

void TSynEditingCommands::PasteFromClipboard() {
    const ISynClipboard& clipboard = Clipboard();
    std::string text;
    TSynSelectionMode mode = smNormal;
    bool block = clipboard.HasBlockFormat() && clipboard.GetBlock(text, mode);
    if (!block && !clipboard.GetText(text)) return;
    if (block && mode == smColumn) text = Rectangular(text);
    {
        const TUndoBlockScope group(m_changer);
        if (m_caret.SelAvail()) RecordSelectionDeletion(ukDeleteSel);
        InsertAtSelection(mode, text);
        const TBufferCoord start = m_changer.InsertStart();
        const TBufferCoord end = m_changer.InsertEnd();
        if (text.empty()) {
            m_changer.RecordChange(ukPaste, start, start, "", smNormal);
        } else if (mode != smLine) {
            m_changer.RecordChange(ukPaste, start, end, "", mode);
        } else if (end.Char == 1) {
            m_changer.RecordChange(ukPaste, {1, start.Line},
                                   {std::max(1, m_view.CharsInWindow()), end.Line - 1}, "", smLine);
        } else {
            m_changer.RecordChange(ukPaste, {1, start.Line}, end, "", smNormal);
        }
        m_changer.FlushPendingTrims();
        if (mode == smColumn) m_caret.SetCaretXY({start.Char, end.Line + 1});
    }
    m_caret.EnsureCursorPosVisible();
    m_editor.StatusChanged(stSelection);
}
