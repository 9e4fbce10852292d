// Configuration file location, keys, defaults and value encodings.
#include "config/config_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "platform/profile.h"
#include "platform/str_to_int.h"

namespace {

namespace fs = std::filesystem;

class ConfigFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/config_test_XXXXXX";
        m_home = ::mkdtemp(pattern);
        if (const char* home = std::getenv("HOME")) m_oldHome = home;
        setenv("HOME", m_home.c_str(), 1);
    }
    void TearDown() override {
        if (m_oldHome) {
            setenv("HOME", m_oldHome->c_str(), 1);
        } else {
            unsetenv("HOME");
        }
        fs::remove_all(m_home);
    }
    void WriteFile(const std::string& text) {
        std::ofstream(m_home + "/veskide.ini", std::ios::binary) << text;
    }
    std::string FileBytes() const {
        std::ifstream in(m_home + "/veskide.ini", std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::string m_home;
    std::optional<std::string> m_oldHome;
};

TEST_F(ConfigFileTest, LivesInTheHomeDirectory) {
    EXPECT_EQ(ConfigFilePath(), m_home + "/veskide.ini");
    EXPECT_EQ(TConfigFile().Path(), m_home + "/veskide.ini");
    unsetenv("HOME");
    const std::string fallback = ConfigFilePath();
    EXPECT_NE(fallback, "veskide.ini");  // the password database names a home directory
    EXPECT_EQ(fallback.substr(fallback.size() - 12), "/veskide.ini");
}

TEST_F(ConfigFileTest, WithoutAFileEveryReaderGetsItsOwnDefault) {
    const TConfigFile config;
    EXPECT_EQ(config.ReadForSetup(ckCompiler), "vesk.exe");
    EXPECT_EQ(config.ReadForCommand(ckCompiler), "vesk.exe");
    EXPECT_EQ(config.ReadForCommand(ckAssembler), "pceas.exe");
    EXPECT_EQ(config.ReadForSetup(ckEmulators[1]), "");
    EXPECT_EQ(config.ReadForCommand(ckEmulators[0]), "");
    for (int i = 1; i < 5; ++i) {
        EXPECT_EQ(config.ReadForCommand(ckEmulators[i]), "no emulator specified!!!");
    }
    EXPECT_TRUE(config.ReadSwitch(ckHuCard));
    for (const TConfigKey& key : {ckCd, ckSuperCd, ckSwitchT, ckSwitchS, ckSwitchV}) {
        EXPECT_FALSE(config.ReadSwitch(key)) << key.Key;
    }
    EXPECT_EQ(config.ReadForCommand(ckOptionStr), "");
    const std::array<TColor, 8> colors{16777215, 32768,    32768, 8421440,
                                       8388608,  16711680, 255,   8388736};
    for (std::size_t i = 0; i < ckColors.size(); ++i) {
        EXPECT_EQ(config.ReadColor(ckColors[i]), colors[i]) << ckColors[i].Key;
    }
}

TEST_F(ConfigFileTest, SwitchesAreOnOnlyForUpperCaseTrue) {
    WriteFile("[COMP_OPTIONS]\nHU=true\nCD=TRUE\nSCD=1\nT=\nS=TRUE \n");
    const TConfigFile config;
    EXPECT_FALSE(config.ReadSwitch(ckHuCard));
    EXPECT_TRUE(config.ReadSwitch(ckCd));
    EXPECT_FALSE(config.ReadSwitch(ckSuperCd));
    EXPECT_FALSE(config.ReadSwitch(ckSwitchT));
    EXPECT_TRUE(config.ReadSwitch(ckSwitchS));  // blanks around a value are not part of it
}

TEST_F(ConfigFileTest, ASwitchStringOfOneBlankReadsBackEmpty) {
    TConfigFile config;
    config.WriteString(ckOptionStr, " ");
    EXPECT_EQ(config.ReadForCommand(ckOptionStr), "");
    config.WriteString(ckOptionStr, " -T -S");
    EXPECT_EQ(config.ReadForCommand(ckOptionStr), "-T -S");
}

TEST_F(ConfigFileTest, ColoursAreIntegersInAnyLetterCaseOfTheKey) {
    WriteFile("[Colors]\nBgColor=$FF\nASMCOLOR=-2147483643\nCOMCOLOR=\nDIRCOLOR=green\n");
    const TConfigFile config;
    EXPECT_EQ(config.ReadColor(ckBgColor), 255);
    EXPECT_EQ(config.ReadColor(ckAsmColor), clWindow);
    try {
        config.ReadColor(ckComColor);
        FAIL() << "an empty colour value must not fall back to the default";
    } catch (const EConvertError& error) {
        EXPECT_STREQ(error.what(), "'' is not a valid integer value");
    }
    EXPECT_THROW(config.ReadColor(ckDirColor), EConvertError);
}

TEST_F(ConfigFileTest, NothingIsCachedBetweenReads) {
    const TConfigFile config;
    EXPECT_EQ(config.ReadForCommand(ckCompiler), "vesk.exe");
    WriteFile("[C]\npcecc=mycc.exe\n");
    EXPECT_EQ(config.ReadForCommand(ckCompiler), "mycc.exe");
    WriteFile("[C]\npcecc=other.exe\n");
    EXPECT_EQ(TConfigFile().ReadForCommand(ckCompiler), "other.exe");
}

TEST_F(ConfigFileTest, WritingEveryKeyInOrderBuildsTheFourSections) {
    TConfigFile config;
    for (const TConfigKey& key : ckAllKeys) config.WriteString(key, key.SetupDefault);
    config.WriteColor(ckKeyColor, clWindowText);
    EXPECT_EQ(FileBytes(),
              "[C]\npcecc=vesk.exe\npceasm=pceas.exe\nproject=\ninclude=\n"
              "[E]\nA=\nB=\nC=\nD=\nE=\n"
              "[COMP_OPTIONS]\nHU=TRUE\nCD=FALSE\nSCD=FALSE\nT=FALSE\nS=FALSE\nV=FALSE\nEXTRA=\n"
              "OPTION_STR=\n"
              "[COLORS]\nBGCOLOR=16777215\nASMCOLOR=32768\nCOMCOLOR=32768\nDIRCOLOR=8421440\n"
              "IDCOLOR=8388608\nKEYCOLOR=-2147483640\nNUMCOLOR=255\nSTRCOLOR=8388736\n");
    EXPECT_EQ(config.ReadColor(ckKeyColor), clWindowText);
}

TEST_F(ConfigFileTest, AnUnwritableHomeFailsTheWrite) {
    setenv("HOME", (m_home + "/missing").c_str(), 1);
    TConfigFile config;
    try {
        config.WriteSwitch(ckHuCard, true);
        FAIL() << "no exception";
    } catch (const EIniFileException& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Unable to write to " + m_home + "/missing/veskide.ini");
    }
}

}  // namespace
