// The editor control's parts on their own: line numbers, the text changer without a caret or a
// view, the view without a caret, and the caret and selection over a bare line buffer.
#include <gtest/gtest.h>

#include <type_traits>

#include "editor/lines_by_number.h"
#include "editor/marks.h"
#include "editor/synedit_caret.h"
#include "editor/synedit_text_changer.h"
#include "editor/synedit_viewport.h"
#include "editor/undo_list.h"
#include "synedit_test_support.h"

namespace {

// The host the parts report to, with counters for what they report.
struct FakeHost : ISynEditorHost {
    bool EditorIsIdentChar(unsigned char c) const override { return std::isalnum(c) != 0; }
    void EditorStatusChanged(TSynStatusChanges changes) override { reported |= changes; }
    void EditorUnlocked() override { ++unlocked; }

    TSynStatusChanges reported = 0;
    int unlocked = 0;
};

std::vector<std::string> Texts(const TSynEditStringList& lines) {
    std::vector<std::string> result;
    for (int i = 0; i < lines.GetCount(); ++i) result.push_back(lines.Get(i));
    return result;
}

}  // namespace

static_assert(!std::is_convertible_v<int, TLineNumber>, "an index must not pass for a line number");

TEST(LineNumber, IndexIsTheOneConversionAndBothDirectionsAgree) {
    constexpr TLineNumber third(3);
    EXPECT_EQ(third.Index(), 2);
    EXPECT_EQ(TLineNumber::OfIndex(third.Index()), third);
    EXPECT_EQ(TLineNumber::Of(TBufferCoord{7, 3}), third);
    EXPECT_EQ(third.Next(2).Number(), 5);
    EXPECT_EQ(third.Previous().Number(), 2);
    EXPECT_LT(third, third.Next());
    TSynEditStringList lines;
    lines.Add("one");
    lines.Add("two");
    EXPECT_EQ(TextAt(lines, LastLine(lines)), "two");
    EXPECT_EQ(TextAt(lines, LastLine(lines).Next()), "");  // beyond the end: empty
    EXPECT_EQ(LengthAt(lines, TLineNumber(1)), 3);
}

TEST(TextChanger, ReplacesAndRecordsWithoutACaret) {
    TSynEditorSettings settings;
    TSynEditStringList lines;
    TSynEditMarkList marks;
    TSynEditUndoList undo;
    TSynTextChanger changer(settings, lines, marks, undo);
    lines.Add("abc");
    lines.Add("de");

    // Inserting beyond the line end pads with spaces, recorded as an item of its own.
    const TBufferCoord after = changer.Replace({6, 2}, {6, 2}, smNormal, "X\r\nY", smNormal, false);
    EXPECT_EQ(Texts(lines), (std::vector<std::string>{"abc", "de   X", "Y"}));
    EXPECT_EQ(after, (TBufferCoord{2, 3}));
    EXPECT_EQ(changer.InsertStart(), (TBufferCoord{6, 2}));
    ASSERT_EQ(undo.ItemCount(), 1);
    EXPECT_EQ(undo.Item(0).ChangeReason, ukInsert);
    EXPECT_EQ(undo.Item(0).ChangeStartPos, (TBufferCoord{3, 2}));
    EXPECT_EQ(undo.Item(0).ChangeEndPos, (TBufferCoord{6, 2}));

    // A column block comes out padded to its width and goes out exactly.
    EXPECT_EQ(changer.RangeText({2, 1}, {5, 3}, smColumn), "bc \r\ne  \r\n   ");
    changer.Replace({2, 1}, {4, 2}, smColumn, "", smColumn, true);
    EXPECT_EQ(Texts(lines), (std::vector<std::string>{"a", "d  X", "Y"}));

    // A replay records no side effects: the padding below is not recorded.
    changer.SetReplaying(true);
    changer.Replace({4, 3}, {4, 3}, smNormal, "Z", smNormal, false);
    EXPECT_EQ(lines.Get(2), "Y  Z");
    EXPECT_EQ(undo.ItemCount(), 1);
}

TEST(TextChanger, DeletingLinesMovesTheMarksBelow) {
    TSynEditorSettings settings;
    TSynEditStringList lines;
    TSynEditMarkList marks;
    TSynEditUndoList undo;
    TSynTextChanger changer(settings, lines, marks, undo);
    for (const char* text : {"1", "2", "3", "4"}) lines.Add(text);
    auto mark = std::make_unique<TSynEditMark>(nullptr);
    mark->SetLine(4);
    TSynEditMark* placed = marks.Add(std::move(mark));

    changer.Replace({1, 2}, {1, 3}, smLine, "", smLine, true);
    EXPECT_EQ(Texts(lines), (std::vector<std::string>{"1", "4"}));
    EXPECT_EQ(placed->Line(), 2);
}

TEST(Viewport, APaintLockHoldsBackTheScrollBarsUntilItComesOff) {
    TSynEditorSettings settings;
    FakeHost host;
    FakeSynWindow window;
    TSynEditStringList lines;
    for (int i = 0; i < 40; ++i) lines.Add("line");
    TSynViewport view(settings, host, lines, &window);
    view.SetCellSize(8, 16);
    view.SizeChanged();
    const int updates = window.scrollBarUpdates;

    {
        const TPaintLockScope lock(view);
        view.MakeVisible({1, 30});
        EXPECT_EQ(window.scrollBarUpdates, updates);
        EXPECT_EQ(host.unlocked, 0);
    }
    EXPECT_EQ(view.TopLine(), 26);  // five lines in the window, line 30 at the bottom
    EXPECT_EQ(window.scrollBarUpdates, updates + 1);
    EXPECT_EQ(window.vertical.Position, 26);
    EXPECT_EQ(host.unlocked, 1);
    EXPECT_TRUE(host.reported & stTopLine);
    EXPECT_EQ(view.PixelsToRowColumn(30 + 2 + 8, 0), (TBufferCoord{2, 26}));
}

TEST(CaretSelection, ClampsToTheTextAndMovesByWords) {
    TSynEditorSettings settings;
    FakeHost host;
    settings.Options = static_cast<TSynEditorOptions>(settings.Options & ~eoScrollPastEol);
    FakeSynWindow window;
    TSynEditStringList lines;
    lines.Add("alpha beta");
    lines.Add("x");
    TSynViewport view(settings, host, lines, &window);
    TSynCaretSelection caret(settings, host, lines, view);

    caret.SetCaretXY({40, 9});
    EXPECT_EQ(caret.CaretXY(), (TBufferCoord{2, 2}));
    caret.SetCaretXY({1, 1});
    caret.MoveCaretAndSelection(caret.CaretXY(), caret.NextWordPos(), true);
    EXPECT_EQ(caret.CaretXY(), (TBufferCoord{6, 1}));
    EXPECT_TRUE(caret.SelAvail());
    EXPECT_EQ(caret.BlockEnd(), (TBufferCoord{6, 1}));
    caret.SetBlockEnd({99, 1});  // normal mode: no further than the line end
    EXPECT_EQ(caret.BlockEndRaw(), (TBufferCoord{11, 1}));
    EXPECT_TRUE(host.reported & stSelection);
}
