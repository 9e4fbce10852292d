// Splitting a document's full path into the directory (up to and including the last path
// separator) and the bare file name, as the frame window records them.
#pragma once

#include <string>

struct TSourceFile {
    std::string Dir;
    std::string Name;
};

// "/src/game.c" gives "/src/" and "game.c"; a path without a separator is all name; an empty
// path gives two empty texts. On Windows both "\" and "/" separate.
TSourceFile SplitSourcePath(const std::string& path);
