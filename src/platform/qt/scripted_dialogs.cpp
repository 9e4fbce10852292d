// Scripted dialog answers for tests.
#include "platform/qt/scripted_dialogs.h"

#include <QDialog>

void TScriptedDialogs::AnswerFile(const std::string& fileName, bool readOnly, int filterIndex) {
    TFileDialogResult result;
    result.FilterIndex = filterIndex;
    result.Accepted = true;
    result.FileName = fileName;
    result.ReadOnly = readOnly;
    m_fileAnswers.push_back(result);
}

void TScriptedDialogs::CancelFile() {
    m_fileAnswers.push_back(TFileDialogResult{});
}

TModalResult TScriptedDialogs::MessageDlg(const std::string& text, TMsgDlgType type,
                                          TMsgDlgButtons buttons) {
    Messages.push_back(MessageCall{text, type, buttons});
    if (!m_messageAnswers.empty()) {
        const TModalResult result = m_messageAnswers.front();
        m_messageAnswers.pop_front();
        return result;
    }
    if (buttons & mbOK) return TModalResult::mrOk;
    if (buttons & (mbYes | mbSave)) return TModalResult::mrYes;
    if (buttons & mbNo) return TModalResult::mrNo;
    if (buttons & mbCancel) return TModalResult::mrCancel;
    return TModalResult::mrOk;
}

TFileDialogResult TScriptedDialogs::NextFileAnswer() {
    if (m_fileAnswers.empty()) return TFileDialogResult{};
    TFileDialogResult result = m_fileAnswers.front();
    m_fileAnswers.pop_front();
    return result;
}

TFileDialogResult TScriptedDialogs::OpenFileDialog(const TFileDialogRequest& request) {
    FileDialogs.push_back(FileCall{false, request});
    return NextFileAnswer();
}

TFileDialogResult TScriptedDialogs::SaveFileDialog(const TFileDialogRequest& request) {
    FileDialogs.push_back(FileCall{true, request});
    return NextFileAnswer();
}

TReplaceAnswer TScriptedDialogs::ConfirmReplace(const TReplaceConfirmRequest& request) {
    ReplaceConfirms.push_back(request);
    if (m_replaceAnswers.empty()) return TReplaceAnswer::raCancel;
    const TReplaceAnswer answer = m_replaceAnswers.front();
    m_replaceAnswers.pop_front();
    return answer;
}

TModalResult TScriptedDialogs::ShowModal(QDialog& dialog) {
    ModalDialogs.push_back(dialog.objectName().toStdString());
    if (m_modalAnswers.empty()) return TModalResult::mrCancel;
    const ModalScript script = std::move(m_modalAnswers.front());
    m_modalAnswers.pop_front();
    return script(dialog);
}

std::string TScriptedDialogs::SelectDirectory(const std::string& /*title*/,
                                              const std::string& initialDir) {
    DirectoryRequests.push_back(initialDir);
    if (m_directoryAnswers.empty()) return {};
    std::string answer = std::move(m_directoryAnswers.front());
    m_directoryAnswers.pop_front();
    return answer;
}
