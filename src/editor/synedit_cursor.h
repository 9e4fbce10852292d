// Mouse cursor shapes the editor control and its gutter ask the window for.
#pragma once

#include <cstdint>

enum TSynCursor : uint8_t { crDefault, crArrow, crIBeam, crDrag, crMultiDrag, crNoDrop };
