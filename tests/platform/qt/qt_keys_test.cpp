#include "platform/qt/qt_keys.h"

#include <gtest/gtest.h>

#include <QKeyEvent>

namespace {

// The shortcut value that a key press with this Qt key and these modifiers gives.
TShortCut Press(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                const QString& text = {}) {
    QKeyEvent event(QEvent::KeyPress, qtKey, modifiers, text);
    return KeyEventToShortCut(event);
}

}  // namespace

TEST(QtKeys, MainBlockKeysGiveTheirVirtualKeys) {
    EXPECT_EQ(Press(Qt::Key_Space, Qt::ControlModifier), 16416);
    EXPECT_EQ(Press(Qt::Key_F3), 114);
    EXPECT_EQ(Press(Qt::Key_F12, Qt::ShiftModifier), scShift | 123);
    EXPECT_EQ(Press(Qt::Key_A, Qt::ControlModifier, "\x01"), scCtrl | 'A');
    EXPECT_EQ(Press(Qt::Key_Up, Qt::ShiftModifier), 8230);
    EXPECT_EQ(Press(Qt::Key_Up, Qt::ControlModifier), 16422);
    EXPECT_EQ(Press(Qt::Key_Backspace, Qt::AltModifier | Qt::ShiftModifier), 0xA008);
    EXPECT_EQ(Press(Qt::Key_Return), VK_RETURN);
    EXPECT_EQ(Press(Qt::Key_Escape), VK_ESCAPE);
    EXPECT_EQ(Press(Qt::Key_PageDown), VK_NEXT);
    EXPECT_EQ(Press(Qt::Key_Insert, Qt::ControlModifier), scCtrl | VK_INSERT);
    // A modifier key reports itself among the held modifiers, as the system does.
    EXPECT_EQ(Press(Qt::Key_Control), scCtrl | VK_CONTROL);
    EXPECT_EQ(Press(Qt::Key_Alt), scAlt | VK_MENU);
    EXPECT_EQ(Press(Qt::Key_Backtab, Qt::NoModifier), scShift | VK_TAB);
    EXPECT_EQ(Press(Qt::Key_BracketLeft, Qt::ControlModifier), scCtrl | VK_OEM_4);
    EXPECT_EQ(Press(Qt::Key_Adiaeresis), 0);  // no virtual key on a US board
    EXPECT_EQ(Press(Qt::Key_unknown), 0);
}

TEST(QtKeys, ShiftedSymbolsMapBackToTheirKeys) {
    const Qt::KeyboardModifiers shiftCtrl = Qt::ShiftModifier | Qt::ControlModifier;
    const char* digitSymbols = ")!@#$%^&*(";
    for (int digit = 0; digit < 10; ++digit) {
        QKeyEvent event(QEvent::KeyPress, QChar(digitSymbols[digit]).unicode(), shiftCtrl);
        TVirtualKey key = 0;
        TShiftState shift = 0;
        ASSERT_TRUE(TranslateQtKey(event, key, shift)) << digit;
        EXPECT_EQ(key, '0' + digit);
        EXPECT_EQ(shift, ssShift | ssCtrl);
    }
    EXPECT_EQ(Press(Qt::Key_Plus, Qt::ShiftModifier), scShift | VK_OEM_PLUS);
    EXPECT_EQ(Press(Qt::Key_Question, Qt::ShiftModifier), scShift | VK_OEM_2);
    EXPECT_EQ(Press(Qt::Key_QuoteDbl, Qt::ShiftModifier), scShift | VK_OEM_7);
    EXPECT_EQ(Press(Qt::Key_Underscore, Qt::ShiftModifier), scShift | VK_OEM_MINUS);
}

TEST(QtKeys, KeypadKeysGiveKeypadCodesOnlyWhereTheyDiffer) {
    EXPECT_EQ(Press(Qt::Key_7, Qt::KeypadModifier), VK_NUMPAD0 + 7);
    EXPECT_EQ(Press(Qt::Key_Asterisk, Qt::KeypadModifier), VK_MULTIPLY);
    EXPECT_EQ(Press(Qt::Key_Plus, Qt::KeypadModifier | Qt::ControlModifier), scCtrl | VK_ADD);
    EXPECT_EQ(Press(Qt::Key_Minus, Qt::KeypadModifier), VK_SUBTRACT);
    EXPECT_EQ(Press(Qt::Key_Slash, Qt::KeypadModifier), VK_DIVIDE);
    EXPECT_EQ(Press(Qt::Key_Period, Qt::KeypadModifier), VK_DECIMAL);
    EXPECT_EQ(Press(Qt::Key_Enter, Qt::KeypadModifier), VK_RETURN);
    EXPECT_EQ(Press(Qt::Key_Home, Qt::KeypadModifier), VK_HOME);
    EXPECT_EQ(Press(Qt::Key_Left, Qt::KeypadModifier | Qt::ShiftModifier), scShift | VK_LEFT);
}

TEST(QtKeys, ShortCutsBecomeKeySequences) {
    EXPECT_TRUE(ShortCutToKeySequence(0).isEmpty());
    EXPECT_EQ(ShortCutToKeySequence(16416), QKeySequence(Qt::CTRL | Qt::Key_Space));
    EXPECT_EQ(ShortCutToKeySequence(114), QKeySequence(Qt::Key_F3));
    EXPECT_EQ(ShortCutToKeySequence(8306), QKeySequence(Qt::SHIFT | Qt::Key_F3));
    EXPECT_EQ(ShortCutToKeySequence(ShortCut(VK_F10, ssCtrl)),
              QKeySequence(Qt::CTRL | Qt::Key_F10));
    EXPECT_EQ(ShortCutToKeySequence(ShortCut('H', ssCtrl)), QKeySequence(Qt::CTRL | Qt::Key_H));
    EXPECT_EQ(ShortCutToKeySequence(ShortCut(VK_BACK, ssAlt | ssShift)),
              QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_Backspace));
    EXPECT_EQ(ShortCutToKeySequence(VK_RETURN), QKeySequence(Qt::Key_Return));
    EXPECT_EQ(ShortCutToKeySequence(VK_NUMPAD0 + 3),
              QKeySequence(QKeyCombination(Qt::KeypadModifier, Qt::Key_3)));
    EXPECT_TRUE(ShortCutToKeySequence(7).isEmpty());

    // Every key sequence made from a shortcut reads back as the same shortcut.
    for (int key = 1; key < 256; ++key) {
        TShortCut value = ShortCut(static_cast<TVirtualKey>(key), ssCtrl | ssShift);
        QKeySequence sequence = ShortCutToKeySequence(value);
        if (sequence.isEmpty() || (key >= VK_SHIFT && key <= VK_MENU)) continue;
        QKeyCombination combination = sequence[0];
        QKeyEvent event(QEvent::KeyPress, combination.key(), combination.keyboardModifiers());
        EXPECT_EQ(KeyEventToShortCut(event), value) << key;
    }
}
