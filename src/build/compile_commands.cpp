// The two compile commands and the steps they share.
#include "build/compile_commands.h"

#include <exception>

#include "build/build_frame.h"
#include "build/build_messages.h"
#include "build/build_settings.h"
#include "build/output_panel.h"
#include "build/source_directory.h"
#include "build/tool_launcher.h"
#include "platform/files.h"
#include "platform/qt/dialogs.h"

namespace {

// Refuses with a message when there is no document or it has never been saved.
bool HasSavedDocument(const IBuildFrame& frame) {
    if (frame.MDIChildCount() == 0) {
        Dialogs().MessageDlg(std::string(kMsgNoDocumentToCompile), TMsgDlgType::mtError, mbOK);
        return false;
    }
    if (frame.SourceDir().empty()) {
        Dialogs().MessageDlg(std::string(kMsgCompileUnsaved), TMsgDlgType::mtError, mbOK);
        return false;
    }
    return true;
}

void ShowBanner(IOutputPanel& panel, const std::string& middleLine) {
    panel.ClearText();
    panel.AddLine(std::string(kBannerTop));
    panel.AddLine(middleLine);
    panel.AddLine(std::string(kBannerBottom));
}

void SetCompilingStatus(IBuildFrame& frame) {
    frame.SetStatusText(std::string(kStatusCompiling) + frame.ActiveCaption());
}

// Moves the old messages aside, runs the tool, shows its messages and the closing status.
void RunTool(TBuildServices& services, const std::string& commandLine) {
    const std::string sourceDir = services.Frame.SourceDir();
    EnterSourceDir(sourceDir);
    MoveOldOutputAside();
    const TToolRunResult result = services.Launcher.CreateProcessSimple(commandLine);

    const std::string outputPath = sourceDir + std::string(kOutputFile);
    if (FileExists(outputPath)) {
        try {
            services.Panel.LoadFromFile(outputPath);
        } catch (const std::exception&) {
            Dialogs().MessageDlg(std::string(kMsgCouldNotLoadOutput), TMsgDlgType::mtError, mbOK);
        }
    }
    services.Panel.ToolFinished(sourceDir, services.Frame.SourceName());
    services.Frame.SetStatusText(CompileStatusText(services.Frame.ActiveCaption(), result));
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

void CompileCCode1Click(TBuildServices& services) {
    IBuildFrame& frame = services.Frame;
    if (!HasSavedDocument(frame)) return;
    services.Panel.MakeVisible();
    const std::string compiler = services.Settings.CompilerCommand();
    const std::string switches = services.Settings.SwitchString();
    SetCompilingStatus(frame);
    const std::string sourceName = frame.SourceName();
    ShowBanner(services.Panel,
               std::string(kBannerCompilingPrefix) + compiler + " " + sourceName + " " + switches);
    ProcessPendingMessages();
    RunTool(services, compiler + " " + sourceName + " " + switches + std::string(kRedirectOutput));
}

void CompileAssembly1Click(TBuildServices& services) {
    IBuildFrame& frame = services.Frame;
    if (!HasSavedDocument(frame)) return;
    services.Panel.MakeVisible();
    ShowBanner(services.Panel, std::string(kBannerAssembly));
    ProcessPendingMessages();
    const std::string assembler = services.Settings.AssemblerCommand();
    SetCompilingStatus(frame);
    RunTool(services, assembler + " " + frame.SourceName() + std::string(kRedirectOutput));
}
