// A dialog seam for plain C++ tests: keeps every message and file request, answers a message
// with its first button and cancels every file dialog.
#pragma once

#include <string>
#include <vector>

#include "platform/dialogs.h"

class TRecordedDialogs : public IDialogs {
  public:
    std::vector<std::string> Messages;
    std::vector<TMsgDlgType> Types;
    int FileRequests = 0;

    TModalResult MessageDlg(const std::string& text, TMsgDlgType type,
                            TMsgDlgButtons buttons) override {
        Messages.push_back(text);
        Types.push_back(type);
        if (buttons & mbYes) return TModalResult::mrYes;
        return TModalResult::mrOk;
    }
    TFileDialogResult OpenFileDialog(const TFileDialogRequest&) override {
        ++FileRequests;
        return {};
    }
    TFileDialogResult SaveFileDialog(const TFileDialogRequest&) override {
        ++FileRequests;
        return {};
    }
};
