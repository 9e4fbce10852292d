// The one exception handler at the border between commands and the event loop.
#include "platform/qt/error_report.h"

#include "platform/dialogs.h"

void ShowErrorMessage(const std::string& text) {
    Dialogs().MessageDlg(text, TMsgDlgType::mtError, mbOK);
}

bool RunCommand(const std::function<void()>& command) noexcept {
    try {
        command();
        return true;
    } catch (const std::exception& error) {
        try {
            ShowErrorMessage(error.what());
        } catch (...) {
            // Nothing more can be reported when the report itself fails.
        }
    } catch (...) {
        try {
            ShowErrorMessage("Unknown error");
        } catch (...) {
        }
    }
    return false;
}
