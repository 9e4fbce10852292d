// The frame window on real widgets: menus, shortcuts, hints, tool bar, status bar, enabling
// rules, window commands and the error report of its commands.
#include "app/main_window.h"
#include "app/app_session.h"
#include "app/file_commands.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QWidgetAction>
#include <stdexcept>

#include "platform/edit_actions_target.h"
#include "platform/qt/dialogs.h"
#include "platform/qt/scripted_dialogs.h"

namespace {

// Stands in for the editor control: reports the edit commands it can do and counts calls.
class FakeEditor : public QWidget, public IEditActionsTarget {
  public:
    bool hasSelection = false;
    bool clipboardHasText = false;
    int cuts = 0;
    std::function<void()> notify;

    bool CanCut() const override { return hasSelection; }
    bool CanCopy() const override { return hasSelection; }
    bool CanPaste() const override { return clipboardHasText; }
    void Cut() override { ++cuts; }
    void Copy() override {}
    void Paste() override {}
    void SetOnEditStateChange(std::function<void()> callback) override {
        notify = std::move(callback);
    }
};

struct Entry {
    const char* caption;
    const char* shortcut;
    const char* toolTip;
    const char* statusTip;
};

void ExpectEntries(QMenu* menu, const std::vector<Entry>& expected) {
    QList<QAction*> actions;
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator()) actions << action;
    }
    ASSERT_GE(actions.size(), static_cast<qsizetype>(expected.size()))
        << menu->title().toStdString();
    for (std::size_t i = 0; i < expected.size(); ++i) {
        QAction* action = actions[static_cast<qsizetype>(i)];
        SCOPED_TRACE(expected[i].caption);
        EXPECT_EQ(action->text(), expected[i].caption);
        EXPECT_EQ(action->shortcut(), QKeySequence(expected[i].shortcut));
        if (expected[i].toolTip) {
            EXPECT_EQ(action->toolTip(), expected[i].toolTip);
        }
        EXPECT_EQ(action->statusTip(), expected[i].statusTip);
    }
}

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_scope = std::make_unique<TDialogsScope>(m_dialogs);
        m_form = std::make_unique<TMainForm>(m_session);
    }
    void TearDown() override {
        m_form.reset();
        m_scope.reset();
    }
    QMdiSubWindow* AddDocument(const QString& caption) {
        auto* document = new QPlainTextEdit;
        document->setWindowTitle(caption);
        return m_form->AddDocumentWindow(document);
    }
    void ShowActive() {
        m_form->show();
        m_form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_form.get()));
    }
    static void FlushDeletes() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    TAppSession m_session;
    TScriptedDialogs m_dialogs;
    std::unique_ptr<TDialogsScope> m_scope;
    std::unique_ptr<TMainForm> m_form;
};

TEST_F(MainWindowTest, CaptionAndMenuBar) {
    EXPECT_EQ(m_form->windowTitle(), "Vesk Engine - Quillon IDE! Version 3.10 ");
    QStringList titles;
    for (QAction* action : m_form->menuBar()->actions()) titles << action->text();
    EXPECT_EQ(titles, QStringList({"&File", "&Edit", "&Compile", "&Run", "&Window", "&Help"}));

    EXPECT_EQ(m_form->File1()->menuAction()->statusTip(), "File related commands");
    EXPECT_EQ(m_form->File1()->menuAction()->toolTip(), "File related commands");
    EXPECT_EQ(m_form->Edit1()->menuAction()->statusTip(), "Edit commands");
    EXPECT_EQ(m_form->Window1()->menuAction()->statusTip(), "Window related commands");
    EXPECT_EQ(m_form->Help1()->menuAction()->statusTip(), "Help topics");
    EXPECT_EQ(m_form->Compile1()->menuAction()->statusTip(), "");
}

TEST_F(MainWindowTest, EntriesCarryCaptionsShortcutsAndHints) {
    ExpectEntries(m_form->File1(),
                  {{"&New", "Ctrl+N", "New", "Create a new file"},
                   {"&Open", "Ctrl+O", "Open", "Open a file"},
                   {"New &Project from Example...", "", nullptr,
                    "Copy an example program into a new directory and open it"},
                   {"&Close", "Ctrl+W", "Close", "Close current file"},
                   {"Close A&ll", "Ctrl+Shift+W", "Close All", "Close every file"},
                   {"&Save", "Ctrl+S", "Save", "Save current file"},
                   {"Save &As...", "", "Save As", "Save current file with different name"},
                   {"S&etup", "", nullptr, ""},
                   {"E&xit", "", "Exit", "Exit application"}});
    ExpectEntries(m_form->Edit1(),
                  {{"Cu&t", "Ctrl+X", "Cut", "Cuts the selection and puts it on the Clipboard"},
                   {"&Copy", "Ctrl+C", "Copy", "Copies the selection and puts it on the Clipboard"},
                   {"&Paste", "Ctrl+V", "Paste", "Inserts Clipboard contents"},
                   {"&Find...", "Ctrl+F", nullptr, ""},
                   {"Find &previous", "Shift+F3", nullptr, ""},
                   {"Find &next", "F3", nullptr, ""},
                   {"&Replace...", "Ctrl+H", nullptr, ""}});
    ExpectEntries(m_form->Compile1(),
                  {{"Compile &Assembly", "Ctrl+F10", nullptr, ""},
                   {"&Compile C Code", "Ctrl+F9", nullptr, ""},
                   {"&Build Project", "F9", "Build Project",
                    "Builds the active document's project in its directory (make)"}});
    ExpectEntries(m_form->Run1(), {{"Emulator &1", "Ctrl+F1", nullptr, ""},
                                   {"Emulator &2", "Ctrl+F2", nullptr, ""},
                                   {"Emulator &3", "Ctrl+F3", nullptr, ""},
                                   {"Emulator &4", "Ctrl+F4", nullptr, ""},
                                   {"Emulator &5", "Ctrl+F5", nullptr, ""}});
    ExpectEntries(m_form->Window1(),
                  {{"&Cascade", "", "Cascade", "Cascade"},
                   {"Tile &Horizontally", "", "Tile Horizontally", "Tile Horizontally"},
                   {"Tile &Vertically", "", "Tile Vertically", "Tile Vertically"},
                   {"&Minimize All", "", "Minimize All", "Minimize All"},
                   {"&Arrange All", "", "Arrange All", "Arrange All"}});
    ExpectEntries(m_form->Help1(),
                  {{"&About...", "", "About",
                    "Displays program information, version number, and copyright"}});
}

TEST_F(MainWindowTest, ToolBarShowsTheActionsWithTheirImages) {
    QToolBar* bar = m_form->ToolBar1();
    EXPECT_EQ(bar->height(), 35);
    EXPECT_EQ(m_form->ImageList1().Count(), 25);
    EXPECT_EQ(m_form->ImageList1().Size(), QSize(16, 16));
    EXPECT_EQ(m_form->imglstBookmarks().Count(), 10);
    EXPECT_EQ(m_form->imglstBookmarks().Size(), QSize(14, 14));

    QList<QAction*> expected{m_form->FileNew1(),
                             m_form->FileOpen1(),
                             m_form->ToolButtonSave(),
                             nullptr,
                             m_form->EditCut1(),
                             m_form->EditCopy1(),
                             m_form->EditPaste1(),
                             nullptr,
                             m_form->WindowCascade1(),
                             m_form->WindowTileHorizontal1(),
                             m_form->WindowTileVertical1(),
                             nullptr,
                             m_form->CompileCCode1(),
                             m_form->CompileAssembly1(),
                             nullptr};
    for (QAction* emulator : m_form->EMU()) expected << emulator;
    QList<QAction*> shown;
    for (QAction* action : bar->actions()) {
        if (action->isSeparator()) {
            shown << nullptr;
        } else if (!qobject_cast<QWidgetAction*>(action) && !action->text().isEmpty()) {
            shown << action;
        }
    }
    EXPECT_EQ(shown, expected);

    const std::vector<std::pair<QAction*, int>> images{{m_form->FileNew1(), 6},
                                                       {m_form->FileOpen1(), 7},
                                                       {m_form->ToolButtonSave(), 8},
                                                       {m_form->EditCut1(), 0},
                                                       {m_form->EditCopy1(), 1},
                                                       {m_form->EditPaste1(), 2},
                                                       {m_form->WindowCascade1(), 17},
                                                       {m_form->WindowTileHorizontal1(), 15},
                                                       {m_form->WindowTileVertical1(), 16},
                                                       {m_form->CompileCCode1(), 18},
                                                       {m_form->CompileAssembly1(), 19},
                                                       {m_form->EMU()[4], 24},
                                                       {m_form->EditFind1(), 12},
                                                       {m_form->EditFindPrevious1(), 3},
                                                       {m_form->EditFindNext1(), 4},
                                                       {m_form->EditReplace1(), 13}};
    for (const auto& [action, index] : images) {
        SCOPED_TRACE(action->text().toStdString());
        EXPECT_EQ(action->icon().pixmap(16, 16).toImage(),
                  m_form->ImageList1().Image(index).toImage());
        QWidget* button = bar->widgetForAction(action);
        if (button) {
            EXPECT_EQ(button->height(), 25);
        }
    }
}

TEST_F(MainWindowTest, StatusBarShowsBuildTextsUntilAHintReplacesThem) {
    EXPECT_EQ(m_form->StatusBar()->height(), 21);
    m_form->show();
    m_form->SetStatusText("Finished Compiling: game.c Compile Successful");
    EXPECT_EQ(m_form->StatusText(), "Finished Compiling: game.c Compile Successful");

    QWidget* newButton = m_form->ToolBar1()->widgetForAction(m_form->FileNew1());
    ASSERT_NE(newButton, nullptr);
    EXPECT_EQ(newButton->toolTip(), "New");
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(newButton, &enter);
    EXPECT_EQ(m_form->StatusText(), "Create a new file");

    // A menu entry under the mouse reports its long hint the same way.
    m_form->HelpAbout1()->showStatusText(m_form->menuBar());
    EXPECT_EQ(m_form->StatusText(), "Displays program information, version number, and copyright");
}

TEST_F(MainWindowTest, EntriesOfLaterCommandsStayDisabledUntilBound) {
    for (QAction* action :
         {m_form->FileNew1(), m_form->FileOpen1(), m_form->FileNewFromExample1(),
          m_form->FileSave1(), m_form->ToolButtonSave(), m_form->FileSaveAs1(), m_form->Setup1(),
          m_form->EditFind1(), m_form->CompileCCode1(), m_form->CompileAssembly1(),
          m_form->BuildProject1(), m_form->EMU()[0], m_form->EMU()[4]}) {
        EXPECT_FALSE(action->isEnabled()) << action->text().toStdString();
    }
    EXPECT_TRUE(m_form->FileExit1()->isEnabled());
    EXPECT_TRUE(m_form->HelpAbout1()->isEnabled());

    int runs = 0;
    m_form->BindCommand(m_form->CompileCCode1(), [&] { ++runs; });
    EXPECT_TRUE(m_form->CompileCCode1()->isEnabled());
    m_form->CompileCCode1()->trigger();
    EXPECT_EQ(runs, 1);
}

TEST_F(MainWindowTest, ABoundCommandThatFailsIsReportedAndTheNextOneRuns) {
    m_form->BindCommand(m_form->EMU()[1], [] { throw std::runtime_error("I/O error 5"); });
    m_form->EMU()[1]->trigger();
    ASSERT_EQ(m_dialogs.Messages.size(), 1u);
    EXPECT_EQ(m_dialogs.Messages[0].Text, "I/O error 5");
    EXPECT_EQ(m_dialogs.Messages[0].Type, TMsgDlgType::mtError);
    bool ran = false;
    m_form->BindCommand(m_form->EMU()[2], [&] { ran = true; });
    m_form->EMU()[2]->trigger();
    EXPECT_TRUE(ran);
}

TEST_F(MainWindowTest, CloseAndWindowCommandsNeedADocumentWindow) {
    const QList<QAction*> needDocument{m_form->FileClose1(),
                                       m_form->WindowCascade1(),
                                       m_form->WindowTileHorizontal1(),
                                       m_form->WindowTileVertical1(),
                                       m_form->WindowMinimizeAll1(),
                                       m_form->WindowArrangeAll1()};
    for (QAction* action : needDocument) EXPECT_FALSE(action->isEnabled());
    ShowActive();
    QMdiSubWindow* first = AddDocument("Vesk1");
    QMdiSubWindow* second = AddDocument("Vesk2");
    EXPECT_EQ(m_form->MDIChildCount(), 2);
    EXPECT_EQ(m_form->ClientArea()->activeSubWindow(), second);
    for (QAction* action : needDocument) EXPECT_TRUE(action->isEnabled());

    // Ctrl+W closes the active document window.
    QTest::keyClick(m_form.get(), Qt::Key_W, Qt::ControlModifier);
    FlushDeletes();
    EXPECT_EQ(m_form->MDIChildCount(), 1);
    for (QAction* action : needDocument) EXPECT_TRUE(action->isEnabled());

    m_form->ClientArea()->setActiveSubWindow(first);
    m_form->FileClose1()->trigger();
    FlushDeletes();
    EXPECT_EQ(m_form->MDIChildCount(), 0);
    EXPECT_EQ(m_form->ActiveMDIChild(), nullptr);
    for (QAction* action : needDocument) EXPECT_FALSE(action->isEnabled());
}

TEST_F(MainWindowTest, WindowMenuListsDocumentsAndActivatesTheChosenOne) {
    m_form->show();
    QMdiSubWindow* first = AddDocument("/src/game.c");
    AddDocument("Vesk2");
    m_form->RebuildWindowList();
    QList<QAction*> listed;
    bool afterSeparator = false;
    for (QAction* action : m_form->Window1()->actions()) {
        if (action->isSeparator()) {
            afterSeparator = action->isVisible();
        } else if (afterSeparator) {
            listed << action;
        }
    }
    ASSERT_EQ(listed.size(), 2);
    EXPECT_EQ(listed[0]->text(), "&1 /src/game.c");
    EXPECT_EQ(listed[1]->text(), "&2 Vesk2");
    EXPECT_FALSE(listed[0]->isChecked());
    EXPECT_TRUE(listed[1]->isChecked());
    listed[0]->trigger();
    EXPECT_EQ(m_form->ClientArea()->activeSubWindow(), first);
    EXPECT_EQ(m_form->ActiveMDIChild()->windowTitle(), "/src/game.c");
}

TEST_F(MainWindowTest, TilingPutsWindowsAboveOrBesideEachOther) {
    m_form->resize(800, 600);
    m_form->show();
    QMdiSubWindow* a = AddDocument("A");
    QMdiSubWindow* b = AddDocument("B");
    const QSize area = m_form->ClientArea()->viewport()->size();

    m_form->WindowTileHorizontal1()->trigger();
    EXPECT_EQ(a->geometry(), QRect(0, 0, area.width(), area.height() / 2));
    EXPECT_EQ(b->geometry().top(), area.height() / 2);
    EXPECT_EQ(b->geometry().width(), area.width());
    EXPECT_EQ(b->geometry().bottom(), area.height() - 1);

    m_form->WindowTileVertical1()->trigger();
    EXPECT_EQ(a->geometry(), QRect(0, 0, area.width() / 2, area.height()));
    EXPECT_EQ(b->geometry().left(), area.width() / 2);
    EXPECT_EQ(b->geometry().right(), area.width() - 1);
    EXPECT_EQ(b->geometry().height(), area.height());

    m_form->WindowMinimizeAll1()->trigger();
    EXPECT_TRUE(a->isMinimized());
    EXPECT_TRUE(b->isMinimized());
    m_form->WindowArrangeAll1()->trigger();
    EXPECT_EQ(a->geometry().bottom(), area.height() - 1);
    EXPECT_EQ(a->geometry().left(), 0);
    EXPECT_EQ(b->geometry().left(), a->geometry().right() + 1);
    EXPECT_EQ(b->geometry().top(), a->geometry().top());
}

TEST_F(MainWindowTest, EditCommandsFollowTheFocusedEditor) {
    ShowActive();
    EXPECT_FALSE(m_form->EditCut1()->isEnabled());
    EXPECT_FALSE(m_form->EditPaste1()->isEnabled());

    auto* editor = new FakeEditor;
    editor->setFocusPolicy(Qt::StrongFocus);
    m_form->AddDocumentWindow(editor);
    editor->setFocus();
    QCoreApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), editor);
    EXPECT_FALSE(m_form->EditCut1()->isEnabled());
    EXPECT_FALSE(m_form->EditCopy1()->isEnabled());

    editor->hasSelection = true;
    ASSERT_TRUE(editor->notify);
    editor->notify();
    EXPECT_TRUE(m_form->EditCut1()->isEnabled());
    EXPECT_TRUE(m_form->EditCopy1()->isEnabled());
    EXPECT_FALSE(m_form->EditPaste1()->isEnabled());
    editor->clipboardHasText = true;
    editor->notify();
    EXPECT_TRUE(m_form->EditPaste1()->isEnabled());

    QTest::keyClick(editor, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(editor->cuts, 1);

    // A focused widget that is no editor turns the commands off.
    auto* plain = new QPlainTextEdit;
    m_form->AddDocumentWindow(plain);
    plain->setFocus();
    QCoreApplication::processEvents();
    EXPECT_FALSE(m_form->EditCut1()->isEnabled());
    EXPECT_FALSE(m_form->EditPaste1()->isEnabled());
}

TEST_F(MainWindowTest, SourceDirAndNameStartEmptyAndExitClosesTheWindow) {
    const TFileCommands files(*m_form);
    EXPECT_TRUE(files.ActiveSource().SourceDir().empty());
    EXPECT_TRUE(files.ActiveSource().SourceName().empty());
    m_form->show();
    AddDocument("Vesk1");
    m_form->FileExit1()->trigger();
    EXPECT_FALSE(m_form->isVisible());
    EXPECT_TRUE(m_dialogs.Messages.empty());  // no question about unsaved documents
}

}  // namespace

namespace {

TEST_F(MainWindowTest, WindowsOfABatchShowTheirDocumentsCaptionsOnceItIsOpen) {
    m_form->show();
    m_form->BeginDocumentBatch();
    QMdiSubWindow* titledFirst = AddDocument("/src/first.c");
    QMdiSubWindow* renamed = AddDocument("Vesk2");
    // Captions set and changed while the batch opens, as the file commands do.
    renamed->widget()->setWindowTitle("/src/renamed.c");
    auto* late = new QPlainTextEdit;
    QMdiSubWindow* titledLate = m_form->AddDocumentWindow(late);
    late->setWindowTitle("/src/late.c *");
    EXPECT_EQ(late->windowTitle(), "/src/late.c *");  // the document's own title is current
    m_form->EndDocumentBatch();
    QApplication::processEvents();
    EXPECT_EQ(titledFirst->windowTitle(), "/src/first.c");
    EXPECT_EQ(renamed->windowTitle(), "/src/renamed.c");
    EXPECT_EQ(titledLate->windowTitle(), "/src/late.c *");
    EXPECT_EQ(m_form->ClientArea()->activeSubWindow(), titledLate);
    // Afterwards a caption reaches the title bar at once again.
    late->setWindowTitle("/src/late.c");
    EXPECT_EQ(titledLate->windowTitle(), "/src/late.c");
    // A window closed before its caption was handed over is simply left out.
    m_form->BeginDocumentBatch();
    QMdiSubWindow* gone = AddDocument("gone");
    QMdiSubWindow* kept = AddDocument("kept");
    kept->widget()->setWindowTitle("kept too");
    m_form->EndDocumentBatch();
    delete gone;
    QApplication::processEvents();
    EXPECT_EQ(kept->windowTitle(), "kept too");
}

TEST_F(MainWindowTest, NewDocumentWindowsCascadeInsideTheClientArea) {
    m_form->resize(800, 600);
    m_form->show();
    QMdiSubWindow* first = AddDocument("one");
    QMdiSubWindow* second = AddDocument("two");
    EXPECT_EQ(first->pos(), QPoint(0, 0));
    EXPECT_GT(second->x(), 0);
    EXPECT_EQ(second->x(), second->y());
    for (int i = 0; i < 30; ++i) {
        QMdiSubWindow* window = AddDocument(QString("more %1").arg(i));
        const QRect area = m_form->ClientArea()->viewport()->rect();
        EXPECT_TRUE(area.contains(window->geometry()) || window->pos() == QPoint(0, 0));
    }
}

TEST_F(MainWindowTest, TheActiveWindowIsInFrontAndMinimisedOnesGoBelowTheOthers) {
    m_form->resize(800, 600);
    m_form->show();
    QMdiArea* area = m_form->ClientArea();
    QMdiSubWindow* a = AddDocument("A");
    QMdiSubWindow* b = AddDocument("B");
    QMdiSubWindow* c = AddDocument("C");
    EXPECT_EQ(area->subWindowList(QMdiArea::StackingOrder).last(), c);
    area->setActiveSubWindow(a);
    EXPECT_EQ(area->subWindowList(QMdiArea::StackingOrder).last(), a);
    EXPECT_EQ(area->subWindowList(QMdiArea::StackingOrder), (QList<QMdiSubWindow*>{b, c, a}));

    area->setActiveSubWindow(b);
    b->showMinimized();
    area->setActiveSubWindow(c);
    EXPECT_EQ(area->subWindowList(QMdiArea::StackingOrder), (QList<QMdiSubWindow*>{b, a, c}));

    // No window offers to stay above the others: none can.
    for (QAction* action : a->systemMenu()->actions()) {
        EXPECT_FALSE(action->isCheckable()) << action->text().toStdString();
    }
    EXPECT_GE(a->systemMenu()->actions().size(), 5);
}

}  // namespace
