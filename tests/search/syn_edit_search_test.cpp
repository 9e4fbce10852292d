// Tests of the search engine: case rules, whole words, match positions, match list upkeep and a
// randomized comparison with a plain reference search.
#include "search/syn_edit_search.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/codepage.h"

namespace {

std::vector<int> Scan(TSynEditSearch& search, std::string_view line) {
    const int count = search.ScanLine(line);
    std::vector<int> columns;
    for (int i = 0; i < search.MatchCount(); ++i) columns.push_back(search.MatchAt(i));
    EXPECT_EQ(count, static_cast<int>(columns.size()));
    return columns;
}

std::vector<int> Find(std::string_view pattern, std::string_view line, bool matchCase = false,
                      bool wholeWords = false) {
    TSynEditSearch search;
    search.AssignPattern(pattern);
    search.SetMatchCase(matchCase);
    search.SetWholeWordsOnly(wholeWords);
    return Scan(search, line);
}

using Columns = std::vector<int>;

TEST(SynEditSearch, CaseRules) {
    EXPECT_EQ(Find("Vsync", "vsync(); VSYNC; VsYnC"), (Columns{1, 10, 17}));
    EXPECT_EQ(Find("Vsync", "vsync(); VSYNC; VsYnC", true), Columns{});
    EXPECT_EQ(Find("Vsync", "vsync(); Vsync", true), Columns{10});
    // Only letters fold: digits and punctuation must match exactly.
    EXPECT_EQ(Find("a[1]", "A[1] a{1}"), Columns{1});
}

TEST(SynEditSearch, CodePageLettersFoldWithTheirCasePartners) {
    // 0xC9/0xE9 (E acute), 0x8A/0x9A (S caron), 0x9F/0xFF (Y diaeresis) are case pairs;
    // 0xD7 (multiplication sign) and 0xF7 (division sign) are not.
    EXPECT_EQ(Find("\xE9\x9A\xFF", "x\xC9\x8A\x9F y\xE9\x9A\xFF"), (Columns{2, 7}));
    EXPECT_EQ(Find("\xE9\x9A\xFF", "x\xC9\x8A\x9F y\xE9\x9A\xFF", true), Columns{7});
    EXPECT_EQ(Find("\xD7", "\xF7\xD7"), Columns{2});
    // Every byte finds itself and its fold partner, and nothing else, in a 256-byte line.
    std::string all;
    for (int c = 0; c < 256; ++c) all.push_back(static_cast<char>(c));
    for (int c = 0; c < 256; ++c) {
        Columns expected;
        for (int d = 0; d < 256; ++d)
            if (CodePageLower(static_cast<unsigned char>(d)) ==
                CodePageLower(static_cast<unsigned char>(c)))
                expected.push_back(d + 1);
        EXPECT_EQ(Find(std::string(1, static_cast<char>(c)), all), expected) << "byte " << c;
        EXPECT_EQ(Find(std::string(1, static_cast<char>(c)), all, true), Columns{c + 1});
    }
}

TEST(SynEditSearch, WholeWordsTreatUnderscoreAndPunctuationAsDelimiters) {
    EXPECT_EQ(Find("foo", "foo(x)", false, true), Columns{1});
    EXPECT_EQ(Find("foo", "a foo b", false, true), Columns{3});
    EXPECT_EQ(Find("foo", "my_foo_bar", false, true), Columns{4});
    EXPECT_EQ(Find("foo", "food", false, true), Columns{});
    EXPECT_EQ(Find("foo", "foo2", false, true), Columns{});
    EXPECT_EQ(Find("foo", "2foo", false, true), Columns{});
    EXPECT_EQ(Find("foo",
                   "\xE9"
                   "foo",
                   false, true),
              Columns{});  // accented letter
    EXPECT_EQ(Find("foo", std::string_view("foo\0foo", 7), false, true), (Columns{1, 5}));
    // Whole words off finds the same text inside words.
    EXPECT_EQ(Find("foo", "food foo2", false, false), (Columns{1, 6}));
}

TEST(SynEditSearch, MatchesAtLineStartAndEnd) {
    EXPECT_EQ(Find("ab", "ab"), Columns{1});
    EXPECT_EQ(Find("ab", "ab", false, true), Columns{1});
    EXPECT_EQ(Find("ab", "ab x ab", false, true), (Columns{1, 6}));
    EXPECT_EQ(Find("ab", "xab", false, true), Columns{});
    EXPECT_EQ(Find("ab", "abx", false, true), Columns{});
    // A failed whole-word test does not hide a later match that passes it.
    EXPECT_EQ(Find("ab", "abab ab", false, true), Columns{6});
}

TEST(SynEditSearch, MatchesDoNotOverlap) {
    EXPECT_EQ(Find("aa", "aaa"), Columns{1});
    EXPECT_EQ(Find("aa", "aaaa"), (Columns{1, 3}));
    EXPECT_EQ(Find("aba", "ababababa"), (Columns{1, 5}));
    EXPECT_EQ(Find("a", "aAa"), (Columns{1, 2, 3}));
}

TEST(SynEditSearch, ShortLinesAndEmptyPattern) {
    EXPECT_EQ(Find("put_string", "put"), Columns{});
    EXPECT_EQ(Find("x", ""), Columns{});

    TSynEditSearch search;
    try {
        search.ScanLine("text");
        FAIL() << "an empty pattern must be refused";
    } catch (const ESynEditSearchError& error) {
        EXPECT_STREQ(error.what(), "Pattern is empty");
    }
    // A pattern set later makes the engine usable; clearing it again is refused again.
    search.AssignPattern("x");
    EXPECT_EQ(search.ScanLine("x x"), 2);
    search.AssignPattern("");
    EXPECT_THROW(search.ScanLine("x"), ESynEditSearchError);
}

TEST(SynEditSearch, NewPatternOrCaseRuleTakesEffectAtNextScan) {
    TSynEditSearch search;
    search.AssignPattern("spr");
    EXPECT_EQ(Scan(search, "SPR spr"), (Columns{1, 5}));
    search.SetMatchCase(true);
    EXPECT_EQ(Scan(search, "SPR spr"), Columns{5});
    search.AssignPattern("SPR");
    EXPECT_EQ(Scan(search, "SPR spr"), Columns{1});
    search.SetMatchCase(false);
    search.SetWholeWordsOnly(true);
    EXPECT_EQ(Scan(search, "SPR_x sprite"), Columns{1});
}

TEST(SynEditSearch, EnginesKeepTheirOwnCaseRules) {
    TSynEditSearch sensitive, insensitive;
    sensitive.AssignPattern("Joy");
    insensitive.AssignPattern("Joy");
    sensitive.SetMatchCase(true);
    const std::string line = "joy(0) & Joy & JOY";
    EXPECT_EQ(Scan(sensitive, line), Columns{10});
    EXPECT_EQ(Scan(insensitive, line), (Columns{1, 10, 16}));
    EXPECT_EQ(Scan(sensitive, line), Columns{10});
}

TEST(SynEditSearch, MatchListAccessAndAdjustment) {
    TSynEditSearch search;
    search.AssignPattern("ab");
    EXPECT_EQ(search.MatchCount(), 0);
    const std::string line = "    ab     ab      ab";
    ASSERT_EQ(Scan(search, line), (Columns{5, 12, 20}));
    EXPECT_EQ(search.MatchAt(-1), 0);
    EXPECT_EQ(search.MatchAt(3), 0);

    // The match at 5 was replaced by a text two characters longer than the pattern.
    search.AdjustMatches(5, -2);
    EXPECT_EQ((Columns{search.MatchAt(0), search.MatchAt(1), search.MatchAt(2)}),
              (Columns{5, 14, 22}));
    search.AdjustMatches(14, 0);
    EXPECT_EQ(search.MatchAt(2), 22);
    search.AdjustMatches(14, 1);
    EXPECT_EQ((Columns{search.MatchAt(0), search.MatchAt(1), search.MatchAt(2)}),
              (Columns{5, 14, 21}));

    // The next scan replaces the list.
    EXPECT_EQ(search.ScanLine("nothing"), 0);
    EXPECT_EQ(search.MatchAt(0), 0);
}

// Plain reference: every window from left to right, leftmost valid match first, and the
// search goes on after a match.
Columns NaiveSearch(const std::string& pattern, const std::string& line, bool matchCase,
                    bool wholeWords) {
    auto fold = [&](char c) {
        auto u = static_cast<unsigned char>(c);
        return matchCase ? u : CodePageLower(u);
    };
    auto delimiter = [](char c) { return !CodePageIsAlphaNumeric(static_cast<unsigned char>(c)); };
    Columns result;
    const std::size_t length = pattern.size();
    for (std::size_t begin = 0; begin + length <= line.size();) {
        bool equal = true;
        for (std::size_t i = 0; i < length && equal; ++i)
            equal = fold(line[begin + i]) == fold(pattern[i]);
        if (equal && wholeWords) {
            equal = (begin == 0 || delimiter(line[begin - 1])) &&
                    (begin + length == line.size() || delimiter(line[begin + length]));
        }
        if (equal) {
            result.push_back(static_cast<int>(begin) + 1);
            begin += length;
        } else {
            ++begin;
        }
    }
    return result;
}

TEST(SynEditSearch, AgreesWithReferenceSearchOnRandomText) {
    std::mt19937 random(20240611);
    // A small alphabet makes matches, near misses and repeats frequent; it holds case pairs
    // (ASCII and accented), a digit and delimiters.
    const std::string alphabet = "aAbB_ 1.\xE9\xC9";
    auto text = [&](std::size_t length) {
        std::string result;
        for (std::size_t i = 0; i < length; ++i)
            result.push_back(alphabet[random() % alphabet.size()]);
        return result;
    };
    TSynEditSearch search;
    for (int round = 0; round < 20000; ++round) {
        const std::string pattern = text(1 + random() % (round % 5 == 0 ? 20 : 5));
        // Lengths around the block sizes of the scan: short, 16-window and 64-window bounds.
        const std::string line = text(random() % (round % 3 == 0 ? 200 : 90));
        const bool matchCase = random() % 2;
        const bool wholeWords = random() % 2;
        search.AssignPattern(pattern);
        search.SetMatchCase(matchCase);
        search.SetWholeWordsOnly(wholeWords);
        // The line is a copy of exactly its length, so a read past its end shows under the
        // address sanitizer.
        const std::string copy(line);
        ASSERT_EQ(Scan(search, std::string_view(copy)),
                  NaiveSearch(pattern, line, matchCase, wholeWords))
            << "pattern '" << pattern << "' line '" << line << "' case " << matchCase << " words "
            << wholeWords;
    }
}

}  // namespace
