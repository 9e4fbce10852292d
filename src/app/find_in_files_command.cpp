// Find in Files: the dialog, the background run and the output panel.
#include "app/find_in_files_command.h"

#include <sys/stat.h>

#include <QAction>
#include <QPushButton>
#include <QStatusBar>

#include "app/app_session.h"
#include "app/document_texts.h"
#include "app/file_commands.h"
#include "app/main_window.h"
#include "config/config_file.h"
#include "documents/mdi_child.h"
#include "editor/qt/synedit.h"
#include "platform/files.h"
#include "platform/qt/dialogs.h"
#include "platform/qt/error_report.h"
#include "project/project_directory.h"
#include "project/qt/find_in_files_dialog.h"
#include "project/qt/find_in_files_run.h"
#include "search/search_settings.h"
#include "toolrun/qt/output_panel_messages.h"
#include "toolrun/qt/output_panel_widget.h"

namespace {

bool IsDirectory(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string WithSlash(std::string directory) {
    if (!directory.empty() && directory.back() != '/') directory += '/';
    return directory;
}

}  // namespace

TFindInFilesCommand::TFindInFilesCommand(TMainForm& form, TFileCommands& files, TOutputPanel& panel)
    : QObject(&form), m_form(form), m_files(files), m_panel(panel) {
    m_run = new TFindInFilesRun(this);
    m_run->OnLines = [this](const std::vector<std::string>& lines) {
        for (const std::string& line : lines) m_panel.AddLine(line);
    };
    m_run->OnProgress = [this](int searched, int listed) {
        m_form.SetStatusText("Searching... " + std::to_string(searched) + " of " +
                             std::to_string(listed) + " files");
    };
    m_run->OnFinished = [this](int matches, int files, bool cancelled) {
        SearchEnded(matches, files, cancelled);
    };

    form.BindCommand(form.EditFindInFiles1(), [this] { EditFindInFiles1Execute(); });
    StopSearch1 = new QAction(tr("Stop search"), &form);
    StopSearch1->setObjectName("StopSearch1");
    StopSearch1->setShortcut(QKeySequence(Qt::Key_Escape));
    StopSearch1->setShortcutContext(Qt::WindowShortcut);
    form.addAction(StopSearch1);
    form.BindCommand(StopSearch1, [this] { CancelSearch(); });
    StopSearch1->setEnabled(false);

    btnCancelSearch = new QPushButton(tr("Cancel"), form.StatusBar());
    btnCancelSearch->setObjectName("btnCancelSearch");
    btnCancelSearch->setToolTip(tr("Stop the search (Esc)"));
    btnCancelSearch->setFocusPolicy(Qt::NoFocus);
    form.StatusBar()->addPermanentWidget(btnCancelSearch);
    btnCancelSearch->hide();
    connect(btnCancelSearch, &QPushButton::clicked, this, Guarded([this] { CancelSearch(); }));
}

TFindInFilesCommand::~TFindInFilesCommand() = default;

bool TFindInFilesCommand::IsRunning() const {
    return m_run->IsRunning();
}

std::string TFindInFilesCommand::DefaultDirectory() const {
    TMDIChild* document = m_files.ActiveDocument();
    if (document != nullptr && !document->SourcePath().empty())
        return ProjectDirectoryOf(document->SourcePath());
    return WithSlash(GetCurrentDir());
}

void TFindInFilesCommand::EditFindInFiles1Execute() {
    TFindInFilesDialog dialog(&m_form);
    TSearchSettings& settings = m_form.Session().Search().Settings();
    dialog.SetFindHistory(settings.FindHistory);
    std::string text = settings.FindText;
    if (TMDIChild* document = m_files.ActiveDocument()) {
        // The selection (of one line) or the name at the caret is what the user looks at.
        const TSynEdit& editor = *document->SynEditor();
        const std::string selected = editor.SelAvail() ? editor.SelText() : std::string();
        if (!selected.empty() && selected.find_first_of("\r\n") == std::string::npos) {
            text = selected;
        } else if (const std::string word = WordAtCaret(editor); !word.empty()) {
            text = word;
        }
    }
    dialog.SetFindText(text);
    dialog.SetMatchCase(m_matchCase);
    dialog.SetWholeWords(m_wholeWords);
    dialog.SetMask(TConfigFile().ReadForCommand(ckFindMask));
    dialog.SetDirectory(DefaultDirectory());
    if (WidgetDialogs().ShowModal(dialog) != TModalResult::mrOk) return;
    settings.FindHistory = dialog.FindHistory();
    if (!dialog.FindText().empty()) settings.FindText = dialog.FindText();
    StartSearch(dialog);
}

void TFindInFilesCommand::StartSearch(const TFindInFilesDialog& dialog) {
    m_matchCase = dialog.MatchCase();
    m_wholeWords = dialog.WholeWords();
    const std::string text = dialog.FindText();
    if (text.empty()) return;
    const std::string directory = WithSlash(dialog.Directory());
    if (!IsDirectory(directory)) {
        Dialogs().MessageDlg("Cannot find the directory\r\n" + dialog.Directory(),
                             TMsgDlgType::mtError, mbOK);
        return;
    }
    TConfigFile config;
    if (config.ReadForCommand(ckFindMask) != dialog.Mask())
        config.WriteString(ckFindMask, dialog.Mask());

    // Unsaved texts are searched as they stand in their windows.
    TTextOverrides overrides;
    for (TMDIChild* document : DocumentWindows(m_form)) {
        TFileKey key;
        if (document->IsModified() && !document->SourcePath().empty() &&
            FileKeyOf(document->SourcePath(), key)) {
            overrides[key] = EditorText(*document->SynEditor());
        }
    }

    m_panel.MakeVisible();
    m_panel.ClearText();
    m_panel.AddLine("Searching for \"" + text + "\" in " + directory + " (" + dialog.Mask() + ")");
    m_panel.Messages().SetMessageDir(directory);
    StopSearch1->setEnabled(true);
    btnCancelSearch->show();
    m_run->Start({directory, dialog.Mask(), text, m_matchCase, m_wholeWords}, std::move(overrides));
}

void TFindInFilesCommand::CancelSearch() {
    m_run->Cancel();
}

void TFindInFilesCommand::SearchEnded(int matches, int files, bool cancelled) {
    StopSearch1->setEnabled(false);
    btnCancelSearch->hide();
    if (cancelled) m_panel.AddLine("Search cancelled.");
    const std::string summary = FindSummary(matches, files);
    m_panel.AddLine(summary);
    m_form.SetStatusText(cancelled ? "Search cancelled. " + summary : summary);
}
