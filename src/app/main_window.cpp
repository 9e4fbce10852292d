// Frame window construction, enabling rules and window commands.
#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/about_box.h"
#include "app/app_icon.h"
#include "app/app_session.h"
#include "app/build_binding.h"
#include "app/images.h"
#include "editor/qt/synedit.h"
#include "highlight/cpp_color_schemes.h"
#include "highlight/syn_cpp_syn.h"
#include "platform/codepage.h"
#include "platform/edit_actions_target.h"
#include "platform/qt/color_resolve.h"
#include "platform/qt/error_report.h"
#include "platform/qt/qt_text.h"
#include "setup/setup_dialog.h"
#include "toolrun/qt/output_panel_widget.h"
#include "widgets/form_saver.h"
#include "widgets/mdi_scroll.h"
#include "widgets/mdi_tiled_image.h"

namespace {

constexpr int kToolBarHeight = 35;
constexpr int kToolButtonWidth = 23;
constexpr int kToolButtonHeight = 25;
constexpr int kToolBarIndent = 5;
constexpr int kStatusBarHeight = 21;

// A hint "short|long" gives the tool tip and the status text; without "|" it serves as both.
void ApplyHint(QAction* action, const QString& hint) {
    const qsizetype bar = hint.indexOf('|');
    action->setToolTip(bar < 0 ? hint : hint.left(bar));
    action->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
}

// Document windows that take part in tiling: shown and not minimised.
QList<QMdiSubWindow*> TileableWindows(const QList<QMdiSubWindow*>& windows) {
    QList<QMdiSubWindow*> result;
    for (QMdiSubWindow* window : windows) {
        if (window->isVisible() && !window->isMinimized()) result << window;
    }
    return result;
}

// Height left for tiling above the row of minimised windows.
int TilingHeight(QMdiArea* area, const QList<QMdiSubWindow*>& windows) {
    int height = area->viewport()->height();
    for (QMdiSubWindow* window : windows) {
        if (window->isVisible() && window->isMinimized()) {
            return std::max(1, height - window->height());
        }
    }
    return height;
}

}  // namespace

TMainForm::TMainForm(TAppSession& session, QWidget* parent)
    : QMainWindow(parent),
      m_session(session),
      m_toolImages(CreateToolImages()),
      m_bookmarkImages(CreateBookmarkImages()),
      m_synCppSyn1(std::make_unique<TSynCppSyn>()) {
    setObjectName("MainForm");
    setWindowTitle("Vesk Engine - Quillon IDE! Version 3.10 ");
    setWindowIcon(ApplicationIcon());
    resize(800, 600);

    m_clientArea = new QMdiArea(this);
    m_clientArea->setObjectName("ClientArea");
    m_clientArea->setBackground(ColorToQColor(clAppWorkSpace, m_clientArea->palette()));
    ApplyFrameWindowColors(*m_synCppSyn1);
    CreateOutputPanel();

    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();

    connect(m_clientArea, &QMdiArea::subWindowActivated, this, [this] { UpdateCommandStates(); });
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { OnFocusChanged(now); });
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
            [this] { UpdateEditCommands(); });
    UpdateCommandStates();
    CreateFrameComponents();
}

TMainForm::~TMainForm() {
    // Document windows and the output panel reference the frame's highlighter and pictures;
    // they go while those still exist.
    if (Timer1 != nullptr) Timer1->stop();
    for (QMdiSubWindow* window : m_clientArea->subWindowList()) {
        disconnect(window, nullptr, this, nullptr);
        delete window;
    }
    m_documents.clear();
    delete pnlColorMemo1;
    pnlColorMemo1 = nullptr;
    // Editors may still hold the callback; it must not reach a half-destroyed frame.
    m_editTarget = nullptr;
    m_editWidget = nullptr;
    // Children outlive this class's members while the base class destroys them; none of their
    // signals may reach the members any more.
    disconnect(qApp, nullptr, this, nullptr);
    disconnect(QApplication::clipboard(), nullptr, this, nullptr);
    disconnect(m_clientArea, nullptr, this, nullptr);
    for (QMdiSubWindow* window : m_documents) disconnect(window, nullptr, this, nullptr);
}

void TMainForm::CreateOutputPanel() {
    // The client area fills what the output panel leaves above the status bar.
    auto* centre = new QWidget(this);
    centre->setObjectName("Centre");
    auto* layout = new QVBoxLayout(centre);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_clientArea->setParent(centre);
    layout->addWidget(m_clientArea, 1);
    pnlColorMemo1 = new TOutputPanel(m_synCppSyn1.get(), centre);
    pnlColorMemo1->ColorMemo1->SetClipboard(&m_session.EditorClipboard());
    layout->addWidget(pnlColorMemo1);
    setCentralWidget(centre);

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, Guarded([this] { Timer1Timer(); }));
    Timer1->start();
}

void TMainForm::Timer1Timer() {
    if (pnlColorMemo1 != nullptr) pnlColorMemo1->Timer1Timer();
}

QAction* TMainForm::NewAction(const char* caption, const QString& shortHint,
                              const QString& longHint, int image) {
    auto* action = new QAction(tr(caption), this);
    if (!longHint.isEmpty()) {
        ApplyHint(action, shortHint.isEmpty() ? longHint : shortHint + "|" + longHint);
    }
    if (image >= 0) action->setIcon(m_toolImages->Icon(image));
    // Until a command is bound the entry must not pretend to work.
    action->setEnabled(false);
    return action;
}

void TMainForm::CreateActions() {
    FileNew1 = NewAction("&New", "New", "Create a new file", tiNew);
    FileNew1->setShortcut(QKeySequence("Ctrl+N"));
    FileOpen1 = NewAction("&Open", "Open", "Open a file", tiOpen);
    FileOpen1->setShortcut(QKeySequence("Ctrl+O"));
    FileNewFromExample1 = NewAction("New Project from &Example...", "",
                                    "Copy an example program into a new directory and open it");
    FileClose1 = NewAction("&Close", "Close", "Close current file");
    FileClose1->setShortcut(QKeySequence("Ctrl+W"));
    FileCloseAll1 = NewAction("Close A&ll", "Close All", "Close every file");
    FileCloseAll1->setShortcut(QKeySequence("Ctrl+Shift+W"));
    FileSave1 = NewAction("&Save", "Save", "Save current file", tiSave);
    FileSave1->setShortcut(QKeySequence("Ctrl+S"));
    ToolButtonSave = NewAction("&Save", "Save", "Save current file", tiSave);
    FileSaveAs1 = NewAction("Save &As...", "Save As", "Save current file with different name");
    Setup1 = NewAction("S&etup", "", "");
    FileExit1 = NewAction("E&xit", "Exit", "Exit application");

    EditCut1 = NewAction("Cu&t", "Cut", "Cuts the selection and puts it on the Clipboard", tiCut);
    EditCut1->setShortcut(QKeySequence("Ctrl+X"));
    EditCopy1 =
        NewAction("&Copy", "Copy", "Copies the selection and puts it on the Clipboard", tiCopy);
    EditCopy1->setShortcut(QKeySequence("Ctrl+C"));
    EditPaste1 = NewAction("&Paste", "Paste", "Inserts Clipboard contents", tiPaste);
    EditPaste1->setShortcut(QKeySequence("Ctrl+V"));
    EditFind1 = NewAction("&Find...", "", "", tiFind);
    EditFind1->setShortcut(QKeySequence("Ctrl+F"));
    EditFindPrevious1 = NewAction("Find &previous", "", "", tiFindPrevious);
    EditFindPrevious1->setShortcut(QKeySequence("Shift+F3"));
    EditFindNext1 = NewAction("Find &next", "", "", tiFindNext);
    EditFindNext1->setShortcut(QKeySequence("F3"));
    EditReplace1 = NewAction("&Replace...", "", "", tiReplace);
    EditReplace1->setShortcut(QKeySequence("Ctrl+H"));
    EditFindInFiles1 = NewAction("Find in Fi&les...", "Find in Files",
                                 "Search all files of a directory for a text");
    EditFindInFiles1->setShortcut(QKeySequence("Ctrl+Shift+F"));
    EditGoToDefinition1 = NewAction("Go to &Definition", "Go to Definition",
                                    "Go to where the name at the caret is defined");
    EditGoToDefinition1->setShortcut(QKeySequence("F12"));
    EditGoToSymbol1 = NewAction("Go to &Symbol...", "Go to Symbol",
                                "Choose a function, variable, label or macro of the project");
    EditGoToSymbol1->setShortcut(QKeySequence("Ctrl+Shift+O"));
    EditGoBack1 = NewAction("Go &Back", "Go Back", "Return to where the last jump started");
    EditGoBack1->setShortcut(QKeySequence("Alt+Left"));
    EditGoForward1 = NewAction("Go For&ward", "Go Forward", "Go again where Go Back came from");
    EditGoForward1->setShortcut(QKeySequence("Alt+Right"));

    CompileAssembly1 = NewAction("Compile &Assembly", "", "", tiCompileAsm);
    CompileAssembly1->setShortcut(QKeySequence("Ctrl+F10"));
    CompileCCode1 = NewAction("&Compile C Code", "", "", tiCompileC);
    CompileCCode1->setShortcut(QKeySequence("Ctrl+F9"));
    BuildProject1 = NewAction("&Build Project", "Build Project",
                              "Builds the active document's project in its directory (make)");
    BuildProject1->setShortcut(QKeySequence("F9"));
    NextMessage1 = NewAction("Next &message", "", "Go to the next compiler message");
    NextMessage1->setShortcut(QKeySequence("F4"));
    PreviousMessage1 = NewAction("Previous m&essage", "", "Go to the previous compiler message");
    PreviousMessage1->setShortcut(QKeySequence("Shift+F4"));
    static const std::array<const char*, 5> emulatorCaptions{
        "Emulator &1", "Emulator &2", "Emulator &3", "Emulator &4", "Emulator &5"};
    for (int i = 0; i < 5; ++i) {
        EMU[i] = NewAction(emulatorCaptions[i], "", "", tiEmulator1 + i);
        EMU[i]->setShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_F1 + i)));
    }

    WindowCascade1 = NewAction("&Cascade", "", "Cascade", tiCascade);
    WindowTileHorizontal1 =
        NewAction("Tile &Horizontally", "", "Tile Horizontally", tiTileHorizontally);
    WindowTileVertical1 = NewAction("Tile &Vertically", "", "Tile Vertically", tiTileVertically);
    WindowMinimizeAll1 = NewAction("&Minimize All", "", "Minimize All");
    WindowArrangeAll1 = NewAction("&Arrange All", "", "Arrange All");
    HelpAbout1 = NewAction("&About...", "About",
                           "Displays program information, version number, and copyright");

    BindCommand(FileClose1, [this] { FileClose1Execute(); });
    BindCommand(FileCloseAll1, [this] { FileCloseAll1Execute(); });
    BindCommand(FileExit1, [this] { FileExit1Execute(); });
    BindCommand(HelpAbout1, [this] { HelpAbout1Execute(); });
    BindCommand(WindowCascade1, [this] { WindowCascade1Execute(); });
    BindCommand(WindowTileHorizontal1, [this] { WindowTileHorizontal1Execute(); });
    BindCommand(WindowTileVertical1, [this] { WindowTileVertical1Execute(); });
    BindCommand(WindowMinimizeAll1, [this] { WindowMinimizeAll1Execute(); });
    BindCommand(WindowArrangeAll1, [this] { WindowArrangeAll1Execute(); });

    // Cut, Copy and Paste act on whichever editor has the focus; their enabling follows it.
    connect(EditCut1, &QAction::triggered, this, [this] {
        RunCommand([this] {
            if (m_editTarget && m_editWidget) m_editTarget->Cut();
        });
    });
    connect(EditCopy1, &QAction::triggered, this, [this] {
        RunCommand([this] {
            if (m_editTarget && m_editWidget) m_editTarget->Copy();
        });
    });
    connect(EditPaste1, &QAction::triggered, this, [this] {
        RunCommand([this] {
            if (m_editTarget && m_editWidget) m_editTarget->Paste();
        });
    });
}

void TMainForm::CreateMenus() {
    auto addMenu = [this](const char* caption, const QString& hint) {
        QMenu* menu = menuBar()->addMenu(tr(caption));
        if (!hint.isEmpty()) ApplyHint(menu->menuAction(), hint);
        return menu;
    };

    File1 = addMenu("&File", "File related commands");
    File1->addActions({FileNew1, FileOpen1, FileNewFromExample1, FileClose1, FileCloseAll1,
                       FileSave1, FileSaveAs1, Setup1});
    File1->addSeparator();
    File1->addAction(FileExit1);

    Edit1 = addMenu("&Edit", "Edit commands");
    Edit1->addActions({EditCut1, EditCopy1, EditPaste1, EditFind1, EditFindPrevious1, EditFindNext1,
                       EditReplace1});
    Edit1->addSeparator();
    Edit1->addActions(
        {EditFindInFiles1, EditGoToDefinition1, EditGoToSymbol1, EditGoBack1, EditGoForward1});
    connect(Edit1, &QMenu::aboutToShow, this, [this] { UpdateEditCommands(); });

    Compile1 = addMenu("&Compile", "");
    Compile1->addActions({CompileAssembly1, CompileCCode1, BuildProject1});
    Compile1->addSeparator();
    Compile1->addActions({NextMessage1, PreviousMessage1});

    Run1 = addMenu("&Run", "");
    for (QAction* emulator : EMU) Run1->addAction(emulator);

    Window1 = addMenu("&Window", "Window related commands");
    Window1->addActions({WindowCascade1, WindowTileHorizontal1, WindowTileVertical1,
                         WindowMinimizeAll1, WindowArrangeAll1});
    m_windowListSeparator = Window1->addSeparator();
    m_windowListSeparator->setVisible(false);
    connect(Window1, &QMenu::aboutToShow, this, [this] { RebuildWindowList(); });

    Help1 = addMenu("&Help", "Help topics");
    Help1->addAction(HelpAbout1);
}

void TMainForm::CreateToolBar() {
    m_toolBar = addToolBar("ToolBar1");
    m_toolBar->setObjectName("ToolBar1");
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setFixedHeight(kToolBarHeight);
    m_toolBar->setIconSize(QSize(16, 16));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_toolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    m_toolBar->setStyleSheet("QToolBar { border: 1px solid palette(mid); spacing: 0px; }");

    auto* indent = new QWidget(m_toolBar);
    indent->setFixedWidth(kToolBarIndent);
    m_toolBar->addWidget(indent);

    const QList<QAction*> buttons{FileNew1,
                                  FileOpen1,
                                  ToolButtonSave,
                                  nullptr,
                                  EditCut1,
                                  EditCopy1,
                                  EditPaste1,
                                  nullptr,
                                  WindowCascade1,
                                  WindowTileHorizontal1,
                                  WindowTileVertical1,
                                  nullptr,
                                  CompileCCode1,
                                  CompileAssembly1,
                                  nullptr,
                                  EMU[0],
                                  EMU[1],
                                  EMU[2],
                                  EMU[3],
                                  EMU[4]};
    for (QAction* action : buttons) {
        if (action == nullptr) {
            m_toolBar->addSeparator();
            continue;
        }
        m_toolBar->addAction(action);
        if (QWidget* button = m_toolBar->widgetForAction(action)) {
            button->setFixedSize(kToolButtonWidth, kToolButtonHeight);
        }
    }
}

void TMainForm::CreateStatusBar() {
    m_statusBar = statusBar();
    m_statusBar->setObjectName("StatusBar");
    m_statusBar->setFixedHeight(kStatusBarHeight);
}

void TMainForm::BindCommand(QAction* action, std::function<void()> command) {
    connect(action, &QAction::triggered, this, Guarded(std::move(command)));
    action->setEnabled(true);
    // Bound commands that depend on a document window keep following that rule.
    if (action == FileClose1 || action == FileCloseAll1 || action == WindowCascade1 ||
        action == WindowTileHorizontal1 || action == WindowTileVertical1 ||
        action == WindowMinimizeAll1 || action == WindowArrangeAll1) {
        action->setEnabled(MDIChildCount() > 0);
    }
}

void TMainForm::SetStatusText(const std::string& text) {
    m_statusBar->showMessage(ToQ(text));
}

std::string TMainForm::StatusText() const {
    return FromQ(m_statusBar->currentMessage());
}

QMdiSubWindow* TMainForm::AddDocumentWindow(QWidget* document) {
    QMdiSubWindow* window = m_clientArea->addSubWindow(document);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowIcon(ApplicationIcon());
    // The child's own system menu would claim Ctrl+W, which belongs to the frame's Close.
    if (QMenu* systemMenu = window->systemMenu()) {
        for (QAction* action : systemMenu->actions()) action->setShortcuts({});
    }
    // New windows cascade from the top left corner, one title bar lower and further right each,
    // starting again at the corner when the next step would leave the client area.
    const int step = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
    const QSize area = m_clientArea->viewport()->size();
    const int fits = std::min(area.width() - window->width(), area.height() - window->height());
    const int positions = std::max(1, fits / std::max(1, step) + 1);
    const int k = static_cast<int>(m_documents.size()) % positions;
    window->move(k * step, k * step);
    m_documents << window;
    // The window is half destroyed when this runs: it is only compared, never cast.
    connect(window, &QObject::destroyed, this, [this, window] {
        m_documents.removeAll(window);
        UpdateCommandStates();
    });
    window->show();
    m_clientArea->setActiveSubWindow(window);
    UpdateCommandStates();
    return window;
}

int TMainForm::MDIChildCount() const {
    return static_cast<int>(m_documents.size());
}

QWidget* TMainForm::ActiveMDIChild() const {
    QMdiSubWindow* active = m_clientArea->activeSubWindow();
    if (active == nullptr || !m_documents.contains(active)) return nullptr;
    return active->widget() != nullptr ? active->widget() : active;
}

void TMainForm::FileClose1Execute() {
    m_clientArea->closeActiveSubWindow();
}

void TMainForm::FileCloseAll1Execute() {
    for (QMdiSubWindow* window : m_clientArea->subWindowList()) {
        if (!window->close()) return;
    }
}

void TMainForm::FileExit1Execute() {
    close();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    bool canClose = true;
    // A failing question keeps the frame: unsaved text must not go with an error.
    if (m_closeQuery && !RunCommand([this, &canClose] { canClose = m_closeQuery(); }))
        canClose = false;
    if (canClose) {
        QMainWindow::closeEvent(event);
    } else {
        event->ignore();
    }
}

void TMainForm::HelpAbout1Execute() {
    if (m_aboutBox != nullptr) m_aboutBox->exec();
}

void TMainForm::SetSetupDialog(TfrmSetup* frmSetup) {
    if (m_frmSetup == nullptr && frmSetup != nullptr)
        BindCommand(Setup1, [this] { Setup1Click(); });
    m_frmSetup = frmSetup;
}

void TMainForm::Setup1Click() {
    if (m_frmSetup != nullptr) m_frmSetup->ShowSetup();
}

void TMainForm::WindowCascade1Execute() {
    m_clientArea->cascadeSubWindows();
}

void TMainForm::WindowTileHorizontal1Execute() {
    const QList<QMdiSubWindow*> windows = TileableWindows(m_documents);
    if (windows.isEmpty()) return;
    const int width = m_clientArea->viewport()->width();
    const int height = TilingHeight(m_clientArea, m_documents);
    const int count = static_cast<int>(windows.size());
    int top = 0;
    for (int i = 0; i < count; ++i) {
        const int bottom = height * (i + 1) / count;
        windows[i]->showNormal();
        windows[i]->setGeometry(0, top, width, bottom - top);
        top = bottom;
    }
}

void TMainForm::WindowTileVertical1Execute() {
    const QList<QMdiSubWindow*> windows = TileableWindows(m_documents);
    if (windows.isEmpty()) return;
    const int width = m_clientArea->viewport()->width();
    const int height = TilingHeight(m_clientArea, m_documents);
    const int count = static_cast<int>(windows.size());
    int left = 0;
    for (int i = 0; i < count; ++i) {
        const int right = width * (i + 1) / count;
        windows[i]->showNormal();
        windows[i]->setGeometry(left, 0, right - left, height);
        left = right;
    }
}

void TMainForm::WindowMinimizeAll1Execute() {
    for (QMdiSubWindow* window : m_documents) window->showMinimized();
}

void TMainForm::WindowArrangeAll1Execute() {
    // Minimised windows line up along the bottom edge, left to right, wrapping upwards.
    const QRect area = m_clientArea->viewport()->rect();
    int x = 0;
    int y = area.bottom() + 1;
    int rowHeight = 0;
    for (QMdiSubWindow* window : m_documents) {
        if (!window->isMinimized()) continue;
        const QSize size = window->size();
        if (x > 0 && x + size.width() > area.width()) {
            x = 0;
            y -= rowHeight;
            rowHeight = 0;
        }
        if (rowHeight == 0) rowHeight = size.height();
        window->move(x, y - rowHeight);
        x += size.width();
    }
}

void TMainForm::RebuildWindowList() {
    for (QAction* action : m_windowListActions) {
        Window1->removeAction(action);
        delete action;
    }
    m_windowListActions.clear();
    m_windowListSeparator->setVisible(!m_documents.isEmpty());

    QMdiSubWindow* active = m_clientArea->activeSubWindow();
    int number = 1;
    for (QMdiSubWindow* window : m_documents) {
        const QString caption =
            window->widget() ? window->widget()->windowTitle() : window->windowTitle();
        QString text = number < 10 ? QString("&%1 %2").arg(number).arg(caption)
                                   : QString("%1 %2").arg(number).arg(caption);
        auto* action = new QAction(text, Window1);
        action->setCheckable(true);
        action->setChecked(window == active);
        QPointer<QMdiSubWindow> target(window);
        connect(action, &QAction::triggered, this, Guarded([this, target] {
                    if (!target) return;
                    if (target->isMinimized()) target->showNormal();
                    m_clientArea->setActiveSubWindow(target);
                }));
        Window1->addAction(action);
        m_windowListActions << action;
        ++number;
    }
}

void TMainForm::UpdateCommandStates() {
    const bool hasDocument = MDIChildCount() > 0;
    for (QAction* action : {FileClose1, FileCloseAll1, WindowCascade1, WindowTileHorizontal1,
                            WindowTileVertical1, WindowMinimizeAll1, WindowArrangeAll1}) {
        action->setEnabled(hasDocument);
    }
    UpdateEditCommands();
}

void TMainForm::UpdateEditCommands() {
    const bool ready = m_editTarget != nullptr && !m_editWidget.isNull();
    EditCut1->setEnabled(ready && m_editTarget->CanCut());
    EditCopy1->setEnabled(ready && m_editTarget->CanCopy());
    EditPaste1->setEnabled(ready && m_editTarget->CanPaste());
}

void TMainForm::OnFocusChanged(QWidget* now) {
    // The focused widget or one of its parents may be an editor that offers the edit commands.
    IEditActionsTarget* target = nullptr;
    QWidget* owner = nullptr;
    for (QWidget* widget = now; widget != nullptr; widget = widget->parentWidget()) {
        if (auto* candidate = dynamic_cast<IEditActionsTarget*>(widget)) {
            target = candidate;
            owner = widget;
            break;
        }
    }
    // Keep the last editor while the focus moves to a menu or tool button outside any editor,
    // so the commands still reach it.
    if (target == nullptr && now != nullptr && now->window() == this &&
        !m_clientArea->isAncestorOf(now)) {
        UpdateEditCommands();
        return;
    }
    if (target != m_editTarget) {
        m_editTarget = target;
        m_editWidget = owner;
        if (target != nullptr) {
            QPointer<TMainForm> self(this);
            target->SetOnEditStateChange([self] {
                if (self) self->UpdateEditCommands();
            });
        }
    }
    UpdateEditCommands();
}
