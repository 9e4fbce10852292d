// Range states chained with a second thread: exceptions on either thread, and a helper that
// stops when the calling thread leaves early. The states are checked against a plain chain.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "editor/string_list.h"
#include "editor/synedit_range_sharing.h"
#include "editor_invariants.h"

namespace {

constexpr int kLines = 3 * kSharedRangeChainFrom;

// A toy scanner: the state counts the '(' seen, modulo 11 so states stay small; the skim is
// the same rule but declines on lines holding '#', which only the first quarter has.
std::int32_t Step(std::string_view text, std::int32_t range) {
    for (const char c : text) range += c == '(';
    return range % 11;
}

struct Text {
    TSynEditStringList list;
    std::vector<std::int32_t> expected;
    Text() {
        std::vector<std::string> lines;
        for (int i = 0; i < kLines; ++i)
            lines.push_back(i % 97 == 5 && i < kLines / 4 ? "#define x ("
                            : i % 3 == 0                  ? "f((a)"
                                                          : "g(b);");
        list.AddStrings(lines);
        list.SetLineRange(0, 0);
        expected.assign(kLines, 0);
        for (int i = 1; i < kLines; ++i) expected[i] = Step(lines[i - 1], expected[i - 1]);
    }
    void ExpectStates(const char* what) {
        for (int i = 0; i < kLines; ++i)
            ASSERT_EQ(list.LineRange(i), expected[i]) << what << ", line " << i;
        EXPECT_EQ(CheckInvariants(list), "") << what;
    }
};

auto Next() {
    return [](std::string_view text, std::int32_t range, int) { return Step(text, range); };
}

bool Skim(std::string_view text, std::int32_t& range) {
    if (text.find('#') != std::string_view::npos) return false;
    range = Step(text, range);
    return true;
}

// The scanner throws part-way through the first half while the helper skims the later one:
// the exception reaches the caller, and chaining again gives every state right.
TEST(RangeSharing, AScannerExceptionReachesTheCallerAndAChainAgainIsRight) {
    Text text;
    int calls = 0;
    auto failing = [&](std::string_view line, std::int32_t range, int index) {
        if (++calls == 1000) throw std::runtime_error("scanner");
        return Next()(line, range, index);
    };
    EXPECT_THROW(text.list.ChainRanges(0, kLines - 1, failing, Skim), std::runtime_error);
    text.list.ChainRanges(0, kLines - 1, Next(), Skim);
    text.ExpectStates("after the exception");
}

// Waits until `done` holds, for at most five seconds.
template <typename F>
void AwaitOrTimeOut(F done) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done() && std::chrono::steady_clock::now() < limit) std::this_thread::yield();
}

// A skim that throws on the helper thread ends only the helper's walk: the calling thread
// (held back until the helper has thrown) scans the rest itself and the states come out right.
TEST(RangeSharing, ASkimExceptionOnTheHelperIsAFailureNotAnEnd) {
    Text text;
    const std::thread::id caller = std::this_thread::get_id();
    std::atomic<int> helperSkims{0};
    std::atomic<bool> thrown{false};
    auto skim = [&](std::string_view line, std::int32_t& range) {
        if (std::this_thread::get_id() != caller && ++helperSkims == 500) {
            thrown = true;
            throw std::runtime_error("skim");
        }
        return Skim(line, range);
    };
    auto next = [&](std::string_view line, std::int32_t range, int index) {
        if (index == 0) AwaitOrTimeOut([&] { return thrown.load(); });
        return Step(line, range);
    };
    text.list.ChainRanges(0, kLines - 1, next, skim);
    EXPECT_TRUE(thrown);
    EXPECT_EQ(helperSkims.load(), 500);
    text.ExpectStates("after a skim exception");
}

// The calling thread leaves by an exception once the helper has begun: the helper is stopped
// and joined before the exception reaches the caller, having skimmed a few lines of its half
// instead of all of them.
TEST(RangeSharing, TheHelperStopsWhenTheCallerLeavesEarly) {
    Text text;
    const std::thread::id caller = std::this_thread::get_id();
    std::atomic<int> skimmed{0};
    auto skim = [&](std::string_view line, std::int32_t& range) {
        if (std::this_thread::get_id() != caller) {
            ++skimmed;
            // Slow enough that skimming the whole half would take seconds.
            std::this_thread::sleep_for(std::chrono::microseconds(20));
        }
        return Skim(line, range);
    };
    auto failing = [&](std::string_view, std::int32_t, int) -> std::int32_t {
        AwaitOrTimeOut([&] { return skimmed > 0; });
        throw std::runtime_error("left early");
    };
    EXPECT_THROW(text.list.ChainRanges(0, kLines - 1, failing, skim), std::runtime_error);
    const int afterReturn = skimmed;
    EXPECT_GT(afterReturn, 0);
    EXPECT_LT(afterReturn, 1000);
    // Joined: nothing skims any more.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(skimmed.load(), afterReturn);
    text.list.ChainRanges(0, kLines - 1, Next(), Skim);
    text.ExpectStates("after leaving early");
}

}  // namespace
