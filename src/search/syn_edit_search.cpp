// Sunday's quick search over one line, and on x86-64 a 16-window filter that finds the same
// matches on longer lines several times faster. The line is a string_view that is never read
// past its end; the position just after the line stands for a terminating zero byte, which is a
// word delimiter and shifts the window by the full pattern length plus one.
#include "search/syn_edit_search.h"

#include <algorithm>
#include <bit>
#include <cstdint>

#include "search/search_tables.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Collects the (at most two) bytes whose folded form is folded; false when there are more.
bool FoldPreimage(const unsigned char* fold, unsigned char folded, unsigned char (&bytes)[2]) {
    int count = 0;
    for (int c = 0; c < 256; ++c) {
        if (fold[c] != folded) continue;
        if (count == 2) return false;
        bytes[count++] = static_cast<unsigned char>(c);
    }
    if (count == 1) bytes[1] = bytes[0];
    return count > 0;
}

}  // namespace

TSynEditSearch::TSynEditSearch() : m_fold(SearchFoldTable(false)) {}

void TSynEditSearch::AssignPattern(std::string_view pattern) {
    if (pattern == m_pattern) return;
    m_pattern.assign(pattern);
    m_tablesReady = false;
}

void TSynEditSearch::SetMatchCase(bool matchCase) {
    if (matchCase == m_caseSensitive) return;
    m_caseSensitive = matchCase;
    m_tablesReady = false;
}

void TSynEditSearch::PrepareTables() {
    const std::size_t length = m_pattern.size();
    if (length == 0) throw ESynEditSearchError("Pattern is empty");
    m_fold = SearchFoldTable(m_caseSensitive);

    m_foldedPattern.resize(length);
    for (std::size_t i = 0; i < length; ++i)
        m_foldedPattern[i] = static_cast<char>(m_fold[static_cast<unsigned char>(m_pattern[i])]);
    const auto last = static_cast<unsigned char>(m_foldedPattern.back());

    // Shift by folded character: the rightmost occurrence in the pattern decides.
    std::array<std::size_t, 256> foldedShift;
    foldedShift.fill(length + 1);
    for (std::size_t i = 0; i < length; ++i)
        foldedShift[static_cast<unsigned char>(m_foldedPattern[i])] = length - i;
    for (int c = 0; c < 256; ++c) {
        m_shift[c] = foldedShift[m_fold[c]];
        m_foldsToLast[c] = m_fold[c] == last;
    }

    // Distance back from the last character to its previous occurrence in the pattern.
    m_lookAt = 1;
    while (m_lookAt < length &&
           static_cast<unsigned char>(m_foldedPattern[length - 1 - m_lookAt]) != last)
        ++m_lookAt;

#if defined(__SSE2__)
    unsigned char firstBytes[2] = {0, 0}, lastBytes[2] = {0, 0};
    m_useFilter =
        FoldPreimage(m_fold, static_cast<unsigned char>(m_foldedPattern.front()), firstBytes) &&
        FoldPreimage(m_fold, last, lastBytes);
    for (int i = 0; i < 16; ++i) {
        m_filterBytes[0][i] = firstBytes[0];
        m_filterBytes[1][i] = firstBytes[1];
        m_filterBytes[2][i] = lastBytes[0];
        m_filterBytes[3][i] = lastBytes[1];
    }
#endif
    m_tablesReady = true;
}

int TSynEditSearch::ScanLine(std::string_view line) {
    if (!m_tablesReady) PrepareTables();
    m_matches.clear();
    if (line.size() < m_pattern.size()) return 0;
    m_text = reinterpret_cast<const unsigned char*>(line.data());
    m_size = line.size();
#if defined(__SSE2__)
    if (m_useFilter && m_size >= m_pattern.size() + 15) {
        ScanWithFilter();
        return MatchCount();
    }
#endif
    m_windowEnd = 0;
    for (int column = NextMatch(); column > 0; column = NextMatch()) m_matches.push_back(column);
    return MatchCount();
}

int TSynEditSearch::NextMatch() {
    const std::size_t length = m_pattern.size();
    const unsigned char* text = m_text;
    const std::size_t size = m_size;
    std::size_t end = m_windowEnd + length;
    for (;;) {
        // Slide until the window's last character matches the pattern's last one; the shift
        // comes from the byte just after the window.
        while (end < size && !m_foldsToLast[text[end - 1]]) end += m_shift[text[end]];
        // At end == size the byte after the window is the terminator, whose shift leaves the
        // line.
        if (end > size || !m_foldsToLast[text[end - 1]]) return 0;

        const std::size_t begin = end - length;
        if (WindowEquals(begin) && (!m_wholeWordsOnly || IsWholeWord(begin, end))) {
            m_windowEnd = end;
            return static_cast<int>(begin) + 1;
        }
        end += m_lookAt;
        if (end > size) return 0;
        end += m_shift[text[end - 1]] - 1;
    }
}

#if defined(__SSE2__)
void TSynEditSearch::ScanWithFilter() {
    const std::size_t length = m_pattern.size();
    const std::size_t lastBegin = m_size - length;
    const auto* filter = reinterpret_cast<const __m128i*>(m_filterBytes);
    const __m128i first0 = _mm_load_si128(filter);
    const __m128i first1 = _mm_load_si128(filter + 1);
    const __m128i last0 = _mm_load_si128(filter + 2);
    const __m128i last1 = _mm_load_si128(filter + 3);
    // Bit i: the window that begins at base + i has fitting first and last characters.
    auto candidates = [&](std::size_t base) {
        const __m128i firsts = _mm_loadu_si128(reinterpret_cast<const __m128i*>(m_text + base));
        const __m128i lasts =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(m_text + base + length - 1));
        const __m128i fit = _mm_and_si128(
            _mm_or_si128(_mm_cmpeq_epi8(firsts, first0), _mm_cmpeq_epi8(firsts, first1)),
            _mm_or_si128(_mm_cmpeq_epi8(lasts, last0), _mm_cmpeq_epi8(lasts, last1)));
        return static_cast<unsigned>(_mm_movemask_epi8(fit));
    };
    // Windows that begin inside the previous match are skipped: matches never overlap.
    std::size_t nextAllowed = 0;
    auto verify = [&](std::size_t base, std::uint64_t mask) {
        while (mask != 0) {
            const std::size_t begin = base + static_cast<std::size_t>(std::countr_zero(mask));
            mask &= mask - 1;
            if (begin < nextAllowed) continue;
            if (WindowEquals(begin) && (!m_wholeWordsOnly || IsWholeWord(begin, begin + length))) {
                m_matches.push_back(static_cast<int>(begin) + 1);
                nextAllowed = begin + length;
            }
        }
    };

    // The first 64 windows as four blocks, the later ones clamped to end at the last window:
    // no branch on the line length for the usual line, and no block reads past the line.
    const std::size_t lastBlock = lastBegin - 15;
    std::uint64_t mask = candidates(0);
    for (std::size_t block = 16; block < 64; block += 16) {
        const std::size_t base = std::min(block, lastBlock);
        mask |= static_cast<std::uint64_t>(candidates(base)) << base;
    }
    if (mask != 0) verify(0, mask);
    if (lastBegin < 64) return;

    std::size_t base = 64;
    for (; base + 15 <= lastBegin; base += 16)
        if (unsigned blockMask = candidates(base)) verify(base, blockMask);
    if (base <= lastBegin) {
        // Positions of the last block before base were examined already.
        verify(lastBlock, candidates(lastBlock) & ~((1u << (base - lastBlock)) - 1));
    }
}
#endif

bool TSynEditSearch::WindowEquals(std::size_t begin) const {
    const unsigned char* window = m_text + begin;
    const auto* pattern = reinterpret_cast<const unsigned char*>(m_foldedPattern.data());
    for (std::size_t i = 0, n = m_foldedPattern.size(); i < n; ++i)
        if (m_fold[window[i]] != pattern[i]) return false;
    return true;
}

bool TSynEditSearch::IsWholeWord(std::size_t begin, std::size_t end) const {
    const bool* delimiter = SearchDelimiterTable();
    if (begin > 0 && !delimiter[m_text[begin - 1]]) return false;
    return end == m_size || delimiter[m_text[end]];
}

int TSynEditSearch::MatchAt(int index) const {
    if (index < 0 || index >= MatchCount()) return 0;
    return m_matches[static_cast<std::size_t>(index)];
}

void TSynEditSearch::AdjustMatches(int column, int delta) {
    if (delta == 0) return;
    for (auto it = m_matches.rbegin(); it != m_matches.rend() && *it > column; ++it) *it -= delta;
}
