// Find in Files, Go to Definition and the jump history in the running program: the keys on the
// real widgets, the dialogs answered through the scripted seam.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QListWidget>
#include <QMdiArea>
#include <QPushButton>
#include <QTest>

#include <QLineEdit>
#include "app/compiler_header_symbols.h"
#include "app/definition_navigation.h"
#include "app/find_in_files_command.h"
#include "app/project_symbols.h"
#include "app_test_support.h"
#include "completion/completion_proposal.h"
#include "config/config_file.h"
#include "editor/key_strokes.h"
#include "editor/qt/synedit.h"
#include "editor/string_list.h"
#include "platform/qt/qt_keys.h"
#include "project/qt/definition_choice_dialog.h"
#include "project/qt/find_in_files_dialog.h"
#include "project/qt/find_in_files_run.h"
#include "project/qt/go_to_symbol_dialog.h"
#include "toolrun/qt/output_panel_messages.h"
#include "toolrun/qt/output_panel_widget.h"

namespace {

class ProjectCommandsTest : public ::testing::Test, public TProgramFixture {
  protected:
    void SetUp() override {
        dir = Source() + "/game";
        ASSERT_TRUE(QDir().mkpath(QString::fromStdString(dir + "/src")));
        WriteFile(dir + "/Makefile", "all:\n");
        WriteFile(dir + "/main.c",
                  "#include \"sprites.h\"\nint main(void) {\n    spr_update(1);\n    TitleLoop();\n"
                  "    return 0;\n}\n");
        WriteFile(dir + "/sprites.h", "void spr_update(int n);\n");
        WriteFile(dir + "/src/sprites.c",
                  "#include \"../sprites.h\"\n\nvoid spr_update(int n) {\n}\n");
        WriteFile(dir + "/src/player.asm", "; sound\nTitleLoop:\n.wait   bra .wait\n");
        Form().resize(900, 700);
        QApplication::processEvents();
    }

    void PutCaret(TMDIChild* document, int column, int line) {
        const TBufferCoord caret{column, line};
        document->SynEditor()->SetCaretAndSelection(caret, caret, caret);
    }
    // Lets the search thread finish and the panel take its lines.
    void WaitForSearch() {
        QElapsedTimer timer;
        timer.start();
        while (app->FindInFiles().IsRunning() && timer.elapsed() < 20000) QTest::qWait(10);
        ASSERT_FALSE(app->FindInFiles().IsRunning());
    }
    std::vector<std::string> PanelLines() {
        std::vector<std::string> lines;
        const TSynEditStringList& text = Form().pnlColorMemo1()->ColorMemo1->Lines();
        for (int i = 0; i < text.GetCount(); ++i) lines.push_back(text.Get(i));
        return lines;
    }
    // Answers the Find in Files dialog with a text and the proposed directory and mask, or
    // the given ones.
    void AnswerFind(const std::string& text, bool wholeWords = false,
                    const std::string& mask = "") {
        dialogs.AnswerModal([=, this](QDialog& dialog) {
            auto& find = dynamic_cast<TFindInFilesDialog&>(dialog);
            proposedDirectory = find.Directory();
            proposedText = find.FindText();
            proposedMask = find.Mask();
            find.SetFindText(text);
            find.SetWholeWords(wholeWords);
            if (!mask.empty()) find.SetMask(mask);
            find.accept();
            return TModalResult::mrOk;
        });
    }

    std::string dir;
    std::string proposedDirectory;
    std::string proposedText;
    std::string proposedMask;
};

TEST_F(ProjectCommandsTest, FindInFilesFillsThePanelAndItsLinesLeadToTheSource) {
    TMDIChild* main = OpenByKeys(dir + "/main.c");
    ASSERT_NE(main, nullptr);
    // An unsaved change is searched as it stands in the window.
    PutCaret(main, 1, 5);
    main->SynEditor()->ReplaceSelection("    spr_update(2);\n");
    PutCaret(main, 6, 3);
    AnswerFind("spr_update", true);
    Press(main->SynEditor(), Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(proposedDirectory, dir + "/");
    EXPECT_EQ(proposedText, "spr_update");  // the name at the caret
    EXPECT_EQ(proposedMask, "*.c;*.h;*.asm;*.s;*.inc");
    WaitForSearch();
    const std::vector<std::string> expected{
        "Searching for \"spr_update\" in " + dir + "/ (*.c;*.h;*.asm;*.s;*.inc)",
        "main.c:3:5:     spr_update(1);",
        "main.c:5:5:     spr_update(2);",
        "sprites.h:1:6: void spr_update(int n);",
        "src/sprites.c:3:6: void spr_update(int n) {",
        "4 matches in 3 files"};
    EXPECT_EQ(PanelLines(), expected);
    EXPECT_EQ(Form().StatusText(), "4 matches in 3 files");

    // F4 goes to the first result, F4 again to the next; a double-click opens another file.
    Press(main->SynEditor(), Qt::Key_F4);
    EXPECT_EQ(Files().ActiveDocument(), main);
    EXPECT_EQ(main->SynEditor()->CaretXY(), (TBufferCoord{5, 3}));
    Press(main->SynEditor(), Qt::Key_F4);
    EXPECT_EQ(main->SynEditor()->CaretXY(), (TBufferCoord{5, 5}));
    ASSERT_TRUE(Form().pnlColorMemo1()->Messages().ChooseLine(4));
    TMDIChild* sprites = Files().ActiveDocument();
    ASSERT_NE(sprites, main);
    EXPECT_EQ(sprites->SourcePath(), dir + "/src/sprites.c");
    EXPECT_EQ(sprites->SynEditor()->CaretXY(), (TBufferCoord{6, 3}));

    // The mask the user typed is kept in the configuration file.
    AnswerFind("TitleLoop", false, "*.asm");
    Press(sprites->SynEditor(), Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    WaitForSearch();
    EXPECT_EQ(PanelLines().back(), "1 match in 1 file");
    EXPECT_EQ(TConfigFile().ReadForCommand(ckFindMask), "*.asm");
    AnswerFind("anything");
    Press(sprites->SynEditor(), Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(proposedMask, "*.asm");
    WaitForSearch();
}

TEST_F(ProjectCommandsTest, EscapeStopsARunningSearch) {
    for (int i = 0; i < 200; ++i)
        WriteFile(dir + "/f" + std::to_string(i) + ".c", "int spr_update;\n");
    TMDIChild* main = OpenByKeys(dir + "/main.c");
    AnswerFind("spr_update");
    Press(main->SynEditor(), Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_TRUE(app->FindInFiles().IsRunning());
    EXPECT_TRUE(app->FindInFiles().StopSearch1->isEnabled());
    // Esc reaches the frame's stop command while the search runs.
    QTest::keyClick(&Form(), Qt::Key_Escape);
    WaitForSearch();
    const std::vector<std::string> lines = PanelLines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[lines.size() - 2], "Search cancelled.");
    EXPECT_FALSE(app->FindInFiles().StopSearch1->isEnabled());
    EXPECT_TRUE(app->FindInFiles().btnCancelSearch->isHidden());
}

TEST_F(ProjectCommandsTest, GoToDefinitionAndBackAcrossTwoFiles) {
    TMDIChild* main = OpenByKeys(dir + "/main.c");
    ASSERT_NE(main, nullptr);
    PutCaret(main, 8, 3);  // inside spr_update(1)
    Press(main->SynEditor(), Qt::Key_F12);
    app->ProjectSymbols().WaitForBuilds();
    QApplication::processEvents();
    TMDIChild* sprites = Files().ActiveDocument();
    ASSERT_NE(sprites, main);
    EXPECT_EQ(sprites->SourcePath(), dir + "/src/sprites.c");
    EXPECT_EQ(sprites->SynEditor()->CaretXY(), (TBufferCoord{6, 3}));

    // The call of TitleLoop in C leads to the assembly label of that name.
    Press(sprites->SynEditor(), Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(Files().ActiveDocument(), main);
    EXPECT_EQ(main->SynEditor()->CaretXY(), (TBufferCoord{8, 3}));
    PutCaret(main, 5, 4);
    Press(main->SynEditor(), Qt::Key_F12);
    TMDIChild* player = Files().ActiveDocument();
    ASSERT_NE(player, main);
    EXPECT_EQ(player->SourcePath(), dir + "/src/player.asm");
    EXPECT_EQ(player->SynEditor()->CaretXY(), (TBufferCoord{1, 2}));

    // A local label: the one under the caret's own label, in the same file.
    PutCaret(player, 17, 3);
    Press(player->SynEditor(), Qt::Key_F12);
    EXPECT_EQ(player->SynEditor()->CaretXY(), (TBufferCoord{1, 3}));

    // Back twice, to the other file; forward twice.
    Press(player->SynEditor(), Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(player->SynEditor()->CaretXY(), (TBufferCoord{17, 3}));
    Press(player->SynEditor(), Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(Files().ActiveDocument(), main);
    EXPECT_EQ(main->SynEditor()->CaretXY(), (TBufferCoord{5, 4}));
    Press(main->SynEditor(), Qt::Key_Left, Qt::AltModifier);  // nothing further back
    EXPECT_EQ(Files().ActiveDocument(), main);
    Press(main->SynEditor(), Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(Files().ActiveDocument(), player);
    EXPECT_EQ(player->SynEditor()->CaretXY(), (TBufferCoord{17, 3}));
    Press(player->SynEditor(), Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(player->SynEditor()->CaretXY(), (TBufferCoord{1, 3}));

    // Nothing defines "return": the status bar says so.
    Press(player->SynEditor(), Qt::Key_Left, Qt::AltModifier);
    Press(player->SynEditor(), Qt::Key_Left, Qt::AltModifier);
    ASSERT_EQ(Files().ActiveDocument(), main);
    PutCaret(main, 6, 5);
    Press(main->SynEditor(), Qt::Key_F12);
    EXPECT_EQ(Form().StatusText(), "No definition of return");
    EXPECT_EQ(Files().ActiveDocument(), main);
}

TEST_F(ProjectCommandsTest, CtrlSpaceOffersTheProjectsAndTheCompilersNames) {
    const std::string include = Source() + "/include";
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(include)));
    WriteFile(include + "/conio.h",
              "#ifndef _CONIO_H\n#define _CONIO_H\nvoid __fastcall__ cputs (const char* s);\n"
              "#endif\n");
    TConfigFile().WriteString(ckInclude, include);
    TMDIChild* main = OpenByKeys(dir + "/main.c");
    ASSERT_NE(main, nullptr);
    TSynCompletionProposal& proposal = main->SynCompletionProposal1();
    PutCaret(main, 19, 3);  // after "spr_update(1);"
    Press(main->SynEditor(), Qt::Key_Return);
    QTest::keyClicks(main->SynEditor(), "spr_u");
    QTest::keyClick(main->SynEditor(), Qt::Key_Space, Qt::ControlModifier);
    ASSERT_TRUE(proposal.Form().isVisible());
    // The names join the open popup once they are read.
    app->ProjectSymbols().WaitForBuilds();
    app->CompilerHeaders().WaitForReadings();
    QApplication::processEvents();
    const std::vector<std::string>& items = proposal.ItemList();
    ASSERT_EQ(items.size(), 113u);
    EXPECT_EQ(items[112], "spr_update");  // defined in src/sprites.c, another file
    EXPECT_EQ(proposal.Form().ItemDetails()[112], "function \xB7 sprites.c");
    EXPECT_EQ(proposal.Position(), 112);
    QTest::keyClick(&proposal.Form(), Qt::Key_Return);
    const auto trimmed = [main](int line) {
        const std::string text = main->SynEditor()->Lines().Get(line);
        return text.substr(std::min(text.size(), text.find_first_not_of(' ')));
    };
    EXPECT_EQ(trimmed(3), "spr_update");

    // A function of the compiler's headers, its include guard left out.
    QTest::keyClicks(main->SynEditor(), ";");
    QTest::keyClick(main->SynEditor(), Qt::Key_Return);
    QTest::keyClicks(main->SynEditor(), "CPU");
    QTest::keyClick(main->SynEditor(), Qt::Key_Space, Qt::ControlModifier);
    ASSERT_TRUE(proposal.Form().isVisible());
    ASSERT_EQ(items.size(), 113u);
    EXPECT_EQ(items[112], "cputs");
    EXPECT_EQ(proposal.Form().ItemDetails()[112], "function \xB7 conio.h");
    QTest::keyClick(&proposal.Form(), Qt::Key_Return);
    EXPECT_EQ(trimmed(4), "cputs");
}

TEST_F(ProjectCommandsTest, SeveralDefinitionsOfferAChoice) {
    WriteFile(dir + "/src/sound.asm", "spr_update:\n        rts\n");
    TMDIChild* main = OpenByKeys(dir + "/main.c");
    PutCaret(main, 8, 3);
    // An unsaved definition in an open window counts as it stands.
    dialogs.AnswerModal([](QDialog& dialog) {
        auto& choice = dynamic_cast<TDefinitionChoiceDialog&>(dialog);
        EXPECT_EQ(choice.lbChoices->count(), 2);
        EXPECT_EQ(choice.lbChoices->item(0)->text().toStdString(), "src/sound.asm:1  label");
        EXPECT_EQ(choice.lbChoices->item(1)->text().toStdString(), "src/sprites.c:3  function");
        choice.SetChosen(0);
        return TModalResult::mrOk;
    });
    Press(main->SynEditor(), Qt::Key_F12);
    app->ProjectSymbols().WaitForBuilds();
    QApplication::processEvents();
    EXPECT_EQ(dialogs.ModalDialogs, (std::vector<std::string>{"DefinitionChoiceDialog"}));
    EXPECT_EQ(Files().ActiveDocument()->SourcePath(), dir + "/src/sound.asm");

    // An edit in an open window is what the next look-up sees.
    TMDIChild* sound = Files().ActiveDocument();
    sound->SynEditor()->SetCaretAndSelection({1, 1}, {1, 1}, {11, 1});
    sound->SynEditor()->ReplaceSelection("other_name");
    Press(sound->SynEditor(), Qt::Key_Left, Qt::AltModifier);
    PutCaret(main, 8, 3);
    Press(main->SynEditor(), Qt::Key_F12);
    EXPECT_EQ(Files().ActiveDocument()->SourcePath(), dir + "/src/sprites.c");
    EXPECT_EQ(dialogs.ModalDialogs.size(), 1u);
}

TEST_F(ProjectCommandsTest, GoToSymbolFiltersAsTheUserTypesAndEnterJumps) {
    TMDIChild* main = OpenByKeys(dir + "/main.c");
    PutCaret(main, 3, 2);
    std::vector<std::string> firstRows;
    dialogs.AnswerModal([&](QDialog& dialog) {
        auto& symbols = dynamic_cast<TGoToSymbolDialog&>(dialog);
        // The active document's own symbol first.
        firstRows.push_back(symbols.Shown(0).Symbol.Name);
        QTest::keyClicks(symbols.edtFilter, "tl");
        firstRows.push_back(symbols.Shown(0).Symbol.Name);
        EXPECT_EQ(symbols.ShownCount(), 1);
        QTest::keyClick(symbols.edtFilter, Qt::Key_Return);
        return dialog.result() == QDialog::Accepted ? TModalResult::mrOk : TModalResult::mrCancel;
    });
    Press(main->SynEditor(), Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
    app->ProjectSymbols().WaitForBuilds();
    QApplication::processEvents();
    EXPECT_EQ(firstRows, (std::vector<std::string>{"main", "TitleLoop"}));
    TMDIChild* player = Files().ActiveDocument();
    ASSERT_NE(player, main);
    EXPECT_EQ(player->SourcePath(), dir + "/src/player.asm");
    EXPECT_EQ(player->SynEditor()->CaretXY(), (TBufferCoord{1, 2}));
    // The jump can be taken back.
    Press(player->SynEditor(), Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(Files().ActiveDocument(), main);
    EXPECT_EQ(main->SynEditor()->CaretXY(), (TBufferCoord{3, 2}));

    // Esc closes the list without a jump.
    dialogs.AnswerModal([](QDialog& dialog) {
        QTest::keyClick(&dialog, Qt::Key_Escape);
        return dialog.result() == QDialog::Accepted ? TModalResult::mrOk : TModalResult::mrCancel;
    });
    Press(main->SynEditor(), Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Files().ActiveDocument(), main);
}

TEST_F(ProjectCommandsTest, TheNewKeysTakeNoKeyThatAlreadyDoesSomething) {
    const std::vector<QAction*> ours{Form().EditFindInFiles1(), Form().EditGoToDefinition1(),
                                     Form().EditGoToSymbol1(), Form().EditGoBack1(),
                                     Form().EditGoForward1()};
    const std::vector<QKeySequence> keys{QKeySequence("Ctrl+Shift+F"), QKeySequence("F12"),
                                         QKeySequence("Ctrl+Shift+O"), QKeySequence("Alt+Left"),
                                         QKeySequence("Alt+Right")};
    for (std::size_t i = 0; i < ours.size(); ++i) EXPECT_EQ(ours[i]->shortcut(), keys[i]);
    for (const TSynDefaultKeyStroke& stroke : DefaultKeyStrokes()) {
        const QKeySequence editorKey = ShortCutToKeySequence(stroke.ShortCut);
        for (const QKeySequence& key : keys)
            EXPECT_NE(editorKey, key) << key.toString().toStdString();
    }
    for (QAction* action : Form().findChildren<QAction*>()) {
        if (std::find(ours.begin(), ours.end(), action) != ours.end()) continue;
        for (const QKeySequence& shortcut : action->shortcuts()) {
            for (const QKeySequence& key : keys)
                EXPECT_NE(shortcut, key) << action->text().toStdString();
        }
    }
}

}  // namespace
