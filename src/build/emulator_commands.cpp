// The emulator commands.
#include "build/emulator_commands.h"

#include <string>

#include "build/build_frame.h"
#include "build/build_messages.h"
#include "build/build_settings.h"
#include "build/image_name.h"
#include "build/source_directory.h"
#include "build/tool_launcher.h"
#include "platform/qt/dialogs.h"

void EMUClick(TBuildServices& services, int index) {
    IBuildFrame& frame = services.Frame;
    if (frame.MDIChildCount() == 0) {
        Dialogs().MessageDlg(std::string(kMsgNoRomImage), TMsgDlgType::mtInformation, mbOK);
        return;
    }
    const std::string emulator = services.Settings.EmulatorCommand(index);
    const std::string sourceDir = frame.SourceDir();
    EnterSourceDir(sourceDir);
    const std::string commandLine = emulator + " " + sourceDir + ImageName(frame.SourceName());
    frame.SetStatusText(commandLine);
    services.Launcher.CreateProcessSimple(commandLine);
}
