// The general text-to-integer conversion used for colour values and other numbers read as text:
// an optional sign and decimal digits, or "$" (or "0x") followed by hexadecimal digits.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

// Raised when a text is not a valid integer; the message names the offending text.
class EConvertError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Converts text to a 32-bit integer. Decimal values must fit the signed 32-bit range;
// hexadecimal values of up to eight digits wrap into it ("$FFFFFFFF" is -1), so colour values
// such as 0x80000005 round-trip. Throws EConvertError("'<text>' is not a valid integer value").
std::int32_t StrToInt(std::string_view text);

// Like StrToInt, but returns false instead of throwing.
bool TryStrToInt(std::string_view text, std::int32_t& value);

// Signed decimal text of a value.
std::string IntToStr(std::int64_t value);
