// Prefix matching of proposals and the word before the caret.
#include "completion/completion_match.h"

namespace {

bool IsBlank(unsigned char c) {
    return c <= 32;
}

unsigned char FoldAsciiCase(unsigned char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

}  // namespace

bool ItemBeginsWith(std::string_view item, std::string_view word, bool ignoreCase) {
    std::size_t start = 0;
    while (start < item.size() && IsBlank(static_cast<unsigned char>(item[start]))) ++start;
    // A word that itself begins with a blank is compared with the item as it stands.
    if (!word.empty() && IsBlank(static_cast<unsigned char>(word[0]))) start = 0;
    if (item.size() - start < word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        auto a = static_cast<unsigned char>(item[start + i]);
        auto b = static_cast<unsigned char>(word[i]);
        if (ignoreCase) {
            a = FoldAsciiCase(a);
            b = FoldAsciiCase(b);
        }
        if (a != b) return false;
    }
    return true;
}

int FirstMatchingItem(const std::vector<std::string>& items, std::string_view word,
                      bool ignoreCase) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (ItemBeginsWith(items[i], word, ignoreCase)) return static_cast<int>(i);
    }
    return -1;
}

std::string WordBeforeCaret(std::string_view line, int caretX, std::string_view endOfToken) {
    if (caretX < 1 || static_cast<std::size_t>(caretX - 1) > line.size()) return {};
    const std::size_t end = static_cast<std::size_t>(caretX - 1);
    std::size_t start = end;
    while (start > 0) {
        const char c = line[start - 1];
        if (IsBlank(static_cast<unsigned char>(c)) || endOfToken.find(c) != std::string_view::npos)
            break;
        --start;
    }
    return std::string(line.substr(start, end - start));
}
