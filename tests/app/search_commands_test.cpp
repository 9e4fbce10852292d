// The frame's four search entries and their keys reach the active document window's search.
#include "app/search_commands.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QStatusBar>
#include <QTest>

#include "app/app_session.h"
#include "app_test_support.h"
#include "editor/qt/synedit.h"
#include "editor/string_list.h"
#include "search/qt/search_session.h"
#include "search/search_settings.h"

namespace {

class SearchCommandsTest : public ::testing::Test, public TProgramFixture {
  protected:
    TSearchSettings& SearchSettings() { return app->Session().Search().Settings(); }

    TMDIChild* NewDocument(const std::string& text) {
        Form().FileNew1()->trigger();
        TMDIChild* document = Files().ActiveDocument();
        document->SynEditor()->Lines().Put(0, text);
        return document;
    }
};

TEST_F(SearchCommandsTest, EntriesAreEnabledAndActOnTheActiveDocument) {
    for (QAction* entry : {Form().EditFind1(), Form().EditFindNext1(), Form().EditFindPrevious1(),
                           Form().EditReplace1()})
        EXPECT_TRUE(entry->isEnabled()) << entry->text().toStdString();
    Form().EditFindNext1()->trigger();  // no document window: nothing happens

    TMDIChild* first = NewDocument("one two");
    TMDIChild* second = NewDocument("two two");
    SearchSettings().FindText = "two";
    Form().EditFindNext1()->trigger();
    EXPECT_EQ(second->SynEditor()->BlockBegin(), (TBufferCoord{1, 1}));
    EXPECT_FALSE(first->SynEditor()->SelAvail());

    dialogs.AnswerModal([](QDialog& dialog) {
        dialog.reject();
        return TModalResult::mrCancel;
    });
    Form().EditReplace1()->trigger();
    EXPECT_EQ(dialogs.ModalDialogs, std::vector<std::string>{"TextReplaceDialog"});
}

TEST_F(SearchCommandsTest, KeysInTheEditorRunTheSearch) {
    TMDIChild* document = NewDocument("ab ab ab");
    document->SynEditor()->setFocus();
    QApplication::setActiveWindow(&Form());
    SearchSettings().FindText = "ab";
    document->SetContinueFromCaret(true);
    QTest::keyClick(document->SynEditor(), Qt::Key_F3);
    EXPECT_EQ(document->SynEditor()->BlockBegin(), (TBufferCoord{1, 1}));
    QTest::keyClick(document->SynEditor(), Qt::Key_F3);
    EXPECT_EQ(document->SynEditor()->BlockBegin(), (TBufferCoord{4, 1}));
    QTest::keyClick(document->SynEditor(), Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(document->SynEditor()->BlockBegin(), (TBufferCoord{4, 1}));
    QTest::keyClick(document->SynEditor(), Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(document->SynEditor()->BlockBegin(), (TBufferCoord{1, 1}));

    dialogs.AnswerModal([](QDialog&) { return TModalResult::mrCancel; });
    dialogs.AnswerModal([](QDialog&) { return TModalResult::mrCancel; });
    QTest::keyClick(document->SynEditor(), Qt::Key_F, Qt::ControlModifier);
    QTest::keyClick(document->SynEditor(), Qt::Key_H, Qt::ControlModifier);
    EXPECT_EQ(dialogs.ModalDialogs,
              (std::vector<std::string>{"TextSearchDialog", "TextReplaceDialog"}));
}

TEST_F(SearchCommandsTest, ConfirmDialogExistsFromTheStart) {
    EXPECT_NE(app->Session().Search().ConfirmDialog(), nullptr);
}

}  // namespace
