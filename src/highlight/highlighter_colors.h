// Colour values and font styles the highlighters use. Colours are the platform's 32-bit values
// with red in the lowest byte; clNone means "no colour, the editor's own applies"; 0x80000000 + n
// is system colour n, resolved only when drawing.
#pragma once

#include <cstdint>

#include "platform/colors.h"

// Font style: one byte of flags.
using TFontStyles = std::uint8_t;
inline constexpr TFontStyles fsBold = 1;
inline constexpr TFontStyles fsItalic = 2;
inline constexpr TFontStyles fsUnderline = 4;
inline constexpr TFontStyles fsStrikeOut = 8;
