// The system code page (Windows-1252): case folding, character classes and conversion to and
// from UTF-16 for the edges where text leaves the single-byte world (display, clipboard, input
// methods).
#pragma once

#include <string>
#include <string_view>

// Lower-case form of a byte (the system's lower-casing of a character buffer).
unsigned char CodePageLower(unsigned char c);
// Upper-case form of a byte.
unsigned char CodePageUpper(unsigned char c);
// True for letters of the code page (ASCII letters and the accented letters of 0x80-0xFF) and
// the digits 0-9.
bool CodePageIsAlphaNumeric(unsigned char c);

// Character classes that decide how far a double click selects: a run of characters of one
// class is one word. Letters include the digits and the underscore so that a C identifier is
// one word; symbols are the visible characters that are neither.
enum TCodePageCharClass : unsigned char { cccLetter, cccSymbol, cccOther };
TCodePageCharClass CodePageCharClass(unsigned char c);

// Converts code-page text to UTF-16; every byte maps to exactly one UTF-16 unit.
std::u16string CodePageToUtf16(std::string_view text);
// Converts UTF-16 to code-page text; characters the code page cannot hold become '?'.
std::string Utf16ToCodePage(std::u16string_view text);
