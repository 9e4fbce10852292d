// The packaged tools' commands: found on a search path, and the same texts as the set-up script
// tools/configure-toolchain writes; the script replaces a command whose program is gone.
#include "toolrun/packaged_toolchain.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

const std::string kSourceTools = QUILLON_SOURCE_DIR "/tools";

class PackagedToolchainTest : public ::testing::Test {
  protected:
    PackagedToolchainTest() {
        char pattern[] = "/tmp/toolchain_test_XXXXXX";
        m_dir = ::mkdtemp(pattern);
    }
    ~PackagedToolchainTest() override { fs::remove_all(m_dir); }

    std::string Program(const std::string& relative) {
        const fs::path path = fs::path(m_dir) / relative;
        fs::create_directories(path.parent_path());
        std::ofstream(path) << "#!/bin/sh\nexit 0\n";
        fs::permissions(path, fs::perms::owner_all);
        return path.string();
    }
    std::string ReadConfig() const {
        std::ifstream in(m_dir + "/veskide.ini");
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    // Runs the script with HOME in the scratch directory and PATH = `path`.
    std::string RunScript(const std::string& path, const std::string& arguments = {}) {
        const std::string command = "env -i HOME='" + m_dir + "' PATH='" + path + "' /bin/sh '" +
                                    kSourceTools + "/configure-toolchain' " + arguments + " 2>&1";
        std::string output;
        if (FILE* pipe = ::popen(command.c_str(), "r")) {
            char buffer[512];
            while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
            ::pclose(pipe);
        }
        return output;
    }

    std::string m_dir;
};

TEST_F(PackagedToolchainTest, FindsTheToolsAndComposesTheirCommands) {
    Program("bin/64tass");
    Program("bin/cl65");
    Program("bin/make");
    const std::string emulator = Program("my games/mednafen");
    Program("tools dir/pce-cc");
    const TPackagedToolchain found = FindPackagedToolchain(
        {m_dir + "/empty", m_dir + "/bin", m_dir + "/my games"}, m_dir + "/tools dir", "");
    EXPECT_EQ(found.AssemblerCommand,
              "64tass -c -b -Wall -o {image} --dump-labels -l {base}.lbl {file}");
    EXPECT_EQ(found.CompilerCommand, "\"" + m_dir + "/tools dir/pce-cc\" -O -o {image} {file}");
    EXPECT_EQ(found.EmulatorCommand, "\"" + emulator + "\"");
    EXPECT_EQ(found.ProjectCommand, "make");
    EXPECT_TRUE(found.Missing.empty());
}

TEST_F(PackagedToolchainTest, NamesWhatIsMissingAndFallsBackToTheEmulatorsPackagedPlace) {
    const std::string fallback = Program("games/mednafen");
    TPackagedToolchain found = FindPackagedToolchain({m_dir + "/bin"}, m_dir + "/tools", fallback);
    EXPECT_EQ(found.EmulatorCommand, fallback);
    EXPECT_TRUE(found.AssemblerCommand.empty());
    EXPECT_TRUE(found.CompilerCommand.empty());
    EXPECT_TRUE(found.ProjectCommand.empty());
    ASSERT_EQ(found.Missing.size(), 3u);
    EXPECT_NE(found.Missing[0].find("apt-get install 64tass"), std::string::npos);
    EXPECT_NE(found.Missing[1].find("apt-get install cc65"), std::string::npos);
    EXPECT_NE(found.Missing[2].find("apt-get install make"), std::string::npos);

    // cl65 without the wrapper beside the program: the wrapper is named.
    Program("bin/cl65");
    found = FindPackagedToolchain({m_dir + "/bin"}, m_dir + "/tools", "");
    EXPECT_TRUE(found.CompilerCommand.empty());
    ASSERT_EQ(found.Missing.size(), 4u);
    EXPECT_NE(found.Missing[1].find(m_dir + "/tools/pce-cc"), std::string::npos);
    EXPECT_NE(found.Missing[3].find("mednafen"), std::string::npos);
}

// Both ways of setting up write the same keys: what the script writes is what the dialog's
// button fills in.
TEST_F(PackagedToolchainTest, TheScriptWritesTheSameCommands) {
    Program("bin/64tass");
    Program("bin/cl65");
    Program("bin/mednafen");
    const std::string path = m_dir + "/bin:/usr/bin:/bin";
    const std::string output = RunScript(path);
    const TPackagedToolchain found = FindPackagedToolchain(
        {m_dir + "/bin", "/usr/bin", "/bin"}, fs::canonical(kSourceTools).string(), "");
    ASSERT_TRUE(found.Missing.empty());
    const std::string config = ReadConfig();
    EXPECT_NE(config.find("pceasm=" + found.AssemblerCommand + "\n"), std::string::npos)
        << config << output;
    EXPECT_NE(config.find("pcecc=" + found.CompilerCommand + "\n"), std::string::npos) << config;
    EXPECT_NE(config.find("A=" + found.EmulatorCommand + "\n"), std::string::npos) << config;
    EXPECT_NE(config.find("project=" + found.ProjectCommand + "\n"), std::string::npos) << config;
}

TEST_F(PackagedToolchainTest, TheScriptReplacesCommandsWhoseProgramIsGoneAndKeepsTheOthers) {
    Program("bin/64tass");
    Program("bin/cl65");
    Program("bin/mednafen");
    const std::string own = Program("my tools/cc");
    std::ofstream(m_dir + "/veskide.ini")
        << "[C]\npcecc=" << own << " -O {file}\npceasm=vesk-old.exe {file}\n[E]\nA=\"" << m_dir
        << "/gone/emu\" {image}\nB=\"" << own << "\" -x\n";
    const std::string output = RunScript(m_dir + "/bin:/usr/bin:/bin");
    const std::string config = ReadConfig();
    // An unquoted path with a blank is found as the IDE finds it.
    EXPECT_NE(config.find("pcecc=" + own + " -O {file}\n"), std::string::npos) << config;
    EXPECT_NE(
        config.find("pceasm=64tass -c -b -Wall -o {image} --dump-labels -l {base}.lbl {file}\n"),
        std::string::npos)
        << config;
    EXPECT_NE(config.find("A=" + m_dir + "/bin/mednafen\n"), std::string::npos) << config;
    EXPECT_NE(config.find("B=\"" + own + "\" -x\n"), std::string::npos) << config;
    EXPECT_NE(output.find("no longer exists: vesk-old.exe"), std::string::npos) << output;
    EXPECT_NE(output.find("kept   [C] pcecc"), std::string::npos) << output;
}

}  // namespace
