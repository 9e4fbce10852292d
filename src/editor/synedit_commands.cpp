// Editor logic: key and character input, command dispatch and the commands that move the caret,
// change the selection or the view without touching the text, and the bookmark keys.
#include <algorithm>

#include "editor/custom_synedit.h"
#include "editor/editor_commands.h"
#include "editor/key_strokes.h"
#include "editor/lines_by_number.h"
#include "editor/synedit_editing_commands.h"
#include "editor/synedit_scopes.h"
#include "editor/synedit_selection_text.h"
#include "search/syn_edit_search.h"

namespace {

bool IsSelectingCommand(TSynEditorCommand command) {
    return (command >= ecSelLeft && command <= ecSelGotoXY);
}

// A caret line or column moved into the `count` lines or columns shown from `first` on.
int IntoView(int value, int first, int count) {
    if (value < first) return first;
    if (value > first + count - 1) return first + count - 1;
    return value;
}

}  // namespace

TSynEditingCommands::TSynEditingCommands(TCustomSynEdit& editor, const TSynEditorParts& parts)
    : TSynEditorParts(parts), m_editor(editor), m_search(std::make_unique<TSynEditSearch>()) {
    m_keystrokes.ResetDefaults();
}

TSynEditingCommands::~TSynEditingCommands() = default;

bool TSynEditingCommands::KeyDown(uint16_t key, uint8_t shift) {
    if (m_editor.OnKeyDown) {
        m_editor.OnKeyDown(&m_editor, key, shift);
        if (key == 0) {
            m_ignoreNextChar = false;
            return true;
        }
    }
    TSynEditorCommand command = m_keystrokes.TranslateKey(key, shift, m_lastKey, m_lastShift);
    if (command == ecNone) {
        m_ignoreNextChar = false;
        return false;
    }
    m_ignoreNextChar = true;
    ProcessCommand(command, 0, nullptr);
    return true;
}

void TSynEditingCommands::KeyPress(char ch) {
    if (m_ignoreNextChar) {
        m_ignoreNextChar = false;
        return;
    }
    if (m_editor.OnKeyPress) {
        m_editor.OnKeyPress(&m_editor, ch);
        if (ch == 0) return;
    }
    ProcessCommand(ecChar, ch, nullptr);
}

void TSynEditingCommands::ImeResult(const std::string& text) {
    // Composition results arrive as one string here; no character messages follow them.
    std::string copy = text;
    ProcessCommand(ecImeStr, 0, copy.data());
}

void TSynEditingCommands::ProcessCommand(TSynEditorCommand command, char ch, void* data) {
    if (command >= ecUserFirst) {
        if (m_editor.OnProcessUserCommand)
            m_editor.OnProcessUserCommand(&m_editor, command, ch, data);
    } else if (m_editor.OnProcessCommand) {
        m_editor.OnProcessCommand(&m_editor, command, ch, data);
    }
    if (command != ecNone && command < ecUserFirst) m_editor.ExecuteCommand(command, ch, data);
    if (m_editor.OnCommandProcessed) m_editor.OnCommandProcessed(&m_editor, command, ch, data);
}

void TSynEditingCommands::Execute(TSynEditorCommand command, char ch, void* data) {
    const TPaintLockScope lock(m_view);

    const bool selecting = IsSelectingCommand(command);
    const TSynEditorCommand base = selecting ? command - (ecSelLeft - ecLeft) : command;
    const TBufferCoord caret = m_caret.CaretXY();
    const int count = m_lines.GetCount();

    auto lineLength = [this](int line) { return LengthAt(m_lines, TLineNumber(line)); };
    auto pageSize = [this] {
        int page = m_view.LinesInWindow();
        if (m_settings.Has(eoHalfPageScroll)) page /= 2;
        if (m_settings.Has(eoScrollByOneLess)) --page;
        return page;
    };

    switch (base) {
        case ecLeft:
        case ecRight:
            m_caret.MoveCaretHorz(base == ecLeft ? -1 : 1, selecting);
            return;
        case ecUp:
        case ecDown:
            m_caret.MoveCaretVert(base == ecUp ? -1 : 1, selecting);
            return;
        case ecWordLeft:
        case ecWordRight:
            m_caret.MoveCaretAndSelection(
                caret, base == ecWordLeft ? m_caret.PrevWordPos() : m_caret.NextWordPos(),
                selecting);
            m_caret.RememberColumn();
            return;
        case ecLineStart:
        case ecLineEnd:
            m_caret.MoveCaretAndSelection(
                caret,
                {base == ecLineStart ? 1 : lineLength(m_caret.CaretY()) + 1, m_caret.CaretY()},
                selecting);
            m_caret.RememberColumn();
            return;
        case ecPageUp:
        case ecPageDown: {
            int page = pageSize();
            int delta = base == ecPageUp ? -page : page;
            m_view.SetTopLine(m_view.TopLine() + delta);
            m_caret.MoveCaretVert(delta, selecting);
            return;
        }
        case ecPageLeft:
        case ecPageRight:
            m_caret.MoveCaretHorz(
                base == ecPageLeft ? -m_view.CharsInWindow() : m_view.CharsInWindow(), selecting);
            return;
        case ecPageTop:
        case ecPageBottom: {
            int line = base == ecPageTop ? m_view.TopLine()
                                         : m_view.TopLine() + m_view.LinesInWindow() - 1;
            m_caret.MoveCaretAndSelection(caret, {m_caret.CaretX(), line}, selecting);
            return;
        }
        case ecEditorTop:
        case ecEditorBottom: {
            TBufferCoord to{1, 1};
            if (base == ecEditorBottom && count > 0) to = {lineLength(count) + 1, count};
            m_caret.MoveCaretAndSelection(caret, to, selecting);
            return;
        }
        case ecGotoXY:
            if (data)
                m_caret.MoveCaretAndSelection(caret, *static_cast<TBufferCoord*>(data), selecting);
            return;
        default:
            break;
    }

    switch (command) {
        case ecSelectAll:
            m_caret.SelectAll();
            break;
        case ecScrollUp:
        case ecScrollDown: {
            m_view.SetTopLine(m_view.TopLine() + (command == ecScrollUp ? -1 : 1));
            const int line = IntoView(m_caret.CaretY(), m_view.TopLine(), m_view.LinesInWindow());
            if (line != m_caret.CaretY()) m_caret.SetCaretY(line);
            break;
        }
        case ecScrollLeft:
        case ecScrollRight: {
            m_view.SetLeftChar(m_view.LeftChar() + (command == ecScrollLeft ? -1 : 1));
            const int column =
                IntoView(m_caret.CaretX(), m_view.LeftChar(), m_view.CharsInWindow());
            if (column != m_caret.CaretX()) m_caret.SetCaretX(column);
            break;
        }
        case ecInsertMode:
            m_editor.SetInsertMode(true);
            break;
        case ecOverwriteMode:
            m_editor.SetInsertMode(false);
            break;
        case ecToggleMode:
            m_editor.SetInsertMode(!m_settings.InsertMode);
            break;
        case ecNormalSelect:
            m_caret.SetSelectionMode(smNormal);
            break;
        case ecColumnSelect:
            m_caret.SetSelectionMode(smColumn);
            break;
        case ecLineSelect:
            m_caret.SetSelectionMode(smLine);
            break;
        case ecMatchBracket:
            MatchBracket();
            break;
        default:
            if (command >= ecGotoMarker0 && command <= ecGotoMarker9) {
                if (m_editor.BookMarkOptions().EnableKeys())
                    m_editor.JumpToBookmark(command - ecGotoMarker0);
            } else if (command >= ecSetMarker0 && command <= ecSetMarker9) {
                if (m_editor.BookMarkOptions().EnableKeys())
                    ToggleBookmarkAtCaret(command - ecSetMarker0);
            } else {
                ExecuteEditing(command, ch, data);
            }
            break;
    }
}

void TSynEditingCommands::ToggleBookmarkAtCaret(int number) {
    TSynEditMark* mark = m_editor.Bookmark(number);
    if (mark) {
        bool otherLine = mark->Line() != m_caret.CaretY();
        m_editor.ClearBookmark(number);
        if (otherLine) m_editor.PlaceBookmark(number, m_caret.CaretX(), m_caret.CaretY());
    } else {
        m_editor.PlaceBookmark(number, m_caret.CaretX(), m_caret.CaretY());
    }
}

void TSynEditingCommands::MatchBracket() {
    static constexpr char kBrackets[] = "()[]{}";
    const std::string line(TextAt(m_lines, TLineNumber(m_caret.CaretY())));
    if (m_caret.CaretX() < 1 || m_caret.CaretX() > static_cast<int>(line.size())) return;
    char here = line[m_caret.CaretX() - 1];
    const char* pos = std::char_traits<char>::find(kBrackets, 6, here);
    if (!pos) return;
    int index = static_cast<int>(pos - kBrackets);
    bool opening = index % 2 == 0;
    char partner = kBrackets[opening ? index + 1 : index - 1];
    int level = 1;
    int y = m_caret.CaretY();
    int x = m_caret.CaretX() - 1;  // 0-based index of the bracket
    const int count = m_lines.GetCount();
    if (opening) {
        std::string text = line;
        ++x;
        while (true) {
            for (; x < static_cast<int>(text.size()); ++x) {
                if (text[x] == here)
                    ++level;
                else if (text[x] == partner && --level == 0) {
                    m_caret.SetCaretXY({x + 1, y});
                    m_caret.RememberColumn();
                    return;
                }
            }
            if (++y > count) return;
            text = std::string(TextAt(m_lines, TLineNumber(y)));
            x = 0;
        }
    } else {
        std::string text = line;
        --x;
        while (true) {
            for (; x >= 0; --x) {
                if (text[x] == here)
                    ++level;
                else if (text[x] == partner && --level == 0) {
                    m_caret.SetCaretXY({x + 1, y});
                    m_caret.RememberColumn();
                    return;
                }
            }
            if (--y < 1) return;
            text = std::string(TextAt(m_lines, TLineNumber(y)));
            x = static_cast<int>(text.size()) - 1;
        }
    }
}
