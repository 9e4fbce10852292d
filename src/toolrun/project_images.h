// The console images of a project: the ".pce" files in its directory tree, which of them a build
// wrote, and the image each project's last build made, which the emulator commands start.
#pragma once

#include <map>
#include <string>

#include "toolrun/tool_output.h"

// The images below a directory by path, with their stamps.
using TImageSnapshot = std::map<std::string, TFileStamp>;

// Every regular ".pce" file (any letter case) in the directory and its subdirectories. Hidden
// directories (".git") and links to directories are not entered; a tree too large to be a project
// is cut short rather than making the build wait.
TImageSnapshot SnapshotImages(const std::string& directory);

// The newest image (by modification time, then by path) of `after` that is new or changed since
// `before`; empty when the build wrote none.
std::string BuiltImage(const TImageSnapshot& before, const TImageSnapshot& after);

// The newest image of a snapshot; empty when it holds none.
std::string NewestImage(const TImageSnapshot& images);

// The image of each project's last build, by project directory. Owned by the build commands,
// which live as long as the frame window.
class TProjectImages {
  public:
    void Remember(const std::string& projectDir, const std::string& imagePath);
    // The image the project's last build made, empty when there was none this run.
    std::string Find(const std::string& projectDir) const;

  private:
    std::map<std::string, std::string> m_images;
};

// The image an emulator starts for a document whose own image would be `ownImage`: the image of
// its project's last build when that is newer than the document's own (or the own one is
// missing); else, when the document has none of its own, the newest image of a project with a
// Makefile (so a project built before this run can be started); else the own image, which may
// not exist.
std::string ImageForDocument(const std::string& ownImage, const std::string& projectDir,
                             const TProjectImages* images);
