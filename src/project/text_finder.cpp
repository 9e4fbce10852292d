// Whole-file search on the one-line search engine: a file is one long "line" to the engine,
// which cannot match across a line break since the text holds none.
#include "project/text_finder.h"

#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// The number of LF bytes in [text, text + length); sawCr tells whether a CR is among them.
// Sixteen bytes at a time where the processor allows: counting the lines up to the occurrences
// is most of the work once the search itself has found them.
int CountLineFeeds(const char* text, std::size_t length, bool& sawCr) {
    int count = 0;
    std::size_t i = 0;
    sawCr = false;
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    __m128i crSeen = _mm_setzero_si128();
    for (; i + 16 <= length; i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
        count += std::popcount(static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, lf))));
        crSeen = _mm_or_si128(crSeen, _mm_cmpeq_epi8(block, cr));
    }
    sawCr = _mm_movemask_epi8(crSeen) != 0;
#endif
    for (; i < length; ++i) {
        count += text[i] == '\n';
        sawCr = sawCr || text[i] == '\r';
    }
    return count;
}

}  // namespace

bool IsNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

TTextFinder::TTextFinder(std::string_view text, bool matchCase, bool wholeWords)
    : m_text(text), m_matchCase(matchCase), m_wholeWords(wholeWords) {
    // A line break cannot be part of a line; such a text is cut there, as a one-line box would.
    m_text = m_text.substr(0, m_text.find_first_of("\r\n"));
    m_textHasNonWord =
        std::any_of(m_text.begin(), m_text.end(), [](char c) { return !IsNameChar(c); });
    m_search.SetMatchCase(matchCase);
    m_search.SetWholeWordsOnly(false);
    if (!m_text.empty()) m_search.AssignPattern(m_text);
}

bool TTextFinder::IsWholeWord(std::string_view content, std::size_t begin) const {
    const std::size_t end = begin + m_text.size();
    if (begin > 0 && IsNameChar(content[begin - 1])) return false;
    return end >= content.size() || !IsNameChar(content[end]);
}

int TTextFinder::FindAll(std::string_view content,
                         const std::function<void(const TTextMatch&)>& found) {
    if (m_text.empty() || content.size() < m_text.size()) return 0;
    int count = 0;
    // Where the line of the last occurrence starts, and its number.
    std::size_t lineStart = 0;
    int lineNumber = 1;
    std::size_t counted = 0;  // line breaks before this position are in lineNumber

    // Lines are counted only up to the occurrences, as few bytes as possible being looked at:
    // a file without a CR (nearly every one) needs one counting pass over that stretch.
    auto countLines = [&](std::size_t end) {
        const char* from = content.data() + counted;
        const std::size_t length = end - counted;
        bool sawCr = false;
        const int lineFeeds = CountLineFeeds(from, length, sawCr);
        if (!sawCr) {
            lineNumber += lineFeeds;
            const auto* last = static_cast<const char*>(::memrchr(from, '\n', length));
            if (last != nullptr) lineStart = static_cast<std::size_t>(last - content.data()) + 1;
        } else {
            for (std::size_t i = counted; i < end; ++i) {
                const char c = content[i];
                // CR LF counts once, at its LF; a lone CR ends a line of its own.
                if (c == '\n' ||
                    (c == '\r' && (i + 1 >= content.size() || content[i + 1] != '\n'))) {
                    ++lineNumber;
                    lineStart = i + 1;
                }
            }
        }
        counted = end;
    };

    auto report = [&](std::size_t begin) {
        countLines(begin);
        std::size_t lineEnd = content.find_first_of("\r\n", begin);
        if (lineEnd == std::string_view::npos) lineEnd = content.size();
        ++count;
        found(TTextMatch{lineNumber, static_cast<int>(begin - lineStart) + 1,
                         content.substr(lineStart, lineEnd - lineStart)});
    };

    if (m_matchCase) {
        // Exact bytes: the C library's substring search, which scans many bytes per step. A
        // failed word test moves on by one byte, since a word occurrence may start inside it.
        for (std::size_t from = 0; from + m_text.size() <= content.size();) {
            const void* hit = ::memmem(content.data() + from, content.size() - from, m_text.data(),
                                       m_text.size());
            if (hit == nullptr) break;
            const auto begin =
                static_cast<std::size_t>(static_cast<const char*>(hit) - content.data());
            if (!m_wholeWords || IsWholeWord(content, begin)) {
                report(begin);
                from = begin + m_text.size();
            } else {
                from = begin + 1;
            }
        }
        return count;
    }

    std::size_t from = 0;
    while (from + m_text.size() <= content.size()) {
        const std::string_view rest = content.substr(from);
        const int matches = m_search.ScanLine(rest);
        std::size_t restart = std::string_view::npos;
        for (int i = 0; i < matches; ++i) {
            const std::size_t begin = from + static_cast<std::size_t>(m_search.MatchAt(i)) - 1;
            if (!m_wholeWords || IsWholeWord(content, begin)) {
                report(begin);
                continue;
            }
            // A word occurrence may begin inside this failed one; the engine skipped it.
            if (m_textHasNonWord) {
                restart = begin + 1;
                break;
            }
        }
        if (restart == std::string_view::npos) break;
        from = restart;
    }
    return count;
}
