// The console's graphics formats: 8x8 background tiles of 32 bytes, 16x16 sprites of 128 bytes,
// each pixel a 4-bit colour index, and 9-bit palette colours; and 8x8 tiles packed as they are
// typed in hex, one digit per pixel.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

inline constexpr int kTileBytes = 32;
inline constexpr int kSpriteBytes = 128;
inline constexpr int kPackedTileBytes = 32;

// 0xRRGGBB of a colour.
using TRgb = std::uint32_t;

// A 9-bit colour word: bits 0-2 blue, 3-5 red, 6-8 green, each 0-7 scaled to 0-255.
TRgb NineBitColour(std::uint16_t word);

// Sixteen colours: the first 16 values of a palette table (missing ones black; bits above the
// ninth ignored), or, without one, a grey ramp (index i as grey level 17 * i).
std::array<TRgb, 16> PaletteFrom(const std::vector<std::uint32_t>& values);
std::array<TRgb, 16> GreyRamp();

// The colour index of pixel (x, y) of the tile whose 32 bytes start at `tile`: row y's planes
// 0 and 1 are bytes 2y and 2y+1, planes 2 and 3 bytes 16+2y and 17+2y; bit 7 is the left pixel.
int TilePixel(const std::uint8_t* tile, int x, int y);

// The colour index of pixel (x, y) of the sprite whose 128 bytes start at `sprite`: plane p is
// 16 words (low byte first) from byte 32p, word y holding row y, bit 15 the left pixel.
int SpritePixel(const std::uint8_t* sprite, int x, int y);

// The colour index of pixel (x, y) of the packed tile whose 32 bytes start at `tile`, the bytes
// in the order the digits are written: row y is bytes 4y to 4y+3, each byte two pixels, its high
// four bits the left one. A row is one 32-bit value, two 16-bit ones or four bytes.
int PackedPixel(const std::uint8_t* tile, int x, int y);

// Which byte of the cell holds the given pixel (its plane-0 bit in the planar forms): what a
// click on it selects.
int TileByteOfPixel(int x, int y);
int SpriteByteOfPixel(int x, int y);
int PackedByteOfPixel(int x, int y);
