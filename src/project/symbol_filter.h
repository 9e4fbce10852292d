// Narrowing a list of names to those that fit what the user typed: its letters in order,
// without regard to letter case, best first — the whole text as a prefix, then its letters at
// the starts of the name's words (spr_update, SprUpdate: "su"), then anywhere in order.
#pragma once

#include <string_view>
#include <vector>

enum class TFitRank { Prefix, WordStarts, InOrder, None };

TFitRank FitRank(std::string_view typed, std::string_view name);

// Indices of the names that fit, best first: preferred names (the active document's) before
// the others, then by rank, then shorter names, then in list order. An empty text keeps every
// name.
std::vector<int> FilterNames(const std::vector<std::string_view>& names,
                             const std::vector<bool>& preferred, std::string_view typed);
