// Mouse selection of the editor logic: clicks, Shift and Alt clicks, clicks on a selection
// (plain click or drag start), the auto-scroll timer, double-click words, gutter clicks and
// cursor shapes. The test window shows 10 columns of 8 pixels beside a 30-pixel gutter (text
// from x = 32) and 5 lines of 16 pixels.
#include <gtest/gtest.h>

#include <memory>

#include "highlight/syn_cpp_syn.h"
#include "synedit_test_support.h"

namespace {

constexpr int kDrag = 4;

// Left quarter of a character cell, and the middle of a line.
int X(int column) {
    return 32 + (column - 1) * 8 + 2;
}
int Y(int line) {
    return (line - 1) * 16 + 8;
}

void Click(TCustomSynEdit& ed, int x, int y, TShiftState shift = 0) {
    ed.MouseDown(mbLeft, shift | ssLeft, x, y);
    ed.MouseUp(mbLeft, shift, x, y);
}

// Widens the test window to 40 columns so that long lines need no scrolling.
void Widen(TestEditor& t) {
    t.window.width = 32 + 40 * 8;
    t.editor.SizeChanged();
}

void DoubleClick(TCustomSynEdit& ed, int x, int y) {
    Click(ed, x, y);
    ed.DblClick(x, y);
    ed.MouseDown(mbLeft, ssLeft | ssDouble, x, y);
    ed.MouseUp(mbLeft, 0, x, y);
}

TEST(SynEditMouse, ClickRoundsToTheNearestCharacterBoundaryAcrossTabs) {
    TestEditor t({"\tab"});
    auto& ed = t.editor;
    // The tab fills display columns 1-8, so "a" is drawn at x = 32 + 64.
    Click(ed, 32 + 64 + 2, Y(1));
    EXPECT_EQ(ed.CaretXY(), (TBufferCoord{2, 1}));
    Click(ed, 32 + 64 + 6, Y(1));  // right half of "a": after it
    EXPECT_EQ(ed.CaretXY(), (TBufferCoord{3, 1}));
    Click(ed, 32 + 20, Y(1));  // inside the tab, nearer its start
    EXPECT_EQ(ed.CaretXY(), (TBufferCoord{2, 1}));
    EXPECT_FALSE(ed.SelAvail());
}

TEST(SynEditMouse, DragSelectsAndShiftClickExtends) {
    TestEditor t({"abcdefgh", "ijklmnop", "qrstuvwx"});
    auto& ed = t.editor;
    ed.MouseDown(mbLeft, ssLeft, X(2), Y(1));
    ed.MouseMove(ssLeft, X(4), Y(1), kDrag);
    ed.MouseMove(ssLeft, X(5), Y(2), kDrag);
    ed.MouseUp(mbLeft, 0, X(5), Y(2));
    EXPECT_EQ(ed.BlockBegin(), (TBufferCoord{2, 1}));
    EXPECT_EQ(ed.BlockEnd(), (TBufferCoord{5, 2}));
    EXPECT_EQ(ed.CaretXY(), (TBufferCoord{5, 2}));

    // Shift-click outside the selection extends it to the click.
    Click(ed, X(3), Y(3), ssShift);
    EXPECT_EQ(ed.BlockBegin(), (TBufferCoord{2, 1}));
    EXPECT_EQ(ed.BlockEnd(), (TBufferCoord{3, 3}));
    EXPECT_EQ(ed.CaretXY(), (TBufferCoord{3, 3}));

    // A plain click outside collapses it at the click; moving without the button selects nothing.
    Click(ed, X(7), Y(2));
    EXPECT_FALSE(ed.SelAvail());
    EXPECT_EQ(ed.CaretXY(), (TBufferCoord{7, 2}));
    ed.MouseMove(0, X(2), Y(3), kDrag);
    EXPECT_FALSE(ed.SelAvail());

    // Without a selection Shift-click selects from the caret.
    Click(ed, X(2), Y(3), ssShift);
    EXPECT_EQ(ed.BlockBegin(), (TBufferCoord{7, 2}));
    EXPECT_EQ(ed.BlockEnd(), (TBufferCoord{2, 3}));
}

TEST(SynEditMouse, AltSelectsAColumnBlockOnlyWithTheOption) {
    TestEditor t({"abcdefgh", "ijklmnop", "qrstuvwx"});
    auto& ed = t.editor;
    ed.MouseDown(mbLeft, ssLeft | ssAlt, X(2), Y(1));
    ed.MouseMove(ssLeft | ssAlt, X(4), Y(3), kDrag);
    ed.MouseUp(mbLeft, ssAlt, X(4), Y(3));
    EXPECT_EQ(ed.SelectionMode(), smNormal);

    Click(ed, X(1), Y(1));
    ed.SetOptions(ed.Options() | eoAltSetsColumnMode);
    ed.MouseDown(mbLeft, ssLeft | ssAlt, X(2), Y(1));
    ed.MouseMove(ssLeft | ssAlt, X(4), Y(3), kDrag);
    ed.MouseUp(mbLeft, ssAlt, X(4), Y(3));
    EXPECT_EQ(ed.SelectionMode(), smColumn);
    EXPECT_EQ(ed.BlockBegin(), (TBufferCoord{2, 1}));
    EXPECT_EQ(ed.BlockEnd(), (TBufferCoord{4, 3}));

    // A click without Alt goes back to normal mode; line mode is left alone.
    Click(ed, X(1), Y(1));
    EXPECT_EQ(ed.SelectionMode(), smNormal);
    ed.SetSelectionMode(smLine);
    Click(ed, X(1), Y(1), ssAlt);
    EXPECT_EQ(ed.SelectionMode(), smLine);
}

TEST(SynEditMouse, ClickOnTheSelectionCollapsesOnReleaseOrStartsADrag) {
    TestEditor t({"abcdefgh", "ijklmnop"});
    auto& ed = t.editor;
    ed.SetCaretAndSelection({6, 1}, {2, 1}, {6, 1});

    // Press inside, release after a move shorter than the drag distance: a plain click.
    ed.MouseDown(mbLeft, ssLeft, X(3), Y(1));
    EXPECT_TRUE(ed.MouseNotes().PossibleDrag);
    EXPECT_TRUE(ed.SelAvail());
    EXPECT_FALSE(ed.MouseMove(ssLeft, X(3) + 3, Y(1), kDrag));
    ed.MouseUp(mbLeft, 0, X(4), Y(1));
    EXPECT_FALSE(ed.SelAvail());
    EXPECT_EQ(ed.CaretXY(), (TBufferCoord{4, 1}));

    // Moving by the drag distance starts a drag and leaves the selection alone.
    ed.SetCaretAndSelection({6, 1}, {2, 1}, {6, 1});
    ed.MouseDown(mbLeft, ssLeft, X(3), Y(1));
    EXPECT_TRUE(ed.MouseMove(ssLeft, X(3), Y(1) + kDrag, kDrag));
    EXPECT_FALSE(ed.MouseNotes().PossibleDrag);
    EXPECT_EQ(ed.BlockBegin(), (TBufferCoord{2, 1}));
    EXPECT_EQ(ed.BlockEnd(), (TBufferCoord{6, 1}));
    EXPECT_FALSE(ed.MouseMove(ssLeft, X(8), Y(2), kDrag));  // the drag owns the mouse now
    EXPECT_EQ(ed.BlockEnd(), (TBufferCoord{6, 1}));

    // Without eoDragDropEditing a press on the selection starts a new one.
    ed.SetOptions(ed.Options() & ~eoDragDropEditing);
    ed.MouseDown(mbLeft, ssLeft, X(3), Y(1));
    EXPECT_FALSE(ed.MouseNotes().PossibleDrag);
    EXPECT_FALSE(ed.SelAvail());
    EXPECT_EQ(ed.CaretXY(), (TBufferCoord{3, 1}));
}

TEST(SynEditMouse, RightClickKeepsTheSelection) {
    TestEditor t({"abcdefgh"});
    auto& ed = t.editor;
    ed.SetCaretAndSelection({6, 1}, {2, 1}, {6, 1});
    ed.MouseDown(mbRight, ssRight, X(8), Y(1));
    ed.MouseUp(mbRight, ssRight, X(8), Y(1));
    EXPECT_EQ(ed.BlockEnd(), (TBufferCoord{6, 1}));
    EXPECT_EQ(ed.CaretXY(), (TBufferCoord{6, 1}));
    // Without a selection it moves the caret.
    ed.SetBlockBegin({1, 1});
    ed.MouseDown(mbRight, ssRight, X(8), Y(1));
    EXPECT_EQ(ed.CaretXY(), (TBufferCoord{8, 1}));
}

TEST(SynEditMouse, ScrollTimerScrollsALineOrAPagePerTickBelowTheWindow) {
    std::vector<std::string> lines;
    for (int i = 1; i <= 40; ++i) lines.push_back("line " + std::to_string(i));
    TestEditor t(lines);
    auto& ed = t.editor;
    ed.MouseDown(mbLeft, ssLeft, X(2), Y(1));
    EXPECT_FALSE(ed.ScrollTimerWanted());
    ed.MouseMove(ssLeft, X(3), 5 * 16 + 3, kDrag);  // just below the fifth line
    EXPECT_TRUE(ed.ScrollTimerWanted());
    ed.ScrollTimerTick();
    EXPECT_EQ(ed.TopLine(), 2);
    EXPECT_EQ(ed.CaretXY(), (TBufferCoord{3, 6}));
    ed.ScrollTimerTick();
    EXPECT_EQ(ed.TopLine(), 3);
    EXPECT_EQ(ed.BlockBegin(), (TBufferCoord{2, 1}));
    EXPECT_EQ(ed.BlockEnd(), (TBufferCoord{3, 7}));

    ed.ScrollTimerTick(ssShift);  // a page of 5 lines
    EXPECT_EQ(ed.TopLine(), 8);
    EXPECT_EQ(ed.CaretY(), 12);

    // Two lines out: two lines per tick; above the window: upwards.
    ed.MouseMove(ssLeft, X(3), 5 * 16 + 20, kDrag);
    ed.ScrollTimerTick(0);
    EXPECT_EQ(ed.TopLine(), 10);
    ed.MouseMove(ssLeft, X(3), -1, kDrag);
    ed.ScrollTimerTick();
    EXPECT_EQ(ed.TopLine(), 9);
    EXPECT_EQ(ed.CaretY(), 9);

    // Back inside: the timer stops and the caret follows the mouse again.
    ed.MouseMove(ssLeft, X(4), Y(2), kDrag);
    EXPECT_FALSE(ed.ScrollTimerWanted());
    EXPECT_EQ(ed.CaretXY(), (TBufferCoord{4, 10}));
    ed.MouseMove(ssLeft, X(3), 200, kDrag);
    ed.MouseUp(mbLeft, 0, X(3), 200);
    EXPECT_FALSE(ed.ScrollTimerWanted());
    EXPECT_EQ(ed.BlockBegin(), (TBufferCoord{2, 1}));
}

TEST(SynEditMouse, ScrollTimerScrollsSidewaysIntoTheGutter) {
    TestEditor t({std::string(60, 'x')});
    auto& ed = t.editor;
    ed.SetLeftChar(20);
    ed.MouseDown(mbLeft, ssLeft, 32 + 4 * 8 + 2, Y(1));
    EXPECT_EQ(ed.CaretX(), 24);
    ed.MouseMove(ssLeft, 10, Y(1), kDrag);  // over the gutter
    EXPECT_TRUE(ed.ScrollTimerWanted());
    ed.ScrollTimerTick();
    EXPECT_LT(ed.LeftChar(), 20);
    EXPECT_EQ(ed.CaretX(), ed.LeftChar());
    EXPECT_EQ(ed.BlockBegin(), (TBufferCoord{ed.LeftChar(), 1}));
    EXPECT_EQ(ed.BlockEnd(), (TBufferCoord{24, 1}));
}

TEST(SynEditMouse, DoubleClickSelectsTheWordAndTheFollowingReleaseKeepsIt) {
    TestEditor t({"int foo_bar(x); ++", "  "});
    Widen(t);
    auto& ed = t.editor;
    // Without a highlighter: runs of one character class; a symbol selects nothing.
    DoubleClick(ed, X(6), Y(1));
    EXPECT_EQ(ed.BlockBegin(), (TBufferCoord{5, 1}));
    EXPECT_EQ(ed.BlockEnd(), (TBufferCoord{12, 1}));
    EXPECT_EQ(ed.CaretXY(), (TBufferCoord{12, 1}));
    EXPECT_FALSE(ed.MouseNotes().DoubleClicked);  // cleared by the button-up

    DoubleClick(ed, X(12), Y(1));
    EXPECT_FALSE(ed.SelAvail());
    EXPECT_EQ(ed.CaretXY(), (TBufferCoord{12, 1}));

    // Past the end of the line: caret at its end, nothing selected.
    DoubleClick(ed, X(9), Y(2));
    EXPECT_FALSE(ed.SelAvail());
    EXPECT_EQ(ed.CaretXY(), (TBufferCoord{3, 2}));

    // With a highlighter its identifier characters decide.
    TSynCppSyn cpp;
    ed.SetHighlighter(&cpp);
    DoubleClick(ed, X(8), Y(1));
    EXPECT_EQ(ed.BlockBegin(), (TBufferCoord{5, 1}));
    EXPECT_EQ(ed.BlockEnd(), (TBufferCoord{12, 1}));
    ed.SetHighlighter(nullptr);

    // eoNoSelection: the double click selects nothing.
    ed.SetOptions(ed.Options() | eoNoSelection);
    DoubleClick(ed, X(2), Y(1));
    EXPECT_FALSE(ed.SelAvail());
}

TEST(SynEditMouse, WordAtTheLineEndIsTheIdentifierBeforeIt) {
    TestEditor t({"x = foo", "bar"});
    auto& ed = t.editor;
    TSynCppSyn cpp;
    ed.SetHighlighter(&cpp);
    // The caret just after the last character still touches the word.
    ed.SetWordBlock({8, 1});
    EXPECT_EQ(ed.BlockBegin(), (TBufferCoord{5, 1}));
    EXPECT_EQ(ed.BlockEnd(), (TBufferCoord{8, 1}));
    EXPECT_EQ(ed.CaretXY(), (TBufferCoord{8, 1}));
    // Further out nothing is selected.
    ed.SetWordBlock({6, 2});
    EXPECT_FALSE(ed.SelAvail());
    EXPECT_EQ(ed.CaretXY(), (TBufferCoord{4, 2}));
}

TEST(SynEditMouse, DoubleClickOnASelectedWordKeepsTheNewSelection) {
    TestEditor t({"alpha beta gamma"});
    Widen(t);
    auto& ed = t.editor;
    ed.SetCaretAndSelection({17, 1}, {1, 1}, {17, 1});
    // The first press lands on the selection (possible drag); its release collapses it,
    // the double click then selects the word.
    DoubleClick(ed, X(8), Y(1));
    EXPECT_EQ(ed.BlockBegin(), (TBufferCoord{7, 1}));
    EXPECT_EQ(ed.BlockEnd(), (TBufferCoord{11, 1}));
}

TEST(SynEditMouse, GutterClickFindsTheMarkByItsPictureOffset) {
    TestEditor t({"one", "two", "three"});
    auto& ed = t.editor;
    for (int i = 0; i < 2; ++i) {
        auto mark = std::make_unique<TSynEditMark>(&ed);
        mark->SetLine(2);
        mark->SetImageIndex(i);
        ed.Marks().Add(std::move(mark));
    }
    struct Call {
        int line;
        TSynEditMark* mark;
    };
    std::vector<Call> calls;
    ed.OnGutterClick = [&](TCustomSynEdit* sender, int, int, int line, TSynEditMark* mark) {
        EXPECT_EQ(sender, &ed);
        calls.push_back({line, mark});
    };
    // Xoffset is 12: the first picture covers x 0-11, the second 12-23.
    Click(ed, 5, Y(2));
    Click(ed, 15, Y(2));
    Click(ed, 26, Y(2));
    Click(ed, 5, Y(1));
    Click(ed, 5, Y(4));  // below the last line: no event
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].mark, ed.Marks().At(0));
    EXPECT_EQ(calls[1].mark, ed.Marks().At(1));
    EXPECT_EQ(calls[2].mark, nullptr);
    EXPECT_EQ(calls[2].line, 2);
    EXPECT_EQ(calls[3].line, 1);
    EXPECT_EQ(calls[3].mark, nullptr);

    // A press in the gutter released over the text is no gutter click.
    ed.MouseDown(mbLeft, ssLeft, 5, Y(1));
    ed.MouseUp(mbLeft, 0, X(2), Y(1));
    EXPECT_EQ(calls.size(), 4u);
}

TEST(SynEditMouse, CursorShapeFollowsGutterAndSelection) {
    TestEditor t({"abcdefgh"});
    auto& ed = t.editor;
    ed.Gutter().SetCursor(crArrow);
    ed.SetCaretAndSelection({5, 1}, {2, 1}, {5, 1});
    EXPECT_EQ(ed.MouseCursorAt(10, Y(1)), crArrow);
    EXPECT_EQ(ed.MouseCursorAt(X(2), Y(1)), crArrow);
    EXPECT_EQ(ed.MouseCursorAt(32 + 4 * 8 - 1, Y(1)), crArrow);  // right edge of "d"
    EXPECT_EQ(ed.MouseCursorAt(32 + 4 * 8, Y(1)), crIBeam);      // "e" is not selected
    EXPECT_EQ(ed.MouseCursorAt(X(1), Y(1)), crIBeam);
    ed.SetOptions(ed.Options() & ~eoDragDropEditing);
    EXPECT_EQ(ed.MouseCursorAt(X(2), Y(1)), crIBeam);
}

}  // namespace
