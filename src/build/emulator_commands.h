// Emulators 1 to 5: start the configured emulator on the image the compiler made from the active
// document's file, and wait until it has ended.
#pragma once

#include "build/build_services.h"

// Emulator index 0 to 4 ("Emulator &1" to "Emulator &5").
void EMUClick(TBuildServices& services, int index);
