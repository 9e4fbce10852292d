// FindReplace: searching, replacing one or all matches, the prompt, ranges and undo.
#include <gtest/gtest.h>

#include "editing_markup.h"
#include "editor/undo_list.h"
#include "synedit_test_support.h"

namespace {

struct FindReplaceTest : ::testing::Test {
    TestEditor t;
    TCustomSynEdit& e = t.editor;
    void Load(std::string_view markup) { LoadMarkup(e, markup); }
};

TEST_F(FindReplaceTest, PlainSearchSelectsOneMatchPerCall) {
    Load("a foo\nfoo |foo");
    EXPECT_EQ(e.FindReplace("FOO", "", 0), 1);
    EXPECT_EQ(RenderMarkup(e), "a foo\nfoo [foo|]");
    // A backward search ends at the caret, so the match just found is found again.
    EXPECT_EQ(e.FindReplace("foo", "", foBackwards), 1);
    EXPECT_EQ(RenderMarkup(e), "a foo\nfoo [|foo]");
    EXPECT_EQ(e.FindReplace("foo", "", foBackwards), 1);
    EXPECT_EQ(RenderMarkup(e), "a foo\n[|foo] foo");
    EXPECT_EQ(e.FindReplace("FOO", "", foMatchCase | foEntireScope), 0);
    EXPECT_EQ(e.FindReplace("", "", foEntireScope), 0);
}

TEST_F(FindReplaceTest, ReplaceOneTakesTheFirstMatchAfterTheCaret) {
    Load("foo f|oo foo");
    EXPECT_EQ(e.FindReplace("foo", "X", foReplace), 1);
    EXPECT_EQ(EditorText(e), "foo foo X");
}

TEST_F(FindReplaceTest, ReplaceAllCountsAndEachReplacementUndoesAlone) {
    Load("foo foo\nbar foo|");
    EXPECT_EQ(e.FindReplace("foo", "quux", foReplaceAll | foEntireScope), 3);
    EXPECT_EQ(EditorText(e), "quux quux\nbar quux");
    EXPECT_EQ(e.UndoList().ItemCount(), 6);
    e.Undo();
    EXPECT_EQ(EditorText(e), "quux quux\nbar foo");
    e.Undo();
    e.Undo();
    EXPECT_EQ(EditorText(e), "foo foo\nbar foo");
}

TEST_F(FindReplaceTest, WholeWordsAndSelectionRanges) {
    Load("foo food foo");
    EXPECT_EQ(e.FindReplace("foo", "x", foReplaceAll | foEntireScope | foWholeWord), 2);
    EXPECT_EQ(EditorText(e), "x food x");
    Load("foo [foo foo] foo");
    EXPECT_EQ(e.FindReplace("foo", "x", foReplaceAll | foSelectedOnly), 2);
    EXPECT_EQ(EditorText(e), "foo x x foo");
    Load("afoo\n[bfoo\ncf]oo");
    e.SetSelectionMode(smColumn);
    EXPECT_EQ(e.FindReplace("foo", "x", foReplaceAll | foSelectedOnly), 0);
    e.SetSelectionMode(smLine);
    EXPECT_EQ(e.FindReplace("foo", "x", foReplaceAll | foSelectedOnly), 2);
    EXPECT_EQ(EditorText(e), "afoo\nbx\ncx");
}

TEST_F(FindReplaceTest, PromptAnswers) {
    Load("a a a a");
    std::vector<int> asked;
    std::vector<TSynReplaceAction> answers{rpSkip, rpReplace, rpReplaceAll};
    e.OnReplaceText = [&](TCustomSynEdit*, const std::string& search, const std::string& replace,
                          int line, int column, TSynReplaceAction& action) {
        EXPECT_EQ(search, "a");
        EXPECT_EQ(replace, "bb");
        EXPECT_EQ(line, 1);
        asked.push_back(column);
        action = answers[asked.size() - 1];
    };
    EXPECT_EQ(e.FindReplace("a", "bb", foReplaceAll | foEntireScope | foPrompt), 4);
    EXPECT_EQ(EditorText(e), "a bb bb bb");
    EXPECT_EQ(asked, (std::vector<int>{1, 3, 6}));
    // A handler that answers nothing cancels.
    e.OnReplaceText = [](TCustomSynEdit*, const std::string&, const std::string&, int, int,
                         TSynReplaceAction&) {};
    EXPECT_EQ(e.FindReplace("bb", "c", foReplaceAll | foEntireScope | foPrompt), 1);
    EXPECT_EQ(EditorText(e), "a bb bb bb");
}

TEST_F(FindReplaceTest, ReplacesBeyondTheLargestCaretColumn) {
    std::string line(1500, '.');
    line += "foo";
    Load(line);
    EXPECT_EQ(e.FindReplace("foo", "bar", foReplaceAll | foEntireScope), 1);
    EXPECT_EQ(EditorText(e), std::string(1500, '.') + "bar");
    e.Undo();
    EXPECT_EQ(EditorText(e), line);
}

}  // namespace
