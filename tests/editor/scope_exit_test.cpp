// Scope guards close on every way out, and a failing close is reported, not fatal.
#include "editor/scope_exit.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

struct Counter {
    int open = 0;
    int closed = 0;
    bool closeFails = false;
    void Open() { ++open; }
    void Close() {
        ++closed;
        if (closeFails) throw std::runtime_error("close");
    }
};
using CounterBracket = TBracket<Counter, &Counter::Open, &Counter::Close>;

std::string MessageOf(void (*body)(Counter&), Counter& counter) {
    try {
        body(counter);
    } catch (const std::exception& e) {
        return e.what();
    }
    return "";
}

}  // namespace

TEST(ScopeGuards, BracketClosesOnNormalExitAndOnException) {
    Counter counter;
    { CounterBracket bracket(counter); }
    EXPECT_EQ(counter.open, 1);
    EXPECT_EQ(counter.closed, 1);

    auto failing = [](Counter& c) {
        CounterBracket bracket(c);
        throw std::runtime_error("body");
    };
    EXPECT_EQ(MessageOf(failing, counter), "body");
    EXPECT_EQ(counter.closed, 2);
}

TEST(ScopeGuards, FailingCloseOnTheNormalWayOutReachesTheCaller) {
    Counter counter;
    counter.closeFails = true;
    EXPECT_EQ(MessageOf([](Counter& c) { CounterBracket bracket(c); }, counter), "close");
    EXPECT_EQ(MessageOf([](Counter& c) { TScopeExit restore([&c] { c.Close(); }); }, counter),
              "close");
    EXPECT_EQ(counter.closed, 2);
}
