// The pictures of the setup dialog's toggle buttons, painted in code: three 24x24 pictures for
// the build's file type and three 14x14 lamps for the compiler switches.
#pragma once

#include <QPixmap>

enum TTogglePicture {
    tpHuCard,        // 24x24, a game card
    tpCD,            // 24x24, a compact disc
    tpSuperCD,       // 24x24, a compact disc with a star
    tpTextSwitch,    // 14x14, pale yellow lamp
    tpAsmSwitch,     // 14x14, pale green lamp
    tpVerboseSwitch  // 14x14, pale blue lamp
};

QPixmap TogglePicture(TTogglePicture which);
