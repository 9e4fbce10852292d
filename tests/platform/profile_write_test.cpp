// Single-key writes go through a temporary file and a rename: a failure half-way leaves the old
// file whole, and a successful write keeps every other byte, line breaks included.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <random>
#include <set>

#include "platform/profile.h"
#include "platform/scratch_directory.h"
#include "support/child_process.h"

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

TEST(ProfileWrite, SeveralKeysInOneWriteGiveWhatSingleWritesGive) {
    ScratchDirectory dir;
    const std::string text = "; note\r\n[C]\r\npcecc=old\r\n[RECENT]\r\nFile2=b\r\n[E]\r\nA=x\r\n";
    const std::string one = dir.Write("one.ini", text);
    const std::string many = dir.Write("many.ini", text);
    for (const auto& [key, value] : {std::pair{"File1", "a"}, {"File2", ""}, {"File3", "c"}})
        WriteProfileString(one, "recent", key, value);
    WriteProfileStrings(many, "recent", {{"File1", "a"}, {"File2", ""}, {"File3", "c"}});
    EXPECT_EQ(dir.Read("many.ini"), dir.Read("one.ini"));
    WriteProfileStrings(many, "NEW", {{"K", "1"}, {"L", "2"}});
    EXPECT_EQ(ReadProfileString(many, "NEW", "L", ""), "2");
    EXPECT_EQ(ReadProfileString(many, "E", "A", ""), "x");
    EXPECT_THROW(WriteProfileStrings(many, "NEW", {{"K", "1"}, {"bad\nkey", "2"}}),
                 EIniFileException);
    EXPECT_EQ(ReadProfileString(many, "NEW", "K", ""), "1");
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

    // Permissions bind for an ordinary user only, so this part runs as one.
    EXPECT_CHILD_PASSED(RunInChild([] {
        if (!BecomeOrdinaryUser()) return kChildSkipped;
        ScratchDirectory own;
        const std::string file = own.Write("sub/veskide.ini", "[C]\npcecc=old\n[COLORS]\nX=1\n");
        ::chmod((own / "sub").c_str(), 0555);
        // A directory that takes no new files: the file itself is rewritten, whole.
        WriteProfileString(file, "C", "pcecc", "new.exe");
        EXPECT_EQ(own.Read("sub/veskide.ini"), "[C]\npcecc=new.exe\n[COLORS]\nX=1\n");
        // Neither the directory nor the file may be written: nothing changes.
        ::chmod(file.c_str(), 0444);
        ExpectUnableToWrite(file);
        ::chmod((own / "sub").c_str(), 0755);
        EXPECT_EQ(own.Read("sub/veskide.ini"), "[C]\npcecc=new.exe\n[COLORS]\nX=1\n");
        return 0;
    }));
}

// A full disk keeps the whole file, [COLORS] included, and the message says why.
TEST(ProfileWrite, AFullDiskKeepsTheFileAndSaysSo) {
    ScratchDirectory dir;
    ::chmod(dir.Path().c_str(), 0755);
    EXPECT_CHILD_PASSED(RunInChild([&] {
        if (!MountPrivateTmpfs(dir.Path(), 16)) return kChildSkipped;
        const std::string before =
            "[C]\npcecc=old\n; " + std::string(4000, 'x') + "\n[COLORS]\nBGCOLOR=1\n";
        const std::string file = dir.Write("veskide.ini", before);
        {
            std::ofstream filler(dir / "filler", std::ios::binary);
            const std::string block(512, 'f');
            for (int i = 0; i < 1000 && filler; ++i)
                filler.write(block.data(), block.size()).flush();
        }
        try {
            WriteProfileString(file, "C", "pcecc", std::string(5000, 'n'));
            ADD_FAILURE() << "no exception";
        } catch (const EIniFileException& error) {
            EXPECT_EQ(std::string(error.what()),
                      "Unable to write to " + file + ": the disk is full");
        }
        EXPECT_EQ(dir.Read("veskide.ini"), before);
        EXPECT_EQ(Entries(dir.Path()), 2);
        return 0;
    }));
}

// Line breaks and zero bytes in a value become blanks: the value stays on its key's line and
// cannot open a section or key of its own. Names with line breaks are refused.
TEST(ProfileWrite, AValueNeverBreaksItsLine) {
    ScratchDirectory dir;
    const std::string file = dir.Write("veskide.ini", "[E]\nA=x\n[C]\npcecc=cc\n");
    WriteProfileString(file, "E", "A", "ext\n[C]\npcecc=/tmp/evil {file}\r\n");
    EXPECT_EQ(dir.Read("veskide.ini"), "[E]\nA=ext [C] pcecc=/tmp/evil {file}  \n[C]\npcecc=cc\n");
    EXPECT_EQ(ReadProfileString(file, "C", "pcecc", "?"), "cc");
    WriteProfileString(file, "E", "B", std::string("a\0b", 3));
    EXPECT_EQ(ReadProfileString(file, "E", "B", "?"), "a b");
    EXPECT_THROW(WriteProfileString(file, "E\n[C]", "A", "v"), EIniFileException);
    EXPECT_THROW(WriteProfileString(file, "E", "A\rB", "v"), EIniFileException);
    // Names that would read back as another key or section are refused too.
    EXPECT_THROW(WriteProfileString(file, "E", "A=B", "v"), EIniFileException);
    EXPECT_THROW(WriteProfileString(file, "E", " [C]", "v"), EIniFileException);
    EXPECT_THROW(WriteProfileString(file, "E]x", "A", "v"), EIniFileException);
    EXPECT_EQ(ReadProfileString(file, "E", "A", "?"), "ext [C] pcecc=/tmp/evil {file}");
}

// Random writes of awkward names and values (beginning with "-", empty, holding CR, LF, zero
// bytes, "=", brackets) against a model: every key reads back the last value written to it, and
// the file holds exactly one line per section and per key, so no value ever made a line.
TEST(ProfileWrite, RandomNamesAndValuesKeepOneLinePerKey) {
    const int runs =
        std::getenv("QUILLON_FUZZ_RUNS") ? std::atoi(std::getenv("QUILLON_FUZZ_RUNS")) : 200;
    std::mt19937 random(24);
    const std::vector<std::string> names = {"C",  "-C",    "--", "-",   "E",
                                            "-o", "pcecc", "-A", "A b", "x-"};
    const std::string alphabet = std::string("ab-= [];\r\n\t\"\\") + std::string(1, '\0');
    ScratchDirectory dir;
    ::chmod(dir.Path().c_str(), 0755);
    // Every write flushes its file to the disk; in a memory file system of its own, where that
    // costs nothing, the child makes many more writes in the same time.
    EXPECT_CHILD_PASSED(RunInChild([&]() -> int {
        [[maybe_unused]] const bool inMemory = MountPrivateTmpfs(dir.Path(), 8192);
        long writes = 0;
        for (int run = 0; run < runs; ++run) {
            const std::string file = dir / ("run" + std::to_string(run) + ".ini");
            std::map<std::pair<std::string, std::string>, std::string> model;
            std::set<std::string> sections;
            for (int step = 0; step < 30; ++step) {
                const std::string section = names[random() % names.size()];
                const std::string key = names[random() % names.size()];
                std::string value;
                const int length = random() % 4 == 0 ? 0 : static_cast<int>(random() % 12);
                for (int i = 0; i < length; ++i) value += alphabet[random() % alphabet.size()];
                WriteProfileString(file, section, key, value);
                ++writes;
                std::string expected = OneLineProfileValue(value);
                expected.erase(0, expected.find_first_not_of(" \t"));
                expected.erase(expected.find_last_not_of(" \t") + 1);
                model[{section, key}] = expected;
                sections.insert(section);
            }
            for (const auto& [where, value] : model)
                EXPECT_EQ(ReadProfileString(file, where.first, where.second, "?"), value)
                    << file << " [" << where.first << "] " << where.second;
            const std::string text = dir.Read(file.substr(dir.Path().size() + 1));
            EXPECT_EQ(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')),
                      sections.size() + model.size());
            EXPECT_EQ(text.find('\r'), std::string::npos);
            EXPECT_EQ(text.find('\0'), std::string::npos);
            if (::testing::Test::HasFailure()) break;
        }
        std::cout << "[ fuzz     ] settings writer: " << writes << " writes in " << runs
                  << " files\n";
        return 0;
    }));
}

}  // namespace
