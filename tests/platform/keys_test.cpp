#include "platform/keys.h"

#include <gtest/gtest.h>

TEST(Keys, ShortCutValuesCombineKeyAndModifiers) {
    EXPECT_EQ(ShortCut(VK_SPACE, ssCtrl), 16416);
    EXPECT_EQ(ShortCut(VK_F3, 0), 114);
    EXPECT_EQ(ShortCut(VK_F3, ssShift), 8306);
    EXPECT_EQ(ShortCut('F', ssCtrl), 16454);
    EXPECT_EQ(ShortCut(VK_BACK, ssShift | ssAlt), 0xA008);
    EXPECT_EQ(ShortCut(0x1FF, 0), 0xFF);  // only the low byte is the key

    TVirtualKey key = 1;
    TShiftState shift = 1;
    ShortCutToKey(0xE000 | 'K', key, shift);
    EXPECT_EQ(key, 'K');
    EXPECT_EQ(shift, ssShift | ssCtrl | ssAlt);
    ShortCutToKey(0, key, shift);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(shift, 0);
    for (int value = 0; value < 0x10000; value += 0x2000 / 8 + 1) {
        ShortCutToKey(static_cast<TShortCut>(value & 0xE0FF), key, shift);
        EXPECT_EQ(ShortCut(key, shift), value & 0xE0FF);
    }
}

TEST(Keys, ShortCutTextWritesModifiersInFixedOrder) {
    EXPECT_EQ(ShortCutToText(0), "");
    EXPECT_EQ(ShortCutToText(114), "F3");
    EXPECT_EQ(ShortCutToText(16416), "Ctrl+Space");
    EXPECT_EQ(ShortCutToText(ShortCut('Z', ssAlt | ssCtrl | ssShift)), "Shift+Ctrl+Alt+Z");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_BACK, ssAlt)), "Alt+BkSp");
    EXPECT_EQ(ShortCutToText(ShortCut('7', ssShift | ssCtrl)), "Shift+Ctrl+7");
    EXPECT_EQ(ShortCutToText(VK_NEXT), "PgDn");
    EXPECT_EQ(ShortCutToText(VK_NUMPAD0 + 5), "Num 5");
    EXPECT_EQ(ShortCutToText(VK_F1 + 23), "F24");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_OEM_5, ssCtrl)), "Ctrl+\\");
    EXPECT_EQ(ShortCutToText(scCtrl | 7), "Ctrl+#7");  // a code without a name
}

TEST(Keys, EveryKeyTextReadsBackToItsShortCut) {
    for (int key = 1; key < 256; ++key) {
        for (TShiftState shift : {0, 1, 2, 3, 4, 5, 6, 7}) {
            TShortCut value = ShortCut(static_cast<TVirtualKey>(key), shift);
            ASSERT_EQ(TextToShortCut(ShortCutToText(value)), value) << ShortCutToText(value);
        }
    }
}

TEST(Keys, TextToShortCutIsLenientInCaseAndModifierOrder) {
    EXPECT_EQ(TextToShortCut("ctrl+shift+f3"), ShortCut(VK_F3, ssCtrl | ssShift));
    EXPECT_EQ(TextToShortCut("ALT+pgup"), ShortCut(VK_PRIOR, ssAlt));
    EXPECT_EQ(TextToShortCut("Shift+Num +"), ShortCut(VK_ADD, ssShift));
    EXPECT_EQ(TextToShortCut("Shift"), VK_SHIFT);
    EXPECT_EQ(TextToShortCut("Ctrl+Shift"), ShortCut(VK_SHIFT, ssCtrl));
    for (const char* bad : {"", "Ctrl+", "Shift+Ctrl+", "F0", "F25", "F01", "Num 10", "#0", "#256",
                            "Ctrl+Nothing", "AB", "Ctrl-A"}) {
        EXPECT_EQ(TextToShortCut(bad), 0) << bad;
    }
}
