// Scope guards: the one way the editor closes what an editing step opens. TBracket opens a
// bracket (paint lock, change bracket, undo block) when constructed and closes it when the
// scope ends; TScopeExit puts back saved state the same way. Both close on every way out:
// - on the normal way out, a close that throws reports its exception to the caller like any
//   other statement (the guards' destructors may throw);
// - while an exception already leaves the scope (or any scope: the guard does not tell them
//   apart), the close still runs, and an exception it throws is dropped: the first exception
//   goes on to the caller, where two at once would end the program.
#pragma once

#include <exception>
#include <utility>

// Runs a close as the guards do: its exception goes on to the caller unless another exception
// is already leaving (counting them costs a call into the runtime, so it is done only when a
// close has failed).
template <typename Close>
void RunGuardClose(Close&& close) noexcept(false) {
    try {
        close();
    } catch (...) {
        if (std::uncaught_exceptions() == 0) throw;
        // The exception already on its way is the one the caller hears of.
    }
}

template <typename F>
class TScopeExit {
  public:
    explicit TScopeExit(F f) : m_f(std::move(f)) {}
    ~TScopeExit() noexcept(false) { RunGuardClose(m_f); }
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;

  private:
    F m_f;
};

// Calls Open on construction and Close on destruction; an Open that throws leaves nothing to
// close.
template <typename T, void (T::*Open)(), void (T::*Close)()>
class TBracket {
  public:
    explicit TBracket(T& owner) : m_owner(owner) { (m_owner.*Open)(); }
    ~TBracket() noexcept(false) {
        RunGuardClose([this] { (m_owner.*Close)(); });
    }
    TBracket(const TBracket&) = delete;
    TBracket& operator=(const TBracket&) = delete;

  private:
    T& m_owner;
};
