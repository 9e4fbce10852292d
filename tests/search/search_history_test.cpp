// History lists of the search and replace dialogs: order, letter case, the limit of ten and the
// text form handed to the caller.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "search/search_history.h"

using Strings = std::vector<std::string>;

TEST(SearchHistoryTest, ReusedEntryMovesToTopWithItsNewCase) {
    Strings list{"PUT_CHAR", "vsync"};
    AddToSearchHistory(list, "put_char");
    EXPECT_EQ(list, (Strings{"put_char", "vsync"}));
    AddToSearchHistory(list, "VSync");
    EXPECT_EQ(list, (Strings{"VSync", "put_char"}));
    AddToSearchHistory(list, "spr_x");
    EXPECT_EQ(list, (Strings{"spr_x", "VSync", "put_char"}));
}

TEST(SearchHistoryTest, EmptyTextLeavesTheListAlone) {
    Strings list{"a", "b"};
    AddToSearchHistory(list, "");
    EXPECT_EQ(list, (Strings{"a", "b"}));
}

TEST(SearchHistoryTest, CaseFoldCoversAccentedLetters) {
    Strings list{"\xC9t\xC9"};  // "ÉTÉ" in the code page
    AddToSearchHistory(list, "\xE9t\xE9");
    EXPECT_EQ(list, (Strings{"\xE9t\xE9"}));
}

TEST(SearchHistoryTest, TextHoldsTheNewestTenEntries) {
    Strings list;
    for (int i = 1; i <= 10; ++i) AddToSearchHistory(list, "e" + std::to_string(i));
    EXPECT_EQ(JoinSearchHistory(list), "e10\r\ne9\r\ne8\r\ne7\r\ne6\r\ne5\r\ne4\r\ne3\r\ne2\r\ne1");
    // An eleventh entry pushes out the oldest once the list goes through its text form.
    list = SplitSearchHistory(JoinSearchHistory(list));
    AddToSearchHistory(list, "new");
    const Strings back = SplitSearchHistory(JoinSearchHistory(list));
    ASSERT_EQ(back.size(), 10u);
    EXPECT_EQ(back.front(), "new");
    EXPECT_EQ(back.back(), "e2");
}

TEST(SearchHistoryTest, TextFormRoundTrips) {
    EXPECT_EQ(JoinSearchHistory({}), "");
    EXPECT_TRUE(SplitSearchHistory("").empty());
    EXPECT_EQ(SplitSearchHistory("a\r\nb\nc\rd\r\n"), (Strings{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitSearchHistory("a\r\n\r\nb"), (Strings{"a", "", "b"}));
    const Strings list{"x y", std::string("nul\0byte", 8), "last"};
    EXPECT_EQ(SplitSearchHistory(JoinSearchHistory(list)), list);
}
