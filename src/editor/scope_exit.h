// Runs a callable when the scope ends, also when an exception leaves it: closes paint locks,
// change brackets and undo blocks on every path out of an editing step.
#pragma once

#include <utility>

template <typename F>
class TScopeExit {
  public:
    explicit TScopeExit(F f) : m_f(std::move(f)) {}
    ~TScopeExit() { m_f(); }
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;

  private:
    F m_f;
};
