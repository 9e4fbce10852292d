// The stretched background pictures of the setup dialog's three pages, painted in code.
#pragma once

#include <QPixmap>

enum TSetupPagePicture { sppDirectories, sppSwitches, sppColors };

QPixmap SetupPagePicture(TSetupPagePicture which);
