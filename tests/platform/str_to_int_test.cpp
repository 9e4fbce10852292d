// The text-to-integer conversion.
#include "platform/str_to_int.h"

#include <gtest/gtest.h>

namespace {

TEST(StrToIntTest, DecimalAndHexadecimalForms) {
    EXPECT_EQ(StrToInt("0"), 0);
    EXPECT_EQ(StrToInt("16777215"), 16777215);
    EXPECT_EQ(StrToInt("+12"), 12);
    EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
    EXPECT_EQ(StrToInt("2147483647"), INT32_MAX);
    EXPECT_EQ(StrToInt("$FF"), 255);
    EXPECT_EQ(StrToInt("$ff"), 255);
    EXPECT_EQ(StrToInt("0x800000"), 8388608);
    EXPECT_EQ(StrToInt("-$10"), -16);
    // Eight hexadecimal digits name the whole word, so system colours round-trip.
    EXPECT_EQ(StrToInt("$80000005"), static_cast<std::int32_t>(0x80000005u));
    EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
}

TEST(StrToIntTest, InvalidTextsNameThemselvesInTheError) {
    for (const char* text : {"", " ", "-", "$", "0x", "12a", "1 2", " 5", "5 ", "$G", "2147483648",
                             "-2147483649", "$100000000", "true", "1.5"}) {
        try {
            StrToInt(text);
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const EConvertError& error) {
            EXPECT_EQ(std::string(error.what()),
                      "'" + std::string(text) + "' is not a valid integer value");
        }
    }
}

}  // namespace
