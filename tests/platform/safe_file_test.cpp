// Safe replacement of a file: the old content survives every failure, the new one arrives whole
// with the old permissions, links are followed and no temporary file stays behind.
#include "platform/safe_file.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

class SafeFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/safe_file_test.XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override { std::system(("rm -rf '" + dir + "'").c_str()); }

    static void Write(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    int Entries() const {
        int count = 0;
        DIR* handle = ::opendir(dir.c_str());
        while (dirent* entry = ::readdir(handle)) {
            if (std::string(entry->d_name) != "." && std::string(entry->d_name) != "..") ++count;
        }
        ::closedir(handle);
        return count;
    }

    std::string dir;
};

TEST_F(SafeFileTest, FailingWriteLeavesTheOldFileAndNoTemporary) {
    const std::string target = dir + "/game.c";
    Write(target, "old\n");
    EXPECT_THROW(WriteFileSafely(target,
                                 [](const std::string& temp) {
                                     Write(temp, "half");
                                     throw std::runtime_error("I/O error 28");
                                 }),
                 std::runtime_error);
    EXPECT_EQ(Read(target), "old\n");
    EXPECT_EQ(Entries(), 1);
}

TEST_F(SafeFileTest, ReplacesKeepingTheModeAndCreatesNewFilesWithTheUsualMode) {
    const std::string target = dir + "/game.c";
    Write(target, "old\n");
    ::chmod(target.c_str(), 0604);
    WriteFileSafely(target, [](const std::string& temp) { Write(temp, "new\n"); });
    EXPECT_EQ(Read(target), "new\n");
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0604u);

    const mode_t mask = ::umask(022);
    const std::string fresh = dir + "/x";
    WriteFileSafely(fresh, [](const std::string& temp) { Write(temp, "x\n"); });
    ::umask(mask);
    ASSERT_EQ(::stat(fresh.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0644u);
    EXPECT_EQ(Entries(), 2);
}

TEST_F(SafeFileTest, FollowsChainedLinks) {
    ::mkdir((dir + "/sub.d").c_str(), 0755);
    Write(dir + "/sub.d/real", "old");
    ASSERT_EQ(::symlink("sub.d/real", (dir + "/one").c_str()), 0);
    ASSERT_EQ(::symlink((dir + "/one").c_str(), (dir + "/two").c_str()), 0);
    EXPECT_EQ(ResolveWriteTarget(dir + "/two"), dir + "/sub.d/real");
    WriteFileSafely(dir + "/two", [](const std::string& temp) { Write(temp, "new"); });
    EXPECT_EQ(Read(dir + "/sub.d/real"), "new");
    struct stat info {};
    ASSERT_EQ(::lstat((dir + "/two").c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
}

TEST_F(SafeFileTest, DirectoryTargetIsRefused) {
    ::mkdir((dir + "/d").c_str(), 0755);
    try {
        WriteFileSafely(dir + "/d", [](const std::string&) { FAIL(); });
        FAIL();
    } catch (const ESafeSaveError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot create file \"" + dir + "/d\". Is a directory");
    }
}

}  // namespace
