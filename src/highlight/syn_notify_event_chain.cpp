// Subscription list with ordered firing and an optional error handler.
#include "highlight/syn_notify_event_chain.h"

#include "highlight/highlighter_errors.h"

void TSynNotifyEventChain::Add(TNotifyEvent handler, const void* subscriber) {
    m_entries.push_back({std::move(handler), subscriber});
}

bool TSynNotifyEventChain::SameHandler(const TNotifyEvent& a, const TNotifyEvent& b) {
    if (!a || !b) return !a && !b;
    if (a.target_type() != b.target_type()) return false;
    // Plain function pointers of the same type are told apart by their address.
    using FunctionPointer = void (*)(void*);
    if (const auto* fa = a.target<FunctionPointer>()) return *fa == *b.target<FunctionPointer>();
    return true;
}

void TSynNotifyEventChain::Remove(const TNotifyEvent& handler, const void* subscriber) {
    for (std::size_t i = m_entries.size(); i-- > 0;) {
        if (m_entries[i].subscriber == subscriber && SameHandler(m_entries[i].handler, handler))
            m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

void TSynNotifyEventChain::Fire() {
    // A handler may hook or unhook while it runs; the entries are fired by index and a copy of
    // each handler is called so that removals cannot destroy the running callable.
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        TNotifyEvent handler = m_entries[i].handler;
        try {
            if (handler) handler(m_sender);
        } catch (const std::exception& error) {
            if (!m_onError) throw;
            bool goOn = false;
            try {
                goOn = m_onError(this, error);
            } catch (...) {
                throw ESynNotifyChainError(
                    ClassName() +
                    ".DoHandleException : MUST NOT occur any kind of exception in "
                    "ExceptionHandler");
            }
            if (!goOn) return;
        }
    }
}
