// Command templates and argument quoting: every value comes back as one argument, whatever its
// blanks, quotation marks and backslashes, in and out of quoted parts of the template.
#include "toolrun/command_template.h"

#include <gtest/gtest.h>

#include "platform/command_line.h"

namespace {

const std::vector<std::string> kAwkwardValues = {
    "plain",  "with blank", "tab\there",    "quote\"inside",           "back\\slash",
    "ends\\", "two \\\\",   "\\\"both\\\"", "blank and trailing \\\\", "",
    " "};

TEST(QuoteArgument, SplitsBackIntoTheSameSingleArgument) {
    for (const std::string& value : kAwkwardValues) {
        if (value.empty()) continue;  // the empty text stays empty, so it is no argument
        const std::vector<std::string> split = SplitArguments("-x " + QuoteArgument(value) + " y");
        ASSERT_EQ(split.size(), 3u) << value;
        EXPECT_EQ(split[1], value);
    }
    EXPECT_EQ(QuoteArgument("game.c"), "game.c");
    EXPECT_EQ(QuoteArgument("sp ace.c"), "\"sp ace.c\"");
    EXPECT_EQ(QuoteArgument(""), "");
}

TEST(CommandTemplate, PlaceholdersInAndOutOfQuotesKeepValuesWhole) {
    for (const std::string& value : kAwkwardValues) {
        TCommandValues values;
        values.File = value;
        values.Image = value;
        const std::string line = ExpandCommandTemplate("[{file}] \"{image}\" \"a {file}\"", values);
        const std::vector<std::string> split = SplitArguments(line);
        ASSERT_EQ(split.size(), 3u) << value << " -> " << line;
        EXPECT_EQ(split[0], "[" + value + "]");
        EXPECT_EQ(split[1], value);
        EXPECT_EQ(split[2], "a " + value);
    }
}

TEST(CommandTemplate, ValuesOfASourceFile) {
    const TCommandValues values = CommandValuesFor("/home/me/my games/", "my.game.c", "-O -T");
    EXPECT_EQ(values.File, "my.game.c");
    EXPECT_EQ(values.Dir, "/home/me/my games");
    EXPECT_EQ(values.Base, "my.game");
    EXPECT_EQ(values.Image, "/home/me/my games/my.game.pce");
    EXPECT_EQ(CommandValuesFor("/", "x", {}).Dir, "/");
    EXPECT_EQ(CommandValuesFor("/", "x", {}).Base, "x");

    EXPECT_EQ(ExpandCommandTemplate("64tass -c -b -Wall -o {image} {file}", values),
              "64tass -c -b -Wall -o \"/home/me/my games/my.game.pce\" my.game.c");
    // Switches stay several arguments; an empty switch string leaves only blanks behind.
    EXPECT_EQ(ExpandCommandTemplate("cc {options} {base}.s", values), "cc -O -T my.game.s");
    EXPECT_EQ(SplitCommandLine(ExpandCommandTemplate("cc {options} {file}", TCommandValues{})),
              std::vector<std::string>{"cc"});
}

TEST(CommandTemplate, OnlyKnownPlaceholdersMakeATemplate) {
    EXPECT_FALSE(IsCommandTemplate("vesk.exe"));
    EXPECT_FALSE(IsCommandTemplate("tool {unknown} {FILE} {file"));
    EXPECT_TRUE(IsCommandTemplate("tool {x}{dir}"));
    EXPECT_TRUE(IsCommandTemplate("{options}"));
    TCommandValues values;
    values.Dir = "d";
    EXPECT_EQ(ExpandCommandTemplate("{{dir}} {unknown} {dir", values), "{d} {unknown} {dir");
}

}  // namespace
