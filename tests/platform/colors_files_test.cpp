// Colour values and names; file services.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "platform/colors.h"
#include "platform/files.h"

namespace {

namespace fs = std::filesystem;

TEST(ColorsTest, ValuesKeepRedInTheLowestByte) {
    EXPECT_EQ(clRed, 255);
    EXPECT_EQ(clBlue, 16711680);
    EXPECT_EQ(clNavy, 8388608);
    EXPECT_EQ(clWhite, 16777215);
    EXPECT_EQ(RGBToColor(0x12, 0x34, 0x56), 0x563412);
    EXPECT_EQ(GetRValue(8421440), 0x40);
    EXPECT_EQ(GetBValue(8421440), 0x80);
    EXPECT_EQ(static_cast<std::uint32_t>(clWindow), 0x80000005u);
    EXPECT_EQ(static_cast<std::uint32_t>(clHighlight), 0x8000000Du);
    EXPECT_TRUE(IsSystemColor(clAppWorkSpace));
    EXPECT_EQ(SystemColorIndex(clAppWorkSpace), 12);
    EXPECT_FALSE(IsSystemColor(clNone));
    EXPECT_FALSE(IsSystemColor(clWhite));
}

TEST(ColorsTest, NamesRoundTrip) {
    EXPECT_EQ(ColorToString(clNavy), "clNavy");
    EXPECT_EQ(ColorToString(clBtnFace), "clBtnFace");
    EXPECT_EQ(ColorToString(8421440), "8421440");
    EXPECT_EQ(IdentToColor("CLWINDOWTEXT"), clWindowText);
    EXPECT_EQ(IdentToColor("clNoSuchColor"), std::nullopt);
}

class FilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/files_test_XXXXXX";
        m_dir = ::mkdtemp(pattern);
    }
    void TearDown() override { fs::remove_all(m_dir); }
    void Make(const std::string& name, const std::string& text) {
        std::ofstream(m_dir + "/" + name) << text;
    }
    std::string m_dir;
};

TEST_F(FilesTest, RenameNeverReplacesAnExistingFile) {
    Make("output.c", "new");
    Make("oldoutput.c", "old");
    EXPECT_FALSE(RenameFileNoReplace(m_dir + "/output.c", m_dir + "/oldoutput.c"));
    EXPECT_TRUE(FileExists(m_dir + "/output.c"));
    std::ifstream kept(m_dir + "/oldoutput.c");
    std::string text;
    kept >> text;
    EXPECT_EQ(text, "old");

    fs::remove(m_dir + "/oldoutput.c");
    EXPECT_TRUE(RenameFileNoReplace(m_dir + "/output.c", m_dir + "/oldoutput.c"));
    EXPECT_FALSE(FileExists(m_dir + "/output.c"));
    EXPECT_TRUE(FileExists(m_dir + "/oldoutput.c"));
    EXPECT_FALSE(RenameFileNoReplace(m_dir + "/missing", m_dir + "/other"));
}

TEST_F(FilesTest, ExistenceAndCurrentDirectory) {
    Make("game.c", "x");
    EXPECT_FALSE(FileExists(m_dir));  // a directory is no file
    const std::string before = GetCurrentDir();
    std::filesystem::current_path(m_dir);
    EXPECT_TRUE(FileExists("game.c"));
    EXPECT_FALSE(FileExists("game.pce"));
    std::filesystem::current_path(before);
}

TEST_F(FilesTest, ADirectoryToolsCanWorkInExistsAndMayBeSearched) {
    Make("game.c", "x");
    EXPECT_EQ(DirectoryEntryError(m_dir), 0);
    EXPECT_EQ(DirectoryEntryError(m_dir + "/missing"), ENOENT);
    EXPECT_EQ(DirectoryEntryError(""), ENOENT);  // a document never saved has no directory
    EXPECT_EQ(DirectoryEntryError(m_dir + "/game.c"), ENOTDIR);
}

}  // namespace
