// Splitting of a one-text command line into program name and arguments by the Windows rules, so
// a command line composed for a Windows tool reaches the tool with the same arguments here.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// True for the two characters that separate words: blank and tab.
bool IsCommandLineBlank(char c);

// Reads the program word that starts at `pos` (leading blanks are skipped): it ends at the first
// blank outside quotes; quotes toggle and are dropped; backslashes are taken as they stand.
// Returns the word and sets `pos` to the character after it.
std::string ReadProgramWord(std::string_view commandLine, size_t& pos);

// Splits an argument text: blanks outside quotes separate arguments; quotes group and are dropped;
// 2n backslashes before a quote give n backslashes and the quote toggles; 2n+1 give n backslashes
// and a literal quote; other backslashes are literal; "" inside a quoted part gives one literal
// quote and the part stays quoted.
std::vector<std::string> SplitArguments(std::string_view arguments);

// The whole command line: the program word (first element) followed by the split arguments.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);
