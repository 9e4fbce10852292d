// Matching the typed word against proposals, the word before the caret, and where the popup
// goes near the screen's edges.
#include "completion/completion_match.h"

#include <gtest/gtest.h>

#include "completion/popup_placement.h"

namespace {

TEST(CompletionMatch, IndentedItemsAreFoundByTheirNameIgnoringTheCaseOfAToZOnly) {
    EXPECT_TRUE(ItemBeginsWith("  spr_set(char num);", "spr", true));
    EXPECT_TRUE(ItemBeginsWith("  spr_set(char num);", "SPR_S", true));
    EXPECT_FALSE(ItemBeginsWith("  spr_set(char num);", "SPR", false));
    EXPECT_TRUE(ItemBeginsWith("** SPRITE FUNCTIONS **", "*", true));
    // Only A-Z fold: accented letters of the code page and their capitals stay apart, and '@'
    // (just below 'A') is not '`' (just below 'a').
    EXPECT_FALSE(ItemBeginsWith("\xE9t\xE9", "\xC9", true));
    EXPECT_FALSE(ItemBeginsWith("`x", "@", true));
    EXPECT_FALSE(ItemBeginsWith("  vsync();", "vsync();x", true));
    EXPECT_FALSE(ItemBeginsWith("", "a", true));
    // An empty word matches every item, an empty one included.
    EXPECT_TRUE(ItemBeginsWith("", "", true));
    EXPECT_TRUE(ItemBeginsWith("  x", "", false));
}

TEST(CompletionMatch, FirstMatchWinsAndNoMatchIsMinusOne) {
    const std::vector<std::string> items = {"** VIDEO **", "  vsync();", "  vsync(char n);",
                                            "  spr_x();", ""};
    EXPECT_EQ(FirstMatchingItem(items, "", true), 0);
    EXPECT_EQ(FirstMatchingItem(items, "VS", true), 1);
    EXPECT_EQ(FirstMatchingItem(items, "vsync(", true), 1);
    EXPECT_EQ(FirstMatchingItem(items, "vsync(c", true), 2);
    EXPECT_EQ(FirstMatchingItem(items, "xyz", true), -1);
    EXPECT_EQ(FirstMatchingItem({}, "", true), -1);
}

TEST(CompletionMatch, WordBeforeCaretStopsAtBlanksAndEndOfTokenCharacters) {
    const std::string eot = "()[].";
    EXPECT_EQ(WordBeforeCaret("  vs", 5, eot), "vs");
    EXPECT_EQ(WordBeforeCaret("a  vs", 6, eot), "vs");
    EXPECT_EQ(WordBeforeCaret("f(", 3, eot), "");
    EXPECT_EQ(WordBeforeCaret("s.member", 9, eot), "member");
    EXPECT_EQ(WordBeforeCaret("a[i]x", 6, eot), "x");
    EXPECT_EQ(WordBeforeCaret("x=y", 4, eot), "x=y");
    EXPECT_EQ(WordBeforeCaret("abc", 2, eot), "a");
    // Column 1, and beyond the end of the line.
    EXPECT_EQ(WordBeforeCaret("abc", 1, eot), "");
    EXPECT_EQ(WordBeforeCaret("abc", 5, eot), "");
    EXPECT_EQ(WordBeforeCaret("", 1, eot), "");
    // NUL and control bytes end a word; bytes 0x80-0xFF belong to it.
    EXPECT_EQ(WordBeforeCaret(std::string("a\0b", 3), 4, eot), "b");
    EXPECT_EQ(WordBeforeCaret("\t\x80\xFF", 4, eot), "\x80\xFF");
}

TEST(PopupPlacement, StaysFullyOnTheScreen) {
    const QRect screen(0, 0, 800, 600);
    const QSize size(262, 200);
    // Room below and to the right: exactly where asked.
    EXPECT_EQ(PlacePopup({100, 100}, 16, size, screen), QPoint(100, 100));
    // Past the right edge: moved left.
    EXPECT_EQ(PlacePopup({700, 100}, 16, size, screen), QPoint(800 - 262, 100));
    // Past the bottom: above the caret line.
    EXPECT_EQ(PlacePopup({100, 500}, 16, size, screen), QPoint(100, 500 - 16 - 200));
    // Neither below nor above fits (caret far off the screen): pushed inside.
    EXPECT_EQ(PlacePopup({5000, 5000}, 16, size, screen), QPoint(800 - 262, 600 - 200));
    EXPECT_EQ(PlacePopup({-50, -50}, 16, size, screen), QPoint(0, 0));
    // A screen that does not start at the origin.
    const QRect second(800, 100, 400, 300);
    const QPoint at = PlacePopup({1190, 390}, 16, size, second);
    EXPECT_TRUE(second.contains(QRect(at, size)));
}

}  // namespace
