// Safe replacement of a file: the old content survives every failure, the new one arrives whole
// with the old permissions, links are followed and no temporary file stays behind.
#include "platform/safe_file.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>

#include "support/child_process.h"

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

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string MakeScratch() {
    char pattern[] = "/tmp/safe_file_child.XXXXXX";
    return ::mkdtemp(pattern) ? pattern : "";
}

std::string Text(std::size_t size, char fill) {
    std::string text;
    for (std::size_t i = 0; text.size() < size; ++i)
        text += i % 60 == 59 ? '\n' : static_cast<char>(fill + i % 7);
    return text;
}

// Writes with the system calls, keeping the error number as the document and settings writers do.
void PosixWrite(const std::string& path, const std::string& content) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) throw EFileError("open", errno);
    for (std::size_t done = 0; done < content.size();) {
        const ssize_t put = ::write(fd, content.data() + done, content.size() - done);
        if (put < 0) {
            const int error = errno;
            ::close(fd);
            throw EFileError("write", error);
        }
        done += static_cast<std::size_t>(put);
    }
    ::close(fd);
}

std::string SaveMessage(const std::string& target, const std::string& content) {
    try {
        WriteFileSafely(target, [&](const std::string& temp) { PosixWrite(temp, content); });
    } catch (const ESafeSaveError& error) {
        return error.what();
    }
    return "saved";
}

// Fills the file system of dir until it takes no more bytes.
void FillDisk(const std::string& dir) {
    std::ofstream filler(dir + "/filler", std::ios::binary);
    const std::string block(512, 'f');
    for (int i = 0; i < 100000 && filler; ++i)
        filler.write(block.data(), block.size()), filler.flush();
}

// A directory that takes no new files (the save cannot make its temporary file there) holding a
// file that may be written: the file is rewritten in place, whole, and cut to its new length.
TEST(SafeSave, InPlaceRewriteOfAFileInADirectoryThatTakesNoNewFiles) {
    EXPECT_CHILD_PASSED(RunInChild([] {
        if (!BecomeOrdinaryUser()) return kChildSkipped;
        const std::string dir = MakeScratch();
        const std::string target = dir + "/game.c";
        WriteFile(target, Text(9000, 'a'));
        ::chmod(dir.c_str(), 0555);
        EXPECT_EQ(SaveMessage(target, "shorter\n"), "saved");
        EXPECT_EQ(ReadFile(target), "shorter\n");
        EXPECT_EQ(SaveMessage(target, Text(12000, 'b')), "saved");
        EXPECT_EQ(ReadFile(target), Text(12000, 'b'));
        // A file that may not be written either stays as it is.
        ::chmod(target.c_str(), 0444);
        EXPECT_EQ(SaveMessage(target, "lost\n"),
                  "Cannot create file \"" + target + "\". Permission denied");
        EXPECT_EQ(ReadFile(target), Text(12000, 'b'));
        ::chmod(dir.c_str(), 0755);
        std::system(("rm -rf '" + dir + "'").c_str());
        return 0;
    }));
}

// The in-place rewrite on a full disk: the new size cannot be reserved, so not a byte of the old
// file changes and the message says the disk is full. A shorter text still fits.
TEST(SafeSave, InPlaceRewriteOnAFullDiskLeavesTheFileAndSaysSo) {
    const std::string dir = MakeScratch();
    ::chmod(dir.c_str(), 0755);
    EXPECT_CHILD_PASSED(RunInChild([&] {
        if (!MountPrivateTmpfs(dir, 64)) return kChildSkipped;
        ::mkdir((dir + "/project").c_str(), 0755);
        const std::string target = dir + "/project/game.c";
        const std::string old = Text(7801, 'a');
        WriteFile(target, old);
        FillDisk(dir);
        ::chmod((dir + "/project").c_str(), 0555);
        if (!DropCapabilities()) return kChildSkipped;
        EXPECT_EQ(SaveMessage(target, old + std::string(400, 'x')),
                  "Cannot create file \"" + target + "\". The disk is full");
        EXPECT_EQ(ReadFile(target), old);
        EXPECT_EQ(SaveMessage(target, "int x;\n"), "saved");
        EXPECT_EQ(ReadFile(target), "int x;\n");
        return 0;
    }));
    std::system(("rm -rf '" + dir + "'").c_str());
}

// The usual save on a full disk: the temporary file cannot be written, the message names the
// file the user saved and says why, and no temporary file stays behind.
TEST(SafeSave, AFullDiskIsReportedWithTheFileName) {
    const std::string dir = MakeScratch();
    ::chmod(dir.c_str(), 0755);
    EXPECT_CHILD_PASSED(RunInChild([&] {
        if (!MountPrivateTmpfs(dir, 64)) return kChildSkipped;
        const std::string target = dir + "/game.c";
        WriteFile(target, "old\n");
        FillDisk(dir);
        ::unlink((dir + "/filler").c_str());
        WriteFile(dir + "/filler", Text(60 * 1024, 'f'));
        EXPECT_EQ(SaveMessage(target, Text(20000, 'n')),
                  "Cannot create file \"" + target + "\". The disk is full");
        EXPECT_EQ(ReadFile(target), "old\n");
        DIR* handle = ::opendir(dir.c_str());
        int entries = 0;
        while (dirent* entry = ::readdir(handle)) entries += entry->d_name[0] != '.' ? 1 : 0;
        int hidden = 0;
        ::rewinddir(handle);
        while (dirent* entry = ::readdir(handle))
            hidden += entry->d_name[0] == '.' && std::string(entry->d_name).size() > 2 ? 1 : 0;
        ::closedir(handle);
        EXPECT_EQ(entries, 2);
        EXPECT_EQ(hidden, 0);
        return 0;
    }));
    std::system(("rm -rf '" + dir + "'").c_str());
}

// A file-size limit stops the in-place rewrite before it changes anything, as a full disk does.
TEST(SafeSave, InPlaceRewriteBeyondTheFileSizeLimitLeavesTheFile) {
    EXPECT_CHILD_PASSED(RunInChild([] {
        if (!BecomeOrdinaryUser()) return kChildSkipped;
        std::signal(SIGXFSZ, SIG_IGN);
        const std::string dir = MakeScratch();
        const std::string target = dir + "/game.c";
        const std::string old = Text(7801, 'a');
        WriteFile(target, old);
        ::chmod(dir.c_str(), 0555);
        rlimit small{8192, 8192};
        ::setrlimit(RLIMIT_FSIZE, &small);
        EXPECT_EQ(SaveMessage(target, old + std::string(400, 'x')),
                  "Cannot create file \"" + target +
                      "\". The file would be larger than this process may write");
        EXPECT_EQ(ReadFile(target), old);
        ::chmod(dir.c_str(), 0755);
        std::system(("rm -rf '" + dir + "'").c_str());
        return 0;
    }));
}

// What a save that was killed leaves behind is removed at the next save in that directory (or
// at start): only our own names, only files older than this process, only when the process that
// made them is gone. Everything else stays.
TEST_F(SafeFileTest, StaleTemporaryFilesOfKilledSavesAreRemoved) {
    const pid_t gone = ::fork();
    if (gone == 0) ::_exit(0);
    ASSERT_GT(gone, 0);
    ::waitpid(gone, nullptr, 0);
    const std::string target = dir + "/big100.c";
    int planted = 0;
    auto plant = [&](const std::string& name, long pid, bool old) {
        std::string path = SaveFilePattern(target, pid);
        if (!name.empty())
            path = dir + "/" + name;
        else
            path.replace(path.size() - 6, 6, "a1B2c" + std::to_string(++planted));
        Write(path, std::string(1000, 'x'));
        if (old) {
            const timeval past[2] = {{std::time(nullptr) - 3600, 0},
                                     {std::time(nullptr) - 3600, 0}};
            ::utimes(path.c_str(), past);
        }
        return path.substr(dir.size() + 1);
    };
    const std::string stale = plant("", gone, true);
    const std::string recent = plant("", gone, false);
    const std::string running = plant("", ::getppid(), true);
    const std::string other = plant(".big100.c.swp", 0, true);
    const std::string lookalike = plant(".big100.c.quillon-save-1x2-a1B2c3", 0, true);
    const std::string veskide =
        plant(".veskide.ini.quillon-save-" + std::to_string(gone) + "-zzzzzz", 0, true);

    WriteFileSafely(target, [](const std::string& temp) { Write(temp, "new\n"); });
    EXPECT_EQ(Read(target), "new\n");
    auto exists = [&](const std::string& name) {
        return ::access((dir + "/" + name).c_str(), F_OK) == 0;
    };
    EXPECT_FALSE(exists(stale));
    EXPECT_FALSE(exists(veskide));  // the whole directory is cleaned
    EXPECT_TRUE(exists(recent));
    EXPECT_TRUE(exists(running));
    EXPECT_TRUE(exists(other));
    EXPECT_TRUE(exists(lookalike));
    EXPECT_EQ(RemoveStaleSaveFiles(dir), 0);
}

}  // namespace
