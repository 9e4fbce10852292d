// Mapping between Qt key codes and virtual-key codes, both ways.
#include "platform/qt/qt_keys.h"

#include <QKeyEvent>
#include <array>

namespace {

struct KeyPair {
    Qt::Key qtKey;
    TVirtualKey key;
};

// Keys whose Qt code differs from the virtual-key code (letters, digits and Space agree).
// Where several Qt keys give one virtual key, the first is the one used for key sequences.
constexpr std::array<KeyPair, 55> kKeys = {{
    {Qt::Key_Backspace, VK_BACK},
    {Qt::Key_Tab, VK_TAB},
    {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Clear, VK_CLEAR},
    {Qt::Key_Return, VK_RETURN},
    {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL},
    {Qt::Key_Alt, VK_MENU},
    {Qt::Key_AltGr, VK_MENU},
    {Qt::Key_Pause, VK_PAUSE},
    {Qt::Key_CapsLock, VK_CAPITAL},
    {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_PageUp, VK_PRIOR},
    {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END},
    {Qt::Key_Home, VK_HOME},
    {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT},
    {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Select, VK_SELECT},
    {Qt::Key_Printer, VK_PRINT},
    {Qt::Key_Execute, VK_EXECUTE},
    {Qt::Key_Print, VK_SNAPSHOT},
    {Qt::Key_Insert, VK_INSERT},
    {Qt::Key_Delete, VK_DELETE},
    {Qt::Key_Help, VK_HELP},
    {Qt::Key_Meta, VK_LWIN},
    {Qt::Key_Menu, VK_APPS},
    {Qt::Key_NumLock, VK_NUMLOCK},
    {Qt::Key_ScrollLock, VK_SCROLL},
    // Punctuation by its unshifted and shifted US characters.
    {Qt::Key_Semicolon, VK_OEM_1},
    {Qt::Key_Colon, VK_OEM_1},
    {Qt::Key_Equal, VK_OEM_PLUS},
    {Qt::Key_Plus, VK_OEM_PLUS},
    {Qt::Key_Comma, VK_OEM_COMMA},
    {Qt::Key_Less, VK_OEM_COMMA},
    {Qt::Key_Minus, VK_OEM_MINUS},
    {Qt::Key_Underscore, VK_OEM_MINUS},
    {Qt::Key_Period, VK_OEM_PERIOD},
    {Qt::Key_Greater, VK_OEM_PERIOD},
    {Qt::Key_Slash, VK_OEM_2},
    {Qt::Key_Question, VK_OEM_2},
    {Qt::Key_QuoteLeft, VK_OEM_3},
    {Qt::Key_AsciiTilde, VK_OEM_3},
    {Qt::Key_BracketLeft, VK_OEM_4},
    {Qt::Key_BraceLeft, VK_OEM_4},
    {Qt::Key_Backslash, VK_OEM_5},
    {Qt::Key_Bar, VK_OEM_5},
    {Qt::Key_BracketRight, VK_OEM_6},
    {Qt::Key_BraceRight, VK_OEM_6},
    {Qt::Key_Apostrophe, VK_OEM_7},
    {Qt::Key_QuoteDbl, VK_OEM_7},
    {Qt::Key_Space, VK_SPACE},
}};

// The shifted digit row of a US layout: index n holds the symbol on digit key n.
constexpr std::array<Qt::Key, 10> kShiftedDigits = {
    Qt::Key_ParenRight, Qt::Key_Exclam,    Qt::Key_At,          Qt::Key_NumberSign,
    Qt::Key_Dollar,     Qt::Key_Percent,   Qt::Key_AsciiCircum, Qt::Key_Ampersand,
    Qt::Key_Asterisk,   Qt::Key_ParenLeft,
};

// Keys that give their own codes on the keypad; other keypad keys (arrows, Home, Ins, ... with
// Num Lock off, Enter) are the same keys as on the main block.
TVirtualKey KeypadKey(int qtKey) {
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return static_cast<TVirtualKey>(VK_NUMPAD0 + (qtKey - Qt::Key_0));
    switch (qtKey) {
        case Qt::Key_Asterisk:
            return VK_MULTIPLY;
        case Qt::Key_Plus:
            return VK_ADD;
        case Qt::Key_Minus:
            return VK_SUBTRACT;
        case Qt::Key_Period:
        case Qt::Key_Comma:  // the decimal key of layouts with a decimal comma
            return VK_DECIMAL;
        case Qt::Key_Slash:
            return VK_DIVIDE;
        default:
            return 0;
    }
}

TVirtualKey MainKey(int qtKey) {
    if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z))
        return static_cast<TVirtualKey>(qtKey);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return static_cast<TVirtualKey>(VK_F1 + (qtKey - Qt::Key_F1));
    for (std::size_t digit = 0; digit < kShiftedDigits.size(); ++digit) {
        if (kShiftedDigits[digit] == qtKey) return static_cast<TVirtualKey>('0' + digit);
    }
    for (const KeyPair& pair : kKeys) {
        if (pair.qtKey == qtKey) return pair.key;
    }
    return 0;
}

}  // namespace

bool QtKeyToVirtualKey(int qtKey, Qt::KeyboardModifiers modifiers, TVirtualKey& key,
                       TShiftState& shift) {
    key = 0;
    if (modifiers & Qt::KeypadModifier) key = KeypadKey(qtKey);
    if (key == 0) key = MainKey(qtKey);
    shift = 0;
    if (key == 0) return false;
    // Backtab is how Qt reports Shift+Tab; keep the Shift even if the event omits it.
    if ((modifiers & Qt::ShiftModifier) || qtKey == Qt::Key_Backtab) shift |= ssShift;
    if (modifiers & Qt::ControlModifier) shift |= ssCtrl;
    if (modifiers & Qt::AltModifier) shift |= ssAlt;
    return true;
}

bool TranslateQtKey(const QKeyEvent& event, TVirtualKey& key, TShiftState& shift) {
    return QtKeyToVirtualKey(event.key(), event.modifiers(), key, shift);
}

TShortCut KeyEventToShortCut(const QKeyEvent& event) {
    TVirtualKey key = 0;
    TShiftState shift = 0;
    return TranslateQtKey(event, key, shift) ? ShortCut(key, shift) : TShortCut{0};
}

QKeySequence ShortCutToKeySequence(TShortCut value) {
    TVirtualKey key = 0;
    TShiftState shift = 0;
    ShortCutToKey(value, key, shift);

    int qtKey = 0;
    Qt::KeyboardModifiers modifiers;
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) {
        qtKey = key;
    } else if (key >= VK_F1 && key <= VK_F24) {
        qtKey = Qt::Key_F1 + (key - VK_F1);
    } else if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) {
        qtKey = Qt::Key_0 + (key - VK_NUMPAD0);
        modifiers |= Qt::KeypadModifier;
    } else {
        for (int keypadKey :
             {Qt::Key_Asterisk, Qt::Key_Plus, Qt::Key_Minus, Qt::Key_Period, Qt::Key_Slash}) {
            if (KeypadKey(keypadKey) == key) {
                qtKey = keypadKey;
                modifiers |= Qt::KeypadModifier;
            }
        }
        for (const KeyPair& pair : kKeys) {
            if (qtKey == 0 && pair.key == key) qtKey = pair.qtKey;
        }
    }
    if (qtKey == 0) return QKeySequence();
    if (shift & ssShift) modifiers |= Qt::ShiftModifier;
    if (shift & ssCtrl) modifiers |= Qt::ControlModifier;
    if (shift & ssAlt) modifiers |= Qt::AltModifier;
    return QKeySequence(QKeyCombination(modifiers, static_cast<Qt::Key>(qtKey)));
}
