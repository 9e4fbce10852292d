// The image of a project build: the newest ".pce" file the build wrote anywhere in the project,
// never an old one it left alone; and the image the emulators start for a document.
#include "toolrun/project_images.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "platform/scratch_directory.h"

namespace {

namespace fs = std::filesystem;

class ProjectImages : public ::testing::Test {
  protected:
    // Writes an image `secondsAgo` seconds old.
    std::string Image(const std::string& name, int secondsAgo, const std::string& bytes = "x") {
        const std::string path = scratch.Write(name, bytes);
        fs::last_write_time(path, m_now - std::chrono::seconds(secondsAgo));
        return path;
    }
    std::string Dir() const { return scratch.Path() + "/"; }

    ScratchDirectory scratch;

  private:
    const fs::file_time_type m_now = fs::file_time_type::clock::now();
};

TEST_F(ProjectImages, TheBuildsImageIsTheNewestItWroteNotAnOldOneLeftAlone) {
    Image("old.pce", 100);
    Image("build/game.pce", 200);
    Image(".git/stash.pce", 300);
    Image("notes.txt", 0);
    const TImageSnapshot before = SnapshotImages(Dir());
    EXPECT_EQ(before.size(), 2u);  // hidden directories and other files are no images
    EXPECT_EQ(BuiltImage(before, before), "");

    // The build rewrites build/game.pce and writes a new, older-stamped one; old.pce, though
    // newer than both, was not touched.
    const std::string game = Image("build/game.pce", 50, "new contents");
    Image("build/copy.pce", 60);
    TImageSnapshot after = SnapshotImages(Dir());
    EXPECT_EQ(BuiltImage(before, after), game);
    EXPECT_EQ(NewestImage(after), game);

    // A new image in a deeper directory, the newest written: it wins; upper-case extensions count.
    const std::string deep = Image("out/rom/GAME.PCE", 10);
    after = SnapshotImages(Dir());
    EXPECT_EQ(BuiltImage(before, after), deep);
    EXPECT_EQ(NewestImage({}), "");
}

TEST_F(ProjectImages, AnImageOfTheSameTimeAndSizeWrittenAgainIsNotNew) {
    const std::string image = Image("game.pce", 30);
    const TImageSnapshot before = SnapshotImages(Dir());
    Image("game.pce", 30);
    EXPECT_EQ(BuiltImage(before, SnapshotImages(Dir())), "");
    Image("game.pce", 20);
    EXPECT_EQ(BuiltImage(before, SnapshotImages(Dir())), image);
}

TEST_F(ProjectImages, TheEmulatorsStartTheNewerOfTheProjectsImageAndTheDocumentsOwn) {
    scratch.Write("Makefile", "all:\n");
    const std::string own = Dir() + "src/main.pce";
    const std::string built = Image("tiles.pce", 20);
    TProjectImages images;
    // No image of its own and no build this run: the newest of a project with a Makefile.
    EXPECT_EQ(ImageForDocument(own, Dir(), nullptr), built);
    images.Remember(Dir(), built);
    EXPECT_EQ(images.Find(Dir()), built);
    EXPECT_EQ(images.Find(Dir() + "other/"), "");
    EXPECT_EQ(ImageForDocument(own, Dir(), &images), built);
    // Compiled on its own since: the document's image is newer and wins.
    Image("src/main.pce", 5);
    EXPECT_EQ(ImageForDocument(own, Dir(), &images), own);
    Image("src/main.pce", 40);
    EXPECT_EQ(ImageForDocument(own, Dir(), &images), built);
    // Without a Makefile the directory is no project to search.
    fs::remove(Dir() + "Makefile");
    fs::remove(own);
    EXPECT_EQ(ImageForDocument(own, Dir(), nullptr), own);
}

}  // namespace
