// Whole-file search on the one-line search engine: a file is one long "line" to the engine,
// which cannot match across a line break since the text holds none.
#include "project/text_finder.h"

#include <algorithm>
#include <cstring>

bool IsNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

TTextFinder::TTextFinder(std::string_view text, bool matchCase, bool wholeWords)
    : m_text(text), m_wholeWords(wholeWords) {
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
    const bool hasCr = std::memchr(content.data(), '\r', content.size()) != nullptr;
    int count = 0;
    // Where the line of the last occurrence starts, and its number.
    std::size_t lineStart = 0;
    int lineNumber = 1;
    std::size_t counted = 0;  // line breaks before this position are in lineNumber

    auto report = [&](std::size_t begin) {
        if (!hasCr) {
            lineNumber += static_cast<int>(
                std::count(content.data() + counted, content.data() + begin, '\n'));
            const auto* last = static_cast<const char*>(
                ::memrchr(content.data() + counted, '\n', begin - counted));
            if (last != nullptr) lineStart = static_cast<std::size_t>(last - content.data()) + 1;
        } else {
            for (std::size_t i = counted; i < begin; ++i) {
                const char c = content[i];
                if (c == '\n' ||
                    (c == '\r' && (i + 1 >= content.size() || content[i + 1] != '\n'))) {
                    ++lineNumber;
                    lineStart = i + 1;
                }
            }
        }
        counted = begin;
        std::size_t lineEnd = content.find_first_of(hasCr ? "\r\n" : "\n", begin);
        if (lineEnd == std::string_view::npos) lineEnd = content.size();
        ++count;
        found(TTextMatch{lineNumber, static_cast<int>(begin - lineStart) + 1,
                         content.substr(lineStart, lineEnd - lineStart)});
    };

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
