// The program's one search settings record.
#include "search/search_settings.h"

TSearchSettings& SearchSettings() {
    static TSearchSettings settings;
    return settings;
}
