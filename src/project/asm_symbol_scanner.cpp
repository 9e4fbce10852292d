// Definitions in assembly, line by line: a name at the very start of a line is a label (with
// or without its colon), or a constant or macro when "=", ".equ" or ".macro" follows it; an
// indented line may define with ".macro name", ".proc name", ".define name" and their kin, or
// with "name = value". Local labels (".name", "@name", or "_name" after a global label) belong
// to the last global label above them.
#include <array>

#include "project/symbols.h"

namespace {

bool IsNameStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '.' || c == '@';
}
bool IsNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '.' || c == '@' || c == '?';
}

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) return false;
    }
    return true;
}

template <std::size_t N>
bool OneOf(std::string_view word, const std::array<std::string_view, N>& words) {
    for (std::string_view candidate : words) {
        if (EqualsNoCase(word, candidate)) return true;
    }
    return false;
}

// Words after a name that make it a constant.
constexpr std::array<std::string_view, 8> kConstantWords{".equ",    "equ",  ".set", "set",
                                                         ".equate", ".var", ":=",   "="};
// Words after a name that make it a macro.
constexpr std::array<std::string_view, 3> kMacroWords{".macro", "macro", ".mac"};
// Directives followed by the name they define, and the kind of that name.
struct TDefiningDirective {
    std::string_view Word;
    TSymbolKind Kind;
};
constexpr std::array<TDefiningDirective, 11> kDefiningDirectives{{
    {".macro", TSymbolKind::Macro},
    {".mac", TSymbolKind::Macro},
    {".define", TSymbolKind::Macro},
    {".proc", TSymbolKind::Label},
    {".scope", TSymbolKind::Label},
    {".struct", TSymbolKind::Struct},
    {".union", TSymbolKind::Union},
    {".enum", TSymbolKind::Enum},
    {".equ", TSymbolKind::Constant},
    {".set", TSymbolKind::Constant},
    {".func", TSymbolKind::Function},
}};

// Directives that may stand at the start of a line without being labels.
bool IsDirective(std::string_view word) {
    static constexpr std::array<std::string_view, 150> kDirectives{
        ".org",      ".bank",        ".include",      ".incbin",       ".db",          ".dw",
        ".dd",       ".ds",          ".rs",           ".rsset",        ".byte",        ".byt",
        ".word",     ".dword",       ".addr",         ".dbyt",         ".faraddr",     ".lobytes",
        ".hibytes",  ".bankbytes",   ".ascii",        ".asciiz",       ".literal",     ".res",
        ".tag",      ".align",       ".code",         ".data",         ".bss",         ".zp",
        ".zeropage", ".rodata",      ".segment",      ".pushseg",      ".popseg",      ".reloc",
        ".equ",      ".set",         ".macro",        ".mac",          ".endm",        ".endmac",
        ".endmacro", ".delmac",      ".delmacro",     ".exitmac",      ".exitmacro",   ".proc",
        ".endproc",  ".endp",        ".procgroup",    ".endprocgroup", ".func",        ".scope",
        ".endscope", ".struct",      ".endstruct",    ".union",        ".endunion",    ".enum",
        ".endenum",  ".if",          ".ifdef",        ".ifndef",       ".ifconst",     ".ifblank",
        ".ifnblank", ".ifref",       ".ifnref",       ".ifp02",        ".ifpc02",      ".ifp816",
        ".else",     ".elseif",      ".elif",         ".endif",        ".end",         ".list",
        ".nolist",   ".mlist",       ".nomlist",      ".opt",          ".fail",        ".error",
        ".warning",  ".out",         ".assert",       ".cpu",          ".setcpu",      ".p02",
        ".pc02",     ".p816",        ".psc02",        ".a8",           ".a16",         ".i8",
        ".i16",      ".smart",       ".feature",      ".autoimport",   ".macpack",     ".charmap",
        ".case",     ".linecont",    ".listbytes",    ".localchar",    ".fileopt",     ".debuginfo",
        ".condes",   ".constructor", ".destructor",   ".interruptor",  ".forceimport", ".export",
        ".exportzp", ".import",      ".importzp",     ".global",       ".globalzp",    ".local",
        ".define",   ".undefine",    ".undef",        ".repeat",       ".rept",        ".endrepeat",
        ".rep",      ".endrep",      ".fill",         ".text",         ".incchr",      ".incpal",
        ".incbat",   ".incspr",      ".inctile",      ".mml",          ".page",        ".vram",
        ".pal",      ".defchr",      ".defpal",       ".defspr",       ".dwl",         ".dwh",
        ".pushcpu",  ".popcpu",      ".include_once", ".binary",       ".byte_",       ".null"};
    return OneOf(word, kDirectives);
}

bool IsLocalName(std::string_view name) {
    return !name.empty() && (name.front() == '.' || name.front() == '@');
}

class TAsmScanner {
  public:
    explicit TAsmScanner(std::string_view text) : m_text(text) {}

    std::vector<TSymbol> Run() {
        std::size_t start = 0;
        int line = 1;
        while (start <= m_text.size()) {
            std::size_t end = m_text.find('\n', start);
            if (end == std::string_view::npos) end = m_text.size();
            std::string_view text = m_text.substr(start, end - start);
            if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
            Line(WithoutComment(text), line);
            if (end == m_text.size()) break;
            start = end + 1;
            ++line;
        }
        return std::move(m_symbols);
    }

  private:
    // The line up to a ';' that stands outside quotes.
    static std::string_view WithoutComment(std::string_view text) {
        char quote = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char c = text[i];
            if (quote != 0) {
                if (c == quote) quote = 0;
            } else if (c == '"' || c == '\'') {
                // 'x' is a character constant; a lone ' (as in af') is not a quote.
                if (c == '"' || (i + 2 < text.size() && text[i + 2] == '\'')) quote = c;
            } else if (c == ';') {
                return text.substr(0, i);
            }
        }
        return text;
    }
    static std::size_t SkipBlanks(std::string_view text, std::size_t pos) {
        while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
        return pos;
    }
    // The word at pos: a name, or a run of the operator characters = and :.
    static std::string_view WordAt(std::string_view text, std::size_t pos) {
        std::size_t end = pos;
        if (pos < text.size() && (text[pos] == '=' || text[pos] == ':')) {
            while (end < text.size() && (text[end] == '=' || text[end] == ':')) ++end;
        } else {
            while (end < text.size() && IsNameChar(text[end])) ++end;
        }
        return text.substr(pos, end - pos);
    }
    void Add(std::string_view name, TSymbolKind kind, int line, std::size_t column) {
        TSymbol symbol{std::string(name), kind, line, static_cast<int>(column) + 1, {}};
        if (kind == TSymbolKind::Label && IsLocalName(name)) {
            symbol.Kind = TSymbolKind::LocalLabel;
            symbol.Scope = m_scope;
        } else if (kind == TSymbolKind::Label) {
            m_scope = symbol.Name;
        }
        m_symbols.push_back(std::move(symbol));
    }
    void Line(std::string_view text, int line) {
        if (text.empty()) return;
        if (IsNameStart(text.front())) {
            const std::string_view name = WordAt(text, 0);
            std::size_t pos = name.size();
            bool colon = false;
            while (pos < text.size() && text[pos] == ':' &&
                   !(pos + 1 < text.size() && text[pos + 1] == '=')) {
                colon = true;
                ++pos;
            }
            if (!colon && name.front() == '.' && IsDirective(name)) {
                Indented(text, line);
                return;
            }
            pos = SkipBlanks(text, pos);
            const std::string_view next = WordAt(text, pos);
            if (!colon && OneOf(next, kConstantWords)) {
                Add(name, TSymbolKind::Constant, line, 0);
            } else if (!colon && OneOf(next, kMacroWords)) {
                Add(name, TSymbolKind::Macro, line, 0);
            } else {
                Add(name, TSymbolKind::Label, line, 0);
            }
            return;
        }
        Indented(text, line);
    }
    void Indented(std::string_view text, int line) {
        std::size_t pos = SkipBlanks(text, 0);
        const std::string_view first = WordAt(text, pos);
        if (first.empty()) return;
        for (const TDefiningDirective& directive : kDefiningDirectives) {
            if (!EqualsNoCase(first, directive.Word)) continue;
            const std::size_t at = SkipBlanks(text, pos + first.size());
            const std::string_view name = WordAt(text, at);
            if (!name.empty() && IsNameStart(name.front()) && name.front() != '.')
                Add(name, directive.Kind, line, at);
            return;
        }
        if (first.front() == '.' || !IsNameStart(first.front())) return;
        // "name = value" or "name: ..." further in.
        std::size_t after = pos + first.size();
        if (after < text.size() && text[after] == ':' &&
            !(after + 1 < text.size() && text[after + 1] == '=')) {
            Add(first, TSymbolKind::Label, line, pos);
            return;
        }
        after = SkipBlanks(text, after);
        const std::string_view next = WordAt(text, after);
        if (next == "=" || next == ":=" || EqualsNoCase(next, ".equ") ||
            EqualsNoCase(next, "equ") || EqualsNoCase(next, ".set")) {
            Add(first, TSymbolKind::Constant, line, pos);
        }
    }

    std::string_view m_text;
    std::vector<TSymbol> m_symbols;
    std::string m_scope;
};

}  // namespace

std::vector<TSymbol> ScanAsmSymbols(std::string_view text) {
    return TAsmScanner(text).Run();
}
