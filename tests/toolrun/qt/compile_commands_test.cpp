// Compile C and Compile assembly with real fake tools: refusals, banners, command lines, the
// output file moved aside, truthful status texts and the failures along the way.
#include "toolrun/compile_commands.h"
#include "toolrun/packaged_toolchain.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <filesystem>

#include "build_fixture.h"
#include "platform/qt/error_report.h"

namespace {

const std::string kNoDocument =
    "I may just be a computer,\r\nand can in no way tell you\r\nhow to live your "
    "life.........\r\nbut might I suggest that\r\nyou open a file before\r\ntrying to compile one?";
const std::string kUnsaved =
    "I'm sorry, but......\r\nI cannot compile\r\na file that has not\r\nbeen saved. \r\nPlease "
    "Save\r\nyour file, and try\r\nagain ^_~.";
const std::string kCouldNotLoad =
    "Could not load compiler output!\r\nDon't worry, this just means that\r\nthe compiler didn't "
    "finish writing \r\nthe file we wanted to read before\r\nwe tried to load it. \r\n\r\nSimply "
    "check in your source \r\ndirectory for the file: OUTPUT.C\r\nto look over any compiler "
    "output\r\nyou may have have missed:).";
const std::string kTop = "/" + std::string(49, '*');
const std::string kNoImage = " Compile Successful - no image written";
const std::string kBottom = std::string(49, '*') + "/";

using Command = void (*)(TBuildServices&);

class CompileCommands : public BuildFixture {
  protected:
    CompileCommands() { OpenDocument("src", "game.c"); }
    std::string Caption() const { return frame.Caption; }
    std::string Finished(const std::string& outcome) const {
        return "Finished Compiling: " + Caption() + outcome;
    }
};

TEST_F(CompileCommands, RefusesWithoutDocumentOrUnsavedDocument) {
    for (Command command : {&CompileCCode1Click, &CompileAssembly1Click}) {
        dialogs.Messages.clear();
        frame.Documents = 0;
        command(services);
        frame.Documents = 1;
        frame.Dir.clear();
        command(services);
        ASSERT_EQ(dialogs.Messages.size(), 2u);
        EXPECT_EQ(dialogs.Messages[0].Text, kNoDocument);
        EXPECT_EQ(dialogs.Messages[1].Text, kUnsaved);
        for (const auto& message : dialogs.Messages) {
            EXPECT_EQ(message.Type, TMsgDlgType::mtError);
            EXPECT_EQ(message.Buttons, TMsgDlgButtons{mbOK});
        }
        OpenDocument("src", "game.c");
    }
    EXPECT_FALSE(panel.Visible);
    EXPECT_TRUE(frame.StatusTexts.empty());
    EXPECT_TRUE(starter.CommandLines.empty());
    EXPECT_EQ(loading.Shows, 0);
}

TEST_F(CompileCommands, CompilesInSourceDirectoryAndShowsToolMessages) {
    Tool("own/vesk.exe", "game.c(3): warning");
    settings.Switches = "-cd -T";
    CompileCCode1Click(services);

    EXPECT_EQ(LastCommandLine(), "vesk.exe game.c -cd -T >output.c");
    // The tool in the source directory ran there, and ">output.c" reached it as an argument.
    EXPECT_EQ(RecordedArguments(), "[game.c][-cd][-T][>output.c]");
    EXPECT_EQ(RecordedDirectory(), scratch / "src");
    EXPECT_TRUE(panel.Visible);
    EXPECT_EQ(panel.Lines, std::vector<std::string>{"game.c(3): warning"});
    EXPECT_EQ(frame.StatusTexts,
              (std::vector<std::string>{"Compiling C file: " + Caption(), Finished(kNoImage)}));
    EXPECT_EQ(loading.Shows, 1);
    EXPECT_EQ(loading.Closes, 1);
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(CompileCommands, EmptySwitchStringLeavesTwoBlanksAndBannerStaysWithoutOutput) {
    Tool("own/vesk.exe", "");
    CompileCCode1Click(services);
    EXPECT_EQ(LastCommandLine(), "vesk.exe game.c  >output.c");
    EXPECT_EQ(panel.Lines, (std::vector<std::string>{kTop, "*compiling vesk.exe game.c ", kBottom,
                                                     "(the tool printed no messages)"}));
    EXPECT_EQ(frame.Status(), Finished(kNoImage));
}

TEST_F(CompileCommands, AssemblesWithOwnBannerAndNoSwitches) {
    OpenDocument("src", "game.asm");
    Tool("own/pceas.exe", "");
    settings.Switches = "-cd -T";
    CompileAssembly1Click(services);
    EXPECT_EQ(LastCommandLine(), "pceas.exe game.asm >output.c");
    EXPECT_EQ(RecordedDirectory(), scratch / "src");
    const std::string middle = "*Assembeling Assembeling Assembeling Assembeling *";
    EXPECT_EQ(panel.Lines,
              (std::vector<std::string>{kTop, middle, kBottom, "(the tool printed no messages)"}));
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ(panel.Lines[i].size(), 50u);
    EXPECT_EQ(frame.StatusTexts,
              (std::vector<std::string>{"Compiling C file: " + Caption(), Finished(kNoImage)}));
}

TEST_F(CompileCommands, EarlierOutputIsRotatedAndNeverShownAsNew) {
    Tool("own/vesk.exe", "");
    scratch.Write("src/output.c", "first run\n");
    CompileCCode1Click(services);
    EXPECT_EQ(scratch.Read("src/oldoutput.c"), "first run\n");
    EXPECT_FALSE(FileExists(scratch / "src/output.c"));

    // The rotation replaces the older "oldoutput.c"; the tool wrote nothing, which the panel says.
    scratch.Write("src/output.c", "second run\n");
    CompileCCode1Click(services);
    EXPECT_EQ(scratch.Read("src/oldoutput.c"), "second run\n");
    EXPECT_EQ(panel.Lines.back(), "(the tool printed no messages)");
    EXPECT_EQ(panel.Lines.size(), 4u);
}

TEST_F(CompileCommands, OutputThatCannotBeMovedIsNotShownUnlessTheToolRewritesIt) {
    // A directory named "oldoutput.c" makes the rotation fail.
    std::filesystem::create_directories(scratch / "src/oldoutput.c");
    scratch.Write("src/output.c", "stale\n");
    Tool("own/vesk.exe", "");
    CompileCCode1Click(services);
    EXPECT_EQ(panel.Lines.back(), "(the tool printed no messages)");
    Tool("own/vesk.exe", "fresh");
    CompileCCode1Click(services);
    EXPECT_EQ(panel.Lines, std::vector<std::string>{"fresh"});
}

TEST_F(CompileCommands, ToolThatPrintsOnlyToTheTerminalIsShown) {
    scratch.Script("own/vesk.exe", "echo \"compiling $1\"\necho 'game.c(2): error' >&2\nexit 4\n");
    CompileCCode1Click(services);
    EXPECT_EQ(panel.Lines, (std::vector<std::string>{"compiling game.c", "game.c(2): error"}));
    EXPECT_EQ(frame.Status(), Finished(" Compile FAILED (exit code 4)"));
    EXPECT_FALSE(FileExists(scratch / "src/output.c"));
}

TEST_F(CompileCommands, ToolThatCannotStartSaysWhyAndShowsNoLeftOverOutput) {
    settings.Compiler = "no-such-compiler";
    scratch.Write("src/output.c", "left over\n");
    for (Command command : {&CompileCCode1Click, &CompileAssembly1Click}) {
        settings.Assembler = "no-such-assembler";
        command(services);
        ASSERT_EQ(panel.Lines.size(), 5u);
        EXPECT_EQ(panel.Lines[3].rfind("(could not start the tool: program not found: no-such-", 0),
                  0u);
        // How to set up a tool follows.
        EXPECT_EQ(panel.Lines[4], kSetUpToolsHint);
        EXPECT_EQ(frame.Status(), Finished(" Compile FAILED - could not execute compiler"));
    }
    EXPECT_EQ(scratch.Read("src/oldoutput.c"), "left over\n");
    EXPECT_EQ(loading.Shows, 2);
    EXPECT_EQ(loading.Closes, 2);
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(CompileCommands, AToolWithoutCommandIsNotRunAndTheSetUpIsNamed) {
    scratch.Script("src/game.c", "echo ran > ran.txt\n");  // what a blank command would start
    for (Command command : {&CompileCCode1Click, &CompileAssembly1Click}) {
        settings.Compiler = "  ";
        settings.Assembler = "";
        command(services);
        ASSERT_EQ(panel.Lines.size(), 5u);
        EXPECT_EQ(panel.Lines[3], "(no tool is configured for this command)");
        EXPECT_EQ(panel.Lines[4], kSetUpToolsHint);
        EXPECT_EQ(frame.Status(), Finished(" Compile FAILED - could not execute compiler"));
    }
    EXPECT_TRUE(starter.CommandLines.empty());
    EXPECT_FALSE(FileExists(scratch / "src/ran.txt"));
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(CompileCommands, StatusNamesTheImageWrittenByThisRunOnly) {
    scratch.Script("own/vesk.exe", "head -c 8192 /dev/zero > game.pce\n");
    CompileCCode1Click(services);
    EXPECT_EQ(frame.Status(), Finished(" Compile Successful - game.pce (8192 bytes)"));
    // An image left from the earlier run is no image of this one.
    Tool("own/vesk.exe", "");
    CompileCCode1Click(services);
    EXPECT_EQ(frame.Status(), Finished(kNoImage));
    // A failed build says nothing of the image.
    scratch.Script("own/vesk.exe", "head -c 16 /dev/zero > game.pce\nexit 1\n");
    CompileCCode1Click(services);
    EXPECT_EQ(frame.Status(), Finished(" Compile FAILED (exit code 1)"));
}

TEST_F(CompileCommands, NamesWithBlanksAreQuotedInTheFixedShape) {
    OpenDocument("my src", "sp ace.c");
    Tool("own/vesk.exe", "");
    settings.Switches = "-T";
    CompileCCode1Click(services);
    EXPECT_EQ(LastCommandLine(), "vesk.exe \"sp ace.c\" -T >output.c");
    EXPECT_EQ(RecordedArguments(), "[sp ace.c][-T][>output.c]");
    EXPECT_EQ(panel.Lines[1], "*compiling vesk.exe sp ace.c -T");
}

TEST_F(CompileCommands, TemplateGetsQuotedValuesAndItsMessagesStayOutOfTheSources) {
    OpenDocument("with blank", "my game.c");
    const std::string cache = scratch / "cache";
    const char* oldCache = std::getenv("XDG_CACHE_HOME");
    const std::string savedCache = oldCache != nullptr ? oldCache : "";
    setenv("XDG_CACHE_HOME", cache.c_str(), 1);
    // An "output.c" of the user's own is neither moved nor written.
    scratch.Write("with blank/output.c", "mine\n");
    const std::string tool = Tool("bin/cc", "");
    scratch.Script("bin/cc",
                   "for a in \"$@\"; do printf '[%s]' \"$a\"; done; echo; pwd\n"
                   "echo 'warning: from stderr' >&2\nexit 0\n");
    settings.Compiler = tool + " {options} -o {image} -I{dir}/inc \"{base}.s\" {file}";
    settings.Switches = "-O -T";
    CompileCCode1Click(services);
    const std::string dir = scratch / "with blank";
    EXPECT_EQ(LastCommandLine(), tool + " -O -T -o \"" + dir + "/my game.pce\" -I\"" + dir +
                                     "\"/inc \"my game.s\" \"my game.c\"");
    const std::string expectedOutput = "[-O][-T][-o][" + dir + "/my game.pce][-I" + dir +
                                       "/inc][my game.s][my game.c]\n" + dir +
                                       "\nwarning: from stderr\n";
    EXPECT_EQ(scratch.Read("cache/quillon/output.log"), expectedOutput);
    EXPECT_EQ(scratch.Read("with blank/output.c"), "mine\n");
    EXPECT_FALSE(FileExists(scratch / "with blank/oldoutput.c"));
    EXPECT_EQ(panel.Lines.size(), 3u);
    EXPECT_EQ(panel.Lines[2], "warning: from stderr");
    EXPECT_EQ(frame.Status(), Finished(kNoImage));
    // The next run keeps the previous log beside the new one.
    CompileCCode1Click(services);
    EXPECT_EQ(scratch.Read("cache/quillon/oldoutput.log"), expectedOutput);
    if (oldCache != nullptr) {
        setenv("XDG_CACHE_HOME", savedCache.c_str(), 1);
    } else {
        unsetenv("XDG_CACHE_HOME");
    }
}

TEST_F(CompileCommands, FailingToolReportsItsExitCode) {
    Tool("own/vesk.exe", "game.c(1): error", 3);
    CompileCCode1Click(services);
    EXPECT_EQ(frame.Status(), Finished(" Compile FAILED (exit code 3)"));
    EXPECT_EQ(panel.Lines, std::vector<std::string>{"game.c(1): error"});
}

TEST_F(CompileCommands, ToolPathWithBlanksIsStartedUnquoted) {
    const std::string compiler = Tool("my tools/cc", "ok");
    settings.Compiler = compiler;
    CompileCCode1Click(services);
    EXPECT_EQ(LastCommandLine(), compiler + " game.c  >output.c");
    EXPECT_EQ(RecordedArguments(), "[game.c][>output.c]");
    EXPECT_EQ(frame.Status(), Finished(kNoImage));
}

// A file planted beside the sources never runs in place of the tool on the search path.
TEST_F(CompileCommands, ToolOnSearchPathRunsNotOneInTheSourceDirectory) {
    scratch.Script("bin/vesk.exe", "echo from-path > output.c\n");
    scratch.Script("src/vesk.exe", "echo from-source > output.c\n");
    const std::string savedPath = getenv("PATH");
    setenv("PATH", (scratch / "bin:" + savedPath).c_str(), 1);
    CompileCCode1Click(services);
    setenv("PATH", savedPath.c_str(), 1);
    EXPECT_EQ(panel.Lines, std::vector<std::string>{"from-path"});
}

TEST_F(CompileCommands, VanishedSourceDirectoryEndsWithIoError) {
    frame.Open(scratch / "gone", "game.c");
    for (Command command : {&CompileCCode1Click, &CompileAssembly1Click}) {
        frame.StatusTexts.clear();
        EXPECT_FALSE(RunCommand([&] { command(services); }));
        EXPECT_EQ(panel.Lines.size(), 3u);  // the banner stays
        EXPECT_EQ(frame.StatusTexts, std::vector<std::string>{"Compiling C file: " + Caption()});
    }
    ASSERT_EQ(dialogs.Messages.size(), 2u);
    EXPECT_EQ(dialogs.Messages[0].Text, "I/O error 2");
    EXPECT_EQ(dialogs.Messages[0].Type, TMsgDlgType::mtError);
    EXPECT_TRUE(starter.CommandLines.empty());
}

TEST_F(CompileCommands, OutputThatCannotBeLoadedIsReportedAndCommandCarriesOn) {
    Tool("own/vesk.exe", "messages");
    panel.FailLoads = true;
    CompileCCode1Click(services);
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text, kCouldNotLoad);
    EXPECT_EQ(dialogs.Messages[0].Type, TMsgDlgType::mtError);
    EXPECT_EQ(frame.Status(), Finished(kNoImage));
}

TEST_F(CompileCommands, LargeBinaryOutputIsLoadedWhole) {
    scratch.Script("own/vesk.exe", "head -c 10485760 /dev/urandom > output.c\n");
    QElapsedTimer clock;
    clock.start();
    CompileCCode1Click(services);
    EXPECT_EQ(panel.LoadedBytes, 10485760u);
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_EQ(frame.Status(), Finished(kNoImage));
}

TEST_F(CompileCommands, OneCharacterNameInDirectoriesWithDots) {
    OpenDocument("a.b/c.d", "x");
    Tool("own/vesk.exe", "");
    CompileCCode1Click(services);
    EXPECT_EQ(LastCommandLine(), "vesk.exe x  >output.c");
    EXPECT_EQ(RecordedDirectory(), scratch / "a.b/c.d");
    EXPECT_EQ(frame.Status(), Finished(kNoImage));
}

TEST(CompileStatusText, SaysWhatBecameOfTheTool) {
    TToolRunResult result;
    EXPECT_EQ(CompileStatusText("c", result),
              "Finished Compiling: c Compile FAILED - could not execute compiler");
    result.Started = true;
    EXPECT_EQ(CompileStatusText("c", result), "Finished Compiling: c Compile Successful");
    result.ExitCode = 137;
    EXPECT_EQ(CompileStatusText("c", result),
              "Finished Compiling: c Compile FAILED (exit code 137)");
    result.Cancelled = true;
    EXPECT_EQ(CompileStatusText("c", result), "Stopped waiting: c Compile still running");
}

}  // namespace
