// Caret, selection, word positions, coordinates, scrolling and status reporting of the editor
// logic, driven without a widget.
#include <gtest/gtest.h>

#include "editor/editor_commands.h"
#include "highlight/syn_cpp_syn.h"
#include "synedit_test_support.h"

namespace {

TEST(SynEditCaret, ClampsWithAndWithoutScrollPastEol) {
    TestEditor t({"abc", "defgh"});
    auto& ed = t.editor;
    ed.SetCaretXY({50, 1});
    EXPECT_EQ(ed.CaretXY(), (TBufferCoord{50, 1}));  // eoScrollPastEol is on by default
    ed.SetCaretXY({5000, 9});
    EXPECT_EQ(ed.CaretXY(), (TBufferCoord{1024, 2}));  // MaxLeftChar and the last line

    ed.SetOptions(ed.Options() & ~eoScrollPastEol);
    ed.SetCaretXY({50, 1});
    EXPECT_EQ(ed.CaretXY(), (TBufferCoord{4, 1}));
    ed.SetCaretXY({0, 0});
    EXPECT_EQ(ed.CaretXY(), (TBufferCoord{1, 1}));

    // End and Right stop at length + 1 without eoScrollPastEol; Right there wraps.
    ed.ProcessCommand(ecLineEnd);
    EXPECT_EQ(ed.CaretXY(), (TBufferCoord{4, 1}));
    ed.ProcessCommand(ecRight);
    EXPECT_EQ(ed.CaretXY(), (TBufferCoord{1, 2}));
    ed.ProcessCommand(ecLeft);
    EXPECT_EQ(ed.CaretXY(), (TBufferCoord{4, 1}));
}

TEST(SynEditCaret, EmptyTextKeepsCaretAtOrigin) {
    TestEditor t;
    auto& ed = t.editor;
    ed.SetOptions(ed.Options() & ~eoScrollPastEol);
    ed.SetCaretXY({7, 3});
    EXPECT_EQ(ed.CaretXY(), (TBufferCoord{1, 1}));
    ed.UpdateScrollBars();
    EXPECT_EQ(t.window.vertical.Min, 1);
    EXPECT_EQ(t.window.vertical.Max, 1);
    EXPECT_FALSE(t.window.vertical.Enabled);
}

TEST(SynEditCaret, VerticalMovesKeepColumnOnlyWithKeepCaretX) {
    TestEditor t({"abcdefgh", "ab", "abcdefgh"});
    auto& ed = t.editor;
    ed.SetOptions(ed.Options() & ~eoScrollPastEol);
    ed.SetCaretXY({7, 1});
    ed.ProcessCommand(ecDown);
    EXPECT_EQ(ed.CaretXY(), (TBufferCoord{3, 2}));
    ed.ProcessCommand(ecDown);
    EXPECT_EQ(ed.CaretXY(), (TBufferCoord{3, 3}));

    ed.SetOptions(ed.Options() | eoKeepCaretX);
    ed.SetCaretX(7);
    ed.ProcessCommand(ecUp);
    ed.ProcessCommand(ecUp);
    EXPECT_EQ(ed.CaretXY(), (TBufferCoord{7, 1}));
}

TEST(SynEditSelection, SelectingMovesAndModes) {
    TestEditor t({"hello world", "second line"});
    auto& ed = t.editor;
    ed.ProcessCommand(ecSelWordRight);
    EXPECT_TRUE(ed.SelAvail());
    EXPECT_EQ(ed.BlockBegin(), (TBufferCoord{1, 1}));
    EXPECT_EQ(ed.BlockEnd(), (TBufferCoord{6, 1}));
    ed.ProcessCommand(ecSelDown);
    EXPECT_EQ(ed.BlockEnd(), (TBufferCoord{6, 2}));
    ed.ProcessCommand(ecRight);  // a plain move collapses the selection
    EXPECT_FALSE(ed.SelAvail());

    // A column block of zero width is empty, a line block over two lines is not.
    ed.SetBlockBegin({3, 1});
    ed.SetBlockEnd({3, 2});
    EXPECT_TRUE(ed.SelAvail());
    ed.SetSelectionMode(smColumn);
    EXPECT_FALSE(ed.SelAvail());
    ed.SetSelectionMode(smLine);
    EXPECT_TRUE(ed.SelAvail());
    EXPECT_TRUE(ed.IsPointInSelection({40, 2}));

    ed.SetSelectionMode(smNormal);
    ed.SetBlockBegin({3, 1});
    ed.SetBlockEnd({5, 2});
    EXPECT_FALSE(ed.IsPointInSelection({2, 1}));
    EXPECT_TRUE(ed.IsPointInSelection({3, 1}));
    EXPECT_TRUE(ed.IsPointInSelection({1, 2}));
    EXPECT_FALSE(ed.IsPointInSelection({5, 2}));

    ed.SetSelectionMode(smColumn);
    EXPECT_TRUE(ed.IsPointInSelection({4, 2}));
    EXPECT_FALSE(ed.IsPointInSelection({5, 1}));
    EXPECT_FALSE(ed.IsPointInSelection({2, 2}));
}

TEST(SynEditSelection, BlockEndsAreClampedAndNormalModeCutsToLineEnd) {
    TestEditor t({"abc", "de"});
    auto& ed = t.editor;
    ed.SetBlockBegin({10, 1});
    EXPECT_EQ(ed.BlockBeginRaw(), (TBufferCoord{4, 1}));
    ed.SetSelectionMode(smColumn);
    ed.SetBlockBegin({10, 7});
    EXPECT_EQ(ed.BlockBeginRaw(), (TBufferCoord{10, 2}));
    ed.SetOptions(ed.Options() | eoNoSelection);
    ed.SetBlockEnd({1, 1});
    EXPECT_EQ(ed.BlockEndRaw(), (TBufferCoord{10, 2}));
}

TEST(SynEditWords, NextAndPreviousWordPositions) {
    TestEditor t({"  foo(bar, baz)", "   next", ""});
    auto& ed = t.editor;
    // Without a highlighter every character from 33 up is a word character.
    ed.SetCaretXY({1, 1});
    EXPECT_EQ(ed.NextWordPos(), (TBufferCoord{11, 1}));
    ed.SetCaretXY({16, 1});
    EXPECT_EQ(ed.NextWordPos(), (TBufferCoord{4, 2}));
    ed.SetCaretXY({9, 2});
    EXPECT_EQ(ed.NextWordPos(), (TBufferCoord{1, 3}));
    ed.SetCaretXY({1, 3});
    EXPECT_EQ(ed.NextWordPos(), (TBufferCoord{1, 3}));  // the last line keeps the caret

    ed.SetCaretXY({30, 2});  // beyond the end: cut to length + 1 first
    EXPECT_EQ(ed.PrevWordPos(), (TBufferCoord{4, 2}));
    ed.SetCaretXY({4, 2});
    EXPECT_EQ(ed.PrevWordPos(), (TBufferCoord{16, 1}));
    ed.SetCaretXY({1, 1});
    EXPECT_EQ(ed.PrevWordPos(), (TBufferCoord{1, 1}));
}

TEST(SynEditCoordinates, PixelsAndPositionsAcrossTabs) {
    TestEditor t({"\tab", "xyz"});
    auto& ed = t.editor;
    // Text starts at gutter width + 2 = 32; cells are 8 pixels wide.
    EXPECT_EQ(ed.RowColumnToPixels({1, 1}), (TPoint{32, 1}));
    EXPECT_EQ(ed.RowColumnToPixels({3, 2}), (TPoint{48, 17}));
    // The tab spans display columns 1..8; the left half of a cell rounds down.
    EXPECT_EQ(ed.PixelsToRowColumn(32 + 3, 5), (TBufferCoord{1, 1}));
    EXPECT_EQ(ed.PixelsToRowColumn(32 + 5, 5), (TBufferCoord{2, 1}));
    EXPECT_EQ(ed.PixelsToRowColumn(32 + 8 * 8, 5), (TBufferCoord{2, 1}));
    // The right half of the character after the tab puts the caret after it.
    EXPECT_EQ(ed.PixelsToRowColumn(32 + 8 * 8 + 5, 5), (TBufferCoord{3, 1}));
    EXPECT_EQ(ed.PixelsToRowColumn(32 + 2 * 8, 20), (TBufferCoord{3, 2}));
    EXPECT_EQ(ed.LogicalToPhysical({2, 1}), 9);
    EXPECT_EQ(ed.LogicalToPhysical({5, 1}), 12);

    // Tabs anywhere, in a row, and columns past the line's end.
    TestEditor tabs({"a\tbc\t\td"});
    const std::vector<int> expected{1, 2, 9, 10, 11, 17, 25, 26, 27, 28};
    for (int c = 1; c <= 10; ++c)
        EXPECT_EQ(tabs.editor.LogicalToPhysical({c, 1}), expected[c - 1]) << c;
}

TEST(SynEditScrolling, TopLineLimitsAndScaledScrollBar) {
    std::vector<std::string> lines(40000, "x");
    TestEditor t(lines);
    auto& ed = t.editor;
    ed.SetTopLine(100000);
    EXPECT_EQ(ed.TopLine(), 40000 - 5 + 1);
    ed.SetOptions(ed.Options() | eoScrollPastEof);
    ed.SetTopLine(100000);
    EXPECT_EQ(ed.TopLine(), 40000);
    ed.SetOptions(ed.Options() & ~eoScrollPastEof);

    ed.SetTopLine(1);
    ed.UpdateScrollBars();
    EXPECT_EQ(t.window.vertical.Min, 0);
    EXPECT_EQ(t.window.vertical.Max, 32767);
    EXPECT_EQ(t.window.vertical.Page, 5 * 32767 / 40000);
    // Dragging the thumb to the bottom shows the last page.
    ed.VerticalScroll(TCustomSynEdit::scTrack, 32767);
    EXPECT_EQ(ed.TopLine(), 40000 - 5 + 1);
    EXPECT_EQ(ed.ScrollHintText(), "Top Line: 39996");
    ed.VerticalScroll(TCustomSynEdit::scEndScroll, 0);
    EXPECT_EQ(ed.ScrollHintText(), "");
}

TEST(SynEditScrolling, LeftCharLimitsAndWheel) {
    std::vector<std::string> lines(100, std::string(30, 'x'));
    TestEditor t(lines);
    auto& ed = t.editor;
    ed.SetLeftChar(5000);
    EXPECT_EQ(ed.LeftChar(), 1024 - 10 + 1);
    ed.SetOptions(ed.Options() & ~eoScrollPastEol);
    ed.SetLeftChar(5000);
    EXPECT_EQ(ed.LeftChar(), 30 - 10 + 1);

    // Wheel: the system setting per notch, a page with Ctrl, half a page with eoHalfPageScroll.
    ed.SetTopLine(50);
    ed.MouseWheel(-120, false, 3);
    EXPECT_EQ(ed.TopLine(), 53);
    ed.MouseWheel(-60, false, 3);
    EXPECT_EQ(ed.TopLine(), 53);
    ed.MouseWheel(-60, false, 3);
    EXPECT_EQ(ed.TopLine(), 56);
    ed.MouseWheel(120, true, 3);
    EXPECT_EQ(ed.TopLine(), 51);
    ed.SetOptions(ed.Options() | eoHalfPageScroll);
    ed.MouseWheel(120, true, 3);
    EXPECT_EQ(ed.TopLine(), 49);
    ed.MouseWheel(120, false, -1);  // one page per notch
    EXPECT_EQ(ed.TopLine(), 44);
}

TEST(SynEditStatus, ChangesAreReportedOutsidePaintLockOnly) {
    TestEditor t({"abc", "def"});
    auto& ed = t.editor;
    std::vector<TSynStatusChanges> reports;
    ed.OnStatusChange = [&](TCustomSynEdit*, TSynStatusChanges c) { reports.push_back(c); };
    ed.SetCaretXY({2, 2});
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], stCaretX | stCaretY);

    reports.clear();
    ed.IncPaintLock();
    ed.SetCaretXY({3, 2});
    ed.SetInsertMode(false);
    EXPECT_TRUE(reports.empty());
    ed.DecPaintLock();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], stCaretX | stInsertMode);

    reports.clear();
    ed.SetReadOnly(true);
    ed.SetSelectionMode(smColumn);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0], stReadOnly);
    EXPECT_EQ(reports[1], stSelection);
}

TEST(SynEditCommands, PageAndEditorMovesAndModes) {
    std::vector<std::string> lines;
    for (int i = 1; i <= 20; ++i) lines.push_back("line " + std::to_string(i));
    TestEditor t(lines);
    auto& ed = t.editor;
    ed.ProcessCommand(ecPageDown);
    EXPECT_EQ(ed.TopLine(), 6);
    EXPECT_EQ(ed.CaretY(), 6);
    ed.ProcessCommand(ecPageBottom);
    EXPECT_EQ(ed.CaretY(), 10);
    ed.ProcessCommand(ecSelEditorBottom);
    EXPECT_EQ(ed.CaretXY(), (TBufferCoord{8, 20}));
    EXPECT_EQ(ed.BlockBegin(), (TBufferCoord{1, 10}));
    ed.ProcessCommand(ecEditorTop);
    EXPECT_EQ(ed.CaretXY(), (TBufferCoord{1, 1}));
    EXPECT_FALSE(ed.SelAvail());

    ed.ProcessCommand(ecSelectAll);
    EXPECT_EQ(ed.BlockBegin(), (TBufferCoord{1, 1}));
    EXPECT_EQ(ed.BlockEnd(), (TBufferCoord{8, 20}));

    ed.ProcessCommand(ecToggleMode);
    EXPECT_FALSE(ed.InsertMode());
    ed.ProcessCommand(ecInsertMode);
    EXPECT_TRUE(ed.InsertMode());
    ed.ProcessCommand(ecLineSelect);
    EXPECT_EQ(ed.SelectionMode(), smLine);

    TBufferCoord target{3, 4};
    ed.ProcessCommand(ecGotoXY, 0, &target);
    EXPECT_EQ(ed.CaretXY(), target);

    ed.SetTopLine(1);
    ed.ProcessCommand(ecScrollDown);
    ed.ProcessCommand(ecScrollDown);
    EXPECT_EQ(ed.TopLine(), 3);
    EXPECT_EQ(ed.CaretY(), 4);
}

TEST(SynEditCommands, MatchBracketAcrossLines) {
    TestEditor t({"f(a(b)c", "  [x]", ")"});
    auto& ed = t.editor;
    ed.SetCaretXY({2, 1});
    ed.ProcessCommand(ecMatchBracket);
    EXPECT_EQ(ed.CaretXY(), (TBufferCoord{1, 3}));
    ed.ProcessCommand(ecMatchBracket);
    EXPECT_EQ(ed.CaretXY(), (TBufferCoord{2, 1}));
    ed.SetCaretXY({5, 2});
    ed.ProcessCommand(ecMatchBracket);
    EXPECT_EQ(ed.CaretXY(), (TBufferCoord{3, 2}));
    ed.SetCaretXY({1, 1});  // not on a bracket
    ed.ProcessCommand(ecMatchBracket);
    EXPECT_EQ(ed.CaretXY(), (TBufferCoord{1, 1}));
}

TEST(SynEditCommands, DispatchRunsHandlersAndUserCommands) {
    TestEditor t({"abc"});
    auto& ed = t.editor;
    std::vector<int> seen;
    ed.OnProcessCommand = [&](TCustomSynEdit*, TSynEditorCommand& c, char&, void*) {
        seen.push_back(c);
        if (c == ecRight) c = ecNone;  // swallow
    };
    ed.OnProcessUserCommand = [&](TCustomSynEdit*, TSynEditorCommand& c, char&, void*) {
        seen.push_back(-c);
    };
    int processed = -1;
    ed.OnCommandProcessed = [&](TCustomSynEdit*, TSynEditorCommand c, char, void*) {
        processed = c;
    };
    ed.ProcessCommand(ecRight);
    EXPECT_EQ(ed.CaretX(), 1);
    EXPECT_EQ(processed, ecNone);
    ed.ProcessCommand(ecUserFirst + 5);
    EXPECT_EQ(processed, ecUserFirst + 5);
    EXPECT_EQ(seen, (std::vector<int>{ecRight, -(ecUserFirst + 5)}));
}

TEST(SynEditBookmarks, PlaceToggleJumpAndFollowLines) {
    TestEditor t({"a", "b", "c", "d", "e"});
    auto& ed = t.editor;
    ed.SetCaretXY({1, 4});
    ed.ProcessCommand(ecSetMarker4);
    ASSERT_NE(ed.Bookmark(4), nullptr);
    EXPECT_TRUE(ed.Bookmark(4)->InternalImage());
    ed.PlaceBookmark(1, 1, 4);  // bookmark 1 on the line of bookmark 4 removes it
    EXPECT_EQ(ed.Bookmark(4), nullptr);
    EXPECT_EQ(ed.Marks().Count(), 1);

    ed.SetCaretXY({1, 2});
    ed.ProcessCommand(ecSetMarker3);
    ed.ProcessCommand(ecSetMarker3);  // twice on the same line removes it
    EXPECT_EQ(ed.Bookmark(3), nullptr);

    ed.SetCaretXY({1, 1});
    ed.ProcessCommand(ecGotoMarker1);
    EXPECT_EQ(ed.CaretY(), 4);

    ed.PlaceBookmark(0, 1, 0);   // line below 1: nothing
    ed.PlaceBookmark(10, 1, 2);  // number out of range: nothing
    EXPECT_EQ(ed.Marks().Count(), 1);

    ed.Marks().LinesDeleted(2, 2);  // lines 3..4 removed: the mark goes to line 2
    EXPECT_EQ(ed.Bookmark(1)->Line(), 2);
    ed.Marks().LinesInserted(2, 3);
    EXPECT_EQ(ed.Bookmark(1)->Line(), 5);

    // Removing the first lines leaves their marks on line 1, never on a line 0.
    ed.PlaceBookmark(2, 1, 1);
    ed.Marks().LinesDeleted(0, 2);
    EXPECT_EQ(ed.Bookmark(2)->Line(), 1);
}

TEST(SynEditCaretShape, CaretRectFollowsMode) {
    TestEditor t({"abc"});
    auto& ed = t.editor;
    ed.SetCaretXY({2, 1});
    ed.UpdateCaret();
    EXPECT_TRUE(t.window.caretVisible);
    EXPECT_EQ(t.window.caretRect, (TRect{39, 1, 41, 15}));  // vertical line, 2 wide
    ed.SetInsertMode(false);
    EXPECT_EQ(t.window.caretRect, (TRect{40, 1, 48, 15}));  // block
}

}  // namespace

namespace {

// Stored range states of every line equal those of a full scan from the top.
void ExpectRangesOfAFullScan(TCustomSynEdit& ed, TSynCppSyn& hl) {
    ed.EnsureRanges(ed.Lines().GetCount() - 1);  // what idle work would compute
    hl.ResetRangeState();
    for (int i = 0; i < ed.Lines().GetCount(); ++i) {
        ASSERT_EQ(ed.Lines().LineRange(i), hl.RangeState()) << "line " << i;
        const std::string text = ed.Lines().Get(i);
        hl.StartLine(text, i);
        hl.ScanToLineEnd();
    }
}

TEST(SynEditRescan, ChangesInOneBracketAreRescannedTogether) {
    TestEditor t;
    TSynCppSyn hl;
    auto& ed = t.editor;
    for (int i = 0; i < 200; ++i) ed.Lines().Add("int x;");
    ed.SetHighlighter(&hl);
    ExpectRangesOfAFullScan(ed, hl);

    // A comment opened far down, then lines inserted above it, in one bracket.
    ed.Lines().BeginUpdate();
    ed.Lines().Put(100, "/* opened");
    ed.Lines().Insert(5, "int y;");
    ed.Lines().Insert(5, "int z;");
    ed.Lines().EndUpdate();
    ExpectRangesOfAFullScan(ed, hl);
    EXPECT_NE(ed.Lines().LineRange(150), ed.Lines().LineRange(50));

    // Closing it again and deleting above it.
    ed.Lines().BeginUpdate();
    ed.Lines().Put(102, "closed();");
    ed.Lines().Delete(3);
    ed.Lines().EndUpdate();
    ExpectRangesOfAFullScan(ed, hl);
    EXPECT_EQ(ed.Lines().LineRange(150), ed.Lines().LineRange(50));

    // Loading replaces everything and scans every line once.
    ed.Lines().Clear();
    ed.Lines().AddStrings(std::vector<std::string>{"/*", "a", "*/", "#define X \\", "  1", "b"});
    ExpectRangesOfAFullScan(ed, hl);
}

}  // namespace

namespace {

TEST(SynEditHighlighter, ADestroyedHighlighterIsForgotten) {
    TestEditor t({"int x;"});
    {
        TSynCppSyn hl;
        t.editor.SetHighlighter(&hl);
        EXPECT_EQ(t.editor.Highlighter(), &hl);
    }
    EXPECT_EQ(t.editor.Highlighter(), nullptr);
    t.editor.Lines().Put(0, "int y;");  // no rescan through a dangling highlighter
    TSynCppSyn other;
    t.editor.SetHighlighter(&other);
    t.editor.SetHighlighter(nullptr);
}

}  // namespace

namespace {

TEST(SynEditSelection, ColumnBlockGrowsDownFromItsAnchor) {
    TestEditor t({"abcdef", "ghijkl", "mnopqr", "stuvwx"});
    auto& ed = t.editor;
    ed.SetSelectionMode(smColumn);
    ed.SetCaretXY({2, 1});
    ed.ProcessCommand(ecSelDown);
    ed.ProcessCommand(ecSelDown);  // still zero width: the anchor must not follow the caret
    ed.ProcessCommand(ecSelRight);
    ed.ProcessCommand(ecSelRight);
    EXPECT_EQ(ed.BlockBeginRaw(), (TBufferCoord{2, 1}));
    EXPECT_EQ(ed.BlockEndRaw(), (TBufferCoord{4, 3}));
    EXPECT_EQ(ed.SelText(), "bc\r\nhi\r\nno");
}

}  // namespace

namespace {

// 10 visible columns: the caret may stand on column left + 10 (right at the edge) without a
// scroll; typing there jumps the view right by up to 25 columns.
TEST(SynEditScrolling, CaretAtTheRightEdgeScrollsOnlyWhenBeyondIt) {
    TestEditor t({"abcdefghi"});
    auto& ed = t.editor;
    ASSERT_EQ(ed.CharsInWindow(), 10);
    ed.SetCaretXY({11, 1});
    EXPECT_EQ(ed.LeftChar(), 1);
    ed.SetCaretXY({12, 1});
    EXPECT_EQ(ed.LeftChar(), 3);

    TestEditor typing({"abcdefghi"});
    typing.editor.SetCaretXY({10, 1});
    typing.editor.ProcessCommand(ecChar, 'x');
    EXPECT_EQ(typing.editor.CaretX(), 11);
    EXPECT_EQ(typing.editor.LeftChar(), 10);  // min(25, 10 - 1) columns at once
}

}  // namespace

namespace {

TEST(SynEditBookmarks, JumpMovesOnlyTheCaret) {
    std::vector<std::string> lines(30, "text");
    TestEditor t(lines);
    auto& ed = t.editor;
    ed.PlaceBookmark(2, 3, 25);
    ed.SetCaretAndSelection({4, 2}, {1, 1}, {4, 2});
    ed.ProcessCommand(ecGotoMarker2);
    EXPECT_EQ(ed.CaretXY(), (TBufferCoord{3, 25}));
    EXPECT_EQ(ed.TopLine(), 21);
    EXPECT_EQ(ed.BlockBegin(), (TBufferCoord{1, 1}));
    EXPECT_EQ(ed.BlockEnd(), (TBufferCoord{4, 2}));
}

}  // namespace
