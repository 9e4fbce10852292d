// Tiles, sprites and palette colours against hand-computed pixels.
#include "rom/tile_graphics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

namespace {

TEST(TileGraphics, EachPlaneOfATileSetsItsBitOfTheColourIndex) {
    std::uint8_t tile[kTileBytes] = {};
    tile[2 * 0] = 0x80;       // plane 0, row 0: the left pixel
    tile[2 * 1 + 1] = 0x40;   // plane 1, row 1: pixel 1
    tile[16 + 2 * 2] = 0x01;  // plane 2, row 2: the right pixel
    tile[17 + 2 * 7] = 0xFF;  // plane 3, row 7: the whole row
    tile[2 * 7] = 0x0F;       // plane 0, row 7: the right half
    EXPECT_EQ(TilePixel(tile, 0, 0), 1);
    EXPECT_EQ(TilePixel(tile, 1, 0), 0);
    EXPECT_EQ(TilePixel(tile, 1, 1), 2);
    EXPECT_EQ(TilePixel(tile, 7, 2), 4);
    EXPECT_EQ(TilePixel(tile, 0, 7), 8);
    EXPECT_EQ(TilePixel(tile, 7, 7), 9);
    EXPECT_EQ(TileByteOfPixel(5, 7), 14);
}

TEST(TileGraphics, SpritePlanesAreWordsLowByteFirst) {
    std::uint8_t sprite[kSpriteBytes] = {};
    sprite[1] = 0x80;                // plane 0, row 0, high byte: pixel 0
    sprite[32 + 2 * 3] = 0x01;       // plane 1, row 3, low byte: pixel 15
    sprite[64 + 2 * 15 + 1] = 0x01;  // plane 2, row 15, high byte bit 0: pixel 7
    sprite[96 + 2 * 15 + 1] = 0x01;  // plane 3, the same pixel
    EXPECT_EQ(SpritePixel(sprite, 0, 0), 1);
    EXPECT_EQ(SpritePixel(sprite, 15, 3), 2);
    EXPECT_EQ(SpritePixel(sprite, 7, 15), 12);
    EXPECT_EQ(SpritePixel(sprite, 8, 15), 0);
    EXPECT_EQ(SpriteByteOfPixel(7, 15), 31);
    EXPECT_EQ(SpriteByteOfPixel(8, 15), 30);
}

TEST(TileGraphics, PackedTilesHaveOneDigitPerPixelTheLeftmostFirst) {
    std::uint8_t tile[kPackedTileBytes] = {};
    const std::uint8_t row0[] = {0x01, 0x23, 0x45, 0x67};  // 0x01234567
    const std::uint8_t row7[] = {0xFE, 0xDC, 0xBA, 0x98};  // 0xFEDCBA98
    std::copy(std::begin(row0), std::end(row0), tile);
    std::copy(std::begin(row7), std::end(row7), tile + 28);
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(PackedPixel(tile, x, 0), x);
        EXPECT_EQ(PackedPixel(tile, x, 7), 15 - x);
        EXPECT_EQ(PackedPixel(tile, x, 3), 0);
    }
    EXPECT_EQ(PackedByteOfPixel(0, 0), 0);
    EXPECT_EQ(PackedByteOfPixel(1, 0), 0);
    EXPECT_EQ(PackedByteOfPixel(2, 0), 1);
    EXPECT_EQ(PackedByteOfPixel(7, 7), 31);
}

TEST(TileGraphics, NineBitColoursAndTheGreyRamp) {
    EXPECT_EQ(NineBitColour(0x000), 0x000000u);
    EXPECT_EQ(NineBitColour(0x1FF), 0xFFFFFFu);
    EXPECT_EQ(NineBitColour(0x007), 0x0000FFu);  // blue
    EXPECT_EQ(NineBitColour(0x038), 0xFF0000u);  // red
    EXPECT_EQ(NineBitColour(0x1C0), 0x00FF00u);  // green
    EXPECT_EQ(NineBitColour(0x049), 0x242424u);  // level 1 each: 255 / 7 = 36
    EXPECT_EQ(GreyRamp()[15], 0xFFFFFFu);
    EXPECT_EQ(GreyRamp()[1], 0x111111u);
    const auto palette = PaletteFrom({0x038, 0x1C0});
    EXPECT_EQ(palette[1], 0x00FF00u);
    EXPECT_EQ(palette[2], 0x000000u);
}

}  // namespace
