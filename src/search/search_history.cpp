// History lists of the search and replace dialogs.
#include "search/search_history.h"

#include <algorithm>

#include "platform/codepage.h"

namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return CodePageLower(static_cast<unsigned char>(x)) ==
                      CodePageLower(static_cast<unsigned char>(y));
           });
}

}  // namespace

void AddToSearchHistory(std::vector<std::string>& list, const std::string& text) {
    if (text.empty()) return;
    const auto found = std::find_if(list.begin(), list.end(), [&text](const std::string& entry) {
        return SameIgnoringCase(entry, text);
    });
    if (found != list.end()) list.erase(found);
    list.insert(list.begin(), text);
}

std::string JoinSearchHistory(const std::vector<std::string>& list) {
    std::string text;
    const std::size_t count = std::min<std::size_t>(list.size(), kSearchHistoryLimit);
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0) text += "\r\n";
        text += list[i];
    }
    return text;
}

std::vector<std::string> SplitSearchHistory(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        lines.emplace_back(text.substr(start, end - start));
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() &&
            text[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    return lines;
}
