// Start-up: creates the long-lived windows, each once and in their fixed order, and keeps them
// until the program ends.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/process.h"

class TAboutBox;
class TAppSession;
class TCompilerHeaderSymbols;
class TCompletionNames;
class TDiskChangeCheck;
class TRecentFilesMenu;
class TExampleCommands;
class TFileCommands;
class TFindInFilesCommand;
class TDefinitionNavigation;
class TProjectSymbols;
class TLoadingWindowAdapter;
class TMainForm;
class TMessageNavigation;
class TfrmLoading;
class TfrmSetup;

class Application {
  public:
    // Creates the session, then the frame window (so it is the application's main window), the
    // About box, the setup dialog, the loading window and the replace confirmation dialog, and
    // binds the file and build commands.
    // Tools start through `starter`, by default the real process starter.
    explicit Application(std::unique_ptr<IProcessStarter> starter = nullptr);
    ~Application();

    // What the program's windows share for the run: dialogs, search settings, clipboard.
    TAppSession& Session() const { return *m_session; }
    TMainForm& MainForm() const { return *m_mainForm; }
    TAboutBox& AboutBox() const { return *m_aboutBox; }
    TfrmSetup& frmSetup() const { return *m_frmSetup; }
    TfrmLoading& frmLoading() const { return *m_frmLoading; }
    TFileCommands& FileCommands() const { return *m_fileCommands; }
    TExampleCommands& ExampleCommands() const { return *m_exampleCommands; }
    TFindInFilesCommand& FindInFiles() const { return *m_findInFiles; }
    TProjectSymbols& ProjectSymbols() const { return *m_projectSymbols; }
    TCompilerHeaderSymbols& CompilerHeaders() const { return *m_compilerHeaders; }

    TRecentFilesMenu& RecentFilesMenu() const { return *m_recentFilesMenu; }
    TDiskChangeCheck& DiskChangeCheck() const { return *m_diskChangeCheck; }

    // Shows the frame window; no document window exists at start.
    void Show();
    // What a start opens: the files named on the command line; without any, the windows of the
    // last session unless noSession is set.
    void OpenAtStart(const std::vector<std::string>& files, bool noSession);
    // Reopens the windows of the session file (by default the user's), as the program does at a
    // start without files on the command line.
    void RestoreLastSession(const std::string& fileName = {});

  private:
    // First: every window below refers to it, so it goes last.
    std::unique_ptr<TAppSession> m_session;
    std::unique_ptr<TMainForm> m_mainForm;
    // Declared after the frame: freed before it.
    std::unique_ptr<TAboutBox> m_aboutBox;
    std::unique_ptr<TfrmSetup> m_frmSetup;
    std::unique_ptr<TfrmLoading> m_frmLoading;
    std::unique_ptr<TLoadingWindowAdapter> m_loadingWindow;
    std::unique_ptr<TFileCommands> m_fileCommands;
    std::unique_ptr<TMessageNavigation> m_messageNavigation;
    std::unique_ptr<TExampleCommands> m_exampleCommands;
    // Owned by the frame.
    TRecentFilesMenu* m_recentFilesMenu = nullptr;
    TDiskChangeCheck* m_diskChangeCheck = nullptr;
    // Owned by the frame (a QObject child), which frees it.
    TFindInFilesCommand* m_findInFiles = nullptr;
    std::unique_ptr<TProjectSymbols> m_projectSymbols;
    std::unique_ptr<TDefinitionNavigation> m_definitionNavigation;
    std::unique_ptr<TCompilerHeaderSymbols> m_compilerHeaders;
    std::unique_ptr<TCompletionNames> m_completionNames;
};
