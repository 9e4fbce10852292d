// Reading byte tables out of C initialisers and assembly data lines.
#include "rom/byte_table.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "rom/c_macros.h"
#include "rom/constant_expression.h"

namespace {

// How far from the position a table's braces are looked for.
constexpr int kSearchLines = 20000;

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

bool IsWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.';
}

// A character at which a C value may end or its parentheses change.
bool IsValueBreak(char c) {
    return c == ',' || c == '{' || c == '}' || c == '/' || c == '(' || c == ')';
}

// Words whose characters are all those of a name or a number: "BAD", "0x1G".
bool IsPlainWord(std::string_view token) {
    return std::all_of(token.begin(), token.end(), [](char c) { return IsWordChar(c); });
}

std::string ErrorText(int line, std::string_view token, std::string_view what) {
    return "Line " + std::to_string(line) + ": \"" + std::string(token.substr(0, 40)) + "\" " +
           std::string(what);
}

const char* DoesNotFit(int elementSize) {
    switch (elementSize) {
        case 1:
            return "does not fit in a byte";
        case 2:
            return "does not fit in a word";
        default:
            return "does not fit in 32 bits";
    }
}

// Reads the values of one table into it, recording the first error. Values that are no plain
// number are evaluated with the macros of `macroLines`, read the first time one is needed.
class TValueReader {
  public:
    TValueReader(TByteTable& table, bool assembly, std::function<TMacroTable()> macroLines = {})
        : m_table(table), m_assembly(assembly), m_macroLines(std::move(macroLines)) {}

    void Add(std::string_view token, int line, int column) {
        const int bits = 8 * m_table.ElementSize;
        const std::uint64_t limit = (std::uint64_t{1} << bits) - 1;
        std::uint64_t number = 0;
        if (ParseNumberLiteral(token, m_assembly, number)) {
            if (number > limit) return Fail(line, token, DoesNotFit(m_table.ElementSize));
            return Keep(static_cast<std::uint32_t>(number), line, column);
        }
        if (m_assembly || !m_macroLines || (IsPlainWord(token) && !Macros().contains(token)))
            return Fail(line, token, "is no number");
        if (!m_evaluator) m_evaluator.emplace(Macros());
        const TConstant constant = m_evaluator->Evaluate(token);
        if (!constant.Ok) return Fail(line, token, "cannot be evaluated: " + constant.Error);
        // A negative value is kept as its two's complement, as the compiler stores it.
        const std::int64_t lowest = -(std::int64_t{1} << (bits - 1));
        if (constant.Value < lowest || constant.Value > static_cast<std::int64_t>(limit))
            return Fail(line, token, DoesNotFit(m_table.ElementSize));
        Keep(static_cast<std::uint32_t>(static_cast<std::uint64_t>(constant.Value) & limit), line,
             column);
    }

  private:
    const TMacroTable& Macros() {
        if (!m_macros) m_macros = m_macroLines();
        return *m_macros;
    }

    void Keep(std::uint32_t value, int line, int column) {
        m_table.Values.push_back(value);
        m_table.Places.push_back({line, column});
    }

    void Fail(int line, std::string_view token, std::string_view what) {
        if (m_table.Error.empty()) m_table.Error = ErrorText(line, token, what);
    }

    TByteTable& m_table;
    bool m_assembly;
    std::function<TMacroTable()> m_macroLines;
    std::optional<TMacroTable> m_macros;
    std::optional<TConstantEvaluator> m_evaluator;  // uses m_macros
};

// ------------------------------------------------------------------ assembly

enum class TDataKind { None, Bytes, Words, Dwords };

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
    if (word == ".dword" || word == ".dd" || word == ".dc.l" || word == "dd")
        return TDataKind::Dwords;
    return TDataKind::None;
}

void ReadAssemblyOperands(TValueReader& reader, std::string_view text, std::size_t from, int line) {
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
        reader.Add(text.substr(i, end - i), line, static_cast<int>(i) + 1);
        i = end;
    }
}

TByteTable AssemblyTable(const TLineSource& lines, int count, int index, TDataKind kind) {
    TByteTable table;
    table.Found = true;
    table.ElementSize = kind == TDataKind::Dwords ? 4 : kind == TDataKind::Words ? 2 : 1;
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
    TValueReader reader(table, true);
    for (int i = first; i <= last; ++i) {
        const std::string_view text = lines(i);
        DataDirective(text, operands);
        ReadAssemblyOperands(reader, text, operands, i + 1);
    }
    return table;
}

// ------------------------------------------------------------------ C

struct TCursor {
    int Line;
    std::size_t Column;  // 0-based
};

// The unmatched '{' before line `index`, column `column` (0-based, exclusive), looked for up to
// line `stop`; false when a ';' outside braces comes first.
bool OpenBraceBefore(const TLineSource& lines, int index, std::size_t column, int stop,
                     TCursor& open) {
    int depth = 0;
    for (int i = index; i >= 0 && i > stop; --i) {
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
                    return true;
                }
                --depth;
            }
        }
    }
    return false;
}

// The brace opens a group inside an initialiser: a ',' or '{' stands before it, blanks and
// comments aside.
bool OpensInnerGroup(const TLineSource& lines, const TCursor& brace) {
    constexpr int kLookBack = 50;
    bool inComment = false;  // inside a /* */ comment, read backwards
    for (int i = brace.Line; i >= 0 && brace.Line - i < kLookBack; --i) {
        const std::string_view text = lines(i);
        std::size_t end = i == brace.Line ? brace.Column : text.size();
        if (const std::size_t comment = text.find("//"); comment != std::string_view::npos)
            end = std::min(end, comment);
        for (std::size_t c = end; c-- > 0;) {
            if (inComment) {
                if (text[c] == '/' && c + 1 < text.size() && text[c + 1] == '*') inComment = false;
                continue;
            }
            if (text[c] == '/' && c > 0 && text[c - 1] == '*') {
                inComment = true;
                --c;
                continue;
            }
            if (IsSpace(text[c])) continue;
            return text[c] == ',' || text[c] == '{';
        }
    }
    return false;
}

// The '{' before the position and the '}' after it, skipping comments roughly (a brace inside
// a string or comment on the searched lines is rare in tables). A position inside a group of a
// nested initialiser (`{{1, 2}, {3, 4}}`) gives the outermost braces.
bool FindBraces(const TLineSource& lines, int count, int index, std::size_t column, TCursor& open,
                TCursor& close) {
    const int stop = index - kSearchLines;
    if (!OpenBraceBefore(lines, index, column, stop, open)) return false;
    for (TCursor outer{}; OpensInnerGroup(lines, open) &&
                          OpenBraceBefore(lines, open.Line, open.Column, stop, outer);)
        open = outer;
    int depth = 0;
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

bool HasWord(std::string_view text, std::initializer_list<std::string_view> words) {
    for (const std::string_view word : words) {
        std::size_t at = 0;
        while ((at = text.find(word, at)) != std::string_view::npos) {
            const bool before = at == 0 || !IsWordChar(text[at - 1]);
            const bool after =
                at + word.size() >= text.size() || !IsWordChar(text[at + word.size()]);
            if (before && after) return true;
            at += word.size();
        }
    }
    return false;
}

// The size of the elements that the declaration before the brace names: 4 for long and 32-bit
// types, 2 for int, short and a bare unsigned (16 bits on the console's compilers), else 1.
int DeclaredElementSize(const TLineSource& lines, const TCursor& open) {
    std::string declaration;
    for (int i = open.Line; i >= 0 && open.Line - i < 3; --i) {
        std::string_view text = lines(i);
        if (i == open.Line) text = text.substr(0, open.Column);
        const std::size_t first = text.find_first_not_of(" \t");
        if (i != open.Line && first != std::string_view::npos && text[first] == '#')
            break;  // a preprocessor line is no part of the declaration
        if (const std::size_t comment = text.find("//"); comment != std::string_view::npos)
            text = text.substr(0, comment);
        // What ends at a ";" or a comment's end belongs to what stands before.
        std::size_t end = std::string_view::npos;
        if (const std::size_t semicolon = text.rfind(';'); semicolon != std::string_view::npos)
            end = semicolon + 1;
        if (const std::size_t comment = text.rfind("*/");
            comment != std::string_view::npos &&
            (end == std::string_view::npos || comment + 2 > end))
            end = comment + 2;
        if (end != std::string_view::npos) text.remove_prefix(end);
        declaration = std::string(text) + " " + declaration;
        if (end != std::string_view::npos) break;
    }
    if (HasWord(declaration, {"long", "uint32_t", "int32_t", "u32", "s32", "DWORD"})) return 4;
    if (HasWord(declaration, {"char", "uint8_t", "int8_t", "u8", "s8", "BYTE"})) return 1;
    if (HasWord(declaration, {"int", "short", "word", "uint16_t", "int16_t", "u16", "s16", "WORD",
                              "unsigned", "signed"}))
        return 2;
    return 1;
}

// The values between the braces. A value runs to the next ',' or brace outside parentheses, so
// it may hold blanks, comments and line breaks (each read as a blank).
TByteTable CTable(const TLineSource& lines, int count, const TCursor& open, const TCursor& close) {
    TByteTable table;
    table.Found = true;
    table.ElementSize = DeclaredElementSize(lines, open);
    table.FirstLine = open.Line + 1;
    table.LastLine = close.Line + 1;
    // Macros come from the lines above the table, as far as braces are looked for.
    TValueReader reader(table, false, [&lines, &open] {
        return ReadMacros(lines, open.Line - kSearchLines, open.Line);
    });
    // A value is read in place while it stands in one piece; one that goes on over a comment or
    // a line break has its pieces joined here, a blank for each break.
    std::string joined;
    bool inValue = false;
    std::size_t start = 0;  // where the value's piece on the current line begins
    TValuePlace place;
    int depth = 0;  // parentheses open in the value
    const auto suspend = [&](std::string_view piece) {
        joined.append(piece);
        joined += ' ';
    };
    const auto finish = [&](std::string_view piece) {
        if (!joined.empty()) {
            joined.append(piece);
            piece = joined;
        }
        while (!piece.empty() && IsSpace(piece.back())) piece.remove_suffix(1);
        if (!piece.empty()) reader.Add(piece, place.Line, place.Column);
        joined.clear();
        inValue = false;
        depth = 0;
    };
    bool inComment = false;
    for (int i = open.Line; i <= close.Line && i < count; ++i) {
        const std::string_view text = lines(i);
        std::size_t c = i == open.Line ? open.Column + 1 : 0;
        const std::size_t end = i == close.Line ? close.Column : text.size();
        start = c;
        while (c < end) {
            if (inComment) {
                const std::size_t stop = text.find("*/", c);
                if (stop == std::string_view::npos || stop >= end) {
                    c = end;
                } else {
                    c = stop + 2;
                    inComment = false;
                    start = c;
                }
                continue;
            }
            const char ch = text[c];
            if (ch == '/' && c + 1 < end && text[c + 1] == '/') break;
            if (ch == '/' && c + 1 < end && text[c + 1] == '*') {
                if (inValue) suspend(text.substr(start, c - start));
                inComment = true;
                c += 2;
                continue;
            }
            if (depth == 0 && (ch == ',' || ch == '{' || ch == '}')) {
                finish(inValue ? text.substr(start, c - start) : std::string_view());
                ++c;
                continue;
            }
            if (!inValue) {
                if (IsSpace(ch)) {
                    ++c;
                    continue;
                }
                inValue = true;
                start = c;
                place = {i + 1, static_cast<int>(c) + 1};
            }
            if (ch == '(') ++depth;
            if (ch == ')' && depth > 0) --depth;
            // Up to the next character that may end the value or change its parentheses.
            ++c;
            while (c < end && !IsValueBreak(text[c])) ++c;
        }
        if (inValue && !inComment) suspend(text.substr(start, c - start));
    }
    finish({});
    return table;
}

}  // namespace

std::vector<std::uint8_t> TByteTable::Bytes() const {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(Values.size() * static_cast<std::size_t>(ElementSize));
    for (const std::uint32_t value : Values)
        for (int i = 0; i < ElementSize; ++i)
            bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    return bytes;
}

std::vector<std::uint8_t> TByteTable::BytesAsWritten() const {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(Values.size() * static_cast<std::size_t>(ElementSize));
    for (const std::uint32_t value : Values)
        for (int i = ElementSize; i-- > 0;)
            bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
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
