// Emulators 1 to 5: start the configured emulator on the image the compiler made from the active
// document's file, or the one its project's build made when that is newer, and wait until it has
// ended. A missing image, an emulator that cannot start
// and one that fails or prints messages are reported.
#pragma once

#include <string>

#include "toolrun/build_services.h"

// The emulator's command line for a source file and the image to start: a template expanded
// ({image} is that image, {project} the project directory), or the fixed shape of the command, a
// blank and the image path (quoted when it holds blanks).
std::string EmulatorCommandLine(const std::string& emulator, const std::string& sourceDir,
                                const std::string& sourceName, const std::string& imagePath,
                                const std::string& projectDir);

// Emulator index 0 to 4 ("Emulator &1" to "Emulator &5").
void EMUClick(TBuildServices& services, int index);
