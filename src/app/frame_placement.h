// Where the frame window keeps its placement between runs.
#pragma once

#include <string>

// The placement file: executableIni (the executable's path with ".INI") when that file can be
// written where it is; otherwise "quillon.INI" in the directory of configFile, so a program
// installed in a read-only place still remembers its window.
std::string FramePlacementFile(const std::string& executableIni, const std::string& configFile);

// The placement file of this run. QUILLON_PLACEMENT_FILE in the environment names another one
// (tests keep their frame windows away from the real file with it).
std::string FramePlacementFile();
