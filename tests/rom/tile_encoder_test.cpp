// Pictures into tiles and sprites: the colours mapped to one 9-bit palette, the cells encoded
// and written as source that the byte-table reader and the decoders give back pixel for pixel,
// and pictures that break the rules refused with the tile named.
#include "rom/tile_encoder.h"

#include <gtest/gtest.h>

#include "rom/byte_table.h"

namespace {

// The eight levels a 9-bit colour's channels are drawn at.
std::uint32_t LevelColour(int red, int green, int blue) {
    auto scale = [](int level) { return static_cast<std::uint32_t>(level * 255 / 7); };
    return 0xFF000000u | scale(red) << 16 | scale(green) << 8 | scale(blue);
}

// A picture of `colours` distinct colours, each pixel's colour from its position.
TPixelPicture Picture(int width, int height, int colours) {
    TPixelPicture picture{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int c = (x * 7 + y * 3 + x * y) % colours;
            picture.Pixels.push_back(LevelColour(c % 8, c / 8, 7 - c % 8));
        }
    return picture;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return lines;
}

// The table of the source at a line (1-based) holding `marker`.
TByteTable TableAt(const std::vector<std::string>& lines, const std::string& marker) {
    int line = 0;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].find(marker) != std::string::npos) line = static_cast<int>(i) + 1;
    return FindByteTable(
        [&](int i) -> std::string_view { return lines[static_cast<std::size_t>(i)]; },
        static_cast<int>(lines.size()), line + 1, 6);
}

// The picture the source draws back: its cells decoded in its palette, `columns` per row.
TPixelPicture DrawBack(const std::string& source, TCellKind kind, int columns, int rows) {
    const std::vector<std::string> lines = SplitLines(source);
    const TByteTable cells = TableAt(lines, kind == TCellKind::Tiles ? "_tiles" : "_sprites");
    const TByteTable palette = TableAt(lines, "_palette");
    EXPECT_TRUE(cells.Found && cells.Error.empty()) << cells.Error;
    EXPECT_TRUE(palette.Found && palette.Error.empty()) << palette.Error;
    EXPECT_EQ(palette.ElementSize, 2);
    const auto colours = PaletteFrom(palette.Values);
    const std::vector<std::uint8_t> bytes = cells.Bytes();
    const int size = kind == TCellKind::Tiles ? 8 : 16;
    const int cellBytes = kind == TCellKind::Tiles ? kTileBytes : kSpriteBytes;
    TPixelPicture picture{columns * size, rows * size, {}};
    picture.Pixels.resize(static_cast<std::size_t>(picture.Width) * picture.Height);
    EXPECT_EQ(bytes.size(), static_cast<std::size_t>(columns * rows * cellBytes));
    if (bytes.size() != static_cast<std::size_t>(columns * rows * cellBytes)) return picture;
    for (int cell = 0; cell < columns * rows; ++cell)
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const std::uint8_t* data = bytes.data() + cell * cellBytes;
                const int index =
                    kind == TCellKind::Tiles ? TilePixel(data, x, y) : SpritePixel(data, x, y);
                picture
                    .Pixels[static_cast<std::size_t>((cell / columns) * size + y) * picture.Width +
                            (cell % columns) * size + x] =
                    0xFF000000u | colours[static_cast<std::size_t>(index)];
            }
    return picture;
}

TEST(TileEncoder, APictureComesBackPixelForPixelAsCAndAssemblyTilesAndSprites) {
    for (TCellKind kind : {TCellKind::Tiles, TCellKind::Sprites}) {
        for (TSourceLanguage language : {TSourceLanguage::C, TSourceLanguage::Assembly}) {
            const TPixelPicture picture = Picture(32, 48, 16);
            const TEncodedPicture encoded = EncodePicture(picture, kind);
            ASSERT_TRUE(encoded.Error.empty()) << encoded.Error;
            EXPECT_EQ(encoded.ColourCount, 16);
            const std::string source = PictureSource(encoded, "pic", language);
            const TPixelPicture back = DrawBack(source, kind, encoded.Columns, encoded.Rows);
            EXPECT_EQ(back.Pixels, picture.Pixels)
                << (kind == TCellKind::Tiles ? "tiles " : "sprites ")
                << (language == TSourceLanguage::C ? "C" : "assembly") << "\n"
                << source;
        }
    }
}

TEST(TileEncoder, KnownPixelsGiveKnownBytesAndTransparentPixelsColourZero) {
    // One tile: transparent everywhere but pixel (0,0) red and pixel (7,1) green.
    TPixelPicture picture{8, 8, std::vector<std::uint32_t>(64, 0x00123456)};
    picture.Pixels[0] = 0xFFFF0000;
    picture.Pixels[15] = 0xFF00FF00;
    const TEncodedPicture encoded = EncodePicture(picture, TCellKind::Tiles);
    ASSERT_TRUE(encoded.Error.empty());
    EXPECT_EQ(encoded.ColourCount, 3);
    EXPECT_EQ(encoded.Palette[0], 0);
    EXPECT_EQ(encoded.Palette[1], 0x038);  // red
    EXPECT_EQ(encoded.Palette[2], 0x1C0);  // green
    ASSERT_EQ(encoded.Bytes.size(), 32u);
    EXPECT_EQ(encoded.Bytes[0], 0x80);  // row 0, plane 0: the left pixel
    EXPECT_EQ(encoded.Bytes[3], 0x01);  // row 1, plane 1: the right pixel
    int set = 0;
    for (std::uint8_t b : encoded.Bytes) set += b != 0;
    EXPECT_EQ(set, 2);
    // Without transparent pixels colour 0 is the top-left pixel's colour.
    const TEncodedPicture opaque = EncodePicture(Picture(8, 8, 4), TCellKind::Tiles);
    EXPECT_EQ(opaque.Palette[0], NineBitOf(Picture(8, 8, 4).Pixels[0] & 0xFFFFFF));
    EXPECT_EQ(NineBitOf(0xFFFFFF), 0x1FF);
    EXPECT_EQ(NineBitOf(0x000024), 0x001);
}

TEST(TileEncoder, APictureWithSeventeenColoursIsRefusedWithTheTileNamed) {
    // Sixteen colours in tiles 0 and 1, a 17th in the middle of tile 2 (column 0, row 1).
    TPixelPicture picture = Picture(16, 16, 16);
    picture.Pixels[static_cast<std::size_t>(12 * 16 + 3)] = LevelColour(7, 7, 7);
    const TEncodedPicture tiles = EncodePicture(picture, TCellKind::Tiles);
    ASSERT_FALSE(tiles.Error.empty());
    EXPECT_NE(tiles.Error.find("tile 2 (column 0, row 1"), std::string::npos) << tiles.Error;
    EXPECT_NE(tiles.Error.find("pixel 3,12"), std::string::npos) << tiles.Error;
    EXPECT_TRUE(tiles.Bytes.empty());
    const TEncodedPicture sprites = EncodePicture(picture, TCellKind::Sprites);
    EXPECT_NE(sprites.Error.find("sprite 0"), std::string::npos) << sprites.Error;

    const TEncodedPicture odd = EncodePicture(Picture(24, 8, 2), TCellKind::Sprites);
    EXPECT_NE(odd.Error.find("24 x 8 pixels; sprites need"), std::string::npos) << odd.Error;
}

TEST(TileEncoder, LanguageAndNameComeFromTheFileNames) {
    EXPECT_EQ(SourceLanguageOf("/x/game.c"), TSourceLanguage::C);
    EXPECT_EQ(SourceLanguageOf("tiles.h"), TSourceLanguage::C);
    EXPECT_EQ(SourceLanguageOf("/x/vdc.S"), TSourceLanguage::Assembly);
    EXPECT_EQ(SourceLanguageOf("hello.asm"), TSourceLanguage::Assembly);
    EXPECT_EQ(SourceLanguageOf("defs.inc"), TSourceLanguage::Assembly);
    EXPECT_EQ(SourceLanguageOf("/a.asm/noext"), TSourceLanguage::C);
    EXPECT_EQ(IdentifierOf("/pics/my-hero 2.png"), "my_hero_2");
    EXPECT_EQ(IdentifierOf("8x8.png"), "picture_8x8");
}

}  // namespace
