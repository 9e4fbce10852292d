// Messages in a tool's output that name a position in a source file: "file:line:col:",
// "file:line:", "file(line):" and "file(line,col):", as compilers and assemblers print them,
// and the list of such messages that next/previous message steps through.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class TToolMessageKind : std::uint8_t { Other, Error, Warning, Note };

// A position read from one output line; File points into that line.
struct TMessagePosition {
    std::string_view File;
    int Line = 0;
    int Column = 0;  // 0 when the message names no column
    TToolMessageKind Kind = TToolMessageKind::Other;
};

// The position a line names, or nothing when the line is no message. The file must look like a
// file name: an extension in its last part, no colon apart from a drive letter, no blank at its
// ends; so times ("12:30:45"), "make: *** [x:12: all]" and "Passes: 2" are not messages.
// Blanks inside the path are allowed; the lead-in "In file included from " and "from " of an
// include chain is skipped, and so is a linker's "ld65: Error: " or "ld65: Warning: ", whose
// kind the message then has.
std::optional<TMessagePosition> ParseMessagePosition(std::string_view line);

// What make reports when it changes directory: "make: Entering directory '/a/b'" and
// "make[2]: Leaving directory '/a/b'" (any program whose name ends in "make", with or without a
// level in brackets, the directory in '', `' or "").
struct TMakeDirectoryChange {
    bool Entering = false;
    std::string_view Dir;
};
std::optional<TMakeDirectoryChange> ParseMakeDirectoryChange(std::string_view line);

struct TToolMessage {
    int OutputLine = 0;  // 0-based line of the output
    std::string File;
    // The directory make had entered when the message was printed (as make wrote it, ending in
    // the separator); empty outside make's directory reports. Relative files are read from it.
    std::string Dir;
    int Line = 0;
    int Column = 0;
    TToolMessageKind Kind = TToolMessageKind::Other;
};

// The messages of an output in line order, and the one that next/previous stepping is at.
class TToolMessageList {
  public:
    // Parses `count` lines; getLine(i) returns line i as something convertible to string_view.
    // Make's "Entering directory" and "Leaving directory" lines set the directory of the
    // messages between them.
    template <typename GetLine>
    void Parse(int count, GetLine&& getLine) {
        m_messages.clear();
        m_current = -1;
        std::vector<std::string> directories;
        for (int i = 0; i < count; ++i) {
            const std::string_view text = getLine(i);
            if (auto position = ParseMessagePosition(text)) {
                Add(i, *position, directories.empty() ? std::string() : directories.back());
            } else if (auto change = ParseMakeDirectoryChange(text)) {
                FollowDirectoryChange(directories, *change);
            }
        }
    }
    void Clear() {
        m_messages.clear();
        m_current = -1;
    }

    int Count() const { return static_cast<int>(m_messages.size()); }
    const TToolMessage& At(int index) const { return m_messages[static_cast<std::size_t>(index)]; }
    const std::vector<TToolMessage>& Messages() const { return m_messages; }

    // Index of the message that is current, -1 before the first step.
    int Current() const { return m_current; }
    void SetCurrent(int index) { m_current = (index >= 0 && index < Count()) ? index : -1; }
    // Steps to the next (delta 1) or previous (delta -1) message, cycling at both ends; from no
    // current message, forward starts at the first and backward at the last. Returns the new
    // current index, -1 when there are no messages.
    int Step(int delta);
    // Index of the message on an output line, or -1.
    int IndexOfOutputLine(int outputLine) const;

  private:
    void Add(int outputLine, const TMessagePosition& position, std::string dir);
    static void FollowDirectoryChange(std::vector<std::string>& directories,
                                      const TMakeDirectoryChange& change);

    std::vector<TToolMessage> m_messages;
    int m_current = -1;
};

// The file a message names as a path: absolute names stay, relative ones are taken from
// sourceDir (which ends in the separator, or is empty).
std::string ResolveMessageFile(std::string_view file, const std::string& sourceDir);
// The same for a message: relative names are taken from the directory make reported for it,
// itself taken from buildDir when relative, else from buildDir.
std::string ResolveMessageFile(const TToolMessage& message, const std::string& buildDir);
