// The shared search settings and the confirm dialog's life.
#include "search/qt/search_session.h"

#include "search/qt/confirm_replace_dialog.h"

TSearchSession::TSearchSession() = default;

TSearchSession::~TSearchSession() = default;

TConfirmReplaceDialog& TSearchSession::EnsureConfirmDialog() {
    if (m_confirmDialog == nullptr) m_confirmDialog = std::make_unique<TConfirmReplaceDialog>();
    return *m_confirmDialog;
}

void TSearchSession::DestroyConfirmDialog() {
    m_confirmDialog.reset();
}

TReplaceAnswer TSearchSession::ConfirmReplace(const TReplaceConfirmRequest& request) {
    TConfirmReplaceDialog& dialog = EnsureConfirmDialog();
    dialog.PlaceNearMatch(request.Area, request.X, request.LineTop, request.LineBottom,
                          request.Text);
    dialog.exec();
    return dialog.Answer();
}
