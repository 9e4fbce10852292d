// Resolution of colour values, system colours mapped onto palette roles.
#include "platform/qt/color_resolve.h"

#include <QGuiApplication>

namespace {

struct SystemRole {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

SystemRole RoleOf(int index) {
    switch (index) {
        case 0:
            return {QPalette::Active, QPalette::Button};  // scroll bar
        case 1:
            return {QPalette::Active, QPalette::Dark};  // desktop
        case 2:
            return {QPalette::Active, QPalette::Highlight};  // active caption
        case 3:
            return {QPalette::Inactive, QPalette::Mid};  // inactive caption
        case 4:
            return {QPalette::Active, QPalette::Window};  // menu
        case 5:
            return {QPalette::Active, QPalette::Base};  // window
        case 6:
            return {QPalette::Active, QPalette::Shadow};  // window frame
        case 7:
            return {QPalette::Active, QPalette::WindowText};  // menu text
        case 8:
            return {QPalette::Active, QPalette::Text};  // window text
        case 9:
            return {QPalette::Active, QPalette::HighlightedText};  // caption text
        case 10:
            return {QPalette::Active, QPalette::Window};  // active border
        case 11:
            return {QPalette::Inactive, QPalette::Window};  // inactive border
        case 12:
            return {QPalette::Active, QPalette::Dark};  // application workspace
        case 13:
            return {QPalette::Active, QPalette::Highlight};
        case 14:
            return {QPalette::Active, QPalette::HighlightedText};
        case 15:
            return {QPalette::Active, QPalette::Button};  // button face
        case 16:
            return {QPalette::Active, QPalette::Mid};  // button shadow
        case 17:
            return {QPalette::Disabled, QPalette::Text};  // grey text
        case 18:
            return {QPalette::Active, QPalette::ButtonText};
        case 19:
            return {QPalette::Inactive, QPalette::WindowText};  // inactive caption text
        case 20:
            return {QPalette::Active, QPalette::Light};  // button highlight
        case 21:
            return {QPalette::Active, QPalette::Shadow};  // 3D dark shadow
        case 22:
            return {QPalette::Active, QPalette::Midlight};  // 3D light
        case 23:
            return {QPalette::Active, QPalette::ToolTipText};
        case 24:
            return {QPalette::Active, QPalette::ToolTipBase};
        default:
            return {QPalette::Active, QPalette::Window};
    }
}

}  // namespace

QColor ColorToQColor(TColor color, const QPalette& palette) {
    if (color == clNone || color == clDefault) return QColor();
    if (IsSystemColor(color)) {
        const SystemRole role = RoleOf(SystemColorIndex(color));
        return palette.color(role.group, role.role);
    }
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

QColor ColorToQColor(TColor color) {
    return ColorToQColor(color, QGuiApplication::palette());
}

TColor QColorToColor(const QColor& color) {
    return RGBToColor(color.red(), color.green(), color.blue());
}
