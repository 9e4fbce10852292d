// Scope guards: the one way the editor closes what an editing step opens. TBracket opens a
// bracket (paint lock, change bracket, undo block) when constructed and closes it when the
// scope ends, also when an exception leaves it; TScopeExit puts back saved state the same way.
#pragma once

#include <utility>

template <typename F>
class TScopeExit {
  public:
    explicit TScopeExit(F f) : m_f(std::move(f)) {}
    // A close that fails on the normal way out reports its exception to the caller like any
    // other statement instead of ending the program.
    ~TScopeExit() noexcept(false) { m_f(); }
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
    ~TBracket() noexcept(false) { (m_owner.*Close)(); }
    TBracket(const TBracket&) = delete;
    TBracket& operator=(const TBracket&) = delete;

  private:
    T& m_owner;
};
