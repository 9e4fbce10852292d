// Reading byte tables out of C initialisers and assembly data lines.
#include "rom/byte_table.h"

#include <algorithm>
#include <cctype>

namespace {

// How far from the position a table's braces are looked for.
constexpr int kSearchLines = 20000;

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

bool IsWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.';
}

// A number in C (0x.., 0b.., octal-free decimal, with u/l suffixes) or assembly ($.., %..,
// 0x.., decimal, ..h) syntax; false for anything else.
bool ParseNumber(std::string_view token, bool assembly, unsigned long& value) {
    if (token.empty()) return false;
    while (!token.empty() &&
           (token.back() == 'u' || token.back() == 'U' || token.back() == 'l' ||
            token.back() == 'L') &&
           !assembly)
        token.remove_suffix(1);
    int base = 10;
    if (token.size() > 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X')) {
        base = 16;
        token.remove_prefix(2);
    } else if (token.size() > 2 && token[0] == '0' && (token[1] == 'b' || token[1] == 'B')) {
        base = 2;
        token.remove_prefix(2);
    } else if (assembly && token.size() > 1 && token[0] == '$') {
        base = 16;
        token.remove_prefix(1);
    } else if (assembly && token.size() > 1 && token[0] == '%') {
        base = 2;
        token.remove_prefix(1);
    } else if (assembly && token.size() > 1 && (token.back() == 'h' || token.back() == 'H') &&
               std::isdigit(static_cast<unsigned char>(token[0]))) {
        base = 16;
        token.remove_suffix(1);
    }
    if (token.empty() || token.size() > 16) return false;
    unsigned long result = 0;
    for (char c : token) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return false;
        if (digit >= base) return false;
        result = result * static_cast<unsigned long>(base) + static_cast<unsigned long>(digit);
    }
    value = result;
    return true;
}

std::string ErrorText(int line, std::string_view token, const char* what) {
    return "Line " + std::to_string(line) + ": \"" + std::string(token.substr(0, 40)) + "\" " +
           what;
}

// Adds a value read from token, or records the first error.
void AddValue(TByteTable& table, std::string_view token, int line, int column, bool assembly) {
    unsigned long value = 0;
    if (!ParseNumber(token, assembly, value)) {
        if (table.Error.empty()) table.Error = ErrorText(line, token, "is no number");
        return;
    }
    const unsigned long limit = table.ElementSize == 1 ? 0xFF : 0xFFFF;
    if (value > limit) {
        if (table.Error.empty())
            table.Error = ErrorText(
                line, token,
                table.ElementSize == 1 ? "does not fit in a byte" : "does not fit in a word");
        return;
    }
    table.Values.push_back(static_cast<std::uint16_t>(value));
    table.Places.push_back({line, column});
}

// ------------------------------------------------------------------ assembly

enum class TDataKind { None, Bytes, Words };

// The data directive of an assembly line and where its operands start.
TDataKind DataDirective(std::string_view text, std::size_t& operands) {
    std::size_t i = 0;
    // An optional label: a word at the line's start, with or without a colon.
    if (!text.empty() && !IsSpace(text[0]) && text[0] != '.' && text[0] != ';') {
        while (i < text.size() && (IsWordChar(text[i]) || text[i] == '@')) ++i;
        if (i < text.size() && text[i] == ':') ++i;
    }
    while (i < text.size() && IsSpace(text[i])) ++i;
    std::size_t end = i;
    while (end < text.size() && (IsWordChar(text[end]))) ++end;
    std::string word(text.substr(i, end - i));
    std::transform(word.begin(), word.end(), word.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    operands = end;
    if (word == ".byte" || word == ".db" || word == ".dc.b" || word == "db" || word == ".byt")
        return TDataKind::Bytes;
    if (word == ".word" || word == ".dw" || word == ".dc.w" || word == "dw" || word == ".addr")
        return TDataKind::Words;
    return TDataKind::None;
}

void ReadAssemblyOperands(TByteTable& table, std::string_view text, std::size_t from, int line) {
    std::size_t i = from;
    while (i < text.size()) {
        const char c = text[i];
        if (c == ';') break;
        if (IsSpace(c) || c == ',') {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && text[end] != ',' && text[end] != ';' && !IsSpace(text[end]))
            ++end;
        AddValue(table, text.substr(i, end - i), line, static_cast<int>(i) + 1, true);
        i = end;
    }
}

TByteTable AssemblyTable(const TLineSource& lines, int count, int index, TDataKind kind) {
    TByteTable table;
    table.Found = true;
    table.ElementSize = kind == TDataKind::Words ? 2 : 1;
    std::size_t operands = 0;
    int first = index;
    // Upwards while the lines hold the same directive, stopping after a labelled one.
    while (first > 0) {
        std::string_view above = lines(first - 1);
        if (DataDirective(above, operands) != kind) break;
        --first;
        if (!above.empty() && !IsSpace(above[0])) break;
    }
    if (const std::string_view own = lines(index);
        index != first && !own.empty() && !IsSpace(own[0]))
        first = index;  // the caret's line starts a table of its own
    int last = index;
    while (last + 1 < count) {
        std::string_view below = lines(last + 1);
        if (DataDirective(below, operands) != kind || (!below.empty() && !IsSpace(below[0]))) break;
        ++last;
    }
    table.FirstLine = first + 1;
    table.LastLine = last + 1;
    for (int i = first; i <= last; ++i) {
        const std::string_view text = lines(i);
        DataDirective(text, operands);
        ReadAssemblyOperands(table, text, operands, i + 1);
    }
    return table;
}

// ------------------------------------------------------------------ C

struct TCursor {
    int Line;
    std::size_t Column;  // 0-based
};

// The '{' before the position and the '}' after it, skipping comments roughly (a brace inside
// a string or comment on the searched lines is rare in tables).
bool FindBraces(const TLineSource& lines, int count, int index, std::size_t column, TCursor& open,
                TCursor& close) {
    int depth = 0;
    bool found = false;
    for (int i = index; i >= 0 && index - i < kSearchLines && !found; --i) {
        const std::string_view text = lines(i);
        std::size_t end = i == index ? std::min(column, text.size()) : text.size();
        // Comments on the line end the part that is searched.
        const std::size_t comment = text.find("//");
        if (comment != std::string_view::npos) end = std::min(end, comment);
        for (std::size_t c = end; c-- > 0;) {
            if (text[c] == '}') ++depth;
            if (text[c] == ';' && depth == 0) return false;
            if (text[c] == '{') {
                if (depth == 0) {
                    open = {i, c};
                    found = true;
                    break;
                }
                --depth;
            }
        }
    }
    if (!found) return false;
    depth = 0;
    for (int i = open.Line; i < count && i - index < kSearchLines; ++i) {
        const std::string_view text = lines(i);
        std::size_t start = i == open.Line ? open.Column + 1 : 0;
        for (std::size_t c = start; c < text.size(); ++c) {
            if (text[c] == '/' && c + 1 < text.size() && text[c + 1] == '/') break;
            if (text[c] == '{') ++depth;
            if (text[c] == '}') {
                if (depth == 0) {
                    close = {i, c};
                    return i > index || (i == index && c + 1 >= column);
                }
                --depth;
            }
        }
    }
    return false;
}

// The declaration before the brace names a 16-bit element type.
bool DeclaresWords(const TLineSource& lines, const TCursor& open) {
    std::string declaration;
    for (int i = open.Line; i >= 0 && open.Line - i < 3; --i) {
        std::string_view text = lines(i);
        if (i == open.Line) text = text.substr(0, open.Column);
        // What ends at a ";" belongs to the statement before.
        const std::size_t end = text.rfind(';');
        if (end != std::string_view::npos) text.remove_prefix(end + 1);
        declaration = std::string(text) + " " + declaration;
        if (end != std::string_view::npos) break;
    }
    for (const char* word : {"int", "short", "word", "uint16_t", "u16", "WORD"}) {
        std::size_t at = 0;
        const std::string_view w(word);
        while ((at = declaration.find(w, at)) != std::string::npos) {
            const bool before = at == 0 || !IsWordChar(declaration[at - 1]);
            const bool after =
                at + w.size() >= declaration.size() || !IsWordChar(declaration[at + w.size()]);
            if (before && after) return true;
            at += w.size();
        }
    }
    return false;
}

TByteTable CTable(const TLineSource& lines, int count, const TCursor& open, const TCursor& close) {
    TByteTable table;
    table.Found = true;
    table.ElementSize = DeclaresWords(lines, open) ? 2 : 1;
    table.FirstLine = open.Line + 1;
    table.LastLine = close.Line + 1;
    bool inComment = false;
    for (int i = open.Line; i <= close.Line && i < count; ++i) {
        const std::string_view text = lines(i);
        std::size_t c = i == open.Line ? open.Column + 1 : 0;
        const std::size_t end = i == close.Line ? close.Column : text.size();
        while (c < end) {
            if (inComment) {
                const std::size_t stop = text.find("*/", c);
                if (stop == std::string_view::npos || stop >= end) {
                    c = end;
                } else {
                    c = stop + 2;
                    inComment = false;
                }
                continue;
            }
            const char ch = text[c];
            if (IsSpace(ch) || ch == ',' || ch == '{' || ch == '}') {
                ++c;
                continue;
            }
            if (ch == '/' && c + 1 < end && text[c + 1] == '/') break;
            if (ch == '/' && c + 1 < end && text[c + 1] == '*') {
                inComment = true;
                c += 2;
                continue;
            }
            std::size_t stop = c;
            while (stop < end && text[stop] != ',' && !IsSpace(text[stop]) && text[stop] != '}' &&
                   text[stop] != '{' && text[stop] != '/')
                ++stop;
            if (stop == c) stop = c + 1;
            AddValue(table, text.substr(c, stop - c), i + 1, static_cast<int>(c) + 1, false);
            c = stop;
        }
    }
    return table;
}

}  // namespace

std::vector<std::uint8_t> TByteTable::Bytes() const {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(Values.size() * static_cast<std::size_t>(ElementSize));
    for (std::uint16_t value : Values) {
        bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
        if (ElementSize == 2) bytes.push_back(static_cast<std::uint8_t>(value >> 8));
    }
    return bytes;
}

TByteTable FindByteTable(const TLineSource& lines, int count, int line, int column) {
    const int index = line - 1;
    if (index < 0 || index >= count) return {};
    std::size_t operands = 0;
    const TDataKind kind = DataDirective(lines(index), operands);
    if (kind != TDataKind::None) return AssemblyTable(lines, count, index, kind);
    TCursor open{}, close{};
    if (!FindBraces(lines, count, index, static_cast<std::size_t>(std::max(0, column - 1)), open,
                    close))
        return {};
    return CTable(lines, count, open, close);
}
