// Emulators 1 to 5: the refusal, command lines and status texts, missing emulator keys, and the
// image name.
#include "build/emulator_commands.h"

#include <gtest/gtest.h>

#include "build/image_name.h"
#include "build_fixture.h"
#include "platform/qt/error_report.h"

namespace {

class EmulatorCommands : public BuildFixture {
  protected:
    EmulatorCommands() { OpenDocument("games", "game.c"); }
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

TEST_F(EmulatorCommands, MissingEmulatorsStartNothingAndShowTheCommandLine) {
    EMUClick(services, 0);
    EXPECT_EQ(frame.Status(), " " + scratch / "games/game.pce");
    EMUClick(services, 1);
    EXPECT_EQ(frame.Status(), "no emulator specified!!! " + scratch / "games/game.pce");
    EXPECT_EQ(loading.Shows, 2);
    EXPECT_EQ(loading.Closes, 2);
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(EmulatorCommands, EmulatorPathWithBlanksAndDotsInDirectories) {
    const std::string emulator = Tool("my emus/run", "");
    settings.Emulators[2] = emulator;
    OpenDocument("a.b/c.d", "x");
    EMUClick(services, 2);
    EXPECT_EQ(LastCommandLine(), emulator + " " + scratch / "a.b/c.d/x.pce");
    EXPECT_EQ(RecordedDirectory(), scratch / "a.b/c.d");
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
