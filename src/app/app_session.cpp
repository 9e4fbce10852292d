// The program's session: its dialogs as the seam's default and the editors' clipboard.
#include "app/app_session.h"

#include <QGuiApplication>

TAppSession::TAppSession() {
    m_dialogs.SetConfirmReplaceHandler(
        [this](const TReplaceConfirmRequest& request) { return m_search.ConfirmReplace(request); });
}

TAppSession::~TAppSession() = default;

ISynClipboard& TAppSession::EditorClipboard() {
    if (QGuiApplication::instance() != nullptr) return m_systemClipboard;
    return m_memoryClipboard;
}
