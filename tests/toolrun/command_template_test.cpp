// Command templates and argument quoting: every value comes back as one argument, whatever its
// blanks, quotation marks and backslashes, in and out of quoted parts of the template.
#include "toolrun/command_template.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <iostream>
#include <random>

#include "platform/command_line.h"

namespace {

const std::vector<std::string> kAwkwardValues = {
    "plain",  "with blank", "tab\there",    "quote\"inside",           "back\\slash",
    "ends\\", "two \\\\",   "\\\"both\\\"", "blank and trailing \\\\", "",
    " "};

TEST(QuoteArgument, SplitsBackIntoTheSameSingleArgument) {
    for (const std::string& value : kAwkwardValues) {
        const std::vector<std::string> split = SplitArguments("-x " + QuoteArgument(value) + " y");
        ASSERT_EQ(split.size(), 3u) << value;
        EXPECT_EQ(split[1], value);
    }
    EXPECT_EQ(QuoteArgument("game.c"), "game.c");
    EXPECT_EQ(QuoteArgument("sp ace.c"), "\"sp ace.c\"");
    EXPECT_EQ(QuoteArgument(""), "\"\"");
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
    // Switches stay several arguments; an empty switch string leaves only blanks behind, but an
    // empty name is still an argument.
    EXPECT_EQ(ExpandCommandTemplate("cc {options} {base}.s", values), "cc -O -T my.game.s");
    EXPECT_EQ(SplitCommandLine(ExpandCommandTemplate("cc {options} {file}", TCommandValues{})),
              (std::vector<std::string>{"cc", ""}));
}

// {project} is the project directory without its separator, quoted like every path; without a
// project it is the source directory.
TEST(CommandTemplate, ProjectIsOneArgumentThatCannotPassForAnOption) {
    const TCommandValues values =
        CommandValuesFor("/home/me/my game/src/", "main.c", {}, "/home/me/my game/");
    EXPECT_EQ(values.Project, "/home/me/my game");
    EXPECT_EQ(
        SplitCommandLine(ExpandCommandTemplate("make -C {project} -f \"{project}/x.mk\"", values)),
        (std::vector<std::string>{"make", "-C", "/home/me/my game", "-f",
                                  "/home/me/my game/x.mk"}));
    EXPECT_TRUE(IsCommandTemplate("make -C {project}"));
    EXPECT_FALSE(IsCommandTemplate("make {projects}"));
    EXPECT_EQ(CommandValuesFor("/src/", "a.c").Project, "/src");
    EXPECT_EQ(CommandValuesFor("/src/", "a.c", {}, "/").Project, "/");

    TCommandValues dashed;
    dashed.Project = "-C";
    EXPECT_EQ(SplitCommandLine(ExpandCommandTemplate("make -C {project} all", dashed)),
              (std::vector<std::string>{"make", "-C", "./-C", "all"}));
}

// A file named ".c" has an empty base name: "stubcc {base} {dir}" still gets two arguments.
TEST(CommandTemplate, AnEmptyValueIsAnEmptyArgument) {
    const TCommandValues values = CommandValuesFor("/src/", ".c");
    EXPECT_EQ(values.Base, "");
    EXPECT_EQ(SplitCommandLine(ExpandCommandTemplate("stubcc {base} {dir}", values)),
              (std::vector<std::string>{"stubcc", "", "/src"}));
    EXPECT_EQ(SplitCommandLine(ExpandCommandTemplate("stubcc \"{base}\" x{base}y", values)),
              (std::vector<std::string>{"stubcc", "", "xy"}));
}

// A file named "-ogame.c" must not reach the compiler as "-o game.c", which would overwrite
// game.c with the image: a value that begins with "-" is given as a path from the source
// directory, in and out of quotes.
TEST(CommandTemplate, AValueBeginningWithADashCannotPassForAnOption) {
    const TCommandValues values = CommandValuesFor("/src/", "-ogame.c");
    EXPECT_EQ(SplitCommandLine(ExpandCommandTemplate("pce-cc -O -o {image} {file}", values)),
              (std::vector<std::string>{"pce-cc", "-O", "-o", "/src/-ogame.pce", "./-ogame.c"}));
    EXPECT_EQ(SplitCommandLine(ExpandCommandTemplate("as \"{file}\" {base}.o", values)),
              (std::vector<std::string>{"as", "./-ogame.c", "./-ogame.o"}));
    TCommandValues relative;
    relative.Dir = "-d";
    relative.Image = "-x y.pce";
    relative.Options = "-O";
    EXPECT_EQ(SplitCommandLine(ExpandCommandTemplate("t {dir} {image} {options}", relative)),
              (std::vector<std::string>{"t", "./-d", "./-x y.pce", "-O"}));
    EXPECT_EQ(PathArgument("-x y.c"), "\"./-x y.c\"");
    EXPECT_EQ(PathArgument("game.c"), "game.c");
    EXPECT_EQ(PathNotOption("a-b"), "a-b");
}

// Random templates of placeholders alone, stuck to text and inside quoted parts, with random
// values (beginning with "-", empty, holding blanks, tabs, quotation marks, backslashes, CR, LF
// and zero bytes): split again, every argument is the value the template put there, with "./"
// before a value that begins with "-", and nothing else.
TEST(CommandTemplate, RandomValuesComeBackAsTheirArguments) {
    const char* runsText = std::getenv("QUILLON_FUZZ_RUNS");
    const long runs = runsText ? std::atol(runsText) * 1000 : 20000;
    std::mt19937 random(24);
    const std::string alphabet = std::string("ab-. \t\"\\\r\n/", 12) + std::string(1, '\0');
    const std::array<std::string, 4> names{"{file}", "{dir}", "{base}", "{image}"};
    auto randomValue = [&] {
        std::string value;
        const int length = random() % 5 == 0 ? 0 : static_cast<int>(random() % 10);
        for (int i = 0; i < length; ++i) value += alphabet[random() % alphabet.size()];
        if (random() % 3 == 0) value.insert(0, "-");
        return value;
    };
    for (long run = 0; run < runs; ++run) {
        TCommandValues values;
        values.File = randomValue();
        values.Dir = randomValue();
        values.Base = randomValue();
        values.Image = randomValue();
        const std::array<const std::string*, 4> valueOf{&values.File, &values.Dir, &values.Base,
                                                        &values.Image};
        std::string command = "tool";
        std::vector<std::string> expected{"tool"};
        const int words = 1 + static_cast<int>(random() % 4);
        for (int w = 0; w < words; ++w) {
            const std::size_t which = random() % names.size();
            const std::string value = PathNotOption(*valueOf[which]);
            switch (random() % 4) {
                case 0:  // alone
                    command += " " + names[which];
                    expected.push_back(value);
                    break;
                case 1:  // after an option's letters
                    command += " -I" + names[which];
                    expected.push_back("-I" + value);
                    break;
                case 2:  // alone in quotes
                    command += " \"" + names[which] + "\"";
                    expected.push_back(value);
                    break;
                default:  // inside a quoted part with text around it
                    command += " \"a " + names[which] + " b\"";
                    expected.push_back("a " + value + " b");
                    break;
            }
        }
        const std::string line = ExpandCommandTemplate(command, values);
        ASSERT_EQ(SplitCommandLine(line), expected) << command << " -> " << line;
    }
    std::cout << "[ fuzz     ] placeholder expansion: " << runs << " templates\n";
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
