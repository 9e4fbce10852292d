// Single-key writes go through a temporary file and a rename: a failure half-way leaves the old
// file whole, and a successful write keeps every other byte, line breaks included.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "platform/profile.h"
#include "platform/scratch_directory.h"

namespace {

int Entries(const std::string& dir) {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir)) ++count;
    return count;
}

void ExpectUnableToWrite(const std::string& file) {
    try {
        WriteProfileString(file, "C", "pcecc", "new.exe");
        FAIL() << "no exception";
    } catch (const EIniFileException& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + file);
    }
}

TEST(ProfileWrite, LfOnlyLinesStayLfAndTheFileIsReplacedWhole) {
    ScratchDirectory dir;
    const std::string file = dir.Write("veskide.ini", "[C]\npcecc=old\n\n[COLORS]\nBGCOLOR=1\n");
    WriteProfileString(file, "C", "pcecc", "a b\\\"c\xE9");
    WriteProfileString(file, "COLORS", "STRCOLOR", "255");
    EXPECT_EQ(dir.Read("veskide.ini"),
              "[C]\npcecc=a b\\\"c\xE9\n\n[COLORS]\nBGCOLOR=1\nSTRCOLOR=255\n");
    EXPECT_EQ(Entries(dir.Path()), 1);  // no temporary file left behind
}

// A disk that fills up half-way: the file-size limit makes the write of the temporary file fail
// (this works for root too, unlike permissions).
TEST(ProfileWrite, AWriteThatFailsHalfWayLeavesTheOldFileWhole) {
    ScratchDirectory dir;
    const std::string before = "[C]\r\npcecc=old\r\n; " + std::string(3000, 'x') + "\r\n";
    const std::string file = dir.Write("veskide.ini", before);

    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    ExpectUnableToWrite(file);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(dir.Read("veskide.ini"), before);
    EXPECT_EQ(Entries(dir.Path()), 1);
}

TEST(ProfileWrite, AReadOnlyDirectoryOrADirectoryInPlaceOfTheFileRaisesTheMessage) {
    ScratchDirectory dir;
    // A directory where the file should be is never replaced.
    std::filesystem::create_directory(dir / "veskide.ini");
    ExpectUnableToWrite(dir / "veskide.ini");
    EXPECT_TRUE(std::filesystem::is_directory(dir / "veskide.ini"));

    if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only directories";
    const std::string file = dir.Write("sub/veskide.ini", "[C]\npcecc=old\n");
    ::chmod((dir / "sub").c_str(), 0555);
    ExpectUnableToWrite(file);
    ::chmod((dir / "sub").c_str(), 0755);
    EXPECT_EQ(dir.Read("sub/veskide.ini"), "[C]\npcecc=old\n");
}

}  // namespace
