// Checking document files for changes made by other programs.
#include "documents/disk_change_check.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>

#include "documents/mdi_child.h"
#include "editor/qt/synedit.h"
#include "editor/string_list.h"
#include "editor/text_reload.h"
#include "platform/dialogs.h"
#include "platform/file_stamp.h"
#include "platform/qt/error_report.h"

const char* const kReloadQuestion =
    "\r\nhas been changed on disk by another program.\r\n\r\n"
    "Reload it and lose your changes (Yes), or keep your text (No)?";

namespace {

// Takes the file's text into the window as one undo step and records its stamp.
void ReloadDocument(TMDIChild& document, const TFileStamp& stamp) {
    TSynEditStringList fresh;
    fresh.LoadFromFile(document.SourcePath());
    ReloadEditorText(*document.SynEditor(), fresh);
    document.SetDiskStamp(stamp);
    document.SetTextChanged(false);
}

}  // namespace

TDiskChangeCheck::TDiskChangeCheck(QMdiArea* clientArea, std::function<TMDIChild*()> activeDocument)
    : QObject(clientArea), m_activeDocument(std::move(activeDocument)) {
    // Both checks run once the activation has settled, so a question does not interrupt the
    // click or key that activated the window.
    connect(clientArea, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
        if (window == nullptr) return;
        QTimer::singleShot(0, this, [this, target = QPointer<QMdiSubWindow>(window)] {
            if (!target) return;
            if (auto* document = qobject_cast<TMDIChild*>(target->widget()))
                CheckDocument(*document);
        });
    });
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state == Qt::ApplicationActive)
                    QTimer::singleShot(0, this, [this] { CheckActiveDocument(); });
            });
}

void TDiskChangeCheck::CheckActiveDocument() {
    if (TMDIChild* document = m_activeDocument ? m_activeDocument() : nullptr)
        CheckDocument(*document);
}

void TDiskChangeCheck::CheckDocument(TMDIChild& document) {
    // A question of another dialog is open: the check comes again at the next activation.
    if (m_checking || QApplication::activeModalWidget() != nullptr) return;
    if (document.SourcePath().empty() || !document.HasDiskStamp()) return;
    const TFileStamp now = ReadFileStamp(document.SourcePath());
    if (now == document.SeenStamp()) return;
    m_checking = true;
    RunCommand([&] {
        if (!now.Exists) {
            document.SetSeenStamp(now);
            if (document.LoadedStamp().Exists) document.SetDeletedOnDisk(true);
            return;
        }
        if (document.IsModified()) {
            const TModalResult answer = Dialogs().MessageDlg(
                document.Caption() + kReloadQuestion, TMsgDlgType::mtConfirmation, mbYes | mbNo);
            if (answer != TModalResult::mrYes) {
                // Asked once per change; Save still asks before writing over it.
                document.SetSeenStamp(now);
                document.SetDeletedOnDisk(false);
                return;
            }
        }
        // A file that cannot be read is reported once, not at every activation.
        document.SetSeenStamp(now);
        ReloadDocument(document, now);
    });
    m_checking = false;
}
