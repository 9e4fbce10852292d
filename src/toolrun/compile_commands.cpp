// The two compile commands and the steps they share.
#include "toolrun/compile_commands.h"

#include <exception>

#include "platform/dialogs.h"
#include "project/project_directory.h"
#include "toolrun/build_frame.h"
#include "toolrun/build_messages.h"
#include "toolrun/build_settings.h"
#include "toolrun/build_steps.h"
#include "toolrun/command_template.h"
#include "toolrun/image_name.h"
#include "toolrun/output_panel.h"
#include "toolrun/packaged_toolchain.h"
#include "toolrun/source_directory.h"
#include "toolrun/tool_launcher_seam.h"
#include "toolrun/tool_output.h"

namespace {

// Refuses with a message when there is no document or it has never been saved; saves unsaved
// changes so the tool compiles the text on screen.
bool HasSavedDocument(IBuildFrame& frame) {
    return HasSavedDocumentToBuild(frame) && frame.SaveActiveDocument();
}

void SetCompilingStatus(IBuildFrame& frame) {
    frame.SetStatusText(std::string(kStatusCompiling) + frame.ActiveCaption());
}

// One build's command line: a template expanded, or the fixed shape with its file name quoted
// when it holds blanks and " >output.c" at the end.
struct TBuildCommandLine {
    std::string Text;
    bool Template = false;
};

TBuildCommandLine ComposeCommandLine(const IBuildFrame& frame, const std::string& tool,
                                     const std::string& switches, bool withSwitches) {
    if (IsCommandTemplate(tool)) {
        const std::string dir = frame.SourceDir();
        const std::string name = frame.SourceName();
        return {ExpandCommandTemplate(
                    tool, CommandValuesFor(dir, name, switches, ProjectDirectoryOf(dir + name))),
                true};
    }
    std::string text = tool + " " + PathArgument(frame.SourceName());
    if (withSwitches) text += " " + switches;
    return {text + std::string(kRedirectOutput), false};
}

// Shows this run's messages: a fresh "output.c" when the tool left one with something in it,
// else what the tool printed, else the banner with one line saying why there is nothing.
void ShowMessages(IOutputPanel& panel, const std::string& outputPath, bool freshOutput,
                  const TToolRunResult& result) {
    if (freshOutput && StampOf(outputPath).Size > 0) {
        try {
            panel.LoadFromFile(outputPath);
        } catch (const std::exception&) {
            Dialogs().MessageDlg(std::string(kMsgCouldNotLoadOutput), TMsgDlgType::mtError, mbOK);
        }
        return;
    }
    ShowCapturedMessages(panel, result);
}

// A tool without a command is not run: the panel says how to set one up.
bool RefuseUnconfigured(TBuildServices& services, const std::string& command) {
    if (command.find_first_not_of(" \t") != std::string::npos) return false;
    services.Panel.AddLine(std::string(kNoToolConfigured));
    services.Panel.AddLine(std::string(kSetUpToolsHint));
    services.Frame.SetStatusText(std::string(kStatusFinished) + services.Frame.ActiveCaption() +
                                 std::string(kStatusNotStarted));
    return true;
}

// Moves the old messages aside, runs the tool, shows this run's messages and the closing status.
void RunTool(TBuildServices& services, const TBuildCommandLine& commandLine) {
    const std::string sourceDir = services.Frame.SourceDir();
    // The tool runs in the source directory; the files it leaves there are named with it.
    CheckSourceDir(sourceDir);
    // A template tool prints its messages, which the program keeps; only the fixed shapes have
    // the tool write "output.c" among the sources.
    if (!commandLine.Template) RotateOutputFile(sourceDir);
    const std::string outputPath = sourceDir + std::string(kOutputFile);
    const std::string imageName = ImageName(services.Frame.SourceName());
    const std::string imagePath = sourceDir + imageName;
    // "output.c" is still here only when it could not be moved; it is then not this run's.
    const TFileStamp outputBefore = StampOf(outputPath);
    const TFileStamp imageBefore = StampOf(imagePath);

    const TToolRunResult result =
        services.Launcher.CreateProcessSimple(commandLine.Text, sourceDir);

    bool freshOutput = false;
    if (!commandLine.Template) {
        freshOutput = WrittenSince(outputBefore, StampOf(outputPath));
    } else if (result.Started && !result.Cancelled) {
        WriteToolLog(result.Output);
    }
    ShowMessages(services.Panel, outputPath, freshOutput, result);

    std::string status = CompileStatusText(services.Frame.ActiveCaption(), result);
    bool imageWritten = false;
    if (result.Started && !result.Cancelled && result.ExitCode == 0) {
        const TFileStamp imageAfter = StampOf(imagePath);
        imageWritten = WrittenSince(imageBefore, imageAfter);
        status += ImageStatusText(imageName, imageWritten, imageAfter.Size);
    }
    services.Panel.ToolFinished(sourceDir, services.Frame.SourceName());
    services.Frame.SetStatusText(status);
    if (imageWritten) services.Frame.ImageBuilt(imagePath);
}

}  // namespace

std::string CompileStatusText(const std::string& caption, const TToolRunResult& result) {
    if (!result.Started)
        return std::string(kStatusFinished) + caption + std::string(kStatusNotStarted);
    if (result.Cancelled) {
        return std::string(kStatusCancelledPrefix) + caption + std::string(kStatusCancelled);
    }
    if (result.ExitCode == 0) {
        return std::string(kStatusFinished) + caption + std::string(kStatusSuccessful);
    }
    return std::string(kStatusFinished) + caption + " Compile FAILED (exit code " +
           std::to_string(result.ExitCode) + ")";
}

std::string ImageStatusText(const std::string& imageName, bool written, unsigned long long size) {
    if (!written) return std::string(kStatusNoImage);
    return " - " + imageName + " (" + std::to_string(size) + " bytes)";
}

void CompileCCode1Click(TBuildServices& services) {
    IBuildFrame& frame = services.Frame;
    if (!HasSavedDocument(frame)) return;
    services.Panel.MakeVisible();
    const std::string compiler = services.Settings.CompilerCommand();
    const std::string switches = services.Settings.SwitchString();
    SetCompilingStatus(frame);
    const TBuildCommandLine commandLine = ComposeCommandLine(frame, compiler, switches, true);
    const std::string shown = commandLine.Template
                                  ? commandLine.Text
                                  : compiler + " " + frame.SourceName() + " " + switches;
    ShowBanner(services.Panel, std::string(kBannerCompilingPrefix) + shown);
    if (RefuseUnconfigured(services, compiler)) return;
    services.Launcher.ProcessPendingMessages();
    RunTool(services, commandLine);
}

void CompileAssembly1Click(TBuildServices& services) {
    IBuildFrame& frame = services.Frame;
    if (!HasSavedDocument(frame)) return;
    services.Panel.MakeVisible();
    ShowBanner(services.Panel, std::string(kBannerAssembly));
    services.Launcher.ProcessPendingMessages();
    const std::string assembler = services.Settings.AssemblerCommand();
    SetCompilingStatus(frame);
    if (RefuseUnconfigured(services, assembler)) return;
    RunTool(services, ComposeCommandLine(frame, assembler, {}, false));
}
