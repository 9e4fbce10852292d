// The File menu's Reopen list and the session brought back at the next start, on the real frame
// with scripted dialogs.
#include <gtest/gtest.h>

#include <unistd.h>
#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStyleOptionMenuItem>
#include <chrono>

#include "app/recent_files_menu.h"
#include "app/session_keeper.h"
#include "app_test_support.h"
#include "config/session_file.h"
#include "editor/qt/synedit.h"
#include "editor/string_list.h"

namespace {

class RecentAndSessionTest : public ::testing::Test, public TProgramFixture {
  protected:
    std::string Make(const std::string& name, int lines = 3) {
        std::string text;
        for (int i = 1; i <= lines; ++i) text += name + " line " + std::to_string(i) + "\n";
        WriteFile(Source() + "/" + name, text);
        return Source() + "/" + name;
    }
    TRecentFilesMenu& Menu() { return app->RecentFilesMenu(); }
    // The entries of the Reopen menu as shown, after it was filled as on opening.
    std::vector<QAction*> Entries() {
        Menu().Rebuild();
        std::vector<QAction*> entries;
        for (QAction* action : Menu().Menu()->actions()) {
            if (action->isSeparator() || action == Menu().ClearList1()) continue;
            entries.push_back(action);
        }
        return entries;
    }
    std::vector<std::string> Captions() {
        std::vector<std::string> captions;
        for (QMdiSubWindow* window : Form().ClientArea()->subWindowList()) {
            captions.push_back(qobject_cast<TMDIChild*>(window->widget())->Caption());
        }
        return captions;
    }
    // Ends the program as Exit does and starts it again in the same home directory.
    void Restart(const std::vector<std::string>& files = {}, bool noSession = false) {
        Form().close();
        app.reset();
        app = std::make_unique<Application>();
        app->Show();
        QApplication::setActiveWindow(&Form());
        app->OpenAtStart(files, noSession);
    }
};

TEST_F(RecentAndSessionTest, ReopenListsOpenedAndSavedFilesNewestFirstAtMostTen) {
    // The submenu follows Open in the File menu.
    const QList<QAction*> file = Form().File1()->actions();
    const qsizetype open = file.indexOf(Form().FileOpen1());
    ASSERT_GE(open, 0);
    EXPECT_EQ(file[open + 1], Menu().Menu()->menuAction());
    EXPECT_EQ(Menu().Menu()->title(), "&Reopen");

    std::vector<QAction*> entries = Entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_FALSE(entries[0]->isEnabled());  // "(empty)"
    EXPECT_FALSE(Menu().ClearList1()->isEnabled());

    for (int i = 1; i <= 11; ++i) Open(Make("f" + std::to_string(i) + ".c"));
    entries = Entries();
    ASSERT_EQ(entries.size(), 10u);
    EXPECT_EQ(entries[0]->text().toStdString(), "&1 " + Source() + "/f11.c");
    EXPECT_EQ(entries[9]->text().toStdString(), "1&0 " + Source() + "/f2.c");
    EXPECT_TRUE(Menu().ClearList1()->isEnabled());

    // Save As puts the new name first; choosing an entry opens it and moves it up.
    dialogs.AnswerFile(Source() + "/copy.c");
    Form().FileSaveAs1()->trigger();
    EXPECT_EQ(Files().RecentFiles().Items().front(), Source() + "/copy.c");
    const int windows = Form().MDIChildCount();
    Entries()[5]->trigger();
    EXPECT_EQ(Form().MDIChildCount(), windows + 1);
    EXPECT_EQ(Files().ActiveDocument()->Caption(), Source() + "/f7.c");
    EXPECT_EQ(Files().RecentFiles().Items().front(), Source() + "/f7.c");
    EXPECT_TRUE(dialogs.Messages.empty());

    Menu().ClearList1()->trigger();
    EXPECT_TRUE(Files().RecentFiles().Items().empty());
    EXPECT_EQ(Entries().size(), 1u);
}

TEST_F(RecentAndSessionTest, AMissingFileIsGreyedAndLeavesTheListWhenChosen) {
    const std::string kept = Make("kept.c");
    const std::string gone = Make("gone.c");
    Open(kept);
    Open(gone);
    ::unlink(gone.c_str());
    std::vector<QAction*> entries = Entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_TRUE(TReopenMenu::IsMissing(entries[0]));
    EXPECT_FALSE(TReopenMenu::IsMissing(entries[1]));
    // Greyed, yet it can be chosen.
    EXPECT_TRUE(entries[0]->isEnabled());
    QStyleOptionMenuItem grey, plain;
    auto* menu = qobject_cast<TReopenMenu*>(Menu().Menu());
    ASSERT_NE(menu, nullptr);
    menu->initStyleOption(&grey, entries[0]);
    menu->initStyleOption(&plain, entries[1]);
    EXPECT_NE(grey.palette.color(QPalette::Active, QPalette::Text),
              plain.palette.color(QPalette::Active, QPalette::Text));

    const int windows = Form().MDIChildCount();
    entries[0]->trigger();
    EXPECT_EQ(Form().MDIChildCount(), windows);
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text, gone + kRecentFileGone);
    EXPECT_EQ(Files().RecentFiles().Items(), std::vector<std::string>{kept});
}

TEST_F(RecentAndSessionTest, ExitRemembersTheWindowsAndTheNextStartBringsThemBack) {
    const std::string a = Make("a.c", 300);
    const std::string b = Make("b.asm", 20);
    TMDIChild* first = Open(a);
    first->SynEditor()->SetCaretXY({5, 150});
    first->SynEditor()->SetTopLine(120);
    first->SynEditor()->PlaceBookmark(3, 2, 140);
    first->SynEditor()->PlaceBookmark(0, 1, 7);
    Form().FileNew1()->trigger();  // never saved: not part of the session
    TMDIChild* second = Open(b);
    second->SynEditor()->SetCaretXY({2, 4});
    Form().ClientArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(first->parentWidget()));

    Restart();
    const TSession written = ReadSessionFile(Home() + "/.quillon-session");
    ASSERT_EQ(written.Documents.size(), 2u);
    EXPECT_EQ(written.Active, 0);

    EXPECT_EQ(Captions(), (std::vector<std::string>{a, b}));
    TMDIChild* active = Files().ActiveDocument();
    ASSERT_NE(active, nullptr);
    EXPECT_EQ(active->Caption(), a);
    EXPECT_EQ(active->SynEditor()->CaretXY(), (TBufferCoord{5, 150}));
    EXPECT_EQ(active->SynEditor()->TopLine(), 120);
    int column = 0, line = 0;
    ASSERT_TRUE(active->SynEditor()->GetBookMark(3, column, line));
    EXPECT_EQ(line, 140);
    EXPECT_EQ(column, 2);
    EXPECT_TRUE(active->SynEditor()->GetBookMark(0, column, line));
    EXPECT_FALSE(active->IsModified());
    EXPECT_EQ(active->SourcePath(), a);
    EXPECT_EQ(Files().ActiveSource().SourceName(), "a.c");
    // Reopened windows are not files newly used: the Reopen list is as it was.
    EXPECT_EQ(Files().RecentFiles().Items().front(), b);
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(RecentAndSessionTest, WindowStatesAndBoundsComeBack) {
    TMDIChild* a = Open(Make("a.c"));
    TMDIChild* b = Open(Make("b.c"));
    auto* windowA = qobject_cast<QMdiSubWindow*>(a->parentWidget());
    auto* windowB = qobject_cast<QMdiSubWindow*>(b->parentWidget());
    windowA->setGeometry(12, 34, 300, 200);
    windowB->showMinimized();
    Form().ClientArea()->setActiveSubWindow(windowA);
    Restart();
    const QList<QMdiSubWindow*> windows = Form().ClientArea()->subWindowList();
    ASSERT_EQ(windows.size(), 2);
    EXPECT_EQ(windows[0]->geometry(), QRect(12, 34, 300, 200));
    EXPECT_TRUE(windows[1]->isMinimized());
    EXPECT_EQ(Form().ClientArea()->activeSubWindow(), windows[0]);

    // Maximised and active: it comes back maximised.
    windows[0]->showMaximized();
    Restart();
    EXPECT_TRUE(Form().ClientArea()->activeSubWindow()->isMaximized());
}

TEST_F(RecentAndSessionTest, GoneFilesAreNamedInOneMessageAndTheOthersOpen) {
    const std::string a = Make("a.c");
    const std::string b = Make("b.c");
    const std::string c = Make("c.c");
    Open(a);
    Open(b);
    Open(c);
    Form().close();
    ::unlink(a.c_str());
    ::unlink(c.c_str());
    Restart();
    EXPECT_EQ(Captions(), std::vector<std::string>{b});
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text, kSessionFilesGone + a + "\r\n" + c);
    EXPECT_EQ(dialogs.Messages[0].Type, TMsgDlgType::mtInformation);
}

TEST_F(RecentAndSessionTest, ASessionWithA100MegabyteFileComesBackQuickly) {
    const std::string line = "int value_of_some_length = 12345; /* comment */\n";
    std::string text;
    text.reserve((100u << 20) + line.size());
    while (text.size() < (100u << 20)) text += line;
    WriteFile(Source() + "/big.c", text);
    text.clear();
    text.shrink_to_fit();
    TSession session;
    for (int i = 0; i < 19; ++i) {
        TSessionDocument small;
        small.Path = Make("f" + std::to_string(i) + ".c");
        session.Documents.push_back(small);
    }
    TSessionDocument big;
    big.Path = Source() + "/big.c";
    big.CaretY = 2000000;
    big.TopLine = 1999990;
    session.Documents.push_back(big);
    session.Active = 19;
    WriteSessionFile(Home() + "/.quillon-session", session);

    const auto start = std::chrono::steady_clock::now();
    app->OpenAtStart({}, false);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(Form().MDIChildCount(), 20);
    TMDIChild* active = Files().ActiveDocument();
    ASSERT_NE(active, nullptr);
    EXPECT_EQ(active->SourcePath(), big.Path);
    EXPECT_EQ(active->SynEditor()->CaretY(), 2000000);
    EXPECT_EQ(active->SynEditor()->TopLine(), 1999990);
    // Well under a second on an idle machine; the bound leaves room for a busy one.
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(took).count(), 5000);
}

TEST_F(RecentAndSessionTest, FilesOnTheCommandLineOrNoSessionStartWithoutTheSession) {
    const std::string a = Make("a.c");
    const std::string other = Make("other.c");
    Open(a);
    Restart({other});
    EXPECT_EQ(Captions(), std::vector<std::string>{other});
    // That exit remembered other.c; --no-session starts empty and the next exit then
    // remembers nothing.
    Restart({}, true);
    EXPECT_EQ(Form().MDIChildCount(), 0);
    Restart();
    EXPECT_EQ(Form().MDIChildCount(), 0);
}

TEST_F(RecentAndSessionTest, AnExitThatIsCancelledWritesNoSession) {
    TMDIChild* document = Open(Make("a.c"));
    document->SynEditor()->ReplaceTextRange({1, 1}, {1, 1}, "x");
    dialogs.AnswerMessage(TModalResult::mrCancel);
    Form().close();
    EXPECT_TRUE(Form().isVisible());
    EXPECT_FALSE(FileExists(Home() + "/.quillon-session"));
    // Discarding the change lets the exit go on, and the session is written.
    dialogs.AnswerMessage(TModalResult::mrNo);
    Form().close();
    EXPECT_EQ(ReadSessionFile(Home() + "/.quillon-session").Documents.size(), 1u);
}

}  // namespace
