// Matching the word being completed against the proposals, and finding that word before the
// caret. Plain text functions, so the popup and its benchmarks share one definition.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Whether `item` begins with `word`. Blanks (codes 1 to 32) that indent the item are skipped
// first, so an indented proposal is found by its name. With ignoreCase only the letters A to Z
// and a to z are folded; every other byte compares exactly. An empty word matches every item.
bool ItemBeginsWith(std::string_view item, std::string_view word, bool ignoreCase);

// Index of the first item that begins with `word`; -1 when none does.
int FirstMatchingItem(const std::vector<std::string>& items, std::string_view word,
                      bool ignoreCase);

// The characters before column `caretX` (1-based) of `line`, back to the first character whose
// code is 32 or less or that occurs in `endOfToken`. Empty when the caret is beyond the line's
// end or directly after such a character.
std::string WordBeforeCaret(std::string_view line, int caretX, std::string_view endOfToken);
