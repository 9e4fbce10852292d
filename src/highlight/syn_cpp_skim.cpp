// The C scanner's shortcut for lines whose effect on the range state follows from a few bytes.
// Only a slash (comments), a hash (directives), a backslash (continued directives) and a line
// break byte ever change the state, and quotes hide slashes inside literals. So:
// - a line without any of the first four leaves a block comment open as it was and ends every
//   other state;
// - a line without hash, backslash, line break or quote, outside a directive, is a sequence of
//   tokens in which every slash outside a comment starts a token, so following its "//", "/*"
//   and "*/" alone gives the state.
// This is what lets the editor carry range states through long texts quickly.
#include <cstring>
#include <typeinfo>

#include "highlight/syn_cpp_syn.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

bool IsStateByte(unsigned char c) {
    return c == '/' || c == '#' || c == '\\' || c == '\n' || c == '\r';
}

bool HasStateByte(const char* text, std::size_t length) {
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i slash = _mm_set1_epi8('/');
    const __m128i hash = _mm_set1_epi8('#');
    const __m128i backslash = _mm_set1_epi8('\\');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    for (; i + 16 <= length; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
        const __m128i hit =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, slash), _mm_cmpeq_epi8(v, hash)),
                         _mm_or_si128(_mm_cmpeq_epi8(v, backslash),
                                      _mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, cr))));
        if (_mm_movemask_epi8(hit) != 0) return true;
    }
#endif
    for (; i < length; ++i)
        if (IsStateByte(static_cast<unsigned char>(text[i]))) return true;
    return false;
}

bool HasDirectiveOrLiteralByte(const char* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        const char c = text[i];
        if (c == '#' || c == '\\' || c == '\n' || c == '\r' || c == '"' || c == '\'') return true;
    }
    return false;
}

// Position just after the "*/" that closes a comment whose text starts at `from`, or npos.
std::size_t CommentEnd(std::string_view text, std::size_t from) {
    const std::size_t end = text.find("*/", from);
    return end == std::string_view::npos ? end : end + 2;
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
    if (HasDirectiveOrLiteralByte(lineText.data(), lineText.size())) return false;
    std::size_t pos = 0;
    if (state == crComment) {
        pos = CommentEnd(lineText, 0);
        if (pos == std::string_view::npos) {
            range = crComment;
            return true;
        }
    }
    while (true) {
        const std::size_t slash = lineText.find('/', pos);
        if (slash == std::string_view::npos || slash + 1 >= lineText.size()) break;
        const char next = lineText[slash + 1];
        if (next == '/') break;  // a line comment runs to the line end
        if (next == '*') {
            pos = CommentEnd(lineText, slash + 2);
            if (pos == std::string_view::npos) {
                range = crComment;
                return true;
            }
        } else {
            pos = slash + 1;
        }
    }
    range = crNone;
    return true;
}
