// The search engine: finds every occurrence of a pattern in one line of text at a time with
// Sunday's quick search, under its own case rule and optional whole-word test.
#pragma once

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Raised when a line is scanned while the pattern is empty.
class ESynEditSearchError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class TSynEditSearch {
  public:
    TSynEditSearch();

    // A pattern that differs from the current one (compared exactly) invalidates the tables.
    void AssignPattern(std::string_view pattern);
    const std::string& Pattern() const { return m_pattern; }
    // A new case rule invalidates the tables; off at creation.
    void SetMatchCase(bool matchCase);
    bool MatchCase() const { return m_caseSensitive; }
    // Takes effect at the next match test; off at creation.
    void SetWholeWordsOnly(bool wholeWordsOnly) { m_wholeWordsOnly = wholeWordsOnly; }

    // Fills the match list with the 1-based columns of all non-overlapping matches in the line
    // and returns their number. Throws ESynEditSearchError("Pattern is empty") when there is
    // no pattern.
    int ScanLine(std::string_view line);
    int MatchCount() const { return static_cast<int>(m_matches.size()); }
    // The match column at a 0-based index; 0 for an index outside the list.
    int MatchAt(int index) const;
    // After the match at column was replaced by a text delta characters shorter than the
    // pattern (negative when longer), moves the later matches of the line by -delta.
    void AdjustMatches(int column, int delta);

  private:
    void PrepareTables();
    // 1-based column of the next match of the line being scanned, or 0 when there is none.
    int NextMatch();
    // Same matches as the NextMatch loop, found 16 window positions at a time: only windows
    // whose first and last characters fit the pattern are compared in full. Needs a line of
    // at least the pattern length + 15 characters.
    void ScanWithFilter();
    bool WindowEquals(std::size_t begin) const;
    bool IsWholeWord(std::size_t begin, std::size_t end) const;

    std::string m_pattern;
    bool m_caseSensitive = false;
    bool m_wholeWordsOnly = false;
    bool m_tablesReady = false;

    // Derived from the pattern and the case rule by PrepareTables. The shift table is indexed
    // by the raw byte with the fold already applied, so the scan loop does one look-up per step.
    const unsigned char* m_fold;
    std::string m_foldedPattern;
    std::array<std::size_t, 256> m_shift{};
    std::array<bool, 256> m_foldsToLast{};
    std::size_t m_lookAt = 1;
    // The bytes that fold to the pattern's first character (a byte and its case partner, or
    // the same byte twice) and those that fold to its last one, each repeated 16 times for the
    // filter of ScanWithFilter.
    alignas(16) unsigned char m_filterBytes[4][16] = {};
    bool m_useFilter = false;

    std::vector<int> m_matches;

    // The line being scanned and the end (one past the last character) of the current window.
    const unsigned char* m_text = nullptr;
    std::size_t m_size = 0;
    std::size_t m_windowEnd = 0;
};
