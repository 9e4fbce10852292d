// The search flow of a document window and its answer to the replace question.
#include "documents/search_flow.h"

#include <QApplication>
#include <QStatusBar>
#include <memory>

#include "editor/qt/synedit.h"
#include "editor/scope_exit.h"
#include "platform/qt/dialogs.h"
#include "search/qt/search_session.h"
#include "search/qt/text_search_dialog.h"
#include "search/search_settings.h"

const char* const kTextNotFound = "Text not found";

TSearchFlow::TSearchFlow(QWidget& window, TSynEdit& editor, QStatusBar& statusBar,
                         TSearchSession& session)
    : m_window(window), m_editor(editor), m_statusBar(statusBar), m_session(session) {
    m_editor.OnReplaceText = [this](TCustomSynEdit* sender, const std::string& search,
                                    const std::string& replace, int line, int column,
                                    TSynReplaceAction& action) {
        SynEditorReplaceText(sender, search, replace, line, column, action);
    };
}

void TSearchFlow::RunSearchDialog(bool replace) {
    m_statusBar.clearMessage();
    // Destroyed when the run ends, also when an error ends it.
    std::unique_ptr<TTextSearchDialog> dialog;
    TTextReplaceDialog* replaceDialog = nullptr;
    if (replace) {
        auto owned = std::make_unique<TTextReplaceDialog>(&m_window);
        replaceDialog = owned.get();
        dialog = std::move(owned);
    } else {
        dialog = std::make_unique<TTextSearchDialog>(&m_window);
    }

    TSearchSettings& settings = m_session.Settings();
    dialog->SetBackward(settings.Backward);
    dialog->SetMatchCase(settings.MatchCase);
    dialog->SetFromCaret(settings.FromCaret);
    dialog->SetSelectionOnly(settings.SelectionOnly);
    dialog->SetFindText(settings.FindText);
    dialog->SetFindHistory(settings.FindHistory);
    if (replaceDialog != nullptr) {
        replaceDialog->SetReplaceWith(settings.ReplaceText);
        replaceDialog->SetReplaceHistory(settings.ReplaceHistory);
    }
    dialog->SetWholeWords(settings.WholeWords);

    if (WidgetDialogs().ShowModal(*dialog) != TModalResult::mrOk) return;

    settings.Backward = dialog->Backward();
    settings.MatchCase = dialog->MatchCase();
    settings.FromCaret = dialog->FromCaret();
    settings.SelectionOnly = dialog->SelectionOnly();
    settings.WholeWords = dialog->WholeWords();
    settings.FindText = dialog->FindText();
    settings.FindHistory = dialog->FindHistory();
    if (replaceDialog != nullptr) {
        settings.ReplaceText = replaceDialog->ReplaceWith();
        settings.ReplaceHistory = replaceDialog->ReplaceHistory();
    }

    m_continueFromCaret = settings.FromCaret;
    if (!settings.FindText.empty()) {
        RunSearch(replace, settings.Backward);
        m_continueFromCaret = true;
    }
}

void TSearchFlow::RunSearch(bool replace, bool backward) {
    // Whatever ends the run, no confirm dialog is left behind.
    const TScopeExit destroyConfirmDialog([this] { m_session.DestroyConfirmDialog(); });

    m_statusBar.clearMessage();
    const TSearchSettings& settings = m_session.Settings();
    TFindOptions options = 0;
    if (replace) options |= foReplace | foReplaceAll | foPrompt;
    if (backward) options |= foBackwards;
    if (settings.MatchCase) options |= foMatchCase;
    if (settings.SelectionOnly) options |= foSelectedOnly;
    if (settings.WholeWords) options |= foWholeWord;
    if (!m_continueFromCaret) options |= foEntireScope;

    // Copies: the settings must not change under the editor while it asks.
    const std::string findText = settings.FindText;
    const std::string replaceText = settings.ReplaceText;
    if (m_editor.FindReplace(findText, replaceText, options) == 0) {
        QApplication::beep();
        m_statusBar.showMessage(QObject::tr(kTextNotFound));
        const TBufferCoord point = backward ? m_editor.BlockBegin() : m_editor.BlockEnd();
        m_editor.SetCaretAndSelection(point, point, point);
    }
}

void TSearchFlow::SynEditorReplaceText(TCustomSynEdit* /*sender*/, const std::string& search,
                                       const std::string& replace, int line, int column,
                                       TSynReplaceAction& action) {
    if (search == replace) {
        action = rpSkip;
        return;
    }
    // The occurrence's first character on the screen; tabs before it widen its column.
    const TBufferCoord position{column, line};
    const TPoint pixels = m_editor.RowColumnToPixels({m_editor.LogicalToPhysical(position), line});
    const QPoint screen = m_editor.viewport()->mapToGlobal(QPoint(pixels.X, pixels.Y));

    TReplaceConfirmRequest request;
    request.Area = QRect(m_window.mapToGlobal(QPoint(0, 0)), m_window.size());
    request.X = screen.x();
    request.LineTop = screen.y();
    request.LineBottom = screen.y() + m_editor.LineHeight();
    request.Text = search;
    switch (WidgetDialogs().ConfirmReplace(request)) {
        case TReplaceAnswer::raYes:
            action = rpReplace;
            break;
        case TReplaceAnswer::raNo:
            action = rpSkip;
            break;
        case TReplaceAnswer::raAll:
            action = rpReplaceAll;
            break;
        case TReplaceAnswer::raCancel:
            action = rpCancel;
            break;
    }
}
