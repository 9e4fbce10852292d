// The search flow of a window on a real editor, with the dialogs answered through the dialog
// seam: the shared settings, ContinueFromCaret, "Text not found" and the replace questions.
#include "documents/search_flow.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QStatusBar>
#include <QVBoxLayout>
#include <memory>
#include <string>
#include <vector>

#include "editor/qt/synedit.h"
#include "editor/string_list.h"
#include "platform/qt/scripted_dialogs.h"
#include "search/qt/search_session.h"
#include "search/qt/text_search_dialog.h"
#include "search/search_settings.h"

namespace {

// A window as a document window lays it out: editor above a status bar.
struct Window {
    QWidget widget;
    TSynEdit* editor;
    QStatusBar* statusBar;
    std::unique_ptr<TSearchFlow> flow;

    Window(TSearchSession& session, const std::vector<std::string>& lines) {
        editor = new TSynEdit(&widget);
        statusBar = new QStatusBar(&widget);
        auto* layout = new QVBoxLayout(&widget);
        layout->addWidget(editor, 1);
        layout->addWidget(statusBar);
        widget.resize(600, 400);
        for (const std::string& line : lines) editor->Lines().Add(line);
        flow = std::make_unique<TSearchFlow>(widget, *editor, *statusBar, session);
    }

    std::string Text() const {
        std::string text;
        for (int i = 0; i < editor->Lines().GetCount(); ++i) text += editor->Lines().Get(i) + "\n";
        return text;
    }
    std::string Status() const { return statusBar->currentMessage().toStdString(); }
    std::string Selected() const {
        const TBufferCoord begin = editor->BlockBegin();
        const TBufferCoord end = editor->BlockEnd();
        if (begin.Line != end.Line) return "<lines>";
        return editor->Lines().Get(begin.Line - 1).substr(begin.Char - 1, end.Char - begin.Char);
    }
};

struct SearchFlowTest : ::testing::Test {
    TSearchSession session;
    TScriptedDialogs dialogs;
    TDialogsScope scope{dialogs};

    void SetUp() override { session.Settings() = TSearchSettings{}; }
    void TearDown() override {
        session.Settings() = TSearchSettings{};
        session.DestroyConfirmDialog();
    }

    // Answers the next search or replace dialog with OK after filling it in.
    void AnswerDialog(const std::string& find, const std::string& replace = "",
                      std::function<void(TTextSearchDialog&)> more = {}) {
        dialogs.AnswerModal([=](QDialog& dialog) {
            auto& search = dynamic_cast<TTextSearchDialog&>(dialog);
            search.SetFindText(find);
            if (auto* replaceDialog = dynamic_cast<TTextReplaceDialog*>(&dialog))
                replaceDialog->SetReplaceWith(replace);
            if (more) more(search);
            dialog.accept();
            return TModalResult::mrOk;
        });
    }
};

TEST_F(SearchFlowTest, DialogSearchThenFindNextAndPrevious) {
    Window window(session, {"vsync(); x", "a vsync b vsync", "end"});
    AnswerDialog("VSYNC");
    window.flow->actSearchExecute();
    EXPECT_EQ(dialogs.ModalDialogs, std::vector<std::string>{"TextSearchDialog"});
    EXPECT_EQ(window.editor->BlockBegin(), (TBufferCoord{1, 1}));
    EXPECT_EQ(window.Selected(), "vsync");
    EXPECT_TRUE(window.flow->ContinueFromCaret());
    EXPECT_EQ(session.Settings().FindText, "VSYNC");
    EXPECT_EQ(session.Settings().FindHistory, "VSYNC");

    window.flow->actSearchNextExecute();
    EXPECT_EQ(window.editor->BlockBegin(), (TBufferCoord{3, 2}));
    window.flow->actSearchNextExecute();
    EXPECT_EQ(window.editor->BlockBegin(), (TBufferCoord{11, 2}));
    // Backward from the caret, which a forward find leaves at the end of the occurrence: the
    // first Find previous selects that occurrence again, the next one the one before it.
    window.flow->actSearchPrevExecute();
    EXPECT_EQ(window.editor->BlockBegin(), (TBufferCoord{11, 2}));
    window.flow->actSearchPrevExecute();
    EXPECT_EQ(window.editor->BlockBegin(), (TBufferCoord{3, 2}));
    EXPECT_EQ(window.Status(), "");

    // Forward again from the caret at the start of that occurrence: it is found first.
    window.flow->actSearchNextExecute();
    EXPECT_EQ(window.editor->BlockBegin(), (TBufferCoord{3, 2}));
    window.flow->actSearchNextExecute();
    EXPECT_EQ(window.editor->BlockBegin(), (TBufferCoord{11, 2}));
    // Past the last one: beep, the message, and the caret at the end of the former selection.
    window.flow->actSearchNextExecute();
    EXPECT_EQ(window.Status(), "Text not found");
    EXPECT_FALSE(window.editor->SelAvail());
    EXPECT_EQ(window.editor->CaretXY(), (TBufferCoord{16, 2}));
    // The next search clears the message.
    window.flow->actSearchPrevExecute();
    EXPECT_EQ(window.Status(), "");
    EXPECT_EQ(window.editor->BlockBegin(), (TBufferCoord{11, 2}));
}

TEST_F(SearchFlowTest, NothingFoundBackwardCollapsesToTheSelectionStart) {
    Window window(session, {"one two", "three"});
    session.Settings().FindText = "zzz";
    window.editor->SetCaretAndSelection({4, 2}, {2, 1}, {4, 2});
    window.flow->actSearchPrevExecute();
    EXPECT_EQ(window.Status(), "Text not found");
    EXPECT_FALSE(window.editor->SelAvail());
    EXPECT_EQ(window.editor->CaretXY(), (TBufferCoord{2, 1}));
}

TEST_F(SearchFlowTest, WindowWhoseDialogWasNeverUsedSearchesTheWholeTextEachTime) {
    Window first(session, {"x"});
    Window second(session, {"put_char here", "put_char there"});
    AnswerDialog("put_char");
    first.flow->actSearchExecute();  // another window's dialog sets the shared text
    EXPECT_EQ(first.Status(), "Text not found");

    second.editor->SetCaretXY({1, 2});
    second.flow->actSearchNextExecute();
    EXPECT_EQ(second.editor->BlockBegin(), (TBufferCoord{1, 1}));
    second.flow->actSearchNextExecute();
    EXPECT_EQ(second.editor->BlockBegin(), (TBufferCoord{1, 1}));
    EXPECT_FALSE(second.flow->ContinueFromCaret());
}

TEST_F(SearchFlowTest, SearchFromCaretTickedStartsAtTheCaret) {
    Window window(session, {"ab ab", "ab"});
    window.editor->SetCaretXY({2, 1});
    AnswerDialog("ab", "", [](TTextSearchDialog& d) { d.SetFromCaret(true); });
    window.flow->actSearchExecute();
    EXPECT_EQ(window.editor->BlockBegin(), (TBufferCoord{4, 1}));
    EXPECT_TRUE(session.Settings().FromCaret);
}

TEST_F(SearchFlowTest, CancelledDialogChangesNothing) {
    Window window(session, {"abc"});
    session.Settings().FindText = "b";
    session.Settings().FindHistory = "b";
    window.statusBar->showMessage("old");
    dialogs.AnswerModal([](QDialog& dialog) {
        auto& search = dynamic_cast<TTextSearchDialog&>(dialog);
        EXPECT_EQ(search.FindText(), "b");
        search.SetFindText("new");
        search.SetMatchCase(true);
        dialog.reject();
        return TModalResult::mrCancel;
    });
    window.flow->actSearchExecute();
    EXPECT_EQ(session.Settings().FindText, "b");
    EXPECT_EQ(session.Settings().FindHistory, "b");
    EXPECT_FALSE(session.Settings().MatchCase);
    EXPECT_FALSE(window.editor->SelAvail());
    EXPECT_FALSE(window.flow->ContinueFromCaret());
    EXPECT_EQ(window.Status(), "");
}

TEST_F(SearchFlowTest, DialogShowsTheSharedSettings) {
    Window window(session, {"abc"});
    TSearchSettings& settings = session.Settings();
    settings.Backward = true;
    settings.WholeWords = true;
    settings.FindText = "abc";
    settings.FindHistory = "abc\r\nold";
    settings.ReplaceText = "xyz";
    settings.ReplaceHistory = "xyz";
    dialogs.AnswerModal([](QDialog& dialog) {
        auto& replace = dynamic_cast<TTextReplaceDialog&>(dialog);
        EXPECT_TRUE(replace.Backward());
        EXPECT_TRUE(replace.WholeWords());
        EXPECT_FALSE(replace.MatchCase());
        EXPECT_EQ(replace.FindText(), "abc");
        EXPECT_EQ(replace.FindHistory(), "abc\r\nold");
        EXPECT_EQ(replace.ReplaceWith(), "xyz");
        EXPECT_EQ(replace.ReplaceHistory(), "xyz");
        return TModalResult::mrCancel;
    });
    window.flow->actSearchReplaceExecute();
    EXPECT_EQ(dialogs.ModalDialogs, std::vector<std::string>{"TextReplaceDialog"});
}

TEST_F(SearchFlowTest, ReplaceAnsweredNoYesYes) {
    Window window(session, {"foo x foo", "foo"});
    dialogs.AnswerReplace(TReplaceAnswer::raNo);
    dialogs.AnswerReplace(TReplaceAnswer::raYes);
    dialogs.AnswerReplace(TReplaceAnswer::raYes);
    AnswerDialog("foo", "barbar");
    window.flow->actSearchReplaceExecute();
    EXPECT_EQ(window.Text(), "foo x barbar\nbarbar\n");
    ASSERT_EQ(dialogs.ReplaceConfirms.size(), 3u);
    EXPECT_EQ(dialogs.ReplaceConfirms[0].Text, "foo");
    EXPECT_EQ(session.Settings().ReplaceHistory, "barbar");
    EXPECT_EQ(session.ConfirmDialog(), nullptr);

    // Undo gives back the text byte for byte.
    while (window.editor->CanUndo()) window.editor->Undo();
    EXPECT_EQ(window.Text(), "foo x foo\nfoo\n");
}

TEST_F(SearchFlowTest, YesToAllAsksOnceAndCancelStops) {
    Window window(session, {"a a", "a", "a"});
    dialogs.AnswerReplace(TReplaceAnswer::raAll);
    AnswerDialog("a", "b");
    window.flow->actSearchReplaceExecute();
    EXPECT_EQ(window.Text(), "b b\nb\nb\n");
    EXPECT_EQ(dialogs.ReplaceConfirms.size(), 1u);

    Window other(session, {"a a", "a"});
    dialogs.AnswerReplace(TReplaceAnswer::raYes);
    dialogs.AnswerReplace(TReplaceAnswer::raCancel);
    other.flow->RunSearch(true, false);
    EXPECT_EQ(other.Text(), "b a\na\n");
}

TEST_F(SearchFlowTest, EqualTextsAndReplacementHoldingTheSearchText) {
    Window window(session, {"ab ab", "ab"});
    AnswerDialog("ab", "ab");
    window.flow->actSearchReplaceExecute();
    EXPECT_TRUE(dialogs.ReplaceConfirms.empty());
    EXPECT_EQ(window.Text(), "ab ab\nab\n");

    // A replacement that contains the search text ends after the last original occurrence.
    dialogs.AnswerReplace(TReplaceAnswer::raAll);
    AnswerDialog("ab", "xabx");
    window.flow->actSearchReplaceExecute();
    EXPECT_EQ(window.Text(), "xabx xabx\nxabx\n");
}

TEST_F(SearchFlowTest, SelectedOnlyWithoutSelectionCoversTheWholeText) {
    Window window(session, {"k", "k"});
    dialogs.AnswerReplace(TReplaceAnswer::raAll);
    AnswerDialog("k", "m", [](TTextSearchDialog& d) { d.SetSelectionOnly(true); });
    window.flow->actSearchReplaceExecute();
    EXPECT_EQ(window.Text(), "m\nm\n");
}

TEST_F(SearchFlowTest, EmptyFindTextAtFindNextIsNotFound) {
    Window window(session, {"abc"});
    window.editor->SetCaretAndSelection({3, 1}, {1, 1}, {3, 1});
    window.flow->actSearchNextExecute();
    EXPECT_EQ(window.Status(), "Text not found");
    EXPECT_EQ(window.editor->CaretXY(), (TBufferCoord{3, 1}));
    EXPECT_FALSE(window.editor->SelAvail());
    // An empty text from the dialog searches nothing and leaves the selection alone.
    window.editor->SetCaretAndSelection({3, 1}, {1, 1}, {3, 1});
    AnswerDialog("");
    window.flow->actSearchExecute();
    EXPECT_TRUE(window.editor->SelAvail());
    EXPECT_EQ(window.Status(), "");
    EXPECT_FALSE(window.flow->ContinueFromCaret());
}

TEST_F(SearchFlowTest, ReplaceInAReadOnlyTextOnlyFinds) {
    Window window(session, {"abc abc"});
    window.editor->SetReadOnly(true);
    dialogs.AnswerReplace(TReplaceAnswer::raAll);
    AnswerDialog("abc", "x");
    window.flow->actSearchReplaceExecute();
    EXPECT_EQ(window.Text(), "abc abc\n");
    EXPECT_TRUE(dialogs.ReplaceConfirms.empty());
    EXPECT_EQ(window.editor->BlockBegin(), (TBufferCoord{1, 1}));
    EXPECT_FALSE(window.editor->CanUndo());
}

TEST_F(SearchFlowTest, LongAndOddSearchTexts) {
    const std::string longText(10'000, 'q');
    Window window(session, {"x" + longText + "x", std::string("a\0b", 3)});
    session.Settings().FindText = longText;
    window.flow->actSearchNextExecute();
    EXPECT_EQ(window.editor->BlockBegin(), (TBufferCoord{2, 1}));
    session.Settings().FindText = longText + "q";
    window.flow->actSearchNextExecute();
    EXPECT_EQ(window.Status(), "Text not found");
    // A line break can never be found; a zero byte is an ordinary character.
    session.Settings().FindText = "a\r\nb";
    window.flow->actSearchNextExecute();
    EXPECT_EQ(window.Status(), "Text not found");
    session.Settings().FindText = std::string("\0b", 2);
    window.flow->actSearchNextExecute();
    EXPECT_EQ(window.editor->BlockBegin(), (TBufferCoord{2, 2}));
}

TEST_F(SearchFlowTest, ConfirmRequestNamesTheOccurrenceOnTheScreen) {
    Window window(session, {"", "", "\tzz"});
    window.widget.move(50, 60);
    window.widget.show();
    dialogs.AnswerReplace(TReplaceAnswer::raNo);
    session.Settings().FindText = "zz";
    session.Settings().ReplaceText = "y";
    window.flow->RunSearch(true, false);
    ASSERT_EQ(dialogs.ReplaceConfirms.size(), 1u);
    const TReplaceConfirmRequest& request = dialogs.ReplaceConfirms[0];
    EXPECT_EQ(request.Area, QRect(window.widget.mapToGlobal(QPoint(0, 0)), QSize(600, 400)));
    // The tab before the match widens its column to the tab stop.
    const TPoint pixels = window.editor->RowColumnToPixels({9, 3});
    const QPoint screen = window.editor->viewport()->mapToGlobal(QPoint(pixels.X, pixels.Y));
    EXPECT_EQ(request.X, screen.x());
    EXPECT_EQ(request.LineTop, screen.y());
    EXPECT_EQ(request.LineBottom, screen.y() + window.editor->LineHeight());
    EXPECT_EQ(request.Text, "zz");
}

TEST_F(SearchFlowTest, EveryRunEndsWithoutAConfirmDialog) {
    Window window(session, {"abc"});
    session.EnsureConfirmDialog();
    session.Settings().FindText = "b";
    window.flow->actSearchNextExecute();
    EXPECT_EQ(session.ConfirmDialog(), nullptr);
}

// After a replacement the caret stands right after the replacing text, whether the question was
// answered Yes once or Yes to all.
TEST_F(SearchFlowTest, TheCaretEndsRightAfterTheReplacement) {
    Window once(session, {"abc def"});
    dialogs.AnswerReplace(TReplaceAnswer::raYes);
    AnswerDialog("abc", "x");
    once.flow->actSearchReplaceExecute();
    EXPECT_EQ(once.Text(), "x def\n");
    EXPECT_EQ(once.editor->CaretXY(), (TBufferCoord{2, 1}));

    Window all(session, {"abc abc", "  abc"});
    dialogs.AnswerReplace(TReplaceAnswer::raAll);
    AnswerDialog("abc", "x");
    all.flow->actSearchReplaceExecute();
    EXPECT_EQ(all.Text(), "x x\n  x\n");
    EXPECT_EQ(all.editor->CaretXY(), (TBufferCoord{4, 2}));
}

// "Whole words only" ticked in the dialog reaches the search and is kept for the next run.
TEST_F(SearchFlowTest, WholeWordsFromTheDialogSearchAndStay) {
    Window window(session, {"abcd ab_x abc", "abc"});
    AnswerDialog("abc", "", [](TTextSearchDialog& d) { d.SetWholeWords(true); });
    window.flow->actSearchExecute();
    EXPECT_TRUE(session.Settings().WholeWords);
    EXPECT_EQ(window.editor->BlockBegin(), (TBufferCoord{11, 1}));
    window.flow->actSearchNextExecute();
    EXPECT_EQ(window.editor->BlockBegin(), (TBufferCoord{1, 2}));

    // The next dialog opens with the box ticked; OK keeps it.
    bool shownTicked = false;
    dialogs.AnswerModal([&](QDialog& dialog) {
        auto& search = dynamic_cast<TTextSearchDialog&>(dialog);
        shownTicked = search.WholeWords();
        search.SetFromCaret(false);
        dialog.accept();
        return TModalResult::mrOk;
    });
    window.flow->actSearchExecute();
    EXPECT_TRUE(shownTicked);
    EXPECT_EQ(window.editor->BlockBegin(), (TBufferCoord{11, 1}));
    // A replace run takes it too.
    dialogs.AnswerReplace(TReplaceAnswer::raAll);
    AnswerDialog("abc", "z", [](TTextSearchDialog& d) { d.SetFromCaret(false); });
    window.flow->actSearchReplaceExecute();
    EXPECT_EQ(window.Text(), "abcd ab_x z\nz\n");
}

}  // namespace
