// The editor's font value (name, height, style bits, colour, pitch), the fixed-size logical font
// description that identifies a font for sharing, and the conversion of both to QFont.
#pragma once

#include <QFont>
#include <cstdint>
#include <string>

// Font pitch as the editor's font property states it.
enum TFontPitch : std::uint8_t { fpDefault = 0, fpFixed = 1, fpVariable = 2 };

// A font as the editor and its users set it. Height follows the platform convention: a negative
// height is the character (em) height in pixels, so -13 means a pixel size of 13; a positive
// height is the cell height, ascent plus descent.
struct TSynFont {
    // Style bits, one byte as in every style set of the editor.
    static constexpr std::uint8_t fsBold = 1;
    static constexpr std::uint8_t fsItalic = 2;
    static constexpr std::uint8_t fsUnderline = 4;
    static constexpr std::uint8_t fsStrikeOut = 8;
    // Screen resolution used to turn points into pixels.
    static constexpr int PixelsPerInch = 96;

    std::string Name = "Courier New";
    int Height = -13;
    std::uint8_t Style = 0;
    std::uint32_t Color = 0x80000008;  // window text system colour
    TFontPitch Pitch = fpDefault;
    std::uint8_t Charset = 1;  // default character set

    // Size in points, derived from the height at 96 pixels per inch.
    int Size() const;
    void SetSize(int points);

    bool operator==(const TSynFont&) const = default;
};

// Logical font description: the platform's 60-byte record, field for field, without padding,
// so that two descriptions can be compared byte for byte.
struct TLogFont {
    std::int32_t lfHeight = 0;
    std::int32_t lfWidth = 0;
    std::int32_t lfEscapement = 0;
    std::int32_t lfOrientation = 0;
    std::int32_t lfWeight = 0;
    std::uint8_t lfItalic = 0;
    std::uint8_t lfUnderline = 0;
    std::uint8_t lfStrikeOut = 0;
    std::uint8_t lfCharSet = 0;
    std::uint8_t lfOutPrecision = 0;
    std::uint8_t lfClipPrecision = 0;
    std::uint8_t lfQuality = 0;
    std::uint8_t lfPitchAndFamily = 0;
    char lfFaceName[32] = {};

    // Byte-for-byte comparison, which is what decides whether two fonts share their variants.
    bool SameBytes(const TLogFont& other) const;
};
static_assert(sizeof(TLogFont) == 60, "the logical font description is a 60-byte record");

constexpr std::int32_t FW_NORMAL = 400;
constexpr std::int32_t FW_BOLD = 700;

// The logical description of a font (face name cut to 31 characters).
TLogFont LogFontOf(const TSynFont& font);
// The description under which fonts are shared: italic, underline and strike-out cleared and
// every byte after the face name's terminating NUL cleared. The weight is kept.
TLogFont NormalisedLogFont(const TSynFont& font);
// The Qt font that a description asks for; the family is requested by name and left to the
// font configuration to substitute.
QFont QFontOfLogFont(const TLogFont& lf);
// The editor font for a Qt font: family, pixel height (from the point size at 96 pixels per inch
// when the font has none), style bits and pitch; the colour is the window text colour.
TSynFont SynFontOfQFont(const QFont& font);
