// The search engines' shared tables, derived from the code page's case and class tables.
#include "search/search_tables.h"

#include <array>

#include "platform/codepage.h"

namespace {

struct SearchTables {
    std::array<unsigned char, 256> caseInsensitive{};
    std::array<unsigned char, 256> caseSensitive{};
    std::array<bool, 256> delimiter{};

    SearchTables() {
        for (int i = 0; i < 256; ++i) {
            auto c = static_cast<unsigned char>(i);
            caseInsensitive[i] = CodePageLower(c);
            caseSensitive[i] = c;
            delimiter[i] = !CodePageIsAlphaNumeric(c);
        }
    }
};

const SearchTables& Tables() {
    static const SearchTables tables;
    return tables;
}

}  // namespace

const unsigned char* SearchFoldTable(bool caseSensitive) {
    return caseSensitive ? Tables().caseSensitive.data() : Tables().caseInsensitive.data();
}

const bool* SearchDelimiterTable() {
    return Tables().delimiter.data();
}
