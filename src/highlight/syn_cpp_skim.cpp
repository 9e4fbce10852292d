// The C scanner's shortcut for lines whose effect on the range state follows from a few bytes.
// Only a slash (comments), a hash (directives), a backslash (continued directives) and a line
// break byte ever change the state, and quotes hide slashes inside literals. So:
// - a line without any of those five leaves a block comment open as it was and ends every
//   other state;
// - a line without line break bytes, outside a directive, is a sequence of tokens in which
//   every slash and quote outside a comment or literal starts a token; up to a hash or
//   backslash there (where the shortcut gives up) or a line comment (which hides the rest),
//   following its "//", "/*", "*/" and literals gives the state.
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

// What a byte means to the comment walk.
enum SkimClass : std::uint8_t { skPlain, skSlash, skStar, skQuote, skOther };

constexpr std::array<std::uint8_t, 256> MakeSkimClasses() {
    std::array<std::uint8_t, 256> table{};
    table['/'] = skSlash;
    table['*'] = skStar;
    table['"'] = skQuote;
    table['\''] = skQuote;
    for (char c : std::string_view("#\\\n\r")) table[static_cast<unsigned char>(c)] = skOther;
    return table;
}
constexpr std::array<std::uint8_t, 256> kSkimClasses = MakeSkimClasses();

enum LineKind { lkPlain, lkComments, lkBreaks };

#if defined(__SSE2__)
// Bits of the 16 bytes at `p` equal to any of `bytes`.
template <std::size_t N>
unsigned MaskOf(const char* p, const __m128i (&bytes)[N]) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    __m128i hit = _mm_cmpeq_epi8(v, bytes[0]);
    for (std::size_t k = 1; k < N; ++k) hit = _mm_or_si128(hit, _mm_cmpeq_epi8(v, bytes[k]));
    return static_cast<unsigned>(_mm_movemask_epi8(hit));
}
#endif

// Whether the line holds none of the state bytes, some but no line break, or a line break.
LineKind KindOf(const char* text, std::size_t length) {
    bool some = false;
#if defined(__SSE2__)
    if (length >= 16) {
        const __m128i state[3] = {_mm_set1_epi8('/'), _mm_set1_epi8('#'), _mm_set1_epi8('\\')};
        const __m128i breaks[2] = {_mm_set1_epi8('\n'), _mm_set1_epi8('\r')};
        // The last bytes in one more step that overlaps the previous one.
        for (std::size_t i = 0;; i += 16) {
            const char* p = text + (i + 16 <= length ? i : length - 16);
            if (MaskOf(p, breaks) != 0) return lkBreaks;
            some = some || MaskOf(p, state) != 0;
            if (i + 16 >= length) break;
        }
        return some ? lkComments : lkPlain;
    }
#endif
    for (std::size_t i = 0; i < length; ++i) {
        const char c = text[i];
        if (c == '\n' || c == '\r') return lkBreaks;
        some = some || c == '/' || c == '#' || c == '\\';
    }
    return some ? lkComments : lkPlain;
}

// Follows "//", "/*", "*/" and literals through a line without line break bytes, giving up at
// a hash or backslash outside comments and literals.
class CommentWalk {
  public:
    CommentWalk(const unsigned char* text, std::size_t length, bool inComment)
        : m_text(text), m_length(length), m_inComment(inComment) {}

    // Returns false when the line must be scanned.
    bool Run(std::int32_t& range) {
        std::size_t i = 0;
#if defined(__SSE2__)
        if (m_length >= 16) {
            const __m128i interesting[6] = {_mm_set1_epi8('/'), _mm_set1_epi8('*'),
                                            _mm_set1_epi8('#'), _mm_set1_epi8('\\'),
                                            _mm_set1_epi8('"'), _mm_set1_epi8('\'')};
            for (;; i += 16) {
                const std::size_t base = i + 16 <= m_length ? i : m_length - 16;
                unsigned mask = MaskOf(reinterpret_cast<const char*>(m_text) + base, interesting);
                if (base < i) mask &= ~((1u << (i - base)) - 1);  // seen in the step before
                while (mask != 0) {
                    const int step = Visit(base + static_cast<std::size_t>(__builtin_ctz(mask)));
                    if (step != 0) return Finish(step, range);
                    mask &= mask - 1;
                }
                if (i + 16 >= m_length) break;
            }
            return Finish(0, range);
        }
#endif
        for (; i < m_length; ++i) {
            if (kSkimClasses[m_text[i]] == skPlain) continue;
            const int step = Visit(i);
            if (step != 0) return Finish(step, range);
        }
        return Finish(0, range);
    }

  private:
    // 0: go on; 1: the state is known (a line comment); -1: give up.
    int Visit(std::size_t k) {
        if (k < m_next) return 0;  // the second byte of a pair already taken
        switch (kSkimClasses[m_text[k]]) {
            case skOther:
                // A hash or backslash outside a comment may start or continue a directive.
                return m_inComment ? 0 : -1;
            case skQuote:
                if (!m_inComment) m_next = StringEnd(k);
                return 0;
            case skSlash:
                if (!m_inComment && k + 1 < m_length) {
                    if (m_text[k + 1] == '/') return 1;
                    if (m_text[k + 1] == '*') {
                        m_inComment = true;
                        m_next = k + 2;  // "/*/" does not close the comment
                    }
                }
                return 0;
            case skStar:
                if (m_inComment && k + 1 < m_length && m_text[k + 1] == '/') {
                    m_inComment = false;
                    m_next = k + 2;
                }
                return 0;
            default:
                return 0;
        }
    }
    // End of the string or character literal whose quote is at `k`: the next own quote not
    // escaped by a backslash (which escapes only the quote and another backslash), or the
    // line end.
    std::size_t StringEnd(std::size_t k) const {
        const unsigned char quote = m_text[k];
        std::size_t r = k;
        while (true) {
            if (m_text[r] == '\\' && r + 1 < m_length &&
                (m_text[r + 1] == quote || m_text[r + 1] == '\\'))
                ++r;
            ++r;
            if (r >= m_length) return r;
            if (m_text[r] == quote) return r + 1;
        }
    }
    bool Finish(int step, std::int32_t& range) const {
        if (step < 0) return false;
        range = (step == 0 && m_inComment) ? std::uint8_t{crComment} : std::uint8_t{crNone};
        return true;
    }

    const unsigned char* m_text;
    std::size_t m_length;
    bool m_inComment;
    std::size_t m_next = 0;
};

}  // namespace

bool TSynCppSyn::SkimLine(std::string_view lineText, std::int32_t& range) const {
    // A scanner built on this one may give other bytes a meaning.
    if (typeid(*this) != typeid(TSynCppSyn)) return false;
    const auto state = static_cast<std::uint8_t>(range);
    switch (KindOf(lineText.data(), lineText.size())) {
        case lkPlain:
            range =
                (state == crComment || state == crDirectiveComment) ? state : std::uint8_t{crNone};
            return true;
        case lkBreaks:
            return false;
        case lkComments:
            break;
    }
    if (state == crDirective || state == crDirectiveComment) return false;
    return CommentWalk(reinterpret_cast<const unsigned char*>(lineText.data()), lineText.size(),
                       state == crComment)
        .Run(range);
}
