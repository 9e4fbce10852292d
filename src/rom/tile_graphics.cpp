// Decoding of tiles, sprites and palette colours.
#include "rom/tile_graphics.h"

namespace {

std::uint32_t Scale(unsigned level) {
    return (level & 7u) * 255u / 7u;
}

}  // namespace

TRgb NineBitColour(std::uint16_t word) {
    const unsigned blue = word & 7u;
    const unsigned red = (word >> 3) & 7u;
    const unsigned green = (word >> 6) & 7u;
    return Scale(red) << 16 | Scale(green) << 8 | Scale(blue);
}

std::array<TRgb, 16> PaletteFrom(const std::vector<std::uint32_t>& values) {
    std::array<TRgb, 16> palette{};
    for (std::size_t i = 0; i < palette.size() && i < values.size(); ++i)
        palette[i] = NineBitColour(static_cast<std::uint16_t>(values[i] & 0x1FFu));
    return palette;
}

std::array<TRgb, 16> GreyRamp() {
    std::array<TRgb, 16> palette{};
    for (std::uint32_t i = 0; i < palette.size(); ++i) {
        const std::uint32_t level = 17 * i;
        palette[i] = level << 16 | level << 8 | level;
    }
    return palette;
}

int TilePixel(const std::uint8_t* tile, int x, int y) {
    const int bit = 7 - x;
    const int p0 = (tile[2 * y] >> bit) & 1;
    const int p1 = (tile[2 * y + 1] >> bit) & 1;
    const int p2 = (tile[16 + 2 * y] >> bit) & 1;
    const int p3 = (tile[17 + 2 * y] >> bit) & 1;
    return p0 | p1 << 1 | p2 << 2 | p3 << 3;
}

int SpritePixel(const std::uint8_t* sprite, int x, int y) {
    int index = 0;
    for (int plane = 0; plane < 4; ++plane) {
        const std::uint8_t* word = sprite + 32 * plane + 2 * y;
        const unsigned value = static_cast<unsigned>(word[0]) | static_cast<unsigned>(word[1]) << 8;
        index |= static_cast<int>((value >> (15 - x)) & 1u) << plane;
    }
    return index;
}

int PackedPixel(const std::uint8_t* tile, int x, int y) {
    const std::uint8_t pair = tile[PackedByteOfPixel(x, y)];
    return x % 2 == 0 ? pair >> 4 : pair & 0x0F;
}

int TileByteOfPixel(int /*x*/, int y) {
    return 2 * y;
}

int SpriteByteOfPixel(int x, int y) {
    // The word's high byte holds the left eight pixels.
    return 2 * y + (x < 8 ? 1 : 0);
}

int PackedByteOfPixel(int x, int y) {
    return 4 * y + x / 2;
}
