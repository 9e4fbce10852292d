// The C scanner's shortcut for lines whose effect on the range state follows from a few bytes.
// Only a slash (comments), a hash (directives), a backslash (continued directives) and a line
// break byte ever change the state, and quotes hide slashes inside literals. So:
// - a line without any of the first four leaves a block comment open as it was and ends every
//   other state;
// - a line without hash, backslash, line break or quote, outside a directive, is a sequence of
//   tokens in which every slash outside a comment starts a token, so following its "//", "/*"
//   and "*/" alone gives the state.
// This is what lets the editor carry range states through long texts quickly.
#include <array>
#include <cstdint>
#include <string_view>
#include <typeinfo>

#include "highlight/syn_cpp_syn.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// What a byte means to the shortcut.
enum SkimClass : std::uint8_t { skPlain, skSlash, skStar, skOther };

constexpr std::array<std::uint8_t, 256> MakeSkimClasses() {
    std::array<std::uint8_t, 256> table{};
    table['/'] = skSlash;
    table['*'] = skStar;
    for (char c : std::string_view("#\\\n\r\"'")) table[static_cast<unsigned char>(c)] = skOther;
    return table;
}
constexpr std::array<std::uint8_t, 256> kSkimClasses = MakeSkimClasses();

constexpr std::array<bool, 256> MakeStateBytes() {
    std::array<bool, 256> table{};
    for (char c : std::string_view("/#\\\n\r")) table[static_cast<unsigned char>(c)] = true;
    return table;
}
constexpr std::array<bool, 256> kStateBytes = MakeStateBytes();

bool HasStateByte(const char* text, std::size_t length) {
#if defined(__SSE2__)
    if (length >= 16) {
        const __m128i slash = _mm_set1_epi8('/');
        const __m128i hash = _mm_set1_epi8('#');
        const __m128i backslash = _mm_set1_epi8('\\');
        const __m128i lf = _mm_set1_epi8('\n');
        const __m128i cr = _mm_set1_epi8('\r');
        auto hits = [&](std::size_t at) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + at));
            const __m128i hit = _mm_or_si128(
                _mm_or_si128(_mm_cmpeq_epi8(v, slash), _mm_cmpeq_epi8(v, hash)),
                _mm_or_si128(_mm_cmpeq_epi8(v, backslash),
                             _mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, cr))));
            return _mm_movemask_epi8(hit) != 0;
        };
        std::size_t i = 0;
        for (; i + 16 <= length; i += 16)
            if (hits(i)) return true;
        // The last bytes in one more step that overlaps the previous one.
        return i < length && hits(length - 16);
    }
#endif
    for (std::size_t i = 0; i < length; ++i)
        if (kStateBytes[static_cast<unsigned char>(text[i])]) return true;
    return false;
}

}  // namespace

bool TSynCppSyn::SkimLine(std::string_view lineText, std::int32_t& range) const {
    // A scanner built on this one may give other bytes a meaning.
    if (typeid(*this) != typeid(TSynCppSyn)) return false;
    const auto state = static_cast<std::uint8_t>(range);
    if (!HasStateByte(lineText.data(), lineText.size())) {
        range = (state == crComment || state == crDirectiveComment) ? state : std::uint8_t{crNone};
        return true;
    }
    if (state == crDirective || state == crDirectiveComment) return false;
    // One pass following "//", "/*" and "*/"; any byte of a directive or literal declines.
    bool inComment = state == crComment;
    const auto* text = reinterpret_cast<const unsigned char*>(lineText.data());
    const std::size_t length = lineText.size();
    for (std::size_t i = 0; i < length; ++i) {
        switch (kSkimClasses[text[i]]) {
            case skOther:
                return false;
            case skSlash:
                if (!inComment && i + 1 < length) {
                    if (text[i + 1] == '/') {
                        // A line comment: it runs to the line end unless a line break byte
                        // inside the line ends it early.
                        for (std::size_t k = i + 2; k < length; ++k)
                            if (text[k] == '\n' || text[k] == '\r') return false;
                        range = crNone;
                        return true;
                    }
                    if (text[i + 1] == '*') {
                        inComment = true;
                        ++i;  // "/*/" does not close the comment
                    }
                }
                break;
            case skStar:
                if (inComment && i + 1 < length && text[i + 1] == '/') {
                    inComment = false;
                    ++i;
                }
                break;
            default:
                break;
        }
    }
    range = inComment ? std::uint8_t{crComment} : std::uint8_t{crNone};
    return true;
}
