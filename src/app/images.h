// The program's built-in pictures: the frame window's tool images, the bookmark pictures and the
// About picture, rendered from the SVG files compiled into the program.
#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>
#include <memory>

#include "platform/qt/image_list.h"

// Indexes into the tool image list. The document window's tool bar uses tiFindPrevious,
// tiFindNext, tiChangeStyle, tiFind and tiReplace.
enum TToolImage : int {
    tiCut = 0,
    tiCopy = 1,
    tiPaste = 2,
    tiFindPrevious = 3,
    tiFindNext = 4,
    tiUndo = 5,
    tiNew = 6,
    tiOpen = 7,
    tiSave = 8,
    tiSaveAs = 9,
    tiChangeStyle = 10,
    tiAbout = 11,
    tiFind = 12,
    tiReplace = 13,
    tiSetup = 14,
    tiTileHorizontally = 15,
    tiTileVertically = 16,
    tiCascade = 17,
    tiCompileC = 18,
    tiCompileAsm = 19,
    tiEmulator1 = 20,  // Emulators 2 to 5 follow
    tiToolImageCount = 25,
};

// The 25 tool pictures of 16 by 16 pixels, in index order.
std::unique_ptr<TImageList> CreateToolImages();
// The ten bookmark pictures of 14 by 14 pixels, bookmark 0 to 9.
std::unique_ptr<TImageList> CreateBookmarkImages();
// The About box picture, 320 by 240 pixels.
QPixmap AboutPicture();
// The 16 by 16 picture, 256 colours, repeated over the frame window's client area.
QPixmap BackgroundTilePicture();

// Renders a built-in SVG picture (resource path such as ":/about.svg") at the given size.
QPixmap RenderPicture(const QString& resourcePath, QSize size);
