// Editor logic: the commands that change the text — typing, Backspace and Delete, range and
// line deletions, new lines with auto-indent, Tab, block indent and unindent, undo and redo,
// clearing — and the clipboard transfers.
#include <algorithm>

#include "editor/custom_synedit.h"
#include "editor/editor_commands.h"
#include "editor/lines_by_number.h"
#include "editor/synedit_clipboard.h"
#include "editor/synedit_error.h"
#include "editor/synedit_scopes.h"
#include "editor/undo_list.h"

namespace {

bool IsBlank(char c) {
    auto u = static_cast<unsigned char>(c);
    return u >= 1 && u <= 32;
}

std::size_t TrailingBlankStart(std::string_view s) {
    std::size_t end = s.size();
    while (end > 0 && IsBlank(s[end - 1])) --end;
    return end;
}

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

// Runs a command's changes as one undo group; trims an insertion held back are recorded when
// the group closes.
template <typename F>
void UndoGroup(TCustomSynEdit& editor, F&& body) {
    const TUndoBlockScope group(editor);
    body();
}

}  // namespace

void TCustomSynEdit::ExecuteEditingCommand(TSynEditorCommand command, char ch, void* data) {
    if (command == ecCopy) {
        CopyToClipboard();
        return;
    }
    if (m_readOnly) return;
    const TBufferCoord caret = CaretXY();
    switch (command) {
        case ecUndo:
            Undo();
            return;
        case ecRedo:
            Redo();
            return;
        case ecClearAll:
            ClearAll();
            return;
        case ecCut:
            if (SelAvail()) CutToClipboard();
            return;
        case ecPaste:
            PasteFromClipboard();
            return;
        case ecChar:
            if (static_cast<unsigned char>(ch) > 31 && ch != 127) {
                UndoGroup(*this, [&] { TypeText(std::string_view(&ch, 1), false); });
            }
            return;
        case ecImeStr:
            if (data) {
                std::string_view text(static_cast<const char*>(data));
                if (!text.empty()) {
                    UndoGroup(*this, [&] { TypeText(text, true); });
                }
            }
            return;
        case ecDeleteLastChar:
            UndoGroup(*this, [&] { DeleteByKey(true); });
            return;
        case ecDeleteChar:
            UndoGroup(*this, [&] { DeleteByKey(false); });
            return;
        case ecDeleteWord: {
            SetCaretX(std::min(caret.Char, LineLength(TLineNumber::Of(caret)) + 1));
            TBufferCoord from = CaretXY();
            UndoGroup(*this, [&] { DeleteRange(from, NextWordPos(), ukDeleteChar); });
            return;
        }
        case ecDeleteEOL:
            UndoGroup(*this, [&] {
                DeleteRange(caret, {LineLength(TLineNumber::Of(caret)) + 1, caret.Line},
                            ukDeleteChar);
            });
            return;
        case ecDeleteLastWord:
            UndoGroup(*this, [&] { DeleteRange(PrevWordPos(), caret, ukBackspace); });
            return;
        case ecDeleteBOL:
            UndoGroup(*this, [&] { DeleteRange({1, caret.Line}, caret, ukBackspace); });
            return;
        case ecDeleteLine:
            UndoGroup(*this, [&] { DeleteLine(); });
            return;
        case ecLineBreak:
        case ecInsertLine:
            UndoGroup(*this, [&] { LineBreak(command == ecLineBreak); });
            return;
        case ecTab:
            UndoGroup(*this, [&] { InsertTab(); });
            return;
        case ecBlockIndent:
            UndoGroup(*this, [&] { BlockIndent(); });
            return;
        case ecBlockUnindent:
            UndoGroup(*this, [&] { BlockUnindent(); });
            return;
        default:
            // ecShiftTab, ecAutoCompletion and unknown numbers do nothing here.
            return;
    }
}

// ---------------------------------------------------------------- typing

void TCustomSynEdit::TypeText(std::string_view text, bool ime) {
    if (SelAvail()) {
        RecordSelectionDeletion(ukDeleteSel);
        InsertAtSelection(smNormal, text);
        RecordChange(ukInsert, m_changer.InsertStart(), m_changer.InsertEnd(), "", smNormal);
        m_changer.FlushPendingTrims();
        EnsureCursorPosVisible();
        return;
    }
    const TSynEditorOptions savedOptions = m_settings.Options;
    m_settings.Options |= eoScrollPastEol;
    const TScopeExit restore([&] { RestoreOptions(savedOptions); });

    const TTextChangeScope close(m_view, *m_lines);

    const TLineNumber line(CaretY());
    const int y = line.Number();
    const int column = CaretX();
    const int length = static_cast<int>(text.size());
    m_changer.EnsureLine(line);
    // Insert mode pads up to the caret; overwrite mode (and input-method strings) one further.
    m_changer.PadLine(line, (m_insertMode && !ime) ? column - 1 : column);
    std::string s(LineAt(line));
    const std::size_t at = static_cast<std::size_t>(column - 1);
    if (m_insertMode) {
        s.insert(at, text);
        PutAt(*m_lines, line, s);
        RecordChange(ukInsert, {column, y}, {column + length, y}, "", smNormal);
        if (!ime && m_changer.TrimEnabled() && TrailingBlankStart(s) < s.size())
            m_changer.PutLineTrimmed(line, s, false);
    } else {
        std::string replaced = s.substr(at, text.size());
        s.replace(at, replaced.size(), text);
        PutAt(*m_lines, line, s);
        // The range covers everything typed, even past the old line end, so undo removes it.
        RecordChange(ukInsert, {column, y}, {column + length, y}, replaced, smNormal);
    }
    SetCaretXY({column + length, y});
    m_caret.RememberColumn();
    if (CaretX() >= LeftChar() + CharsInWindow())
        SetLeftChar(LeftChar() + std::min(25, CharsInWindow() - 1));
}

// ---------------------------------------------------------------- deleting

void TCustomSynEdit::DeleteRange(TBufferCoord from, TBufferCoord to, TSynChangeReason kind) {
    if (CoordLess(to, from)) std::swap(from, to);
    from.Char = std::min(from.Char, LineLength(TLineNumber::Of(from)) + 1);
    to.Char = std::min(to.Char, LineLength(TLineNumber::Of(to)) + 1);
    if (from == to) return;
    RecordChange(kind, from, to, m_changer.RangeText(from, to, smNormal), smNormal);
    ReplaceRange(from, to, smNormal, "", smNormal, true);
    SetCaretXY(from);
    m_caret.RememberColumn();
}

void TCustomSynEdit::DeleteByKey(bool backwards) {
    if (SelAvail()) {
        DeleteSelectionByKey();
        return;
    }
    if (m_lines->GetCount() == 0) return;
    const TTextChangeScope close(m_view, *m_lines);
    if (backwards)
        DeleteLastChar();
    else
        DeleteChar();
}

void TCustomSynEdit::DeleteLastChar() {
    const TLineNumber line(CaretY());
    const int y = line.Number();
    const int column = CaretX();
    const int length = LineLength(line);

    if (column > length + 1) {
        // Beyond the line end the caret only moves; the item keeps redo in step.
        SetCaretX(column - 1);
        RecordChange(ukBackspace, {column - 1, y}, {column, y}, "", smNormal);
        return;
    }
    if (column == 1) {
        if (y == 1) return;
        const std::string previous(LineAt(line.Previous()));
        const std::string current(LineAt(line));
        const std::size_t keep =
            m_changer.TrimEnabled() ? TrailingBlankStart(current) : current.size();
        DeleteAt(*m_lines, line);
        m_marks.LinesDeleted(y - 1, 1);
        PutAt(*m_lines, line.Previous(), previous + current);
        const TBufferCoord joint{static_cast<int>(previous.size()) + 1, y - 1};
        SetCaretXY(joint);
        m_caret.RememberColumn();
        RecordChange(ukBackspace, joint, {1, y}, "\r\n", smNormal);
        if (keep < current.size()) {
            // The joined line's trailing blanks go, recorded after the join they follow.
            PutAt(*m_lines, line.Previous(), previous + current.substr(0, keep));
            TBufferCoord trimStart{joint.Char + static_cast<int>(keep), y - 1};
            m_changer.RecordSideEffect(
                ukDeleteChar, trimStart,
                {trimStart.Char + static_cast<int>(current.size() - keep), y - 1},
                current.substr(keep));
        }
        return;
    }
    std::string s(LineAt(line));
    int count = 1;
    const int blanks = LeadingBlanks(y);
    if (IsBlank(s[column - 2]) && column - 1 == blanks) {
        int lesser = 0;
        for (int above = y - 1; above >= 1; --above) {
            int n = LineLength(TLineNumber(above)) == 0 ? 0 : LeadingBlanks(above);
            if (n < blanks) {
                lesser = n;
                break;
            }
        }
        count = blanks - lesser;
    }
    // The characters just before the caret go (for an indentation, its last blanks), so the
    // recorded range is exactly what was removed.
    const std::size_t from = static_cast<std::size_t>(column - 1 - count);
    const std::string deleted = s.substr(from, static_cast<std::size_t>(count));
    s.erase(from, static_cast<std::size_t>(count));
    PutAt(*m_lines, line, s);
    SetCaretXY({column - count, y});
    m_caret.RememberColumn();
    RecordChange(ukBackspace, {column - count, y}, {column, y}, deleted, smNormal);
}

void TCustomSynEdit::DeleteChar() {
    const TLineNumber line(CaretY());
    const int y = line.Number();
    const int column = CaretX();
    const int length = LineLength(line);
    if (column > length) {
        if (line >= LastLine(*m_lines)) return;
        m_changer.PadLine(line, column - 1);
        std::string joined(LineAt(line));
        joined.append(LineAt(line.Next()));
        DeleteAt(*m_lines, line.Next());
        m_marks.LinesDeleted(y, 1);
        PutAt(*m_lines, line, joined);
        RecordChange(ukDeleteChar, {column, y}, {1, y + 1}, "\r\n", smNormal);
    } else {
        std::string s(LineAt(line));
        std::string deleted = s.substr(static_cast<std::size_t>(column - 1), 1);
        s.erase(static_cast<std::size_t>(column - 1), 1);
        PutAt(*m_lines, line, s);
        RecordChange(ukDeleteChar, {column, y}, {column + 1, y}, deleted, smNormal);
    }
    SetCaretXY({column, y});
}

void TCustomSynEdit::DeleteLine() {
    const int count = m_lines->GetCount();
    if (count == 0 || (count == 1 && LineLength(TLineNumber(1)) == 0)) return;
    const TLineNumber line(CaretY());
    const int y = line.Number();
    SetBlockBegin(CaretXY());
    const TTextChangeScope close(m_view, *m_lines);
    const std::string text(LineAt(line));
    const int length = static_cast<int>(text.size());
    // The recorded ranges cover exactly the removed text, so redo removes the same again.
    if (count == 1) {
        m_lines->Put(0, "");
        RecordChange(ukDeleteSelBack, {1, 1}, {length + 1, 1}, text, smNormal);
    } else if (y < count) {
        DeleteAt(*m_lines, line);
        m_marks.LinesDeleted(y - 1, 1);
        RecordChange(ukDeleteSelBack, {1, y}, {1, y + 1}, text + "\r\n", smNormal);
    } else {
        const int previousLength = LineLength(line.Previous());
        DeleteAt(*m_lines, line);
        m_marks.LinesDeleted(y - 1, 1);
        RecordChange(ukDeleteSelBack, {previousLength + 1, y - 1}, {length + 1, y}, "\r\n" + text,
                     smNormal);
    }
    SetCaretXY({1, y});
    m_caret.RememberColumn();
}

// ---------------------------------------------------------------- new line

// The line break item's end is where the new line's text begins: (spaces written + 1, line
// below), so redo can make the same break again.

void TCustomSynEdit::LineBreak(bool moveCaret) {
    if (SelAvail()) {
        RecordSelectionDeletion(ukDeleteSel);
        InsertAtSelection(SelectionMode(), "");
        m_changer.FlushPendingTrims();
    }
    const TTextChangeScope close(m_view, *m_lines);
    if (m_lines->GetCount() == 0) m_lines->Add("");
    const TLineNumber line(CaretY());
    const int y = line.Number();
    const int column = CaretX();
    const std::string text(LineAt(line));
    const int length = static_cast<int>(text.size());
    TBufferCoord caret = CaretXY();
    if (length == 0) {
        int indent = 0;
        for (int above = y - 1; above >= 1; --above) {
            if (LineLength(TLineNumber(above)) > 0) {
                indent = LeadingBlanks(above);
                break;
            }
        }
        RecordChange(ukLineBreak, caret, {1, y + 1}, "", smNormal);
        InsertEmptyAt(*m_lines, line, 1);
        m_marks.LinesInserted(y, 1);
        if (moveCaret) caret = {indent + 1, y + 1};
    } else if (column > length) {
        // The new line starts with the blanks and tabs of this one, as they are.
        const std::string indentText = LeadingIndent(y);
        const int indent = static_cast<int>(indentText.size());
        RecordChange(ukLineBreak, caret, {(moveCaret ? indent : 0) + 1, y + 1}, "", smNormal);
        InsertEmptyAt(*m_lines, line.Next(), 1);
        m_marks.LinesInserted(y, 1);
        if (moveCaret) {
            if (indent > 0) PutAt(*m_lines, line.Next(), indentText);
            caret = {indent + 1, y + 1};
        }
    } else if (column == 1) {
        InsertEmptyAt(*m_lines, line, 1);
        m_marks.LinesInserted(y, 1);
        RecordChange(ukLineBreak, caret, {1, y + 1}, text, smNormal);
        if (moveCaret) caret = {1, y + 1};
    } else {
        const std::string indentText = LeadingIndent(y);
        const int indent = static_cast<int>(indentText.size());
        const std::string before = text.substr(0, static_cast<std::size_t>(column - 1));
        const std::string rest = text.substr(static_cast<std::size_t>(column - 1));
        PutAt(*m_lines, line, before);
        InsertAt(*m_lines, line.Next(), indentText + rest);
        m_marks.LinesInserted(y, 1);
        RecordChange(ukLineBreak, caret, {indent + 1, y + 1}, rest, smNormal);
        // The kept part loses its trailing blanks after the break is recorded.
        m_changer.PutLineTrimmed(line, before, false);
        if (moveCaret) caret = {indent + 1, y + 1};
    }
    SetCaretXY(caret);
    m_caret.RememberColumn();
    EnsureCursorPosVisible();
}

// ---------------------------------------------------------------- Tab and block indent

int TCustomSynEdit::SmartTabWidth() const {
    const int column = CaretX();
    int width = 0;
    if (HasOption(eoSmartTabs)) {
        for (TLineNumber line(CaretY() - 1); line.Number() >= 1; line = line.Previous()) {
            std::string_view s = LineAt(line);
            if (static_cast<int>(s.size()) < column) continue;
            std::size_t i = static_cast<std::size_t>(column - 1);
            while (i < s.size() && s[i] != ' ') ++i;
            while (i < s.size() && s[i] == ' ') ++i;
            width = static_cast<int>(i) - (column - 1);
            break;
        }
    }
    if (width == 0) width = m_tabWidth - ((column - 1) % m_tabWidth);
    return width;
}

void TCustomSynEdit::InsertTab() {
    const TSynEditorOptions savedOptions = m_settings.Options;
    m_settings.Options |= eoScrollPastEol;
    const TScopeExit restore([&] { RestoreOptions(savedOptions); });
    if (SelAvail()) {
        // The spaces go where the selection was, and the recorded range is measured there.
        RecordSelectionDeletion(ukDeleteSel);
        InsertAtSelection(SelectionMode(), "");
        m_changer.FlushPendingTrims();
    }
    const int width = SmartTabWidth();
    const TBufferCoord from = CaretXY();
    InsertAtSelection(smNormal, std::string(static_cast<std::size_t>(width), ' '));
    RecordChange(ukInsert, m_changer.InsertStart(), m_changer.InsertEnd(), "", smNormal);
    SetCaretXY({from.Char + width, from.Line});
    m_caret.RememberColumn();
    EnsureCursorPosVisible();
}

void TCustomSynEdit::IndentLines(int first, int last) {
    std::string spaces;
    for (int line = first; line <= last; ++line) {
        if (line > first) spaces += "\r\n";
        spaces.append(static_cast<std::size_t>(m_tabWidth), ' ');
    }
    ReplaceRange({1, first}, {1, first}, smColumn, spaces, smColumn, false);
}

void TCustomSynEdit::RemoveLeadingSpaces(TLineNumber first, std::string_view pieces) {
    const TTextChangeScope change(m_view, *m_lines);
    for (TLineNumber line = first;; ++line) {
        const std::size_t brk = pieces.find("\r\n");
        const std::size_t count = pieces.substr(0, brk).size();
        if (count > 0 && line <= LastLine(*m_lines)) {
            std::string s(LineAt(line));
            s.erase(0, std::min(s.size(), count));
            PutAt(*m_lines, line, s);
        }
        if (brk == std::string_view::npos) break;
        pieces.remove_prefix(brk + 2);
    }
}

void TCustomSynEdit::BlockIndent() {
    if (!SelAvail()) return;
    const TBufferCoord b = BlockBegin();
    const TBufferCoord e = BlockEnd();
    const TBufferCoord caret = CaretXY();
    IndentLines(b.Line, std::max(b.Line, e.Char == 1 ? e.Line - 1 : e.Line));
    RecordChange(ukIndent, b, e, "", smColumn);
    SetCaretAndSelection(caret, {b.Char + m_tabWidth, b.Line},
                         {e.Char == 1 ? 1 : e.Char + m_tabWidth, e.Line});
}

void TCustomSynEdit::BlockUnindent() {
    if (!SelAvail()) return;
    const TBufferCoord b = BlockBegin();
    const TBufferCoord e = BlockEnd();
    const TBufferCoord caret = CaretXY();
    const int last = std::max(b.Line, e.Char == 1 ? e.Line - 1 : e.Line);
    // The spaces each line loses, as the recorded pieces; the selection ends move by those of
    // the first and last line that lose any.
    std::string pieces;
    int firstCount = 0;
    int lastCount = 0;
    for (int line = b.Line; line <= last; ++line) {
        std::string_view s = LineAt(TLineNumber(line));
        int n = 0;
        while (n < m_tabWidth && n < static_cast<int>(s.size()) && s[n] == ' ') ++n;
        if (line > b.Line) pieces += "\r\n";
        pieces.append(static_cast<std::size_t>(n), ' ');
        if (n == 0) continue;
        if (firstCount == 0) firstCount = n;
        lastCount = n;
    }
    if (lastCount == 0) return;
    RemoveLeadingSpaces(TLineNumber::Of(b), pieces);
    RecordChange(ukUnindent, b, e, pieces, smColumn);
    SetCaretAndSelection(caret, {std::max(1, b.Char - firstCount), b.Line},
                         {std::max(1, e.Char - lastCount), e.Line});
}

// ---------------------------------------------------------------- clearing and clipboard

void TCustomSynEdit::ClearAll() {
    m_lines->Clear();
}

ISynClipboard& TCustomSynEdit::Clipboard() const {
    // Whoever makes an editor gives it its clipboard; there is no shared one to fall back on.
    if (m_clipboard == nullptr) throw ESynEditError("The editor has no clipboard");
    return *m_clipboard;
}

bool TCustomSynEdit::CanPaste() const {
    if (m_clipboard == nullptr) return false;
    const ISynClipboard& clipboard = Clipboard();
    return clipboard.HasText() || clipboard.HasBlockFormat();
}

void TCustomSynEdit::CopyToClipboard() {
    if (SelAvail()) Clipboard().SetText(SelText(), SelectionMode());
}

void TCustomSynEdit::CutToClipboard() {
    if (!SelAvail()) return;
    CopyToClipboard();
    UndoGroup(*this, [&] {
        RecordSelectionDeletion(ukDeleteSel);
        InsertAtSelection(SelectionMode(), "");
    });
}

void TCustomSynEdit::PasteFromClipboard() {
    const ISynClipboard& clipboard = Clipboard();
    std::string text;
    TSynSelectionMode mode = smNormal;
    bool block = clipboard.HasBlockFormat() && clipboard.GetBlock(text, mode);
    if (!block && !clipboard.GetText(text)) return;
    if (block && mode == smColumn) text = Rectangular(text);
    UndoGroup(*this, [&] {
        if (SelAvail()) RecordSelectionDeletion(ukDeleteSel);
        InsertAtSelection(mode, text);
        const TBufferCoord start = m_changer.InsertStart();
        const TBufferCoord end = m_changer.InsertEnd();
        if (text.empty()) {
            RecordChange(ukPaste, start, start, "", smNormal);
        } else if (mode != smLine) {
            RecordChange(ukPaste, start, end, "", mode);
        } else if (end.Char == 1) {
            RecordChange(ukPaste, {1, start.Line}, {std::max(1, CharsInWindow()), end.Line - 1}, "",
                         smLine);
        } else {
            RecordChange(ukPaste, {1, start.Line}, end, "", smNormal);
        }
        m_changer.FlushPendingTrims();
        if (mode == smColumn) SetCaretXY({start.Char, end.Line + 1});
    });
    EnsureCursorPosVisible();
    StatusChanged(stSelection);
}
