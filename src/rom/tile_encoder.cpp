// Converting pixels into tiles or sprites, a palette, and their source text.
#include "rom/tile_encoder.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace {

std::uint16_t Level(std::uint32_t channel) {
    return static_cast<std::uint16_t>((channel * 7 + 127) / 255);
}

std::string Hex(unsigned value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", digits, value);
    return text;
}

std::string CellName(TCellKind kind) {
    return kind == TCellKind::Tiles ? "tile" : "sprite";
}

// Writes cell `cell` of the picture in the console's format.
void EncodeCell(const std::vector<int>& indices, int width, int left, int top, TCellKind kind,
                std::uint8_t* out) {
    auto at = [&](int x, int y) {
        return indices[static_cast<std::size_t>(top + y) * width + left + x];
    };
    if (kind == TCellKind::Tiles) {
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                const int index = at(x, y);
                const int bit = 7 - x;
                out[2 * y] |= static_cast<std::uint8_t>((index & 1) << bit);
                out[2 * y + 1] |= static_cast<std::uint8_t>(((index >> 1) & 1) << bit);
                out[16 + 2 * y] |= static_cast<std::uint8_t>(((index >> 2) & 1) << bit);
                out[17 + 2 * y] |= static_cast<std::uint8_t>(((index >> 3) & 1) << bit);
            }
        return;
    }
    for (int plane = 0; plane < 4; ++plane)
        for (int y = 0; y < 16; ++y) {
            unsigned word = 0;
            for (int x = 0; x < 16; ++x)
                word |= static_cast<unsigned>((at(x, y) >> plane) & 1) << (15 - x);
            out[32 * plane + 2 * y] = static_cast<std::uint8_t>(word & 0xFF);
            out[32 * plane + 2 * y + 1] = static_cast<std::uint8_t>(word >> 8);
        }
}

}  // namespace

std::uint16_t NineBitOf(TRgb colour) {
    const std::uint16_t red = Level((colour >> 16) & 0xFF);
    const std::uint16_t green = Level((colour >> 8) & 0xFF);
    const std::uint16_t blue = Level(colour & 0xFF);
    return static_cast<std::uint16_t>(green << 6 | red << 3 | blue);
}

TEncodedPicture EncodePicture(const TPixelPicture& picture, TCellKind kind) {
    TEncodedPicture result;
    result.Kind = kind;
    const int size = kind == TCellKind::Tiles ? 8 : 16;
    if (picture.Width <= 0 || picture.Height <= 0 ||
        picture.Pixels.size() != static_cast<std::size_t>(picture.Width) * picture.Height) {
        result.Error = "The picture is empty.";
        return result;
    }
    if (picture.Width % size != 0 || picture.Height % size != 0) {
        result.Error = "The picture is " + std::to_string(picture.Width) + " x " +
                       std::to_string(picture.Height) + " pixels; " + CellName(kind) +
                       "s need a width and a height that are multiples of " + std::to_string(size) +
                       ".";
        return result;
    }
    result.Columns = picture.Width / size;
    result.Rows = picture.Height / size;

    auto transparent = [](std::uint32_t pixel) { return (pixel >> 24) < 128; };
    const bool anyTransparent =
        std::any_of(picture.Pixels.begin(), picture.Pixels.end(), transparent);
    std::vector<std::uint16_t> palette;
    // Colour 0: the transparent pixels, else the top-left pixel's colour.
    constexpr std::uint16_t kTransparentSlot = 0xFFFF;
    palette.push_back(anyTransparent ? kTransparentSlot : NineBitOf(picture.Pixels[0] & 0xFFFFFF));

    std::vector<int> indices(picture.Pixels.size(), 0);
    // Cell by cell, so the first cell that brings a 17th colour is the one named.
    for (int cellRow = 0; cellRow < result.Rows; ++cellRow)
        for (int cellColumn = 0; cellColumn < result.Columns; ++cellColumn)
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x) {
                    const int px = cellColumn * size + x;
                    const int py = cellRow * size + y;
                    const std::size_t at = static_cast<std::size_t>(py) * picture.Width + px;
                    const std::uint32_t pixel = picture.Pixels[at];
                    if (anyTransparent && transparent(pixel)) continue;
                    const std::uint16_t colour = NineBitOf(pixel & 0xFFFFFF);
                    auto found = std::find(palette.begin() + (anyTransparent ? 1 : 0),
                                           palette.end(), colour);
                    if (found == palette.end()) {
                        if (palette.size() == 16) {
                            const int cell = cellRow * result.Columns + cellColumn;
                            result.Error =
                                "The picture has more than 16 colours: " + CellName(kind) + " " +
                                std::to_string(cell) + " (column " + std::to_string(cellColumn) +
                                ", row " + std::to_string(cellRow) + ", pixels from " +
                                std::to_string(cellColumn * size) + "," +
                                std::to_string(cellRow * size) + ") brings colour 17 at pixel " +
                                std::to_string(px) + "," + std::to_string(py) + ".";
                            return result;
                        }
                        palette.push_back(colour);
                        found = palette.end() - 1;
                    }
                    indices[at] = static_cast<int>(found - palette.begin());
                }
    result.ColourCount = static_cast<int>(palette.size());
    if (anyTransparent) palette[0] = 0;
    palette.resize(16, 0);
    result.Palette = palette;

    const int cellBytes = kind == TCellKind::Tiles ? kTileBytes : kSpriteBytes;
    result.Bytes.assign(static_cast<std::size_t>(result.Columns) * result.Rows * cellBytes, 0);
    for (int cellRow = 0; cellRow < result.Rows; ++cellRow)
        for (int cellColumn = 0; cellColumn < result.Columns; ++cellColumn) {
            const std::size_t cell =
                static_cast<std::size_t>(cellRow) * result.Columns + cellColumn;
            EncodeCell(indices, picture.Width, cellColumn * size, cellRow * size, kind,
                       result.Bytes.data() + cell * cellBytes);
        }
    return result;
}

TSourceLanguage SourceLanguageOf(const std::string& fileName) {
    const std::size_t dot = fileName.rfind('.');
    const std::size_t slash = fileName.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return TSourceLanguage::C;
    std::string extension = fileName.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const char* assembly : {"asm", "s", "inc", "a65", "mac"})
        if (extension == assembly) return TSourceLanguage::Assembly;
    return TSourceLanguage::C;
}

std::string IdentifierOf(const std::string& fileName) {
    std::string name =
        fileName.substr(fileName.rfind('/') == std::string::npos ? 0 : fileName.rfind('/') + 1);
    if (const std::size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0)
        name.erase(dot);
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') c = '_';
    if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0]))) name = "picture_" + name;
    return name;
}

std::string PictureSource(const TEncodedPicture& picture, const std::string& name,
                          TSourceLanguage language) {
    const bool c = language == TSourceLanguage::C;
    const int size = picture.Kind == TCellKind::Tiles ? 8 : 16;
    const int cellBytes = picture.Kind == TCellKind::Tiles ? kTileBytes : kSpriteBytes;
    const std::string table = name + (picture.Kind == TCellKind::Tiles ? "_tiles" : "_sprites");
    const std::string palette = name + "_palette";
    const std::string comment = c ? "/* " : "; ";
    const std::string commentEnd = c ? " */" : "";
    const std::size_t cells = picture.Bytes.size() / static_cast<std::size_t>(cellBytes);

    std::string text;
    text += comment + std::to_string(cells) + " " + CellName(picture.Kind) + "(s) of " +
            std::to_string(size) + "x" + std::to_string(size) + ", " +
            std::to_string(picture.Columns) + " per row, " + std::to_string(cellBytes) +
            " bytes each" + commentEnd + "\n";
    if (c) {
        text +=
            "const unsigned char " + table + "[" + std::to_string(picture.Bytes.size()) + "] = {\n";
    } else {
        text += table + ":\n";
    }
    for (std::size_t i = 0; i < picture.Bytes.size(); i += 16) {
        text += c ? "    " : "        .byte ";
        for (std::size_t j = i; j < std::min(i + 16, picture.Bytes.size()); ++j) {
            if (j > i) text += c ? ", " : ",";
            text += (c ? "0x" : "$") + Hex(picture.Bytes[j], 2);
        }
        text += c ? (i + 16 < picture.Bytes.size() ? ",\n" : "\n") : "\n";
    }
    if (c) text += "};\n";
    text += comment +
            "palette: 9-bit colours (bits 0-2 blue, 3-5 red, 6-8 green), colour 0 transparent" +
            commentEnd + "\n";
    if (c) {
        text += "const unsigned int " + palette + "[16] = {\n    ";
    } else {
        text += palette + ":\n        .word ";
    }
    for (std::size_t i = 0; i < picture.Palette.size(); ++i) {
        if (i == 8)
            text += c ? ",\n    " : "\n        .word ";
        else if (i > 0)
            text += c ? ", " : ",";
        text += (c ? "0x" : "$") + Hex(picture.Palette[i], 3);
    }
    text += c ? "\n};\n" : "\n";
    return text;
}
