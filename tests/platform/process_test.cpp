// The posix_spawn starter the plain tests run tools with: arguments, working directory, input,
// descriptors, program search, polling and abandoned children.
#include "support/posix_process_starter.h"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/scratch_directory.h"

namespace {

using namespace std::chrono_literals;

// Runs each test with a scratch directory as the current directory, like the build commands do
// with the source directory; the scripts there are found because the starter is told it is the
// program's own directory (a bare name is never looked for in the current directory).
class ProcessTest : public ::testing::Test {
  protected:
    ProcessTest() : m_previous(std::filesystem::current_path()) {
        std::filesystem::current_path(m_dir.Path());
    }
    ~ProcessTest() override { std::filesystem::current_path(m_previous); }

    std::unique_ptr<IRunningProcess> Start(const std::string& commandLine) {
        std::string error;
        auto process = m_starter.Start(commandLine, {}, error);
        EXPECT_TRUE(process) << error;
        return process;
    }

    ScratchDirectory m_dir;
    std::filesystem::path m_previous;
    PosixProcessStarter m_starter{m_dir.Path()};
};

TEST_F(ProcessTest, PassesArgumentsVerbatimInTheCurrentDirectoryAndReportsExitCode) {
    m_dir.Script("vesk.exe",
                 "pwd > record\nfor a in \"$@\"; do printf '%s\\n' \"$a\" >> record; done\n"
                 "exit 3\n");
    ProcessResult result = RunProcess(m_starter, "vesk game.c  \"a b\" x\\\"y -cd >output.c");
    EXPECT_TRUE(result.Started);
    EXPECT_EQ(result.ExitCode, 3);
    EXPECT_EQ(m_dir.Read("record"), m_dir.Path() + "\ngame.c\na b\nx\"y\n-cd\n>output.c\n");
    EXPECT_FALSE(std::filesystem::exists(m_dir / "output.c"));  // nothing was redirected
}

TEST_F(ProcessTest, RunsInTheWorkingDirectoryItIsGivenAndLeavesOursAlone) {
    ScratchDirectory source;
    m_dir.Script("where", "pwd > record\n[ -f game.c ] && echo sees game.c >> record\n");
    source.Write("game.c", "int main;\n", 0644);
    // A relative program name counts from the tool's working directory too.
    source.Script("bin/local", "echo local > local-record\n");

    EXPECT_EQ(RunProcess(m_starter, "where", source.Path()).ExitCode, 0);
    EXPECT_EQ(source.Read("record"), source.Path() + "\nsees game.c\n");
    EXPECT_TRUE(RunProcess(m_starter, "bin/local", source.Path()).Started);
    EXPECT_EQ(source.Read("local-record"), "local\n");
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(m_dir.Path()));

    const ProcessResult missing = RunProcess(m_starter, "where", source / "gone");
    EXPECT_FALSE(missing.Started);
    EXPECT_FALSE(missing.Error.empty());
}

TEST_F(ProcessTest, ChildGetsNullInputAndNoOtherDescriptors) {
    int leaked = open(m_dir.Path().c_str(), O_RDONLY);  // deliberately without O_CLOEXEC
    ASSERT_GE(leaked, 3);
    m_dir.Script("probe", "readlink /proc/$$/fd/0 > record\n[ -e /proc/$$/fd/" +
                              std::to_string(leaked) + " ] && echo leaked >> record\nexit 0\n");
    // Our own input is a pipe meanwhile, so the check cannot pass by accident.
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    int savedInput = dup(0);
    dup2(pipeEnds[0], 0);
    EXPECT_EQ(RunProcess(m_starter, "probe").ExitCode, 0);
    dup2(savedInput, 0);
    for (int fd : {savedInput, pipeEnds[0], pipeEnds[1], leaked}) close(fd);
    EXPECT_EQ(m_dir.Read("record"), "/dev/null\n");
}

TEST_F(ProcessTest, ProgramsThatCannotRunAreNotStarted) {
    m_dir.Write("plain.exe", "#!/bin/sh\nexit 0\n", 0644);
    m_dir.Write("noshebang", "echo ran > record\n", 0755);  // no shell steps in for it
    for (const char* commandLine :
         {"no emulator specified!!! game.pce", "missing-tool x", "plain.exe", "noshebang", ""}) {
        ProcessResult result = RunProcess(m_starter, commandLine);
        EXPECT_FALSE(result.Started) << commandLine;
        EXPECT_FALSE(result.Error.empty()) << commandLine;
    }
    EXPECT_FALSE(std::filesystem::exists(m_dir / "record"));
}

TEST_F(ProcessTest, AProgramPlantedInTheCurrentDirectoryNeverRunsByItsBareName) {
    ScratchDirectory own;
    m_dir.Script("tool", "echo current > record\n");
    PosixProcessStarter starter(own.Path());
    const ProcessResult planted = RunProcess(starter, "tool");
    EXPECT_FALSE(planted.Started);
    EXPECT_EQ(planted.Error, "program not found: tool");
    EXPECT_FALSE(std::filesystem::exists(m_dir / "record"));

    own.Script("tool", "echo own > record\n");
    EXPECT_TRUE(RunProcess(starter, "tool").Started);
    EXPECT_EQ(m_dir.Read("record"), "own\n");
}

TEST_F(ProcessTest, FinishedPollsWithoutBlockingAndSignalsGiveHighExitCodes) {
    m_dir.Script("slow", "sleep 0.2\nexit 5\n");
    m_dir.Script("killed", "kill -TERM $$\n");
    auto process = Start("slow");
    int exitCode = -1;
    auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(process->Finished(exitCode));
    EXPECT_LT(std::chrono::steady_clock::now() - started, 50ms);
    while (!process->Finished(exitCode)) std::this_thread::sleep_for(10ms);
    EXPECT_EQ(exitCode, 5);
    EXPECT_EQ(process->Wait(), 5);  // the result stays once collected
    EXPECT_EQ(RunProcess(m_starter, "killed").ExitCode, 128 + 15);
}

TEST_F(ProcessTest, AbandonedProcessKeepsRunningAndIsReapedLater) {
    m_dir.Script("slow", "sleep 0.15\necho done > record\n");
    Start("slow").reset();  // the launcher's Cancel stops waiting but leaves the tool running
    EXPECT_EQ(m_starter.AbandonedCount(), 1u);
    auto deadline = std::chrono::steady_clock::now() + 3s;
    while (m_starter.AbandonedCount() != 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(20ms);
    EXPECT_EQ(m_starter.AbandonedCount(), 0u);
    EXPECT_EQ(m_dir.Read("record"), "done\n");
}

}  // namespace
