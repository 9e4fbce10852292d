// The completion list of every document window: a quick reference to the console's C library,
// function by function in ten categories, and the popup settings that go with it.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

class TSynCompletionProposal;
class TSynEdit;

// The list in its order: each category header ("** ... **") followed by the category's
// functions, each indented by two spaces, and one empty line at the end.
extern const std::array<std::string_view, 112> kLibraryCompletionItems;

// The list as the popup takes it.
std::vector<std::string> LibraryCompletionItems();

// Gives a document window's completion popup its settings and the list, attached to `editor`:
// Ctrl+Space, 16 rows of a 262-pixel window, silver selection, case-insensitive matching.
void SetUpLibraryCompletion(TSynCompletionProposal& proposal, TSynEdit& editor);
