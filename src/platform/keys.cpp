// Shortcut values and their texts; the key-name table is the one place that names keys.
#include "platform/keys.h"

#include <array>
#include <cctype>

namespace {

struct KeyNameEntry {
    TVirtualKey key;
    const char* name;
};

// Named keys other than digits, letters and function keys, which are named by rule.
constexpr std::array<KeyNameEntry, 49> kKeyNames = {{
    {VK_BACK, "BkSp"},
    {VK_TAB, "Tab"},
    {VK_CLEAR, "Clear"},
    {VK_RETURN, "Enter"},
    {VK_SHIFT, "Shift"},
    {VK_CONTROL, "Ctrl"},
    {VK_MENU, "Alt"},
    {VK_PAUSE, "Pause"},
    {VK_CAPITAL, "CapsLock"},
    {VK_ESCAPE, "Esc"},
    {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"},
    {VK_NEXT, "PgDn"},
    {VK_END, "End"},
    {VK_HOME, "Home"},
    {VK_LEFT, "Left"},
    {VK_UP, "Up"},
    {VK_RIGHT, "Right"},
    {VK_DOWN, "Down"},
    {VK_SELECT, "Select"},
    {VK_PRINT, "Print"},
    {VK_EXECUTE, "Execute"},
    {VK_SNAPSHOT, "PrtScr"},
    {VK_INSERT, "Ins"},
    {VK_DELETE, "Del"},
    {VK_HELP, "Help"},
    {VK_LWIN, "LWin"},
    {VK_RWIN, "RWin"},
    {VK_APPS, "Menu"},
    {VK_MULTIPLY, "Num *"},
    {VK_ADD, "Num +"},
    {VK_SEPARATOR, "Num Sep"},
    {VK_SUBTRACT, "Num -"},
    {VK_DECIMAL, "Num ."},
    {VK_DIVIDE, "Num /"},
    {VK_NUMLOCK, "NumLock"},
    {VK_SCROLL, "ScrollLock"},
    {VK_OEM_1, ";"},
    {VK_OEM_PLUS, "="},
    {VK_OEM_COMMA, ","},
    {VK_OEM_MINUS, "-"},
    {VK_OEM_PERIOD, "."},
    {VK_OEM_2, "/"},
    {VK_OEM_3, "`"},
    {VK_OEM_4, "["},
    {VK_OEM_5, "\\"},
    {VK_OEM_6, "]"},
    {VK_OEM_7, "'"},
    {VK_OEM_102, "<>"},
}};

struct Modifier {
    TShortCut bit;
    std::string_view prefix;
};

// The order in which modifier prefixes are written.
constexpr std::array<Modifier, 3> kModifiers = {{
    {scShift, "Shift+"},
    {scCtrl, "Ctrl+"},
    {scAlt, "Alt+"},
}};

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualNoCase(text.substr(0, prefix.size()), prefix);
}

// Parses a non-empty run of decimal digits no larger than max; -1 otherwise.
int ParseSmallNumber(std::string_view digits, int max) {
    if (digits.empty() || digits.size() > 3) return -1;
    int value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value <= max ? value : -1;
}

// The key a name stands for; 0 when the name is unknown.
TVirtualKey KeyFromName(std::string_view name) {
    if (name.size() == 1) {
        char c = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z')) return static_cast<TVirtualKey>(c);
    }
    for (const KeyNameEntry& entry : kKeyNames) {
        if (EqualNoCase(name, entry.name)) return entry.key;
    }
    if (StartsWithNoCase(name, "Num ")) {
        int digit = ParseSmallNumber(name.substr(4), 9);
        if (digit >= 0 && name.size() == 5) return static_cast<TVirtualKey>(VK_NUMPAD0 + digit);
    }
    if (name.size() >= 2 && (name[0] == 'F' || name[0] == 'f')) {
        int n = ParseSmallNumber(name.substr(1), 24);
        if (n >= 1 && name[1] != '0') return static_cast<TVirtualKey>(VK_F1 + n - 1);
    }
    if (name.size() >= 2 && name[0] == '#') {
        int code = ParseSmallNumber(name.substr(1), 255);
        if (code > 0) return static_cast<TVirtualKey>(code);
    }
    return 0;
}

}  // namespace

TShortCut ShortCut(TVirtualKey key, TShiftState shift) {
    TShortCut value = key & 0xFF;
    if (shift & ssShift) value |= scShift;
    if (shift & ssCtrl) value |= scCtrl;
    if (shift & ssAlt) value |= scAlt;
    return value;
}

void ShortCutToKey(TShortCut value, TVirtualKey& key, TShiftState& shift) {
    key = value & 0xFF;
    shift = 0;
    if (value & scShift) shift |= ssShift;
    if (value & scCtrl) shift |= ssCtrl;
    if (value & scAlt) shift |= ssAlt;
}

std::string KeyName(TVirtualKey key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return std::string(1, static_cast<char>(key));
    // Appending to a prefix string (rather than "literal" + string) keeps GCC 12's -Wrestrict
    // false positive out of release builds.
    auto numbered = [](std::string prefix, int number) { return prefix += std::to_string(number); };
    if (key >= VK_F1 && key <= VK_F24) return numbered("F", key - VK_F1 + 1);
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) return numbered("Num ", key - VK_NUMPAD0);
    for (const KeyNameEntry& entry : kKeyNames) {
        if (entry.key == key) return entry.name;
    }
    return numbered("#", key);
}

std::string ShortCutToText(TShortCut value) {
    if (value == 0) return "";
    std::string text;
    for (const Modifier& modifier : kModifiers) {
        if (value & modifier.bit) text += modifier.prefix;
    }
    return text + KeyName(value & 0xFF);
}

TShortCut TextToShortCut(std::string_view text) {
    TShortCut modifiers = 0;
    for (bool found = true; found;) {
        found = false;
        for (const Modifier& modifier : kModifiers) {
            // "Ctrl+" alone leaves no key name: the trailing text must name the key.
            if (text.size() > modifier.prefix.size() && StartsWithNoCase(text, modifier.prefix)) {
                modifiers |= modifier.bit;
                text.remove_prefix(modifier.prefix.size());
                found = true;
            }
        }
    }
    TVirtualKey key = KeyFromName(text);
    return key == 0 ? 0 : static_cast<TShortCut>(modifiers | key);
}
