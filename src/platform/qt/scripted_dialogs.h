// A dialog seam for tests: answers from a script and records every request.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/qt/dialogs.h"

class TScriptedDialogs : public IWidgetDialogs {
  public:
    struct MessageCall {
        std::string Text;
        TMsgDlgType Type;
        TMsgDlgButtons Buttons;
    };
    struct FileCall {
        bool Save;
        TFileDialogRequest Request;
    };

    // Requests in the order they came.
    std::vector<MessageCall> Messages;
    std::vector<FileCall> FileDialogs;
    std::vector<TReplaceConfirmRequest> ReplaceConfirms;
    // Object names of the dialogs shown with ShowModal.
    std::vector<std::string> ModalDialogs;
    // Initial directories of the directory questions.
    std::vector<std::string> DirectoryRequests;
    // Answers the next directory question; without one it is cancelled.
    void AnswerDirectory(const std::string& directory) { m_directoryAnswers.push_back(directory); }

    // Answers one ShowModal: the script fills in the dialog as a user would and returns how it
    // closed. Without one the dialog is cancelled.
    using ModalScript = std::function<TModalResult(QDialog&)>;
    void AnswerModal(ModalScript script) { m_modalAnswers.push_back(std::move(script)); }

    // Answers, used in order. Without a scripted answer a message dialog returns the result of
    // its first button (OK before Cancel), a file dialog is cancelled and a replace
    // confirmation is cancelled.
    void AnswerMessage(TModalResult result) { m_messageAnswers.push_back(result); }
    // filterIndex: the file type chosen (1 for the first).
    void AnswerFile(const std::string& fileName, bool readOnly = false, int filterIndex = 1);
    void CancelFile();
    void AnswerReplace(TReplaceAnswer answer) { m_replaceAnswers.push_back(answer); }

    TModalResult MessageDlg(const std::string& text, TMsgDlgType type,
                            TMsgDlgButtons buttons) override;
    TFileDialogResult OpenFileDialog(const TFileDialogRequest& request) override;
    TFileDialogResult SaveFileDialog(const TFileDialogRequest& request) override;
    TReplaceAnswer ConfirmReplace(const TReplaceConfirmRequest& request) override;
    TModalResult ShowModal(QDialog& dialog) override;
    std::string SelectDirectory(const std::string& title, const std::string& initialDir) override;

  private:
    TFileDialogResult NextFileAnswer();

    std::deque<TModalResult> m_messageAnswers;
    std::deque<TFileDialogResult> m_fileAnswers;
    std::deque<TReplaceAnswer> m_replaceAnswers;
    std::deque<ModalScript> m_modalAnswers;
    std::deque<std::string> m_directoryAnswers;
};
