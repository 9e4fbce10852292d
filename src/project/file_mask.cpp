// Splitting a mask into patterns and matching names against them.
#include "project/file_mask.h"

namespace {

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// '*' stands for any run of characters, '?' for one; everything else for itself, any case.
bool WildcardMatch(std::string_view pattern, std::string_view name) {
    std::size_t p = 0, n = 0;
    std::size_t starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || Lower(pattern[p]) == Lower(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

}  // namespace

TFileMask::TFileMask(std::string_view mask) {
    std::string current;
    for (char c : mask) {
        if (c == ';' || c == ',' || c == ' ' || c == '\t') {
            if (!current.empty()) m_patterns.push_back(std::move(current));
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) m_patterns.push_back(std::move(current));
}

bool TFileMask::Matches(std::string_view name) const {
    if (m_patterns.empty()) return true;
    for (const std::string& pattern : m_patterns) {
        if (WildcardMatch(pattern, name)) return true;
    }
    return false;
}
