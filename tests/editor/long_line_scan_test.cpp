// Painting far into a long line resumes the highlighter at points saved along it: what is drawn
// must be what a scan from the line's start draws, at any column, and after edits before, at and
// after the points (typed, deleted, undone and redone).
#include "editor/long_line_scan.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "editor/editor_commands.h"
#include "editor/text_area_painter.h"
#include "highlight/syn_asm_syn.h"
#include "highlight/syn_cpp_syn.h"
#include "synedit_test_support.h"

namespace {

using TDrawn = std::tuple<int, int, std::string, int32_t, int32_t>;

class DrawnTexts : public ISynCanvas {
  public:
    void FillRect(const TRect&, int32_t) override {}
    void DrawVerticalLine(int, int, int, int32_t) override {}
    void DrawTextGrid(int x, int y, const TRect&, std::string_view text, int32_t fg, int32_t bg,
                      uint8_t) override {
        drawn.emplace_back(x, y, std::string(text), fg, bg);
    }
    std::vector<TDrawn> drawn;
};

// C text whose colours depend on what came long before: comments, strings holding comment
// marks, characters, numbers and words.
std::string LongCLine(std::size_t bytes) {
    static const char* const kPieces[] = {"int v = 0x1F; ", "/* a \"b\" */ ", "s = \"/* no */\"; ",
                                          "c = '\"'; ",     "x /= 3; ",       "while (k) ",
                                          "/* long ",       "comment */ ",    "y = 'a'; "};
    std::string text;
    for (std::size_t i = 0; text.size() < bytes; ++i) text += kPieces[(i * 7 + i / 5) % 9];
    return text;
}

struct Painted {
    TestEditor t;
    explicit Painted(const std::string& line, TSynCustomHighlighter& hl) : t({line}) {
        t.editor.SetHighlighter(&hl);
    }
    std::vector<TDrawn> At(int leftChar) {
        t.editor.SetLeftChar(leftChar);
        DrawnTexts canvas;
        TSynTextAreaPainter(t.editor, canvas, true).Paint({30, 0, t.window.width, 16});
        return canvas.drawn;
    }
};

// What a scan from the line's start draws: a fresh editor has no points yet.
std::vector<TDrawn> Fresh(const std::string& line, int leftChar) {
    TSynCppSyn hl;
    return Painted(line, hl).At(leftChar);
}

TEST(LongLineScan, PaintsFarIntoALineAsAScanFromItsStartDoes) {
    const std::string line = LongCLine(300'000);
    TSynCppSyn hl;
    Painted view(line, hl);
    for (int column : {250'000, 100'000, 299'990, 5'000, 200'001, 1}) {
        SCOPED_TRACE(column);
        const std::vector<TDrawn> drawn = view.At(column);
        ASSERT_FALSE(drawn.empty());
        EXPECT_EQ(drawn, Fresh(line, column));
    }
    // Points were saved along the whole line, one every step.
    EXPECT_GE(view.t.editor.LongLineScan().PointCount(), 300'000 / TSynLongLineScan::kStep - 1);

    // A short line keeps no points.
    TSynCppSyn other;
    Painted shortLine(LongCLine(10'000), other);
    shortLine.At(9'000);
    EXPECT_EQ(shortLine.t.editor.LongLineScan().PointCount(), 0u);
}

TEST(LongLineScan, EditsAnywhereInTheLineLeaveNoStalePoint) {
    TSynCppSyn hl;
    Painted view(LongCLine(200'000), hl);
    std::mt19937 random(7);
    const char kTyped[] = {'/', '*', '"', '\'', 'x', ' ', '\\', '1'};
    for (int step = 0; step < 60; ++step) {
        SCOPED_TRACE(step);
        const int length = static_cast<int>(view.t.editor.Lines().Get(0).size());
        const int at = 1 + static_cast<int>(random() % static_cast<unsigned>(length));
        view.t.editor.SetCaretXY({at, 1});
        switch (random() % 4) {
            case 0:
                view.t.editor.ProcessCommand(ecDeleteChar);
                break;
            case 1:
                view.t.editor.ProcessCommand(ecUndo);
                break;
            default:
                view.t.editor.ProcessCommand(ecChar, kTyped[random() % sizeof kTyped]);
                break;
        }
        if (step % 7 == 0) view.t.editor.ProcessCommand(ecRedo);
        // Shown near the edit, far behind it, and far before it.
        const std::string text = view.t.editor.Lines().Get(0);
        for (int column : {std::max(1, at - 40), std::min(length, at + 60'000), at / 3 + 1}) {
            SCOPED_TRACE(column);
            ASSERT_EQ(view.At(column), Fresh(text, column));
        }
    }
}

TEST(LongLineScan, AQuoteTypedJustBeforeAPointRecoloursWhatFollows) {
    const std::string line = LongCLine(100'000);
    TSynCppSyn hl;
    Painted view(line, hl);
    view.At(90'000);  // saves the points
    for (int point = 1; point <= 4; ++point) {
        for (int before : {1, 2, 5, 12, 40}) {
            SCOPED_TRACE(point * 100 + before);
            const int column = point * static_cast<int>(TSynLongLineScan::kStep) - before + 1;
            view.t.editor.SetCaretXY({column, 1});
            view.t.editor.ProcessCommand(ecChar, '"');
            const int far = column + 3'000;
            ASSERT_EQ(view.At(far), Fresh(view.t.editor.Lines().Get(0), far));
            view.t.editor.ProcessCommand(ecUndo);
            ASSERT_EQ(view.At(far), Fresh(line, far));
        }
    }
}

TEST(LongLineScan, AssemblyLinesResumeInTheirStatementStage) {
    std::string line = "start: lda #$10 ";
    while (line.size() < 150'000) line += "lda #$20 sta $2000 .byte 1,2 \"a;b\" label ";
    TSynAsmSyn hl;
    Painted view(line, hl);
    view.At(140'000);
    TSynAsmSyn fresh;
    EXPECT_EQ(view.At(120'000), Painted(line, fresh).At(120'000));
}

}  // namespace

// Idle time scans the long line under the caret ahead in short slices, so a paint far to the
// right finds a point near it; edits between slices leave no stale point behind.
TEST(LongLineScan, IdleSlicesScanTheCaretLineAheadAndFollowItsEdits) {
    const std::string line = LongCLine(400'000);
    TSynCppSyn hl;
    Painted view(line, hl);
    TCustomSynEdit& editor = view.t.editor;
    auto idleUntilDone = [&editor] {
        int slices = 0;
        while (editor.ComputeRangesFor(std::chrono::microseconds(0))) {
            ++slices;
            if (slices > 1000) return -1;
        }
        return slices;
    };
    // Each slice of no time still scans a step: the work ends, one slice per point or so.
    const int slices = idleUntilDone();
    EXPECT_GT(slices, 10);
    const std::size_t points = editor.LongLineScan().PointCount();
    EXPECT_GE(points, line.size() / TSynLongLineScan::kStep - 1);
    EXPECT_FALSE(editor.ComputeRangesFor(std::chrono::microseconds(0)));
    EXPECT_EQ(view.At(399'900), Fresh(line, 399'900));
    EXPECT_EQ(editor.LongLineScan().PointCount(), points);  // the paint added none

    // A comment opened near the start recolours the whole line; the idle scan starts over.
    editor.SetCaretXY({3, 1});
    editor.ProcessCommand(ecChar, '/');
    editor.ProcessCommand(ecChar, '*');
    EXPECT_TRUE(editor.ComputeRangesFor(std::chrono::microseconds(0)));
    EXPECT_GT(idleUntilDone(), 10);
    std::string text = editor.Lines().Get(0);
    EXPECT_EQ(view.At(399'000), Fresh(text, 399'000));
    EXPECT_EQ(view.At(200'000), Fresh(text, 200'000));

    // Typed near the end between slices: the points before it stay, the end is scanned again.
    editor.ProcessCommand(ecUndo);
    idleUntilDone();
    editor.SetCaretXY({399'000, 1});
    editor.ProcessCommand(ecChar, '"');
    text = editor.Lines().Get(0);
    EXPECT_LE(idleUntilDone(), 1);  // one step from the last point before the edit
    EXPECT_GE(editor.LongLineScan().PointCount(), points - 1);
    EXPECT_EQ(view.At(399'990), Fresh(text, 399'990));
    EXPECT_EQ(view.At(150'000), Fresh(text, 150'000));
}

// Every point kept, after any mix of edits, paints and idle slices, holds the state a scan of
// the line from its start has there; points moved along with an edit before them are taken
// back only where a scan meets them in that state.
TEST(LongLineScan, KeptPointsHoldTheStateOfAScanFromTheStart) {
    auto check = [](const std::string& text, const std::vector<TSynScanPoint>& points) {
        TSynCppSyn fresh;
        fresh.ResetRangeState();
        fresh.StartLine(text, 0);
        for (std::size_t k = 0; k < points.size(); ++k) {
            while (!fresh.AtLineEnd() &&
                   static_cast<std::size_t>(fresh.TokenStart()) < points[k].tokenPos)
                fresh.NextToken();
            TSynScanPoint p;
            fresh.SaveScanPoint(p);
            if (fresh.AtLineEnd() || p.tokenPos != points[k].tokenPos || p.run != points[k].run ||
                p.range != points[k].range || p.kind != points[k].kind)
                return "point " + std::to_string(k) + " at " + std::to_string(points[k].tokenPos);
        }
        return std::string();
    };
    const char kTyped[] = {'/', '*', '"', '\'', 'x', ' ', '\\', '1', '\n'};
    for (unsigned seed : {7u, 11u, 12u, 31u}) {
        SCOPED_TRACE(seed);
        TSynCppSyn hl;
        Painted view(LongCLine(200'000), hl);
        TCustomSynEdit& editor = view.t.editor;
        std::mt19937 random(seed);
        for (int step = 0; step < 80; ++step) {
            SCOPED_TRACE(step);
            const int length = static_cast<int>(editor.Lines().Get(0).size());
            const int at = 1 + static_cast<int>(random() % static_cast<unsigned>(length));
            editor.SetCaretXY({at, 1});
            switch (random() % 5) {
                case 0:
                    editor.ProcessCommand(ecDeleteChar);
                    break;
                case 1:
                    editor.ProcessCommand(ecUndo);
                    break;
                case 2:
                    editor.ProcessCommand(ecRedo);
                    break;
                default: {
                    const char c = kTyped[random() % sizeof kTyped];
                    editor.ProcessCommand(ecChar, c == '\n' ? '\t' : c);
                    break;
                }
            }
            // None, one or a few paints, far and near, and now and then idle slices.
            // The points are checked against the text when they are next used: after a paint or
            // an idle slice.
            bool used = false;
            for (unsigned paints = random() % 4; paints > 0; --paints, used = true)
                view.At(1 + static_cast<int>(random() % static_cast<unsigned>(length)));
            if (random() % 3 == 0) {
                editor.ComputeRangesFor(std::chrono::microseconds(0));
                used = used || !editor.Lines().LineHasTabs(0);  // a line with tabs is left
            }
            if (used) {
                ASSERT_EQ(check(editor.Lines().ExpandedText(0), editor.LongLineScan().Points()),
                          "");
            }
        }
    }
}
