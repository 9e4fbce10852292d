// tools/capture-output in front of a compiler that only prints to the terminal: its standard
// output and error end up in output.c, without the ">output.c" argument reaching the tool.
#include <gtest/gtest.h>

#include <filesystem>

#include "build/compile_commands.h"
#include "build_fixture.h"

namespace {

std::string CaptureOutputScript() {
    return (std::filesystem::path(QUILLON_TESTS_DIR).parent_path() / "tools" / "capture-output")
        .string();
}

using CaptureOutput = BuildFixture;

TEST_F(CaptureOutput, WritesStandardOutputAndErrorIntoNamedFile) {
    OpenDocument("src", "game.c");
    const std::string compiler =
        scratch.Script("bin/noisy-cc",
                       "echo \"compiling $*\"\necho 'game.c(2): error' >&2\necho 'done'\nexit 5\n");
    settings.Compiler = CaptureOutputScript() + " " + compiler;
    settings.Switches = "-T";
    CompileCCode1Click(services);
    EXPECT_EQ(scratch.Read("src/output.c"), "compiling game.c -T\ngame.c(2): error\ndone\n");
    EXPECT_EQ(panel.Lines,
              (std::vector<std::string>{"compiling game.c -T", "game.c(2): error", "done"}));
    EXPECT_EQ(frame.Status(),
              "Finished Compiling: " + frame.Caption + " Compile FAILED (exit code 5)");
}

TEST_F(CaptureOutput, MissingToolIsReportedInTheFile) {
    OpenDocument("src", "game.c");
    settings.Compiler = CaptureOutputScript() + " " + scratch / "bin/absent";
    CompileCCode1Click(services);
    ASSERT_EQ(panel.Lines.size(), 1u);
    EXPECT_NE(panel.Lines[0].find("absent"), std::string::npos);
    EXPECT_EQ(frame.Status(),
              "Finished Compiling: " + frame.Caption + " Compile FAILED (exit code 127)");
}

}  // namespace
