// The frame window's menu bar, its tool bar and the list of document windows in the Window menu.
#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QToolBar>

#include "app/main_window.h"
#include "platform/qt/error_report.h"

namespace {

constexpr int kToolBarHeight = 35;
constexpr int kToolButtonWidth = 23;
constexpr int kToolButtonHeight = 25;
constexpr int kToolBarIndent = 5;

}  // namespace

void TMainForm::CreateMenus() {
    auto addMenu = [this](const char* caption, const QString& hint) {
        QMenu* menu = menuBar()->addMenu(tr(caption));
        if (!hint.isEmpty()) ApplyHint(menu->menuAction(), hint);
        return menu;
    };

    m_menus.File1 = addMenu("&File", "File related commands");
    m_menus.File1->addActions({m_actions.FileNew1, m_actions.FileOpen1,
                               m_actions.FileNewFromExample1, m_actions.FileClose1,
                               m_actions.FileCloseAll1, m_actions.FileSave1, m_actions.FileSaveAs1,
                               m_actions.Setup1});
    m_menus.File1->addSeparator();
    m_menus.File1->addAction(m_actions.FileExit1);

    m_menus.Edit1 = addMenu("&Edit", "Edit commands");
    m_menus.Edit1->addActions({m_actions.EditCut1, m_actions.EditCopy1, m_actions.EditPaste1,
                               m_actions.EditFind1, m_actions.EditFindPrevious1,
                               m_actions.EditFindNext1, m_actions.EditReplace1});
    m_menus.Edit1->addSeparator();
    m_menus.Edit1->addActions({m_actions.EditFindInFiles1, m_actions.EditGoToDefinition1,
                               m_actions.EditGoToSymbol1, m_actions.EditGoBack1,
                               m_actions.EditGoForward1});
    connect(m_menus.Edit1, &QMenu::aboutToShow, this, [this] { UpdateEditCommands(); });

    m_menus.Compile1 = addMenu("&Compile", "");
    m_menus.Compile1->addActions(
        {m_actions.CompileAssembly1, m_actions.CompileCCode1, m_actions.BuildProject1});
    m_menus.Compile1->addSeparator();
    m_menus.Compile1->addActions({m_actions.NextMessage1, m_actions.PreviousMessage1});

    m_menus.Run1 = addMenu("&Run", "");
    for (QAction* emulator : m_actions.EMU) m_menus.Run1->addAction(emulator);

    m_menus.Window1 = addMenu("&Window", "Window related commands");
    m_menus.Window1->addActions({m_actions.WindowCascade1, m_actions.WindowTileHorizontal1,
                                 m_actions.WindowTileVertical1, m_actions.WindowMinimizeAll1,
                                 m_actions.WindowArrangeAll1});
    m_windowListSeparator = m_menus.Window1->addSeparator();
    m_windowListSeparator->setVisible(false);
    connect(m_menus.Window1, &QMenu::aboutToShow, this, [this] { RebuildWindowList(); });

    m_menus.Help1 = addMenu("&Help", "Help topics");
    m_menus.Help1->addAction(m_actions.HelpAbout1);
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

    const QList<QAction*> buttons{m_actions.FileNew1,
                                  m_actions.FileOpen1,
                                  m_actions.ToolButtonSave,
                                  nullptr,
                                  m_actions.EditCut1,
                                  m_actions.EditCopy1,
                                  m_actions.EditPaste1,
                                  nullptr,
                                  m_actions.WindowCascade1,
                                  m_actions.WindowTileHorizontal1,
                                  m_actions.WindowTileVertical1,
                                  nullptr,
                                  m_actions.CompileCCode1,
                                  m_actions.CompileAssembly1,
                                  nullptr,
                                  m_actions.EMU[0],
                                  m_actions.EMU[1],
                                  m_actions.EMU[2],
                                  m_actions.EMU[3],
                                  m_actions.EMU[4]};
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

void TMainForm::RebuildWindowList() {
    for (QAction* action : m_windowListActions) {
        m_menus.Window1->removeAction(action);
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
        auto* action = new QAction(text, m_menus.Window1);
        action->setCheckable(true);
        action->setChecked(window == active);
        QPointer<QMdiSubWindow> target(window);
        connect(action, &QAction::triggered, this, Guarded([this, target] {
                    if (!target) return;
                    if (target->isMinimized()) target->showNormal();
                    m_clientArea->setActiveSubWindow(target);
                }));
        m_menus.Window1->addAction(action);
        m_windowListActions << action;
        ++number;
    }
}
