// The drop-down histories of the search and replace dialogs: a list of earlier entries, newest
// first, handed to and from the dialog's caller as one text with one entry per line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// A history text holds at most this many entries.
constexpr int kSearchHistoryLimit = 10;

// Records a confirmed entry: an empty text leaves the list alone; a text already in the list
// (compared ignoring letter case) moves to the top with the letter case of this use; a new text
// goes on top.
void AddToSearchHistory(std::vector<std::string>& list, const std::string& text);

// The first kSearchHistoryLimit entries joined with CR LF, none after the last.
std::string JoinSearchHistory(const std::vector<std::string>& list);

// The lines of a history text; CR LF, a lone CR and a lone LF all end a line, and a line break
// at the end does not start another entry. An empty text gives an empty list.
std::vector<std::string> SplitSearchHistory(std::string_view text);
