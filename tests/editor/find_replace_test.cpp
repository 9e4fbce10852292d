// FindReplace: searching, replacing one or all matches, the prompt, ranges and undo.
#include <gtest/gtest.h>

#include "editing_markup.h"
#include "editor/editor_commands.h"
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

TEST_F(FindReplaceTest, ReplaceAllCountsAndIsOneUndoStep) {
    Load("foo foo\nbar foo|");
    EXPECT_EQ(e.FindReplace("foo", "quux", foReplaceAll | foEntireScope), 3);
    EXPECT_EQ(EditorText(e), "quux quux\nbar quux");
    EXPECT_EQ(e.UndoList().ItemCount(), 6);
    EXPECT_EQ(e.UndoList().StepCount(), 1);
    e.Undo();
    EXPECT_EQ(EditorText(e), "foo foo\nbar foo");
    EXPECT_FALSE(e.CanUndo());
    e.Redo();
    EXPECT_EQ(EditorText(e), "quux quux\nbar quux");
}

// Replacing all over a text taller than the window moves the view once, at the end: no scroll of
// the window's pixels for each replacement, one repaint, and the last replacement in view.
TEST_F(FindReplaceTest, ReplaceAllScrollsTheWindowNotOncePerReplacement) {
    std::string text = "|";
    for (int i = 0; i < 200; ++i) text += "foo\n";
    Load(text + "end");
    t.window.scrolledBy.clear();
    EXPECT_EQ(e.FindReplace("foo", "bar", foReplaceAll | foEntireScope), 200);
    EXPECT_TRUE(t.window.scrolledBy.empty());
    EXPECT_LE(e.TopLine(), 200);
    EXPECT_GE(e.TopLine() + e.LinesInWindow(), 201);
    ASSERT_FALSE(t.window.invalidated.empty());
    const TRect& last = t.window.invalidated.back();
    EXPECT_EQ(last, (TRect{0, 0, t.window.width, t.window.height}));
}

// Undoing and redoing a replace-all asks the window for its repaint once, not once per
// replacement, and the text comes back exact.
TEST_F(FindReplaceTest, UndoOfAReplaceAllInvalidatesTheWindowOnce) {
    std::string text = "|";
    for (int i = 0; i < 200; ++i) text += "foo\n";
    Load(text + "end");
    const std::string loaded = EditorText(e);
    EXPECT_EQ(e.FindReplace("foo", "bar", foReplaceAll | foEntireScope), 200);
    t.window.invalidated.clear();
    e.Undo();
    EXPECT_EQ(EditorText(e), loaded);
    EXPECT_EQ(t.window.invalidated.size(), 1u);
    t.window.invalidated.clear();
    e.Redo();
    EXPECT_EQ(t.window.invalidated.size(), 1u);
    EXPECT_EQ(EditorText(e).find("foo"), std::string::npos);
}

// 20,000 replacements are far more than the 1,024 undo steps kept, yet one Undo brings the text
// back as it was loaded and one Redo repeats them all, however often the user goes back and
// forth; later steps that push it out of the list drop it whole, never a part of it.
TEST_F(FindReplaceTest, AHugeReplaceAllUndoesAndRedoesWhole) {
    std::string text;
    for (int i = 0; i < 10000; ++i) text += "foo x foo\n";
    text += "end";
    Load(text);
    const std::string loaded = EditorText(e);
    EXPECT_EQ(e.FindReplace("foo", "barbaz", foReplaceAll | foEntireScope), 20000);
    std::string replaced = loaded;
    for (std::size_t at = 0; (at = replaced.find("foo", at)) != std::string::npos; at += 6)
        replaced.replace(at, 3, "barbaz");
    ASSERT_EQ(EditorText(e), replaced);
    for (int round = 0; round < 2; ++round) {
        e.Undo();
        ASSERT_EQ(EditorText(e), loaded);
        EXPECT_FALSE(e.CanUndo());
        e.Redo();
        ASSERT_EQ(EditorText(e), replaced);
        EXPECT_FALSE(e.CanRedo());
    }
    // 1,023 more steps keep it; the 1,024th drops it whole.
    for (int i = 0; i < 1023; ++i) e.ProcessCommand(ecChar, 'z');
    EXPECT_EQ(e.UndoList().StepCount(), 1024);
    for (int i = 0; i < 1023; ++i) e.Undo();
    ASSERT_EQ(EditorText(e), replaced);
    e.Undo();
    ASSERT_EQ(EditorText(e), loaded);
    for (int i = 0; i < 1024; ++i) e.Redo();
    e.ProcessCommand(ecChar, 'z');
    EXPECT_EQ(e.UndoList().StepCount(), 1024);
    for (int i = 0; i < 2000; ++i) e.Undo();
    EXPECT_EQ(EditorText(e), replaced);
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
    // "Yes to all" replaced the rest in one step; the replacement confirmed alone is its own.
    e.Undo();
    EXPECT_EQ(EditorText(e), "a bb a a");
    e.Undo();
    EXPECT_EQ(EditorText(e), "a a a a");
    e.Redo();
    e.Redo();
    EXPECT_EQ(EditorText(e), "a bb bb bb");
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
