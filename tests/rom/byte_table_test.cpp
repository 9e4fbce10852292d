// Byte tables read from C initialisers and assembly data lines around a position.
#include "rom/byte_table.h"

#include <gtest/gtest.h>

#include <sstream>

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
    EXPECT_EQ(table.Values, (std::vector<std::uint16_t>{0x01, 0xFF, 17, 5, 200}));
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
    EXPECT_EQ(words.Values, (std::vector<std::uint16_t>{0x1FF, 0x038, 7}));
    EXPECT_EQ(words.Bytes(), (std::vector<std::uint8_t>{0xFF, 0x01, 0x38, 0x00, 7, 0}));

    // A word table on the line above does not make the next table one of words.
    const Text two("const unsigned int pal[] = {1};\nconst unsigned char t[] = {\n 1 };\n");
    EXPECT_EQ(two.At(3, 2).ElementSize, 1);

    const Text bad("unsigned char t[] = {\n 1, 2,\n 300, x3 };\n");
    const TByteTable table = bad.At(2, 2);
    EXPECT_EQ(table.Error, "Line 3: \"300\" does not fit in a byte");
    EXPECT_EQ(table.Values, (std::vector<std::uint16_t>{1, 2}));
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
    EXPECT_EQ(bytes.Values, (std::vector<std::uint16_t>{1, 3, 3, 4, 5}));
    EXPECT_EQ(bytes.FirstLine, 2);
    EXPECT_EQ(bytes.LastLine, 4);
    EXPECT_EQ(bytes.Places[0], (TValuePlace{2, 16}));

    const TByteTable words = asm_.At(6, 1);
    EXPECT_EQ(words.ElementSize, 2);
    EXPECT_EQ(words.Values, (std::vector<std::uint16_t>{0x1FF, 0x38, 7}));
    EXPECT_EQ(words.FirstLine, 5);
    EXPECT_FALSE(asm_.At(1, 3).Found);
    EXPECT_FALSE(asm_.At(7, 3).Found);
}

}  // namespace
