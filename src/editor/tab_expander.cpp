// Tab expansion of one line.
#include "editor/tab_expander.h"

#include <cstring>

namespace {

bool IsPowerOfTwo(int n) {
    return n > 1 && (n & (n - 1)) == 0;
}

// Column after a tab that starts at `column`; the caller has made sure the width is above 1.
struct NextStopByDivision {
    int width;
    std::size_t operator()(std::size_t column) const { return (column / width + 1) * width; }
};

struct NextStopByMask {
    int width;
    std::size_t operator()(std::size_t column) const {
        return (column | static_cast<std::size_t>(width - 1)) + 1;
    }
};

struct NextStopOneSpace {
    std::size_t operator()(std::size_t column) const { return column + 1; }
};

template <typename NextStop>
std::size_t LengthFrom(std::string_view line, std::size_t firstTab, NextStop nextStop) {
    std::size_t column = firstTab;
    for (std::size_t i = firstTab; i < line.size(); ++i)
        column = line[i] == '\t' ? nextStop(column) : column + 1;
    return column;
}

// Two passes: the length first, then the text, so the result is allocated once.
template <typename NextStop>
std::string Expand(std::string_view line, bool& hasTabs, NextStop nextStop) {
    const std::size_t firstTab = line.find('\t');
    hasTabs = firstTab != std::string_view::npos;
    if (!hasTabs) return std::string(line);
    std::string result(LengthFrom(line, firstTab, nextStop), ' ');
    std::memcpy(result.data(), line.data(), firstTab);
    std::size_t column = firstTab;
    for (std::size_t i = firstTab; i < line.size(); ++i) {
        if (line[i] == '\t') {
            column = nextStop(column);  // the gap is already spaces
        } else {
            result[column++] = line[i];
        }
    }
    return result;
}

}  // namespace

std::string ConvertTabsAsSpaces(std::string_view line, int, bool& hasTabs) {
    return Expand(line, hasTabs, NextStopOneSpace{});
}

std::string ConvertTabsPowerOfTwo(std::string_view line, int tabWidth, bool& hasTabs) {
    return Expand(line, hasTabs, NextStopByMask{tabWidth});
}

std::string ConvertTabsGeneral(std::string_view line, int tabWidth, bool& hasTabs) {
    if (tabWidth <= 1) return ConvertTabsAsSpaces(line, tabWidth, hasTabs);
    return Expand(line, hasTabs, NextStopByDivision{tabWidth});
}

TConvertTabsProc GetBestConvertTabsProc(int tabWidth) {
    if (tabWidth <= 1) return &ConvertTabsAsSpaces;
    if (IsPowerOfTwo(tabWidth)) return &ConvertTabsPowerOfTwo;
    return &ConvertTabsGeneral;
}

std::size_t ExpandedTabLength(std::string_view line, int tabWidth, bool& hasTabs) {
    // find, not memchr on the data: an empty view may have no data at all.
    const std::size_t firstTab = line.find('\t');
    hasTabs = firstTab != std::string_view::npos;
    if (!hasTabs) return line.size();
    if (tabWidth <= 1) return line.size();
    if (IsPowerOfTwo(tabWidth)) return LengthFrom(line, firstTab, NextStopByMask{tabWidth});
    return LengthFrom(line, firstTab, NextStopByDivision{tabWidth});
}
