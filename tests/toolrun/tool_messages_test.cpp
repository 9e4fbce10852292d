// Reading positions out of tool output: real lines of 64tass, cc65/ca65 and gcc (captured from
// the installed tools), Windows paths, blanks in paths, lines that only look like positions,
// and stepping through the messages of an output.
#include "toolrun/tool_messages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Expected {
    std::string file;
    int line;
    int column;
    TToolMessageKind kind;
};

void ExpectPosition(std::string_view text, const Expected& expected) {
    const auto position = ParseMessagePosition(text);
    ASSERT_TRUE(position.has_value()) << text;
    EXPECT_EQ(position->File, expected.file) << text;
    EXPECT_EQ(position->Line, expected.line) << text;
    EXPECT_EQ(position->Column, expected.column) << text;
    EXPECT_EQ(position->Kind, expected.kind) << text;
}

using K = TToolMessageKind;

TEST(ToolMessages, RealAssemblerAndCompilerLines) {
    // 64tass
    ExpectPosition("game.asm:4:13: error: not defined symbol 'nowhere'",
                   {"game.asm", 4, 13, K::Error});
    ExpectPosition("inc.asm:1:12: fatal error: can't open file 'missing.inc': No such file",
                   {"inc.asm", 1, 12, K::Error});
    // cc65 and ca65
    ExpectPosition("game.c(3): Error: ';' expected", {"game.c", 3, 0, K::Error});
    ExpectPosition("w.c(5): Warning: Parameter 'a' is never used", {"w.c", 5, 0, K::Warning});
    ExpectPosition("s.s(2): Error: Illegal addressing mode", {"s.s", 2, 0, K::Error});
    ExpectPosition("/tmp/i14cap/game.c(3): Error: Undefined symbol: 'y'",
                   {"/tmp/i14cap/game.c", 3, 0, K::Error});
    // gcc, with its include chain
    ExpectPosition("w.h:1:23: error: expected ';' before '}' token", {"w.h", 1, 23, K::Error});
    ExpectPosition("w.c:4:5: warning: 'return' with no value [-Wreturn-type]",
                   {"w.c", 4, 5, K::Warning});
    ExpectPosition("w.c:2:5: note: declared here", {"w.c", 2, 5, K::Note});
    ExpectPosition("In file included from w.c:1:", {"w.c", 1, 0, K::Other});
    ExpectPosition("                 from main.c:7:", {"main.c", 7, 0, K::Other});
    // The forms without a column or with one in parentheses.
    ExpectPosition("game.c:18: error: x", {"game.c", 18, 0, K::Error});
    ExpectPosition("game.c(18,7): error: x", {"game.c", 18, 7, K::Error});
    ExpectPosition("game.c:18:", {"game.c", 18, 0, K::Other});
}

TEST(ToolMessages, LinkerLinesTakeTheirKindFromTheLeadIn) {
    // ld65 of cc65 2.19, on a linker configuration and on a module.
    ExpectPosition("ld65: Warning: /usr/share/cc65/cfg/pce.cfg(59): Segment 'ONCE' does not exist",
                   {"/usr/share/cc65/cfg/pce.cfg", 59, 0, K::Warning});
    ExpectPosition("ld65: Error: bad.cfg(2): SIZE attribute is missing",
                   {"bad.cfg", 2, 0, K::Error});
    ExpectPosition("ld65: Error: my dir/game.s(27): Range error",
                   {"my dir/game.s", 27, 0, K::Error});
    ExpectPosition("ca65: Fatal: crt0.s(3): Cannot open include file", {"crt0.s", 3, 0, K::Error});
    // Its summaries name no position.
    for (const char* line : {"ld65: Error: 1 unresolved external(s) found - cannot create output",
                             "ld65: Warning: Memory area overflow", "ld65: Error: (3): x"}) {
        EXPECT_FALSE(ParseMessagePosition(line).has_value()) << line;
    }
}

TEST(ToolMessages, DriveLettersAndBlanksInPaths) {
    ExpectPosition("C:\\games\\shooter\\game.c(12): Error: x",
                   {"C:\\games\\shooter\\game.c", 12, 0, K::Error});
    ExpectPosition("d:/pce/src/main.asm:3:9: error: x", {"d:/pce/src/main.asm", 3, 9, K::Error});
    ExpectPosition("C:\\Program Files (x86)\\kit\\lib.h(40,2): warning: x",
                   {"C:\\Program Files (x86)\\kit\\lib.h", 40, 2, K::Warning});
    ExpectPosition("my dir/game.c(3): Error: ';' expected", {"my dir/game.c", 3, 0, K::Error});
    ExpectPosition("my dir/game.c:3:5: error: expected ','", {"my dir/game.c", 3, 5, K::Error});
}

TEST(ToolMessages, LinesThatOnlyLookLikePositions) {
    for (const char* line : {
             "12:30:45",
             "Build started at 12:30:45",
             "[12:30:45] game.c:3: error",  // the file would hold a colon
             "Passes:            2",
             "Error messages:    4",
             "game.c: In function 'main':",
             "game.asm: note: searched in the global scope",
             "ld65: Error: Range error in module 'pce/crt0.s', line 84",
             "make: *** [Makefile:12: all] Error 1",
             "see http://example.com:8080: down",
             "    3 |     return y;",
             "      |     ^~~~~~",
             "game.c:12:5",        // no closing colon
             "game.c:12:5:error",  // no blank after it
             "game.c(12)",         // no colon after the parenthesis
             "game.c(12x): error",
             "game:12: error",          // no extension
             ".c:12: error",            // only an extension
             " game.c :12: error",      // blank before the colon
             "f.c:99999999999: error",  // too long for a line number
             "",
             ":",
             "(1):",
         }) {
        EXPECT_FALSE(ParseMessagePosition(line).has_value()) << line;
    }
}

TEST(ToolMessages, OutputStepsCycleAndFindTheirLines) {
    const std::vector<std::string> output = {
        "/*************************************************",
        "game.asm:4:13: error: not defined symbol 'nowhere'",
        "         sta nowhere",
        "game.asm:7:15: error: general syntax",
        "Error messages:    2",
        "game.asm:9:1: warning: label not on the first column",
    };
    TToolMessageList list;
    list.Parse(static_cast<int>(output.size()),
               [&output](int i) { return std::string_view(output[static_cast<std::size_t>(i)]); });
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.At(0).OutputLine, 1);
    EXPECT_EQ(list.At(1).Line, 7);
    EXPECT_EQ(list.At(2).Kind, K::Warning);
    EXPECT_EQ(list.Current(), -1);
    EXPECT_EQ(list.Step(1), 0);
    EXPECT_EQ(list.Step(1), 1);
    EXPECT_EQ(list.Step(1), 2);
    EXPECT_EQ(list.Step(1), 0);  // cycles
    EXPECT_EQ(list.Step(-1), 2);
    EXPECT_EQ(list.IndexOfOutputLine(3), 1);
    EXPECT_EQ(list.IndexOfOutputLine(2), -1);
    EXPECT_EQ(list.IndexOfOutputLine(99), -1);

    TToolMessageList back;
    back.Parse(static_cast<int>(output.size()),
               [&output](int i) { return std::string_view(output[static_cast<std::size_t>(i)]); });
    EXPECT_EQ(back.Step(-1), 2);  // backwards from nothing starts at the last

    TToolMessageList none;
    none.Parse(1, [](int) { return std::string_view("no messages here"); });
    EXPECT_EQ(none.Step(1), -1);
    EXPECT_EQ(none.Current(), -1);
}

// A recursive make reports the directories it works in; the messages between are read from
// there, and a Leaving line returns to the directory of the level above.
TEST(ToolMessages, MakesDirectoryReportsSetTheDirectoryOfTheMessages) {
    const std::vector<std::string> output = {
        "main.c(3): Error: Undefined symbol: 'x'",
        "make[1]: Entering directory '/home/me/game/audio'",
        "player.s:12: Error: Unknown opcode",
        "make[2]: Entering directory `/home/me/game/audio/sfx'",
        "bang.c(7): Warning: Unused variable",
        "make[2]: Leaving directory `/home/me/game/audio/sfx'",
        "tune.s:3: Error: Range error",
        "make[1]: Leaving directory '/home/me/game/audio'",
        "make: Entering directory 'levels'",
        "/abs/level.c(1): Error: x",
        "level.c(2): Error: y",
        "make: Leaving directory 'elsewhere'",  // unmatched: stays in levels
        "level2.c(5): Error: z",
    };
    TToolMessageList list;
    list.Parse(static_cast<int>(output.size()),
               [&output](int i) { return std::string_view(output[static_cast<std::size_t>(i)]); });
    ASSERT_EQ(list.Count(), 7);
    const std::string build = "/home/me/game/";
    const std::vector<std::string> expected = {"/home/me/game/main.c",
                                               "/home/me/game/audio/player.s",
                                               "/home/me/game/audio/sfx/bang.c",
                                               "/home/me/game/audio/tune.s",
                                               "/abs/level.c",
                                               "/home/me/game/levels/level.c",
                                               "/home/me/game/levels/level2.c"};
    for (int i = 0; i < list.Count(); ++i)
        EXPECT_EQ(ResolveMessageFile(list.At(i), build), expected[static_cast<std::size_t>(i)]);
    EXPECT_EQ(list.At(0).Dir, "");
    EXPECT_EQ(list.At(1).Dir, "/home/me/game/audio/");
}

TEST(ToolMessages, OnlyMakesOwnDirectoryLinesAreDirectoryReports) {
    const auto change = ParseMakeDirectoryChange("gmake[12]: Entering directory \"/a b/c\"");
    ASSERT_TRUE(change.has_value());
    EXPECT_TRUE(change->Entering);
    EXPECT_EQ(change->Dir, "/a b/c");
    const auto leaving = ParseMakeDirectoryChange("/usr/bin/make: Leaving directory '/x'\r");
    ASSERT_TRUE(leaving.has_value());
    EXPECT_FALSE(leaving->Entering);
    EXPECT_EQ(leaving->Dir, "/x");
    for (const char* line :
         {"cake: Entering directory '/x'", "make: Entering directory /x",
          "make[x]: Entering directory '/x'", "make: *** [Makefile:3: all] Error 2",
          "make: Entering directory ''", "  make: Entering directory '/x'"}) {
        EXPECT_FALSE(ParseMakeDirectoryChange(line).has_value()) << line;
    }
}

TEST(ToolMessages, RelativeNamesAreTakenFromTheSourceDirectory) {
    EXPECT_EQ(ResolveMessageFile("game.c", "/home/me/src/"), "/home/me/src/game.c");
    EXPECT_EQ(ResolveMessageFile("sub/x.h", "/home/me/src/"), "/home/me/src/sub/x.h");
    EXPECT_EQ(ResolveMessageFile("/abs/x.h", "/home/me/src/"), "/abs/x.h");
    EXPECT_EQ(ResolveMessageFile("C:\\abs\\x.h", "/home/me/src/"), "C:\\abs\\x.h");
    EXPECT_EQ(ResolveMessageFile("game.c", ""), "game.c");
}

}  // namespace
