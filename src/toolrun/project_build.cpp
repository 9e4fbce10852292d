// The project build command.
#include "toolrun/project_build.h"

#include "project/project_directory.h"
#include "toolrun/build_frame.h"
#include "toolrun/build_messages.h"
#include "toolrun/build_settings.h"
#include "toolrun/build_steps.h"
#include "toolrun/command_template.h"
#include "toolrun/output_panel.h"
#include "toolrun/project_images.h"
#include "toolrun/source_directory.h"
#include "toolrun/tool_launcher_seam.h"
#include "toolrun/tool_output.h"

namespace {

constexpr std::string_view kDefaultProjectCommand = "make";

// The project as the status bar names it: its directory's own name, short enough to leave room
// for the image's name after it.
std::string ProjectName(const std::string& projectDir) {
    const std::string dir = DirectoryValue(projectDir);
    const std::string::size_type slash = dir.find_last_of("/\\");
    if (slash == std::string::npos || slash + 1 == dir.size()) return dir;
    return dir.substr(slash + 1);
}

bool IsBlankText(const std::string& text) {
    return text.find_first_not_of(" \t") == std::string::npos;
}

// The image a successful build stands for: the one it wrote; else the one the project's last
// build made, when it is still there; else the newest in the project.
std::string ImageOfBuild(const std::string& projectDir, const TImageSnapshot& before,
                         const TImageSnapshot& after, const TProjectImages* images, bool& written) {
    std::string image = BuiltImage(before, after);
    written = !image.empty();
    if (written) return image;
    const std::string last = images != nullptr ? images->Find(projectDir) : std::string();
    if (!last.empty() && after.count(last) != 0) return last;
    return NewestImage(after);
}

}  // namespace

std::string ProjectCommandLine(const std::string& command, const std::string& projectDir,
                               const std::string& sourceDir, const std::string& sourceName) {
    if (IsBlankText(command)) {
        return HoldsMakefile(projectDir) ? std::string(kDefaultProjectCommand) : std::string();
    }
    if (!IsCommandTemplate(command)) return command;
    return ExpandCommandTemplate(command, CommandValuesFor(sourceDir, sourceName, {}, projectDir));
}

std::string ProjectBuildStatusText(const std::string& projectDir, const TToolRunResult& result) {
    const std::string project = ProjectName(projectDir);
    if (result.Cancelled) {
        return std::string(kStatusCancelledPrefix) + project + std::string(kStatusBuildCancelled);
    }
    std::string text = std::string(kStatusFinishedBuilding) + project;
    if (!result.Started) return text + std::string(kStatusBuildNotStarted);
    if (result.ExitCode == 0) return text + std::string(kStatusBuildSuccessful);
    return text + " Build FAILED (exit code " + std::to_string(result.ExitCode) + ")";
}

std::string ProjectImageStatusText(const std::string& projectDir, const std::string& imagePath,
                                   bool written) {
    if (imagePath.empty()) return std::string(kStatusBuildNoImage);
    std::string name = imagePath;
    if (name.compare(0, projectDir.size(), projectDir) == 0) name.erase(0, projectDir.size());
    std::string text = " - " + name + " " + std::to_string(StampOf(imagePath).Size) + " bytes";
    return written ? text : text + " (up to date)";
}

void BuildProject1Click(TBuildServices& services) {
    IBuildFrame& frame = services.Frame;
    if (!HasSavedDocumentToBuild(frame)) return;
    const std::string sourceDir = frame.SourceDir();
    const std::string sourceName = frame.SourceName();
    const std::string projectDir = ProjectDirectoryOf(sourceDir + sourceName);
    // make reads the files, not the windows: every modified document of the project goes first.
    if (!frame.SaveProjectDocuments(projectDir)) return;

    services.Panel.MakeVisible();
    const std::string command = services.Settings.ProjectCommand();
    const std::string commandLine = ProjectCommandLine(command, projectDir, sourceDir, sourceName);
    frame.SetStatusText(std::string(kStatusBuilding) + DirectoryValue(projectDir));
    ShowBanner(services.Panel,
               std::string(kBannerBuildingPrefix) + (commandLine.empty() ? command : commandLine));
    if (commandLine.empty()) {
        services.Panel.AddLine(std::string(kNoProjectCommand));
        frame.SetStatusText(std::string(kStatusFinishedBuilding) + ProjectName(projectDir) +
                            std::string(kStatusBuildNotStarted));
        return;
    }
    services.Launcher.ProcessPendingMessages();

    CheckSourceDir(projectDir);
    const TImageSnapshot before = SnapshotImages(projectDir);
    const TToolRunResult result = services.Launcher.CreateProcessSimple(commandLine, projectDir);
    if (result.Started && !result.Cancelled) WriteToolLog(result.Output);
    ShowCapturedMessages(services.Panel, result);

    std::string status = ProjectBuildStatusText(projectDir, result);
    std::string builtImage;
    if (result.Started && !result.Cancelled && result.ExitCode == 0) {
        bool written = false;
        const std::string image =
            ImageOfBuild(projectDir, before, SnapshotImages(projectDir), services.Images, written);
        if (!image.empty() && services.Images != nullptr)
            services.Images->Remember(projectDir, image);
        status += ProjectImageStatusText(projectDir, image, written);
        if (!image.empty()) builtImage = image;
    }
    services.Panel.ToolFinished(projectDir, {});
    frame.SetStatusText(status);
    if (!builtImage.empty()) frame.ImageBuilt(builtImage);
}
