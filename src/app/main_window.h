// The frame window TMainForm: the multiple-document client area, the menu bar and tool bar
// sharing one set of actions, the one-panel status bar, the output panel and the window commands.
// It exposes its actions, menus and parts through accessors; the file it works on is the file
// commands' active source.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "platform/qt/image_list.h"

class IEditActionsTarget;
class ILoadingWindow;
class IOutputPanel;
class IProcessStarter;
class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QStatusBar;
class QTimer;
class QToolBar;
class TAboutBox;
class TActiveSource;
class TAppSession;
class TBuildBinding;
class THeldWindowTitles;
class TOutputPanel;
class TSynCppSyn;
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

    // Actions shared by the menu bar and the tool bar. Those whose command another part of the
    // program provides stay disabled until that part binds them with BindCommand.
    QAction* FileNew1() const { return m_actions.FileNew1; }
    QAction* FileOpen1() const { return m_actions.FileOpen1; }
    // "New Project from &Example..."
    QAction* FileNewFromExample1() const { return m_actions.FileNewFromExample1; }
    QAction* FileClose1() const { return m_actions.FileClose1; }
    QAction* FileCloseAll1() const { return m_actions.FileCloseAll1; }
    QAction* FileSave1() const { return m_actions.FileSave1; }
    QAction* FileSaveAs1() const { return m_actions.FileSaveAs1; }
    QAction* Setup1() const { return m_actions.Setup1; }
    QAction* FileExit1() const { return m_actions.FileExit1; }
    QAction* EditCut1() const { return m_actions.EditCut1; }
    QAction* EditCopy1() const { return m_actions.EditCopy1; }
    QAction* EditPaste1() const { return m_actions.EditPaste1; }
    QAction* EditFind1() const { return m_actions.EditFind1; }
    QAction* EditFindPrevious1() const { return m_actions.EditFindPrevious1; }
    QAction* EditFindNext1() const { return m_actions.EditFindNext1; }
    QAction* EditReplace1() const { return m_actions.EditReplace1; }
    // The project commands: Find in Files, Go to Definition and Symbol, and the jump history.
    QAction* EditFindInFiles1() const { return m_actions.EditFindInFiles1; }
    QAction* EditGoToDefinition1() const { return m_actions.EditGoToDefinition1; }
    QAction* EditGoToSymbol1() const { return m_actions.EditGoToSymbol1; }
    QAction* EditGoBack1() const { return m_actions.EditGoBack1; }
    QAction* EditGoForward1() const { return m_actions.EditGoForward1; }
    QAction* CompileAssembly1() const { return m_actions.CompileAssembly1; }
    QAction* CompileCCode1() const { return m_actions.CompileCCode1; }
    // "&Build Project", F9
    QAction* BuildProject1() const { return m_actions.BuildProject1; }
    // "Emulator &1" to "Emulator &5"
    const std::array<QAction*, 5>& EMU() const { return m_actions.EMU; }
    // F4 and Shift+F4: the next and previous message of the output panel.
    QAction* NextMessage1() const { return m_actions.NextMessage1; }
    QAction* PreviousMessage1() const { return m_actions.PreviousMessage1; }
    QAction* WindowCascade1() const { return m_actions.WindowCascade1; }
    QAction* WindowTileHorizontal1() const { return m_actions.WindowTileHorizontal1; }
    QAction* WindowTileVertical1() const { return m_actions.WindowTileVertical1; }
    QAction* WindowMinimizeAll1() const { return m_actions.WindowMinimizeAll1; }
    QAction* WindowArrangeAll1() const { return m_actions.WindowArrangeAll1; }
    QAction* HelpAbout1() const { return m_actions.HelpAbout1; }
    // The tool bar's Save button has its own handler (ToolButtonSaveClick).
    QAction* ToolButtonSave() const { return m_actions.ToolButtonSave; }

    QMenu* File1() const { return m_menus.File1; }
    QMenu* Edit1() const { return m_menus.Edit1; }
    QMenu* Compile1() const { return m_menus.Compile1; }
    QMenu* Run1() const { return m_menus.Run1; }
    QMenu* Window1() const { return m_menus.Window1; }
    QMenu* Help1() const { return m_menus.Help1; }

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
    // and makes it the active one, at `size` when that is valid (else at its preferred size within
    // the client area). It is freed when it closes.
    QMdiSubWindow* AddDocumentWindow(QWidget* document, QSize size = QSize());
    // Windows added between these two calls are shown as they come but become active only at
    // the end, where the last one added does: opening many files at once costs each file the
    // same instead of more for every window already open. Calls nest.
    void BeginDocumentBatch();
    void EndDocumentBatch();
    // Number of document windows that exist.
    int MDIChildCount() const;
    // The widget of the active document window, or null.
    QWidget* ActiveMDIChild() const;

    // Binds the Compile and Run actions once the output panel and the loading window exist
    // (they must outlive the frame); call once. The commands take their file from `source`,
    // which must outlive the frame too. Tools start through `starter`, by default the real
    // process starter.
    void SetBuildServices(IOutputPanel& outputPanel, ILoadingWindow& loadingWindow,
                          const TActiveSource& source,
                          std::unique_ptr<IProcessStarter> starter = nullptr);

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
    TOutputPanel* pnlColorMemo1() const { return m_pnlColorMemo1; }
    // Runs from start to end; every 500 ms it animates the output panel's close button.
    QTimer* Timer1() const { return m_timer1; }
    void Timer1Timer();

    // The form saver restores the window's size, position and state while the window is made
    // and saves them when it is destroyed; the tiled picture and the scroll bar switch sit in
    // front of the client area.
    TabcFormSaver* abcFormSaver1() const { return m_abcFormSaver1.get(); }
    TabcMDITiledImage* abcMDITiledImage1() const { return m_abcMDITiledImage1.get(); }
    TabcMDIScroll* abcMDIScroll1() const { return m_abcMDIScroll1.get(); }

  signals:
    // A build ended successfully and wrote the console image at this path.
    void ImageBuilt(const std::string& path);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // Created once by CreateActions, children of the frame.
    struct TActions {
        QAction* FileNew1 = nullptr;
        QAction* FileOpen1 = nullptr;
        QAction* FileNewFromExample1 = nullptr;
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
        QAction* EditFindInFiles1 = nullptr;
        QAction* EditGoToDefinition1 = nullptr;
        QAction* EditGoToSymbol1 = nullptr;
        QAction* EditGoBack1 = nullptr;
        QAction* EditGoForward1 = nullptr;
        QAction* CompileAssembly1 = nullptr;
        QAction* CompileCCode1 = nullptr;
        QAction* BuildProject1 = nullptr;
        std::array<QAction*, 5> EMU{};
        QAction* NextMessage1 = nullptr;
        QAction* PreviousMessage1 = nullptr;
        QAction* WindowCascade1 = nullptr;
        QAction* WindowTileHorizontal1 = nullptr;
        QAction* WindowTileVertical1 = nullptr;
        QAction* WindowMinimizeAll1 = nullptr;
        QAction* WindowArrangeAll1 = nullptr;
        QAction* HelpAbout1 = nullptr;
        QAction* ToolButtonSave = nullptr;
    };
    // Created once by CreateMenus, owned by the menu bar.
    struct TMenus {
        QMenu* File1 = nullptr;
        QMenu* Edit1 = nullptr;
        QMenu* Compile1 = nullptr;
        QMenu* Run1 = nullptr;
        QMenu* Window1 = nullptr;
        QMenu* Help1 = nullptr;
    };

    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void OnFocusChanged(QWidget* now);
    void LowerMinimisedWindows(QMdiSubWindow* active);
    QAction* NewAction(const char* caption, const QString& shortHint, const QString& longHint,
                       int image = -1);
    // A hint "short|long" gives the tool tip and the status text; without "|" it serves as both.
    static void ApplyHint(QAction* action, const QString& hint);
    // The actions that need a document window: Close, Close All and the window commands.
    QList<QAction*> DocumentActions() const;

    void CreateOutputPanel();
    void CreateFrameComponents();

    TAppSession& m_session;
    // Declared before the other parts, so they go after them, as the frame's last acts.
    std::unique_ptr<TabcFormSaver> m_abcFormSaver1;
    std::unique_ptr<TabcMDITiledImage> m_abcMDITiledImage1;
    std::unique_ptr<TabcMDIScroll> m_abcMDIScroll1;
    std::unique_ptr<TImageList> m_toolImages;
    std::unique_ptr<TImageList> m_bookmarkImages;
    TActions m_actions;
    TMenus m_menus;
    QMdiArea* m_clientArea = nullptr;
    QToolBar* m_toolBar = nullptr;
    QStatusBar* m_statusBar = nullptr;
    TOutputPanel* m_pnlColorMemo1 = nullptr;
    QTimer* m_timer1 = nullptr;
    QAction* m_windowListSeparator = nullptr;
    QList<QAction*> m_windowListActions;
    QList<QMdiSubWindow*> m_documents;
    int m_batchDepth = 0;
    QList<QPointer<QMdiSubWindow>> m_batchWindows;
    std::unique_ptr<THeldWindowTitles> m_heldTitles;
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
