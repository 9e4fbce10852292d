// A list of subscriptions (handler, subscriber) that is fired with one fixed sender; the
// highlighter tells the editors that use it about attribute changes through one of these.
#pragma once

#include <exception>
#include <functional>
#include <string>
#include <vector>

class TSynNotifyEventChain {
  public:
    using TNotifyEvent = std::function<void(void* sender)>;
    // Asked when a handler raised a std::exception; true goes on with the next handler,
    // false stops the firing.
    using TErrorHandler =
        std::function<bool(TSynNotifyEventChain* sender, const std::exception& error)>;

    explicit TSynNotifyEventChain(void* sender) : m_sender(sender) {}

    std::string ClassName() const { return "TSynNotifyEventChain"; }

    // Appends the pair; the same pair may be added more than once.
    void Add(TNotifyEvent handler, const void* subscriber);
    // Removes every pair whose handler and subscriber both match. Handlers match when they
    // wrap the same kind of callable (the same function, or the same lambda expression).
    void Remove(const TNotifyEvent& handler, const void* subscriber);
    void Clear() { m_entries.clear(); }
    int Count() const { return static_cast<int>(m_entries.size()); }

    // Calls the handlers in list order with the sender. Without an error handler, a handler's
    // error propagates; an error inside the error handler raises ESynNotifyChainError.
    void Fire();

    void SetOnError(TErrorHandler handler) { m_onError = std::move(handler); }

  private:
    struct Entry {
        TNotifyEvent handler;
        const void* subscriber;
    };
    static bool SameHandler(const TNotifyEvent& a, const TNotifyEvent& b);

    void* m_sender;
    std::vector<Entry> m_entries;
    TErrorHandler m_onError;
};
