// Reading `#define` and `#undef` lines into a macro table.
#include "rom/c_macros.h"

#include <algorithm>
#include <cctype>

namespace {

// A definition is joined with at most this many continuation lines.
constexpr int kMaxContinuations = 64;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

bool IsNameStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}

bool IsNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

void SkipBlanks(std::string_view text, std::size_t& i) {
    while (i < text.size() && IsBlank(text[i])) ++i;
}

std::string_view Name(std::string_view text, std::size_t& i) {
    const std::size_t start = i;
    if (i < text.size() && IsNameStart(text[i])) {
        while (i < text.size() && IsNameChar(text[i])) ++i;
    }
    return text.substr(start, i - start);
}

// The text without its comments, trimmed; an unclosed `/*` ends it.
std::string WithoutComments(std::string_view text) {
    std::string result;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '/' && i + 1 < text.size() && text[i + 1] == '/') break;
        if (text[i] == '/' && i + 1 < text.size() && text[i + 1] == '*') {
            const std::size_t stop = text.find("*/", i + 2);
            if (stop == std::string_view::npos) break;
            result += ' ';
            i = stop + 2;
            continue;
        }
        result += text[i++];
    }
    std::size_t first = 0;
    while (first < result.size() && IsBlank(result[first])) ++first;
    std::size_t last = result.size();
    while (last > first && IsBlank(result[last - 1])) --last;
    return result.substr(first, last - first);
}

// The line without trailing blanks ends in a backslash: the next line continues it.
bool Continues(std::string_view line) {
    std::size_t end = line.size();
    while (end > 0 && IsBlank(line[end - 1])) --end;
    return end > 0 && line[end - 1] == '\\';
}

std::string_view WithoutBackslash(std::string_view line) {
    std::size_t end = line.size();
    while (end > 0 && IsBlank(line[end - 1])) --end;
    return line.substr(0, end > 0 ? end - 1 : 0);
}

}  // namespace

void ReadMacroLine(std::string_view line, TMacroTable& macros) {
    std::size_t i = 0;
    SkipBlanks(line, i);
    if (i >= line.size() || line[i] != '#') return;
    ++i;
    SkipBlanks(line, i);
    const std::string_view directive = Name(line, i);
    if (directive != "define" && directive != "undef") return;
    SkipBlanks(line, i);
    const std::string_view name = Name(line, i);
    if (name.empty()) return;
    if (directive == "undef") {
        if (const auto found = macros.find(name); found != macros.end()) macros.erase(found);
        return;
    }
    TMacro macro;
    // A parenthesis right after the name, with no blank between, opens the parameter list.
    if (i < line.size() && line[i] == '(') {
        macro.FunctionLike = true;
        ++i;
        SkipBlanks(line, i);
        if (i < line.size() && line[i] == ')') {
            ++i;
        } else {
            for (;;) {
                SkipBlanks(line, i);
                const std::string_view parameter = Name(line, i);
                if (parameter.empty()) return;  // "..." or a malformed list
                macro.Parameters.emplace_back(parameter);
                SkipBlanks(line, i);
                if (i < line.size() && line[i] == ',') {
                    ++i;
                    continue;
                }
                if (i < line.size() && line[i] == ')') {
                    ++i;
                    break;
                }
                return;
            }
        }
    }
    macro.Body = WithoutComments(line.substr(i));
    macros.insert_or_assign(std::string(name), std::move(macro));
}

TMacroTable ReadMacros(const TLineSource& lines, int first, int end) {
    TMacroTable macros;
    for (int index = std::max(0, first); index < end; ++index) {
        const std::string_view line = lines(index);
        std::size_t i = 0;
        SkipBlanks(line, i);
        if (i >= line.size() || line[i] != '#') continue;
        if (!Continues(line)) {
            ReadMacroLine(line, macros);
            continue;
        }
        std::string joined(WithoutBackslash(line));
        int joinedLines = 0;
        while (index + 1 < end && joinedLines < kMaxContinuations) {
            const std::string_view next = lines(++index);
            ++joinedLines;
            if (!Continues(next)) {
                joined += next;
                break;
            }
            joined += WithoutBackslash(next);
        }
        ReadMacroLine(joined, macros);
    }
    return macros;
}
