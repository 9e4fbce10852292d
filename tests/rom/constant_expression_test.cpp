// Constant expressions of C table values: precedence, literals, macros with arguments, and the
// expressions that are refused with their reason.
#include "rom/constant_expression.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

TMacroTable Macros(std::initializer_list<const char*> lines) {
    TMacroTable macros;
    for (const char* line : lines) ReadMacroLine(line, macros);
    return macros;
}

std::int64_t ValueOf(std::string_view text, const TMacroTable& macros = {}) {
    const TConstant constant = EvaluateConstant(text, macros);
    EXPECT_TRUE(constant.Ok) << text << ": " << constant.Error;
    return constant.Value;
}

std::string ErrorOf(std::string_view text, const TMacroTable& macros = {}) {
    const TConstant constant = EvaluateConstant(text, macros);
    EXPECT_FALSE(constant.Ok) << text << " gave " << constant.Value;
    return constant.Error;
}

TEST(ConstantExpression, OperatorsBindAsInC) {
    EXPECT_EQ(ValueOf("1 + 2 * 3"), 7);
    EXPECT_EQ(ValueOf("(1 + 2) * 3"), 9);
    EXPECT_EQ(ValueOf("1 << 2 + 1"), 8);        // + before <<
    EXPECT_EQ(ValueOf("1 | 6 ^ 3 & 5"), 7);     // & before ^ before |
    EXPECT_EQ(ValueOf("0x0F & 0x3C << 2"), 0);  // << before &
    EXPECT_EQ(ValueOf("7 - 2 - 1"), 4);         // left to right
    EXPECT_EQ(ValueOf("100 / 10 / 2"), 5);
    EXPECT_EQ(ValueOf("17 % 5 * 2"), 4);
    EXPECT_EQ(ValueOf("-2 * 3"), -6);
    EXPECT_EQ(ValueOf("- -3 + +1"), 4);
    EXPECT_EQ(ValueOf("~0 & 0xFF"), 255);
    EXPECT_EQ(ValueOf("-7 / 2"), -3);  // division and remainder keep the sign
    EXPECT_EQ(ValueOf("-7 % 2"), -1);
    EXPECT_EQ(ValueOf("-16 >> 2"), -4);
    EXPECT_EQ(ValueOf("0xAAAAAAABUL >> 28"), 0xA);
    EXPECT_EQ(ValueOf(" ((0b101)) "), 5);
    EXPECT_EQ(ValueOf("1 << 63 >> 63"), -1);
}

TEST(ConstantExpression, LiteralsOfCAndAssembly) {
    std::uint64_t value = 0;
    ASSERT_TRUE(ParseNumberLiteral("0xAAAAAAABUL", false, value));
    EXPECT_EQ(value, 0xAAAAAAABu);
    ASSERT_TRUE(ParseNumberLiteral("10lu", false, value));
    EXPECT_EQ(value, 10u);
    ASSERT_TRUE(ParseNumberLiteral("017", false, value));
    EXPECT_EQ(value, 17u);  // no octal
    ASSERT_TRUE(ParseNumberLiteral("0b11111111111111111111111111111111", false, value));
    EXPECT_EQ(value, 0xFFFFFFFFu);
    ASSERT_TRUE(ParseNumberLiteral("18446744073709551615", false, value));
    EXPECT_EQ(value, ~std::uint64_t{0});
    EXPECT_FALSE(ParseNumberLiteral("18446744073709551616", false, value));
    EXPECT_FALSE(ParseNumberLiteral("0x10000000000000000", false, value));
    EXPECT_FALSE(ParseNumberLiteral("$1F", false, value));
    EXPECT_FALSE(ParseNumberLiteral("0x", false, value));
    ASSERT_TRUE(ParseNumberLiteral("$1F", true, value));
    EXPECT_EQ(value, 0x1Fu);
    ASSERT_TRUE(ParseNumberLiteral("%101", true, value));
    EXPECT_EQ(value, 5u);
    ASSERT_TRUE(ParseNumberLiteral("0A0h", true, value));
    EXPECT_EQ(value, 0xA0u);
    EXPECT_FALSE(ParseNumberLiteral("10u", true, value));
}

TEST(ConstantExpression, MacrosExpandWithTheirArguments) {
    const TMacroTable macros = Macros({
        "#define TILE_A 0x1F", "#define RGB(r, g, b) (((g) << 6) | ((r) << 3) | (b))",
        "#define WHITE RGB(7, 7, 7)",  // a macro using another
        "#define LEVEL (TILE_A - 0x1C)", "#define TWICE(x) ((x) + (x))", "#define NONE() 5",
        "#define r 100",  // a parameter's name is no macro inside the body
    });
    EXPECT_EQ(ValueOf("TILE_A", macros), 0x1F);
    EXPECT_EQ(ValueOf("TILE_A + 1", macros), 0x20);
    EXPECT_EQ(ValueOf("RGB(1, 2, 7)", macros), (2 << 6) | (1 << 3) | 7);
    EXPECT_EQ(ValueOf("WHITE", macros), 0x1FF);
    EXPECT_EQ(ValueOf("RGB(LEVEL, (1 + 1), TWICE(2))", macros), (2 << 6) | (3 << 3) | 4);
    EXPECT_EQ(ValueOf("TWICE(TWICE(3))", macros), 12);  // a macro in its own argument
    EXPECT_EQ(ValueOf("TWICE(1 << 2) * 2", macros), 16);
    EXPECT_EQ(ValueOf("NONE() + NONE( )", macros), 10);

    EXPECT_EQ(ErrorOf("RGB(1, 2)", macros), "macro \"RGB\" takes 3 argument(s), not 2");
    EXPECT_EQ(ErrorOf("RGB(1, 2, 3", macros), "macro \"RGB\" misses its closing parenthesis");
    // A function-like macro's name alone is not expanded, as in C.
    EXPECT_EQ(ErrorOf("TWICE + 1", macros), "unknown name \"TWICE\"");
}

TEST(ConstantExpression, RefusedExpressionsSayWhy) {
    const TMacroTable macros = Macros({
        "#define SELF (SELF + 1)",
        "#define PING (PONG)",
        "#define PONG PING",
        "#define ZERO (2 - 2)",
        "#define BAD 1 @ 2",
    });
    EXPECT_EQ(ErrorOf("SELF", macros), "macro \"SELF\" refers to itself");
    EXPECT_EQ(ErrorOf("1 + PING", macros), "macro \"PING\" refers to itself");
    EXPECT_EQ(ErrorOf("1 / 0"), "division by zero");
    EXPECT_EQ(ErrorOf("5 % ZERO", macros), "division by zero");
    EXPECT_EQ(ErrorOf("TILE_Q + 1"), "unknown name \"TILE_Q\"");
    EXPECT_EQ(ErrorOf("BAD", macros), "in macro \"BAD\": unexpected \"@\"");
    EXPECT_EQ(ErrorOf("1 << 64"), "shift by 64");
    EXPECT_EQ(ErrorOf("1 +"), "a value is missing at the end");
    EXPECT_EQ(ErrorOf("(1 + 2"), "a \")\" is missing");
    EXPECT_EQ(ErrorOf("1 2"), "unexpected \"2\"");
    EXPECT_EQ(ErrorOf("1, 2"), "unexpected \",\"");
    EXPECT_EQ(ErrorOf("0x1G + 1"), "\"0x1G\" is no number");
    EXPECT_EQ(ErrorOf("'a'"), "unexpected \"'\"");
    EXPECT_EQ(ErrorOf(""), "no value");
    EXPECT_EQ(ErrorOf(std::string(1000, '(') + "1" + std::string(1000, ')')), "nested too deeply");
}

TEST(ConstantExpression, ExpansionIsBoundedInDepthAndSize) {
    TMacroTable chain;
    for (int i = 0; i < 40; ++i)
        ReadMacroLine("#define M" + std::to_string(i) + " (M" + std::to_string(i + 1) + ")", chain);
    EXPECT_EQ(ErrorOf("M0", chain), "macros nested more than 32 deep");
    EXPECT_EQ(ErrorOf("M20", chain), "unknown name \"M40\"");  // 20 levels are fine

    // Each level doubles the text: 2^30 tokens if nothing stopped it.
    TMacroTable doubling;
    ReadMacroLine("#define D0 1", doubling);
    for (int i = 1; i <= 30; ++i)
        ReadMacroLine("#define D" + std::to_string(i) + " (D" + std::to_string(i - 1) + " + D" +
                          std::to_string(i - 1) + ")",
                      doubling);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(ErrorOf("D30", doubling), "expands to more than 4096 tokens");
    // D10 is 4,093 tokens; four of them in one body are too many.
    ReadMacroLine("#define QUAD(x) (x + x + x + x)", doubling);
    EXPECT_EQ(ErrorOf("QUAD(D10)", doubling), "expands to more than 4096 tokens");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
    EXPECT_EQ(ValueOf("D8", doubling), 256);
}

TEST(CMacros, DefinitionsAreReadFromTheLinesAsCWritesThem) {
    const std::vector<std::string> lines = {
        "#define A 1 /* one */ // the first",
        "  #  define   B   (A + 1)",
        "#define F(x,y) ((x) * \\",
        "                (y))",
        "#define G (x) (x)",  // a blank before the parenthesis: no parameters
        "#define V(...) 0",   // variadic: not read
        "#define A 3",        // a later definition replaces the earlier
        "#undef B",
        "int c = 4; #define NOT 1",
        "#define LAST 9",
    };
    const TMacroTable macros = ReadMacros(
        [&lines](int i) { return std::string_view(lines[static_cast<std::size_t>(i)]); }, -5, 9);
    EXPECT_EQ(macros.at("A").Body, "3");
    EXPECT_FALSE(macros.at("A").FunctionLike);
    EXPECT_FALSE(macros.contains("B"));
    ASSERT_TRUE(macros.contains("F"));
    EXPECT_TRUE(macros.at("F").FunctionLike);
    EXPECT_EQ(macros.at("F").Parameters, (std::vector<std::string>{"x", "y"}));
    EXPECT_EQ(ValueOf("F(A, 2)", macros), 6);
    EXPECT_FALSE(macros.at("G").FunctionLike);
    EXPECT_EQ(macros.at("G").Body, "(x) (x)");
    EXPECT_FALSE(macros.contains("V"));
    EXPECT_FALSE(macros.contains("NOT"));
    EXPECT_FALSE(macros.contains("LAST"));  // beyond the lines asked for
}

}  // namespace
