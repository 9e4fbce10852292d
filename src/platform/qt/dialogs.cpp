// Qt implementation of the dialog seam, made the default of every program that links it.
#include "platform/qt/dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <stdexcept>
#include <vector>

#include "platform/codepage.h"
#include "platform/qt/qt_text.h"

namespace {

struct ButtonInfo {
    TMsgDlgBtn button;
    const char* caption;
    TModalResult result;
    QMessageBox::ButtonRole role;
};

const std::vector<ButtonInfo>& ButtonInfos() {
    static const std::vector<ButtonInfo> infos{
        {mbSave, "&Save", TModalResult::mrYes, QMessageBox::AcceptRole},
        {mbDiscard, "&Discard", TModalResult::mrNo, QMessageBox::DestructiveRole},
        {mbYes, "&Yes", TModalResult::mrYes, QMessageBox::YesRole},
        {mbNo, "&No", TModalResult::mrNo, QMessageBox::NoRole},
        {mbOK, "OK", TModalResult::mrOk, QMessageBox::AcceptRole},
        {mbCancel, "Cancel", TModalResult::mrCancel, QMessageBox::RejectRole},
        {mbAbort, "&Abort", TModalResult::mrAbort, QMessageBox::RejectRole},
        {mbRetry, "&Retry", TModalResult::mrRetry, QMessageBox::AcceptRole},
        {mbIgnore, "&Ignore", TModalResult::mrIgnore, QMessageBox::AcceptRole},
        {mbAll, "&All", TModalResult::mrAll, QMessageBox::YesRole},
    };
    return infos;
}

QMessageBox::Icon IconOf(TMsgDlgType type) {
    switch (type) {
        case TMsgDlgType::mtWarning:
            return QMessageBox::Warning;
        case TMsgDlgType::mtError:
            return QMessageBox::Critical;
        case TMsgDlgType::mtInformation:
            return QMessageBox::Information;
        case TMsgDlgType::mtConfirmation:
            return QMessageBox::Question;
        case TMsgDlgType::mtCustom:
            return QMessageBox::NoIcon;
    }
    return QMessageBox::NoIcon;
}

TFileDialogResult RunFileDialog(const TFileDialogRequest& request, bool save) {
    QFileDialog dialog(QApplication::activeWindow());
    // The platform dialogs cannot carry the read-only box, so ours is always used.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.FileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (save) dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!request.Title.empty()) dialog.setWindowTitle(ToQ(request.Title));
    const QStringList filters = FilterToQt(request.Filter).split(";;", Qt::SkipEmptyParts);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const int index = request.FilterIndex - 1;
        if (index >= 0 && index < filters.size()) dialog.selectNameFilter(filters[index]);
    }
    if (!request.InitialDir.empty()) dialog.setDirectory(ToQPath(request.InitialDir));
    if (!request.FileName.empty()) dialog.selectFile(ToQPath(request.FileName));

    QCheckBox* readOnly = nullptr;
    if (request.ShowReadOnly) {
        readOnly = new QCheckBox(QObject::tr("Open as &read-only"), &dialog);
        readOnly->setChecked(request.ReadOnly);
        if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
            grid->addWidget(readOnly, grid->rowCount(), 0, 1, grid->columnCount());
        }
    }

    TFileDialogResult result;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return result;
    result.Accepted = true;
    result.FileName = FromQPath(dialog.selectedFiles().front());
    result.ReadOnly = readOnly != nullptr && readOnly->isChecked();
    result.FilterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    return result;
}

}  // namespace

std::string MsgDlgTitle(TMsgDlgType type) {
    switch (type) {
        case TMsgDlgType::mtWarning:
            return "Warning";
        case TMsgDlgType::mtError:
            return "Error";
        case TMsgDlgType::mtInformation:
            return "Information";
        case TMsgDlgType::mtConfirmation:
            return "Confirm";
        case TMsgDlgType::mtCustom:
            break;
    }
    return FromQ(QApplication::applicationName());
}

QString FilterToQt(const std::string& filter) {
    QStringList parts = ToQ(filter).split('|');
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        patterns = patterns.simplified();
        // Qt reads the patterns from the last parentheses, so add them unless they are there.
        if (description.endsWith("(" + patterns + ")")) {
            result << description;
        } else {
            result << description + " (" + patterns + ")";
        }
    }
    return result.join(";;");
}

TModalResult TQtDialogs::MessageDlg(const std::string& text, TMsgDlgType type,
                                    TMsgDlgButtons buttons) {
    QMessageBox box(IconOf(type), ToQ(MsgDlgTitle(type)), ToQ(text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    std::vector<std::pair<QAbstractButton*, TModalResult>> added;
    for (const ButtonInfo& info : ButtonInfos()) {
        if ((buttons & info.button) == 0) continue;
        QPushButton* button = box.addButton(QObject::tr(info.caption), info.role);
        added.emplace_back(button, info.result);
    }
    if (added.empty()) added.emplace_back(box.addButton(QMessageBox::Ok), TModalResult::mrOk);
    box.setDefaultButton(static_cast<QPushButton*>(added.front().first));
    box.exec();
    for (const auto& [button, result] : added) {
        if (box.clickedButton() == button) return result;
    }
    return (buttons & mbCancel) ? TModalResult::mrCancel : TModalResult::mrNone;
}

TFileDialogResult TQtDialogs::OpenFileDialog(const TFileDialogRequest& request) {
    return RunFileDialog(request, false);
}

TFileDialogResult TQtDialogs::SaveFileDialog(const TFileDialogRequest& request) {
    return RunFileDialog(request, true);
}

TReplaceAnswer TQtDialogs::ConfirmReplace(const TReplaceConfirmRequest& request) {
    if (m_confirmReplace) return m_confirmReplace(request);
    const std::string question = "Replace this occurence of \"" + request.Text + "\"?";
    switch (MessageDlg(question, TMsgDlgType::mtConfirmation, mbYes | mbNo | mbCancel | mbAll)) {
        case TModalResult::mrYes:
            return TReplaceAnswer::raYes;
        case TModalResult::mrNo:
            return TReplaceAnswer::raNo;
        case TModalResult::mrAll:
            return TReplaceAnswer::raAll;
        default:
            return TReplaceAnswer::raCancel;
    }
}

TModalResult TQtDialogs::ShowModal(QDialog& dialog) {
    return dialog.exec() == QDialog::Accepted ? TModalResult::mrOk : TModalResult::mrCancel;
}

std::string TQtDialogs::SelectDirectory(const std::string& title, const std::string& initialDir) {
    // Directory names are bytes of the file system, not code-page text.
    const QString chosen = QFileDialog::getExistingDirectory(
        QApplication::activeWindow(), ToQ(title), QFile::decodeName(initialDir.c_str()));
    return chosen.isEmpty() ? std::string() : std::string(QFile::encodeName(chosen).constData());
}

IWidgetDialogs& WidgetDialogs() {
    if (auto* dialogs = dynamic_cast<IWidgetDialogs*>(&Dialogs())) return *dialogs;
    throw std::logic_error("The installed dialogs cannot show the program's own dialogs");
}
