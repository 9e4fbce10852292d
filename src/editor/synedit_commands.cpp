// Editor logic: key and character input, command dispatch and the commands that move the caret,
// change the selection or the view without touching the text.
#include <algorithm>

#include "editor/custom_synedit.h"
#include "editor/editor_commands.h"
#include "editor/key_strokes.h"
#include "editor/lines_by_number.h"
#include "editor/synedit_scopes.h"

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

bool TCustomSynEdit::KeyDown(uint16_t key, uint8_t shift) {
    if (OnKeyDown) {
        OnKeyDown(this, key, shift);
        if (key == 0) {
            m_ignoreNextChar = false;
            return true;
        }
    }
    TSynEditorCommand command = m_keystrokes->TranslateKey(key, shift, m_lastKey, m_lastShift);
    if (command == ecNone) {
        m_ignoreNextChar = false;
        return false;
    }
    m_ignoreNextChar = true;
    ProcessCommand(command, 0, nullptr);
    return true;
}

void TCustomSynEdit::KeyPress(char ch) {
    if (m_ignoreNextChar) {
        m_ignoreNextChar = false;
        return;
    }
    if (OnKeyPress) {
        OnKeyPress(this, ch);
        if (ch == 0) return;
    }
    ProcessCommand(ecChar, ch, nullptr);
}

void TCustomSynEdit::ImeResult(const std::string& text) {
    // Composition results arrive as one string here; no character messages follow them.
    std::string copy = text;
    ProcessCommand(ecImeStr, 0, copy.data());
}

void TCustomSynEdit::ProcessCommand(TSynEditorCommand command, char ch, void* data) {
    if (command >= ecUserFirst) {
        if (OnProcessUserCommand) OnProcessUserCommand(this, command, ch, data);
    } else if (OnProcessCommand) {
        OnProcessCommand(this, command, ch, data);
    }
    if (command != ecNone && command < ecUserFirst) ExecuteCommand(command, ch, data);
    if (OnCommandProcessed) OnCommandProcessed(this, command, ch, data);
}

void TCustomSynEdit::ExecuteCommand(TSynEditorCommand command, char ch, void* data) {
    const TPaintLockScope lock(m_view);

    const bool selecting = IsSelectingCommand(command);
    const TSynEditorCommand base = selecting ? command - (ecSelLeft - ecLeft) : command;
    const TBufferCoord caret = CaretXY();
    const int count = m_lines->GetCount();

    auto lineLength = [this](int line) { return LengthAt(*m_lines, TLineNumber(line)); };
    auto pageSize = [this] {
        int page = LinesInWindow();
        if (HasOption(eoHalfPageScroll)) page /= 2;
        if (HasOption(eoScrollByOneLess)) --page;
        return page;
    };

    switch (base) {
        case ecLeft:
        case ecRight:
            MoveCaretHorz(base == ecLeft ? -1 : 1, selecting);
            return;
        case ecUp:
        case ecDown:
            MoveCaretVert(base == ecUp ? -1 : 1, selecting);
            return;
        case ecWordLeft:
        case ecWordRight:
            MoveCaretAndSelection(caret, base == ecWordLeft ? PrevWordPos() : NextWordPos(),
                                  selecting);
            m_caret.RememberColumn();
            return;
        case ecLineStart:
        case ecLineEnd:
            MoveCaretAndSelection(
                caret, {base == ecLineStart ? 1 : lineLength(CaretY()) + 1, CaretY()}, selecting);
            m_caret.RememberColumn();
            return;
        case ecPageUp:
        case ecPageDown: {
            int page = pageSize();
            int delta = base == ecPageUp ? -page : page;
            SetTopLine(TopLine() + delta);
            MoveCaretVert(delta, selecting);
            return;
        }
        case ecPageLeft:
        case ecPageRight:
            MoveCaretHorz(base == ecPageLeft ? -CharsInWindow() : CharsInWindow(), selecting);
            return;
        case ecPageTop:
        case ecPageBottom: {
            int line = base == ecPageTop ? TopLine() : TopLine() + LinesInWindow() - 1;
            MoveCaretAndSelection(caret, {CaretX(), line}, selecting);
            return;
        }
        case ecEditorTop:
        case ecEditorBottom: {
            TBufferCoord to{1, 1};
            if (base == ecEditorBottom && count > 0) to = {lineLength(count) + 1, count};
            MoveCaretAndSelection(caret, to, selecting);
            return;
        }
        case ecGotoXY:
            if (data) MoveCaretAndSelection(caret, *static_cast<TBufferCoord*>(data), selecting);
            return;
        default:
            break;
    }

    switch (command) {
        case ecSelectAll:
            SelectAll();
            break;
        case ecScrollUp:
        case ecScrollDown: {
            SetTopLine(TopLine() + (command == ecScrollUp ? -1 : 1));
            const int line = IntoView(CaretY(), TopLine(), LinesInWindow());
            if (line != CaretY()) SetCaretY(line);
            break;
        }
        case ecScrollLeft:
        case ecScrollRight: {
            SetLeftChar(LeftChar() + (command == ecScrollLeft ? -1 : 1));
            const int column = IntoView(CaretX(), LeftChar(), CharsInWindow());
            if (column != CaretX()) SetCaretX(column);
            break;
        }
        case ecInsertMode:
            SetInsertMode(true);
            break;
        case ecOverwriteMode:
            SetInsertMode(false);
            break;
        case ecToggleMode:
            SetInsertMode(!m_insertMode);
            break;
        case ecNormalSelect:
            SetSelectionMode(smNormal);
            break;
        case ecColumnSelect:
            SetSelectionMode(smColumn);
            break;
        case ecLineSelect:
            SetSelectionMode(smLine);
            break;
        case ecMatchBracket:
            MatchBracket();
            break;
        default:
            if (command >= ecGotoMarker0 && command <= ecGotoMarker9) {
                if (m_bookMarkOpt.EnableKeys()) JumpToBookmark(command - ecGotoMarker0);
            } else if (command >= ecSetMarker0 && command <= ecSetMarker9) {
                if (m_bookMarkOpt.EnableKeys()) ToggleBookmarkAtCaret(command - ecSetMarker0);
            } else {
                ExecuteEditingCommand(command, ch, data);
            }
            break;
    }
}

void TCustomSynEdit::ToggleBookmarkAtCaret(int number) {
    TSynEditMark* mark = Bookmark(number);
    if (mark) {
        bool otherLine = mark->Line() != CaretY();
        ClearBookmark(number);
        if (otherLine) PlaceBookmark(number, CaretX(), CaretY());
    } else {
        PlaceBookmark(number, CaretX(), CaretY());
    }
}

void TCustomSynEdit::MatchBracket() {
    static constexpr char kBrackets[] = "()[]{}";
    const std::string line(TextAt(*m_lines, TLineNumber(CaretY())));
    if (CaretX() < 1 || CaretX() > static_cast<int>(line.size())) return;
    char here = line[CaretX() - 1];
    const char* pos = std::char_traits<char>::find(kBrackets, 6, here);
    if (!pos) return;
    int index = static_cast<int>(pos - kBrackets);
    bool opening = index % 2 == 0;
    char partner = kBrackets[opening ? index + 1 : index - 1];
    int level = 1;
    int y = CaretY();
    int x = CaretX() - 1;  // 0-based index of the bracket
    const int count = m_lines->GetCount();
    if (opening) {
        std::string text = line;
        ++x;
        while (true) {
            for (; x < static_cast<int>(text.size()); ++x) {
                if (text[x] == here)
                    ++level;
                else if (text[x] == partner && --level == 0) {
                    SetCaretXY({x + 1, y});
                    m_caret.RememberColumn();
                    return;
                }
            }
            if (++y > count) return;
            text = std::string(TextAt(*m_lines, TLineNumber(y)));
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
                    SetCaretXY({x + 1, y});
                    m_caret.RememberColumn();
                    return;
                }
            }
            if (--y < 1) return;
            text = std::string(TextAt(*m_lines, TLineNumber(y)));
            x = static_cast<int>(text.size()) - 1;
        }
    }
}
