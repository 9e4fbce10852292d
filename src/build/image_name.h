// The name of the console image that the compiler leaves beside a source file.
#pragma once

#include <string>

// The source name with its last extension (from the last dot after the last path separator)
// replaced by "pce", or with ".pce" appended when it has none: game.c -> game.pce,
// game.asm -> game.pce, x -> x.pce. Any name length is fine.
std::string ImageName(const std::string& sourceName);
