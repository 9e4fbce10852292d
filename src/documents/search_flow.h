// The search flow of one document window: the search and replace dialogs, Find next and Find
// previous with the shared search settings, "Text not found", and the answer to the editor's
// question whether to replace an occurrence.
#pragma once

#include <string>

#include "editor/find_options.h"

class QStatusBar;
class QWidget;
class TCustomSynEdit;
class TSearchSession;
class TSynEdit;

// Shown in the window's status bar when a search found nothing.
extern const char* const kTextNotFound;

class TSearchFlow {
  public:
    // window owns the dialogs and gives the area the confirm dialog is placed in; session holds
    // the settings all windows share and the confirm dialog. All must outlive the flow. Takes
    // over the editor's OnReplaceText.
    TSearchFlow(QWidget& window, TSynEdit& editor, QStatusBar& statusBar, TSearchSession& session);

    void actSearchExecute() { RunSearchDialog(false); }
    void actSearchReplaceExecute() { RunSearchDialog(true); }
    void actSearchNextExecute() { RunSearch(false, false); }
    void actSearchPrevExecute() { RunSearch(false, true); }

    // Shows the search or replace dialog; after OK stores its values in the shared settings
    // and searches with them.
    void RunSearchDialog(bool replace);
    // Searches (and with replace, replaces with confirmation) with the shared settings from
    // the caret, or through the whole text while ContinueFromCaret is false. No confirm dialog
    // is left when it ends.
    void RunSearch(bool replace, bool backward);
    // Asks through the confirm dialog whether to replace the occurrence at (column, line);
    // equal search and replacement texts are skipped without asking.
    void SynEditorReplaceText(TCustomSynEdit* sender, const std::string& search,
                              const std::string& replace, int line, int column,
                              TSynReplaceAction& action);

    // The window's ContinueFromCaret: false until its first search from a dialog; while false
    // the next search covers the whole text.
    bool ContinueFromCaret() const { return m_continueFromCaret; }
    void SetContinueFromCaret(bool value) { m_continueFromCaret = value; }

  private:
    QWidget& m_window;
    TSynEdit& m_editor;
    QStatusBar& m_statusBar;
    TSearchSession& m_session;
    bool m_continueFromCaret = false;
};
