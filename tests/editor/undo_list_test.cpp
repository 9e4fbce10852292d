// The undo list: numbering of changes and blocks, the limit, locking, peek and pop.
#include <gtest/gtest.h>

#include <climits>

#include "editor/undo_list.h"

namespace {

void AddInsert(TSynEditUndoList& list, const char* text = "") {
    list.AddChange(ukInsert, {1, 1}, {2, 1}, text, smNormal);
}

TEST(UndoList, NewListDefaults) {
    TSynEditUndoList list;
    EXPECT_EQ(list.MaxUndo(), 1024);
    EXPECT_EQ(list.NextChangeNumber(), 1);
    EXPECT_FALSE(list.CanUndo());
    EXPECT_EQ(list.PeekItem(), nullptr);
    EXPECT_EQ(list.PopItem(), nullptr);
}

TEST(UndoList, ItemsKeepWhatWasRecorded) {
    TSynEditUndoList list;
    int added = 0;
    list.SetOnAdded([&](TSynEditUndoList* sender) {
        EXPECT_EQ(sender, &list);
        ++added;
    });
    list.AddChange(ukDeleteSel, {3, 2}, {1, 4}, "gone\r\ntext", smColumn);
    ASSERT_NE(list.PeekItem(), nullptr);
    const TSynEditUndoItem& item = *list.PeekItem();
    EXPECT_EQ(item.ChangeReason, ukDeleteSel);
    EXPECT_EQ(item.ChangeSelMode, smColumn);
    EXPECT_EQ(item.ChangeStartPos, (TBufferCoord{3, 2}));
    EXPECT_EQ(item.ChangeEndPos, (TBufferCoord{1, 4}));
    EXPECT_EQ(item.ChangeStr, "gone\r\ntext");
    EXPECT_EQ(item.ChangeNumber, 1);
    EXPECT_EQ(added, 1);
}

TEST(UndoList, SingleChangesAndBlocksAreNumbered) {
    TSynEditUndoList list;
    AddInsert(list);
    AddInsert(list);
    list.BeginBlock();
    AddInsert(list);
    list.BeginBlock();  // nested blocks share the outer number
    AddInsert(list);
    list.EndBlock();
    AddInsert(list);
    list.EndBlock();
    list.EndBlock();  // unmatched: ignored
    AddInsert(list);
    std::vector<int> numbers;
    for (int i = 0; i < list.ItemCount(); ++i) numbers.push_back(list.Item(i).ChangeNumber);
    EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3, 3, 3, 4}));
    EXPECT_EQ(list.BlockCount(), 0);

    list.BeginBlock();
    list.EndBlock();  // an empty block still uses up a number
    AddInsert(list);
    EXPECT_EQ(list.PeekItem()->ChangeNumber, 6);
}

TEST(UndoList, ForcedBlockNumberUsesUpNoNumber) {
    TSynEditUndoList redo;
    redo.SetBlockChangeNumber(17);
    AddInsert(redo);
    AddInsert(redo);
    EXPECT_EQ(redo.Item(0).ChangeNumber, 17);
    EXPECT_EQ(redo.Item(1).ChangeNumber, 17);
    EXPECT_EQ(redo.NextChangeNumber(), 1);  // forced numbers use up none
    redo.SetBlockChangeNumber(0);

    TSynEditUndoList list;
    list.SetBlockChangeNumber(0);
    for (int i = 0; i < 3; ++i) AddInsert(list);
    list.Clear();
    EXPECT_EQ(list.NextChangeNumber(), 4);  // clearing does not restart the numbering
}

TEST(UndoList, PopTakesTheNewestAndPeekLeavesIt) {
    TSynEditUndoList list;
    AddInsert(list, "a");
    AddInsert(list, "b");
    EXPECT_EQ(list.PeekItem()->ChangeStr, "b");
    EXPECT_EQ(list.ItemCount(), 2);
    auto item = list.PopItem();
    EXPECT_EQ(item->ChangeStr, "b");
    EXPECT_EQ(list.PopItem()->ChangeStr, "a");
    EXPECT_FALSE(list.CanUndo());
    EXPECT_EQ(list.PopItem(), nullptr);

    int added = 0;
    list.SetOnAdded([&](TSynEditUndoList*) { ++added; });
    list.PushItem(std::move(item));  // pushed as it is, number kept
    EXPECT_EQ(list.PeekItem()->ChangeNumber, 2);
    EXPECT_EQ(added, 1);
}

TEST(UndoList, LimitDropsTheOldest) {
    TSynEditUndoList list;
    list.SetMaxUndo(2);
    AddInsert(list, "1");
    AddInsert(list, "2");
    EXPECT_FALSE(list.ItemsDropped());
    AddInsert(list, "3");
    EXPECT_TRUE(list.ItemsDropped());
    ASSERT_EQ(list.ItemCount(), 2);
    EXPECT_EQ(list.Item(0).ChangeStr, "2");
    list.PopItem();
    list.PopItem();
    EXPECT_TRUE(list.ItemsDropped());  // stays set after everything left was taken
    list.Clear();
    EXPECT_FALSE(list.ItemsDropped());

    for (int i = 0; i < 5; ++i) AddInsert(list);
    list.SetMaxUndo(-3);
    EXPECT_EQ(list.MaxUndo(), 0);
    EXPECT_EQ(list.ItemCount(), 0);
    EXPECT_TRUE(list.ItemsDropped());
    int added = 0;
    list.SetOnAdded([&](TSynEditUndoList* sender) {
        EXPECT_EQ(sender->ItemCount(), 0);  // the limit applies before the report
        ++added;
    });
    AddInsert(list);
    EXPECT_EQ(added, 1);
}

// The limit counts steps: a block of many items is one step and leaves the list whole.
TEST(UndoList, LimitCountsStepsAndDropsAStepWhole) {
    TSynEditUndoList list;
    list.SetMaxUndo(2);
    list.BeginBlock();
    for (int i = 0; i < 5; ++i) AddInsert(list, "block");
    list.EndBlock();
    EXPECT_EQ(list.ItemCount(), 5);
    EXPECT_EQ(list.StepCount(), 1);
    AddInsert(list, "1");
    EXPECT_EQ(list.StepCount(), 2);
    EXPECT_FALSE(list.ItemsDropped());
    AddInsert(list, "2");
    EXPECT_TRUE(list.ItemsDropped());
    ASSERT_EQ(list.ItemCount(), 2);
    EXPECT_EQ(list.Item(0).ChangeStr, "1");
    list.PopItem();
    EXPECT_EQ(list.StepCount(), 1);
    list.PopItem();
    EXPECT_EQ(list.StepCount(), 0);
}

TEST(UndoList, LockSuspendsRecording) {
    TSynEditUndoList list;
    list.Lock();
    list.Lock();
    AddInsert(list);
    list.Unlock();
    AddInsert(list);
    EXPECT_EQ(list.ItemCount(), 0);
    list.Unlock();
    list.Unlock();  // not below zero
    AddInsert(list);
    EXPECT_EQ(list.ItemCount(), 1);
    EXPECT_EQ(list.PeekItem()->ChangeNumber, 1);  // locked changes used up no number
}

}  // namespace
