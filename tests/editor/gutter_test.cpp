// Gutter widths, digit fitting and line-number texts.
#include "editor/gutter.h"

#include <gtest/gtest.h>

namespace {

TEST(Gutter, DocumentWindowLineNumbers) {
    TSynGutter g;
    int changes = 0;
    g.OnChange = [&](TSynGutter*) { ++changes; };
    g.SetDigitCount(5);
    g.SetLeadingZeros(true);
    g.SetShowLineNumbers(true);
    EXPECT_EQ(changes, 3);
    g.SetShowLineNumbers(true);  // unchanged values raise nothing
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(g.FormatLineNumber(7), "00007");
    EXPECT_EQ(g.FormatLineNumber(123456), "123456");
    EXPECT_EQ(g.RealGutterWidth(8), 16 + 2 + 5 * 8 + 2);
    g.SetZeroStart(true);
    EXPECT_EQ(g.FormatLineNumber(1), "00000");  // the last character is never replaced
    g.SetLeadingZeros(false);
    EXPECT_EQ(g.FormatLineNumber(1), "    0");
}

TEST(Gutter, DigitCountLimitsAndAutoSize) {
    TSynGutter g;
    g.SetDigitCount(20);
    EXPECT_EQ(g.DigitCount(), 12);
    g.SetDigitCount(1);
    EXPECT_EQ(g.DigitCount(), 2);
    g.SetShowLineNumbers(true);
    g.SetAutoSize(true);
    g.AutoSizeDigitCount(100);
    EXPECT_EQ(g.FittedDigitCount(), 3);
    EXPECT_EQ(g.RealGutterWidth(10), 16 + 2 + 3 * 10 + 2);
    g.SetZeroStart(true);
    g.AutoSizeDigitCount(100);  // numbers run to 99
    EXPECT_EQ(g.FittedDigitCount(), 2);
    // Without AutoSize the field still takes the digits the last line needs.
    g.SetAutoSize(false);
    g.AutoSizeDigitCount(100001);
    EXPECT_EQ(g.FittedDigitCount(), 6);
    EXPECT_EQ(g.FormatLineNumber(100001), "100000");  // zero start
    g.AutoSizeDigitCount(10);
    EXPECT_EQ(g.FittedDigitCount(), 2);

    g.SetVisible(false);
    EXPECT_EQ(g.RealGutterWidth(10), 0);
    g.SetVisible(true);
    g.SetShowLineNumbers(false);
    EXPECT_EQ(g.RealGutterWidth(10), 30);
}

}  // namespace
