// Creation order of the long-lived windows and the binding of the commands.
#include "app/application.h"

#include "app/about_box.h"
#include "app/definition_navigation.h"
#include "app/document_status_panels.h"
#include "app/editor_commands_menu.h"
#include "app/example_projects.h"
#include "app/file_commands.h"
#include "app/find_in_files_command.h"
#include "app/main_window.h"
#include "app/message_navigation.h"
#include "app/project_symbols.h"
#include "app/search_commands.h"
#include "config/config_setup_store.h"
#include "platform/process.h"
#include "search/qt/confirm_replace_dialog.h"
#include "setup/setup_dialog.h"
#include "toolrun/qt/loading_window.h"
#include "toolrun/qt/loading_window_adapter.h"
#include "toolrun/qt/output_panel_widget.h"

Application::Application(std::unique_ptr<IProcessStarter> starter)
    : m_mainForm(std::make_unique<TMainForm>()),
      m_aboutBox(std::make_unique<TAboutBox>(m_mainForm.get())),
      m_frmSetup(
          std::make_unique<TfrmSetup>(std::make_unique<TConfigSetupStore>(), m_mainForm.get())),
      m_frmLoading(std::make_unique<TfrmLoading>()),
      m_loadingWindow(
          std::make_unique<TLoadingWindowAdapter>(m_frmLoading.get(), m_mainForm.get())) {
    m_mainForm->SetAboutBox(m_aboutBox.get());
    m_mainForm->SetSetupDialog(m_frmSetup.get());
    m_fileCommands = std::make_unique<TFileCommands>(*m_mainForm);
    m_mainForm->SetCloseQuery([this] { return m_fileCommands->QueryCloseAll(); });
    m_mainForm->SetSaveBeforeBuild([this] { return m_fileCommands->SaveActiveDocumentForBuild(); });
    BindSearchCommands(*m_mainForm, [this] { return m_fileCommands->ActiveDocument(); });
    AddEditorCommands(*m_mainForm, [this] { return m_fileCommands->ActiveDocument(); });
    new TDocumentStatusPanels(*m_mainForm->StatusBar(), *m_mainForm->ClientArea());
    // The replace confirmation dialog exists from the start, like the other long-lived windows.
    InstallConfirmReplaceDialog();
    EnsureConfirmReplaceDialog();
    m_mainForm->SetBuildServices(*m_mainForm->pnlColorMemo1, *m_loadingWindow, std::move(starter));
    m_messageNavigation = std::make_unique<TMessageNavigation>(*m_mainForm, *m_fileCommands,
                                                               *m_mainForm->pnlColorMemo1);
    m_exampleCommands = std::make_unique<TExampleCommands>(*m_mainForm, *m_fileCommands);
    m_findInFiles =
        new TFindInFilesCommand(*m_mainForm, *m_fileCommands, *m_mainForm->pnlColorMemo1);
    m_projectSymbols = std::make_unique<TProjectSymbols>(*m_mainForm);
    m_definitionNavigation = std::make_unique<TDefinitionNavigation>(
        *m_mainForm, *m_fileCommands, *m_messageNavigation, *m_projectSymbols);
}

Application::~Application() {
    // The frame's questions go to the file commands, which go first.
    m_mainForm->SetCloseQuery(nullptr);
    m_mainForm->SetSaveBeforeBuild(nullptr);
    DestroyConfirmReplaceDialog();
}

void Application::Show() {
    m_mainForm->show();
}
