// Jumps from tool messages to the source and the error marks of the document windows.
#include "app/message_navigation.h"

#include <QAction>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>
#include <unordered_map>

#include "app/file_commands.h"
#include "app/main_window.h"
#include "documents/error_marks.h"
#include "documents/mdi_child.h"
#include "editor/qt/synedit.h"
#include "editor/string_list.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/qt/error_report.h"
#include "toolrun/qt/output_panel_messages.h"
#include "toolrun/qt/output_panel_widget.h"

namespace {

// Marks a document window whose error marks have been set once.
constexpr char kMarksApplied[] = "quillonErrorMarksApplied";

}  // namespace

std::string NormalisePath(const std::string& path) {
    if (path.empty()) return path;
    std::error_code error;
    std::filesystem::path result = std::filesystem::weakly_canonical(path, error);
    if (error) result = std::filesystem::absolute(path, error).lexically_normal();
    return result.string();
}

TMessageNavigation::TMessageNavigation(TMainForm& form, TFileCommands& files, TOutputPanel& panel)
    : m_form(form), m_files(files), m_panel(panel) {
    form.BindCommand(form.NextMessage1(), [this] { NextMessage1Execute(); });
    form.BindCommand(form.PreviousMessage1(), [this] { PreviousMessage1Execute(); });
    TOutputPanelMessages& messages = panel.Messages();
    messages.OnMessageChosen = [this](const TToolMessage& message) { GoToMessage(message); };
    messages.OnBuildFinished = [this](const std::string& builtFile, const TToolMessageList& list) {
        BuildFinished(builtFile, list);
    };
    connect(form.ClientArea(), &QMdiArea::subWindowActivated, this,
            [this](QMdiSubWindow* window) { DocumentActivated(window); });
}

TMessageNavigation::~TMessageNavigation() {
    TOutputPanelMessages& messages = m_panel.Messages();
    messages.OnMessageChosen = nullptr;
    messages.OnBuildFinished = nullptr;
}

void TMessageNavigation::NextMessage1Execute() {
    m_panel.MakeVisible();
    m_panel.Messages().Step(1);
}

void TMessageNavigation::PreviousMessage1Execute() {
    m_panel.MakeVisible();
    m_panel.Messages().Step(-1);
}

std::string TMessageNavigation::MessagePath(const TToolMessage& message) const {
    const std::string& buildDir = m_panel.Messages().BuildDir();
    return ResolveMessageFile(message,
                              buildDir.empty() ? m_files.ActiveSource().SourceDir() : buildDir);
}

TMDIChild* TMessageNavigation::FindDocument(const std::string& normalisedPath) const {
    for (QMdiSubWindow* window : m_form.ClientArea()->subWindowList()) {
        auto* document = qobject_cast<TMDIChild*>(window->widget());
        if (document != nullptr && !document->SourcePath().empty() &&
            NormalisePath(document->SourcePath()) == normalisedPath) {
            return document;
        }
    }
    return nullptr;
}

void TMessageNavigation::GoToMessage(const TToolMessage& message) {
    const std::string path = MessagePath(message);
    TMDIChild* document = FindDocument(NormalisePath(path));
    if (document != nullptr) {
        auto* window = qobject_cast<QMdiSubWindow*>(document->parentWidget());
        if (window != nullptr) {
            if (window->isMinimized()) window->showNormal();
            m_form.ClientArea()->setActiveSubWindow(window);
        }
    } else {
        if (!FileExists(path)) {
            Dialogs().MessageDlg("Cannot find the file\r\n" + path, TMsgDlgType::mtError, mbOK);
            return;
        }
        document = m_files.OpenDocumentWindow(path);
        // The window takes this file, not the one the open dialog returned last.
        document->SetSourcePath(path);
        document->SynEditor()->SetReadOnly(false);
        document->SetTextChanged(false);
        document->m();
        ApplyErrorMarks(*document);
    }

    TSynEdit& editor = *document->SynEditor();
    const int line = std::clamp(message.Line, 1, std::max(1, editor.Lines().GetCount()));
    const TBufferCoord caret{std::max(1, message.Column), line};
    editor.SetCaretAndSelection(caret, caret, caret);
    editor.EnsureCursorPosVisible();
    KeepCaretLineInView(*document);
    editor.setFocus(Qt::OtherFocusReason);
}

void TMessageNavigation::KeepCaretLineInView(TMDIChild& document) {
    // The panel may just have been shown or resized; lay out before measuring.
    if (QWidget* centre = m_form.centralWidget(); centre != nullptr && centre->layout()) {
        centre->layout()->activate();
    }
    if (document.layout() != nullptr) document.layout()->activate();
    QWidget* area = m_form.ClientArea()->viewport();
    auto* window = qobject_cast<QMdiSubWindow*>(document.parentWidget());
    TSynEdit& editor = *document.SynEditor();
    const int lineHeight = std::max(1, editor.LineHeight());

    // The rows of the editor that show in the client area, and whether the caret's is one.
    auto caretShows = [&] {
        const QRect text(editor.viewport()->mapTo(area, QPoint(0, 0)), editor.viewport()->size());
        const QRect shown = text.intersected(area->rect());
        if (shown.isEmpty()) return false;
        const int first = (shown.top() - text.top() + lineHeight - 1) / lineHeight;
        const int last = (shown.bottom() + 1 - text.top()) / lineHeight - 1;
        if (last < first) return false;
        const int row = editor.CaretY() - editor.TopLine();
        if (row >= first && row <= last) return true;
        editor.SetTopLine(editor.CaretY() - (first + last) / 2);
        const int scrolled = editor.CaretY() - editor.TopLine();
        return scrolled >= first && scrolled <= last;
    };

    if (caretShows() || window == nullptr || window->isMaximized()) return;
    // Scrolling alone cannot do it (the caret line is near the end of a tall window): bring the
    // whole window into the area.
    QRect frame = window->geometry();
    frame.setHeight(std::min(frame.height(), area->height()));
    frame.moveTop(std::max(0, std::min(frame.top(), area->height() - frame.height())));
    window->setGeometry(frame);
    if (window->layout() != nullptr) window->layout()->activate();
    if (document.layout() != nullptr) document.layout()->activate();
    caretShows();
}

void TMessageNavigation::BuildFinished(const std::string& builtFile,
                                       const TToolMessageList& messages) {
    const std::string built = NormalisePath(builtFile);
    std::set<std::string> affected;
    for (const TErrorLine& old : m_errorsByBuild[built]) affected.insert(old.Path);
    std::vector<TErrorLine> lines;
    // A build names few files in many messages: each name is made canonical once, since that
    // asks the file system.
    std::unordered_map<std::string, std::string> canonical;
    for (const TToolMessage& message : messages.Messages()) {
        if (message.Kind != TToolMessageKind::Error) continue;
        auto [known, added] = canonical.try_emplace(message.File);
        if (added) known->second = NormalisePath(MessagePath(message));
        lines.push_back({known->second, message.Line});
        if (added) affected.insert(known->second);
    }
    m_errorsByBuild[built] = std::move(lines);
    for (const std::string& path : affected) {
        if (TMDIChild* document = FindDocument(path)) ApplyErrorMarks(*document);
    }
}

std::vector<int> TMessageNavigation::ErrorLines(const std::string& path) const {
    const std::string normalised = NormalisePath(path);
    std::vector<int> lines;
    for (const auto& [built, errors] : m_errorsByBuild) {
        for (const TErrorLine& error : errors) {
            if (error.Path == normalised) lines.push_back(error.Line);
        }
    }
    return lines;
}

void TMessageNavigation::ApplyErrorMarks(TMDIChild& document) const {
    document.setProperty(kMarksApplied, true);
    if (document.SourcePath().empty()) return;
    SetErrorMarks(*document.SynEditor(), ErrorLines(document.SourcePath()));
}

void TMessageNavigation::DocumentActivated(QMdiSubWindow* window) {
    auto* document = window != nullptr ? qobject_cast<TMDIChild*>(window->widget()) : nullptr;
    if (document == nullptr || document->property(kMarksApplied).toBool()) return;
    // A window opened by the file commands loads its text after it became active.
    QPointer<TMDIChild> target(document);
    QTimer::singleShot(0, this, [this, target] {
        if (target && !target->property(kMarksApplied).toBool()) {
            RunCommand([&] { ApplyErrorMarks(*target); });
        }
    });
}
