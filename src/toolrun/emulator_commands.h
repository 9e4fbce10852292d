// Emulators 1 to 5: start the configured emulator on the image the compiler made from the active
// document's file, and wait until it has ended. A missing image, an emulator that cannot start
// and one that fails or prints messages are reported.
#pragma once

#include <string>

#include "toolrun/build_services.h"

// The emulator's command line for a source file: a template expanded, or the fixed shape of the
// command, a blank and the image path (quoted when it holds blanks).
std::string EmulatorCommandLine(const std::string& emulator, const std::string& sourceDir,
                                const std::string& sourceName);

// Emulator index 0 to 4 ("Emulator &1" to "Emulator &5").
void EMUClick(TBuildServices& services, int index);
