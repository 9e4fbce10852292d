// Editor logic: the dispatch of the commands that change the text, typing, Backspace and
// Delete, range and line deletions, and the clipboard transfers.
#include <algorithm>
#include <vector>

#include "editor/custom_synedit.h"
#include "editor/editor_commands.h"
#include "editor/lines_by_number.h"
#include "editor/marks.h"
#include "editor/synedit_clipboard.h"
#include "editor/synedit_editing_commands.h"
#include "editor/synedit_error.h"
#include "editor/synedit_scopes.h"
#include "editor/synedit_selection_text.h"
#include "editor/trailing_blanks.h"

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

// Runs a command's changes as one undo group; trims an insertion held back are recorded when
// the group closes.
template <typename F>
void UndoGroup(TSynTextChanger& changer, F&& body) {
    const TUndoBlockScope group(changer);
    body();
}

}  // namespace

void TSynEditingCommands::ExecuteEditing(TSynEditorCommand command, char ch, void* data) {
    if (command == ecCopy) {
        CopyToClipboard();
        return;
    }
    if (m_settings.ReadOnly) return;
    const TBufferCoord caret = m_caret.CaretXY();
    switch (command) {
        case ecUndo:
            m_editor.Undo();
            return;
        case ecRedo:
            m_editor.Redo();
            return;
        case ecClearAll:
            m_editor.ClearAll();
            return;
        case ecCut:
            if (m_caret.SelAvail()) CutToClipboard();
            return;
        case ecPaste:
            PasteFromClipboard();
            return;
        case ecChar:
            if (static_cast<unsigned char>(ch) > 31 && ch != 127) {
                UndoGroup(m_changer, [&] { TypeText(std::string_view(&ch, 1), false); });
            }
            return;
        case ecImeStr:
            if (data) {
                std::string_view text(static_cast<const char*>(data));
                if (!text.empty()) {
                    UndoGroup(m_changer, [&] { TypeText(text, true); });
                }
            }
            return;
        case ecDeleteLastChar:
            UndoGroup(m_changer, [&] { DeleteByKey(true); });
            return;
        case ecDeleteChar:
            UndoGroup(m_changer, [&] { DeleteByKey(false); });
            return;
        case ecDeleteWord: {
            m_caret.SetCaretX(
                std::min(caret.Char, m_changer.LineLength(TLineNumber::Of(caret)) + 1));
            TBufferCoord from = m_caret.CaretXY();
            UndoGroup(m_changer, [&] { DeleteRange(from, m_caret.NextWordPos(), ukDeleteChar); });
            return;
        }
        case ecDeleteEOL:
            UndoGroup(m_changer, [&] {
                DeleteRange(caret, {m_changer.LineLength(TLineNumber::Of(caret)) + 1, caret.Line},
                            ukDeleteChar);
            });
            return;
        case ecDeleteLastWord:
            UndoGroup(m_changer, [&] { DeleteRange(m_caret.PrevWordPos(), caret, ukBackspace); });
            return;
        case ecDeleteBOL:
            UndoGroup(m_changer, [&] { DeleteRange({1, caret.Line}, caret, ukBackspace); });
            return;
        case ecDeleteLine:
            UndoGroup(m_changer, [&] { DeleteLine(); });
            return;
        case ecLineBreak:
        case ecInsertLine:
            UndoGroup(m_changer, [&] { LineBreak(command == ecLineBreak); });
            return;
        case ecTab:
            UndoGroup(m_changer, [&] { InsertTab(); });
            return;
        case ecBlockIndent:
            UndoGroup(m_changer, [&] { BlockIndent(); });
            return;
        case ecBlockUnindent:
            UndoGroup(m_changer, [&] { BlockUnindent(); });
            return;
        default:
            // ecShiftTab, ecAutoCompletion and unknown numbers do nothing here.
            return;
    }
}

// ---------------------------------------------------------------- typing

void TSynEditingCommands::TypeText(std::string_view text, bool ime) {
    if (m_caret.SelAvail()) {
        m_text.RecordSelectionDeletion(ukDeleteSel);
        m_text.InsertAtSelection(smNormal, text);
        m_changer.RecordChange(ukInsert, m_changer.InsertStart(), m_changer.InsertEnd(), "",
                               smNormal);
        m_changer.FlushPendingTrims();
        m_caret.EnsureCursorPosVisible();
        return;
    }
    const TSynEditorOptions savedOptions = m_settings.Options;
    m_settings.Options |= eoScrollPastEol;
    const TScopeExit restore([&] { m_text.RestoreOptions(savedOptions); });

    const TTextChangeScope close(m_view, m_lines);

    const TLineNumber line(m_caret.CaretY());
    const int y = line.Number();
    const int column = m_caret.CaretX();
    const int length = static_cast<int>(text.size());
    m_changer.EnsureLine(line);
    // Insert mode pads up to the caret; overwrite mode (and input-method strings) one further.
    m_changer.PadLine(line, (m_settings.InsertMode && !ime) ? column - 1 : column);
    const std::size_t at = static_cast<std::size_t>(column - 1);
    if (m_settings.InsertMode) {
        // The line is put once, around the typed text, however long it is. Blanks typed at
        // the line end are trimmed in the same put, the caret staying after them, except past
        // the columns the caret may stand on beyond a line's end: trimmed there, the next
        // character would land before them and the blanks be lost.
        const std::string_view old = m_changer.LineAt(line);
        std::string_view head = old.substr(0, at);
        std::string_view middle = text;
        std::string_view tail = old.substr(at);
        std::string blanks;
        if (!ime && m_changer.TrimEnabled() && column + length <= m_settings.MaxLeftChar)
            blanks = CutTrailingBlanks(head, middle, tail);
        m_lines.PutSpliced(line.Index(), head, middle, tail);
        m_changer.RecordChange(ukInsert, {column, y}, {column + length, y}, "", smNormal);
        // The trim is an undo item of its own, after the insertion its place refers to.
        if (!blanks.empty()) {
            const int start = m_changer.LineLength(line) + 1;
            m_changer.RecordSideEffect(ukDeleteChar, {start, y},
                                       {start + static_cast<int>(blanks.size()), y}, blanks);
        }
    } else {
        std::string s(m_changer.LineAt(line));
        std::string replaced = s.substr(at, text.size());
        s.replace(at, replaced.size(), text);
        PutAt(m_lines, line, s);
        // The range covers everything typed, even past the old line end, so undo removes it.
        m_changer.RecordChange(ukInsert, {column, y}, {column + length, y}, replaced, smNormal);
    }
    m_caret.SetCaretXY({column + length, y});
    m_caret.RememberColumn();
    if (m_caret.CaretX() >= m_view.LeftChar() + m_view.CharsInWindow())
        m_view.SetLeftChar(m_view.LeftChar() + std::min(25, m_view.CharsInWindow() - 1));
}

// ---------------------------------------------------------------- deleting

void TSynEditingCommands::DeleteRange(TBufferCoord from, TBufferCoord to, TSynChangeReason kind) {
    if (CoordLess(to, from)) std::swap(from, to);
    from.Char = std::min(from.Char, m_changer.LineLength(TLineNumber::Of(from)) + 1);
    to.Char = std::min(to.Char, m_changer.LineLength(TLineNumber::Of(to)) + 1);
    if (from == to) return;
    m_changer.RecordChange(kind, from, to, m_changer.RangeText(from, to, smNormal), smNormal);
    m_text.ReplaceRange(from, to, smNormal, "", smNormal, true);
    m_caret.SetCaretXY(from);
    m_caret.RememberColumn();
}

void TSynEditingCommands::DeleteByKey(bool backwards) {
    if (m_caret.SelAvail()) {
        m_text.DeleteSelectionByKey();
        return;
    }
    if (m_lines.GetCount() == 0) return;
    const TTextChangeScope close(m_view, m_lines);
    if (backwards)
        DeleteLastChar();
    else
        DeleteChar();
}

void TSynEditingCommands::DeleteLastChar() {
    const TLineNumber line(m_caret.CaretY());
    const int y = line.Number();
    const int column = m_caret.CaretX();
    const int length = m_changer.LineLength(line);

    if (column > length + 1) {
        // Beyond the line end the caret only moves; the item keeps redo in step.
        m_caret.SetCaretX(column - 1);
        m_changer.RecordChange(ukBackspace, {column - 1, y}, {column, y}, "", smNormal);
        return;
    }
    if (column == 1) {
        if (y == 1) return;
        const std::string previous(m_changer.LineAt(line.Previous()));
        const std::string current(m_changer.LineAt(line));
        const std::size_t keep =
            m_changer.TrimEnabled() ? TrailingBlankStart(current) : current.size();
        DeleteAt(m_lines, line);
        m_marks.LinesDeleted(y - 1, 1);
        PutAt(m_lines, line.Previous(), previous + current);
        const TBufferCoord joint{static_cast<int>(previous.size()) + 1, y - 1};
        m_caret.SetCaretXY(joint);
        m_caret.RememberColumn();
        m_changer.RecordChange(ukBackspace, joint, {1, y}, "\r\n", smNormal);
        if (keep < current.size()) {
            // The joined line's trailing blanks go, recorded after the join they follow.
            PutAt(m_lines, line.Previous(), previous + current.substr(0, keep));
            TBufferCoord trimStart{joint.Char + static_cast<int>(keep), y - 1};
            m_changer.RecordSideEffect(
                ukDeleteChar, trimStart,
                {trimStart.Char + static_cast<int>(current.size() - keep), y - 1},
                current.substr(keep));
        }
        return;
    }
    const std::string_view s = m_changer.LineAt(line);
    int count = 1;
    const int blanks = LeadingBlanks(y);
    if (IsBlank(s[column - 2]) && column - 1 == blanks) {
        int lesser = 0;
        for (int above = y - 1; above >= 1; --above) {
            int n = m_changer.LineLength(TLineNumber(above)) == 0 ? 0 : LeadingBlanks(above);
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
    const std::string deleted(s.substr(from, static_cast<std::size_t>(count)));
    m_lines.PutSpliced(line.Index(), s.substr(0, from), {},
                       s.substr(from + static_cast<std::size_t>(count)));
    m_caret.SetCaretXY({column - count, y});
    m_caret.RememberColumn();
    m_changer.RecordChange(ukBackspace, {column - count, y}, {column, y}, deleted, smNormal);
}

void TSynEditingCommands::DeleteChar() {
    const TLineNumber line(m_caret.CaretY());
    const int y = line.Number();
    const int column = m_caret.CaretX();
    const int length = m_changer.LineLength(line);
    if (column > length) {
        if (line >= LastLine(m_lines)) return;
        m_changer.PadLine(line, column - 1);
        std::string joined(m_changer.LineAt(line));
        joined.append(m_changer.LineAt(line.Next()));
        DeleteAt(m_lines, line.Next());
        m_marks.LinesDeleted(y, 1);
        PutAt(m_lines, line, joined);
        m_changer.RecordChange(ukDeleteChar, {column, y}, {1, y + 1}, "\r\n", smNormal);
    } else {
        const std::string_view s = m_changer.LineAt(line);
        const auto at = static_cast<std::size_t>(column - 1);
        const std::string deleted(s.substr(at, 1));
        m_lines.PutSpliced(line.Index(), s.substr(0, at), {}, s.substr(at + 1));
        m_changer.RecordChange(ukDeleteChar, {column, y}, {column + 1, y}, deleted, smNormal);
    }
    m_caret.SetCaretXY({column, y});
}

void TSynEditingCommands::DeleteLine() {
    const int count = m_lines.GetCount();
    if (count == 0 || (count == 1 && m_changer.LineLength(TLineNumber(1)) == 0)) return;
    const TLineNumber line(m_caret.CaretY());
    const int y = line.Number();
    m_caret.SetBlockBegin(m_caret.CaretXY());
    const TTextChangeScope close(m_view, m_lines);
    const std::string text(m_changer.LineAt(line));
    const int length = static_cast<int>(text.size());
    // The recorded ranges cover exactly the removed text, so redo removes the same again.
    if (count == 1) {
        m_lines.Put(0, "");
        m_changer.RecordChange(ukDeleteSelBack, {1, 1}, {length + 1, 1}, text, smNormal);
    } else if (y < count) {
        DeleteAt(m_lines, line);
        m_marks.LinesDeleted(y - 1, 1);
        m_changer.RecordChange(ukDeleteSelBack, {1, y}, {1, y + 1}, text + "\r\n", smNormal);
    } else {
        const int previousLength = m_changer.LineLength(line.Previous());
        DeleteAt(m_lines, line);
        m_marks.LinesDeleted(y - 1, 1);
        m_changer.RecordChange(ukDeleteSelBack, {previousLength + 1, y - 1}, {length + 1, y},
                               "\r\n" + text, smNormal);
    }
    m_caret.SetCaretXY({1, y});
    m_caret.RememberColumn();
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
    if (m_caret.SelAvail()) Clipboard().SetText(m_text.SelText(), m_caret.SelectionMode());
}

void TSynEditingCommands::CutToClipboard() {
    if (!m_caret.SelAvail()) return;
    CopyToClipboard();
    {
        const TUndoBlockScope group(m_changer);
        m_text.RecordSelectionDeletion(ukDeleteSel);
        m_text.InsertAtSelection(m_caret.SelectionMode(), "");
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
        if (m_caret.SelAvail()) m_text.RecordSelectionDeletion(ukDeleteSel);
        m_text.InsertAtSelection(mode, text);
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
    m_host.EditorStatusChanged(stSelection);
}
