// Colour values and font styles the highlighters use. Colours are 32-bit values with red in the
// lowest byte; clNone means "no colour, the editor's own applies"; 0x80000000 + n is system
// colour n, resolved only when drawing. The platform layer owns the full colour header; when it
// is present it is used, so that both can be included together. The fallback below holds only
// the constants the highlighters need and is to be unified with the platform header.
#pragma once

#include <cstdint>

#if __has_include("platform/colors.h")
#include "platform/colors.h"
#else
using TColor = std::int32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clNone = 0x1FFFFFFF;

inline constexpr TColor clWindow = static_cast<TColor>(0x80000005u);
inline constexpr TColor clWindowText = static_cast<TColor>(0x80000008u);
inline constexpr TColor clHighlight = static_cast<TColor>(0x8000000Du);
#endif

// Font style: one byte of flags.
using TFontStyles = std::uint8_t;
inline constexpr TFontStyles fsBold = 1;
inline constexpr TFontStyles fsItalic = 2;
inline constexpr TFontStyles fsUnderline = 4;
inline constexpr TFontStyles fsStrikeOut = 8;
