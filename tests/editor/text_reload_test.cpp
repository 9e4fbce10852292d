// Reloading a file's text into an editor: only the changed lines are replaced, as one undo step
// that brings the old text back exactly; caret and top line follow the unchanged text.
#include "editor/text_reload.h"

#include <gtest/gtest.h>

#include "synedit_test_support.h"

namespace {

std::vector<std::string> LinesOf(const TSynEditStringList& list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list.GetCount(); ++i) lines.push_back(list.Get(i));
    return lines;
}

struct ReloadCase {
    std::vector<std::string> before;
    std::vector<std::string> after;
};

class ReloadTest : public ::testing::TestWithParam<ReloadCase> {};

TEST_P(ReloadTest, GivesTheNewLinesAndOneUndoGivesTheOldOnes) {
    const ReloadCase& c = GetParam();
    TestEditor t(c.before);
    TSynEditStringList fresh;
    fresh.AddStrings(c.after);
    EXPECT_TRUE(ReloadEditorText(t.editor, fresh));
    EXPECT_EQ(LinesOf(t.editor.Lines()), c.after);
    EXPECT_FALSE(t.editor.Modified());
    t.editor.Undo();
    EXPECT_EQ(LinesOf(t.editor.Lines()), c.before);
    EXPECT_TRUE(t.editor.Modified());
    EXPECT_FALSE(t.editor.CanUndo());
    t.editor.Redo();
    EXPECT_EQ(LinesOf(t.editor.Lines()), c.after);
    EXPECT_FALSE(t.editor.Modified());
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, ReloadTest,
    ::testing::Values(ReloadCase{{"a", "b", "c"}, {"a", "B", "c"}},  // one line in the middle
                      ReloadCase{{"a", "b", "c"},
                                 {"a", "b", "c", "d", "e"}},              // lines added at the end
                      ReloadCase{{"a", "b", "c", "d"}, {"a", "b"}},       // lines gone at the end
                      ReloadCase{{"a", "b", "c"}, {"x", "a", "b", "c"}},  // a line added at the top
                      ReloadCase{{"x", "a", "b"}, {"a", "b"}},            // a line gone at the top
                      ReloadCase{{"a", "c"}, {"a", "b1", "b2", "c"}},     // lines added in between
                      ReloadCase{{"a", "b1", "b2", "c"}, {"a", "c"}},     // lines gone in between
                      ReloadCase{{"a", "b"}, {"x", "y", "z"}},            // nothing in common
                      ReloadCase{{"a", "b"}, {""}},                       // one empty line left
                      ReloadCase{{"same", "same"}, {"same", "same", "same"}},  // repeated lines
                      ReloadCase{{"tab\there  ", "z\0ro"},
                                 {"tab\there  ", "trail   ", std::string("z\0ro", 4)}}));

TEST(Reload, EqualTextRecordsNothingAndTakesTheLineBreakStyle) {
    TestEditor t({"a", "b"});
    TSynEditStringList fresh;
    fresh.AddStrings(std::vector<std::string>{"a", "b"});
    fresh.SetLineBreakStyle(1);
    EXPECT_FALSE(ReloadEditorText(t.editor, fresh));
    EXPECT_FALSE(t.editor.CanUndo());
    EXPECT_EQ(t.editor.Lines().LineBreakStyle(), 1);
}

TEST(Reload, CaretAndTopLineFollowTheUnchangedText) {
    std::vector<std::string> before;
    for (int i = 1; i <= 100; ++i) before.push_back("line " + std::to_string(i));
    TestEditor t(before);
    t.editor.SetCaretXY({4, 80});
    t.editor.SetTopLine(70);
    // Two lines more near the top: the caret's line moves down with its text.
    std::vector<std::string> after = before;
    after.insert(after.begin() + 5, {"new 1", "new 2"});
    TSynEditStringList fresh;
    fresh.AddStrings(after);
    ReloadEditorText(t.editor, fresh);
    EXPECT_EQ(t.editor.CaretXY(), (TBufferCoord{4, 82}));
    EXPECT_EQ(t.editor.TopLine(), 72);
    // A change below the caret leaves it where it is; a file cut short pulls it in.
    fresh.Clear();
    fresh.AddStrings(std::vector<std::string>(after.begin(), after.begin() + 90));
    ReloadEditorText(t.editor, fresh);
    EXPECT_EQ(t.editor.CaretXY(), (TBufferCoord{4, 82}));
    fresh.Clear();
    fresh.AddStrings(std::vector<std::string>(after.begin(), after.begin() + 10));
    ReloadEditorText(t.editor, fresh);
    EXPECT_EQ(t.editor.CaretY(), 10);
}

TEST(Reload, ReadOnlyEditorsAndTrimmingEditorsTakeTheFileAsItIs) {
    TestEditor t({"a"});
    t.editor.SetReadOnly(true);
    t.editor.SetOptions(t.editor.Options() | eoTrimTrailingSpaces);
    TSynEditStringList fresh;
    fresh.AddStrings(std::vector<std::string>{"a  ", "b\t"});
    ReloadEditorText(t.editor, fresh);
    EXPECT_EQ(LinesOf(t.editor.Lines()), (std::vector<std::string>{"a  ", "b\t"}));
    EXPECT_TRUE(t.editor.ReadOnly());
    EXPECT_TRUE(t.editor.Options() & eoTrimTrailingSpaces);
}

}  // namespace
