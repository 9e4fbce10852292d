// Reading keys from large and unusual configuration files: the look-up scans the file without
// holding it, and anything but a regular file reads as a missing one.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "platform/profile.h"
#include "platform/scratch_directory.h"

namespace {

long PeakKilobytes() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

TEST(ProfileRead, AKeyInAHugeFileIsFoundWithoutHoldingTheFile) {
    ScratchDirectory dir;
    const std::string file = dir / "veskide.ini";
    constexpr long kFileBytes = 96L << 20;
    {
        std::ofstream out(file, std::ios::binary);
        out << "[COLORS]\r\n";
        const std::string filler = "X=1\r\n";
        std::string block;
        while (block.size() < (1u << 20)) block += filler;
        for (long written = 0; written < kFileBytes; written += static_cast<long>(block.size()))
            out << block;
        out << "BGCOLOR= 255 \r\n[OTHER]\r\nBGCOLOR=1\r\n";
    }
    const long before = PeakKilobytes();
    EXPECT_EQ(ReadProfileString(file, "colors", "bgcolor", "d"), "255");
    EXPECT_EQ(ReadProfileString(file, "OTHER", "BGCOLOR", "d"), "1");
    EXPECT_EQ(ReadProfileString(file, "COLORS", "MISSING", "d"), "d");
    // Whatever the peak was before, reading added far less than the file's size.
    EXPECT_LT(PeakKilobytes() - before, (kFileBytes >> 10) / 4);
}

TEST(ProfileRead, LinesThatCrossTheReadBlocksReadWhole) {
    ScratchDirectory dir;
    const std::string file = dir / "veskide.ini";
    for (std::size_t pad = 65530; pad < 65540; ++pad) {
        // The key line, or the CR LF before it, straddles the first block's end.
        std::string text = "[S]\r\n;" + std::string(pad - 6, 'c') + "\r\nKEY=value\r\nNEXT=2";
        dir.Write("veskide.ini", text);
        EXPECT_EQ(ReadProfileString(file, "S", "KEY", "d"), "value") << pad;
        EXPECT_EQ(ReadProfileString(file, "S", "NEXT", "d"), "2") << pad;
    }
}

TEST(ProfileRead, PipesAndDevicesReadAsAMissingFile) {
    ScratchDirectory dir;
    const std::string pipe = dir / "pipe.ini";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    EXPECT_EQ(ReadProfileString(pipe, "COLORS", "BGCOLOR", "16777215"), "16777215");
    const std::string zero = dir / "zero.ini";
    ASSERT_EQ(::symlink("/dev/zero", zero.c_str()), 0);
    EXPECT_EQ(ReadProfileString(zero, "COLORS", "BGCOLOR", "16777215"), "16777215");
    EXPECT_EQ(ReadProfileString(dir.Path(), "COLORS", "BGCOLOR", "d"), "d");
}

}  // namespace

namespace {

// A write rereads the file first: a pipe or device there must neither block nor be replaced.
TEST(ProfileWriteOverSpecialFiles, PipesAndDevicesAreRefusedNotReplaced) {
    ScratchDirectory dir;
    const std::string pipe = dir / "pipe.ini";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    EXPECT_THROW(WriteProfileString(pipe, "C", "pcecc", "cc"), EIniFileException);
    struct stat info {};
    ASSERT_EQ(::lstat(pipe.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));

    const std::string zero = dir / "zero.ini";
    ASSERT_EQ(::symlink("/dev/zero", zero.c_str()), 0);
    EXPECT_THROW(WriteProfileString(zero, "C", "pcecc", "cc"), EIniFileException);
    ASSERT_EQ(::lstat(zero.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
}

}  // namespace
