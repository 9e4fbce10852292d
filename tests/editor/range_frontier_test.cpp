// Lazily computed range states: whatever is painted, and everything once the idle work is done,
// carries exactly the states and colours of a full scan from the top, through random texts and
// edits; and the frontier of computed states moves as edits, jumps and undo demand.
#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "editor/editor_commands.h"
#include "editor/synedit_range_sharing.h"
#include "editor/text_area_painter.h"
#include "highlight/syn_cpp_syn.h"
#include "synedit_test_support.h"

namespace {

// Every text drawn, with its place and colours.
class ColourCanvas : public ISynCanvas {
  public:
    void FillRect(const TRect&, int32_t) override {}
    void DrawVerticalLine(int, int, int, int32_t) override {}
    void DrawTextGrid(int x, int y, const TRect&, std::string_view text, int32_t fg, int32_t bg,
                      uint8_t style) override {
        drawn.push_back(std::to_string(x) + "," + std::to_string(y) + " " + std::string(text) +
                        " " + std::to_string(fg) + "/" + std::to_string(bg) + "/" +
                        std::to_string(style));
    }
    std::vector<std::string> drawn;
};

struct HighlightedEditor {
    TSynCppSyn highlighter;
    TestEditor t;

    HighlightedEditor() {
        t.window.width = 30 + 2 + 60 * 8;
        t.window.height = 8 * 16;
        t.editor.SetFontMetrics(8, 16);
        t.editor.SetHighlighter(&highlighter);
    }
    TCustomSynEdit& ed() { return t.editor; }
    std::vector<std::string> Paint() {
        ColourCanvas canvas;
        TSynTextAreaPainter painter(t.editor, canvas, true);
        painter.Paint({0, 0, t.window.width, t.window.height});
        return canvas.drawn;
    }
};

std::vector<std::string> TextOf(TCustomSynEdit& ed) {
    std::vector<std::string> lines;
    for (int i = 0; i < ed.Lines().GetCount(); ++i) lines.push_back(ed.Lines().Get(i));
    return lines;
}

// Range states of a full scan from the top, by an independent highlighter.
std::vector<int> EagerRanges(const std::vector<std::string>& lines) {
    TSynCppSyn hl;
    std::vector<int> ranges;
    hl.ResetRangeState();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        ranges.push_back(hl.RangeState());
        hl.StartLine(lines[i], static_cast<int>(i));
        hl.ScanToLineEnd();
    }
    return ranges;
}

// What a freshly opened editor shows at `topLine` when every state was computed at once.
std::vector<std::string> EagerPaint(const std::vector<std::string>& lines, int topLine) {
    HighlightedEditor fresh;
    fresh.ed().Lines().AddStrings(lines);
    fresh.ed().EnsureRanges(static_cast<int>(lines.size()) - 1);
    fresh.ed().SetTopLine(topLine);
    return fresh.Paint();
}

void ExpectKnownRangesEager(TCustomSynEdit& ed, const char* when) {
    const std::vector<int> eager = EagerRanges(TextOf(ed));
    for (int i = 0; i < ed.RangesKnown(); ++i)
        ASSERT_EQ(ed.Lines().LineRange(i), eager[i]) << when << ", line " << i;
}

std::string RandomLine(std::mt19937& rng) {
    static const std::vector<std::string> pieces = {
        "/*",  "*/",    "//", "\"s /* t\"", "'*'", "\"esc \\\" /*\"", "#define X \\",
        "#if", "\\",    "/",  "*",          " ",   "int x;",          "a / b * c",
        "\t",  "0x1F,", "\"", "'",          "#",   "/* c */",         "x"};
    std::string line;
    const int n = static_cast<int>(rng() % 5);
    for (int k = 0; k < n; ++k) line += pieces[rng() % pieces.size()];
    return line;
}

TEST(RangeFrontier, PaintedAndIdleComputedStatesEqualAFullScanThroughRandomEdits) {
    std::mt19937 rng(15);
    for (int round = 0; round < 40; ++round) {
        HighlightedEditor h;
        TCustomSynEdit& ed = h.ed();
        std::vector<std::string> initial;
        const int lines = 20 + static_cast<int>(rng() % 300);
        for (int i = 0; i < lines; ++i) initial.push_back(RandomLine(rng));
        ed.Lines().AddStrings(initial);
        for (int step = 0; step < 30; ++step) {
            const int count = ed.Lines().GetCount();
            const int at = static_cast<int>(rng() % std::max(1, count));
            switch (rng() % 8) {
                case 0:
                    ed.Lines().Put(at, RandomLine(rng));
                    break;
                case 1:
                    ed.Lines().Insert(at, RandomLine(rng));
                    break;
                case 2:
                    if (count > 1) ed.Lines().Delete(at);
                    break;
                case 3:
                    ed.Lines().BeginUpdate();
                    ed.Lines().Put(at, RandomLine(rng));
                    ed.Lines().Insert(static_cast<int>(rng() % count), RandomLine(rng));
                    if (count > 3)
                        ed.Lines().DeleteLineRun(static_cast<int>(rng() % (count - 2)), 2);
                    ed.Lines().EndUpdate();
                    break;
                case 4:
                case 5: {
                    // Typed through the editor, so undo has something to take back.
                    ed.SetCaretXY({1 + static_cast<int>(rng() % 3), at + 1});
                    const std::string keys = "/*\"#\\\nx";
                    const char c = keys[rng() % keys.size()];
                    if (c == '\n')
                        ed.ProcessCommand(ecLineBreak);
                    else
                        ed.ProcessCommand(ecChar, c);
                    break;
                }
                case 6:
                    ed.ProcessCommand(ecUndo);
                    break;
                default:
                    ed.ProcessCommand(ecDeleteChar);
                    break;
            }
            if (ed.Lines().GetCount() == 0) ed.Lines().Add("");
            // Look at some place of the text, now and then far below what is computed.
            const int top = 1 + static_cast<int>(rng() % ed.Lines().GetCount());
            ed.SetTopLine(top);
            const std::vector<std::string> shown = h.Paint();
            ASSERT_GE(ed.RangesKnown(),
                      std::min(ed.Lines().GetCount(), ed.TopLine() + ed.LinesInWindow() - 1));
            ExpectKnownRangesEager(ed, "after a paint");
            ASSERT_EQ(shown, EagerPaint(TextOf(ed), ed.TopLine()))
                << "round " << round << " step " << step;
        }
        // Idle work carries the states through the rest of the text.
        while (ed.ComputeRangesFor(std::chrono::microseconds(0))) {
        }
        EXPECT_EQ(ed.RangesKnown(), ed.Lines().GetCount());
        ExpectKnownRangesEager(ed, "after idle work");
    }
}

// 3000 lines with a block comment from line 11 to line 2001.
std::vector<std::string> CommentedText() {
    std::vector<std::string> lines(3000, "int x; // c");
    lines[10] = "/* opened";
    lines[2000] = "closed */ int y;";
    return lines;
}

TEST(RangeFrontier, OpeningComputesOnlyWhatIsPaintedAndJumpsComputeDownToTheView) {
    HighlightedEditor h;
    TCustomSynEdit& ed = h.ed();
    ed.Lines().AddStrings(CommentedText());
    EXPECT_EQ(ed.RangesKnown(), 0);
    h.Paint();
    EXPECT_EQ(ed.RangesKnown(), ed.LinesInWindow());

    // Painting far below the frontier computes down to the last painted line, correctly.
    ed.SetTopLine(1990);
    EXPECT_EQ(h.Paint(), EagerPaint(CommentedText(), 1990));
    EXPECT_EQ(ed.RangesKnown(), 1990 + ed.LinesInWindow() - 1);

    // Jumping to the end.
    ed.ProcessCommand(ecEditorBottom);
    EXPECT_EQ(h.Paint(), EagerPaint(CommentedText(), ed.TopLine()));
    EXPECT_EQ(ed.RangesKnown(), 3000);
    ExpectKnownRangesEager(ed, "at the end");
}

// A jump over a long text shares the skimming with a second thread that starts halfway from a
// guessed state: whether the guess holds (plain code), fails (a comment open across the half)
// or the skim gives up on the way (directives), every state equals a full scan's.
TEST(RangeFrontier, LongJumpsSharedWithASecondThreadEqualAFullScan) {
    const int count = 3 * kSharedRangeChainFrom;
    std::mt19937 rng(17);
    for (int variant = 0; variant < 3; ++variant) {
        std::vector<std::string> lines;
        for (int i = 0; i < count; ++i) {
            if (variant == 2) {
                lines.push_back(RandomLine(rng));
            } else {
                // Short comments away from the first page and the half.
                std::string line = i % 7 == 0 ? "x = 1; // note /* not open" : "int y = \"/*\";";
                if (i % 1000 == 503) line = "/* opened";
                if (i % 1000 == 509) line = "closed */ z++;";
                // Variant 1 holds a comment open across the half (where the second thread
                // starts, within a chunk of it).
                const bool nearHalf = i > count / 2 - 1500 && i < count / 2 + 1500;
                if (variant == 1 && nearHalf) line = i == count / 2 - 1499 ? "/*" : "int y;";
                lines.push_back(line);
            }
        }
        HighlightedEditor h;
        TCustomSynEdit& ed = h.ed();
        ed.Lines().AddStrings(lines);
        h.Paint();
        ed.ProcessCommand(ecEditorBottom);
        EXPECT_EQ(h.Paint(), EagerPaint(lines, ed.TopLine())) << "variant " << variant;
        ASSERT_EQ(ed.RangesKnown(), count);
        const std::vector<int> eager = EagerRanges(lines);
        for (int i = 0; i < count; ++i)
            ASSERT_EQ(ed.Lines().LineRange(i), eager[i]) << "variant " << variant << ", line " << i;
    }
}

// A C highlighter whose scan of one line throws the first time it is asked.
class FailingOnceSyn : public TSynCppSyn {
  public:
    explicit FailingOnceSyn(int failingLine) : m_failingLine(failingLine) {}
    void StartLine(std::string_view lineText, int lineIndex) override {
        if (lineIndex == m_failingLine && !m_failed) {
            m_failed = true;
            throw std::runtime_error("scan failed");
        }
        TSynCppSyn::StartLine(lineText, lineIndex);
    }

  private:
    int m_failingLine;
    bool m_failed = false;
};

// The scan throws in the first half of a jump shared with a second thread: the command fails
// with the exception, the frontier stays where it was, and the next jump computes every state
// as a full scan does.
TEST(RangeFrontier, AScanExceptionDuringASharedJumpLeavesTheFrontierAndTheNextJumpIsRight) {
    const int count = 3 * kSharedRangeChainFrom;
    std::vector<std::string> lines(count, "int y = 2; /* c */");
    for (int i = 700; i < count; i += 4099) lines[i] = "#define N(x) ((x) + 1)";
    lines[4399] = "#if N(2)";  // a line the skim leaves to the scan, in the first half
    FailingOnceSyn highlighter(4399);
    TestEditor t;
    t.editor.SetHighlighter(&highlighter);
    t.editor.Lines().AddStrings(lines);
    t.editor.EnsureRanges(10);
    const int known = t.editor.RangesKnown();
    EXPECT_THROW(t.editor.EnsureRanges(count - 1), std::runtime_error);
    EXPECT_EQ(t.editor.RangesKnown(), known);
    t.editor.EnsureRanges(count - 1);
    ASSERT_EQ(t.editor.RangesKnown(), count);
    const std::vector<int> eager = EagerRanges(lines);
    for (int i = 0; i < count; ++i) ASSERT_EQ(t.editor.Lines().LineRange(i), eager[i]) << i;
}

TEST(RangeFrontier, EditsRescanOnlyUpToTheFrontier) {
    HighlightedEditor h;
    TCustomSynEdit& ed = h.ed();
    ed.Lines().AddStrings(CommentedText());
    ed.EnsureRanges(99);
    ASSERT_EQ(ed.RangesKnown(), 100);
    // A stale marker below the frontier: a rescan that ran on would overwrite it.
    ed.Lines().SetLineRange(500, 77);

    // Opening a comment above the frontier changes every computed state below it; the rescan
    // goes no further than the view and moves the frontier up to there.
    ed.Lines().Put(2, "/* more");
    EXPECT_GE(ed.RangesKnown(), ed.LinesInWindow());
    EXPECT_LE(ed.RangesKnown(), ed.LinesInWindow() + 1);
    EXPECT_EQ(ed.Lines().LineRange(500), 77);
    ExpectKnownRangesEager(ed, "after opening");
    ed.EnsureRanges(99);
    ExpectKnownRangesEager(ed, "computed again");
    // With the view further down, the rescan covers the view.
    ed.SetTopLine(50);
    ed.Lines().Put(2, "int more;");
    EXPECT_GE(ed.RangesKnown(), 50 + ed.LinesInWindow() - 1);
    ExpectKnownRangesEager(ed, "after closing");
    ed.EnsureRanges(99);
    ed.SetTopLine(1);

    // Edits below the frontier scan nothing.
    ed.Lines().Put(700, "*/");
    ed.Lines().Insert(800, "/*");
    ed.Lines().Delete(900);
    EXPECT_EQ(ed.RangesKnown(), 100);
    EXPECT_EQ(ed.Lines().LineRange(500), 77);

    // Deleting lines across the frontier pulls it up to the first deleted line.
    ed.Lines().DeleteLineRun(95, 10);
    EXPECT_EQ(ed.RangesKnown(), 95);
    ExpectKnownRangesEager(ed, "after deleting across");
    // Inserting above it pushes it down by as many lines.
    ed.Lines().Insert(3, "int z;");
    EXPECT_EQ(ed.RangesKnown(), 96);
    ExpectKnownRangesEager(ed, "after inserting above");

    ed.EnsureRanges(ed.Lines().GetCount() - 1);
    ExpectKnownRangesEager(ed, "at the end");
}

TEST(RangeFrontier, UndoOfAChangeThatMovedTheFrontierRestoresTheStates) {
    HighlightedEditor h;
    TCustomSynEdit& ed = h.ed();
    ed.Lines().AddStrings(CommentedText());
    h.Paint();
    const int known = ed.RangesKnown();
    const std::vector<std::string> before = h.Paint();

    // Twenty lines typed above the frontier, the first opening a comment.
    ed.SetCaretXY({1, 2});
    ed.ProcessCommand(ecChar, '/');
    ed.ProcessCommand(ecChar, '*');
    for (int i = 0; i < 20; ++i) ed.ProcessCommand(ecLineBreak);
    EXPECT_EQ(ed.RangesKnown(), known + 20);
    ExpectKnownRangesEager(ed, "after typing");
    EXPECT_EQ(h.Paint(), EagerPaint(TextOf(ed), ed.TopLine()));

    while (ed.CanUndo()) ed.ProcessCommand(ecUndo);
    EXPECT_EQ(TextOf(ed), CommentedText());
    EXPECT_EQ(ed.RangesKnown(), known);
    ExpectKnownRangesEager(ed, "after undo");
    ed.SetTopLine(1);
    EXPECT_EQ(h.Paint(), before);
}

TEST(RangeFrontier, IdleSlicesStopAtTheirBudgetAndANewHighlighterStartsOver) {
    HighlightedEditor h;
    TCustomSynEdit& ed = h.ed();
    ed.Lines().AddStrings(CommentedText());
    // A slice with no time left still makes progress, but does not finish a long text.
    EXPECT_TRUE(ed.ComputeRangesFor(std::chrono::microseconds(0)));
    EXPECT_GT(ed.RangesKnown(), 0);
    EXPECT_LT(ed.RangesKnown(), 3000);
    // Not while a change bracket is open: its rescan has not run yet.
    ed.Lines().BeginUpdate();
    const int known = ed.RangesKnown();
    EXPECT_FALSE(ed.ComputeRangesFor(std::chrono::seconds(10)));
    EXPECT_EQ(ed.RangesKnown(), known);
    ed.Lines().EndUpdate();
    EXPECT_FALSE(ed.ComputeRangesFor(std::chrono::seconds(10)));
    EXPECT_EQ(ed.RangesKnown(), 3000);

    TSynCppSyn other;
    ed.SetHighlighter(&other);
    EXPECT_EQ(ed.RangesKnown(), 0);
    ed.SetHighlighter(nullptr);
    EXPECT_FALSE(ed.ComputeRangesFor(std::chrono::seconds(1)));
    ed.Lines().Clear();
    EXPECT_EQ(ed.RangesKnown(), 0);
}

}  // namespace
