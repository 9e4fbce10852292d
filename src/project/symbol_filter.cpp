// Ranking names against typed text.
#include "project/symbol_filter.h"

#include <algorithm>
#include <cstdint>

namespace {

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsUpper(char c) {
    return c >= 'A' && c <= 'Z';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsSeparator(char c) {
    return c == '_' || c == '.' || c == '@' || c == '$';
}

// Where a word of the name begins: its start, after a separator, at an upper-case letter that
// follows a lower-case one, at the first digit of a number.
bool IsWordStart(std::string_view name, std::size_t i) {
    if (i == 0) return !IsSeparator(name[0]);
    const char before = name[i - 1];
    const char c = name[i];
    if (IsSeparator(c)) return false;
    if (IsSeparator(before)) return true;
    if (IsUpper(c) && !IsUpper(before)) return true;
    return IsDigit(c) && !IsDigit(before);
}

// The typed letters from t on match at word starts of the name from n on, each word taking one
// or more letters from its start.
bool MatchWordStarts(std::string_view typed, std::size_t t, std::string_view name, std::size_t n) {
    if (t == typed.size()) return true;
    for (std::size_t i = n; i < name.size(); ++i) {
        if (!IsWordStart(name, i) || Lower(name[i]) != Lower(typed[t])) continue;
        // Take as many letters of this word as fit, trying the longest first.
        std::size_t run = 1;
        while (t + run < typed.size() && i + run < name.size() && !IsWordStart(name, i + run) &&
               Lower(name[i + run]) == Lower(typed[t + run]))
            ++run;
        for (std::size_t take = run; take >= 1; --take) {
            if (MatchWordStarts(typed, t + take, name, i + take)) return true;
        }
    }
    return false;
}

bool InOrder(std::string_view typed, std::string_view name) {
    std::size_t t = 0;
    for (std::size_t i = 0; i < name.size() && t < typed.size(); ++i) {
        if (Lower(name[i]) == Lower(typed[t])) ++t;
    }
    return t == typed.size();
}

}  // namespace

TFitRank FitRank(std::string_view typed, std::string_view name) {
    if (typed.size() > name.size()) return TFitRank::None;
    // The cheap test first: most names do not hold the letters at all.
    if (!InOrder(typed, name)) return TFitRank::None;
    bool prefix = true;
    for (std::size_t i = 0; i < typed.size() && prefix; ++i)
        prefix = Lower(typed[i]) == Lower(name[i]);
    if (prefix) return TFitRank::Prefix;
    // A local label's "." or "@" does not count as typed.
    const std::size_t start = (!name.empty() && (name[0] == '.' || name[0] == '@')) ? 1 : 0;
    if (MatchWordStarts(typed, 0, name, start)) return TFitRank::WordStarts;
    return TFitRank::InOrder;
}

std::vector<int> FilterNames(const std::vector<std::string_view>& names,
                             const std::vector<bool>& preferred, std::string_view typed) {
    // One 64-bit key per fitting name: preferred, rank, length, index; sorting the keys sorts
    // the names.
    std::vector<std::uint64_t> keys;
    keys.reserve(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        const TFitRank rank = typed.empty() ? TFitRank::Prefix : FitRank(typed, names[i]);
        if (rank == TFitRank::None) continue;
        const bool first = i < preferred.size() && preferred[i];
        const std::uint64_t length =
            typed.empty() ? 0 : std::min<std::size_t>(names[i].size(), 0xFFF);
        keys.push_back((static_cast<std::uint64_t>(first ? 0 : 1) << 63) |
                       (static_cast<std::uint64_t>(rank) << 60) | (length << 32) | i);
    }
    std::sort(keys.begin(), keys.end());
    std::vector<int> order;
    order.reserve(keys.size());
    for (std::uint64_t key : keys) order.push_back(static_cast<int>(key & 0xFFFFFFFFu));
    return order;
}
