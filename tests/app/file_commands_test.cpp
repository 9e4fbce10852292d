// New, Open, Save, the tool bar Save and Save As on the real frame window with scripted dialogs,
// and the document windows' activation through the frame.
#include "app/file_commands.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "app_test_support.h"
#include "editor/qt/synedit.h"
#include "editor/string_list.h"
#include "highlight/syn_cpp_syn.h"
#include "support/unprivileged_files.h"

namespace {

class FileCommandsTest : public ::testing::Test, public TProgramFixture {
  protected:
    TMDIChild* Active() { return Files().ActiveDocument(); }

    TMDIChild* OpenFile(const std::string& path, bool readOnly = false) {
        dialogs.AnswerFile(path, readOnly);
        Form().FileOpen1()->trigger();
        return Active();
    }
};

TEST_F(FileCommandsTest, NewNumbersCaptionsByTheWindowsThatExist) {
    EXPECT_TRUE(Form().FileNew1()->isEnabled());
    Form().FileNew1()->trigger();
    EXPECT_EQ(Active()->Caption(), "Vesk1");
    EXPECT_EQ(Active()->SourcePath(), "");
    Form().FileNew1()->trigger();
    EXPECT_EQ(Active()->Caption(), "Vesk2");
    // Closing the first and creating another repeats the second's number.
    Form().ClientArea()->subWindowList().first()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(Form().MDIChildCount(), 1);
    Form().FileNew1()->trigger();
    EXPECT_EQ(Active()->Caption(), "Vesk2");
    EXPECT_EQ(Form().MDIChildCount(), 2);
}

TEST_F(FileCommandsTest, NewLoadsAFileNamedLikeItsCaptionFromTheCurrentDirectory) {
    WriteFile(Source() + "/Vesk1", "left over\n");
    Form().FileNew1()->trigger();
    EXPECT_EQ(Active()->SynEditor()->Lines().Get(0), "left over");
    EXPECT_EQ(Active()->SourcePath(), "");
}

TEST_F(FileCommandsTest, SourceFileFollowsActivationNewAndClose) {
    WriteFile(Source() + "/game.c", "int x;\n");
    TMDIChild* game = OpenFile(Source() + "/game.c");
    EXPECT_EQ(Files().ActiveSource().SourceDir(), Source() + "/");
    EXPECT_EQ(Files().ActiveSource().SourceName(), "game.c");
    Form().FileNew1()->trigger();
    EXPECT_EQ(Files().ActiveSource().SourceDir(), "");
    EXPECT_EQ(Files().ActiveSource().SourceName(), "");
    QMdiSubWindow* gameWindow = Form().ClientArea()->subWindowList().first();
    Form().ClientArea()->setActiveSubWindow(gameWindow);
    EXPECT_EQ(Active(), game);
    EXPECT_EQ(Files().ActiveSource().SourceName(), "game.c");
    // Closing the active window leaves the record; the remaining window's activation sets it.
    Form().ClientArea()->setActiveSubWindow(Form().ClientArea()->subWindowList().last());
    EXPECT_EQ(Files().ActiveSource().SourceName(), "");
    gameWindow->close();
    EXPECT_EQ(Files().ActiveSource().SourceName(), "");
    Form().ClientArea()->subWindowList().first()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Form().MDIChildCount(), 0);
    EXPECT_EQ(Files().ActiveSource().SourceName(), "");
}

TEST_F(FileCommandsTest, OpenAsksWithTheFilterAndOpensReadOnlyWhenTicked) {
    WriteFile(Source() + "/game.c", "int x;\n");
    TMDIChild* locked = OpenFile(Source() + "/game.c", true);
    ASSERT_EQ(dialogs.FileDialogs.size(), 1u);
    const TFileDialogRequest& request = dialogs.FileDialogs[0].Request;
    EXPECT_FALSE(dialogs.FileDialogs[0].Save);
    EXPECT_EQ(request.Filter,
              "C Files (*.c *.h)|*.c;*.h|Assembly Files (*.asm *.s *.inc)|*.asm;*.s;*.inc|"
              "All Files (*)|*");
    EXPECT_TRUE(request.ShowReadOnly);
    EXPECT_TRUE(request.FileMustExist);
    EXPECT_EQ(locked->Caption(), Source() + "/game.c");
    EXPECT_EQ(locked->SourcePath(), Source() + "/game.c");
    EXPECT_EQ(locked->SynEditor()->Lines().Get(0), "int x;");
    EXPECT_TRUE(locked->SynEditor()->ReadOnly());
    // A window created by New afterwards is editable.
    Form().FileNew1()->trigger();
    EXPECT_FALSE(Active()->SynEditor()->ReadOnly());
    // Cancelling opens nothing.
    dialogs.CancelFile();
    Form().FileOpen1()->trigger();
    EXPECT_EQ(Form().MDIChildCount(), 2);
}

TEST_F(FileCommandsTest, SaveWithoutDocumentAsksForOne) {
    const std::string expected =
        "I'm sorry, but....\r\ncould you please\r\ntry opening a file\r\nbefore saving one?";
    for (QAction* action : {Form().FileSave1(), Form().ToolButtonSave(), Form().FileSaveAs1()}) {
        dialogs.Messages.clear();
        action->trigger();
        ASSERT_EQ(dialogs.Messages.size(), 1u);
        EXPECT_EQ(dialogs.Messages[0].Text, expected);
        EXPECT_EQ(dialogs.Messages[0].Type, TMsgDlgType::mtError);
        EXPECT_EQ(dialogs.Messages[0].Buttons, static_cast<TMsgDlgButtons>(mbOK));
    }
    EXPECT_TRUE(dialogs.FileDialogs.empty());
}

TEST_F(FileCommandsTest, SaveWritesAnOpenedFileBackWithoutADialog) {
    const std::string path = Source() + "/game.c";
    WriteFile(path, "int x;\n");
    TMDIChild* game = OpenFile(path);
    game->SynEditor()->Lines().Put(0, "int y;");
    game->SetTextChanged(true);
    Form().FileSave1()->trigger();
    EXPECT_EQ(ReadFile(path), "int y;\n");
    EXPECT_FALSE(game->TextChanged());
    EXPECT_EQ(dialogs.FileDialogs.size(), 1u);  // only the open dialog
    game->SynEditor()->Lines().Put(0, "int z;");
    Form().ToolButtonSave()->trigger();
    EXPECT_EQ(ReadFile(path), "int z;\n");
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(FileCommandsTest, SaveOfANewDocumentProposesItsCaptionAndAddsNoExtension) {
    Form().FileNew1()->trigger();
    TMDIChild* document = Active();
    document->SynEditor()->Lines().Put(0, "void main() {}");
    const std::string target = Source() + "/Vesk1";
    dialogs.AnswerFile(target);
    Form().FileSave1()->trigger();
    ASSERT_EQ(dialogs.FileDialogs.size(), 1u);
    const TFileDialogRequest& request = dialogs.FileDialogs[0].Request;
    EXPECT_TRUE(dialogs.FileDialogs[0].Save);
    EXPECT_EQ(request.Title, "Save Vesk File");
    EXPECT_EQ(request.FileName, "Vesk1");
    EXPECT_EQ(request.InitialDir, "");
    // A new document writes this platform's line break, LF.
    EXPECT_EQ(ReadFile(target), "void main() {}\n");
    EXPECT_EQ(document->Caption(), target);
    EXPECT_EQ(document->SourcePath(), target);
    EXPECT_EQ(Files().ActiveSource().SourceDir(), Source() + "/");
    EXPECT_EQ(Files().ActiveSource().SourceName(), "Vesk1");
    // Now the file exists: the next Save writes straight back.
    document->SynEditor()->Lines().Put(0, "int a;");
    Form().FileSave1()->trigger();
    EXPECT_EQ(dialogs.FileDialogs.size(), 1u);
    EXPECT_EQ(ReadFile(target), "int a;\n");
}

TEST_F(FileCommandsTest, SaveOfADeletedFileWritesItAgainWithoutADialog) {
    const std::string path = Source() + "/game.c";
    WriteFile(path, "int x;\n");
    OpenFile(path);
    ::unlink(path.c_str());
    Form().FileSave1()->trigger();
    EXPECT_EQ(dialogs.FileDialogs.size(), 1u);  // only the open dialog
    EXPECT_EQ(ReadFile(path), "int x;\n");
    // Its directory gone too, the failure is reported and nothing is asked.
    const std::string lost = Source() + "/sub/lost.c";
    ::mkdir((Source() + "/sub").c_str(), 0700);
    WriteFile(lost, "int y;\n");
    OpenFile(lost);
    ::unlink(lost.c_str());
    ::rmdir((Source() + "/sub").c_str());
    Form().FileSave1()->trigger();
    EXPECT_EQ(dialogs.FileDialogs.size(), 2u);
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_NE(dialogs.Messages[0].Text.find("lost.c"), std::string::npos);
}

TEST_F(FileCommandsTest, SaveAsReplacesAnExistingFileWithoutAQuestion) {
    const std::string path = Source() + "/game.c";
    const std::string other = Source() + "/other.c";
    WriteFile(path, "int x;\n");
    WriteFile(other, "old\n");
    TMDIChild* game = OpenFile(path);
    game->SetTextChanged(true);
    dialogs.AnswerFile(other);
    Form().FileSaveAs1()->trigger();
    ASSERT_EQ(dialogs.FileDialogs.size(), 2u);
    EXPECT_EQ(dialogs.FileDialogs[1].Request.FileName, path);
    EXPECT_EQ(dialogs.FileDialogs[1].Request.InitialDir, Source() + "/");
    EXPECT_EQ(ReadFile(other), "int x;\n");
    EXPECT_EQ(game->Caption(), other);
    EXPECT_EQ(game->SourcePath(), other);
    EXPECT_FALSE(game->TextChanged());
    EXPECT_EQ(Files().ActiveSource().SourceName(), "other.c");
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(FileCommandsTest, OneCharacterNameInDottedDirectories) {
    const std::string dir = Source() + "/my.game.v2/src.d";
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(dir)));
    WriteFile(dir + "/x", "a\n");
    TMDIChild* document = OpenFile(dir + "/x");
    EXPECT_EQ(Files().ActiveSource().SourceDir(), dir + "/");
    EXPECT_EQ(Files().ActiveSource().SourceName(), "x");
    document->SynEditor()->Lines().Put(0, "b");
    Form().FileSave1()->trigger();
    EXPECT_EQ(ReadFile(dir + "/x"), "b\n");
}

TEST_F(FileCommandsTest, SaveFollowsASymbolicLinkAndKeepsPermissions) {
    const std::string real = Source() + "/real.c";
    const std::string link = Source() + "/link.c";
    WriteFile(real, "one\n");
    ::chmod(real.c_str(), 0640);
    ASSERT_EQ(::symlink("real.c", link.c_str()), 0);
    TMDIChild* document = OpenFile(link);
    document->SynEditor()->Lines().Put(0, "two");
    Form().FileSave1()->trigger();
    struct stat info {};
    ASSERT_EQ(::lstat(link.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    ASSERT_EQ(::stat(real.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadFile(real), "two\n");
    // No temporary file is left behind.
    EXPECT_EQ(QDir(QString::fromStdString(Source())).entryList(QDir::Files | QDir::Hidden).size(),
              2);
}

TEST_F(FileCommandsTest, UnwritableTargetKeepsTheOldFileAndReportsTheError) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    const std::string path = Source() + "/game.c";
    WriteFile(path, "int x;\n");
    TMDIChild* document = OpenFile(path);
    ::chmod(path.c_str(), 0444);
    document->SynEditor()->Lines().Put(0, "lost");
    Form().FileSave1()->trigger();
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text, "Cannot create file \"" + path + "\". Permission denied");
    EXPECT_EQ(ReadFile(path), "int x;\n");
}

TEST_F(FileCommandsTest, AWindowWhoseFileFailedToLoadAsksForANameOnSave) {
    const std::string path = Source() + "/game.c";
    const std::string text = "int main(void) { return 0; }\n";
    WriteFile(path, text);
    ::chmod(Source().c_str(), 0755);
    ::chmod(path.c_str(), 0);
    TMDIChild* document = nullptr;
    {
        TUnprivilegedFiles unprivileged;
        document = OpenFile(path);
    }
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->Caption(), path);
    EXPECT_EQ(document->SourcePath(), "");
    // The user mends the permission and saves: the empty text must not replace the file.
    ::chmod(path.c_str(), 0644);
    dialogs.CancelFile();
    Form().FileSave1()->trigger();
    ASSERT_EQ(dialogs.FileDialogs.size(), 2u);
    EXPECT_TRUE(dialogs.FileDialogs[1].Save);
    EXPECT_EQ(dialogs.FileDialogs[1].Request.FileName, path);
    EXPECT_EQ(ReadFile(path), text);
    // Reactivation does not bind it either.
    Form().FileNew1()->trigger();
    Form().ClientArea()->setActiveSubWindow(Form().ClientArea()->subWindowList().first());
    EXPECT_EQ(Files().ActiveSource().SourceName(), "");
}

TEST_F(FileCommandsTest, NamesThatAreNotAsciiOpenAndSaveTheSameFile) {
    for (const std::string name : {"na\xC3\xAFve.c", "x\xE9\xFF.c"}) {
        const std::string path = Source() + "/" + name;
        WriteFile(path, "int x;\n");
        TMDIChild* document = OpenFile(path);
        ASSERT_TRUE(dialogs.Messages.empty());
        EXPECT_EQ(document->SynEditor()->Lines().Get(0), "int x;");
        EXPECT_EQ(document->Caption(), path);
        EXPECT_EQ(Files().ActiveSource().SourceName(), name);
        document->SynEditor()->Lines().Put(0, "int y;");
        Form().FileSave1()->trigger();
        EXPECT_EQ(ReadFile(path), "int y;\n");
        // Deleted, Save writes the same bytes again.
        ::unlink(path.c_str());
        document->SynEditor()->Lines().Put(0, "int z;");
        Form().FileSave1()->trigger();
        EXPECT_EQ(ReadFile(path), "int z;\n");
        ::unlink(path.c_str());
    }
    // The caption shows the name as the file system spells it.
    EXPECT_EQ(Form().ClientArea()->subWindowList().first()->widget()->windowTitle(),
              QString::fromStdString(Source()) + QString::fromUtf8("/na\xC3\xAFve.c"));
    EXPECT_EQ(QDir(QString::fromStdString(Source())).entryList(QDir::Files).size(), 0);
}

TEST_F(FileCommandsTest, PipesAndDevicesAreReportedNotRead) {
    const std::string pipe = Source() + "/pipe.c";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    const std::string zero = Source() + "/zero.c";
    ASSERT_EQ(::symlink("/dev/zero", zero.c_str()), 0);
    ASSERT_EQ(::mkfifo((Source() + "/Vesk3").c_str(), 0644), 0);
    for (const std::string& path : {pipe, zero}) {
        dialogs.Messages.clear();
        TMDIChild* document = OpenFile(path);
        ASSERT_EQ(dialogs.Messages.size(), 1u) << path;
        EXPECT_EQ(dialogs.Messages[0].Text,
                  "Cannot open file \"" + path + "\". Not a regular file");
        EXPECT_EQ(document->Caption(), path);
        EXPECT_EQ(document->SynEditor()->Lines().GetCount(), 1);
    }
    // New picks up a pipe named like its caption in the current directory.
    dialogs.Messages.clear();
    Form().FileNew1()->trigger();
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(Active()->Caption(), "Vesk3");
}

TEST_F(FileCommandsTest, APipeOrDeviceAsConfigurationFileCountsAsMissing) {
    for (const bool pipe : {true, false}) {
        const std::string config = Home() + "/veskide.ini";
        ::unlink(config.c_str());
        if (pipe)
            ASSERT_EQ(::mkfifo(config.c_str(), 0644), 0);
        else
            ASSERT_EQ(::symlink("/dev/zero", config.c_str()), 0);
        Form().FileNew1()->trigger();
        EXPECT_TRUE(dialogs.Messages.empty());
        EXPECT_EQ(Active()->SynEditor()->Color(), 16777215);
        EXPECT_EQ(Active()->SynCppSyn1().DirecAttri()->Foreground(), 8421440);
    }
}

TEST_F(FileCommandsTest, SaveOfANewDocumentKeepsItsOwnReadOnlyState) {
    WriteFile(Source() + "/game.c", "int x;\n");
    OpenFile(Source() + "/game.c", true);
    Form().FileNew1()->trigger();
    TMDIChild* fresh = Active();
    const std::string target = Source() + "/fresh.c";
    dialogs.AnswerFile(target);
    Form().FileSave1()->trigger();
    EXPECT_EQ(ReadFile(target), "\n");
    EXPECT_FALSE(fresh->SynEditor()->ReadOnly());
    EXPECT_EQ(fresh->SourcePath(), target);
}

TEST_F(FileCommandsTest, SaveRewritesInPlaceWhereTheDirectoryTakesNoNewFile) {
    ::chmod(Source().c_str(), 0755);
    const std::string dir = Source() + "/locked";
    ::mkdir(dir.c_str(), 0755);
    const std::string path = dir + "/game.c";
    WriteFile(path, "int x;\n");
    TUnprivilegedFiles::GiveAway(path);
    TMDIChild* document = OpenFile(path);
    ::chmod(dir.c_str(), 0555);
    document->SynEditor()->Lines().Put(0, "int y;");
    {
        TUnprivilegedFiles unprivileged;
        Form().FileSave1()->trigger();
    }
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_EQ(ReadFile(path), "int y;\n");
    ::chmod(dir.c_str(), 0755);
}

TEST_F(FileCommandsTest, SaveOfAFileTheOwnerMayOnlyWrite) {
    ::chmod(Source().c_str(), 0755);
    const std::string dir = Source() + "/mine";
    ::mkdir(dir.c_str(), 0755);
    TUnprivilegedFiles::GiveAway(dir);
    const std::string path = dir + "/game.c";
    WriteFile(path, "int x;\n");
    TUnprivilegedFiles::GiveAway(path);
    TMDIChild* document = OpenFile(path);
    ::chmod(path.c_str(), 0200);
    document->SynEditor()->Lines().Put(0, "int y;");
    {
        TUnprivilegedFiles unprivileged;
        Form().FileSave1()->trigger();
    }
    EXPECT_TRUE(dialogs.Messages.empty()) << dialogs.Messages[0].Text;
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0200u);
    ::chmod(path.c_str(), 0600);
    EXPECT_EQ(ReadFile(path), "int y;\n");
    EXPECT_EQ(QDir(QString::fromStdString(dir)).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST_F(FileCommandsTest, TargetWhoseDirectoryIsGoneReportsTheErrorAndLeavesTheLink) {
    const std::string link = Source() + "/away.c";
    WriteFile(Source() + "/game.c", "int x;\n");
    TMDIChild* document = OpenFile(Source() + "/game.c");
    ASSERT_EQ(::symlink("/nonexistent-dir/away.c", link.c_str()), 0);
    dialogs.AnswerFile(link);
    Form().FileSaveAs1()->trigger();
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text,
              "Cannot create file \"" + link + "\". No such file or directory");
    // The steps after the failing save are not done.
    EXPECT_EQ(document->Caption(), Source() + "/game.c");
    EXPECT_EQ(Files().ActiveSource().SourceName(), "game.c");
}

TEST_F(FileCommandsTest, BadColourInTheConfigurationIsReportedAtActivation) {
    WriteConfig("[COLORS]\nBGCOLOR=255\nCOMCOLOR=abc\n");
    Form().FileNew1()->trigger();
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text, "'abc' is not a valid integer value");
    EXPECT_EQ(dialogs.Messages[0].Type, TMsgDlgType::mtError);
    EXPECT_EQ(Active()->SynEditor()->Color(), 255);
    EXPECT_EQ(Active()->Caption(), "Vesk1");
}

TEST_F(FileCommandsTest, ChangeStyleBorrowsTheFrameHighlighter) {
    WriteConfig("[COLORS]\nBGCOLOR=65535\n");
    Form().FileNew1()->trigger();
    TMDIChild* first = Active();
    first->actChangeStyle()->trigger();
    EXPECT_EQ(first->SynEditor()->Color(), 8388608);
    first->actChangeStyle()->trigger();
    EXPECT_EQ(first->SynEditor()->Highlighter(), &Form().SynCppSyn1());
    // To another window and back: the configured background, the frame's colours.
    Form().FileNew1()->trigger();
    Form().ClientArea()->setActiveSubWindow(Form().ClientArea()->subWindowList().first());
    EXPECT_EQ(first->SynEditor()->Color(), 65535);
    EXPECT_EQ(first->SynEditor()->Highlighter(), &Form().SynCppSyn1());
}

}  // namespace

namespace {

TEST_F(FileCommandsTest, OpenStartsInTheActiveDocumentsDirectory) {
    const std::string dir = Source() + "/sub";
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(dir)));
    WriteFile(dir + "/game.c", "int x;\n");
    OpenFile(dir + "/game.c");
    dialogs.CancelFile();
    Form().FileOpen1()->trigger();
    ASSERT_EQ(dialogs.FileDialogs.size(), 2u);
    EXPECT_EQ(dialogs.FileDialogs[1].Request.InitialDir, dir + "/");
}

TEST_F(FileCommandsTest, ANewWindowJoinsAMaximisedOneMaximised) {
    Form().FileNew1()->trigger();
    QMdiSubWindow* first = Form().ClientArea()->currentSubWindow();
    first->showMaximized();
    Form().FileNew1()->trigger();
    QMdiSubWindow* second = Form().ClientArea()->currentSubWindow();
    ASSERT_NE(first, second);
    EXPECT_TRUE(second->isMaximized());
    QApplication::processEvents();
    EXPECT_EQ(second->size(), first->size()) << first->isMaximized();
}

}  // namespace
