// Pictures into the console's graphics: a picture's pixels cut into 8x8 tiles or 16x16 sprites,
// its colours mapped to one palette of at most 16 9-bit colours (colour 0 transparent), and the
// result written as C or assembly source that the byte-table reader takes back.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "rom/tile_graphics.h"

// A picture as pixels, row by row: 0xAARRGGBB.
struct TPixelPicture {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint32_t> Pixels;
};

enum class TCellKind { Tiles, Sprites };

struct TEncodedPicture {
    std::string Error;  // empty when the picture could be converted
    TCellKind Kind = TCellKind::Tiles;
    int Columns = 0;  // cells per row of the picture
    int Rows = 0;
    std::vector<std::uint8_t> Bytes;     // the cells, left to right and top to bottom
    std::vector<std::uint16_t> Palette;  // 16 9-bit colours; entry 0 the transparent one
    int ColourCount = 0;                 // entries in use
};

// The 9-bit colour nearest to a 0xRRGGBB colour (each channel to the nearest of 8 levels).
std::uint16_t NineBitOf(TRgb colour);

// Cuts the picture into cells. Colour 0 is given to the transparent pixels (alpha below 128);
// a picture without any gives it to the colour of its top-left pixel. The other colours follow
// in the order they first appear. A picture with more than 16 colours (after mapping to 9 bits),
// or whose size is not a multiple of the cell's, is refused with a message naming the tile that
// breaks the rule.
TEncodedPicture EncodePicture(const TPixelPicture& picture, TCellKind kind);

enum class TSourceLanguage { C, Assembly };

// The language of a document by its file name: .asm, .s, .inc (and .a65, .mac) are assembly;
// everything else is C.
TSourceLanguage SourceLanguageOf(const std::string& fileName);

// An identifier made of a file's base name: letters, digits and underscores, not starting with
// a digit ("my-pic.png" -> "my_pic").
std::string IdentifierOf(const std::string& fileName);

// The cells and the palette as source text, ready to insert: a byte table named name + "_tiles"
// (or "_sprites") and a word table name + "_palette", with a comment saying what they hold.
std::string PictureSource(const TEncodedPicture& picture, const std::string& name,
                          TSourceLanguage language);
