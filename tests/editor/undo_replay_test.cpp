// Undo and redo replay over the editor's parts alone: a line buffer, the view, the caret, the
// text changer and the selection-text primitives, without the control around them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/marks.h"
#include "editor/synedit_caret.h"
#include "editor/synedit_selection_text.h"
#include "editor/synedit_text_changer.h"
#include "editor/synedit_undo_replay.h"
#include "editor/synedit_viewport.h"
#include "editor/undo_list.h"
#include "synedit_test_support.h"

namespace {

struct Host : ISynEditorHost {
    bool EditorIsIdentChar(unsigned char c) const override { return std::isalnum(c) != 0; }
    void EditorStatusChanged(TSynStatusChanges changes) override { reported |= changes; }
    void EditorUnlocked() override {}
    TSynStatusChanges reported = 0;
};

// The parts wired as the control wires them.
struct ReplayRig {
    TSynEditorSettings settings;
    Host host;
    FakeSynWindow window;
    TSynEditStringList lines;
    TSynEditMarkList marks;
    TSynEditUndoList undo;
    TSynEditUndoList redo;
    TSynViewport view{settings, host, lines, &window};
    TSynCaretSelection caret{settings, host, lines, view};
    TSynTextChanger changer{settings, lines, marks, undo};
    TSynSelectionText text{settings, lines, view, caret, changer};
    TSynUndoReplay replay{{host, settings, lines, marks, view, caret, changer, text}, undo, redo};

    explicit ReplayRig(const std::vector<std::string>& initial) {
        for (const std::string& line : initial) lines.Add(line);
        view.SetCellSize(8, 16);
        view.SizeChanged();
        undo.SetOnAdded([this](TSynEditUndoList* list) { replay.ListChanged(list); });
        redo.SetOnAdded([this](TSynEditUndoList* list) { replay.ListChanged(list); });
        undo.SetOnDropped([this](std::int32_t number) { replay.ItemDropped(number); });
    }

    std::vector<std::string> Text() const {
        std::vector<std::string> result;
        for (int i = 0; i < lines.GetCount(); ++i) result.push_back(lines.Get(i));
        return result;
    }
};

TEST(UndoReplay, EachGroupGoesBackAndComesAgainByteForByte) {
    ReplayRig rig({"alpha  ", "beta", "", "gamma delta", "end"});
    std::vector<std::vector<std::string>> states{rig.Text()};
    // Each edit has side effects of its own that the replay has to take back in order: the
    // trailing blanks trimmed, the spaces padded up to a column beyond the line end, and the
    // lines padded to a column block's right edge before it is deleted.
    rig.text.ReplaceTextRange({3, 1}, {3, 1}, "XY \r\nZ");
    states.push_back(rig.Text());
    rig.text.ReplaceTextRange({8, 4}, {8, 4}, "far");
    states.push_back(rig.Text());
    rig.text.ReplaceTextRange({2, 3}, {3, 5}, "-\r\n+");
    states.push_back(rig.Text());
    rig.caret.SetSelectionMode(smColumn);
    rig.caret.SetCaretAndSelection({6, 3}, {2, 1}, {6, 3});
    rig.text.ReplaceSelection("Q");
    states.push_back(rig.Text());
    ASSERT_EQ(states[1][0], "alXY");
    ASSERT_EQ(states[2][3], "       far");

    for (std::size_t k = states.size() - 1; k > 0; --k) {
        ASSERT_TRUE(rig.replay.CanUndo());
        rig.replay.Undo();
        EXPECT_EQ(rig.Text(), states[k - 1]) << "after undoing group " << k;
    }
    EXPECT_FALSE(rig.replay.CanUndo());
    for (std::size_t k = 1; k < states.size(); ++k) {
        ASSERT_TRUE(rig.replay.CanRedo());
        rig.replay.Redo();
        EXPECT_EQ(rig.Text(), states[k]) << "after redoing group " << k;
    }
    EXPECT_FALSE(rig.replay.CanRedo());
    EXPECT_EQ(rig.caret.SelectionMode(), smColumn);  // the replay puts the mode back
}

TEST(UndoReplay, ModifiedFollowsTheWayBackToTheSavedText) {
    ReplayRig rig({"one", "two"});
    rig.replay.MarkSaved();
    EXPECT_FALSE(rig.replay.Modified());

    rig.text.ReplaceTextRange({1, 1}, {4, 1}, "ONE");
    EXPECT_TRUE(rig.replay.Modified());
    EXPECT_TRUE(rig.host.reported & stModified);
    rig.replay.Undo();
    EXPECT_FALSE(rig.replay.Modified());
    rig.replay.Redo();
    EXPECT_TRUE(rig.replay.Modified());

    // Saved after the edit: undoing it leaves the saved text, and a new edit after the undo
    // makes the redo unreachable.
    rig.replay.MarkSaved();
    rig.replay.Undo();
    EXPECT_TRUE(rig.replay.Modified());
    rig.text.ReplaceTextRange({1, 2}, {1, 2}, ">");
    EXPECT_FALSE(rig.replay.CanRedo());
    EXPECT_TRUE(rig.replay.Modified());
}

TEST(UndoReplay, TextSavedBelowDroppedItemsCanNoLongerBeReached) {
    ReplayRig rig({"x"});
    rig.undo.SetMaxUndo(2);
    rig.replay.MarkSaved();
    for (const char* piece : {"a", "b", "c"}) rig.text.ReplaceTextRange({1, 1}, {1, 1}, piece);
    while (rig.replay.CanUndo()) rig.replay.Undo();
    EXPECT_EQ(rig.Text(), (std::vector<std::string>{"ax"}));
    EXPECT_TRUE(rig.replay.Modified());
}

}  // namespace
