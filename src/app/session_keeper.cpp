// Session capture and restore on the frame's document windows.
#include "app/session_keeper.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>
#include <vector>

#include "app/file_commands.h"
#include "app/main_window.h"
#include "documents/mdi_child.h"
#include "editor/qt/synedit.h"
#include "editor/scope_exit.h"
#include "editor/string_list.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/qt/error_report.h"

const char* const kSessionFilesGone =
    "These files of the last session no longer exist and were not opened:\r\n";

namespace {

TMDIChild* DocumentOf(QMdiSubWindow* window) {
    return window != nullptr ? qobject_cast<TMDIChild*>(window->widget()) : nullptr;
}

TSessionDocument Describe(QMdiSubWindow& window, TMDIChild& document) {
    TSessionDocument entry;
    entry.Path = document.SourcePath();
    TSynEdit& editor = *document.SynEditor();
    entry.CaretX = editor.CaretX();
    entry.CaretY = editor.CaretY();
    entry.TopLine = editor.TopLine();
    entry.WindowState =
        window.isMinimized() ? swsMinimized : (window.isMaximized() ? swsMaximized : swsNormal);
    if (entry.WindowState == swsNormal) {
        const QRect bounds = window.geometry();
        entry.Left = bounds.left();
        entry.Top = bounds.top();
        entry.Width = bounds.width();
        entry.Height = bounds.height();
    }
    for (int number = 0; number < 10; ++number) {
        TSessionBookmark mark{number, 1, 1};
        if (editor.GetBookMark(number, mark.Column, mark.Line)) entry.Bookmarks.push_back(mark);
    }
    return entry;
}

void PutBack(QMdiSubWindow& window, TMDIChild& document, const TSessionDocument& entry) {
    if (entry.Width > 0 && entry.Height > 0)
        window.setGeometry(entry.Left, entry.Top, entry.Width, entry.Height);
    TSynEdit& editor = *document.SynEditor();
    for (const TSessionBookmark& mark : entry.Bookmarks)
        editor.PlaceBookmark(mark.Number, mark.Column, mark.Line);
    const int lines = std::max(1, editor.Lines().GetCount());
    editor.SetCaretXY({std::max(1, entry.CaretX), std::clamp(entry.CaretY, 1, lines)});
    editor.SetTopLine(std::clamp(entry.TopLine, 1, lines));
}

}  // namespace

TSession CaptureSession(TMainForm& form, TFileCommands& files) {
    TSession session;
    QMdiArea* area = form.ClientArea();
    const QList<QMdiSubWindow*> stacking = area->subWindowList(QMdiArea::StackingOrder);
    TMDIChild* active = files.ActiveDocument();
    for (QMdiSubWindow* window : area->subWindowList(QMdiArea::CreationOrder)) {
        TMDIChild* document = DocumentOf(window);
        if (document == nullptr || document->SourcePath().empty() ||
            !FileExists(document->SourcePath())) {
            continue;
        }
        TSessionDocument entry = Describe(*window, *document);
        entry.Stack = static_cast<int>(stacking.indexOf(window));
        if (document == active) session.Active = static_cast<int>(session.Documents.size());
        session.Documents.push_back(std::move(entry));
    }
    return session;
}

void RestoreSession(TMainForm& form, TFileCommands& files, const TSession& session) {
    std::string gone;
    std::vector<std::pair<QMdiSubWindow*, const TSessionDocument*>> opened;
    QMdiSubWindow* active = nullptr;
    // One batch: no window becomes active while the others open, which would cost each window
    // more for every one already open.
    form.BeginDocumentBatch();
    bool batchOpen = true;
    const TScopeExit endBatch([&form, &batchOpen] {
        if (batchOpen) form.EndDocumentBatch();
    });
    for (std::size_t i = 0; i < session.Documents.size(); ++i) {
        const TSessionDocument& entry = session.Documents[i];
        if (!FileExists(entry.Path)) {
            gone += "\r\n" + entry.Path;
            continue;
        }
        RunCommand([&] {
            TMDIChild* document = files.OpenChosenFile(entry.Path, false);
            if (document == nullptr || document->SourcePath() != entry.Path) return;
            auto* window = qobject_cast<QMdiSubWindow*>(document->parentWidget());
            if (window == nullptr) return;
            PutBack(*window, *document, entry);
            opened.emplace_back(window, &entry);
            if (static_cast<int>(i) == session.Active) active = window;
        });
    }
    batchOpen = false;
    form.EndDocumentBatch();
    // States once every window exists; then the stacking order, bottom first, and the active
    // window on top.
    for (const auto& [window, entry] : opened) {
        if (entry->WindowState == swsMinimized) window->showMinimized();
    }
    std::vector<std::pair<QMdiSubWindow*, const TSessionDocument*>> byStack = opened;
    std::stable_sort(byStack.begin(), byStack.end(), [](const auto& a, const auto& b) {
        return a.second->Stack < b.second->Stack;
    });
    // Raised, not activated: an activation deactivates every other window.
    for (const auto& [window, entry] : byStack) {
        if (entry->WindowState != swsMinimized) window->raise();
    }
    if (active == nullptr && !byStack.empty()) active = byStack.back().first;
    if (active != nullptr) {
        form.ClientArea()->setActiveSubWindow(active);
        for (const auto& [window, entry] : opened) {
            if (window == active && entry->WindowState == swsMaximized) window->showMaximized();
        }
    }
    if (!gone.empty())
        Dialogs().MessageDlg(kSessionFilesGone + gone.substr(2), TMsgDlgType::mtInformation, mbOK);
}

void SaveSessionOf(TMainForm& form, TFileCommands& files, const std::string& fileName) {
    RunCommand([&] { WriteSessionFile(fileName, CaptureSession(form, files)); });
}
