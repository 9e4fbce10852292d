// What the text area paints: runs, selection pieces per mode, special line colours, the margin
// line and the end-of-line fills, recorded from the painter without pixels.
#include "editor/text_area_painter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "synedit_test_support.h"

namespace {

struct Call {
    std::string kind;  // "fill", "line", "text"
    TRect rect;
    std::string text;
    int32_t fg = 0;
    int32_t bg = 0;
};

class RecordingCanvas : public ISynCanvas {
  public:
    void FillRect(const TRect& rect, int32_t color) override {
        calls.push_back({"fill", rect, "", 0, color});
    }
    void DrawVerticalLine(int x, int top, int bottom, int32_t color) override {
        calls.push_back({"line", {x, top, x + 1, bottom}, "", color, 0});
    }
    void DrawTextGrid(int x, int y, const TRect& clip, std::string_view text, int32_t fg,
                      int32_t bg, uint8_t) override {
        calls.push_back({"text", {x, y, clip.Right, clip.Bottom}, std::string(text), fg, bg});
    }
    std::vector<Call> Texts() const {
        std::vector<Call> out;
        for (const auto& c : calls)
            if (c.kind == "text") out.push_back(c);
        return out;
    }
    std::vector<Call> calls;
};

constexpr int32_t kWindow = static_cast<int32_t>(0x80000005);
constexpr int32_t kWindowText = static_cast<int32_t>(0x80000008);
constexpr int32_t kHighlight = static_cast<int32_t>(0x8000000D);
constexpr int32_t kHighlightText = static_cast<int32_t>(0x8000000E);

std::vector<Call> PaintAll(TestEditor& t, RecordingCanvas& canvas, bool focused = true) {
    TSynTextAreaPainter painter(t.editor, canvas, focused);
    painter.Paint({30, 0, t.window.width, t.window.height});
    return canvas.Texts();
}

TEST(TextAreaPainter, PlainLinesAndMarginLine) {
    TestEditor t({"abc", "de"});
    t.editor.SetRightEdge(5);
    RecordingCanvas canvas;
    auto texts = PaintAll(t, canvas);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "abc");
    EXPECT_EQ(texts[0].rect.Left, 32);
    EXPECT_EQ(texts[0].fg, kWindowText);
    EXPECT_EQ(texts[0].bg, kWindow);
    EXPECT_EQ(texts[1].text, "de");
    EXPECT_EQ(texts[1].rect.Top, 16);
    int marginLines = 0;
    for (const auto& c : canvas.calls)
        if (c.kind == "line") {
            EXPECT_EQ(c.rect.Left, 32 + 5 * 8);
            EXPECT_EQ(c.fg, 0xC0C0C0);
            ++marginLines;
        }
    EXPECT_EQ(marginLines, 3);  // two lines and the area below them

    t.editor.SetRightEdge(0);
    RecordingCanvas none;
    PaintAll(t, none);
    for (const auto& c : none.calls) EXPECT_NE(c.kind, "line");
}

TEST(TextAreaPainter, NormalSelectionSplitsLines) {
    TestEditor t({"abcdef", "ghijkl"});
    t.editor.SetBlockBegin({3, 1});
    t.editor.SetBlockEnd({2, 2});
    RecordingCanvas canvas;
    auto texts = PaintAll(t, canvas);
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0].text, "ab");
    EXPECT_EQ(texts[1].text, "cdef");
    EXPECT_EQ(texts[1].bg, kHighlight);
    EXPECT_EQ(texts[1].fg, kHighlightText);
    EXPECT_EQ(texts[2].text, "g");
    EXPECT_EQ(texts[2].bg, kHighlight);
    EXPECT_EQ(texts[3].text, "hijkl");
    EXPECT_EQ(texts[3].bg, kWindow);
    // The first line is selected past its end: the end-of-line fill is in the selection colour.
    bool selectedFill = false;
    for (const auto& c : canvas.calls)
        if (c.kind == "fill" && c.rect.Top == 0 && c.bg == kHighlight) selectedFill = true;
    EXPECT_TRUE(selectedFill);
}

TEST(TextAreaPainter, LineAndColumnModes) {
    TestEditor t({"abcdef", "\tx", "ghijkl"});
    t.editor.SetSelectionMode(smLine);
    t.editor.SetBlockBegin({3, 1});
    t.editor.SetBlockEnd({2, 1});
    RecordingCanvas line;
    auto texts = PaintAll(t, line);
    EXPECT_EQ(texts[0].text, "abcdef");
    EXPECT_EQ(texts[0].bg, kHighlight);
    bool wholeRowFilled = false;
    for (const auto& c : line.calls)
        if (c.kind == "fill" && c.rect.Top == 0 && c.bg == kHighlight &&
            c.rect.Right == t.window.width)
            wholeRowFilled = true;
    EXPECT_TRUE(wholeRowFilled);

    // A column block over a tab covers the same screen columns on every line.
    t.editor.SetSelectionMode(smColumn);
    t.editor.SetBlockBegin({3, 1});
    t.editor.SetBlockEnd({5, 3});
    RecordingCanvas column;
    texts = PaintAll(t, column);
    std::vector<std::string> selected;
    for (const auto& c : texts)
        if (c.bg == kHighlight) selected.push_back(c.text);
    EXPECT_EQ(selected, (std::vector<std::string>{"cd", "  ", "ij"}));
}

TEST(TextAreaPainter, HideSelectionAndSpecialLines) {
    TestEditor t({"abcdef", "ghijkl"});
    t.editor.SetBlockBegin({1, 1});
    t.editor.SetBlockEnd({4, 2});
    t.editor.SetHideSelection(true);
    RecordingCanvas hidden;
    for (const auto& c : PaintAll(t, hidden, false)) EXPECT_EQ(c.bg, kWindow);

    t.editor.SetHideSelection(false);
    t.editor.OnSpecialLineColors = [](TCustomSynEdit*, int line, int32_t& fg, int32_t& bg) {
        if (line != 2) return false;
        fg = 0x0000FF;
        bg = 0x00FFFF;
        return true;
    };
    RecordingCanvas special;
    auto texts = PaintAll(t, special, false);
    // Line 2: the selected part with the special colours swapped, the rest in them.
    ASSERT_GE(texts.size(), 3u);
    EXPECT_EQ(texts[1].text, "ghi");
    EXPECT_EQ(texts[1].fg, 0x00FFFF);
    EXPECT_EQ(texts[1].bg, 0x0000FF);
    EXPECT_EQ(texts[2].text, "jkl");
    EXPECT_EQ(texts[2].fg, 0x0000FF);
    EXPECT_EQ(texts[2].bg, 0x00FFFF);
}

TEST(TextAreaPainter, ScrolledViewPaintsOnlyVisibleColumns) {
    TestEditor t({std::string(40, 'a') + "XYZ"});
    t.editor.SetLeftChar(35);
    RecordingCanvas canvas;
    auto texts = PaintAll(t, canvas);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "aaaaaaXYZ");
    EXPECT_EQ(texts[0].rect.Left, 32);
}

}  // namespace
