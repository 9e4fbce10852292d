// Virtual-key codes, modifier sets and the 16-bit shortcut values built from them, with their
// text forms ("Shift+Ctrl+F3"). Keyboard input reaches the editor and the menus in these terms
// whatever the window system delivers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A virtual-key code (only the low byte is used in shortcut values).
using TVirtualKey = std::uint16_t;

// Modifier keys held with a key: Shift = bit 0, Alt = bit 1, Ctrl = bit 2.
using TShiftState = std::uint8_t;
constexpr TShiftState ssShift = 1 << 0;
constexpr TShiftState ssAlt = 1 << 1;
constexpr TShiftState ssCtrl = 1 << 2;

// A key with its modifiers: the key in the low byte plus scShift, scCtrl and scAlt; 0 is no key.
using TShortCut = std::uint16_t;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

// Virtual-key codes. Digits and letters have no names of their own: they are '0'-'9' and 'A'-'Z'.
constexpr TVirtualKey VK_BACK = 8;
constexpr TVirtualKey VK_TAB = 9;
constexpr TVirtualKey VK_CLEAR = 12;
constexpr TVirtualKey VK_RETURN = 13;
constexpr TVirtualKey VK_SHIFT = 16;
constexpr TVirtualKey VK_CONTROL = 17;
constexpr TVirtualKey VK_MENU = 18;
constexpr TVirtualKey VK_PAUSE = 19;
constexpr TVirtualKey VK_CAPITAL = 20;
constexpr TVirtualKey VK_ESCAPE = 27;
constexpr TVirtualKey VK_SPACE = 32;
constexpr TVirtualKey VK_PRIOR = 33;
constexpr TVirtualKey VK_NEXT = 34;
constexpr TVirtualKey VK_END = 35;
constexpr TVirtualKey VK_HOME = 36;
constexpr TVirtualKey VK_LEFT = 37;
constexpr TVirtualKey VK_UP = 38;
constexpr TVirtualKey VK_RIGHT = 39;
constexpr TVirtualKey VK_DOWN = 40;
constexpr TVirtualKey VK_SELECT = 41;
constexpr TVirtualKey VK_PRINT = 42;
constexpr TVirtualKey VK_EXECUTE = 43;
constexpr TVirtualKey VK_SNAPSHOT = 44;
constexpr TVirtualKey VK_INSERT = 45;
constexpr TVirtualKey VK_DELETE = 46;
constexpr TVirtualKey VK_HELP = 47;
constexpr TVirtualKey VK_LWIN = 91;
constexpr TVirtualKey VK_RWIN = 92;
constexpr TVirtualKey VK_APPS = 93;
constexpr TVirtualKey VK_NUMPAD0 = 96;  // VK_NUMPAD0 + n is keypad digit n
constexpr TVirtualKey VK_NUMPAD9 = 105;
constexpr TVirtualKey VK_MULTIPLY = 106;
constexpr TVirtualKey VK_ADD = 107;
constexpr TVirtualKey VK_SEPARATOR = 108;
constexpr TVirtualKey VK_SUBTRACT = 109;
constexpr TVirtualKey VK_DECIMAL = 110;
constexpr TVirtualKey VK_DIVIDE = 111;
constexpr TVirtualKey VK_F1 = 112;  // VK_F1 + n - 1 is Fn, up to F24
constexpr TVirtualKey VK_F2 = 113;
constexpr TVirtualKey VK_F3 = 114;
constexpr TVirtualKey VK_F4 = 115;
constexpr TVirtualKey VK_F5 = 116;
constexpr TVirtualKey VK_F6 = 117;
constexpr TVirtualKey VK_F7 = 118;
constexpr TVirtualKey VK_F8 = 119;
constexpr TVirtualKey VK_F9 = 120;
constexpr TVirtualKey VK_F10 = 121;
constexpr TVirtualKey VK_F11 = 122;
constexpr TVirtualKey VK_F12 = 123;
constexpr TVirtualKey VK_F24 = 135;
constexpr TVirtualKey VK_NUMLOCK = 144;
constexpr TVirtualKey VK_SCROLL = 145;
// Punctuation keys, named after their unshifted character on a US layout.
constexpr TVirtualKey VK_OEM_1 = 186;       // ; :
constexpr TVirtualKey VK_OEM_PLUS = 187;    // = +
constexpr TVirtualKey VK_OEM_COMMA = 188;   // , <
constexpr TVirtualKey VK_OEM_MINUS = 189;   // - _
constexpr TVirtualKey VK_OEM_PERIOD = 190;  // . >
constexpr TVirtualKey VK_OEM_2 = 191;       // / ?
constexpr TVirtualKey VK_OEM_3 = 192;       // ` ~
constexpr TVirtualKey VK_OEM_4 = 219;       // [ {
constexpr TVirtualKey VK_OEM_5 = 220;       // \ |
constexpr TVirtualKey VK_OEM_6 = 221;       // ] }
constexpr TVirtualKey VK_OEM_7 = 222;       // ' "
constexpr TVirtualKey VK_OEM_102 = 226;     // the extra key beside left Shift on 102-key boards

// Combines a key (its low byte) and modifiers into a shortcut value.
TShortCut ShortCut(TVirtualKey key, TShiftState shift);
// Splits a shortcut value into its key and modifiers.
void ShortCutToKey(TShortCut value, TVirtualKey& key, TShiftState& shift);

// The display name of a key ("PgUp", "F3", "A"); keys without a name are written "#" + decimal
// code so that every key has a text that reads back.
std::string KeyName(TVirtualKey key);
// "Shift+", "Ctrl+", "Alt+" (in that order, as held) followed by the key's name; "" for 0.
std::string ShortCutToText(TShortCut value);
// The reverse of ShortCutToText: modifier prefixes in any order and case, then a key name
// (case-insensitive). Returns 0 when the text names no key.
TShortCut TextToShortCut(std::string_view text);
