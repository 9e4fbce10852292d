#include "platform/command_line.h"

#include <gtest/gtest.h>

namespace {

struct SplitCase {
    const char* commandLine;
    std::vector<std::string> expected;
};

class CommandLineSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(CommandLineSplit, FollowsTheWindowsRules) {
    EXPECT_EQ(SplitCommandLine(GetParam().commandLine), GetParam().expected)
        << GetParam().commandLine;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineSplit,
    ::testing::Values(
        // Composed build command lines: the redirection sign is an ordinary argument.
        SplitCase{"vesk.exe game.c -cd -T >output.c",
                  {"vesk.exe", "game.c", "-cd", "-T", ">output.c"}},
        SplitCase{"vesk.exe game.c  >output.c", {"vesk.exe", "game.c", ">output.c"}},
        SplitCase{" c:\\games\\game.pce", {"c:\\games\\game.pce"}},
        // Blanks, tabs, trailing blanks.
        SplitCase{"a\tb\t\t c  ", {"a", "b", "c"}}, SplitCase{"", {""}},
        // Quotes group, also in the middle of a word; an empty quoted pair is an argument.
        SplitCase{"a \"b c\" d", {"a", "b c", "d"}}, SplitCase{"a b\"c d\"e", {"a", "bc de"}},
        SplitCase{"a \"\" b \"\"", {"a", "", "b", ""}},
        SplitCase{"a \"open ended", {"a", "open ended"}},
        // Backslashes before a quote halve; an odd one escapes the quote.
        SplitCase{"a \\\"b", {"a", "\"b"}}, SplitCase{"a \\\\\"b c\"", {"a", "\\b c"}},
        SplitCase{"a \\\\\\\"b", {"a", "\\\"b"}}, SplitCase{"a \\\\\\\\\"b c\"", {"a", "\\\\b c"}},
        SplitCase{"a \"x\\\\\" y", {"a", "x\\", "y"}},
        // Backslashes elsewhere are literal.
        SplitCase{"a b\\c\\\\d e\\", {"a", "b\\c\\\\d", "e\\"}},
        // A doubled quote inside quotes is one literal quote and the quotes stay open.
        SplitCase{"a \"b\"\"c d\"", {"a", "b\"c d"}}, SplitCase{"a \"x\"\"\"", {"a", "x\""}},
        SplitCase{"a \"\"\"\"", {"a", "\""}},
        // The program word only drops quotes: no backslash rules.
        SplitCase{"\"C:\\Program Files\\x.exe\" y", {"C:\\Program Files\\x.exe", "y"}},
        SplitCase{"\"C:\\dir\\\"  z", {"C:\\dir\\", "z"}},
        SplitCase{"pro\\\"g\" x\" y", {"pro\\g", "x y"}}));

}  // namespace
