// The application's own icon, shown by the frame window, every document window and the desktop.
#pragma once

#include <QIcon>

// The desktop entry's name without ".desktop"; the window system matches our windows to it.
extern const char* const kDesktopFileName;

// The icon in the sizes the window system asks for (16 to 256 pixels), drawn from its SVG.
QIcon ApplicationIcon();
