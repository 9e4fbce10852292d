// Unsaved work in the running program: the question before a modified document window or the
// frame closes and what each answer does to the text and the file, the modified mark in the
// caption and the status bar panels, and the save before a build.
#include <gtest/gtest.h>

#include <map>

#include <sys/stat.h>
#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStatusBar>
#include <QTest>

#include "app/about_box.h"
#include "app_test_support.h"
#include "editor/editor_commands.h"
#include "editor/key_strokes.h"
#include "editor/qt/synedit.h"
#include "editor/string_list.h"
#include "platform/keys.h"
#include "platform/qt/qt_keys.h"
#include "support/unprivileged_files.h"
#include "toolrun/qt/output_panel_widget.h"

namespace {

class UnsavedWorkTest : public ::testing::Test, public TProgramFixture {
  protected:
    // Keys go where the user's would: to the editor with the focus in the active frame.
    void Type(TMDIChild* document, const QString& text) {
        QApplication::setActiveWindow(&Form());
        document->SynEditor()->setFocus();
        QTest::keyClicks(document->SynEditor(), text);
    }
    void Settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    std::string Panel(const char* name) {
        auto* label = Form().StatusBar()->findChild<QLabel*>(name);
        return label != nullptr ? label->text().toStdString() : "<none>";
    }
    std::string Title(TMDIChild* document) { return document->windowTitle().toStdString(); }

    // The questions asked so far about unsaved changes.
    std::vector<std::string> Questions() const {
        std::vector<std::string> result;
        for (const auto& call : dialogs.Messages) {
            if (call.Buttons == (mbSave | mbDiscard | mbCancel)) result.push_back(call.Text);
        }
        return result;
    }
};

TEST_F(UnsavedWorkTest, CloseAsksAndCancelKeepsTheTextDiscardDropsItSaveWritesIt) {
    const std::string game = Source() + "/game.c";
    WriteFile(game, "int x;\n");
    TMDIChild* document = Open(game);
    Type(document, "y");
    EXPECT_EQ(Title(document), game + " *");

    // Cancel: Ctrl+W asks and the window stays with the typed text.
    dialogs.AnswerMessage(TModalResult::mrCancel);
    Press(Form().ClientArea(), Qt::Key_W, Qt::ControlModifier);
    Settle();
    ASSERT_EQ(Questions(), std::vector<std::string>{"Save changes to " + game + "?"});
    ASSERT_EQ(Form().MDIChildCount(), 1);
    EXPECT_EQ(document->SynEditor()->Lines().Get(0), "yint x;");
    // The window's own close button asks the same.
    dialogs.AnswerMessage(TModalResult::mrCancel);
    Form().ClientArea()->subWindowList().first()->close();
    Settle();
    EXPECT_EQ(Questions().size(), 2u);
    ASSERT_EQ(Form().MDIChildCount(), 1);

    // Save: the file gets the text on screen and the window goes.
    dialogs.AnswerMessage(TModalResult::mrYes);
    Form().FileClose1()->trigger();
    Settle();
    EXPECT_EQ(Form().MDIChildCount(), 0);
    EXPECT_EQ(ReadFile(game), "yint x;\n");

    // Discard: the window goes and the file keeps what was saved.
    document = Open(game);
    Type(document, "z");
    dialogs.AnswerMessage(TModalResult::mrNo);
    Form().FileClose1()->trigger();
    Settle();
    EXPECT_EQ(Form().MDIChildCount(), 0);
    EXPECT_EQ(ReadFile(game), "yint x;\n");
}

TEST_F(UnsavedWorkTest, UnmodifiedWindowsCloseWithoutAQuestion) {
    WriteFile(Source() + "/game.c", "int x;\n");
    TMDIChild* document = Open(Source() + "/game.c");
    // Typing and undoing it returns to the loaded text.
    Type(document, "ab");
    Press(document->SynEditor(), Qt::Key_Z, Qt::ControlModifier);
    Press(document->SynEditor(), Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(document->SynEditor()->Lines().Get(0), "int x;");
    Form().FileClose1()->trigger();
    Settle();
    EXPECT_EQ(Form().MDIChildCount(), 0);
    EXPECT_TRUE(Questions().empty());
}

TEST_F(UnsavedWorkTest, ASaveThatFailsOrIsCancelledKeepsTheWindowAndItsText) {
    const std::string dir = Source() + "/locked";
    ASSERT_EQ(::mkdir(dir.c_str(), 0755), 0);
    // The other user must reach the directory to be refused inside it.
    for (std::string up = Source(); up.size() > 1; up = up.substr(0, up.rfind('/')))
        if (up.rfind("/tmp/", 0) == 0) ::chmod(up.c_str(), 0755);
    const std::string game = dir + "/game.c";
    WriteFile(game, "int x;\n");
    TMDIChild* document = Open(game);
    Type(document, "y");
    ::chmod(game.c_str(), 0444);
    ::chmod(dir.c_str(), 0555);
    {
        TUnprivilegedFiles unprivileged;
        dialogs.AnswerMessage(TModalResult::mrYes);
        Form().FileClose1()->trigger();
        Settle();
    }
    ::chmod(dir.c_str(), 0755);
    ASSERT_EQ(Form().MDIChildCount(), 1);
    EXPECT_EQ(document->SynEditor()->Lines().Get(0), "yint x;");
    EXPECT_EQ(ReadFile(game), "int x;\n");
    // The failure was reported after the question.
    ASSERT_GE(dialogs.Messages.size(), 2u);
    EXPECT_EQ(dialogs.Messages.back().Type, TMsgDlgType::mtError);

    // A new document asks for a name; cancelling that dialog keeps the window too.
    Form().FileNew1()->trigger();
    TMDIChild* fresh = Files().ActiveDocument();
    Type(fresh, "z");
    dialogs.AnswerMessage(TModalResult::mrYes);
    dialogs.CancelFile();
    Form().FileClose1()->trigger();
    Settle();
    EXPECT_EQ(Form().MDIChildCount(), 2);
    EXPECT_EQ(fresh->SynEditor()->Lines().Get(0), "z");
}

TEST_F(UnsavedWorkTest, CloseAllStopsAtTheWindowWhoseQuestionWasCancelled) {
    WriteFile(Source() + "/a.c", "a\n");
    WriteFile(Source() + "/b.c", "b\n");
    WriteFile(Source() + "/c.c", "c\n");
    Open(Source() + "/a.c");
    TMDIChild* b = Open(Source() + "/b.c");
    Open(Source() + "/c.c");
    Type(b, "2");
    dialogs.AnswerMessage(TModalResult::mrCancel);
    Press(Form().ClientArea(), Qt::Key_W, Qt::ControlModifier | Qt::ShiftModifier);
    Settle();
    EXPECT_EQ(Form().MDIChildCount(), 2);
    EXPECT_EQ(Files().ActiveDocument(), b);
    EXPECT_EQ(b->SynEditor()->Lines().Get(0), "2b");
    dialogs.AnswerMessage(TModalResult::mrNo);
    Form().FileCloseAll1()->trigger();
    Settle();
    EXPECT_EQ(Form().MDIChildCount(), 0);
    EXPECT_EQ(ReadFile(Source() + "/b.c"), "b\n");
}

TEST_F(UnsavedWorkTest, ExitAsksForEveryModifiedDocumentAndCancelKeepsTheProgram) {
    WriteFile(Source() + "/a.c", "a\n");
    WriteFile(Source() + "/b.c", "b\n");
    WriteFile(Source() + "/c.c", "c\n");
    TMDIChild* a = Open(Source() + "/a.c");
    Open(Source() + "/b.c");
    TMDIChild* c = Open(Source() + "/c.c");
    Type(a, "1");
    Type(c, "3");

    // Discard a, cancel at c: nothing closes.
    dialogs.AnswerMessage(TModalResult::mrNo);
    dialogs.AnswerMessage(TModalResult::mrCancel);
    Form().FileExit1()->trigger();
    Settle();
    EXPECT_EQ(Questions(), (std::vector<std::string>{"Save changes to " + Source() + "/a.c?",
                                                     "Save changes to " + Source() + "/c.c?"}));
    EXPECT_TRUE(Form().isVisible());
    EXPECT_EQ(Form().MDIChildCount(), 3);
    EXPECT_EQ(c->SynEditor()->Lines().Get(0), "3c");

    // Save both: the frame closes with the files written.
    dialogs.AnswerMessage(TModalResult::mrYes);
    dialogs.AnswerMessage(TModalResult::mrYes);
    Form().close();
    Settle();
    EXPECT_FALSE(Form().isVisible());
    EXPECT_EQ(ReadFile(Source() + "/a.c"), "1a\n");
    EXPECT_EQ(ReadFile(Source() + "/c.c"), "3c\n");
    EXPECT_EQ(Questions().size(), 4u);
}

TEST_F(UnsavedWorkTest, TheMarkAndThePanelsFollowSavesUndoAndTheCaret) {
    const std::string game = Source() + "/game.c";
    WriteFile(game, "\tint x;\n");
    TMDIChild* document = Open(game);
    TSynEdit* editor = document->SynEditor();
    EXPECT_EQ(Title(document), game);
    EXPECT_EQ(Panel("CaretPosition"), "1:1");
    EXPECT_EQ(Panel("ModifiedState"), "");
    EXPECT_EQ(Panel("TypingMode"), "Insert");

    Type(document, "a");
    EXPECT_EQ(Title(document), game + " *");
    EXPECT_EQ(Panel("ModifiedState"), "Modified");
    EXPECT_EQ(Panel("CaretPosition"), "1:2");
    Press(editor, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(Title(document), game);
    EXPECT_EQ(Panel("ModifiedState"), "");
    // The Window menu lists the caption as the title shows it.
    Type(document, "b");
    Form().RebuildWindowList();
    EXPECT_TRUE(Form().Window1()->actions().last()->text().endsWith(" *"));
    // Undo back to the saved text clears the mark; once more goes past it; redo returns.
    Press(editor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Title(document), game);
    Press(editor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Title(document), game + " *");
    EXPECT_EQ(editor->Lines().Get(0), "\tint x;");
    Press(editor, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Title(document), game);

    // The column is the one shown: the tab counts to the next tab stop.
    Press(editor, Qt::Key_End);
    EXPECT_EQ(Panel("CaretPosition"),
              "1:" + std::to_string(editor->LogicalToPhysical(editor->CaretXY())));
    EXPECT_GT(editor->LogicalToPhysical(editor->CaretXY()), 9);
    // A column far out on a long line fits its panel, which then keeps its width.
    auto* position = Form().StatusBar()->findChild<QLabel*>("CaretPosition");
    ASSERT_NE(position, nullptr);
    const int narrow = position->width();
    editor->Lines().Add(std::string(2'000'000, '\t'));
    editor->SetCaretXY({2'000'001, 2});
    const std::string far = "2:" + std::to_string(editor->LogicalToPhysical(editor->CaretXY()));
    EXPECT_GE(far.size(), 10u);  // wider than the panel was made for
    EXPECT_EQ(Panel("CaretPosition"), far);
    Settle();
    QApplication::processEvents();
    EXPECT_GE(position->width(),
              position->fontMetrics().horizontalAdvance(QString::fromStdString(far)));
    const int wide = position->width();
    EXPECT_GT(wide, narrow);
    Press(editor, Qt::Key_Home);
    EXPECT_EQ(Panel("CaretPosition"), "2:1");
    EXPECT_EQ(position->width(), wide);
    Press(editor, Qt::Key_Insert);
    EXPECT_EQ(Panel("TypingMode"), "Overwrite");
    editor->SetReadOnly(true);
    EXPECT_EQ(Panel("TypingMode"), "Read only");
    // No document: the panels are empty.
    dialogs.AnswerMessage(TModalResult::mrNo);
    Form().FileClose1()->trigger();
    Settle();
    EXPECT_EQ(Panel("CaretPosition"), "");
}

TEST_F(UnsavedWorkTest, CompileSavesTheTextOnScreenFirst) {
    const std::string game = Source() + "/game.c";
    WriteFile(game, "int x = ;\n");
    // The compiler prints the file it was given.
    const std::string compiler = Home() + "/cc.sh";
    WriteFile(compiler, "#!/bin/sh\ncat \"$1\"\n");
    ::chmod(compiler.c_str(), 0755);
    WriteConfig("[C]\npcecc=" + compiler + " {file}\n");
    TMDIChild* document = Open(game);
    document->SynEditor()->SetCaretXY({9, 1});
    Type(document, "1");
    ASSERT_EQ(document->SynEditor()->Lines().Get(0), "int x = 1;");
    ASSERT_TRUE(document->IsModified());

    Press(document->SynEditor(), Qt::Key_F9, Qt::ControlModifier);
    EXPECT_EQ(ReadFile(game), "int x = 1;\n");
    EXPECT_FALSE(document->IsModified());
    TSynEditStringList& shown = Form().pnlColorMemo1()->ColorMemo1->Lines();
    ASSERT_GE(shown.GetCount(), 1);
    EXPECT_EQ(shown.Get(0), "int x = 1;");
    // The status names the caption, not the modified mark.
    EXPECT_EQ(Form().StatusText().rfind("Finished Compiling: " + game + " Compile Successful", 0),
              0u);
    // The captured messages stay out of the source directory.
    EXPECT_FALSE(FileExists(Source() + "/output.c"));
    EXPECT_EQ(ReadFile(Home() + "/.cache/quillon/output.log"), "int x = 1;\n");
}

// make reads the files: F9 saves every modified document of the project, wherever it lies in
// the project's tree, and leaves those of other directories alone; the document the build was
// asked from stays active. A save that does not happen stops the build.
TEST_F(UnsavedWorkTest, ProjectBuildSavesTheProjectsModifiedDocumentsFirst) {
    const std::string project = Source() + "/game";
    WriteFile(project + "/Makefile", "all:\n");
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(project + "/src")));
    WriteFile(project + "/src/tiles.c", "int tiles;\n");
    WriteFile(project + "/main.c", "int main;\n");
    WriteFile(Source() + "/notes.c", "int notes;\n");
    const std::string make = Home() + "/make.sh";
    WriteFile(make, "#!/bin/sh\ncat main.c src/tiles.c\n");
    ::chmod(make.c_str(), 0755);
    WriteConfig("[C]\nproject=" + make + "\n");
    TMDIChild* tiles = Open(project + "/src/tiles.c");
    TMDIChild* notes = Open(Source() + "/notes.c");
    TMDIChild* main = Open(project + "/main.c");
    for (TMDIChild* document : {tiles, notes, main}) Type(document, "x");
    ASSERT_EQ(Files().ActiveDocument(), main);

    Press(main->SynEditor(), Qt::Key_F9);
    EXPECT_EQ(ReadFile(project + "/main.c"), "xint main;\n");
    EXPECT_EQ(ReadFile(project + "/src/tiles.c"), "xint tiles;\n");
    EXPECT_FALSE(tiles->IsModified());
    EXPECT_EQ(ReadFile(Source() + "/notes.c"), "int notes;\n");
    EXPECT_TRUE(notes->IsModified());
    EXPECT_EQ(Files().ActiveDocument(), main);
    EXPECT_EQ(Files().ActiveSource().SourceDir(), project + "/");
    TSynEditStringList& shown = Form().pnlColorMemo1()->ColorMemo1->Lines();
    ASSERT_EQ(shown.GetCount(), 2);
    EXPECT_EQ(shown.Get(1), "xint tiles;");
    EXPECT_EQ(Form().StatusText(),
              "Finished Building: game Build Successful - no image in the project");

    // The file of a modified document was deleted meanwhile: the save writes it again before
    // make runs.
    Type(tiles, "y");
    Type(main, "");
    ASSERT_EQ(Files().ActiveDocument(), main);
    std::remove((project + "/src/tiles.c").c_str());
    Press(main->SynEditor(), Qt::Key_F9);
    EXPECT_FALSE(tiles->IsModified());
    EXPECT_EQ(ReadFile(project + "/src/tiles.c"), "xyint tiles;\n");
    EXPECT_EQ(shown.Get(1), "xyint tiles;");
    EXPECT_EQ(Files().ActiveDocument(), main);
}

TEST_F(UnsavedWorkTest, EditMenuOffersUndoRedoAndBookmarksWithTheEditorsKeys) {
    WriteFile(Source() + "/game.c", "one\ntwo\n");
    TMDIChild* document = Open(Source() + "/game.c");
    TSynEdit* editor = document->SynEditor();
    auto* undo = Form().findChild<QAction*>("EditUndo1");
    auto* redo = Form().findChild<QAction*>("EditRedo1");
    ASSERT_NE(undo, nullptr);
    ASSERT_NE(redo, nullptr);
    EXPECT_EQ(undo->shortcut(), QKeySequence("Ctrl+Z"));
    EXPECT_EQ(redo->shortcuts(), (QList<QKeySequence>{QKeySequence("Ctrl+Shift+Z"),
                                                      QKeySequence("Shift+Alt+Backspace")}));
    Type(document, "x");
    undo->trigger();
    EXPECT_EQ(editor->Lines().Get(0), "one");
    redo->trigger();
    EXPECT_EQ(editor->Lines().Get(0), "xone");

    auto* set = Form().findChild<QMenu*>("EditSetBookmark1");
    auto* go = Form().findChild<QMenu*>("EditGotoBookmark1");
    ASSERT_NE(set, nullptr);
    ASSERT_NE(go, nullptr);
    ASSERT_EQ(set->actions().size(), 10);
    EXPECT_EQ(set->actions()[3]->shortcut(), QKeySequence("Ctrl+Shift+3"));
    EXPECT_EQ(go->actions()[3]->shortcut(), QKeySequence("Ctrl+3"));
    editor->SetCaretXY({1, 2});
    set->actions()[3]->trigger();
    editor->SetCaretXY({1, 1});
    go->actions()[3]->trigger();
    EXPECT_EQ(editor->CaretY(), 2);
    // The keys stay the editor's own: Ctrl+3 from the keyboard goes there too.
    editor->SetCaretXY({1, 1});
    Press(editor, Qt::Key_3, Qt::ControlModifier);
    EXPECT_EQ(editor->CaretY(), 2);
}

// Every key the About box lists reaches the editor command it names: the editor binds it, and no
// live frame shortcut takes it for something else.
TEST_F(UnsavedWorkTest, AboutBoxListsOnlyKeysThatReachTheirCommand) {
    Form().FileNew1()->trigger();
    TSynEdit* editor = Files().ActiveDocument()->SynEditor();
    const std::map<QString, TSynEditorCommand> commands{{"Set Bookmark", ecSetMarker0},
                                                        {"Goto Bookmark", ecGotoMarker0},
                                                        {"Undo", ecUndo},
                                                        {"Redo", ecRedo},
                                                        {"Copy", ecCopy},
                                                        {"Paste", ecPaste},
                                                        {"Delete Line", ecDeleteLine}};
    int checked = 0;
    for (const QString& line : TAboutBox::AboutText().split('\n')) {
        const qsizetype equals = line.indexOf(" = ");
        if (equals < 0 || line.startsWith("HISTORY")) continue;
        if (line.contains('.') && line.at(0).isDigit()) break;  // the history begins
        const QStringList keys = line.left(equals).split(" + ");
        const QString name = line.mid(equals + 3);
        ASSERT_TRUE(commands.count(name)) << line.toStdString();
        TShiftState shift = 0;
        for (const QString& modifier : keys.mid(0, keys.size() - 1)) {
            if (modifier == "Shift") shift |= ssShift;
            if (modifier == "Ctrl") shift |= ssCtrl;
            if (modifier == "Alt") shift |= ssAlt;
        }
        const QString key = keys.last();
        const bool numbered = key == "Number";
        for (int n = 0; n < (numbered ? 10 : 1); ++n) {
            const TVirtualKey vk = numbered        ? static_cast<TVirtualKey>('0' + n)
                                   : key == "BkSp" ? static_cast<TVirtualKey>(VK_BACK)
                                                   : static_cast<TVirtualKey>(key.at(0).unicode());
            const int index = editor->Keystrokes().FindKeycode(vk, shift);
            ASSERT_GE(index, 0) << line.toStdString();
            EXPECT_EQ(editor->Keystrokes()[index].Command(), commands.at(name) + (numbered ? n : 0))
                << line.toStdString();
            // A frame entry may carry the key only when it does the same.
            const QKeySequence sequence = ShortCutToKeySequence(ShortCut(vk, shift));
            for (QAction* action : Form().findChildren<QAction*>()) {
                if (action->shortcutContext() == Qt::WidgetShortcut) continue;
                if (!action->shortcuts().contains(sequence)) continue;
                EXPECT_EQ(action->text().remove('&'), name) << line.toStdString();
            }
            ++checked;
        }
    }
    EXPECT_GE(checked, 25);
}

}  // namespace
