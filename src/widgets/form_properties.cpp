// Reading and applying a window's stored properties.
#include "widgets/form_properties.h"

#include <QCursor>
#include <QFont>
#include <QPalette>
#include <QScreen>
#include <QVariant>
#include <cmath>

#include "platform/qt/color_resolve.h"
#include "platform/qt/qt_text.h"

namespace FormProperties {

namespace {

int IntProperty(const QWidget& form, const char* name, int defaultValue) {
    const QVariant value = form.property(name);
    return value.isValid() ? value.toInt() : defaultValue;
}

struct TCursorEntry {
    int Number;
    Qt::CursorShape Shape;
};

// Stock cursor numbers and the Qt shapes that stand for them.
constexpr TCursorEntry kCursors[] = {
    {-1, Qt::BlankCursor},         {-2, Qt::ArrowCursor},     {-3, Qt::CrossCursor},
    {-4, Qt::IBeamCursor},         {-5, Qt::SizeAllCursor},   {-6, Qt::SizeBDiagCursor},
    {-7, Qt::SizeVerCursor},       {-8, Qt::SizeFDiagCursor}, {-9, Qt::SizeHorCursor},
    {-10, Qt::UpArrowCursor},      {-11, Qt::WaitCursor},     {-12, Qt::DragCopyCursor},
    {-13, Qt::DragMoveCursor},     {-14, Qt::SplitVCursor},   {-15, Qt::SplitHCursor},
    {-18, Qt::ForbiddenCursor},    {-19, Qt::BusyCursor},     {-20, Qt::WhatsThisCursor},
    {-21, Qt::PointingHandCursor},
};

double ScreenDpi(const QWidget& form) {
    const QScreen* screen = form.screen();
    return screen != nullptr ? screen->logicalDotsPerInchY() : 96.0;
}

}  // namespace

std::string Caption(const QWidget& form) {
    return FromQ(form.windowTitle());
}

void SetCaption(QWidget& form, const std::string& value) {
    form.setWindowTitle(ToQ(value));
}

TColor Color(const QWidget& form) {
    return IntProperty(form, "Color", kDefaultFormColor);
}

void SetColor(QWidget& form, TColor value) {
    form.setProperty("Color", value);
    QPalette palette = form.palette();
    const QColor color = ColorToQColor(value, palette);
    if (color.isValid()) {
        palette.setColor(QPalette::Window, color);
        form.setPalette(palette);
    }
}

bool Ctl3D(const QWidget& form) {
    return IntProperty(form, "Ctl3D", 1) != 0;
}

void SetCtl3D(QWidget& form, bool value) {
    form.setProperty("Ctl3D", value ? 1 : 0);
}

int Cursor(const QWidget& form) {
    return IntProperty(form, "Cursor", 0);
}

void SetCursor(QWidget& form, int value) {
    form.setProperty("Cursor", value);
    for (const TCursorEntry& entry : kCursors) {
        if (entry.Number == value) {
            form.setCursor(entry.Shape);
            return;
        }
    }
    // 0 and numbers without a stock cursor show the default one.
    form.unsetCursor();
}

std::string FontName(const QWidget& form) {
    return FromQ(form.font().family());
}

void SetFontName(QWidget& form, const std::string& value) {
    QFont font = form.font();
    font.setFamily(ToQ(value));
    form.setFont(font);
}

int FontSize(const QWidget& form) {
    const QFont font = form.font();
    if (font.pointSize() > 0) return font.pointSize();
    if (font.pixelSize() > 0) {
        return static_cast<int>(std::lround(font.pixelSize() * 72.0 / ScreenDpi(form)));
    }
    return static_cast<int>(std::lround(font.pointSizeF()));
}

void SetFontSize(QWidget& form, int value) {
    // Sizes that Qt cannot take leave the font as it is.
    if (value <= 0 || value > 1638) return;
    QFont font = form.font();
    font.setPointSize(value);
    form.setFont(font);
}

TColor FontColor(const QWidget& form) {
    return IntProperty(form, "FontColor", kDefaultFontColor);
}

void SetFontColor(QWidget& form, TColor value) {
    form.setProperty("FontColor", value);
    QPalette palette = form.palette();
    const QColor color = ColorToQColor(value, palette);
    if (color.isValid()) {
        palette.setColor(QPalette::WindowText, color);
        form.setPalette(palette);
    }
}

int HelpContext(const QWidget& form) {
    return IntProperty(form, "HelpContext", 0);
}

void SetHelpContext(QWidget& form, int value) {
    form.setProperty("HelpContext", value);
}

std::string Hint(const QWidget& form) {
    return FromQ(form.toolTip());
}

void SetHint(QWidget& form, const std::string& value) {
    form.setToolTip(ToQ(value));
}

bool ShowHint(const QWidget& form) {
    return IntProperty(form, "ShowHint", 0) != 0;
}

void SetShowHint(QWidget& form, bool value) {
    form.setProperty("ShowHint", value ? 1 : 0);
}

int Tag(const QWidget& form) {
    return IntProperty(form, "Tag", 0);
}

void SetTag(QWidget& form, int value) {
    form.setProperty("Tag", value);
}

TWindowState WindowState(const QWidget& form) {
    const Qt::WindowStates state = form.windowState();
    if (state & Qt::WindowMinimized) return wsMinimized;
    if (state & (Qt::WindowMaximized | Qt::WindowFullScreen)) return wsMaximized;
    return wsNormal;
}

void SetWindowState(QWidget& form, TWindowState value) {
    Qt::WindowStates state =
        form.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen);
    if (value == wsMinimized) state |= Qt::WindowMinimized;
    if (value == wsMaximized) state |= Qt::WindowMaximized;
    form.setWindowState(state);
}

}  // namespace FormProperties
