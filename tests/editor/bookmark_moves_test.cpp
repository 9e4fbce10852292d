// Bookmarks follow the lines they were set on through the commands that add and remove lines:
// one bookmark above the edited line, one on it and one below, across Enter with its undo and
// redo, pastes in the three selection modes with their undo, and Backspace joining two lines.
#include <gtest/gtest.h>

#include <array>

#include "editing_markup.h"
#include "editor/editor_commands.h"
#include "editor/synedit_clipboard.h"
#include "synedit_test_support.h"

namespace {

using Lines3 = std::array<int, 3>;  // lines of bookmarks 1 (above), 2 (on), 3 (below)

struct BookmarkMoves : ::testing::Test {
    TestEditor t;
    TCustomSynEdit& e = t.editor;
    TSynMemoryClipboard clipboard;

    // Five lines; the edited line is line 3 and the caret is placed by the markup.
    void Load(std::string_view markup) {
        LoadMarkup(e, markup);
        e.SetClipboard(&clipboard);
        e.PlaceBookmark(1, 1, 2);
        e.PlaceBookmark(2, 1, 3);
        e.PlaceBookmark(3, 1, 4);
    }
    Lines3 Marks() const {
        return {e.Bookmark(1)->Line(), e.Bookmark(2)->Line(), e.Bookmark(3)->Line()};
    }
    // The text of the line each bookmark is on, so a mark that lands on the wrong line shows
    // which text it left.
    std::string MarkedText() const {
        std::string s;
        for (int line : Marks()) s += e.Lines().Get(line - 1) + "|";
        return s;
    }
};

constexpr Lines3 kStart{2, 3, 4};

TEST_F(BookmarkMoves, EnterInsideTheLineAndItsUndoAndRedo) {
    Load("one\ntwo\nthr|ee\nfour\nfive");
    e.ProcessCommand(ecLineBreak);
    ASSERT_EQ(EditorText(e), "one\ntwo\nthr\nee\nfour\nfive");
    // Marks from the split line on move down one.
    EXPECT_EQ(Marks(), (Lines3{2, 4, 5}));
    e.ProcessCommand(ecUndo);
    ASSERT_EQ(EditorText(e), "one\ntwo\nthree\nfour\nfive");
    EXPECT_EQ(Marks(), kStart);
    e.ProcessCommand(ecRedo);
    ASSERT_EQ(EditorText(e), "one\ntwo\nthr\nee\nfour\nfive");
    EXPECT_EQ(Marks(), (Lines3{2, 4, 5}));
    e.ProcessCommand(ecUndo);
    EXPECT_EQ(Marks(), kStart);
}

TEST_F(BookmarkMoves, EnterAtTheStartAndAtTheEndOfTheLineAndOnAnEmptyLine) {
    Load("one\ntwo\n|three\nfour\nfive");
    e.ProcessCommand(ecLineBreak);
    ASSERT_EQ(EditorText(e), "one\ntwo\n\nthree\nfour\nfive");
    EXPECT_EQ(MarkedText(), "two|three|four|");
    e.ProcessCommand(ecUndo);
    EXPECT_EQ(Marks(), kStart);
    e.ProcessCommand(ecRedo);
    EXPECT_EQ(MarkedText(), "two|three|four|");

    Load("one\ntwo\nthree|\nfour\nfive");
    e.ProcessCommand(ecLineBreak);
    ASSERT_EQ(EditorText(e), "one\ntwo\nthree\n\nfour\nfive");
    EXPECT_EQ(Marks(), (Lines3{2, 4, 5}));
    e.ProcessCommand(ecUndo);
    EXPECT_EQ(Marks(), kStart);
    e.ProcessCommand(ecRedo);
    EXPECT_EQ(Marks(), (Lines3{2, 4, 5}));

    Load("one\ntwo\n|\nfour\nfive");
    e.ProcessCommand(ecLineBreak);
    ASSERT_EQ(EditorText(e), "one\ntwo\n\n\nfour\nfive");
    EXPECT_EQ(Marks(), (Lines3{2, 4, 5}));
    e.ProcessCommand(ecUndo);
    EXPECT_EQ(Marks(), kStart);
    e.ProcessCommand(ecRedo);
    EXPECT_EQ(Marks(), (Lines3{2, 4, 5}));
}

TEST_F(BookmarkMoves, NormalPasteMovesOnlyTheMarksBelowTheFirstPastedLine) {
    Load("one\ntwo\nth|ree\nfour\nfive");
    clipboard.SetText("X\r\nY\r\nZ", smNormal);
    e.ProcessCommand(ecPaste);
    ASSERT_EQ(EditorText(e), "one\ntwo\nthX\nY\nZree\nfour\nfive");
    EXPECT_EQ(Marks(), (Lines3{2, 3, 6}));
    EXPECT_EQ(MarkedText(), "two|thX|four|");
    e.ProcessCommand(ecUndo);
    ASSERT_EQ(EditorText(e), "one\ntwo\nthree\nfour\nfive");
    EXPECT_EQ(Marks(), kStart);
    e.ProcessCommand(ecRedo);
    EXPECT_EQ(Marks(), (Lines3{2, 3, 6}));
}

TEST_F(BookmarkMoves, ColumnPasteMovesNoMark) {
    Load("one\ntwo\nth|ree\nfour\nfive");
    clipboard.SetText("X\r\nY\r\nZ", smColumn);
    e.ProcessCommand(ecPaste);
    ASSERT_EQ(EditorText(e), "one\ntwo\nthXree\nfoYur\nfiZve");
    EXPECT_EQ(Marks(), kStart);
    e.ProcessCommand(ecUndo);
    ASSERT_EQ(EditorText(e), "one\ntwo\nthree\nfour\nfive");
    EXPECT_EQ(Marks(), kStart);
}

TEST_F(BookmarkMoves, LinePasteMovesTheMarksOfTheCaretLineAndBelow) {
    Load("one\ntwo\nth|ree\nfour\nfive");
    clipboard.SetText("X\r\nY\r\n", smLine);
    e.ProcessCommand(ecPaste);
    ASSERT_EQ(EditorText(e), "one\ntwo\nX\nY\nthree\nfour\nfive");
    EXPECT_EQ(MarkedText(), "two|three|four|");
    e.ProcessCommand(ecUndo);
    ASSERT_EQ(EditorText(e), "one\ntwo\nthree\nfour\nfive");
    EXPECT_EQ(Marks(), kStart);
    e.ProcessCommand(ecRedo);
    EXPECT_EQ(MarkedText(), "two|three|four|");
}

TEST_F(BookmarkMoves, BackspaceJoinMovesTheJoinedLinesMarkUpWithIt) {
    Load("one\ntwo\n|three\nfour\nfive");
    e.ProcessCommand(ecDeleteLastChar);
    ASSERT_EQ(EditorText(e), "one\ntwothree\nfour\nfive");
    // The mark of the removed line goes to the line it joined; the one below moves up.
    EXPECT_EQ(Marks(), (Lines3{2, 2, 3}));
    EXPECT_EQ(MarkedText(), "twothree|twothree|four|");
    // Delete at the end of the line above joins the same way.
    Load("one\ntwo|\nthree\nfour\nfive");
    e.ProcessCommand(ecDeleteChar);
    ASSERT_EQ(EditorText(e), "one\ntwothree\nfour\nfive");
    EXPECT_EQ(Marks(), (Lines3{2, 2, 3}));
}

}  // namespace
