// Build Project with a fake make: where it runs, what it is given, the image its status text
// names and the emulators then start, and the refusals.
#include "toolrun/project_build.h"

#include <gtest/gtest.h>

#include "build_fixture.h"
#include "toolrun/emulator_commands.h"
#include "toolrun/project_images.h"

namespace {

class ProjectBuild : public BuildFixture {
  protected:
    ProjectBuild() {
        scratch.Write("game/Makefile", "all:\n");
        OpenDocument("game/src", "main.c");
        services.Images = &images;
    }
    // A fake make found beside the program: records its arguments and directory, runs `body`.
    void Make(const std::string& body, const std::string& name = "make") {
        scratch.Script("own/" + name,
                       "{ for a in \"$@\"; do printf '[%s]' \"$a\"; done; echo; pwd; } > '" +
                           scratch / "record.txt" + "'\n" + body);
    }
    std::string Project() const { return scratch / "game"; }
    std::string Finished(const std::string& outcome) const {
        return "Finished Building: game" + outcome;
    }

    TProjectImages images;
};

TEST_F(ProjectBuild, MakeRunsInTheProjectDirectoryAndTheImageItWroteIsNamed) {
    scratch.Write("game/old.pce", "old image");
    Make("mkdir -p out && printf 'rom!' > out/tiles.pce && echo 'cl65 -t pce -c main.c'\n");
    BuildProject1Click(services);

    EXPECT_EQ(frame.SavedProjects, std::vector<std::string>{Project() + "/"});
    EXPECT_EQ(LastCommandLine(), "make");
    EXPECT_EQ(RecordedDirectory(), Project());
    EXPECT_TRUE(panel.Visible);
    EXPECT_EQ(panel.Lines, std::vector<std::string>{"cl65 -t pce -c main.c"});
    EXPECT_EQ(frame.StatusTexts,
              (std::vector<std::string>{"Building project: " + Project(),
                                        Finished(" Build Successful - out/tiles.pce 4 bytes")}));
    EXPECT_EQ(images.Find(Project() + "/"), Project() + "/out/tiles.pce");

    // Nothing to rebuild: the image of the last build, marked as such.
    Make("echo \"make: Nothing to be done for 'all'.\"\n");
    BuildProject1Click(services);
    EXPECT_EQ(frame.Status(), Finished(" Build Successful - out/tiles.pce 4 bytes (up to date)"));

    // The emulators start the project's image for a document of the project.
    const std::string emulator = Tool("emu/pce", "");
    settings.Emulators[0] = emulator;
    EMUClick(services, 0);
    EXPECT_EQ(LastCommandLine(), emulator + " " + Project() + "/out/tiles.pce");
}

TEST_F(ProjectBuild, FailuresAndMissingToolsSayWhatBecameOfTheBuild) {
    Make("echo 'main.c(3): Error: Undefined symbol' >&2\nexit 2\n");
    BuildProject1Click(services);
    EXPECT_EQ(frame.Status(), Finished(" Build FAILED (exit code 2)"));
    EXPECT_EQ(panel.Lines, std::vector<std::string>{"main.c(3): Error: Undefined symbol"});

    settings.Project = "no-such-builder all";
    BuildProject1Click(services);
    EXPECT_EQ(frame.Status(), Finished(" Build FAILED - could not execute the build command"));
    EXPECT_NE(panel.Lines.back().find("quillon-configure-toolchain"), std::string::npos);

    // Blank and no Makefile: nothing is started and the panel says what to do.
    OpenDocument("loose", "x.c");
    settings.Project = "  ";
    const size_t runs = starter.CommandLines.size();
    BuildProject1Click(services);
    EXPECT_EQ(starter.CommandLines.size(), runs);
    EXPECT_NE(panel.Lines.back().find("no project build command is set"), std::string::npos);
    EXPECT_EQ(frame.Status(),
              "Finished Building: loose Build FAILED - could not execute the build "
              "command");
}

TEST_F(ProjectBuild, ATemplateNamesTheProjectAndTheActiveDocument) {
    scratch.Write("game/other.pce", "unchanged");
    Make("exit 0\n", "builder");
    settings.Project = "builder -C {project} {file} {image}";
    BuildProject1Click(services);
    EXPECT_EQ(RecordedArguments(),
              "[-C][" + Project() + "][main.c][" + Project() + "/src/main.pce]");
    EXPECT_EQ(RecordedDirectory(), Project());
    EXPECT_EQ(panel.Lines.back(), "(the tool printed no messages)");
    // The build wrote no image: the newest one in the project is named, as not rebuilt.
    EXPECT_EQ(frame.Status(), Finished(" Build Successful - other.pce 9 bytes (up to date)"));
}

TEST_F(ProjectBuild, RefusalsLeaveEverythingAsItWas) {
    Make("exit 0\n");
    frame.ProjectSaved = false;  // a save dialog was cancelled
    BuildProject1Click(services);
    frame.ProjectSaved = true;
    frame.Dir.clear();  // never saved
    BuildProject1Click(services);
    frame.Documents = 0;
    BuildProject1Click(services);
    EXPECT_EQ(frame.SavedProjects.size(), 1u);
    EXPECT_EQ(dialogs.Messages.size(), 2u);
    EXPECT_TRUE(starter.CommandLines.empty());
    EXPECT_FALSE(panel.Visible);
    EXPECT_TRUE(frame.StatusTexts.empty());
}

}  // namespace
