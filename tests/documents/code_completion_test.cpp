// The code's names beside the library list: what an entry inserts, which names are offered in
// which order, and what the popup selects and draws.
#include "documents/code_completion.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "completion/completion_proposal.h"
#include "documents/library_completion_list.h"

namespace {

TEST(CodeCompletionInsertion, NameOnlyUnlessParametersAreAskedFor) {
    const std::string line = "  vsync(char nb_frame);/*Synchronize your program to the video*/";
    EXPECT_EQ(TCodeCompletion::InsertedText(line, false, "vs"), "vsync");
    EXPECT_EQ(TCodeCompletion::InsertedText(line, true, "vs"), "vsync(char nb_frame);");
    // Without a semicolon the call ends before the version mark or comment.
    EXPECT_EQ(TCodeCompletion::InsertedText("  random(char max)", true, ""), "random(char max)");
    EXPECT_EQ(TCodeCompletion::InsertedText("  mouse_x();    [ 1.5+ ]", false, "m"), "mouse_x");
    EXPECT_EQ(TCodeCompletion::InsertedText("  mouse_x();    [ 1.5+ ]", true, "m"), "mouse_x();");
    // A name of the code is inserted as it is.
    EXPECT_EQ(TCodeCompletion::InsertedText("joy_read", false, "joy"), "joy_read");
    EXPECT_EQ(TCodeCompletion::InsertedText("joy_read", true, "joy"), "joy_read");
    // Headers and the empty line name nothing: the typed word stays.
    EXPECT_EQ(TCodeCompletion::InsertedText("** VIDEO FUNCTIONS **", false, "vi"), "vi");
    EXPECT_EQ(TCodeCompletion::InsertedText("", false, "x"), "x");
}

class CodeCompletionEntries : public ::testing::Test {
  protected:
    TSynCompletionProposal proposal;
    std::unique_ptr<TCodeCompletion> completion;
    std::vector<std::string> items;
    std::vector<std::string> details;

    void SetUp() override {
        proposal.SetItemList(LibraryCompletionItems());
        completion = std::make_unique<TCodeCompletion>(proposal);
        completion->SetNameSource([] {
            return std::vector<TCompletionName>{
                {"spr_update", "function · sprites.c"},  {"JoyState", "variable · main.c"},
                {"joy_read", "function · joystick.h"},   {"joy_read", "function · joystick.h"},
                {"enjoy", "function · main.c"},          {"JOY_UP_MASK", "macro · pce.h"},
                {"jump_over_you", "label · player.asm"}, {"joy", "function · other.c"},
            };
        });
        // Opening takes the names from the source.
        proposal.OnExecute(&proposal);
    }
    // The names added after the library list.
    std::vector<std::string> Added(const std::string& word) {
        Select = completion->Entries(word, items, details);
        EXPECT_TRUE(std::equal(kLibraryCompletionItems.begin(), kLibraryCompletionItems.end(),
                               items.begin()));
        EXPECT_EQ(details.size(), items.size());
        return {items.begin() + static_cast<std::ptrdiff_t>(kLibraryCompletionItems.size()),
                items.end()};
    }
    int Select = -1;
};

TEST_F(CodeCompletionEntries, PrefixThenWordStartsWithoutLetterCaseOrLooseMatches) {
    // Prefixes (shorter first), then word starts (jump_over_you); "enjoy" holds the letters
    // only in order, so it is left out; the twice-listed name comes once.
    EXPECT_EQ(Added("joy"), (std::vector<std::string>{"joy", "JoyState", "joy_read", "JOY_UP_MASK",
                                                      "jump_over_you"}));
    EXPECT_EQ(Added("ju"), (std::vector<std::string>{"jump_over_you", "JOY_UP_MASK"}));
    EXPECT_EQ(Added("su"), (std::vector<std::string>{"spr_update"}));
    EXPECT_EQ(details[kLibraryCompletionItems.size()], "function · sprites.c");
    // The library's own lines keep no note.
    EXPECT_EQ(details[0], "");
    EXPECT_TRUE(Added("zzz").empty());
    // An empty word keeps every name.
    EXPECT_EQ(Added("").size(), 7u);
}

TEST_F(CodeCompletionEntries, PreselectsACodeNameThatBeginsWithTheWord) {
    const int added = static_cast<int>(kLibraryCompletionItems.size());
    Added("joy");
    EXPECT_EQ(Select, added);  // before the library's "  joy(char num);"
    // No name begins with the word: the library's own match wins.
    Added("vs");
    EXPECT_EQ(items[static_cast<std::size_t>(Select)], "  vsync();");
    // Only word starts fit and no library line begins with the word: the best name.
    Added("su");
    EXPECT_EQ(Select, added);
    Added("");
    EXPECT_EQ(Select, 0);
    Added("qqq");
    EXPECT_EQ(Select, -1);
}

}  // namespace
