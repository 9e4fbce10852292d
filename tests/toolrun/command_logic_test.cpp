// The compile and emulator commands on the plain seams alone: a launcher that runs nothing and
// the recorded dialogs. The banner must be painted before the tool starts, and what the launcher
// reports decides the panel and the status text.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/scratch_directory.h"
#include "support/recorded_dialogs.h"
#include "toolrun/build_doubles.h"
#include "toolrun/build_services.h"
#include "toolrun/compile_commands.h"
#include "toolrun/emulator_commands.h"

namespace {

class CommandLogic : public ::testing::Test {
  protected:
    CommandLogic() : services{frame, settings, panel, launcher}, dialogsScope(dialogs) {
        std::filesystem::create_directories(scratch / "src");
        frame.Open(scratch / "src", "game.c");
    }

    ScratchDirectory scratch;
    TCurrentDirUnchanged currentDir;
    TTestFrame frame;
    TTestSettings settings;
    TTestOutputPanel panel;
    TScriptedLauncher launcher;
    TBuildServices services;
    TRecordedDialogs dialogs;
    TDialogsScope dialogsScope;
};

TEST_F(CommandLogic, BannerIsPaintedBeforeTheToolRunsAndItsPrintedMessagesFollow) {
    settings.Switches = "-cd";
    std::vector<std::string> linesWhileRunning;
    int paintsBeforeRun = -1;
    launcher.Run = [&](const std::string&) {
        linesWhileRunning = panel.Lines;
        paintsBeforeRun = launcher.PendingMessageRuns;
        return TToolRunResult{true, false, 1, "", "game.c(3): error\n"};
    };
    CompileCCode1Click(services);

    EXPECT_EQ(launcher.CommandLines, std::vector<std::string>{"vesk.exe game.c -cd >output.c"});
    // The tool is started in the source directory; the program's own stays (see currentDir).
    EXPECT_EQ(launcher.WorkingDirectories, std::vector<std::string>{scratch / "src/"});
    EXPECT_EQ(paintsBeforeRun, 1);
    ASSERT_EQ(linesWhileRunning.size(), 3u);
    EXPECT_EQ(linesWhileRunning[1], "*compiling vesk.exe game.c -cd");
    EXPECT_EQ(panel.Lines, std::vector<std::string>{"game.c(3): error"});
    EXPECT_EQ(frame.Status(),
              "Finished Compiling: " + frame.Caption + " Compile FAILED (exit code 1)");
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(CommandLogic, RefusalsGoThroughThePlainDialogSeamAndRunNothing) {
    frame.Documents = 0;
    CompileAssembly1Click(services);
    EMUClick(services, 0);
    ASSERT_EQ(dialogs.Messages.size(), 2u);
    EXPECT_EQ(dialogs.Types[0], TMsgDlgType::mtError);
    EXPECT_EQ(dialogs.Types[1], TMsgDlgType::mtInformation);
    EXPECT_TRUE(launcher.CommandLines.empty());
    EXPECT_FALSE(panel.Visible);

    // An emulator that could not start says why in the status bar only.
    frame.Documents = 1;
    scratch.Write("src/game.pce", "image");
    settings.Emulators[2] = "emu";
    launcher.Run = [](const std::string&) {
        return TToolRunResult{false, false, 0, "program not found: emu", ""};
    };
    EMUClick(services, 2);
    EXPECT_EQ(launcher.CommandLines, std::vector<std::string>{"emu " + scratch / "src/game.pce"});
    EXPECT_EQ(launcher.WorkingDirectories, std::vector<std::string>{scratch / "src/"});
    EXPECT_EQ(frame.Status(),
              "Could not start: emu " + scratch / "src/game.pce" + " - program not found: emu");
    EXPECT_FALSE(panel.Visible);
}

}  // namespace
