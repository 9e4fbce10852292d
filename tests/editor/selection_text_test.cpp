// Selected text and insertion at the selection in the three selection modes, ReplaceSelection's
// undo items, deleting by key and leading blanks.
#include <gtest/gtest.h>

#include "editing_markup.h"
#include "editor/undo_list.h"
#include "synedit_test_support.h"

namespace {

struct SelectionTextTest : ::testing::Test {
    TestEditor t;
    TCustomSynEdit& e = t.editor;
    void Load(std::string_view markup) { LoadMarkup(e, markup); }
};

TEST_F(SelectionTextTest, SelectedTextInEachMode) {
    Load("ab[cd\nef\ng]h");
    EXPECT_EQ(e.SelText(), "cd\r\nef\r\ng");
    e.SetSelectionMode(smLine);
    EXPECT_EQ(e.SelText(), "abcd\r\nef\r\ngh");  // the third line is the text's last
    Load("ab[cd\nef\ng]h\nij");
    e.SetSelectionMode(smLine);
    EXPECT_EQ(e.SelText(), "abcd\r\nef\r\ngh\r\n");
    Load("a[bcdef\nx");
    e.SetSelectionMode(smColumn);
    e.SetBlockEnd({4, 2});
    EXPECT_EQ(e.SelText(), "bc\r\n  ");
    Load("ab|cd");
    EXPECT_EQ(e.SelText(), "");
}

TEST_F(SelectionTextTest, InsertsInNormalMode) {
    Load("ab|cd");
    e.InsertAtSelection(smNormal, "X\r\nY\nZ");
    EXPECT_EQ(RenderMarkup(e), "abX\nY\nZ|cd");
    Load("ab[cd\nef]gh");
    e.InsertAtSelection(smNormal, "-");
    EXPECT_EQ(RenderMarkup(e), "ab-|gh");
    Load("ab");
    e.SetCaretXY({5, 1});
    e.InsertAtSelection(smNormal, "x");
    EXPECT_EQ(RenderMarkup(e), "ab  x|");
}

TEST_F(SelectionTextTest, InsertsColumnBlocksPaddingAndAddingLines) {
    Load("abcd\nx|");
    e.SetCaretXY({3, 1});
    e.InsertAtSelection(smColumn, "12\r\n34\r\n56");
    EXPECT_EQ(EditorText(e), "ab12cd\nx 34\n  56");
    EXPECT_EQ(e.CaretXY(), (TBufferCoord{5, 3}));
}

TEST_F(SelectionTextTest, LineModeDeletesWholeLinesAndKeepsOneAtTheEnd) {
    Load("a\nb[b\nc]c\nd");
    e.SetSelectionMode(smLine);
    e.InsertAtSelection(smNormal, "");
    EXPECT_EQ(RenderMarkup(e), "a\n|d");
    Load("a\nb[b\nc]c");
    e.SetSelectionMode(smLine);
    e.InsertAtSelection(smNormal, "");
    EXPECT_EQ(RenderMarkup(e), "a\n|");
    // Line-mode text goes in as new lines above the caret line; nothing is overwritten.
    Load("a\n|d");
    e.InsertAtSelection(smLine, "b\r\nc\r\n");
    EXPECT_EQ(RenderMarkup(e), "a\nb\nc\n|d");
}

TEST_F(SelectionTextTest, ColumnDeletionRemovesTheColumnsOfEveryLine) {
    Load("a[bcdef\nxy\nghijk");
    e.SetSelectionMode(smColumn);
    e.SetBlockEnd({4, 3});
    e.InsertAtSelection(smNormal, "");
    EXPECT_EQ(RenderMarkup(e), "a|def\nx\ngjk");
}

TEST_F(SelectionTextTest, MarksFollowInsertedAndDeletedLines) {
    Load("a\nb\nc\nd");
    e.PlaceBookmark(1, 1, 3);
    e.PlaceBookmark(2, 1, 4);
    e.SetCaretXY({2, 1});
    e.InsertAtSelection(smNormal, "\r\n\r\n");
    EXPECT_EQ(e.Bookmark(1)->Line(), 5);
    e.SetCaretAndSelection({1, 5}, {1, 2}, {1, 5});
    e.InsertAtSelection(smNormal, "");  // lines 3..5 go; a mark inside moves to line 2
    EXPECT_EQ(e.Bookmark(1)->Line(), 2);
    EXPECT_EQ(e.Bookmark(2)->Line(), 3);
}

TEST_F(SelectionTextTest, ReplaceSelectionRecordsDeletionAndInsertionAsOneGroup) {
    Load("ab[cd]ef");
    e.ReplaceSelection("");
    ASSERT_EQ(e.UndoList().ItemCount(), 2);
    const TSynEditUndoItem& del = e.UndoList().Item(0);
    const TSynEditUndoItem& ins = e.UndoList().Item(1);
    EXPECT_EQ(del.ChangeReason, ukDeleteSel);
    EXPECT_EQ(del.ChangeStr, "cd");
    EXPECT_EQ(ins.ChangeReason, ukInsert);
    EXPECT_EQ(ins.ChangeStr, "");
    EXPECT_EQ(del.ChangeNumber, ins.ChangeNumber);
    e.Undo();
    EXPECT_EQ(EditorText(e), "abcdef");
}

TEST_F(SelectionTextTest, DeleteByKeyRecordsTheDirection) {
    Load("ab[cd]ef");
    e.DeleteSelectionByKey();
    EXPECT_EQ(e.UndoList().Item(0).ChangeReason, ukDeleteSel);
    Load("ab]cd[ef");
    e.DeleteSelectionByKey();
    EXPECT_EQ(e.UndoList().Item(0).ChangeReason, ukDeleteSelBack);
    EXPECT_EQ(EditorText(e), "abef");
}

TEST_F(SelectionTextTest, LeadingBlanksCountTabsAsOneAndNeedAutoIndent) {
    Load("\t  x");
    EXPECT_EQ(e.LeadingBlanks(1), 3);
    e.SetOptions(e.Options() & ~eoAutoIndent);
    EXPECT_EQ(e.LeadingBlanks(1), 0);
}

}  // namespace
