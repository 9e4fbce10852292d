// Creation order of the long-lived windows and the binding of the commands.
#include "app/application.h"

#include <algorithm>

#include "app/about_box.h"
#include "app/app_session.h"
#include "app/compiler_header_symbols.h"
#include "app/completion_names.h"
#include "app/definition_navigation.h"
#include "app/document_status_panels.h"
#include "app/editor_commands_menu.h"
#include "app/example_projects.h"
#include "app/file_commands.h"
#include "app/find_in_files_command.h"
#include "app/main_window.h"
#include "app/message_navigation.h"
#include "app/picture_commands.h"
#include "app/program_arguments.h"
#include "app/project_symbols.h"
#include "app/recent_files_menu.h"
#include "app/rom_map_binding.h"
#include "app/search_commands.h"
#include "app/session_keeper.h"
#include "app/tile_preview_binding.h"
#include "config/config_setup_store.h"
#include "config/session_file.h"
#include "documents/disk_change_check.h"
#include "platform/process.h"
#include "project/project_directory.h"
#include "rom/link_map.h"
#include "setup/setup_dialog.h"
#include "toolrun/image_name.h"
#include "toolrun/qt/loading_window.h"
#include "toolrun/qt/loading_window_adapter.h"
#include "toolrun/qt/output_panel_widget.h"

Application::Application(std::unique_ptr<IProcessStarter> starter)
    : m_session(std::make_unique<TAppSession>()),
      m_mainForm(std::make_unique<TMainForm>(*m_session)),
      m_aboutBox(std::make_unique<TAboutBox>(m_mainForm.get())),
      m_frmSetup(
          std::make_unique<TfrmSetup>(std::make_unique<TConfigSetupStore>(), m_mainForm.get())),
      m_frmLoading(std::make_unique<TfrmLoading>()),
      m_loadingWindow(
          std::make_unique<TLoadingWindowAdapter>(m_frmLoading.get(), m_mainForm.get())) {
    m_mainForm->SetAboutBox(m_aboutBox.get());
    m_mainForm->SetSetupDialog(m_frmSetup.get());
    m_fileCommands = std::make_unique<TFileCommands>(*m_mainForm);
    // The session is what is open once the close has been agreed to.
    m_mainForm->SetCloseQuery([this] {
        if (!m_fileCommands->QueryCloseAll()) return false;
        SaveSessionOf(*m_mainForm, *m_fileCommands, SessionFilePath());
        return true;
    });
    m_recentFilesMenu = new TRecentFilesMenu(*m_mainForm, *m_fileCommands);
    m_diskChangeCheck = new TDiskChangeCheck(m_mainForm->ClientArea(),
                                             [this] { return m_fileCommands->ActiveDocument(); });
    m_mainForm->SetSaveBeforeBuild([this] { return m_fileCommands->SaveActiveDocumentForBuild(); });
    m_mainForm->SetSaveProjectBeforeBuild([this](const std::string& projectDir) {
        return m_fileCommands->SaveProjectDocumentsForBuild(projectDir);
    });
    BindSearchCommands(*m_mainForm, [this] { return m_fileCommands->ActiveDocument(); });
    AddEditorCommands(*m_mainForm, [this] { return m_fileCommands->ActiveDocument(); });
    new TDocumentStatusPanels(*m_mainForm->StatusBar(), *m_mainForm->ClientArea());
    auto* tilePreview =
        new TTilePreviewBinding(*m_mainForm, [this] { return m_fileCommands->ActiveDocument(); });
    new TPictureCommands(
        *m_mainForm, [this] { return m_fileCommands->ActiveDocument(); }, tilePreview->Panel());
    auto* romMap = new TRomMapBinding(*m_mainForm, [this]() -> std::string {
        const TActiveSource& source = m_fileCommands->ActiveSource();
        if (source.SourceName().empty()) return {};
        return source.SourceDir() + ImageName(source.SourceName());
    });
    // The replace confirmation dialog exists from the start, like the other long-lived windows;
    // the first search run ends its life, and a replacement's question makes it again.
    m_session->Search().EnsureConfirmDialog();
    m_mainForm->SetBuildServices(*m_mainForm->pnlColorMemo1(), *m_loadingWindow,
                                 m_fileCommands->ActiveSource(), std::move(starter));
    m_messageNavigation = std::make_unique<TMessageNavigation>(*m_mainForm, *m_fileCommands,
                                                               *m_mainForm->pnlColorMemo1());
    m_exampleCommands = std::make_unique<TExampleCommands>(*m_mainForm, *m_fileCommands);
    m_findInFiles =
        new TFindInFilesCommand(*m_mainForm, *m_fileCommands, *m_mainForm->pnlColorMemo1());
    m_projectSymbols = std::make_unique<TProjectSymbols>(*m_mainForm);
    m_definitionNavigation = std::make_unique<TDefinitionNavigation>(
        *m_mainForm, *m_fileCommands, *m_messageNavigation, *m_projectSymbols);
    m_compilerHeaders = std::make_unique<TCompilerHeaderSymbols>();
    m_completionNames = std::make_unique<TCompletionNames>(*m_projectSymbols, *m_compilerHeaders);
    m_fileCommands->OnDocumentCreated = [this](TMDIChild& document) {
        m_completionNames->Attach(document);
    };
    // A label the map places in the source opens there; others are looked up by name.
    romMap->SetLabelOpener([this](const TMapLabel& label, const std::string& mapPath) {
        const std::string project = ProjectDirectoryOf(mapPath);
        if (!label.File.empty()) {
            const std::string::size_type slash = mapPath.rfind('/');
            const std::string mapDir =
                slash == std::string::npos ? std::string() : mapPath.substr(0, slash + 1);
            const std::string path = label.File.front() == '/' ? label.File : mapDir + label.File;
            m_definitionNavigation->JumpTo(
                {AbsolutePath(path), label.Line, std::max(1, label.Column)});
            return;
        }
        m_definitionNavigation->GoToDefinitionOf(label.Name, project);
    });
}

Application::~Application() {
    // The frame's questions go to the file commands, which go first.
    m_mainForm->SetCloseQuery(nullptr);
    m_fileCommands->OnDocumentCreated = nullptr;
    m_mainForm->SetSaveBeforeBuild(nullptr);
    m_mainForm->SetSaveProjectBeforeBuild(nullptr);
}

void Application::Show() {
    m_mainForm->show();
}

void Application::OpenAtStart(const std::vector<std::string>& files, bool noSession) {
    if (!files.empty())
        OpenProgramFiles(*m_fileCommands, files);
    else if (!noSession)
        RestoreLastSession();
}

void Application::RestoreLastSession(const std::string& fileName) {
    const std::string path = !fileName.empty() ? fileName : SessionFilePath();
    RestoreSession(*m_mainForm, *m_fileCommands, ReadSessionFile(path));
}
