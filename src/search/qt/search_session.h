// What the search flows of all document windows share for the whole run: the search settings and
// the replace confirmation dialog. The dialog exists from the first question of a replacement
// until the end of that search run, and the session owns it meanwhile.
#pragma once

#include <memory>

#include "platform/qt/dialogs.h"
#include "search/search_settings.h"

class TConfirmReplaceDialog;

class TSearchSession {
  public:
    TSearchSession();
    ~TSearchSession();
    TSearchSession(const TSearchSession&) = delete;
    TSearchSession& operator=(const TSearchSession&) = delete;

    TSearchSettings& Settings() { return m_settings; }
    const TSearchSettings& Settings() const { return m_settings; }

    // The confirm dialog, or null while none exists.
    TConfirmReplaceDialog* ConfirmDialog() const { return m_confirmDialog.get(); }
    // Returns the confirm dialog, creating it (a window of its own, owned here) when none exists.
    TConfirmReplaceDialog& EnsureConfirmDialog();
    // Destroys the confirm dialog when one exists; every search run ends with this.
    void DestroyConfirmDialog();

    // Asks through the confirm dialog, placed next to the occurrence, whether to replace it.
    TReplaceAnswer ConfirmReplace(const TReplaceConfirmRequest& request);

  private:
    TSearchSettings m_settings;
    std::unique_ptr<TConfirmReplaceDialog> m_confirmDialog;
};
