#include "platform/program_search.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/scratch_directory.h"

namespace {

using Strings = std::vector<std::string>;

class ProgramSearchTest : public ::testing::Test {
  protected:
    ProgramSearchTest() {
        m_search.OwnDirectory = m_dir / "own";
        m_search.CurrentDirectory = m_dir / "cur";
        m_search.Path = {m_dir / "p1", m_dir / "p2"};
        for (const char* name : {"own", "cur", "p1", "p2"})
            std::filesystem::create_directories(m_dir / name);
    }
    ResolvedCommand Resolve(const std::string& commandLine) {
        return ResolveCommandLine(commandLine, m_search);
    }

    ScratchDirectory m_dir;
    ProgramSearch m_search;
};

TEST_F(ProgramSearchTest, SearchesOwnThenPathDirectoriesNeverTheCurrentOne) {
    for (const char* dir : {"own", "cur", "p1", "p2"}) m_dir.Script(std::string(dir) + "/tool");
    m_dir.Write("p2/other", "", 0755);
    std::filesystem::create_directories(m_dir / "p1/other");  // a directory is not a program

    EXPECT_EQ(Resolve("tool a").ProgramPath, m_dir / "own/tool");
    std::filesystem::remove(m_dir / "own/tool");
    EXPECT_EQ(Resolve("tool a").ProgramPath, m_dir / "p1/tool");
    EXPECT_EQ(Resolve("other").ProgramPath, m_dir / "p2/other");

    // A program planted in the current (source) directory is never found by its bare name, not
    // even through a relative or empty PATH entry; "./name" still names it on purpose.
    m_dir.Script("cur/planted");
    m_search.Path = {"", ".", "cur", m_dir / "p1"};
    EXPECT_FALSE(Resolve("planted").Found);
    EXPECT_EQ(Resolve("planted").Error, "program not found: planted");
    EXPECT_EQ(Resolve("./planted").ProgramPath, m_dir / "cur/./planted");
}

TEST_F(ProgramSearchTest, TheEnvironmentsPathKeepsOnlyAbsoluteEntries) {
    const char* old = std::getenv("PATH");
    const std::string saved = old ? old : "";
    ::setenv("PATH", ("::.:bin:" + (m_dir / "p1") + ":/usr/bin:").c_str(), 1);
    const ProgramSearch search = ProgramSearch::FromEnvironment();
    ::setenv("PATH", saved.c_str(), 1);
    EXPECT_EQ(search.Path, (Strings{m_dir / "p1", "/usr/bin"}));
}

// Our tools directory joins PATH last, once, and only as an absolute directory.
TEST(ToolSearchPath, OurToolsDirectoryComesAfterTheUsersOwnOnce) {
    EXPECT_EQ(PathWithDirectory("/usr/bin:/bin", "/opt/q/tools"), "/usr/bin:/bin:/opt/q/tools");
    EXPECT_EQ(PathWithDirectory("/usr/bin:", "/opt/q/tools"), "/usr/bin:/opt/q/tools");
    EXPECT_EQ(PathWithDirectory("", "/opt/q/tools"), "/opt/q/tools");
    EXPECT_EQ(PathWithDirectory("/opt/q/tools/:/bin", "/opt/q/tools"), "/opt/q/tools/:/bin");
    EXPECT_EQ(PathWithDirectory("/bin:/opt/q/tools", "/opt/q/tools/"), "/bin:/opt/q/tools");
    EXPECT_EQ(PathWithDirectory("/bin", ""), "/bin");
    EXPECT_EQ(PathWithDirectory("/bin", "tools"), "/bin");
}

TEST_F(ProgramSearchTest, AppendsExeOnlyToNamesWithoutExtension) {
    m_dir.Script("p1/vesk.exe");
    m_dir.Script("p2/mycc");
    m_dir.Script("p2/mycc.exe");
    m_dir.Script("p2/tool.bat.exe");

    ResolvedCommand vesk = Resolve("vesk game.c");
    EXPECT_EQ(vesk.ProgramPath, m_dir / "p1/vesk.exe");
    EXPECT_EQ(vesk.Arguments, (Strings{"vesk", "game.c"}));
    EXPECT_EQ(Resolve("mycc").ProgramPath, m_dir / "p2/mycc");  // the name as given comes first
    EXPECT_FALSE(Resolve("tool.bat").Found);
}

TEST_F(ProgramSearchTest, NamesWithDirectoryPartAreRelativeToCurrentDirectory) {
    m_dir.Script("cur/bin/tool");
    m_dir.Script("p1/bin/only");

    ResolvedCommand relative = Resolve("bin\\tool x\\y");
    EXPECT_EQ(relative.ProgramPath, m_dir / "cur/bin/tool");
    EXPECT_EQ(relative.Arguments, (Strings{"bin\\tool", "x\\y"}));  // arguments stay as written
    EXPECT_EQ(Resolve(m_dir / "p1/bin/only").ProgramPath, m_dir / "p1/bin/only");
    EXPECT_FALSE(Resolve("bin/only").Found);  // not looked for along PATH
}

TEST_F(ProgramSearchTest, UnquotedWordWithBlanksTakesShortestExistingPrefix) {
    m_dir.Script("cur/C:/Program Files/emu/emu.exe");
    m_dir.Script("cur/dir with blanks/tool.exe");
    m_dir.Script("cur/dir with blanks/tool.exe extra");      // longer prefix: loses
    std::filesystem::create_directories(m_dir / "cur/dir");  // directory prefix: skipped

    ResolvedCommand emulator = Resolve("C:\\Program Files\\emu\\emu.exe C:\\src\\game.pce");
    EXPECT_EQ(emulator.ProgramPath, m_dir / "cur/C:/Program Files/emu/emu.exe");
    EXPECT_EQ(emulator.Arguments,
              (Strings{"C:\\Program Files\\emu\\emu.exe", "C:\\src\\game.pce"}));

    ResolvedCommand tool = Resolve("dir with blanks/tool.exe extra a.c");
    EXPECT_EQ(tool.ProgramPath, m_dir / "cur/dir with blanks/tool.exe");
    EXPECT_EQ(tool.Arguments, (Strings{"dir with blanks/tool.exe", "extra", "a.c"}));

    // A shorter prefix that names a program wins, as on Windows.
    m_dir.Script("p1/dir with");
    EXPECT_EQ(Resolve("dir with blanks/tool.exe a.c").Arguments,
              (Strings{"dir with", "blanks/tool.exe", "a.c"}));
    // A quoted program word is taken whole.
    ResolvedCommand quoted = Resolve("\"dir with blanks/tool.exe\" a.c");
    EXPECT_EQ(quoted.ProgramPath, m_dir / "cur/dir with blanks/tool.exe");
    EXPECT_EQ(quoted.Arguments, (Strings{"dir with blanks/tool.exe", "a.c"}));
}

TEST_F(ProgramSearchTest, ReportsMissingAndNonExecutablePrograms) {
    std::string image = m_dir.Write("cur/game.pce", "ROM");
    m_dir.Write("own/plain", "#!/bin/sh\n");
    m_dir.Script("p2/plain");

    ResolvedCommand none = Resolve("no emulator specified!!! " + image);
    EXPECT_FALSE(none.Found);
    EXPECT_EQ(none.Error, "program not found: no");
    // An unset emulator leaves a line that starts with a blank and names the image itself.
    ResolvedCommand imageOnly = Resolve(" " + image);
    EXPECT_FALSE(imageOnly.Found);
    EXPECT_EQ(imageOnly.Error, "not an executable program: " + image);
    EXPECT_FALSE(Resolve("").Found);
    EXPECT_FALSE(Resolve("  \t").Found);
    // A file without execute permission is passed over in the search.
    EXPECT_EQ(Resolve("plain").ProgramPath, m_dir / "p2/plain");
}

}  // namespace
