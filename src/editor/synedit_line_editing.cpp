// Editor logic: new lines with auto-indent, Tab with smart tabs, and block indent and unindent.
#include <algorithm>

#include "editor/lines_by_number.h"
#include "editor/marks.h"
#include "editor/synedit_caret.h"
#include "editor/synedit_editing_commands.h"
#include "editor/synedit_scopes.h"
#include "editor/synedit_selection_text.h"

// ---------------------------------------------------------------- new line

// The line break item's end is where the new line's text begins: (spaces written + 1, line
// below), so redo can make the same break again.

void TSynEditingCommands::LineBreak(bool moveCaret) {
    if (m_caret.SelAvail()) {
        m_text.RecordSelectionDeletion(ukDeleteSel);
        m_text.InsertAtSelection(m_caret.SelectionMode(), "");
        m_changer.FlushPendingTrims();
    }
    const TTextChangeScope close(m_view, m_lines);
    if (m_lines.GetCount() == 0) m_lines.Add("");
    const TLineNumber line(m_caret.CaretY());
    const int y = line.Number();
    const int column = m_caret.CaretX();
    const std::string text(m_changer.LineAt(line));
    const int length = static_cast<int>(text.size());
    TBufferCoord caret = m_caret.CaretXY();
    if (length == 0) {
        int indent = 0;
        for (int above = y - 1; above >= 1; --above) {
            if (m_changer.LineLength(TLineNumber(above)) > 0) {
                indent = LeadingBlanks(above);
                break;
            }
        }
        m_changer.RecordChange(ukLineBreak, caret, {1, y + 1}, "", smNormal);
        InsertEmptyAt(m_lines, line, 1);
        m_marks.LinesInserted(y, 1);
        if (moveCaret) caret = {indent + 1, y + 1};
    } else if (column > length) {
        // The new line starts with the blanks and tabs of this one, as they are.
        const std::string indentText = LeadingIndent(y);
        const int indent = static_cast<int>(indentText.size());
        m_changer.RecordChange(ukLineBreak, caret, {(moveCaret ? indent : 0) + 1, y + 1}, "",
                               smNormal);
        InsertEmptyAt(m_lines, line.Next(), 1);
        m_marks.LinesInserted(y, 1);
        if (moveCaret) {
            if (indent > 0) PutAt(m_lines, line.Next(), indentText);
            caret = {indent + 1, y + 1};
        }
    } else if (column == 1) {
        InsertEmptyAt(m_lines, line, 1);
        m_marks.LinesInserted(y, 1);
        m_changer.RecordChange(ukLineBreak, caret, {1, y + 1}, text, smNormal);
        if (moveCaret) caret = {1, y + 1};
    } else {
        const std::string indentText = LeadingIndent(y);
        const int indent = static_cast<int>(indentText.size());
        const std::string before = text.substr(0, static_cast<std::size_t>(column - 1));
        const std::string rest = text.substr(static_cast<std::size_t>(column - 1));
        PutAt(m_lines, line, before);
        InsertAt(m_lines, line.Next(), indentText + rest);
        m_marks.LinesInserted(y, 1);
        m_changer.RecordChange(ukLineBreak, caret, {indent + 1, y + 1}, rest, smNormal);
        // The kept part loses its trailing blanks after the break is recorded.
        m_changer.PutLineTrimmed(line, before, false);
        if (moveCaret) caret = {indent + 1, y + 1};
    }
    m_caret.SetCaretXY(caret);
    m_caret.RememberColumn();
    m_caret.EnsureCursorPosVisible();
}

// ---------------------------------------------------------------- Tab and block indent

int TSynEditingCommands::SmartTabWidth() const {
    const int column = m_caret.CaretX();
    int width = 0;
    if (m_settings.Has(eoSmartTabs)) {
        for (TLineNumber line(m_caret.CaretY() - 1); line.Number() >= 1; line = line.Previous()) {
            std::string_view s = m_changer.LineAt(line);
            if (static_cast<int>(s.size()) < column) continue;
            std::size_t i = static_cast<std::size_t>(column - 1);
            while (i < s.size() && s[i] != ' ') ++i;
            while (i < s.size() && s[i] == ' ') ++i;
            width = static_cast<int>(i) - (column - 1);
            break;
        }
    }
    if (width == 0) width = m_settings.TabWidth - ((column - 1) % m_settings.TabWidth);
    return width;
}

void TSynEditingCommands::InsertTab() {
    const TSynEditorOptions savedOptions = m_settings.Options;
    m_settings.Options |= eoScrollPastEol;
    const TScopeExit restore([&] { m_text.RestoreOptions(savedOptions); });
    if (m_caret.SelAvail()) {
        // The spaces go where the selection was, and the recorded range is measured there.
        m_text.RecordSelectionDeletion(ukDeleteSel);
        m_text.InsertAtSelection(m_caret.SelectionMode(), "");
        m_changer.FlushPendingTrims();
    }
    const int width = SmartTabWidth();
    const TBufferCoord from = m_caret.CaretXY();
    m_text.InsertAtSelection(smNormal, std::string(static_cast<std::size_t>(width), ' '));
    m_changer.RecordChange(ukInsert, m_changer.InsertStart(), m_changer.InsertEnd(), "", smNormal);
    m_caret.SetCaretXY({from.Char + width, from.Line});
    m_caret.RememberColumn();
    m_caret.EnsureCursorPosVisible();
}

void TSynEditingCommands::BlockIndent() {
    if (!m_caret.SelAvail()) return;
    const TBufferCoord b = m_caret.BlockBegin();
    const TBufferCoord e = m_caret.BlockEnd();
    const TBufferCoord caret = m_caret.CaretXY();
    m_text.IndentLines(b.Line, std::max(b.Line, e.Char == 1 ? e.Line - 1 : e.Line));
    m_changer.RecordChange(ukIndent, b, e, "", smColumn);
    m_caret.SetCaretAndSelection(caret, {b.Char + m_settings.TabWidth, b.Line},
                                 {e.Char == 1 ? 1 : e.Char + m_settings.TabWidth, e.Line});
}

void TSynEditingCommands::BlockUnindent() {
    if (!m_caret.SelAvail()) return;
    const TBufferCoord b = m_caret.BlockBegin();
    const TBufferCoord e = m_caret.BlockEnd();
    const TBufferCoord caret = m_caret.CaretXY();
    const int last = std::max(b.Line, e.Char == 1 ? e.Line - 1 : e.Line);
    // The spaces each line loses, as the recorded pieces; the selection ends move by those of
    // the first and last line that lose any.
    std::string pieces;
    int firstCount = 0;
    int lastCount = 0;
    for (int line = b.Line; line <= last; ++line) {
        std::string_view s = m_changer.LineAt(TLineNumber(line));
        int n = 0;
        while (n < m_settings.TabWidth && n < static_cast<int>(s.size()) && s[n] == ' ') ++n;
        if (line > b.Line) pieces += "\r\n";
        pieces.append(static_cast<std::size_t>(n), ' ');
        if (n == 0) continue;
        if (firstCount == 0) firstCount = n;
        lastCount = n;
    }
    if (lastCount == 0) return;
    m_text.RemoveLeadingSpaces(TLineNumber::Of(b), pieces);
    m_changer.RecordChange(ukUnindent, b, e, pieces, smColumn);
    m_caret.SetCaretAndSelection(caret, {std::max(1, b.Char - firstCount), b.Line},
                                 {std::max(1, e.Char - lastCount), e.Line});
}

int TSynEditingCommands::LeadingBlanks(int line) const {
    return m_changer.LeadingBlanks(TLineNumber(line));
}

std::string TSynEditingCommands::LeadingIndent(int line) const {
    return m_changer.LeadingIndent(TLineNumber(line));
}
