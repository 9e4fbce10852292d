// Windows-1252 tables, built once on first use and read-only afterwards.
#include "platform/codepage.h"

#include <array>

namespace {

// Unicode code points of bytes 0x80-0x9F; the five unassigned bytes map to the C1 controls
// of the same value, as the system conversion does.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

struct Tables {
    std::array<unsigned char, 256> lower{};
    std::array<unsigned char, 256> upper{};
    std::array<bool, 256> alpha{};

    Tables() {
        for (int i = 0; i < 256; ++i) {
            lower[i] = static_cast<unsigned char>(i);
            upper[i] = static_cast<unsigned char>(i);
        }
        auto pair = [this](int up, int low) {
            lower[up] = static_cast<unsigned char>(low);
            upper[low] = static_cast<unsigned char>(up);
            alpha[up] = alpha[low] = true;
        };
        for (int c = 'A'; c <= 'Z'; ++c) pair(c, c + 0x20);
        for (int c = 0xC0; c <= 0xDE; ++c)
            if (c != 0xD7) pair(c, c + 0x20);
        pair(0x8A, 0x9A);  // S caron
        pair(0x8C, 0x9C);  // OE ligature
        pair(0x8E, 0x9E);  // Z caron
        pair(0x9F, 0xFF);  // Y diaeresis
        // Letters without a case partner in the code page.
        for (int c : {0x83, 0xAA, 0xB5, 0xBA, 0xDF}) alpha[c] = true;
    }
};

const Tables& tables() {
    static const Tables t;
    return t;
}

}  // namespace

unsigned char CodePageLower(unsigned char c) {
    return tables().lower[c];
}
unsigned char CodePageUpper(unsigned char c) {
    return tables().upper[c];
}
bool CodePageIsAlphaNumeric(unsigned char c) {
    return (c >= '0' && c <= '9') || tables().alpha[c];
}
TCodePageCharClass CodePageCharClass(unsigned char c) {
    if (CodePageIsAlphaNumeric(c) || c == '_') return cccLetter;
    // Blanks, control characters, the unassigned codes, the no-break space and the soft hyphen.
    if (c <= 32 || c == 127 || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D ||
        c == 0xA0 || c == 0xAD)
        return cccOther;
    return cccSymbol;
}

std::u16string CodePageToUtf16(std::string_view text) {
    std::u16string out;
    out.resize(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<unsigned char>(text[i]);
        out[i] = (c >= 0x80 && c < 0xA0) ? kHighControls[c - 0x80] : char16_t(c);
    }
    return out;
}

std::string Utf16ToCodePage(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char16_t u = text[i];
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out.push_back(static_cast<char>(u));
            continue;
        }
        char mapped = '?';
        for (int k = 0; k < 32; ++k)
            if (kHighControls[k] == u) mapped = static_cast<char>(0x80 + k);
        // A surrogate pair is one character: one '?' for both halves.
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF)
            ++i;
        out.push_back(mapped);
    }
    return out;
}
