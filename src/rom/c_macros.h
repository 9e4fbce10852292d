// Macros of `#define` lines: object-like (`#define TILE_A 0x1F`) and function-like
// (`#define RGB(r, g, b) (((g) << 6) | ((r) << 3) | (b))`), as a table by name.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "rom/line_source.h"

struct TMacro {
    bool FunctionLike = false;
    std::vector<std::string> Parameters;
    std::string Body;  // the replacement text, comments removed
};

using TMacroTable = std::map<std::string, TMacro, std::less<>>;

// Reads one `#define NAME ...` or `#undef NAME` line (continuation lines already joined) into the
// table; other lines, and definitions it cannot read (a variadic one), leave it as it is.
void ReadMacroLine(std::string_view line, TMacroTable& macros);

// The macros defined by lines first to end - 1 (0-based), a later definition replacing an
// earlier one. Conditional lines (#if) are not followed: every definition counts.
TMacroTable ReadMacros(const TLineSource& lines, int first, int end);
