// Scope guards close on every way out; a failing close is reported on the normal way out and
// dropped while another exception leaves the scope, never fatal.
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

// While the body's exception leaves the scope, a close that fails still ran and is dropped: the
// caller hears of the body's exception, and the program goes on.
TEST(ScopeGuards, FailingCloseDuringUnwindingLeavesTheBodysException) {
    Counter counter;
    counter.closeFails = true;
    EXPECT_EQ(MessageOf(
                  [](Counter& c) {
                      CounterBracket bracket(c);
                      throw std::runtime_error("body");
                  },
                  counter),
              "body");
    EXPECT_EQ(MessageOf(
                  [](Counter& c) {
                      TScopeExit restore([&c] { c.Close(); });
                      throw std::runtime_error("body");
                  },
                  counter),
              "body");
    EXPECT_EQ(counter.closed, 2);
}

// Guards nest: each closes once, innermost first, and the first failing close on the normal way
// out is the one reported while the outer guard still closes (dropping its own failure).
TEST(ScopeGuards, NestedGuardsCloseInnermostFirstAndReportTheFirstFailure) {
    std::string order;
    try {
        TScopeExit outer([&] {
            order += "outer ";
            throw std::runtime_error("outer");
        });
        TScopeExit inner([&] {
            order += "inner ";
            throw std::runtime_error("inner");
        });
    } catch (const std::exception& e) {
        order += e.what();
    }
    EXPECT_EQ(order, "inner outer inner");
}

// A guard made inside a catch handler, with the handled exception no longer in flight, reports
// a failing close as on any normal way out.
TEST(ScopeGuards, GuardInsideAHandlerReportsItsFailingClose) {
    Counter counter;
    counter.closeFails = true;
    std::string message;
    try {
        try {
            throw std::runtime_error("first");
        } catch (const std::runtime_error&) {
            CounterBracket bracket(counter);
        }
    } catch (const std::exception& e) {
        message = e.what();
    }
    EXPECT_EQ(message, "close");
    EXPECT_EQ(counter.closed, 1);
}
