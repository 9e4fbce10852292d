// Text-to-integer conversion with the "$" hexadecimal form.
#include "platform/str_to_int.h"

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

bool TryStrToInt(std::string_view text, std::int32_t& value) {
    std::size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    bool hex = false;
    if (pos < text.size() && text[pos] == '$') {
        hex = true;
        ++pos;
    } else if (pos + 1 < text.size() && text[pos] == '0' &&
               (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
        hex = true;
        pos += 2;
    }
    if (pos >= text.size()) return false;

    std::uint64_t magnitude = 0;
    for (; pos < text.size(); ++pos) {
        const int digit = hex ? HexDigit(text[pos])
                              : (text[pos] >= '0' && text[pos] <= '9' ? text[pos] - '0' : -1);
        if (digit < 0) return false;
        magnitude = magnitude * (hex ? 16 : 10) + static_cast<unsigned>(digit);
        if (magnitude > 0xFFFFFFFFull) return false;
    }

    if (hex) {
        // Hexadecimal text names a bit pattern: eight digits cover the whole 32-bit word.
        std::uint32_t bits = static_cast<std::uint32_t>(magnitude);
        if (negative) bits = 0u - bits;
        value = static_cast<std::int32_t>(bits);
        return true;
    }
    if (negative) {
        if (magnitude > 0x80000000ull) return false;
        value = static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude));
    } else {
        if (magnitude > 0x7FFFFFFFull) return false;
        value = static_cast<std::int32_t>(magnitude);
    }
    return true;
}

std::int32_t StrToInt(std::string_view text) {
    std::int32_t value = 0;
    if (!TryStrToInt(text, value)) {
        throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
    }
    return value;
}

std::string IntToStr(std::int64_t value) {
    return std::to_string(value);
}
