// The blanks at a line's end, which the editor trims when it is asked to.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Control characters count as blanks, as spaces and tabs do.
inline bool IsBlank(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 1 && u <= 32;
}

// Where the blanks at the end of `s` begin (its size when it ends in none).
inline std::size_t TrailingBlankStart(std::string_view s) {
    std::size_t end = s.size();
    while (end > 0 && IsBlank(s[end - 1])) --end;
    return end;
}

// Cuts the blanks at the end of the text head + middle + tail off the three pieces and returns
// them, without putting the text together (a long line is not copied to be trimmed).
inline std::string CutTrailingBlanks(std::string_view& head, std::string_view& middle,
                                     std::string_view& tail) {
    std::string blanks;
    for (std::string_view* piece : {&tail, &middle, &head}) {
        const std::size_t keep = TrailingBlankStart(*piece);
        blanks.insert(0, piece->substr(keep));
        *piece = piece->substr(0, keep);
        if (!piece->empty()) break;
    }
    return blanks;
}
