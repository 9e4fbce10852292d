// How a selection or an inserted text spans lines: stream, whole lines, or a column block.
#pragma once

#include <cstdint>

enum TSynSelectionMode : std::uint8_t { smNormal = 0, smLine = 1, smColumn = 2 };
