// The emulator commands.
#include "toolrun/emulator_commands.h"

#include <string>

#include "platform/dialogs.h"
#include "platform/files.h"
#include "project/project_directory.h"
#include "toolrun/build_frame.h"
#include "toolrun/build_messages.h"
#include "toolrun/build_settings.h"
#include "toolrun/command_template.h"
#include "toolrun/image_name.h"
#include "toolrun/output_panel.h"
#include "toolrun/project_images.h"
#include "toolrun/source_directory.h"
#include "toolrun/tool_launcher_seam.h"
#include "toolrun/tool_output.h"

namespace {

bool IsBlankText(const std::string& text) {
    return text.find_first_not_of(" \t") == std::string::npos;
}

// The status text of an emulator that could not be started: the command and why.
std::string NotStartedText(const std::string& commandLine, const std::string& emulator, int index,
                           const std::string& error) {
    const std::string why = IsBlankText(emulator)
                                ? "no command is set for Emulator " + std::to_string(index + 1)
                                : error;
    return "Could not start: " + commandLine + " - " + why;
}

// An emulator that ended with an error: its messages and exit status below the build's
// messages, which stay in the panel.
void ShowEmulatorMessages(IOutputPanel& panel, const std::string& commandLine,
                          const TToolRunResult& result) {
    panel.MakeVisible();
    panel.AddLine(std::string(kEmulatorSeparator));
    panel.AddLine(std::string(kBannerRunningPrefix) + commandLine);
    AddTextToPanel(panel, result.Output);
    panel.AddLine("(exit status " + std::to_string(result.ExitCode) + ")");
}

}  // namespace

std::string EmulatorCommandLine(const std::string& emulator, const std::string& sourceDir,
                                const std::string& sourceName, const std::string& imagePath,
                                const std::string& projectDir) {
    if (IsCommandTemplate(emulator)) {
        TCommandValues values = CommandValuesFor(sourceDir, sourceName, {}, projectDir);
        values.Image = imagePath;
        return ExpandCommandTemplate(emulator, values);
    }
    return emulator + " " + PathArgument(imagePath);
}

void EMUClick(TBuildServices& services, int index) {
    IBuildFrame& frame = services.Frame;
    if (frame.MDIChildCount() == 0) {
        Dialogs().MessageDlg(std::string(kMsgNoRomImage), TMsgDlgType::mtInformation, mbOK);
        return;
    }
    const std::string emulator = services.Settings.EmulatorCommand(index);
    const std::string sourceDir = frame.SourceDir();
    CheckSourceDir(sourceDir);
    const std::string projectDir = ProjectDirectoryOf(sourceDir + frame.SourceName());
    const std::string imagePath =
        ImageForDocument(sourceDir + ImageName(frame.SourceName()), projectDir, services.Images);
    if (!FileExists(imagePath)) {
        frame.SetStatusText("No image to run: " + imagePath + " does not exist (build it first)");
        return;
    }
    const std::string commandLine =
        EmulatorCommandLine(emulator, sourceDir, frame.SourceName(), imagePath, projectDir);
    frame.SetStatusText(commandLine);
    const TToolRunResult result = services.Launcher.CreateProcessSimple(commandLine, sourceDir);
    if (!result.Started) {
        frame.SetStatusText(NotStartedText(commandLine, emulator, index, result.Error));
        return;
    }
    if (result.Cancelled) return;
    // What an emulator prints while it runs well is its own business, not a build message.
    if (result.ExitCode != 0) {
        ShowEmulatorMessages(services.Panel, commandLine, result);
        frame.SetStatusText(commandLine + " - ended with exit status " +
                            std::to_string(result.ExitCode));
    }
}
