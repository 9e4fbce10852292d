// Byte tables read from C initialisers and assembly data lines around a position.
#include "rom/byte_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "rom/tile_graphics.h"

namespace {

struct Text {
    std::vector<std::string> lines;
    explicit Text(const std::string& text) {
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
    }
    TByteTable At(int line, int column) const {
        return FindByteTable([this](int i) { return std::string_view(lines[i]); },
                             static_cast<int>(lines.size()), line, column);
    }
};

TEST(ByteTable, CInitialiserWithCommentsAndLineBreaks) {
    const Text c(
        "static const unsigned char tiles[] = {\n"
        "    0x01, 0xFF, /* a comment, 0x99 */ 17,\n"
        "    0b101, // 0x55 trailing\n"
        "    200u\n"
        "};\n"
        "int after = 3;\n");
    const TByteTable table = c.At(3, 6);
    ASSERT_TRUE(table.Found);
    EXPECT_TRUE(table.Error.empty()) << table.Error;
    EXPECT_EQ(table.ElementSize, 1);
    EXPECT_EQ(table.Values, (std::vector<std::uint32_t>{0x01, 0xFF, 17, 5, 200}));
    EXPECT_EQ(table.Places[2], (TValuePlace{2, 39}));
    EXPECT_EQ(table.Places[3], (TValuePlace{3, 5}));
    EXPECT_EQ(table.FirstLine, 1);
    EXPECT_EQ(table.LastLine, 5);
    // Outside the braces there is no table.
    EXPECT_FALSE(c.At(6, 5).Found);
}

TEST(ByteTable, WordTablesGiveTheirBytesLowFirstAndBadEntriesNameTheirLine) {
    const Text c("const unsigned int palette[] = { 0x1FF, 0x038,\n 7 };\n");
    const TByteTable words = c.At(1, 36);
    ASSERT_TRUE(words.Found);
    EXPECT_EQ(words.ElementSize, 2);
    EXPECT_EQ(words.Values, (std::vector<std::uint32_t>{0x1FF, 0x038, 7}));
    EXPECT_EQ(words.Bytes(), (std::vector<std::uint8_t>{0xFF, 0x01, 0x38, 0x00, 7, 0}));

    // A word table on the line above does not make the next table one of words.
    const Text two("const unsigned int pal[] = {1};\nconst unsigned char t[] = {\n 1 };\n");
    EXPECT_EQ(two.At(3, 2).ElementSize, 1);

    const Text bad("unsigned char t[] = {\n 1, 2,\n 300, x3 };\n");
    const TByteTable table = bad.At(2, 2);
    EXPECT_EQ(table.Error, "Line 3: \"300\" does not fit in a byte");
    EXPECT_EQ(table.Values, (std::vector<std::uint32_t>{1, 2}));
    EXPECT_EQ(bad.At(3, 1).Error, "Line 3: \"300\" does not fit in a byte");
    const Text word("unsigned char t[] = { 1, BAD };\n");
    EXPECT_EQ(word.At(1, 24).Error, "Line 1: \"BAD\" is no number");
}

TEST(ByteTable, AssemblyDataLinesAroundTheCaret) {
    const Text asm_(
        "        lda #1\n"
        "Sprite:  .byte $01, %00000011 ; comment $99\n"
        "         .db 3,0x04\n"
        "         .dc.b 05h\n"
        "Palette: .dw $01FF, $0038\n"
        "         .word 7\n"
        "        rts\n");
    const TByteTable bytes = asm_.At(3, 5);
    ASSERT_TRUE(bytes.Found);
    EXPECT_TRUE(bytes.Error.empty()) << bytes.Error;
    EXPECT_EQ(bytes.Values, (std::vector<std::uint32_t>{1, 3, 3, 4, 5}));
    EXPECT_EQ(bytes.FirstLine, 2);
    EXPECT_EQ(bytes.LastLine, 4);
    EXPECT_EQ(bytes.Places[0], (TValuePlace{2, 16}));

    const TByteTable words = asm_.At(6, 1);
    EXPECT_EQ(words.ElementSize, 2);
    EXPECT_EQ(words.Values, (std::vector<std::uint32_t>{0x1FF, 0x38, 7}));
    EXPECT_EQ(words.FirstLine, 5);
    EXPECT_FALSE(asm_.At(1, 3).Found);
    EXPECT_FALSE(asm_.At(7, 3).Found);
}

TEST(ByteTable, CValuesMayBeExpressionsOfTheMacrosAboveTheTable) {
    const Text c(
        "#define TILE_A 0x1F\n"
        "#define RGB(r, g, b) (((g) << 6) | ((r) << 3) | (b))\n"
        "#define WHITE RGB(7, 7, 7)\n"
        "const unsigned palette[] = {\n"
        "    RGB(0, 0, 0), RGB(1, 2, 7), /* a comment */ WHITE,\n"
        "    TILE_A + 1, -1, ~0 & 0x1F0, 8 / 2,\n"
        "    RGB(1, /* red */\n"
        "        2, 3)\n"
        "};\n"
        "#define LATE 3\n"
        "const unsigned char late[] = { LATE, 1 };\n");
    const TByteTable table = c.At(6, 5);
    ASSERT_TRUE(table.Found);
    EXPECT_TRUE(table.Error.empty()) << table.Error;
    EXPECT_EQ(table.ElementSize, 2);  // a bare unsigned is an int
    EXPECT_EQ(table.Values,
              (std::vector<std::uint32_t>{0, (2 << 6) | (1 << 3) | 7, 0x1FF, 0x20, 0xFFFF, 0x1F0, 4,
                                          (2 << 6) | (1 << 3) | 3}));
    EXPECT_EQ(table.Places[1], (TValuePlace{5, 19}));
    EXPECT_EQ(table.Places[2], (TValuePlace{5, 49}));
    EXPECT_EQ(table.Places[7], (TValuePlace{7, 5}));  // the value that goes on on the next line

    // LATE is defined after the palette but before its own table.
    EXPECT_EQ(c.At(11, 32).Values, (std::vector<std::uint32_t>{3, 1}));
    const Text early("const unsigned char t[] = { LATE + 1, LATE };\n#define LATE 3\n");
    EXPECT_EQ(early.At(1, 30).Error,
              "Line 1: \"LATE + 1\" cannot be evaluated: unknown name \"LATE\"");
}

TEST(ByteTable, ValuesThatCannotBeEvaluatedNameTheirLineAndReason) {
    const Text c(
        "#define RGB(r, g, b) (((g) << 6) | ((r) << 3) | (b))\n"
        "#define SELF (SELF)\n"
        "unsigned char t[] = {\n"
        " 1, RGB(1, 2),\n"
        " 2 };\n");
    const TByteTable table = c.At(4, 2);
    EXPECT_EQ(
        table.Error,
        "Line 4: \"RGB(1, 2)\" cannot be evaluated: macro \"RGB\" takes 3 argument(s), not 2");
    EXPECT_EQ(table.Values, (std::vector<std::uint32_t>{1, 2}));
    EXPECT_EQ(Text("unsigned char t[] = { 4 / (2 - 2) };").At(1, 24).Error,
              "Line 1: \"4 / (2 - 2)\" cannot be evaluated: division by zero");
    EXPECT_EQ(Text("#define SELF (SELF)\nunsigned char t[] = { SELF };").At(2, 24).Error,
              "Line 2: \"SELF\" cannot be evaluated: macro \"SELF\" refers to itself");
    // Bytes take -128 to 255; negative values as the compiler stores them.
    const Text range("unsigned char t[] = { -128, -1, 255, 0x80 << 1 };");
    EXPECT_EQ(range.At(1, 24).Values, (std::vector<std::uint32_t>{0x80, 0xFF, 0xFF}));
    EXPECT_EQ(range.At(1, 24).Error, "Line 1: \"0x80 << 1\" does not fit in a byte");
    EXPECT_EQ(Text("unsigned char t[] = { -129 };").At(1, 24).Error,
              "Line 1: \"-129\" does not fit in a byte");
}

// A line source that remembers the lowest line it was asked for.
struct WatchedText : Text {
    mutable int lowest = 1 << 30;
    using Text::Text;
    TByteTable At(int line, int column) const {
        return FindByteTable(
            [this](int i) {
                lowest = std::min(lowest, i);
                return std::string_view(lines[static_cast<std::size_t>(i)]);
            },
            static_cast<int>(lines.size()), line, column);
    }
};

TEST(ByteTable, MacrosAreLookedForOnlyWhenNeededAndNotFarAbove) {
    std::string text = "#define FAR 1\n";
    for (int i = 0; i < 30000; ++i) text += "int filler" + std::to_string(i) + ";\n";
    text += "#define NEAR 2\nunsigned char t[] = {\n 1, 2,\n 3 };\n";
    WatchedText c(text);
    const int open = 30003;  // 1-based line of the brace
    EXPECT_EQ(c.At(open + 1, 2).Values, (std::vector<std::uint32_t>{1, 2, 3}));
    EXPECT_GE(c.lowest, open - 3);  // only the declaration was read above the brace

    c.lines[open] = " NEAR, NEAR + 1,";
    c.lowest = 1 << 30;
    EXPECT_EQ(c.At(open + 1, 2).Values, (std::vector<std::uint32_t>{2, 3, 3}));
    EXPECT_GE(c.lowest, open - 1 - 20000);

    c.lines[open] = " FAR,";
    EXPECT_EQ(c.At(open + 1, 2).Error, "Line 30004: \"FAR\" is no number");
}

TEST(ByteTable, AGroupOfANestedInitialiserGivesTheWholeTable) {
    const Text c(
        "const unsigned char rows[3][2] = {\n"
        "    /* first */\n"
        "    {1, 2},\n"
        "    /* second, in a comment */ {3, 4}, {5,\n"
        "    6}};\n"
        "void f(void) {\n"
        "    static const unsigned char t[] = {7, 8};\n"
        "}\n");
    for (const TValuePlace& at : {TValuePlace{3, 6}, TValuePlace{4, 33}, TValuePlace{5, 5}}) {
        const TByteTable table = c.At(at.Line, at.Column);
        EXPECT_EQ(table.Values, (std::vector<std::uint32_t>{1, 2, 3, 4, 5, 6})) << at.Line;
        EXPECT_EQ(table.FirstLine, 1);
        EXPECT_EQ(table.LastLine, 5);
    }
    // A table inside a function body ends at its own braces.
    EXPECT_EQ(c.At(7, 40).Values, (std::vector<std::uint32_t>{7, 8}));
}

TEST(ByteTable, ThirtyTwoBitTablesInCAndAssembly) {
    const Text c(
        "const unsigned long rows[2][2] = {\n"
        "    {0xAAAAAAABUL, 0x01234567UL},\n"
        "    {0, 0xFFFFFFFFul}};\n"
        "uint32_t a[] = {1};\n"
        "static const u32 b[] = {1};\n"
        "DWORD d[] = {1};\n"
        "long unsigned char_count[] = {1};\n"
        "unsigned long big[] = { 0x100000000 };\n");
    const TByteTable rows = c.At(2, 6);
    ASSERT_TRUE(rows.Found);
    EXPECT_TRUE(rows.Error.empty()) << rows.Error;
    EXPECT_EQ(rows.ElementSize, 4);
    EXPECT_EQ(rows.Values, (std::vector<std::uint32_t>{0xAAAAAAAB, 0x01234567, 0, 0xFFFFFFFF}));
    EXPECT_EQ(rows.Places[1], (TValuePlace{2, 20}));
    const std::vector<std::uint8_t> memory = rows.Bytes();
    ASSERT_EQ(memory.size(), 16u);
    EXPECT_EQ(std::vector<std::uint8_t>(memory.begin(), memory.begin() + 8),
              (std::vector<std::uint8_t>{0xAB, 0xAA, 0xAA, 0xAA, 0x67, 0x45, 0x23, 0x01}));
    const std::vector<std::uint8_t> written = rows.BytesAsWritten();
    EXPECT_EQ(std::vector<std::uint8_t>(written.begin(), written.begin() + 8),
              (std::vector<std::uint8_t>{0xAA, 0xAA, 0xAA, 0xAB, 0x01, 0x23, 0x45, 0x67}));
    EXPECT_EQ(rows.ValueOfByte(7), 1u);
    for (int line = 4; line <= 7; ++line) {
        const int inside =
            static_cast<int>(c.lines[static_cast<std::size_t>(line - 1)].find('{')) + 2;
        EXPECT_EQ(c.At(line, inside).ElementSize, 4) << line;
    }
    EXPECT_EQ(c.At(8, 26).Error, "Line 8: \"0x100000000\" does not fit in 32 bits");

    const Text asm_(
        "Rows:   .dword $01234567, $89ABCDEF\n"
        "        .dd 1\n"
        "        dd 0x10\n"
        "        .dc.l 2\n"
        "Other:  .dword $100000000\n");
    const TByteTable dwords = asm_.At(3, 10);
    EXPECT_EQ(dwords.ElementSize, 4);
    EXPECT_EQ(dwords.Values, (std::vector<std::uint32_t>{0x01234567, 0x89ABCDEF, 1, 0x10, 2}));
    EXPECT_EQ(dwords.FirstLine, 1);
    EXPECT_EQ(dwords.LastLine, 4);
    EXPECT_EQ(dwords.Places[2], (TValuePlace{2, 13}));
    EXPECT_EQ(asm_.At(5, 1).Error, "Line 5: \"$100000000\" does not fit in 32 bits");
}

TEST(ByteTable, DigitsAsWrittenAreTheSameWhateverTheElementSize) {
    // One row of pixels 0..7 as one 32-bit value, two words or four bytes.
    const std::vector<std::uint8_t> row{0x01, 0x23, 0x45, 0x67};
    EXPECT_EQ(Text("unsigned long t[] = { 0x01234567 };").At(1, 23).BytesAsWritten(), row);
    EXPECT_EQ(Text("unsigned int t[] = { 0x0123, 0x4567 };").At(1, 23).BytesAsWritten(), row);
    EXPECT_EQ(Text("unsigned char t[] = { 0x01, 0x23, 0x45, 0x67 };").At(1, 23).BytesAsWritten(),
              row);
}

std::string ExampleFile(const std::string& name) {
    std::ifstream in(std::string(QUILLON_SOURCE_DIR) + "/examples/tiles-project/" + name);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

int LineHolding(const Text& text, const std::string& part) {
    for (std::size_t i = 0; i < text.lines.size(); ++i)
        if (text.lines[i].find(part) != std::string::npos) return static_cast<int>(i) + 1;
    return 0;
}

TEST(ByteTable, TheExamplesTileTableAndPaletteReadWhole) {
    const Text tiles(ExampleFile("tiles.c"));
    const int rowsLine = LineHolding(tiles, "0xAAAAAAABUL, 0xAAAAAAABUL");
    ASSERT_GT(rowsLine, 0);
    const TByteTable rows = tiles.At(rowsLine, 8);
    ASSERT_TRUE(rows.Found);
    EXPECT_TRUE(rows.Error.empty()) << rows.Error;
    EXPECT_EQ(rows.ElementSize, 4);
    ASSERT_EQ(rows.Values.size(), 5u * 8u);  // five tiles of eight rows
    EXPECT_EQ(rows.Values[0], 0xAAAAAAABu);
    EXPECT_EQ(rows.Values[4 * 8 + 3], 0x0DCCCD00u);  // the star's widest row
    const std::vector<std::uint8_t> packed = rows.BytesAsWritten();
    EXPECT_EQ(PackedPixel(packed.data(), 7, 0), 0xB);  // brick: mortar at the right
    EXPECT_EQ(PackedPixel(packed.data() + 4 * kPackedTileBytes, 3, 1), 0xD);  // star: its tip

    const int paletteLine = LineHolding(tiles, "RGB(1, 2, 7)");
    const TByteTable palette = tiles.At(paletteLine, 5);
    EXPECT_TRUE(palette.Error.empty()) << palette.Error;
    EXPECT_EQ(palette.ElementSize, 2);
    // green << 6 | red << 3 | blue for each of the 16 RGB(r, g, b) entries
    EXPECT_EQ(palette.Values, (std::vector<std::uint32_t>{0, 3, 143, 423, 511, 192, 329, 482, 152,
                                                          97, 177, 364, 505, 312, 219, 73}));
    EXPECT_EQ(PaletteFrom(palette.Values)[10], 0xDA4824u);  // brick: red 6, green 2, blue 1
}

}  // namespace
