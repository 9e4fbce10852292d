// Definitions in C: a token pass that drops comments, strings, preprocessor lines and "#if 0"
// blocks (recording #define names on the way), then a pass over the declarations at file scope.
// Function bodies are skipped whole, so nothing in them, calls included, counts.
#include <algorithm>
#include <array>
#include <cstring>

#include "project/symbols.h"

namespace {

enum class TTokKind : std::uint8_t { Name, Literal, Punct };

struct TTok {
    TTokKind Kind;
    std::string_view Text;
    int Line;
    int Column;
};

bool IsNameStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '$';
}
bool IsNameChar(char c) {
    return IsNameStart(c) || (c >= '0' && c <= '9');
}

// Words that are never the name a declaration defines.
bool IsKeyword(std::string_view word) {
    static constexpr std::array<std::string_view, 48> kWords{
        "auto",          "break",     "case",     "char",      "const",        "continue",
        "default",       "do",        "double",   "else",      "enum",         "extern",
        "float",         "for",       "goto",     "if",        "inline",       "int",
        "long",          "register",  "restrict", "return",    "short",        "signed",
        "sizeof",        "static",    "struct",   "switch",    "typedef",      "union",
        "unsigned",      "void",      "volatile", "while",     "_Bool",        "__inline__",
        "__fastcall__",  "__cdecl__", "fastcall", "cdecl",     "__near__",     "__far__",
        "__attribute__", "__asm__",   "asm",      "_Noreturn", "__restrict__", "__volatile__"};
    for (std::string_view keyword : kWords) {
        if (word == keyword) return true;
    }
    return false;
}

bool IsTagWord(std::string_view word) {
    return word == "struct" || word == "union" || word == "enum";
}

class TCTokenizer {
  public:
    TCTokenizer(std::string_view text, std::vector<TSymbol>& symbols)
        : m_text(text), m_symbols(symbols) {}

    std::vector<TTok> Run() {
        bool lineStart = true;
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos];
            if (c == '\n') {
                NewLine(m_pos + 1);
                ++m_pos;
                lineStart = true;
                continue;
            }
            if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
                ++m_pos;
                continue;
            }
            if (c == '\\' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '\n') {
                m_pos += 1;  // the line break is counted on the next round
                continue;
            }
            if (c == '#' && lineStart) {
                Directive();
                continue;
            }
            lineStart = false;
            if (c == '/' && Peek(1) == '/') {
                SkipLineComment();
            } else if (c == '/' && Peek(1) == '*') {
                SkipBlockComment();
            } else if (c == '"' || c == '\'') {
                const TTok tok = Token(TTokKind::Literal, m_pos, 0);
                SkipQuoted(c);
                m_tokens.push_back(tok);
            } else if (IsNameStart(c)) {
                const std::size_t begin = m_pos;
                while (m_pos < m_text.size() && IsNameChar(m_text[m_pos])) ++m_pos;
                m_tokens.push_back(Token(TTokKind::Name, begin, m_pos - begin));
            } else if (c >= '0' && c <= '9') {
                const std::size_t begin = m_pos;
                while (m_pos < m_text.size() && (IsNameChar(m_text[m_pos]) || m_text[m_pos] == '.'))
                    ++m_pos;
                m_tokens.push_back(Token(TTokKind::Literal, begin, m_pos - begin));
            } else {
                m_tokens.push_back(Token(TTokKind::Punct, m_pos, 1));
                ++m_pos;
            }
        }
        return std::move(m_tokens);
    }

  private:
    char Peek(std::size_t ahead) const {
        return m_pos + ahead < m_text.size() ? m_text[m_pos + ahead] : '\0';
    }
    void NewLine(std::size_t start) {
        ++m_line;
        m_lineStart = start;
    }
    TTok Token(TTokKind kind, std::size_t begin, std::size_t length) const {
        return TTok{kind, m_text.substr(begin, length), m_line,
                    static_cast<int>(begin - m_lineStart) + 1};
    }
    void SkipLineComment() {
        while (m_pos < m_text.size() && m_text[m_pos] != '\n') {
            // A backslash at the end continues the comment on the next line.
            if (m_text[m_pos] == '\\' && Peek(1) == '\n') {
                m_pos += 2;
                NewLine(m_pos);
                continue;
            }
            ++m_pos;
        }
    }
    void SkipBlockComment() {
        m_pos += 2;
        while (m_pos < m_text.size() && !(m_text[m_pos] == '*' && Peek(1) == '/')) {
            if (m_text[m_pos] == '\n') NewLine(m_pos + 1);
            ++m_pos;
        }
        m_pos = std::min(m_text.size(), m_pos + 2);
    }
    void SkipQuoted(char quote) {
        ++m_pos;
        while (m_pos < m_text.size() && m_text[m_pos] != quote && m_text[m_pos] != '\n') {
            if (m_text[m_pos] == '\\' && m_pos + 1 < m_text.size()) {
                if (m_text[m_pos + 1] == '\n') NewLine(m_pos + 2);
                ++m_pos;
            }
            ++m_pos;
        }
        if (m_pos < m_text.size() && m_text[m_pos] == quote) ++m_pos;
    }
    void SkipBlanks() {
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos];
            if (c == ' ' || c == '\t' || c == '\r') {
                ++m_pos;
            } else if (c == '\\' && Peek(1) == '\n') {
                m_pos += 2;
                NewLine(m_pos);
            } else if (c == '/' && Peek(1) == '*') {
                SkipBlockComment();
            } else {
                break;
            }
        }
    }
    std::string_view ReadName() {
        const std::size_t begin = m_pos;
        while (m_pos < m_text.size() && IsNameChar(m_text[m_pos])) ++m_pos;
        return m_text.substr(begin, m_pos - begin);
    }
    // Moves to the end of the directive's (possibly continued) line, past comments in it.
    void SkipDirectiveRest() {
        while (m_pos < m_text.size() && m_text[m_pos] != '\n') {
            const char c = m_text[m_pos];
            if (c == '\\' && Peek(1) == '\n') {
                m_pos += 2;
                NewLine(m_pos);
            } else if (c == '/' && Peek(1) == '*') {
                SkipBlockComment();
            } else if (c == '/' && Peek(1) == '/') {
                SkipLineComment();
            } else if (c == '"' || c == '\'') {
                SkipQuoted(c);
            } else {
                ++m_pos;
            }
        }
    }
    // The condition of an #if, without blanks, comments and outer parentheses.
    std::string Condition() {
        std::string condition;
        const std::size_t begin = m_pos;
        SkipDirectiveRest();
        for (std::size_t i = begin; i < m_pos; ++i) {
            const char c = m_text[i];
            if (c == '/' && i + 1 < m_pos && (m_text[i + 1] == '*' || m_text[i + 1] == '/')) break;
            if (c != ' ' && c != '\t' && c != '\r' && c != '\\' && c != '\n') condition += c;
        }
        while (condition.size() >= 2 && condition.front() == '(' && condition.back() == ')')
            condition = condition.substr(1, condition.size() - 2);
        return condition;
    }
    void Directive() {
        ++m_pos;
        SkipBlanks();
        const std::string_view word = ReadName();
        if (word == "define") {
            SkipBlanks();
            const std::size_t begin = m_pos;
            const std::string_view name = ReadName();
            if (!name.empty()) {
                m_symbols.push_back(TSymbol{std::string(name),
                                            TSymbolKind::Macro,
                                            m_line,
                                            static_cast<int>(begin - m_lineStart) + 1,
                                            {}});
            }
            SkipDirectiveRest();
        } else if (word == "if") {
            SkipBlanks();
            if (Condition() == "0") SkipFalseBlock();
        } else {
            SkipDirectiveRest();
        }
    }
    // After "#if 0": passes lines up to the #else, #elif or #endif that belongs to it.
    void SkipFalseBlock() {
        int depth = 0;
        while (m_pos < m_text.size()) {
            // At the end of a line: go to the next one's first non-blank.
            if (m_text[m_pos] == '\n') {
                ++m_pos;
                NewLine(m_pos);
            }
            SkipBlanks();
            if (m_pos < m_text.size() && m_text[m_pos] == '#') {
                ++m_pos;
                SkipBlanks();
                const std::string_view word = ReadName();
                if (word == "if" || word == "ifdef" || word == "ifndef") {
                    ++depth;
                } else if (word == "endif") {
                    if (depth-- == 0) {
                        SkipDirectiveRest();
                        return;
                    }
                } else if ((word == "else" || word == "elif") && depth == 0) {
                    SkipDirectiveRest();
                    return;
                }
            }
            // Comments may hide a "#endif" or span lines; inside the block they still end.
            while (m_pos < m_text.size() && m_text[m_pos] != '\n') {
                if (m_text[m_pos] == '/' && Peek(1) == '*') {
                    SkipBlockComment();
                } else {
                    ++m_pos;
                }
            }
        }
    }

    std::string_view m_text;
    std::vector<TSymbol>& m_symbols;
    std::vector<TTok> m_tokens;
    std::size_t m_pos = 0;
    std::size_t m_lineStart = 0;
    int m_line = 1;
};

class TCDeclarations {
  public:
    TCDeclarations(const std::vector<TTok>& tokens, std::vector<TSymbol>& symbols, TCScan scan)
        : m_tokens(tokens), m_symbols(symbols), m_declarations(scan == TCScan::Declarations) {}

    void Run() {
        std::vector<const TTok*> statement;
        int openScopes = 0;  // blocks such as extern "C" { } that hold declarations
        for (std::size_t i = 0; i < m_tokens.size(); ++i) {
            const TTok& tok = m_tokens[i];
            if (Is(tok, ";")) {
                Declaration(statement);
                statement.clear();
            } else if (Is(tok, "{")) {
                if (HasTopLevel(statement, "=")) {
                    i = SkipBlock(i);
                    statement.push_back(&kBlock);
                } else if (const int tag = AggregateTag(statement); tag != 0) {
                    if (tag == 2) Add(*statement.back(), TagKind(*statement[statement.size() - 2]));
                    const bool isEnum = statement[statement.size() - tag]->Text == "enum";
                    const std::size_t end = SkipBlock(i);
                    if (isEnum)
                        Enumerators(i + 1, end);
                    else
                        NestedTags(i + 1, end);
                    i = end;
                    statement.push_back(&kBlock);
                } else if (!statement.empty() && Is(*statement.back(), ")")) {
                    FunctionDefinition(statement);
                    i = SkipBlock(i);
                    statement.clear();
                } else {
                    ++openScopes;
                    statement.clear();
                }
            } else if (Is(tok, "}")) {
                if (openScopes > 0) --openScopes;
                statement.clear();
            } else {
                statement.push_back(&tok);
            }
        }
    }

  private:
    static bool Is(const TTok& tok, std::string_view punct) {
        return tok.Kind == TTokKind::Punct && tok.Text == punct;
    }
    static TSymbolKind TagKind(const TTok& word) {
        return word.Text == "struct"  ? TSymbolKind::Struct
               : word.Text == "union" ? TSymbolKind::Union
                                      : TSymbolKind::Enum;
    }
    void Add(const TTok& name, TSymbolKind kind) {
        m_symbols.push_back(TSymbol{std::string(name.Text), kind, name.Line, name.Column, {}});
    }
    // 2: "struct NAME" ends the statement; 1: a bare "struct"; 0: neither.
    static int AggregateTag(const std::vector<const TTok*>& statement) {
        if (statement.empty()) return 0;
        const TTok& last = *statement.back();
        if (last.Kind == TTokKind::Name && IsTagWord(last.Text)) return 1;
        if (statement.size() >= 2 && last.Kind == TTokKind::Name && !IsKeyword(last.Text) &&
            IsTagWord(statement[statement.size() - 2]->Text))
            return 2;
        return 0;
    }
    static bool HasTopLevel(const std::vector<const TTok*>& statement, std::string_view punct) {
        int depth = 0;
        for (const TTok* tok : statement) {
            if (Is(*tok, "(") || Is(*tok, "["))
                ++depth;
            else if (Is(*tok, ")") || Is(*tok, "]"))
                --depth;
            else if (depth == 0 && Is(*tok, punct))
                return true;
        }
        return false;
    }
    // Index of the brace that closes the one at open (the last token when it is missing).
    std::size_t SkipBlock(std::size_t open) const {
        int depth = 0;
        for (std::size_t i = open; i < m_tokens.size(); ++i) {
            if (Is(m_tokens[i], "{"))
                ++depth;
            else if (Is(m_tokens[i], "}") && --depth == 0)
                return i;
        }
        return m_tokens.size() - 1;
    }
    void Enumerators(std::size_t begin, std::size_t end) {
        bool expectName = true;
        int depth = 0;
        for (std::size_t i = begin; i < end; ++i) {
            const TTok& tok = m_tokens[i];
            if (Is(tok, "(") || Is(tok, "{") || Is(tok, "["))
                ++depth;
            else if (Is(tok, ")") || Is(tok, "}") || Is(tok, "]"))
                --depth;
            else if (depth == 0 && Is(tok, ","))
                expectName = true;
            else if (expectName && tok.Kind == TTokKind::Name) {
                Add(tok, TSymbolKind::EnumConstant);
                expectName = false;
            } else {
                expectName = false;
            }
        }
    }
    // Tags defined inside a struct or union body.
    void NestedTags(std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i + 2 < end; ++i) {
            const TTok& word = m_tokens[i];
            const TTok& name = m_tokens[i + 1];
            if (word.Kind == TTokKind::Name && IsTagWord(word.Text) &&
                name.Kind == TTokKind::Name && Is(m_tokens[i + 2], "{")) {
                Add(name, TagKind(word));
                if (word.Text == "enum") Enumerators(i + 3, SkipBlock(i + 2));
            } else if (word.Text == "enum" && Is(name, "{")) {
                Enumerators(i + 2, SkipBlock(i + 1));
            }
        }
    }
    void FunctionDefinition(const std::vector<const TTok*>& statement) {
        // The name stands before the first parenthesis that opens the parameter list.
        for (std::size_t i = 1; i < statement.size(); ++i) {
            if (!Is(*statement[i], "(")) continue;
            const TTok& name = *statement[i - 1];
            if (name.Kind == TTokKind::Name && !IsKeyword(name.Text)) {
                if (i + 1 < statement.size() && Is(*statement[i + 1], "*")) continue;
                Add(name, TSymbolKind::Function);
                return;
            }
            if (name.Kind == TTokKind::Name && name.Text == "__attribute__") continue;
        }
    }
    // The name one declarator defines: tokens[begin, end) without the declaration's type in
    // front for the first one. Sets isFunction when the name is followed by a parameter list.
    const TTok* DeclaratorName(const std::vector<const TTok*>& part, bool& isFunction) const {
        isFunction = false;
        const TTok* name = nullptr;
        for (std::size_t i = 0; i < part.size(); ++i) {
            const TTok& tok = *part[i];
            if (Is(tok, "=") || Is(tok, "[") || Is(tok, ":")) break;
            if (Is(tok, "(")) {
                // "(*name)" names a pointer to a function; "name(" declares a function.
                if (i + 1 < part.size() && (Is(*part[i + 1], "*") || Is(*part[i + 1], "^"))) {
                    for (std::size_t j = i + 1; j < part.size() && !Is(*part[j], ")"); ++j) {
                        if (part[j]->Kind == TTokKind::Name && !IsKeyword(part[j]->Text))
                            return part[j];
                    }
                    return nullptr;
                }
                if (name != nullptr) isFunction = true;
                break;
            }
            if (tok.Kind == TTokKind::Name && !IsKeyword(tok.Text) &&
                !(i > 0 && IsTagWord(part[i - 1]->Text))) {
                name = &tok;
            }
        }
        return name;
    }
    void Declaration(const std::vector<const TTok*>& statement) {
        if (statement.empty()) return;
        const bool isTypedef = statement.front()->Text == "typedef";
        for (const TTok* tok : statement) {
            // Declarations of what is defined elsewhere: a header's business, not a source's.
            if (tok->Kind == TTokKind::Name && tok->Text == "extern" && !m_declarations) return;
        }
        // Split into declarators at the commas outside parentheses and braces.
        std::vector<std::vector<const TTok*>> parts(1);
        int depth = 0;
        for (const TTok* tok : statement) {
            if (Is(*tok, "(") || Is(*tok, "["))
                ++depth;
            else if (Is(*tok, ")") || Is(*tok, "]"))
                --depth;
            if (depth == 0 && Is(*tok, ",")) {
                parts.emplace_back();
                continue;
            }
            parts.back().push_back(tok);
        }
        for (std::size_t p = 0; p < parts.size(); ++p) {
            bool isFunction = false;
            const TTok* name = DeclaratorName(parts[p], isFunction);
            if (name == nullptr) continue;
            // "x;" alone has no type: nothing is declared (a stray macro call, say).
            if (p == 0 && parts[p].front() == name && !isTypedef) continue;
            if (isTypedef)
                Add(*name, TSymbolKind::Typedef);
            else if (!isFunction)
                Add(*name, TSymbolKind::Variable);
            else if (m_declarations)
                Add(*name, TSymbolKind::Function);
        }
    }

    static inline const TTok kBlock{TTokKind::Punct, "{}", 0, 0};
    const std::vector<TTok>& m_tokens;
    std::vector<TSymbol>& m_symbols;
    bool m_declarations;  // prototypes and extern declarations count
};

}  // namespace

std::vector<TSymbol> ScanCSymbols(std::string_view text, TCScan scan) {
    std::vector<TSymbol> symbols;
    const std::vector<TTok> tokens = TCTokenizer(text, symbols).Run();
    TCDeclarations(tokens, symbols, scan).Run();
    std::stable_sort(symbols.begin(), symbols.end(), [](const TSymbol& a, const TSymbol& b) {
        return a.Line != b.Line ? a.Line < b.Line : a.Column < b.Column;
    });
    return symbols;
}
