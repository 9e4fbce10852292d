// Names of the named and system colours.
#include "platform/colors.h"

#include <array>

#include "platform/codepage.h"

namespace {

struct NamedColor {
    TColor value;
    const char* name;
};

constexpr std::array<NamedColor, 43> kNames{{
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clNone, "clNone"},
    {clDefault, "clDefault"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
}};

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (CodePageLower(static_cast<unsigned char>(a[i])) !=
            CodePageLower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

}  // namespace

std::optional<std::string> ColorToIdent(TColor color) {
    for (const NamedColor& entry : kNames) {
        if (entry.value == color) return std::string(entry.name);
    }
    return std::nullopt;
}

std::optional<TColor> IdentToColor(std::string_view name) {
    for (const NamedColor& entry : kNames) {
        if (SameText(entry.name, name)) return entry.value;
    }
    return std::nullopt;
}

std::string ColorToString(TColor color) {
    if (auto name = ColorToIdent(color)) return *name;
    return std::to_string(color);
}
