// Conversions between the editor's font value, the logical font description and QFont.
#include "editor/qt/syn_font.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Rounded a * b / c, as the platform's integer scaling does.
int MulDiv(int a, int b, int c) {
    return static_cast<int>(std::lround(static_cast<double>(a) * b / c));
}

constexpr std::uint8_t FIXED_PITCH = 1;
constexpr std::uint8_t VARIABLE_PITCH = 2;

}  // namespace

int TSynFont::Size() const {
    if (Height < 0) return MulDiv(-Height, 72, PixelsPerInch);
    return MulDiv(Height, 72, PixelsPerInch);
}

void TSynFont::SetSize(int points) {
    Height = -MulDiv(points, PixelsPerInch, 72);
}

bool TLogFont::SameBytes(const TLogFont& other) const {
    return std::memcmp(this, &other, sizeof(TLogFont)) == 0;
}

TLogFont LogFontOf(const TSynFont& font) {
    TLogFont lf;
    lf.lfHeight = font.Height;
    lf.lfWeight = (font.Style & TSynFont::fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (font.Style & TSynFont::fsItalic) ? 1 : 0;
    lf.lfUnderline = (font.Style & TSynFont::fsUnderline) ? 1 : 0;
    lf.lfStrikeOut = (font.Style & TSynFont::fsStrikeOut) ? 1 : 0;
    lf.lfCharSet = font.Charset;
    switch (font.Pitch) {
        case fpFixed:
            lf.lfPitchAndFamily = FIXED_PITCH;
            break;
        case fpVariable:
            lf.lfPitchAndFamily = VARIABLE_PITCH;
            break;
        case fpDefault:
            break;
    }
    const std::size_t n = std::min(font.Name.size(), sizeof(lf.lfFaceName) - 1);
    std::memcpy(lf.lfFaceName, font.Name.data(), n);
    return lf;
}

TLogFont NormalisedLogFont(const TSynFont& font) {
    TLogFont lf = LogFontOf(font);
    lf.lfItalic = 0;
    lf.lfUnderline = 0;
    lf.lfStrikeOut = 0;
    // Clear whatever follows the terminating NUL so that equal names compare equal.
    const std::size_t len = strnlen(lf.lfFaceName, sizeof(lf.lfFaceName));
    if (len < sizeof(lf.lfFaceName))
        std::memset(lf.lfFaceName + len, 0, sizeof(lf.lfFaceName) - len);
    return lf;
}

QFont QFontOfLogFont(const TLogFont& lf) {
    QFont f(QString::fromLatin1(lf.lfFaceName, strnlen(lf.lfFaceName, sizeof(lf.lfFaceName))));
    // Both height conventions end up as a pixel size; 0 asks for the default size.
    const int px = lf.lfHeight == 0 ? 13 : std::abs(lf.lfHeight);
    f.setPixelSize(px);
    // Platform weights run 0..1000 like Qt 6's 1..1000 scale.
    f.setWeight(
        static_cast<QFont::Weight>(std::clamp<int>(lf.lfWeight == 0 ? 400 : lf.lfWeight, 1, 1000)));
    f.setItalic(lf.lfItalic != 0);
    f.setUnderline(lf.lfUnderline != 0);
    f.setStrikeOut(lf.lfStrikeOut != 0);
    if ((lf.lfPitchAndFamily & 3) == FIXED_PITCH) {
        f.setFixedPitch(true);
        f.setStyleHint(QFont::TypeWriter);
    }
    // The grid draws glyphs itself; no kerning, no fallback merging in measurements.
    f.setKerning(false);
    return f;
}

TSynFont SynFontOfQFont(const QFont& font) {
    TSynFont f;
    f.Name = font.family().toStdString();
    if (font.pixelSize() > 0)
        f.Height = -font.pixelSize();
    else
        f.Height =
            -static_cast<int>(std::lround(font.pointSizeF() * TSynFont::PixelsPerInch / 72.0));
    f.Style = static_cast<std::uint8_t>((font.bold() ? TSynFont::fsBold : 0) |
                                        (font.italic() ? TSynFont::fsItalic : 0) |
                                        (font.underline() ? TSynFont::fsUnderline : 0) |
                                        (font.strikeOut() ? TSynFont::fsStrikeOut : 0));
    f.Pitch = font.fixedPitch() ? fpFixed : fpDefault;
    return f;
}
