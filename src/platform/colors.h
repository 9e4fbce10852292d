// Colour values: 32-bit numbers with red in the lowest byte, green and blue above it; two
// special forms: clNone (no colour, the default applies) and 0x80000000 + n (system colour n,
// resolved only when drawing).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

using TColor = std::int32_t;

constexpr TColor RGBToColor(int red, int green, int blue) {
    return static_cast<TColor>((static_cast<std::uint32_t>(blue & 0xFF) << 16) |
                               (static_cast<std::uint32_t>(green & 0xFF) << 8) |
                               static_cast<std::uint32_t>(red & 0xFF));
}
constexpr int GetRValue(TColor color) {
    return static_cast<std::uint32_t>(color) & 0xFF;
}
constexpr int GetGValue(TColor color) {
    return (static_cast<std::uint32_t>(color) >> 8) & 0xFF;
}
constexpr int GetBValue(TColor color) {
    return (static_cast<std::uint32_t>(color) >> 16) & 0xFF;
}

constexpr TColor SystemColor(int index) {
    return static_cast<TColor>(0x80000000u | static_cast<std::uint32_t>(index));
}
constexpr bool IsSystemColor(TColor color) {
    return (static_cast<std::uint32_t>(color) & 0xFF000000u) == 0x80000000u;
}
constexpr int SystemColorIndex(TColor color) {
    return static_cast<int>(static_cast<std::uint32_t>(color) & 0xFFu);
}

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
inline constexpr TColor clDefault = 0x20000000;

inline constexpr TColor clScrollBar = SystemColor(0);
inline constexpr TColor clBackground = SystemColor(1);
inline constexpr TColor clActiveCaption = SystemColor(2);
inline constexpr TColor clInactiveCaption = SystemColor(3);
inline constexpr TColor clMenu = SystemColor(4);
inline constexpr TColor clWindow = SystemColor(5);
inline constexpr TColor clWindowFrame = SystemColor(6);
inline constexpr TColor clMenuText = SystemColor(7);
inline constexpr TColor clWindowText = SystemColor(8);
inline constexpr TColor clCaptionText = SystemColor(9);
inline constexpr TColor clActiveBorder = SystemColor(10);
inline constexpr TColor clInactiveBorder = SystemColor(11);
inline constexpr TColor clAppWorkSpace = SystemColor(12);
inline constexpr TColor clHighlight = SystemColor(13);
inline constexpr TColor clHighlightText = SystemColor(14);
inline constexpr TColor clBtnFace = SystemColor(15);
inline constexpr TColor clBtnShadow = SystemColor(16);
inline constexpr TColor clGrayText = SystemColor(17);
inline constexpr TColor clBtnText = SystemColor(18);
inline constexpr TColor clInactiveCaptionText = SystemColor(19);
inline constexpr TColor clBtnHighlight = SystemColor(20);
inline constexpr TColor cl3DDkShadow = SystemColor(21);
inline constexpr TColor cl3DLight = SystemColor(22);
inline constexpr TColor clInfoText = SystemColor(23);
inline constexpr TColor clInfoBk = SystemColor(24);

// Name of a named or system colour ("clNavy", "clWindow"), or nothing for other values.
std::optional<std::string> ColorToIdent(TColor color);
// Value of a colour name, letter case ignored; nothing for unknown names.
std::optional<TColor> IdentToColor(std::string_view name);
// The colour's name when it has one, otherwise its signed decimal text.
std::string ColorToString(TColor color);
