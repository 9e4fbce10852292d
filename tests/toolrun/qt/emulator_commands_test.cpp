// Emulators 1 to 5: the refusal, command lines and status texts, missing emulator keys, and the
// image name.
#include "toolrun/emulator_commands.h"

#include <gtest/gtest.h>

#include "build_fixture.h"
#include "platform/qt/error_report.h"
#include "toolrun/image_name.h"

namespace {

class EmulatorCommands : public BuildFixture {
  protected:
    EmulatorCommands() {
        OpenDocument("games", "game.c");
        scratch.Write("games/game.pce", "image");
    }
};

TEST_F(EmulatorCommands, RefusesWithoutDocument) {
    frame.Documents = 0;
    EMUClick(services, 0);
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text,
              "I'm sorry, but...\r\nI cannot find the rom \r\nimage I'm supposed to\r\npass to the "
              "emualtor.\r\nThis function really\r\nisn't supposed to work \r\nwithout one...");
    EXPECT_EQ(dialogs.Messages[0].Type, TMsgDlgType::mtInformation);
    EXPECT_EQ(dialogs.Messages[0].Buttons, TMsgDlgButtons{mbOK});
    EXPECT_TRUE(frame.StatusTexts.empty());
    EXPECT_TRUE(starter.CommandLines.empty());
}

TEST_F(EmulatorCommands, StartsEmulatorOnImageInSourceDirectory) {
    const std::string emulator = Tool("emu/pce.exe", "");
    for (int index = 0; index < 5; ++index) settings.Emulators[index] = emulator;
    for (int index = 0; index < 5; ++index) {
        EMUClick(services, index);
        const std::string expected = emulator + " " + scratch / "games/game.pce";
        EXPECT_EQ(LastCommandLine(), expected);
        EXPECT_EQ(frame.Status(), expected);
        EXPECT_EQ(RecordedArguments(), "[" + scratch / "games/game.pce]");
        EXPECT_EQ(RecordedDirectory(), scratch / "games");
    }
    EXPECT_EQ(loading.Shows, 5);
    EXPECT_EQ(loading.Closes, 5);
    EXPECT_FALSE(panel.Visible);
}

TEST_F(EmulatorCommands, EmulatorThatCannotStartIsNamedWithTheReason) {
    const std::string image = scratch / "games/game.pce";
    EMUClick(services, 0);
    EXPECT_EQ(frame.Status(), "Could not start:  " + image + " - no command is set for Emulator 1");
    EMUClick(services, 1);
    EXPECT_EQ(frame.Status(),
              "Could not start: no emulator specified!!! " + image + " - program not found: no");
    settings.Emulators[2] = scratch.Write("emu/plain", "not a program", 0644);
    EMUClick(services, 2);
    EXPECT_EQ(frame.Status(), "Could not start: " + settings.Emulators[2] + " " + image +
                                  " - not an executable program: " + settings.Emulators[2]);
    EXPECT_EQ(loading.Shows, 3);
    EXPECT_EQ(loading.Closes, 3);
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_FALSE(panel.Visible);
}

TEST_F(EmulatorCommands, MissingImageIsSaidAndNothingStarts) {
    settings.Emulators[0] = Tool("emu/pce.exe", "");
    OpenDocument("games", "other.c");
    EMUClick(services, 0);
    EXPECT_EQ(frame.Status(), "No image to run: " + scratch / "games/other.pce" +
                                  " does not exist (build it first)");
    EXPECT_TRUE(starter.CommandLines.empty());
    EXPECT_EQ(loading.Shows, 0);
}

TEST_F(EmulatorCommands, FailingEmulatorShowsItsMessagesAndExitStatus) {
    // The build's messages are in the panel and stay there.
    panel.Lines = {"game.c(3): warning: unused"};
    settings.Emulators[0] = scratch.Script("emu/pce", "echo 'cannot open display' >&2\nexit 1\n");
    EMUClick(services, 0);
    const std::string commandLine = settings.Emulators[0] + " " + scratch / "games/game.pce";
    EXPECT_TRUE(panel.Visible);
    EXPECT_EQ(panel.Lines,
              (std::vector<std::string>{"game.c(3): warning: unused", std::string(50, '-'),
                                        "*running " + commandLine, "cannot open display",
                                        "(exit status 1)"}));
    EXPECT_EQ(frame.Status(), commandLine + " - ended with exit status 1");

    // An emulator that ends well leaves the panel alone, whatever it printed while it ran.
    panel.Visible = false;
    panel.Lines = {"build output"};
    settings.Emulators[0] = scratch.Script("emu/chatty", "echo 'Loading ROM...'\nexit 0\n");
    EMUClick(services, 0);
    EXPECT_FALSE(panel.Visible);
    EXPECT_EQ(panel.Lines, std::vector<std::string>{"build output"});
    EXPECT_EQ(frame.Status(), settings.Emulators[0] + " " + scratch / "games/game.pce");
}

TEST_F(EmulatorCommands, ImagePathWithBlanksIsQuotedAndTemplatesAreExpanded) {
    const std::string emulator = Tool("emu/pce.exe", "");
    OpenDocument("my games", "game.c");
    scratch.Write("my games/game.pce", "image");
    settings.Emulators[0] = emulator;
    EMUClick(services, 0);
    EXPECT_EQ(LastCommandLine(), emulator + " \"" + scratch / "my games/game.pce\"");
    EXPECT_EQ(RecordedArguments(), "[" + scratch / "my games/game.pce]");

    settings.Emulators[0] = emulator + " -sound 0 {image}";
    EMUClick(services, 0);
    EXPECT_EQ(RecordedArguments(), "[-sound][0][" + scratch / "my games/game.pce]");
}

TEST_F(EmulatorCommands, UnsavedOrVanishedSourceDirectoryEndsWithIoError) {
    settings.Emulators[0] = Tool("emu/pce.exe", "");
    frame.Open(scratch / "gone", "game.c");
    EXPECT_FALSE(RunCommand([&] { EMUClick(services, 0); }));
    frame.Dir.clear();
    EXPECT_FALSE(RunCommand([&] { EMUClick(services, 0); }));
    ASSERT_EQ(dialogs.Messages.size(), 2u);
    EXPECT_EQ(dialogs.Messages[0].Text, "I/O error 2");
    EXPECT_EQ(dialogs.Messages[1].Text, "I/O error 2");
    EXPECT_TRUE(frame.StatusTexts.empty());
    EXPECT_TRUE(starter.CommandLines.empty());
}

TEST(ImageName, ReplacesLastExtensionOrAppendsOne) {
    EXPECT_EQ(ImageName("game.c"), "game.pce");
    EXPECT_EQ(ImageName("game.asm"), "game.pce");
    EXPECT_EQ(ImageName("my.game.c"), "my.game.pce");
    EXPECT_EQ(ImageName("x"), "x.pce");
    EXPECT_EQ(ImageName("game."), "game.pce");
    EXPECT_EQ(ImageName("a.b/x"), "x.pce");
    EXPECT_EQ(ImageName("a.b/x.c"), "x.pce");
    EXPECT_EQ(ImageName(""), ".pce");
}

}  // namespace
