// Editing commands: typing, Backspace and Delete, new lines, Tab, block indent, line deletion,
// bracket matching, bookmarks, undo and redo, the clipboard and read-only editors.
#include <gtest/gtest.h>

#include <cstring>

#include "editing_markup.h"
#include "editor/editor_commands.h"
#include "editor/synedit_clipboard.h"
#include "editor/synedit_error.h"
#include "editor/undo_list.h"
#include "synedit_test_support.h"

namespace {

struct EditingTest : ::testing::Test {
    TestEditor t;
    TCustomSynEdit& e = t.editor;
    TSynMemoryClipboard clipboard;
    EditingTest() { e.SetClipboard(&clipboard); }
    void Load(std::string_view markup) { LoadMarkup(e, markup); }
    void Type(std::string_view s) {
        for (char c : s) e.ProcessCommand(ecChar, c);
    }
    std::string Run(std::string_view markup, TSynEditorCommand command) {
        Load(markup);
        e.ProcessCommand(command);
        return RenderMarkup(e);
    }
};

TEST_F(EditingTest, TypingBeyondTheLineEndPadsAndUndoRemovesThePadding) {
    Load("abc");
    e.SetCaretXY({10, 1});
    Type("x");
    EXPECT_EQ(RenderMarkup(e), "abc      x|");
    e.Undo();
    EXPECT_EQ(EditorText(e), "abc");
    EXPECT_FALSE(e.CanUndo());
}

TEST_F(EditingTest, BlanksTypedAtTheEndOfALineLongerThanTheCaretLimitAreKept) {
    // Past the caret's column limit the caret cannot stand after trimmed blanks, so they stay.
    e.SetOptions(e.Options() | eoTrimTrailingSpaces | eoScrollPastEol);
    for (const int length : {10, 3000}) {
        SCOPED_TRACE(length);
        const std::string line(static_cast<std::size_t>(length), 'a');
        e.Lines().Clear();
        e.Lines().Add(line);
        e.SetCaretXY({length + 1, 1});
        Type("/* x  y");
        EXPECT_EQ(e.Lines().Get(0), line + "/* x  y");
        EXPECT_EQ(e.CaretX(), length + 8);
    }
}

TEST_F(EditingTest, EveryTypedCharacterIsItsOwnUndoStep) {
    Load("|");
    Type("abc");
    ASSERT_EQ(e.UndoList().ItemCount(), 3);
    EXPECT_NE(e.UndoList().Item(0).ChangeNumber, e.UndoList().Item(1).ChangeNumber);
    e.Undo();
    EXPECT_EQ(EditorText(e), "ab");
    e.Undo();
    EXPECT_EQ(EditorText(e), "a");
}

TEST_F(EditingTest, OverwriteModeReplacesAndUndoBringsTheCharacterBack) {
    Load("a|bc");
    e.SetInsertMode(false);
    Type("X");
    EXPECT_EQ(RenderMarkup(e), "aX|c");
    e.Undo();
    EXPECT_EQ(EditorText(e), "abc");
    e.Redo();
    EXPECT_EQ(EditorText(e), "aXc");
}

TEST_F(EditingTest, TypingOverASelectionIsOneGroupAndControlCharactersAreIgnored) {
    Load("a[bc]d");
    Type("X");
    EXPECT_EQ(RenderMarkup(e), "aX|d");
    e.ProcessCommand(ecChar, '\x07');
    e.ProcessCommand(ecChar, '\x7f');
    EXPECT_EQ(EditorText(e), "aXd");
    e.Undo();
    EXPECT_EQ(RenderMarkup(e), "a[bc|]d");
}

TEST_F(EditingTest, TrailingBlanksAreTrimmedAndComeBackOnUndo) {
    Load("ab  \t|");
    e.SetCaretXY({1, 1});
    Type("x");
    EXPECT_EQ(EditorText(e), "xab");
    e.Undo();
    EXPECT_EQ(EditorText(e), "ab  \t");

    // The typed blank is trimmed with those before it, and on a line of blanks all go; the
    // caret stays after what was typed, and undo and redo give each text back.
    for (const char* line : {"ab  ", "   "}) {
        SCOPED_TRACE(line);
        Load(std::string(line) + "|");
        Type(" ");
        const std::string trimmed = std::string(line).substr(0, line[0] == 'a' ? 2 : 0);
        EXPECT_EQ(EditorText(e), trimmed);
        EXPECT_EQ(e.CaretXY(), (TBufferCoord{static_cast<int>(std::strlen(line)) + 2, 1}));
        e.Undo();
        EXPECT_EQ(EditorText(e), line);
        e.Redo();
        EXPECT_EQ(EditorText(e), trimmed);
    }
}

TEST_F(EditingTest, BackspaceUnindentsToTheLessIndentedLineAbove) {
    Load("  a\n    |foo");
    e.ProcessCommand(ecDeleteLastChar);
    EXPECT_EQ(RenderMarkup(e), "  a\n  |foo");
    Load("x\n    |foo");
    e.ProcessCommand(ecDeleteLastChar);
    EXPECT_EQ(RenderMarkup(e), "x\n|foo");
    e.Undo();
    EXPECT_EQ(RenderMarkup(e), "x\n    |foo");
}

TEST_F(EditingTest, BackspaceJoinsLinesAndMovesOverPadding) {
    EXPECT_EQ(Run("ab\n|cd", ecDeleteLastChar), "ab|cd");
    Load("ab");
    e.SetCaretXY({5, 1});
    e.ProcessCommand(ecDeleteLastChar);
    EXPECT_EQ(e.CaretXY(), (TBufferCoord{4, 1}));
    EXPECT_EQ(EditorText(e), "ab");
    EXPECT_EQ(Run("|ab", ecDeleteLastChar), "|ab");
}

TEST_F(EditingTest, DeleteRemovesACharacterOrJoinsThePaddedNextLine) {
    EXPECT_EQ(Run("a|bc", ecDeleteChar), "a|c");
    Load("ab\ncd");
    e.SetCaretXY({4, 1});
    e.ProcessCommand(ecDeleteChar);
    EXPECT_EQ(EditorText(e), "ab cd");
    e.Undo();
    EXPECT_EQ(EditorText(e), "ab\ncd");
    EXPECT_EQ(Run("ab|", ecDeleteChar), "ab|");
}

TEST_F(EditingTest, RangeDeletions) {
    EXPECT_EQ(Run("foo |bar baz", ecDeleteWord), "foo | baz");
    EXPECT_EQ(Run("foo b|ar baz", ecDeleteEOL), "foo b|");
    EXPECT_EQ(Run("foo bar| baz", ecDeleteLastWord), "foo | baz");
    EXPECT_EQ(Run("foo b|ar", ecDeleteBOL), "|ar");
    EXPECT_EQ(e.UndoList().Item(0).ChangeReason, ukBackspace);
    EXPECT_EQ(Run("foo|", ecDeleteEOL), "foo|");
    EXPECT_FALSE(e.CanUndo());
}

TEST_F(EditingTest, DeleteLine) {
    EXPECT_EQ(Run("a\nb|b\nc", ecDeleteLine), "a\n|c");
    EXPECT_EQ(Run("only|", ecDeleteLine), "|");
    Load("a\nb\nc|c");
    e.ProcessCommand(ecDeleteLine);
    EXPECT_EQ(EditorText(e), "a\nb");
    e.Undo();
    EXPECT_EQ(EditorText(e), "a\nb\ncc");
    e.Redo();
    EXPECT_EQ(EditorText(e), "a\nb");
}

TEST_F(EditingTest, LineBreakKeepsTheIndentation) {
    EXPECT_EQ(Run("  ab|cd", ecLineBreak), "  ab\n  |cd");
    e.Undo();
    EXPECT_EQ(EditorText(e), "  abcd");
    e.SetOptions(e.Options() & ~eoAutoIndent);
    EXPECT_EQ(Run("  ab|cd", ecLineBreak), "  ab\n|cd");
    e.SetOptions(e.Options() | eoAutoIndent);
    EXPECT_EQ(Run("  ab|", ecLineBreak), "  ab\n  |");
    // An empty line gets no spaces, only the caret column.
    EXPECT_EQ(Run("  x\n|", ecLineBreak), "  x\n\n..|");
    EXPECT_EQ(Run("|ab", ecLineBreak), "\n|ab");
    EXPECT_EQ(Run("ab|cd", ecInsertLine), "ab|\ncd");
}

TEST_F(EditingTest, TabWidths) {
    EXPECT_EQ(Run("|x", ecTab), "        |x");
    EXPECT_EQ(Run("abcd|", ecTab), "abcd    |");
    e.SetOptions(e.Options() | eoSmartTabs);
    EXPECT_EQ(Run("int   x\n|y", ecTab), "int   x\n      |y");
    e.Undo();
    EXPECT_EQ(EditorText(e), "int   x\ny");
    // The spaces replace a selection and are recorded where they went in.
    Load("ab[cd]");
    e.SetOptions(e.Options() & ~eoSmartTabs);
    e.ProcessCommand(ecTab);
    EXPECT_EQ(RenderMarkup(e), "ab      |");
    e.Undo();
    EXPECT_EQ(EditorText(e), "abcd");
}

TEST_F(EditingTest, BlockIndentAndUnindent) {
    Load("[a\nb\n]c");
    e.ProcessCommand(ecBlockIndent);
    EXPECT_EQ(EditorText(e), "        a\n        b\nc");
    e.ProcessCommand(ecBlockUnindent);
    EXPECT_EQ(EditorText(e), "a\nb\nc");
    e.Undo();
    EXPECT_EQ(EditorText(e), "        a\n        b\nc");
    e.Undo();
    EXPECT_EQ(EditorText(e), "a\nb\nc");
    e.Redo();
    e.Redo();
    EXPECT_EQ(EditorText(e), "a\nb\nc");
}

TEST_F(EditingTest, MatchBracketFindsTheNestedPartner) {
    EXPECT_EQ(Run("f|(a(b)c)", ecMatchBracket), "f(a(b)c|)");
    EXPECT_EQ(Run("f(a(b)c|)", ecMatchBracket), "f|(a(b)c)");
    EXPECT_EQ(Run("f|(a", ecMatchBracket), "f|(a");
}

TEST_F(EditingTest, SetMarkerTogglesAndMarksFollowDeletedLines) {
    Load("a\nb|\nc");
    e.ProcessCommand(ecSetMarker3);
    ASSERT_NE(e.Bookmark(3), nullptr);
    e.ProcessCommand(ecSetMarker3);
    EXPECT_EQ(e.Bookmark(3), nullptr);
    e.PlaceBookmark(1, 1, 3);
    e.ProcessCommand(ecDeleteLine);  // line 2 goes; the mark on line 3 moves up
    EXPECT_EQ(e.Bookmark(1)->Line(), 2);
}

TEST_F(EditingTest, UndoLimitDropsOldestAndKeepsTheEditorModified) {
    Load("|");
    e.SetMaxUndo(2);
    e.SetMaxUndo(-5);
    EXPECT_EQ(e.MaxUndo(), 2);
    Type("abc");
    e.Undo();
    e.Undo();
    e.Undo();
    EXPECT_EQ(EditorText(e), "a");
    EXPECT_TRUE(e.Modified());
}

TEST_F(EditingTest, NewEditsClearRedoButRedoDoesNot) {
    Load("|");
    Type("ab");
    e.Undo();
    EXPECT_TRUE(e.CanRedo());
    e.Redo();
    EXPECT_FALSE(e.CanRedo());
    e.Undo();
    Type("x");
    EXPECT_FALSE(e.CanRedo());
    EXPECT_EQ(EditorText(e), "ax");
}

TEST_F(EditingTest, ModifiedFlagAndOnChangeFollowTheUndoList) {
    Load("|");
    int changes = 0;
    e.OnChange = [&](TCustomSynEdit*) { ++changes; };
    Type("a");
    EXPECT_TRUE(e.Modified());
    EXPECT_EQ(changes, 1);
    e.Undo();
    EXPECT_FALSE(e.Modified());
}

TEST_F(EditingTest, ModifiedFollowsTheSavedTextThroughUndoRedoAndNewEdits) {
    Load("|");
    Type("ab");
    e.MarkSaved();
    EXPECT_FALSE(e.Modified());
    Type("c");
    EXPECT_TRUE(e.Modified());
    e.Undo();
    EXPECT_FALSE(e.Modified());  // back at the saved "ab"
    e.Undo();
    EXPECT_TRUE(e.Modified());  // before the save
    e.Redo();
    EXPECT_FALSE(e.Modified());
    // An edit made after undoing past the save leaves the saved text out of reach.
    e.Undo();
    Type("x");
    EXPECT_TRUE(e.Modified());
    e.Undo();
    EXPECT_TRUE(e.Modified());
    EXPECT_EQ(EditorText(e), "a");
}

TEST_F(EditingTest, ModifiedKnowsWhenTheUndoLimitDropsTheWayBackToTheSavedText) {
    Load("|");
    e.SetMaxUndo(2);
    Type("a");
    e.MarkSaved();
    Type("bc");  // drops "a": the saved text is now what undoing everything gives
    e.Undo();
    e.Undo();
    EXPECT_EQ(EditorText(e), "a");
    EXPECT_FALSE(e.Modified());
    // Saved with nothing to undo, then the limit drops the first step: no way back remains.
    e.MarkSaved();
    Type("xyz");
    e.Undo();
    e.Undo();
    EXPECT_EQ(EditorText(e), "ax");
    EXPECT_TRUE(e.Modified());
    // Loading starts again from an unmodified text.
    Load("|");
    EXPECT_FALSE(e.Modified());
}

TEST_F(EditingTest, PasteOverASelectionIsOneStep) {
    clipboard.SetPlainText("XY");
    Load("a[bc]d");
    e.ProcessCommand(ecPaste);
    EXPECT_EQ(RenderMarkup(e), "aXY|d");
    ASSERT_EQ(e.UndoList().ItemCount(), 2);
    EXPECT_EQ(e.UndoList().Item(0).ChangeReason, ukDeleteSel);
    EXPECT_EQ(e.UndoList().Item(1).ChangeReason, ukPaste);
    EXPECT_EQ(e.UndoList().Item(0).ChangeNumber, e.UndoList().Item(1).ChangeNumber);
    e.Undo();
    EXPECT_EQ(EditorText(e), "abcd");
    e.Redo();
    EXPECT_EQ(EditorText(e), "aXYd");
}

TEST_F(EditingTest, ColumnBlockCopiedInOneEditorPastesAsColumnBlockInAnother) {
    Load("a[bc\nde]f");
    e.SetSelectionMode(smColumn);
    e.ProcessCommand(ecCopy);
    std::string text;
    TSynSelectionMode mode;
    ASSERT_TRUE(clipboard.GetBlock(text, mode));
    EXPECT_EQ(mode, smColumn);
    EXPECT_EQ(text, "b\r\ne");
    TestEditor other({"12", "34", "56"});
    other.editor.SetClipboard(&clipboard);
    other.editor.SetCaretXY({2, 1});
    other.editor.ProcessCommand(ecPaste);
    EXPECT_EQ(EditorText(other.editor), "1b2\n3e4\n56");
    EXPECT_EQ(other.editor.CaretXY(), (TBufferCoord{2, 3}));
}

TEST_F(EditingTest, CutCopiesAndDeletes) {
    Load("a[bc]d");
    EXPECT_TRUE(e.CanCut());
    e.ProcessCommand(ecCut);
    EXPECT_EQ(EditorText(e), "ad");
    std::string text;
    ASSERT_TRUE(clipboard.GetText(text));
    EXPECT_EQ(text, "bc");
    EXPECT_TRUE(e.CanPaste());
    e.Undo();
    EXPECT_EQ(EditorText(e), "abcd");
}

class FailingClipboard : public TSynMemoryClipboard {
  public:
    void SetText(const std::string&, TSynSelectionMode) override {
        throw ESynEditError("Clipboard copy operation failed");
    }
    bool GetBlock(std::string&, TSynSelectionMode&) const override {
        throw ESynEditError("Clipboard paste operation failed.");
    }
    bool HasBlockFormat() const override { return true; }
};

TEST_F(EditingTest, ClipboardFailuresLeaveTheTextUnchanged) {
    FailingClipboard failing;
    e.SetClipboard(&failing);
    Load("a[bc]d");
    EXPECT_THROW(e.CutToClipboard(), ESynEditError);
    EXPECT_THROW(e.PasteFromClipboard(), ESynEditError);
    EXPECT_EQ(EditorText(e), "abcd");
    EXPECT_FALSE(e.CanUndo());
}

TEST_F(EditingTest, ReadOnlyEditorStillCopies) {
    Load("a[bc]d");
    e.SetReadOnly(true);
    e.ProcessCommand(ecCut);
    e.ProcessCommand(ecChar, 'x');
    e.ProcessCommand(ecCopy);
    EXPECT_EQ(EditorText(e), "abcd");
    std::string text;
    EXPECT_TRUE(clipboard.GetText(text));
    EXPECT_EQ(text, "bc");
}

TEST_F(EditingTest, ClearAllEmptiesTextAndUndo) {
    Load("ab|");
    Type("c");
    e.ProcessCommand(ecClearAll);
    EXPECT_EQ(e.Lines().GetCount(), 0);
    EXPECT_FALSE(e.CanUndo());
}

}  // namespace
