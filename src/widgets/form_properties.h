// The published properties of a window that the form saver stores, read from and applied to a
// QWidget window. Properties Qt has no place for (Color, Ctl3D, Cursor, the font's colour,
// HelpContext, ShowHint, Tag) are kept as dynamic properties of the window, so a window keeps
// the values it was given; Color and the font's colour also set its palette.
#pragma once

#include <QWidget>
#include <string>

#include "platform/colors.h"

// A window's Color when it was never given one.
inline constexpr TColor kDefaultFormColor = clBtnFace;
// The colour of a window's font when it was never given one.
inline constexpr TColor kDefaultFontColor = clWindowText;

// Window state numbers as stored: 0 normal, 1 minimised, 2 maximised.
enum TWindowState { wsNormal = 0, wsMinimized = 1, wsMaximized = 2 };

namespace FormProperties {

std::string Caption(const QWidget& form);
void SetCaption(QWidget& form, const std::string& value);

TColor Color(const QWidget& form);
void SetColor(QWidget& form, TColor value);

bool Ctl3D(const QWidget& form);
void SetCtl3D(QWidget& form, bool value);

// Cursor numbers: 0 the default cursor, negative numbers the stock cursors (-2 arrow, -3 cross,
// -4 text beam, -11 hourglass, -21 pointing hand, ...).
int Cursor(const QWidget& form);
void SetCursor(QWidget& form, int value);

std::string FontName(const QWidget& form);
void SetFontName(QWidget& form, const std::string& value);
// In points; a font given in pixels is converted at the screen's resolution.
int FontSize(const QWidget& form);
void SetFontSize(QWidget& form, int value);
TColor FontColor(const QWidget& form);
void SetFontColor(QWidget& form, TColor value);

int HelpContext(const QWidget& form);
void SetHelpContext(QWidget& form, int value);
std::string Hint(const QWidget& form);
void SetHint(QWidget& form, const std::string& value);
bool ShowHint(const QWidget& form);
void SetShowHint(QWidget& form, bool value);
int Tag(const QWidget& form);
void SetTag(QWidget& form, int value);

TWindowState WindowState(const QWidget& form);
void SetWindowState(QWidget& form, TWindowState value);

}  // namespace FormProperties
