// Test helper: scans lines the way the editor does and writes the tokens as compact text, one
// line of output per input line: "kind[text] kind[text] ... => range". Texts show bytes outside
// 32-126 (and "]" and "\") as \xHH so that a golden file stays readable.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "highlight/syn_cpp_syn.h"

namespace token_stream {

inline const char* KindName(int kind) {
    static const char* const kNames[] = {"asm", "com", "dir", "id",  "key", "end",
                                         "num", "sp",  "str", "sym", "ill"};
    return (kind >= 0 && kind <= 10) ? kNames[kind] : "?";
}

inline const char* RangeName(std::int32_t range) {
    switch (range) {
        case crNone:
            return "none";
        case crComment:
            return "comment";
        case crDirective:
            return "directive";
        case crDirectiveComment:
            return "directive-comment";
        default:
            return "?";
    }
}

inline void AppendEscaped(std::string& out, std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (char ch : text) {
        auto c = static_cast<unsigned char>(ch);
        if (c < 32 || c > 126 || c == ']' || c == '\\') {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += ch;
        }
    }
}

// Scans one line from the given range state; checks that the tokens tile the line.
inline std::string ScanLine(TSynCppSyn& highlighter, std::string_view line, std::int32_t range,
                            int lineIndex, std::int32_t* rangeOut = nullptr,
                            std::string* problems = nullptr) {
    highlighter.SetRangeState(range);
    highlighter.StartLine(line, lineIndex);
    std::string out;
    std::size_t expectedStart = 0;
    while (!highlighter.AtLineEnd()) {
        std::string_view text = highlighter.TokenText();
        if (problems && static_cast<std::size_t>(highlighter.TokenStart()) != expectedStart)
            *problems += "gap before token at " + std::to_string(highlighter.TokenStart()) + "; ";
        expectedStart = static_cast<std::size_t>(highlighter.TokenStart()) + text.size();
        if (!out.empty()) out += ' ';
        out += KindName(highlighter.TokenKind());
        out += '[';
        AppendEscaped(out, text);
        out += ']';
        highlighter.NextToken();
    }
    if (problems && (expectedStart != line.size() ||
                     static_cast<std::size_t>(highlighter.TokenStart()) != line.size()))
        *problems += "line end token not at the line's length; ";
    if (!out.empty()) out += ' ';
    out += "=> ";
    out += RangeName(highlighter.RangeState());
    if (rangeOut) *rangeOut = highlighter.RangeState();
    return out;
}

// Scans lines in order, carrying the range state from line to line.
inline std::vector<std::string> ScanLines(const std::vector<std::string>& lines,
                                          std::string* problems = nullptr) {
    TSynCppSyn highlighter;
    std::vector<std::string> result;
    std::int32_t range = crNone;
    for (std::size_t i = 0; i < lines.size(); ++i)
        result.push_back(
            ScanLine(highlighter, lines[i], range, static_cast<int>(i), &range, problems));
    return result;
}

}  // namespace token_stream
