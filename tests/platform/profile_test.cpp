// Profile file reading and single-key writing.
#include "platform/profile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

class ProfileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/profile_test_XXXXXX";
        m_dir = ::mkdtemp(pattern);
        m_file = m_dir + "/test.ini";
    }
    void TearDown() override { fs::remove_all(m_dir); }

    void WriteFile(const std::string& bytes) {
        std::ofstream out(m_file, std::ios::binary);
        out << bytes;
    }
    std::string FileBytes() const {
        std::ifstream in(m_file, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::string Read(std::string_view section, std::string_view key,
                     std::string_view def = "<default>") const {
        return ReadProfileString(m_file, section, key, def);
    }

    std::string m_dir;
    std::string m_file;
};

TEST_F(ProfileTest, NamesMatchRegardlessOfCaseAndValuesAreTrimmed) {
    WriteFile("[Colors]\r\nBgColor =  $FF \t\r\n[C]\r\npcecc=c:\\tools\\vesk.exe -x=1\r\n");
    EXPECT_EQ(Read("COLORS", "BGCOLOR"), "$FF");
    EXPECT_EQ(Read("colors", "bgcolor"), "$FF");
    // Only the first "=" separates key and value.
    EXPECT_EQ(Read("C", "PCECC"), "c:\\tools\\vesk.exe -x=1");
}

TEST_F(ProfileTest, MissingThingsGiveTheDefaultButAnEmptyValueIsEmpty) {
    EXPECT_EQ(Read("C", "pcecc"), "<default>");  // no file at all
    WriteFile("[C]\npcecc=\npceasm=   \n");
    EXPECT_EQ(Read("C", "pcecc"), "");
    EXPECT_EQ(Read("C", "pceasm"), "");
    EXPECT_EQ(Read("C", "other"), "<default>");
    EXPECT_EQ(Read("E", "A"), "<default>");
}

TEST_F(ProfileTest, KeysBelongToTheirOwnSectionOnly) {
    WriteFile("top=1\n[A]\nx=a\n[B]\ny=b\n");
    EXPECT_EQ(Read("A", "y"), "<default>");
    EXPECT_EQ(Read("B", "x"), "<default>");
    EXPECT_EQ(Read("A", "top"), "<default>");
    EXPECT_EQ(Read("B", "y"), "b");
}

TEST_F(ProfileTest, FirstSectionAndFirstKeyWinAmongDuplicates) {
    WriteFile("[A]\nk=first\nk=second\n[a]\nk=third\nonly=later\n");
    EXPECT_EQ(Read("A", "k"), "first");
    EXPECT_EQ(Read("A", "only"), "<default>");
}

TEST_F(ProfileTest, LinesWithoutEqualsAreNoKeys) {
    WriteFile("[A]\njust some text\nk\n k = v \n");
    EXPECT_EQ(Read("A", "just some text"), "<default>");
    EXPECT_EQ(Read("A", "k"), "v");
}

TEST_F(ProfileTest, LongValuesAreCutTo2047Characters) {
    const std::string value(5000, 'x');
    WriteFile("[A]\nk=" + value + "\n");
    EXPECT_EQ(Read("A", "k"), std::string(kProfileValueMaxLength, 'x'));
}

TEST_F(ProfileTest, EveryLineBreakStyleIsRead) {
    WriteFile("[A]\r\na=1\nb=2\r\n[B]\rc=3\r\n");
    EXPECT_EQ(Read("A", "a"), "1");
    EXPECT_EQ(Read("A", "b"), "2");
    EXPECT_EQ(Read("B", "c"), "3");
}

TEST_F(ProfileTest, EmptyAndBinaryFilesNeverFail) {
    WriteFile("");
    EXPECT_EQ(Read("A", "k"), "<default>");
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 37) & 0xFF);
    WriteFile(binary);
    EXPECT_EQ(Read("A", "k"), "<default>");
    WriteFile(std::string("[A]\nk=ab\0cd\n", 12));
    EXPECT_EQ(Read("A", "k"), "ab");
    // A directory in place of the file.
    EXPECT_EQ(ReadProfileString(m_dir, "A", "k", "d"), "d");
}

TEST_F(ProfileTest, WritingAKeyKeepsEveryOtherByte) {
    const std::string before =
        "; settings\r\n[C]\r\npcecc=old.exe\r\n  odd line  \n\n[COLORS]\rBGCOLOR=1\r\nx=y";
    WriteFile(before);
    WriteProfileString(m_file, "c", "PCECC", "new.exe");
    EXPECT_EQ(FileBytes(),
              "; settings\r\n[C]\r\nPCECC=new.exe\r\n  odd line  \n\n[COLORS]\rBGCOLOR=1\r\nx=y");
    EXPECT_EQ(Read("C", "pcecc"), "new.exe");
}

TEST_F(ProfileTest, WritingANewKeyAddsOneLineToItsSection) {
    WriteFile("[C]\r\npcecc=a\r\n\r\n[E]\r\nA=x\r\n");
    WriteProfileString(m_file, "C", "pceasm", "b");
    EXPECT_EQ(FileBytes(), "[C]\r\npcecc=a\r\npceasm=b\r\n\r\n[E]\r\nA=x\r\n");
    // The last line of the file may lack its line break.
    WriteFile("[C]\npcecc=a");
    WriteProfileString(m_file, "C", "pceasm", "b");
    EXPECT_EQ(FileBytes(), "[C]\npcecc=a\npceasm=b\n");
}

TEST_F(ProfileTest, WritingCreatesTheFileAndTheSection) {
    WriteProfileString(m_file, "COMP_OPTIONS", "OPTION_STR", " -T");
    EXPECT_EQ(FileBytes(), "[COMP_OPTIONS]\nOPTION_STR= -T\n");
    // Reading removes the leading blank that was written.
    EXPECT_EQ(Read("COMP_OPTIONS", "OPTION_STR"), "-T");
    WriteFile("[C]\r\npcecc=a");
    WriteProfileString(m_file, "E", "A", "emu");
    EXPECT_EQ(FileBytes(), "[C]\r\npcecc=a\r\n[E]\r\nA=emu\r\n");
}

TEST_F(ProfileTest, WritingReplacesOnlyTheFirstOfDuplicateKeys) {
    WriteFile("[A]\nk=1\nk=2\n[A]\nk=3\n");
    WriteProfileString(m_file, "A", "k", "x");
    EXPECT_EQ(FileBytes(), "[A]\nk=x\nk=2\n[A]\nk=3\n");
}

TEST_F(ProfileTest, AnUnwritableLocationFailsWithTheFileName) {
    const std::string missingDir = m_dir + "/no/such/dir/x.ini";
    try {
        WriteProfileString(missingDir, "A", "k", "v");
        FAIL() << "no exception";
    } catch (const EIniFileException& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + missingDir);
    }
    if (::geteuid() != 0) {  // root writes anywhere
        WriteFile("[A]\nk=1\n");
        ::chmod(m_file.c_str(), 0444);
        EXPECT_THROW(WriteProfileString(m_file, "A", "k", "2"), EIniFileException);
        EXPECT_EQ(Read("A", "k"), "1");
    }
}

}  // namespace
