// The program-wide installation point of the dialog seam.
#include "platform/dialogs.h"

#include <stdexcept>

namespace {

// Both are plain pointers with constant initialisation, so a default set while other files'
// statics are initialised is never overwritten afterwards.
constinit IDialogs* g_installed = nullptr;
constinit IDialogs* g_default = nullptr;

}  // namespace

IDialogs& Dialogs() {
    if (g_installed != nullptr) return *g_installed;
    if (g_default != nullptr) return *g_default;
    throw std::logic_error("No dialogs are available to ask the user");
}

void SetDefaultDialogs(IDialogs* dialogs) {
    g_default = dialogs;
}

TDefaultDialogs::TDefaultDialogs(IDialogs& dialogs) : m_dialogs(dialogs) {
    g_default = &dialogs;
}

TDefaultDialogs::~TDefaultDialogs() {
    if (g_default == &m_dialogs) g_default = nullptr;
}

TDialogsScope::TDialogsScope(IDialogs& dialogs) : m_previous(g_installed) {
    g_installed = &dialogs;
}

TDialogsScope::~TDialogsScope() {
    g_installed = m_previous;
}
