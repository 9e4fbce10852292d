// The editing commands of the editor control: key and character input, the dispatch of every
// command, the commands that change the text (typing, Backspace and Delete, line breaks, Tab,
// block indent and unindent, find and replace) and the clipboard transfers. It works on the
// control's parts and changes the text through TSynSelectionText; the control itself gives it
// the events, the bookmarks and undo and redo.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "editor/find_options.h"
#include "editor/key_strokes.h"
#include "editor/synedit_events.h"
#include "editor/synedit_parts.h"
#include "editor/undo_item.h"

class ISynClipboard;
class ISynEditorHost;
class TCustomSynEdit;
class TSynCaretSelection;
class TSynEditMarkList;
class TSynEditSearch;
class TSynEditStringList;
class TSynSelectionText;
class TSynTextChanger;
class TSynViewport;
struct TSynEditorSettings;

class TSynEditingCommands : private TSynEditorParts {
  public:
    TSynEditingCommands(TCustomSynEdit& editor, const TSynEditorParts& parts);
    ~TSynEditingCommands();
    TSynEditingCommands(const TSynEditingCommands&) = delete;
    TSynEditingCommands& operator=(const TSynEditingCommands&) = delete;

    // --- input and dispatch (synedit_commands.cpp) ---
    TSynEditKeyStrokes& Keystrokes() { return m_keystrokes; }
    // Key down: returns true when the key produced a command (the key is consumed).
    bool KeyDown(uint16_t key, uint8_t shift);
    void KeyPress(char ch);
    void ImeResult(const std::string& text);
    // Raises the command events around the control's ExecuteCommand.
    void ProcessCommand(TSynEditorCommand command, char ch, void* data);
    // Runs one command: moves, selection and view commands here, the rest below.
    void Execute(TSynEditorCommand command, char ch, void* data);

    // Finds and optionally replaces; returns the number of matches handled
    // (synedit_find_replace.cpp).
    int FindReplace(std::string_view search, std::string_view replace, TFindOptions options);

    // --- clipboard (synedit_editing.cpp) ---
    // Given by whoever makes the editor; without one, Copy, Cut and Paste raise
    // ESynEditError and CanPaste is false.
    void SetClipboard(ISynClipboard* clipboard) { m_clipboard = clipboard; }
    ISynClipboard& Clipboard() const;
    bool CanPaste() const;
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();

  private:
    // Commands that change the text (and copying), synedit_editing.cpp.
    void ExecuteEditing(TSynEditorCommand command, char ch, void* data);
    void TypeText(std::string_view text, bool ime);
    // Backspace or Delete: the selection, else the character before or at the caret; the two
    // below run inside the change bracket it opens.
    void DeleteByKey(bool backwards);
    void DeleteLastChar();
    void DeleteChar();
    void DeleteRange(TBufferCoord from, TBufferCoord to, TSynChangeReason kind);
    void DeleteLine();
    // New lines, Tab and block indent, synedit_line_editing.cpp.
    void LineBreak(bool moveCaret);
    void InsertTab();
    void BlockIndent();
    void BlockUnindent();
    int SmartTabWidth() const;
    void ToggleBookmarkAtCaret(int number);
    void MatchBracket();
    // The leading blanks of a 1-based line (none without auto-indent), counted and as they are.
    int LeadingBlanks(int line) const;
    std::string LeadingIndent(int line) const;
    // First line from fromLine to lastLine (1-based) in which the search engine finds its
    // pattern, or lastLine + 1 when there is none.
    int NextLineWithMatch(int fromLine, int lastLine) const;

    TCustomSynEdit& m_editor;
    TSynEditKeyStrokes m_keystrokes;
    std::unique_ptr<TSynEditSearch> m_search;
    ISynClipboard* m_clipboard = nullptr;
    // The previous key of a two-key stroke, and whether the character of a key that gave a
    // command is still to come (it is swallowed).
    uint16_t m_lastKey = 0;
    uint8_t m_lastShift = 0;
    bool m_ignoreNextChar = false;
};
