// The build commands' shared steps.
#include "toolrun/build_steps.h"

#include "platform/dialogs.h"
#include "toolrun/build_frame.h"
#include "toolrun/build_messages.h"
#include "toolrun/output_panel.h"
#include "toolrun/packaged_toolchain.h"
#include "toolrun/tool_launcher_seam.h"
#include "toolrun/tool_output.h"

bool HasSavedDocumentToBuild(IBuildFrame& frame) {
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

void ShowCapturedMessages(IOutputPanel& panel, const TToolRunResult& result) {
    if (!result.Output.empty()) {
        ShowTextInPanel(panel, result.Output);
    } else if (!result.Started) {
        panel.AddLine(std::string(kCouldNotStartTool) + result.Error + ")");
        panel.AddLine(std::string(kSetUpToolsHint));
    } else if (!result.Cancelled) {
        panel.AddLine(std::string(kNoToolMessages));
    }
}
