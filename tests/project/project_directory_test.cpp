// The project directory: the nearest Makefile above a document, else the document's directory.
#include "project/project_directory.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

class ProjectDirectory : public ::testing::Test {
  protected:
    ProjectDirectory() {
        std::string pattern = (fs::temp_directory_path() / "project-XXXXXX").string();
        m_root = ::mkdtemp(pattern.data());
    }
    ~ProjectDirectory() override { fs::remove_all(m_root); }
    std::string Path(const std::string& relative) const { return m_root + "/" + relative; }
    void Touch(const std::string& relative) {
        fs::create_directories(fs::path(Path(relative)).parent_path());
        std::ofstream(Path(relative)) << "all:\n";
    }

    std::string m_root;
};

TEST_F(ProjectDirectory, NearestMakefileAtOrAboveTheDocumentWins) {
    Touch("game/Makefile");
    Touch("game/src/main.c");
    Touch("game/src/audio/player.asm");
    Touch("game/tools/conv/makefile");
    Touch("game/tools/conv/conv.c");
    EXPECT_EQ(ProjectDirectoryOf(Path("game/src/audio/player.asm")), Path("game/"));
    EXPECT_EQ(ProjectDirectoryOf(Path("game/Makefile")), Path("game/"));
    EXPECT_EQ(ProjectDirectoryOf(Path("game/tools/conv/conv.c")), Path("game/tools/conv/"));
    Touch("GNUmakefile");
    EXPECT_EQ(ProjectDirectoryOf(Path("lone/x.c")), m_root + "/");
}

TEST_F(ProjectDirectory, WithoutAMakefileItIsTheDocumentsOwnDirectory) {
    // Runs where no directory above the scratch holds a Makefile, as the system's temporary one.
    if (HoldsMakefile(fs::temp_directory_path().string()) || HoldsMakefile("/")) GTEST_SKIP();
    Touch("plain/a.c");
    EXPECT_EQ(ProjectDirectoryOf(Path("plain/a.c")), Path("plain/"));
    // A directory named Makefile is no Makefile.
    fs::create_directories(Path("plain/Makefile"));
    EXPECT_EQ(ProjectDirectoryOf(Path("plain/a.c")), Path("plain/"));
    // A new document's name need not exist yet.
    EXPECT_EQ(ProjectDirectoryOf(Path("plain/new.c")), Path("plain/"));
}

TEST_F(ProjectDirectory, RelativeNamesAndLinksFollowThePathAsWritten) {
    Touch("real/Makefile");
    Touch("real/src/a.c");
    Touch("elsewhere/keep");
    fs::create_directory_symlink(Path("real/src"), Path("elsewhere/link"));
    // The link's own surroundings decide, not the directory it points to.
    if (!HoldsMakefile(fs::temp_directory_path().string()) && !HoldsMakefile("/")) {
        EXPECT_EQ(ProjectDirectoryOf(Path("elsewhere/link/a.c")), Path("elsewhere/link/"));
    }
    // A Makefile that is a link to one counts.
    fs::create_symlink(Path("real/Makefile"), Path("elsewhere/Makefile"));
    EXPECT_EQ(ProjectDirectoryOf(Path("elsewhere/link/a.c")), Path("elsewhere/"));

    const fs::path saved = fs::current_path();
    fs::current_path(Path("real/src"));
    EXPECT_EQ(ProjectDirectoryOf("a.c"), fs::current_path().parent_path().string() + "/");
    fs::current_path(saved);
}

// The project's own files count, so do files opened through a link into it; a sibling whose name
// starts like the project's does not.
TEST_F(ProjectDirectory, FilesInTheProjectAreThoseAtOrBelowIt) {
    Touch("game/Makefile");
    Touch("game/src/main.c");
    Touch("game2/other.c");
    EXPECT_TRUE(IsInProject(Path("game/src/main.c"), Path("game/")));
    EXPECT_TRUE(IsInProject(Path("game/src/../Makefile"), Path("game")));
    EXPECT_FALSE(IsInProject(Path("game2/other.c"), Path("game/")));
    EXPECT_FALSE(IsInProject(Path("game2/other.c"), Path("game")));
    EXPECT_FALSE(IsInProject("", Path("game/")));
    fs::create_directory_symlink(Path("game/src"), Path("linked"));
    EXPECT_TRUE(IsInProject(Path("linked/main.c"), Path("game/")));
}

}  // namespace
