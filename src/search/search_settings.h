// The search settings that every document window shares for the whole run: the choices and
// texts of the last search or replace dialog closed with OK, and the two histories. They are
// never stored on disk; the program's search session holds the one record.
#pragma once

#include <string>

struct TSearchSettings {
    bool Backward = false;
    bool MatchCase = false;
    bool FromCaret = false;
    bool SelectionOnly = false;
    bool WholeWords = false;
    std::string FindText;
    // Entries newest first, separated by CR LF, at most ten.
    std::string FindHistory;
    std::string ReplaceText;
    std::string ReplaceHistory;
};
