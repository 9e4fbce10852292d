// Exceptions of the text drawer layers: the font stock's and the drawer's own error for a
// missing font, and the internal consistency check that reports "Assertion failure".
#pragma once

#include <stdexcept>
#include <string>

class EheFontStockException : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class EheTextDrawerException : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A failed internal consistency check of the drawer code.
class ETextDrawerAssertion : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Throws ETextDrawerAssertion when the condition is false; the message names the unit and the
// line of the check, after the check's own text when it has one.
void TextDrawerAssert(bool condition, int line, const char* message = nullptr);

#define SYN_TEXT_DRAWER_ASSERT(cond, ...) \
    TextDrawerAssert((cond), __LINE__ __VA_OPT__(, ) __VA_ARGS__)
