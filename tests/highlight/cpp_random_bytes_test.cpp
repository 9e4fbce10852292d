// Lines of random bytes (fixed seed) from every range state: each line is scanned from an
// exactly sized heap buffer, so a read past the line is caught by AddressSanitizer or valgrind;
// the tokens must tile the line, always advance, and leave one of the four range states.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <string_view>

#include "highlight/syn_cpp_syn.h"

namespace {

// Bytes that steer the scanners into their look-ahead paths, mixed with arbitrary bytes.
constexpr std::string_view kInteresting = "/*\\\"'#\n\r.<>=-&|+:!%^0x9aZ_ \t";

std::string RandomLine(std::mt19937& random) {
    std::size_t length = random() % 40;
    if (random() % 50 == 0) length = random() % 2000;
    std::string line(length, '\0');
    for (char& c : line) {
        if (random() % 3 == 0)
            c = static_cast<char>(random() & 0xFF);
        else
            c = kInteresting[random() % kInteresting.size()];
    }
    return line;
}

TEST(CppRandomBytes, AnyByteSequenceTokenizesWithinTheLine) {
    std::mt19937 random(20240601u);
    TSynCppSyn highlighter;
    const std::int32_t states[] = {crNone, crComment, crDirective, crDirectiveComment};
    std::int32_t carried = crNone;
    for (int n = 0; n < 20000; ++n) {
        std::string line = RandomLine(random);
        // An exactly sized copy without a terminating zero; an empty line has no buffer at all.
        std::unique_ptr<char[]> buffer(line.empty() ? nullptr : new char[line.size()]);
        std::copy(line.begin(), line.end(), buffer.get());
        std::string_view view(buffer.get(), line.size());

        std::int32_t start = (n % 5 == 4) ? carried : states[n % 4];
        highlighter.SetRangeState(start);
        highlighter.StartLine(view, n);
        std::size_t expected = 0;
        std::size_t tokens = 0;
        while (!highlighter.AtLineEnd()) {
            ASSERT_EQ(static_cast<std::size_t>(highlighter.TokenStart()), expected) << n;
            std::string_view text = highlighter.TokenText();
            ASSERT_LE(expected + text.size(), line.size()) << n;
            ASSERT_EQ(text.data(), buffer.get() + expected) << n;
            ASSERT_FALSE(text.empty()) << n;
            ASSERT_NE(highlighter.TokenAttribute(), nullptr);
            expected += text.size();
            ASSERT_LE(++tokens, 2 * line.size() + 2) << n;
            highlighter.NextToken();
        }
        EXPECT_EQ(static_cast<std::size_t>(highlighter.TokenStart()), line.size()) << n;
        EXPECT_EQ(expected, line.size()) << n;
        std::int32_t range = highlighter.RangeState();
        EXPECT_TRUE(range == crNone || range == crComment || range == crDirective ||
                    range == crDirectiveComment)
            << n;
        carried = range;
    }
}

TEST(CppRandomBytes, EveryByteValueAloneAndBeforeTheLineEnd) {
    TSynCppSyn highlighter;
    for (int c = 0; c < 256; ++c) {
        for (std::int32_t state : {crNone, crComment, crDirective, crDirectiveComment}) {
            for (int width = 1; width <= 3; ++width) {
                // The byte closes the line, so every look-ahead from it meets the line end.
                std::unique_ptr<char[]> buffer(new char[width]);
                for (int i = 0; i < width; ++i)
                    buffer[i] = static_cast<char>(i + 1 == width ? c : (width == 3 ? '/' : '\\'));
                highlighter.SetRangeState(state);
                highlighter.StartLine(std::string_view(buffer.get(), width), 0);
                std::size_t covered = 0;
                while (!highlighter.AtLineEnd()) {
                    covered += highlighter.TokenText().size();
                    highlighter.NextToken();
                }
                EXPECT_EQ(covered, static_cast<std::size_t>(width)) << c << " " << state;
            }
        }
    }
}

}  // namespace
