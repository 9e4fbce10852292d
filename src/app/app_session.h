// The state the program's windows share for one run, in one object the application owns and lends
// to the frame window, which passes it on to document windows and their search flows: the Qt
// dialogs (the dialog seam's default while the session lives), the search settings with the
// replace confirmation dialog, and the clipboards editors are given.
#pragma once

#include "editor/qt/qt_syn_clipboard.h"
#include "editor/synedit_clipboard.h"
#include "platform/qt/dialogs.h"
#include "search/qt/search_session.h"

class TAppSession {
  public:
    // Makes its Qt dialogs the default of Dialogs() and lets them answer the replace question
    // with the search session's confirm dialog.
    TAppSession();
    ~TAppSession();
    TAppSession(const TAppSession&) = delete;
    TAppSession& operator=(const TAppSession&) = delete;

    TSearchSession& Search() { return m_search; }

    // The clipboard every editor of the program is given: the window system's while the
    // application object runs, else the one this session keeps in memory.
    ISynClipboard& EditorClipboard();

  private:
    TQtDialogs m_dialogs;
    // Makes m_dialogs the default until the session goes, and goes before them.
    TDefaultDialogs m_defaultDialogs{m_dialogs};
    TSearchSession m_search;
    TQtSynClipboard m_systemClipboard;
    TSynMemoryClipboard m_memoryClipboard;
};
