// The keyword classification of the C/C++ highlighter: the identifier characters, their hash
// values, and a table of keywords indexed by the hash of a run of identifier characters.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

// Hashes of identifier runs from this value on are never keywords.
inline constexpr std::size_t kCppKeywordHashLimit = 207;

// True for 0-9, A-Z, "_" and a-z.
bool IsCppIdentChar(unsigned char c);
// "A"-"Z" give 1-26, "a"-"z" give 2-27, every other character 0.
int CppKeywordCharHash(unsigned char c);

// The 94 keywords, in alphabetical order.
std::span<const std::string_view> CppKeywords();

class TCppKeywordTable {
  public:
    // Whether the run, whose hash values sum to hash, is a keyword (letter case counts).
    bool IsKeyword(std::string_view run, std::uint64_t hash) const {
        if (hash >= kCppKeywordHashLimit) return false;
        for (std::string_view keyword : m_buckets[hash])
            if (keyword == run) return true;
        return false;
    }

    // The table built once for the whole program.
    static const TCppKeywordTable& Instance();

  private:
    TCppKeywordTable();
    static constexpr std::size_t kMaxBucket = 6;
    struct Bucket {
        std::array<std::string_view, kMaxBucket> keywords{};
        std::size_t count = 0;
        const std::string_view* begin() const { return keywords.data(); }
        const std::string_view* end() const { return keywords.data() + count; }
    };
    std::array<Bucket, kCppKeywordHashLimit> m_buckets{};
};
