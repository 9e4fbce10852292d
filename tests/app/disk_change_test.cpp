// Files changed or removed by another program while they are open: the check at activation and
// when the program comes back to the front, the reload and its undo, the question for a window
// with unsaved changes, the deleted mark and Save that never overwrites a change unasked.
#include "documents/disk_change_check.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "app_test_support.h"
#include "editor/qt/synedit.h"
#include "editor/string_list.h"

namespace {

class DiskChangeTest : public ::testing::Test, public TProgramFixture {
  protected:
    // Another program writes the file; its time moves on so the change shows even when the
    // size stays.
    void WriteByOther(const std::string& path, const std::string& text) {
        WriteFile(path, text);
        struct stat info {};
        ::stat(path.c_str(), &info);
        const timespec times[2] = {info.st_atim, {info.st_mtim.tv_sec + 5, info.st_mtim.tv_nsec}};
        ::utimensat(AT_FDCWD, path.c_str(), times, 0);
    }
    void Check() { app->DiskChangeCheck().CheckActiveDocument(); }
    std::string Text(TMDIChild* document) {
        std::string text;
        const TSynEditStringList& lines = document->SynEditor()->Lines();
        for (int i = 0; i < lines.GetCount(); ++i) text += lines.Get(i) + "\n";
        return text;
    }
    std::string Title(TMDIChild* document) { return document->windowTitle().toStdString(); }
    void Edit(TMDIChild* document, const std::string& text) {
        document->SynEditor()->ReplaceTextRange({1, 1}, {1, 1}, text);
    }
    std::string Numbered(int count, const std::string& extra = "") {
        std::string text;
        for (int i = 1; i <= count; ++i) {
            text += "line " + std::to_string(i) + "\n";
            if (i == 3) text += extra;
        }
        return text;
    }
};

TEST_F(DiskChangeTest, AnUnmodifiedWindowFollowsTheFileAndUndoTakesTheReloadBack) {
    const std::string path = Source() + "/tiles.c";
    WriteFile(path, Numbered(60));
    TMDIChild* document = Open(path);
    document->SynEditor()->SetCaretXY({3, 40});
    document->SynEditor()->SetTopLine(30);
    // Nothing changed: nothing happens.
    Check();
    EXPECT_FALSE(document->SynEditor()->CanUndo());

    WriteByOther(path, Numbered(60, "added 1\nadded 2\n"));
    Check();
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_EQ(Text(document), Numbered(60, "added 1\nadded 2\n"));
    EXPECT_FALSE(document->IsModified());
    EXPECT_EQ(Title(document), path);
    // The caret stays on its text, two lines further down.
    EXPECT_EQ(document->SynEditor()->CaretXY(), (TBufferCoord{3, 42}));
    EXPECT_EQ(document->SynEditor()->TopLine(), 32);

    document->SynEditor()->Undo();
    EXPECT_EQ(Text(document), Numbered(60));
    EXPECT_TRUE(document->IsModified());
    EXPECT_EQ(Title(document), path + " *");
    document->SynEditor()->Redo();
    EXPECT_FALSE(document->IsModified());
}

TEST_F(DiskChangeTest, ActivatingAWindowChecksItsFile) {
    const std::string a = Source() + "/a.c";
    const std::string b = Source() + "/b.c";
    WriteFile(a, "int a;\n");
    WriteFile(b, "int b;\n");
    TMDIChild* first = Open(a);
    Open(b);
    WriteByOther(a, "int a2;\n");
    EXPECT_EQ(Text(first), "int a;\n");  // checked only when it is looked at
    Form().ClientArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(first->parentWidget()));
    // The check follows once the activation is done.
    EXPECT_EQ(Text(first), "int a;\n");
    QApplication::processEvents();
    EXPECT_EQ(Text(first), "int a2;\n");
}

TEST_F(DiskChangeTest, UnsavedChangesAskAndKeepingThemAsksOnlyOnce) {
    const std::string path = Source() + "/game.c";
    WriteFile(path, "int x;\n");
    TMDIChild* document = Open(path);
    Edit(document, "mine ");
    WriteByOther(path, "theirs;\n");

    dialogs.AnswerMessage(TModalResult::mrNo);
    Check();
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text, path + kReloadQuestion);
    EXPECT_EQ(dialogs.Messages[0].Buttons, static_cast<TMsgDlgButtons>(mbYes | mbNo));
    EXPECT_EQ(Text(document), "mine int x;\n");
    EXPECT_TRUE(document->IsModified());
    Check();
    EXPECT_EQ(dialogs.Messages.size(), 1u);

    // A further change asks again; reloading loses the edit, and Undo brings it back.
    WriteByOther(path, "theirs again;\n");
    dialogs.AnswerMessage(TModalResult::mrYes);
    Check();
    EXPECT_EQ(dialogs.Messages.size(), 2u);
    EXPECT_EQ(Text(document), "theirs again;\n");
    EXPECT_FALSE(document->IsModified());
    document->SynEditor()->Undo();
    EXPECT_EQ(Text(document), "mine int x;\n");
}

TEST_F(DiskChangeTest, SaveNeverOverwritesAnotherProgramsChangeUnasked) {
    const std::string path = Source() + "/game.c";
    WriteFile(path, "int x;\n");
    TMDIChild* document = Open(path);
    Edit(document, "mine ");
    WriteByOther(path, "theirs;\n");

    // Saved before any check: Save asks, and Cancel writes nothing.
    dialogs.AnswerMessage(TModalResult::mrCancel);
    Form().FileSave1()->trigger();
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Type, TMsgDlgType::mtWarning);
    EXPECT_NE(dialogs.Messages[0].Text.find(path), std::string::npos);
    EXPECT_EQ(ReadFile(path), "theirs;\n");
    EXPECT_TRUE(document->IsModified());

    // Kept at the check, Save still asks; Yes writes.
    dialogs.AnswerMessage(TModalResult::mrNo);
    Check();
    dialogs.AnswerMessage(TModalResult::mrYes);
    Form().FileSave1()->trigger();
    EXPECT_EQ(dialogs.Messages.size(), 3u);
    EXPECT_EQ(ReadFile(path), "mine int x;\n");
    EXPECT_FALSE(document->IsModified());
    // Our own save is no change on disk.
    Check();
    Edit(document, "more ");
    Form().FileSave1()->trigger();
    EXPECT_EQ(dialogs.Messages.size(), 3u);
    EXPECT_EQ(ReadFile(path), "more mine int x;\n");
}

TEST_F(DiskChangeTest, ADeletedFileMarksTheCaptionKeepsTheTextAndSaveWritesItAgain) {
    const std::string path = Source() + "/game.c";
    WriteFile(path, "int x;\n");
    TMDIChild* document = Open(path);
    ::unlink(path.c_str());
    Check();
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_EQ(Title(document), path + " (deleted)");
    EXPECT_EQ(Text(document), "int x;\n");
    Edit(document, "y");
    EXPECT_EQ(Title(document), path + " (deleted) *");

    Form().FileSave1()->trigger();
    EXPECT_EQ(ReadFile(path), "yint x;\n");
    EXPECT_EQ(Title(document), path);
    EXPECT_EQ(dialogs.FileDialogs.size(), 1u);  // only the open dialog
    EXPECT_TRUE(dialogs.Messages.empty());

    // Removed and then written again by the other program: the window follows.
    ::unlink(path.c_str());
    Check();
    WriteByOther(path, "restored;\n");
    Check();
    EXPECT_EQ(Title(document), path);
    EXPECT_EQ(Text(document), "restored;\n");
}

TEST_F(DiskChangeTest, NewWindowsAndWindowsWithoutAFileAreLeftAlone) {
    Form().FileNew1()->trigger();
    TMDIChild* fresh = Files().ActiveDocument();
    Check();
    EXPECT_EQ(Title(fresh), "Vesk1");
    // A name that did not exist when it was opened, created later by another program, is taken
    // in like any change.
    const std::string later = Source() + "/later.c";
    Files().OpenChosenFile(later);
    TMDIChild* document = Files().ActiveDocument();
    Check();
    EXPECT_EQ(Title(document), later);
    WriteByOther(later, "made;\n");
    Check();
    EXPECT_EQ(Text(document), "made;\n");
    EXPECT_TRUE(dialogs.Messages.empty());
}

}  // namespace
