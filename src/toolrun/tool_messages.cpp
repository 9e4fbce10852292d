// Reading positions out of tool output lines, and stepping through the messages.
#include "toolrun/tool_messages.h"

#include <array>

namespace {

constexpr int kMaxDigits = 9;  // keeps a number within int

constexpr bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

constexpr bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

constexpr bool IsAsciiAlnum(char c) {
    return IsDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

constexpr bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

constexpr bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

// Reads a run of digits at pos; false when there is none or it is too long for an int.
bool ReadNumber(std::string_view line, std::size_t& pos, int& value) {
    const std::size_t begin = pos;
    int result = 0;
    while (pos < line.size() && IsDigit(line[pos])) {
        if (pos - begin == kMaxDigits) return false;
        result = result * 10 + (line[pos] - '0');
        ++pos;
    }
    if (pos == begin) return false;
    value = result;
    return true;
}

// The message text must start after the position's colon: the line ends or a blank follows.
bool EndsPosition(std::string_view line, std::size_t colon) {
    return colon < line.size() && line[colon] == ':' &&
           (colon + 1 == line.size() || IsBlank(line[colon + 1]));
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != prefix[i]) return false;
    }
    return true;
}

// Where the file name may start, and the kind a lead-in gives the message.
struct TFileStart {
    std::size_t Pos = 0;
    TToolMessageKind Kind = TToolMessageKind::Other;
};

constexpr bool IsProgramNameChar(char c) {
    return IsAsciiAlnum(c) || c == '-' || c == '_' || c == '.';
}

// A linker's lead-in, "ld65: Error: " or "ld65: Warning: ": a program name, a colon and a kind
// word with its colon. Returns the length of the lead-in, 0 when there is none.
std::size_t ProgramLeadIn(std::string_view text, TToolMessageKind& kind) {
    std::size_t pos = 0;
    while (pos < text.size() && IsProgramNameChar(text[pos])) ++pos;
    if (pos == 0 || !StartsWith(text.substr(pos), ": ")) return 0;
    pos += 2;
    struct TKindWord {
        std::string_view Word;
        TToolMessageKind Kind;
    };
    static constexpr std::array<TKindWord, 4> kWords{{{"error: ", TToolMessageKind::Error},
                                                      {"fatal: ", TToolMessageKind::Error},
                                                      {"warning: ", TToolMessageKind::Warning},
                                                      {"note: ", TToolMessageKind::Note}}};
    for (const TKindWord& word : kWords) {
        if (StartsWithNoCase(text.substr(pos), word.Word)) {
            kind = word.Kind;
            return pos + word.Word.size();
        }
    }
    return 0;
}

// Where the file name may start: after leading blanks, an include chain's lead-in or a
// program's "name: Error: " lead-in.
TFileStart FileStart(std::string_view line) {
    std::size_t pos = 0;
    while (pos < line.size() && IsBlank(line[pos])) ++pos;
    const std::string_view rest = line.substr(pos);
    if (StartsWith(rest, "In file included from ")) return {pos + 22};
    if (pos > 0 && StartsWith(rest, "from ")) return {pos + 5};
    TToolMessageKind kind = TToolMessageKind::Other;
    if (const std::size_t length = ProgramLeadIn(rest, kind)) return {pos + length, kind};
    return {pos};
}

// A file name as tools print it: no blank at either end, no "://", and an extension (a dot and
// letters or digits) at the end of its last part.
bool LooksLikeFileName(std::string_view file) {
    if (file.empty() || IsBlank(file.front()) || IsBlank(file.back())) return false;
    if (file.find("://") != std::string_view::npos) return false;
    std::size_t i = file.size();
    while (i > 0 && IsAsciiAlnum(file[i - 1])) --i;
    if (i == file.size() || i == 0 || file[i - 1] != '.') return false;
    // The dot must belong to the last part, and that part needs more than the extension.
    return i >= 2 && !IsSeparator(file[i - 2]);
}

TToolMessageKind KindOf(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos])) ++pos;
    text.remove_prefix(pos);
    if (StartsWithNoCase(text, "error") || StartsWithNoCase(text, "fatal")) {
        return TToolMessageKind::Error;
    }
    if (StartsWithNoCase(text, "warning")) return TToolMessageKind::Warning;
    if (StartsWithNoCase(text, "note") || StartsWithNoCase(text, "info") ||
        StartsWithNoCase(text, "remark")) {
        return TToolMessageKind::Note;
    }
    return TToolMessageKind::Other;
}

// The position after a colon at `at`: "line:col:" or "line:". Returns the index of the closing
// colon, or npos.
std::size_t ReadColonPosition(std::string_view line, std::size_t at, int& lineNo, int& column) {
    std::size_t pos = at + 1;
    if (!ReadNumber(line, pos, lineNo)) return std::string_view::npos;
    if (pos >= line.size() || line[pos] != ':') return std::string_view::npos;
    std::size_t after = pos + 1;
    if (ReadNumber(line, after, column) && EndsPosition(line, after)) return after;
    column = 0;
    return EndsPosition(line, pos) ? pos : std::string_view::npos;
}

// The position after a parenthesis at `at`: "(line):" or "(line,col):".
std::size_t ReadParenPosition(std::string_view line, std::size_t at, int& lineNo, int& column) {
    std::size_t pos = at + 1;
    if (!ReadNumber(line, pos, lineNo)) return std::string_view::npos;
    column = 0;
    if (pos < line.size() && line[pos] == ',') {
        ++pos;
        if (!ReadNumber(line, pos, column)) return std::string_view::npos;
    }
    if (pos >= line.size() || line[pos] != ')') return std::string_view::npos;
    return EndsPosition(line, pos + 1) ? pos + 1 : std::string_view::npos;
}

}  // namespace

std::optional<TMessagePosition> ParseMessagePosition(std::string_view line) {
    const TFileStart fileStart = FileStart(line);
    const std::size_t start = fileStart.Pos;
    // The lead-in's kind wins over the text after the position, which names none.
    const auto kindAfter = [&](std::size_t end) {
        return fileStart.Kind != TToolMessageKind::Other ? fileStart.Kind
                                                         : KindOf(line.substr(end + 1));
    };
    for (std::size_t i = start + 1; i + 1 < line.size(); ++i) {
        const char c = line[i];
        if (c != ':' && c != '(') continue;
        int lineNo = 0;
        int column = 0;
        if (c == ':') {
            // A drive letter's colon is part of the path.
            if (i == start + 1 && IsLetter(line[start]) && IsSeparator(line[i + 1])) continue;
            const std::size_t end = ReadColonPosition(line, i, lineNo, column);
            const std::string_view file = line.substr(start, i - start);
            // A file name holds no other colon, so no later candidate can succeed either.
            if (end == std::string_view::npos || !LooksLikeFileName(file)) return std::nullopt;
            return TMessagePosition{file, lineNo, column, kindAfter(end)};
        }
        if (!IsDigit(line[i + 1])) continue;
        const std::size_t end = ReadParenPosition(line, i, lineNo, column);
        const std::string_view file = line.substr(start, i - start);
        if (end == std::string_view::npos || !LooksLikeFileName(file)) continue;
        return TMessagePosition{file, lineNo, column, kindAfter(end)};
    }
    return std::nullopt;
}

std::optional<TMakeDirectoryChange> ParseMakeDirectoryChange(std::string_view line) {
    std::size_t pos = 0;
    while (pos < line.size() && line[pos] != ':' && line[pos] != '[' && !IsBlank(line[pos])) ++pos;
    const std::string_view program = line.substr(0, pos);
    if (program.size() < 4 || program.substr(program.size() - 4) != "make") return std::nullopt;
    if (pos < line.size() && line[pos] == '[') {
        ++pos;
        int level = 0;
        if (!ReadNumber(line, pos, level) || pos >= line.size() || line[pos] != ']') {
            return std::nullopt;
        }
        ++pos;
    }
    std::string_view rest = line.substr(pos);
    TMakeDirectoryChange change;
    if (StartsWith(rest, ": Entering directory ")) {
        change.Entering = true;
        rest.remove_prefix(21);
    } else if (StartsWith(rest, ": Leaving directory ")) {
        rest.remove_prefix(20);
    } else {
        return std::nullopt;
    }
    while (!rest.empty() && (rest.back() == '\r' || IsBlank(rest.back()))) rest.remove_suffix(1);
    if (rest.size() < 3) return std::nullopt;
    const char open = rest.front();
    const char close = rest.back();
    const bool quoted = (open == '\'' && close == '\'') || (open == '`' && close == '\'') ||
                        (open == '"' && close == '"');
    if (!quoted) return std::nullopt;
    change.Dir = rest.substr(1, rest.size() - 2);
    return change;
}

void TToolMessageList::Add(int outputLine, const TMessagePosition& position, std::string dir) {
    m_messages.push_back(TToolMessage{outputLine, std::string(position.File), std::move(dir),
                                      position.Line, position.Column, position.Kind});
}

void TToolMessageList::FollowDirectoryChange(std::vector<std::string>& directories,
                                             const TMakeDirectoryChange& change) {
    std::string dir(change.Dir);
    if (!dir.empty() && !IsSeparator(dir.back())) dir.push_back('/');
    if (change.Entering) {
        directories.push_back(std::move(dir));
        return;
    }
    // Leaving pops the matching level; an unmatched report is passed over.
    for (std::size_t i = directories.size(); i > 0; --i) {
        if (directories[i - 1] == dir) {
            directories.resize(i - 1);
            return;
        }
    }
}

int TToolMessageList::Step(int delta) {
    const int count = Count();
    if (count == 0) {
        m_current = -1;
        return -1;
    }
    if (m_current < 0) {
        m_current = delta >= 0 ? 0 : count - 1;
    } else {
        m_current = ((m_current + delta) % count + count) % count;
    }
    return m_current;
}

int TToolMessageList::IndexOfOutputLine(int outputLine) const {
    // Messages are in line order.
    std::size_t low = 0;
    std::size_t high = m_messages.size();
    while (low < high) {
        const std::size_t mid = (low + high) / 2;
        if (m_messages[mid].OutputLine < outputLine)
            low = mid + 1;
        else
            high = mid;
    }
    if (low < m_messages.size() && m_messages[low].OutputLine == outputLine) {
        return static_cast<int>(low);
    }
    return -1;
}

std::string ResolveMessageFile(std::string_view file, const std::string& sourceDir) {
    const bool absolute =
        (!file.empty() && IsSeparator(file.front())) ||
        (file.size() >= 3 && IsLetter(file[0]) && file[1] == ':' && IsSeparator(file[2]));
    if (absolute || sourceDir.empty()) return std::string(file);
    return sourceDir + std::string(file);
}

std::string ResolveMessageFile(const TToolMessage& message, const std::string& buildDir) {
    if (message.Dir.empty()) return ResolveMessageFile(message.File, buildDir);
    return ResolveMessageFile(message.File, ResolveMessageFile(message.Dir, buildDir));
}
