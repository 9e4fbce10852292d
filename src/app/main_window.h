// The frame window TMainForm: the multiple-document client area, the menu bar and tool bar
// sharing one set of actions, the one-panel status bar, the window commands and the record of
// the active document's directory and name that the save and build commands work from.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "platform/qt/image_list.h"

class IEditActionsTarget;
class TAppSession;
class ILoadingWindow;
class QTimer;
class TOutputPanel;
class TSynCppSyn;
class IOutputPanel;
class IProcessStarter;
class TBuildBinding;
class TBuildCommands;
class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QStatusBar;
class QToolBar;
class TAboutBox;
class TabcFormSaver;
class TabcMDIScroll;
class TabcMDITiledImage;
class TfrmSetup;

class TMainForm : public QMainWindow {
    Q_OBJECT

  public:
    // The session holds what the program's windows share; it must outlive the frame.
    explicit TMainForm(TAppSession& session, QWidget* parent = nullptr);
    ~TMainForm() override;

    // What the program's windows share for the run, passed on to the document windows.
    TAppSession& Session() const { return m_session; }

    // Directory (ending in the path separator) and bare name of the file of the document
    // window activated last; empty while that document has never been saved.
    std::string SourceDir;
    std::string SourceName;

    // Actions shared by the menu bar and the tool bar. Those whose command another part of the
    // program provides stay disabled until that part binds them with BindCommand.
    QAction* FileNew1 = nullptr;
    QAction* FileOpen1 = nullptr;
    QAction* FileNewFromExample1 = nullptr;  // "New Project from &Example..."
    QAction* FileClose1 = nullptr;
    QAction* FileCloseAll1 = nullptr;
    QAction* FileSave1 = nullptr;
    QAction* FileSaveAs1 = nullptr;
    QAction* Setup1 = nullptr;
    QAction* FileExit1 = nullptr;
    QAction* EditCut1 = nullptr;
    QAction* EditCopy1 = nullptr;
    QAction* EditPaste1 = nullptr;
    QAction* EditFind1 = nullptr;
    QAction* EditFindPrevious1 = nullptr;
    QAction* EditFindNext1 = nullptr;
    QAction* EditReplace1 = nullptr;
    // The project commands: Find in Files, Go to Definition and Symbol, and the jump history.
    QAction* EditFindInFiles1 = nullptr;
    QAction* EditGoToDefinition1 = nullptr;
    QAction* EditGoToSymbol1 = nullptr;
    QAction* EditGoBack1 = nullptr;
    QAction* EditGoForward1 = nullptr;
    QAction* CompileAssembly1 = nullptr;
    QAction* CompileCCode1 = nullptr;
    QAction* BuildProject1 = nullptr;  // "&Build Project", F9
    std::array<QAction*, 5> EMU{};     // "Emulator &1" to "Emulator &5"
    // F4 and Shift+F4: the next and previous message of the output panel.
    QAction* NextMessage1 = nullptr;
    QAction* PreviousMessage1 = nullptr;
    QAction* WindowCascade1 = nullptr;
    QAction* WindowTileHorizontal1 = nullptr;
    QAction* WindowTileVertical1 = nullptr;
    QAction* WindowMinimizeAll1 = nullptr;
    QAction* WindowArrangeAll1 = nullptr;
    QAction* HelpAbout1 = nullptr;
    // The tool bar's Save button has its own handler (ToolButtonSaveClick).
    QAction* ToolButtonSave = nullptr;

    QMenu* File1 = nullptr;
    QMenu* Edit1 = nullptr;
    QMenu* Compile1 = nullptr;
    QMenu* Run1 = nullptr;
    QMenu* Window1 = nullptr;
    QMenu* Help1 = nullptr;

    QToolBar* ToolBar1() const { return m_toolBar; }
    QStatusBar* StatusBar() const { return m_statusBar; }
    QMdiArea* ClientArea() const { return m_clientArea; }

    // The 25 tool pictures (16 by 16) and the ten bookmark pictures (14 by 14), lent to document
    // windows and their editors.
    const TImageList& ImageList1() const { return *m_toolImages; }
    const TImageList& imglstBookmarks() const { return *m_bookmarkImages; }

    // Connects action to command through the general error report and enables it.
    void BindCommand(QAction* action, std::function<void()> command);

    // Status bar text; build commands set it, a hint under the mouse replaces it.
    void SetStatusText(const std::string& text);
    std::string StatusText() const;

    // Puts a document window (a widget, or a ready QMdiSubWindow) into the client area, shows it
    // and makes it the active one. It is freed when it closes.
    QMdiSubWindow* AddDocumentWindow(QWidget* document);
    // Number of document windows that exist.
    int MDIChildCount() const;
    // The widget of the active document window, or null.
    QWidget* ActiveMDIChild() const;

    // Binds the Compile and Run commands once the output panel and the loading window exist
    // (they must outlive the frame); call once. Tools start through `starter`, by default the
    // real process starter.
    void SetBuildServices(IOutputPanel& outputPanel, ILoadingWindow& loadingWindow,
                          std::unique_ptr<IProcessStarter> starter = nullptr);
    // The bound build commands, or null before SetBuildServices.
    TBuildCommands* BuildCommands() const;

    // The about box that "&About..." shows; set once at start-up.
    void SetAboutBox(TAboutBox* aboutBox) { m_aboutBox = aboutBox; }
    // The setup dialog that "S&etup" shows; set once at start-up, which enables the entry.
    void SetSetupDialog(TfrmSetup* frmSetup);

    // Asked before the frame closes (Exit, its close button); returning false keeps it open.
    void SetCloseQuery(std::function<bool()> query) { m_closeQuery = std::move(query); }
    // Saves the active document before a build when it has unsaved changes; false stops the
    // build.
    void SetSaveBeforeBuild(std::function<bool()> save) { m_saveBeforeBuild = std::move(save); }
    bool SaveBeforeBuild() const { return !m_saveBeforeBuild || m_saveBeforeBuild(); }
    // Saves the modified documents of a project (its directory ending in the separator) before
    // its build; false stops the build.
    void SetSaveProjectBeforeBuild(std::function<bool(const std::string&)> save) {
        m_saveProjectBeforeBuild = std::move(save);
    }
    bool SaveProjectBeforeBuild(const std::string& projectDir) const {
        return !m_saveProjectBeforeBuild || m_saveProjectBeforeBuild(projectDir);
    }

    // Command handlers of this window.
    void FileClose1Execute();
    // Closes every document window in turn; stops at the first that stays (its question was
    // cancelled or its save failed).
    void FileCloseAll1Execute();
    void FileExit1Execute();
    void HelpAbout1Execute();
    void Setup1Click();
    void WindowCascade1Execute();
    void WindowTileHorizontal1Execute();
    void WindowTileVertical1Execute();
    void WindowMinimizeAll1Execute();
    void WindowArrangeAll1Execute();

    // Rebuilds the list of document windows below the window commands.
    void RebuildWindowList();
    // Re-applies the enabling rules: Close and the window commands need a document window;
    // Cut, Copy and Paste follow the focused editor.
    void UpdateCommandStates();
    void UpdateEditCommands();

    // The frame's own C highlighter in its fixed light colours: it colours the output panel and
    // is lent to document windows by their Change Style.
    TSynCppSyn& SynCppSyn1() const { return *m_synCppSyn1; }
    // The output panel above the status bar, hidden at start.
    TOutputPanel* pnlColorMemo1 = nullptr;
    // Runs from start to end; every 500 ms it animates the output panel's close button.
    QTimer* Timer1 = nullptr;
    void Timer1Timer();

    // The form saver restores the window's size, position and state while the window is made
    // and saves them when it is destroyed; the tiled picture and the scroll bar switch sit in
    // front of the client area.
    std::unique_ptr<TabcFormSaver> abcFormSaver1;
    std::unique_ptr<TabcMDITiledImage> abcMDITiledImage1;
    std::unique_ptr<TabcMDIScroll> abcMDIScroll1;

  signals:
    // A build ended successfully and wrote the console image at this path.
    void ImageBuilt(const std::string& path);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void OnFocusChanged(QWidget* now);
    QAction* NewAction(const char* caption, const QString& shortHint, const QString& longHint,
                       int image = -1);

    void CreateOutputPanel();
    void CreateFrameComponents();

    TAppSession& m_session;
    std::unique_ptr<TImageList> m_toolImages;
    std::unique_ptr<TImageList> m_bookmarkImages;
    QMdiArea* m_clientArea = nullptr;
    QToolBar* m_toolBar = nullptr;
    QStatusBar* m_statusBar = nullptr;
    QAction* m_windowListSeparator = nullptr;
    QList<QAction*> m_windowListActions;
    QList<QMdiSubWindow*> m_documents;
    TAboutBox* m_aboutBox = nullptr;
    TfrmSetup* m_frmSetup = nullptr;
    QPointer<QWidget> m_editWidget;
    IEditActionsTarget* m_editTarget = nullptr;
    std::unique_ptr<TBuildBinding> m_buildBinding;
    std::function<bool()> m_closeQuery;
    std::function<bool()> m_saveBeforeBuild;
    std::function<bool(const std::string&)> m_saveProjectBeforeBuild;
    // Editors reference it until they are gone; the destructor frees them first.
    std::unique_ptr<TSynCppSyn> m_synCppSyn1;
};
