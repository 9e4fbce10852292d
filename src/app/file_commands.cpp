// New, Open, Save and Save As, and the frame services the document windows use.
#include "app/file_commands.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>
#include <vector>

#include "app/app_session.h"
#include "app/main_window.h"
#include "config/config_file.h"
#include "documents/document_activation.h"
#include "documents/document_frame.h"
#include "documents/error_marks.h"
#include "editor/qt/bookmark_images.h"
#include "editor/qt/synedit.h"
#include "editor/scope_exit.h"
#include "editor/string_list.h"
#include "platform/file_stamp.h"
#include "platform/files.h"
#include "platform/qt/error_report.h"
#include "platform/safe_file.h"
#include "project/project_directory.h"

const char* const kSourceFileFilter =
    "C Files (*.c *.h)|*.c;*.h|Assembly Files (*.asm *.s *.inc)|*.asm;*.s;*.inc|All Files (*)|*";
const char* const kNoDocumentToSave =
    "I'm sorry, but....\r\ncould you please\r\ntry opening a file\r\nbefore saving one?";

// The frame as the document windows see it.
class TFileCommands::TFrameServices : public IDocumentFrame {
  public:
    TFrameServices(TMainForm& form, const TFileDialogResult& lastOpen, TSynImageList* bookmarks,
                   TActiveSource& activeSource)
        : m_form(form),
          m_lastOpen(lastOpen),
          m_bookmarks(bookmarks),
          m_activeSource(activeSource) {}

    void SetSourceFile(const std::string& sourceDir, const std::string& sourceName) override {
        m_activeSource.Set(sourceDir, sourceName);
    }
    const TImageList& ToolImages() const override { return m_form.ImageList1(); }
    TSynImageList* BookmarkImages() override { return m_bookmarks; }
    TSynCppSyn& FrameHighlighter() override { return m_form.SynCppSyn1(); }
    std::string OpenDialogFileName() const override { return m_lastOpen.FileName; }
    bool OpenDialogReadOnly() const override { return m_lastOpen.ReadOnly; }
    std::array<std::string, scSchemeColorCount> ReadSchemeColors() const override {
        std::vector<std::pair<TConfigKey, std::string_view>> keys;
        for (const TConfigKey& key : ckColors) keys.emplace_back(key, key.CommandDefault);
        const std::vector<std::string> values = TConfigFile().ReadStrings(keys);
        std::array<std::string, scSchemeColorCount> scheme;
        std::copy(values.begin(), values.end(), scheme.begin());
        return scheme;
    }
    TSearchSession& SearchSession() override { return m_form.Session().Search(); }
    ISynClipboard& EditorClipboard() override { return m_form.Session().EditorClipboard(); }

  private:
    TMainForm& m_form;
    const TFileDialogResult& m_lastOpen;
    TSynImageList* m_bookmarks;
    TActiveSource& m_activeSource;
};

namespace {

// The document window's designed outer size.
constexpr int kDocumentWidth = 618;
constexpr int kDocumentHeight = 426;

std::unique_ptr<TSynPixmapList> BookmarkPixmaps(const TImageList& images) {
    std::vector<QPixmap> pictures;
    for (int i = 0; i < images.Count(); ++i) pictures.push_back(images.Image(i));
    // The gutter's error mark follows the ten bookmark pictures.
    pictures.resize(kErrorMarkImage);
    pictures.push_back(ErrorMarkPicture());
    return std::make_unique<TSynPixmapList>(std::move(pictures));
}

}  // namespace

TFileCommands::TFileCommands(TMainForm& form)
    : m_form(form), m_bookmarkImages(BookmarkPixmaps(form.imglstBookmarks())) {
    m_openRequest.Filter = kSourceFileFilter;
    m_openRequest.FileMustExist = true;
    m_openRequest.ShowReadOnly = true;
    m_saveRequest.Title = "Save Vesk File";
    m_saveRequest.Filter = kSourceFileFilter;
    m_services =
        std::make_unique<TFrameServices>(form, m_lastOpen, m_bookmarkImages.get(), m_activeSource);
    m_activation = new TDocumentActivation(form.ClientArea());

    form.BindCommand(form.FileNew1(), [this] { FileNew1Execute(); });
    form.BindCommand(form.FileOpen1(), [this] { FileOpen1Execute(); });
    form.BindCommand(form.FileSave1(), [this] { FileSave1Execute(); });
    form.BindCommand(form.ToolButtonSave(), [this] { ToolButtonSaveClick(); });
    form.BindCommand(form.FileSaveAs1(), [this] { FileSaveAs1Execute(); });
}

TFileCommands::~TFileCommands() {
    // The activation tracker belongs to the client area but calls into document windows that
    // use this object's services.
    delete m_activation;
}

TMDIChild* TFileCommands::ActiveDocument() const {
    if (auto* active = qobject_cast<TMDIChild*>(m_form.ActiveMDIChild())) return active;
    // While the frame itself is not the active window, Qt reports no active child; the current
    // one is still the one the user works in.
    QMdiSubWindow* current = m_form.ClientArea()->currentSubWindow();
    return current != nullptr ? qobject_cast<TMDIChild*>(current->widget()) : nullptr;
}

TMDIChild* TFileCommands::OpenDocumentWindow(const std::string& path, TMDIChild::TOrigin origin) {
    auto* document = new TMDIChild(*m_services, origin);
    document->SetOnCloseQuery([this, document] { return QueryCloseDocument(*document); });
    if (OnDocumentCreated) OnDocumentCreated(*document);
    // A new window joins a maximised one maximised, as the others would be shown on activation.
    QMdiSubWindow* previous = m_form.ClientArea()->currentSubWindow();
    const bool maximised = previous != nullptr && previous->isMaximized();
    const QSize size(kDocumentWidth, kDocumentHeight);
    QMdiSubWindow* window = m_form.AddDocumentWindow(document, size);
    // Again once shown: a window joining a maximised one was shown maximised by the activation.
    window->resize(size);
    if (maximised) window->showMaximized();
    document->SetCaption(path);
    // Taken before reading: a change made while the file is read shows at the next check.
    const TFileStamp stamp = ReadFileStamp(path);
    if (!FileExists(path)) {
        document->SetDiskStamp(stamp);
        return document;
    }
    try {
        document->SynEditor()->Lines().LoadFromFile(path);
        document->SetDiskStamp(stamp);
    } catch (...) {
        // The window stays open with its caption, but bound to no file: a later Save must ask
        // for a name instead of writing the empty text over the file that could not be read.
        document->SetSourcePath({});
        m_activeSource.Clear();
        throw;
    }
    return document;
}

void TFileCommands::FileNew1Execute() {
    const std::string caption = "Vesk" + std::to_string(m_form.MDIChildCount() + 1);
    OpenDocumentWindow(caption, TMDIChild::TOrigin::New);
    m_activeSource.Clear();
}

void TFileCommands::FileOpen1Execute() {
    // The dialog starts where the active document lives.
    if (!m_activeSource.SourceDir().empty()) m_openRequest.InitialDir = m_activeSource.SourceDir();
    const TFileDialogResult result = Dialogs().OpenFileDialog(m_openRequest);
    if (!result.Accepted) return;
    OpenFromDialogResult(result);
}

TMDIChild* TFileCommands::OpenChosenFile(const std::string& path, bool remember) {
    TFileDialogResult chosen;
    chosen.Accepted = true;
    chosen.FileName = path;
    chosen.ReadOnly = false;
    return OpenFromDialogResult(chosen, remember);
}

TMDIChild* TFileCommands::OpenFromDialogResult(const TFileDialogResult& result, bool remember) {
    m_lastOpen = result;
    m_openRequest.FileName = result.FileName;
    TMDIChild* document = OpenDocumentWindow(result.FileName, TMDIChild::TOrigin::Open);
    document->SetCaption(result.FileName);
    if (remember && FileExists(result.FileName)) RememberRecent(result.FileName);
    return document;
}

void TFileCommands::OpenChosenFiles(const std::vector<std::string>& paths) {
    std::vector<std::string> opened;
    {
        m_form.BeginDocumentBatch();
        const TScopeExit endBatch([this] { m_form.EndDocumentBatch(); });
        for (const std::string& path : paths) {
            if (RunCommand([&] { OpenChosenFile(path, false); }) && FileExists(path))
                opened.push_back(path);
        }
    }
    try {
        m_recentFiles.AddAll(opened);
    } catch (const std::exception&) {
        // Left out of the list; the files themselves are open.
    }
}

void TFileCommands::RememberRecent(const std::string& path) {
    try {
        m_recentFiles.Add(path);
    } catch (const std::exception&) {
        // Left out of the list; the file itself is open or saved.
    }
}

bool TFileCommands::ConfirmOverwrite(const TMDIChild& document) {
    const TFileStamp now = ReadFileStamp(document.SourcePath());
    if (!now.Exists || now == document.LoadedStamp()) return true;
    const TModalResult answer =
        Dialogs().MessageDlg(document.Caption() +
                                 "\r\nhas been changed on disk since it was loaded or saved.\r\n"
                                 "Overwrite that change with your text?",
                             TMsgDlgType::mtWarning, mbYes | mbCancel);
    return answer == TModalResult::mrYes;
}

void TFileCommands::FileSave1Execute() {
    if (m_form.MDIChildCount() == 0) {
        Dialogs().MessageDlg(kNoDocumentToSave, TMsgDlgType::mtError, mbOK);
        return;
    }
    TMDIChild* document = ActiveDocument();
    if (document == nullptr) return;
    const std::string current = m_activeSource.Path();
    // The document's own file: written back also after another program removed it.
    const bool ownFile = !current.empty() && current == document->SourcePath();
    if (!current.empty() && (FileExists(current) || (ownFile && document->LoadedStamp().Exists))) {
        if (ownFile && !ConfirmOverwrite(*document)) return;
        SaveDocumentText(*document, current);
        document->SetTextChanged(false);
        RememberRecent(current);
        return;
    }
    m_saveRequest.InitialDir = m_activeSource.SourceDir();
    m_saveRequest.FileName = document->Caption();
    const TFileDialogResult result = Dialogs().SaveFileDialog(m_saveRequest);
    if (!result.Accepted) return;
    // The window keeps its own read-only state; only the open dialog's last answer is not its.
    document->SetTextChanged(false);
    SaveDocumentText(*document, result.FileName);
    if (TMDIChild* active = ActiveDocument()) active->SetCaption(result.FileName);
    document->SetSourcePath(result.FileName);
    document->m();
    RememberRecent(result.FileName);
}

void TFileCommands::ToolButtonSaveClick() {
    FileSave1Execute();
}

void TFileCommands::FileSaveAs1Execute() {
    if (m_form.MDIChildCount() == 0) {
        Dialogs().MessageDlg(kNoDocumentToSave, TMsgDlgType::mtError, mbOK);
        return;
    }
    TMDIChild* document = ActiveDocument();
    if (document == nullptr) return;
    m_saveRequest.FileName = document->Caption();
    m_saveRequest.InitialDir = m_activeSource.SourceDir();
    const TFileDialogResult result = Dialogs().SaveFileDialog(m_saveRequest);
    if (!result.Accepted) return;
    SaveDocumentText(*document, result.FileName);
    document->SetTextChanged(false);
    document->SetCaption(result.FileName);
    document->SetSourcePath(result.FileName);
    document->m();
    RememberRecent(result.FileName);
}

void TFileCommands::SaveDocumentText(TMDIChild& document, const std::string& fileName) {
    const TSynEditStringList& lines = document.SynEditor()->Lines();
    WriteFileSafely(fileName,
                    [&lines](const std::string& tempName) { lines.SaveToFile(tempName); });
    document.SynEditor()->MarkSaved();
    document.SetDiskStamp(ReadFileStamp(fileName));
}

void TFileCommands::ShowDocument(TMDIChild& document) {
    if (auto* window = qobject_cast<QMdiSubWindow*>(document.parentWidget())) {
        if (window->isMinimized()) window->showNormal();
        m_form.ClientArea()->setActiveSubWindow(window);
    }
}

void TFileCommands::SaveDocument(TMDIChild& document) {
    ShowDocument(document);
    // Save works on the active document and the file recorded for it.
    if (ActiveDocument() != &document) return;
    // The frame records the file of the document it saves, as on activation.
    document.m();
    FileSave1Execute();
}

bool TFileCommands::QueryCloseDocument(TMDIChild& document) {
    if (m_closeAgreed || !document.IsModified()) return true;
    // The user sees the document the question is about.
    ShowDocument(document);
    const TModalResult answer =
        Dialogs().MessageDlg("Save changes to " + document.Caption() + "?",
                             TMsgDlgType::mtConfirmation, mbSave | mbDiscard | mbCancel);
    if (answer == TModalResult::mrNo) return true;
    if (answer != TModalResult::mrYes) return false;
    try {
        SaveDocument(document);
    } catch (const std::exception& error) {
        ShowErrorMessage(error.what());
        return false;
    }
    return !document.IsModified();
}

bool TFileCommands::QueryCloseAll() {
    for (QMdiSubWindow* window : m_form.ClientArea()->subWindowList()) {
        auto* document = qobject_cast<TMDIChild*>(window->widget());
        if (document != nullptr && !QueryCloseDocument(*document)) return false;
    }
    m_closeAgreed = true;
    return true;
}

bool TFileCommands::SaveProjectDocumentsForBuild(const std::string& projectDir) {
    std::vector<QPointer<TMDIChild>> modified;
    for (QMdiSubWindow* window : m_form.ClientArea()->subWindowList()) {
        auto* document = qobject_cast<TMDIChild*>(window->widget());
        if (document != nullptr && document->IsModified() &&
            IsInProject(document->SourcePath(), projectDir))
            modified.emplace_back(document);
    }
    if (modified.empty()) return true;
    // Save works on the active document; the one the build was asked from is active again after.
    QPointer<TMDIChild> active(ActiveDocument());
    const TScopeExit restore([this, &active] {
        if (active == nullptr || ActiveDocument() == active) return;
        ShowDocument(*active);
        active->m();
    });
    for (const QPointer<TMDIChild>& document : modified) {
        if (document == nullptr) continue;
        SaveDocument(*document);
        if (document->IsModified()) return false;
    }
    return true;
}

bool TFileCommands::SaveActiveDocumentForBuild() {
    TMDIChild* document = ActiveDocument();
    if (document == nullptr || !document->IsModified()) return true;
    FileSave1Execute();
    return !document->IsModified();
}
