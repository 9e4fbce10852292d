#include "platform/codepage.h"

#include <gtest/gtest.h>

TEST(CodePage, FoldsAsciiAndAccentedLettersOnly) {
    EXPECT_EQ(CodePageLower('V'), 'v');
    EXPECT_EQ(CodePageLower('_'), '_');
    EXPECT_EQ(CodePageLower(0xC9), 0xE9);  // E acute
    EXPECT_EQ(CodePageLower(0xD7), 0xD7);  // multiplication sign has no case
    EXPECT_EQ(CodePageLower(0x8A), 0x9A);
    EXPECT_EQ(CodePageUpper(0xFF), 0x9F);
    EXPECT_TRUE(CodePageIsAlphaNumeric('7'));
    EXPECT_TRUE(CodePageIsAlphaNumeric(0xDF));
    EXPECT_FALSE(CodePageIsAlphaNumeric('_'));
    EXPECT_FALSE(CodePageIsAlphaNumeric(0));
    EXPECT_FALSE(CodePageIsAlphaNumeric(0xF7));  // division sign
}

TEST(CodePage, RoundTripsEveryByteThroughUtf16) {
    std::string all;
    for (int i = 0; i < 256; ++i) all.push_back(static_cast<char>(i));
    std::u16string wide = CodePageToUtf16(all);
    ASSERT_EQ(wide.size(), 256u);
    EXPECT_EQ(wide[0x80], u'\u20AC');
    EXPECT_EQ(Utf16ToCodePage(wide), all);
}

TEST(CodePage, UnmappableCharactersBecomeQuestionMarks) {
    EXPECT_EQ(Utf16ToCodePage(u"a\u0416b"), "a?b");
    EXPECT_EQ(Utf16ToCodePage(u"x\U0001F600y"), "x?y");
}
