// Tab expansion of one line: the three expander procedures the line buffer picks from by tab
// width, and a length-only variant used where the expanded text itself is not needed.
#pragma once

#include <string>
#include <string_view>

// Expands the tabs of `line` to the next multiple of `tabWidth` (columns from 0); a width of 1
// or less turns each tab into one space. `hasTabs` reports whether the line held a tab.
using TConvertTabsProc = std::string (*)(std::string_view line, int tabWidth, bool& hasTabs);

std::string ConvertTabsAsSpaces(std::string_view line, int tabWidth, bool& hasTabs);
std::string ConvertTabsPowerOfTwo(std::string_view line, int tabWidth, bool& hasTabs);
std::string ConvertTabsGeneral(std::string_view line, int tabWidth, bool& hasTabs);

// The expander suited to a tab width: width 1 or less, a power of two, or any other width.
TConvertTabsProc GetBestConvertTabsProc(int tabWidth);

// Length of the expanded line, computed without building it.
std::size_t ExpandedTabLength(std::string_view line, int tabWidth, bool& hasTabs);
