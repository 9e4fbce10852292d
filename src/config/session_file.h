// The session: the document windows open when the program last ended, kept in a file of its own
// beside the configuration file ("$HOME/.quillon-session") so the next start can bring them back.
// The file is plain text in sections, one "[Document]" section per window in window order,
// written whole through a temporary file and a rename.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct TSessionBookmark {
    int Number = 0;
    int Column = 1;
    int Line = 1;
    friend bool operator==(const TSessionBookmark&, const TSessionBookmark&) = default;
};

// Window states as the form saver stores them.
enum TSessionWindowState { swsNormal = 0, swsMinimized = 1, swsMaximized = 2 };

struct TSessionDocument {
    std::string Path;
    int CaretX = 1;
    int CaretY = 1;
    int TopLine = 1;
    int WindowState = swsNormal;
    // Bounds of the window while it is shown normal; a width of 0 leaves the placement to the
    // client area.
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    // Place in the stacking order, 0 the bottom-most.
    int Stack = 0;
    std::vector<TSessionBookmark> Bookmarks;
    friend bool operator==(const TSessionDocument&, const TSessionDocument&) = default;
};

struct TSession {
    std::vector<TSessionDocument> Documents;
    // Index into Documents of the active window, -1 for none.
    int Active = -1;
    friend bool operator==(const TSession&, const TSession&) = default;
};

// "<home>/.quillon-session".
std::string SessionFilePath();

std::string FormatSession(const TSession& session);
// Reads what FormatSession wrote; lines it does not know, and documents without a path, are
// skipped, and numbers that do not read keep their defaults.
TSession ParseSession(std::string_view text);

// The session of the file, empty when it is missing or unreadable.
TSession ReadSessionFile(const std::string& fileName);
// Writes the session whole through a temporary file and a rename; throws ESafeSaveError when
// that fails. Documents whose path cannot stand in one line are left out.
void WriteSessionFile(const std::string& fileName, const TSession& session);
