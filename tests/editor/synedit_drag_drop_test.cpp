// Text drag and drop in the editor logic: drops onto the own selection, moves and copies
// within one editor and between two, the drop-point shift after a removed block, one undo
// group per drop, the caret while dragging, and dropped file names.
#include <gtest/gtest.h>

#include "synedit_test_support.h"

namespace {

int X(int column) {
    return 32 + (column - 1) * 8 + 2;
}
int Y(int line) {
    return (line - 1) * 16 + 8;
}

// A 40-column test editor, so that no drop point needs scrolling.
struct WideEditor : TestEditor {
    explicit WideEditor(const std::vector<std::string>& lines) : TestEditor(lines) {
        window.width = 32 + 40 * 8;
        editor.SizeChanged();
    }
    std::vector<std::string> Text() {
        std::vector<std::string> result;
        for (int i = 0; i < editor.Lines().GetCount(); ++i) result.push_back(editor.Lines().Get(i));
        return result;
    }
};

using Lines = std::vector<std::string>;

TEST(SynEditDragDrop, DropOntoTheOwnSelectionDoesNothing) {
    WideEditor t({"abc def ghi"});
    auto& ed = t.editor;
    ed.SetCaretAndSelection({8, 1}, {5, 1}, {8, 1});
    for (int column : {5, 6, 8}) {
        ed.DragDrop(&ed, X(column), Y(1), 0);
        ed.DragDrop(&ed, X(column), Y(1), ssCtrl);
    }
    EXPECT_EQ(t.Text(), (Lines{"abc def ghi"}));
    EXPECT_EQ(ed.BlockBegin(), (TBufferCoord{5, 1}));
    EXPECT_EQ(ed.BlockEnd(), (TBufferCoord{8, 1}));
    EXPECT_FALSE(ed.CanUndo());
}

TEST(SynEditDragDrop, DropAfterTheBlockMovesItAndOneUndoPutsItBack) {
    WideEditor t({"abc def ghi"});
    auto& ed = t.editor;
    ed.SetCaretAndSelection({4, 1}, {1, 1}, {4, 1});
    ed.DragDrop(&ed, X(9), Y(1), 0);
    EXPECT_EQ(t.Text(), (Lines{" def abcghi"}));
    EXPECT_EQ(ed.BlockBegin(), (TBufferCoord{6, 1}));
    EXPECT_EQ(ed.BlockEnd(), (TBufferCoord{9, 1}));
    EXPECT_EQ(ed.CaretXY(), (TBufferCoord{6, 1}));
    ed.Undo();
    EXPECT_EQ(t.Text(), (Lines{"abc def ghi"}));
    EXPECT_FALSE(ed.CanUndo());
    ed.Redo();
    EXPECT_EQ(t.Text(), (Lines{" def abcghi"}));
}

TEST(SynEditDragDrop, DropBeforeTheBlockAndAcrossLines) {
    WideEditor t({"one", "two three", "four"});
    auto& ed = t.editor;
    // Before the block: no shift.
    ed.SetCaretAndSelection({4, 2}, {1, 2}, {4, 2});
    ed.DragDrop(&ed, X(1), Y(1), 0);
    EXPECT_EQ(t.Text(), (Lines{"twoone", " three", "four"}));
    ed.Undo();
    EXPECT_EQ(t.Text(), (Lines{"one", "two three", "four"}));

    // A two-line block dropped further along its own last line lands on the joined line.
    ed.SetCaretAndSelection({4, 2}, {2, 1}, {4, 2});
    ed.DragDrop(&ed, X(7), Y(2), 0);
    EXPECT_EQ(t.Text(), (Lines{"o thne", "tworee", "four"}));
    ed.Undo();
    EXPECT_EQ(t.Text(), (Lines{"one", "two three", "four"}));

    // Below the block the drop point moves up by the removed line breaks.
    ed.SetCaretAndSelection({2, 2}, {2, 1}, {2, 2});
    ed.DragDrop(&ed, X(3), Y(3), 0);
    EXPECT_EQ(t.Text(), (Lines{"owo three", "fone", "tur"}));
    ed.Undo();
    EXPECT_EQ(t.Text(), (Lines{"one", "two three", "four"}));
}

TEST(SynEditDragDrop, DropBeforeTheBlockOnItsOwnLineKeepsTheDropColumn) {
    WideEditor t({"abcdef"});
    auto& ed = t.editor;
    ed.SetCaretAndSelection({6, 1}, {4, 1}, {6, 1});
    ed.DragDrop(&ed, X(2), Y(1), 0);
    EXPECT_EQ(t.Text(), (Lines{"adebcf"}));
    EXPECT_EQ(ed.BlockBegin(), (TBufferCoord{2, 1}));
    EXPECT_EQ(ed.BlockEnd(), (TBufferCoord{4, 1}));
    ed.Undo();
    EXPECT_EQ(t.Text(), (Lines{"abcdef"}));
}

TEST(SynEditDragDrop, CtrlCopiesWithinOneEditor) {
    WideEditor t({"abc def ghi"});
    auto& ed = t.editor;
    ed.SetCaretAndSelection({4, 1}, {1, 1}, {4, 1});
    ed.DragDrop(&ed, X(12), Y(1), ssCtrl);
    EXPECT_EQ(t.Text(), (Lines{"abc def ghiabc"}));
    EXPECT_EQ(ed.BlockBegin(), (TBufferCoord{12, 1}));
    EXPECT_EQ(ed.BlockEnd(), (TBufferCoord{15, 1}));
    ed.Undo();
    EXPECT_EQ(t.Text(), (Lines{"abc def ghi"}));
}

TEST(SynEditDragDrop, DropPastTheLineEndPadsWithSpaces) {
    WideEditor t({"abc", "de"});
    auto& ed = t.editor;
    ed.SetOptions(ed.Options() & ~eoScrollPastEol);
    ed.SetCaretAndSelection({3, 1}, {1, 1}, {3, 1});
    ed.DragDrop(&ed, X(6), Y(2), ssCtrl);
    EXPECT_EQ(t.Text(), (Lines{"abc", "de   ab"}));
    EXPECT_FALSE(ed.HasOption(eoScrollPastEol));  // switched on only for the drop
    ed.Undo();
    EXPECT_EQ(t.Text(), (Lines{"abc", "de"}));
}

TEST(SynEditDragDrop, BetweenEditorsCopiesAndShiftMoves) {
    WideEditor a({"source text"});
    WideEditor b({"target"});
    a.editor.SetCaretAndSelection({7, 1}, {1, 1}, {7, 1});

    // A plain drop (and Ctrl) copies.
    b.editor.DragDrop(&a.editor, X(7), Y(1), 0);
    EXPECT_EQ(b.Text(), (Lines{"targetsource"}));
    EXPECT_EQ(a.Text(), (Lines{"source text"}));
    EXPECT_EQ(b.editor.BlockBegin(), (TBufferCoord{7, 1}));
    EXPECT_EQ(b.editor.BlockEnd(), (TBufferCoord{13, 1}));
    b.editor.Undo();
    EXPECT_EQ(b.Text(), (Lines{"target"}));

    // Shift moves: the source loses its selection, undoable there.
    b.editor.DragDrop(&a.editor, X(1), Y(1), ssShift);
    EXPECT_EQ(b.Text(), (Lines{"sourcetarget"}));
    EXPECT_EQ(a.Text(), (Lines{" text"}));
    a.editor.Undo();
    EXPECT_EQ(a.Text(), (Lines{"source text"}));
    b.editor.Undo();
    EXPECT_EQ(b.Text(), (Lines{"target"}));
}

TEST(SynEditDragDrop, ReadOnlyEditorsRefuseTheDrag) {
    WideEditor a({"source"});
    WideEditor b({"target"});
    a.editor.SetCaretAndSelection({4, 1}, {1, 1}, {4, 1});
    EXPECT_TRUE(b.editor.DragOver(&a.editor, X(2), Y(1)));
    EXPECT_FALSE(b.editor.DragOver(nullptr, X(2), Y(1)));
    b.editor.SetReadOnly(true);
    EXPECT_FALSE(b.editor.DragOver(&a.editor, X(2), Y(1)));
    b.editor.DragDrop(&a.editor, X(2), Y(1), 0);
    EXPECT_EQ(b.Text(), (Lines{"target"}));
    b.editor.SetReadOnly(false);
    a.editor.SetReadOnly(true);
    EXPECT_FALSE(b.editor.DragOver(&a.editor, X(2), Y(1)));
}

TEST(SynEditDragDrop, CaretFollowsTheDragAndReturnsWhenItLeaves) {
    WideEditor t({"abc def ghi", "second"});
    auto& ed = t.editor;
    ed.SetCaretAndSelection({8, 1}, {5, 1}, {8, 1});
    ed.MouseDown(mbLeft, ssLeft, X(6), Y(1));
    ASSERT_TRUE(ed.MouseMove(ssLeft, X(6) + 10, Y(1), 4));
    EXPECT_TRUE(ed.DragOver(&ed, X(3), Y(2)));
    EXPECT_EQ(ed.CaretXY(), (TBufferCoord{3, 2}));
    EXPECT_EQ(ed.BlockEnd(), (TBufferCoord{8, 1}));  // the selection stays
    ed.DragLeave();
    EXPECT_EQ(ed.CaretXY(), (TBufferCoord{6, 1}));

    // Another editor gets its own caret back.
    WideEditor other({"xyz"});
    other.editor.SetCaretXY({2, 1});
    other.editor.DragOver(&ed, X(4), Y(1));
    EXPECT_EQ(other.editor.CaretXY(), (TBufferCoord{4, 1}));
    other.editor.DragLeave();
    EXPECT_EQ(other.editor.CaretXY(), (TBufferCoord{2, 1}));
}

TEST(SynEditDragDrop, DroppedFileNamesReachTheHandlerCutTo260Characters) {
    WideEditor t({""});
    auto& ed = t.editor;
    std::vector<std::string> received;
    TBufferCoord at;
    ed.OnDropFiles = [&](TCustomSynEdit*, int x, int y, const std::vector<std::string>& names) {
        received = names;
        at = {x, y};
    };
    ed.DropFiles(5, 6, {"/a.c", std::string(300, 'n')});
    EXPECT_TRUE(received.empty());  // eoDropFiles is off
    ed.SetOptions(ed.Options() | eoDropFiles);
    ed.DropFiles(5, 6, {"/a.c", std::string(300, 'n')});
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0], "/a.c");
    EXPECT_EQ(received[1], std::string(260, 'n'));
    EXPECT_EQ(at, (TBufferCoord{5, 6}));
}

}  // namespace
