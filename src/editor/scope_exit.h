// Scope guards: the one way the editor closes what an editing step opens. TBracket opens a
// bracket (paint lock, change bracket, undo block) when constructed and closes it when the
// scope ends, also when an exception leaves it; TScopeExit puts back saved state the same way.
//
// A close that fails on the normal way out reports its exception to the caller like any other
// statement. While an exception already leaves the scope, a second one from the close is
// dropped, so the first reaches the command's error report instead of ending the program.
#pragma once

#include <exception>
#include <utility>

// Runs the close of a scope: on the normal way out a failing close throws; while an exception is
// leaving the scope, the close's own exception is dropped. (A guard whose scope began inside a
// destructor run by unwinding counts as unwinding too: it still closes, quietly.)
template <typename F>
void CloseScope(F& close) {
    if (std::uncaught_exceptions() == 0) {
        close();
        return;
    }
    try {
        close();
    } catch (...) {  // the exception already leaving the scope is the one reported
    }
}

template <typename F>
class TScopeExit {
  public:
    explicit TScopeExit(F f) : m_f(std::move(f)) {}
    ~TScopeExit() noexcept(false) { CloseScope(m_f); }
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;

  private:
    F m_f;
};

// Calls Open on construction and Close on destruction.
template <typename T, void (T::*Open)(), void (T::*Close)()>
class TBracket {
  public:
    explicit TBracket(T& owner) : m_owner(owner) { (m_owner.*Open)(); }
    ~TBracket() noexcept(false) {
        auto close = [this] { (m_owner.*Close)(); };
        CloseScope(close);
    }
    TBracket(const TBracket&) = delete;
    TBracket& operator=(const TBracket&) = delete;

  private:
    T& m_owner;
};
