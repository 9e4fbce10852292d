// The name of the console image that the compiler leaves beside a source file.
#pragma once

#include <string>

// The source name's file part (after the last path separator, should it carry one) with its
// last extension replaced by "pce", or with ".pce" appended when it has none:
// game.c -> game.pce, game.asm -> game.pce, a.b/x -> x.pce. Any name length is fine.
std::string ImageName(const std::string& sourceName);
