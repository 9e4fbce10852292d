// The C scanner's shortcut gives exactly the state a full scan of the line gives, for every
// start state, and declines lines with literals or directives that could matter.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "highlight/syn_cpp_syn.h"

namespace {

std::int32_t ScannedState(TSynCppSyn& highlighter, const std::string& line, std::int32_t start) {
    highlighter.SetRangeState(start);
    highlighter.StartLine(line, 0);
    highlighter.ScanToLineEnd();
    return highlighter.RangeState();
}

TEST(CppSkim, PlainLinesSkimToTheScannedStateAndOthersAreDeclined) {
    std::mt19937 random(15);
    // Lines over an alphabet rich in what the scanner treats specially, long enough to cross
    // the 16-byte steps of the fast search.
    static const char kAlphabet[] = "ab1 \t*/.;x\"'#\\\n\r\0{}()=-<>";
    const std::string alphabet(kAlphabet, sizeof kAlphabet - 1);
    const std::int32_t starts[] = {crNone, crComment, crDirective, crDirectiveComment, 2, 0x106};
    TSynCppSyn highlighter;
    int skimmed = 0;
    int declined = 0;
    for (int n = 0; n < 20000; ++n) {
        std::string line;
        const int length = static_cast<int>(random() % 70);
        // Two lines in three draw from the plain part of the alphabet, with or without slashes
        // and stars.
        const std::size_t letters = (n % 3 == 0) ? alphabet.size() : (n % 3 == 1) ? 5 : 7;
        for (int k = 0; k < length; ++k) line += alphabet[random() % letters];
        for (const std::int32_t start : starts) {
            std::int32_t range = start;
            const bool plain = line.find_first_of(std::string("/#\\\n\r")) == std::string::npos;
            const auto state = static_cast<std::uint8_t>(start);
            const bool commentsOnly =
                line.find_first_of(std::string("#\\\n\r\"'")) == std::string::npos &&
                state != crDirective && state != crDirectiveComment;
            const bool skims = highlighter.SkimLine(line, range);
            // Lines with literals or directive bytes after a line comment may go either way.
            if (plain || commentsOnly) {
                ASSERT_TRUE(skims) << n;
            }
            if (skims) {
                ++skimmed;
                ASSERT_EQ(range, ScannedState(highlighter, line, start)) << n << " " << start;
            } else {
                ++declined;
                ASSERT_EQ(range, start);
            }
        }
    }
    EXPECT_GT(skimmed, 1000);
    EXPECT_GT(declined, 1000);
}

// A scanner built on the C one may treat other bytes specially, so it is never skimmed.
TEST(CppSkim, DerivedScannersAreAlwaysScanned) {
    struct Derived : TSynCppSyn {};
    Derived derived;
    std::int32_t range = crComment;
    EXPECT_FALSE(derived.SkimLine("plain text", range));
    EXPECT_EQ(range, crComment);
}

}  // namespace
