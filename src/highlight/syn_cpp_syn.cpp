// Scanning rules of the C/C++ highlighter.
#include "highlight/syn_cpp_syn.h"

#include <memory>
#include <typeinfo>

#include "highlight/cpp_keywords.h"

namespace {

// What a token starting with a given byte is.
enum CharClass : std::uint8_t {
    ccIllegal,  // "$", "@", backslash, grave accent, 127-255, and a zero byte inside the line
    ccSpace,
    ccLineFeed,
    ccReturn,
    ccDirective,
    ccNumber,
    ccIdent,
    ccString,
    ccSlash,
    ccSymbol,    // always one character
    ccOperator,  // one to three characters
};

constexpr std::array<CharClass, 256> MakeCharClasses() {
    std::array<CharClass, 256> table{};
    for (int c = 1; c <= 32; ++c) table[c] = ccSpace;
    table['\n'] = ccLineFeed;
    table['\r'] = ccReturn;
    table['#'] = ccDirective;
    for (int c = '0'; c <= '9'; ++c) table[c] = ccNumber;
    for (int c = 'A'; c <= 'Z'; ++c) table[c] = ccIdent;
    for (int c = 'a'; c <= 'z'; ++c) table[c] = ccIdent;
    table['_'] = ccIdent;
    table['"'] = ccString;
    table['\''] = ccString;
    table['/'] = ccSlash;
    for (char c : std::string_view("()[]{},;?~")) table[static_cast<unsigned char>(c)] = ccSymbol;
    for (char c : std::string_view("!%&*+-.:<=>^|"))
        table[static_cast<unsigned char>(c)] = ccOperator;
    return table;
}
constexpr std::array<CharClass, 256> kCharClasses = MakeCharClasses();

constexpr std::array<bool, 256> MakeIdentChars() {
    std::array<bool, 256> table{};
    for (int c = 0; c < 256; ++c)
        table[c] =
            (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || c == '_' || (c >= 'a' && c <= 'z');
    return table;
}
constexpr std::array<bool, 256> kIdentChars = MakeIdentChars();

constexpr std::array<std::uint8_t, 256> MakeHashValues() {
    std::array<std::uint8_t, 256> table{};
    for (int c = 'A'; c <= 'Z'; ++c) table[c] = static_cast<std::uint8_t>(c - 64);
    for (int c = 'a'; c <= 'z'; ++c) table[c] = static_cast<std::uint8_t>(c - 95);
    return table;
}
constexpr std::array<std::uint8_t, 256> kHashValues = MakeHashValues();

constexpr std::array<bool, 256> MakeNumberChars() {
    std::array<bool, 256> table{};
    for (char c : std::string_view(".0123456789ABCDEFabcdefLlUuXx"))
        table[static_cast<unsigned char>(c)] = true;
    return table;
}
constexpr std::array<bool, 256> kNumberChars = MakeNumberChars();

constexpr bool IsSpaceRunChar(unsigned char c) {
    return c >= 1 && c <= 32 && c != '\n' && c != '\r';
}

std::unique_ptr<TSynCustomHighlighter> CreateCppSyn() {
    return std::make_unique<TSynCppSyn>();
}

// Registers the class in the program-wide list as the program loads.
struct CppSynRegistration {
    CppSynRegistration() {
        HighlighterFrameworkStartup();
        RegisterHighlighterClass(&TSynCppSyn::Class());
    }
    ~CppSynRegistration() { HighlighterFrameworkShutdown(); }
} g_cppSynRegistration;

}  // namespace

const TSynHighlighterClass& TSynCppSyn::Class() {
    static const TSynHighlighterClass cppClass{"TSynCppSyn", &CreateCppSyn};
    return cppClass;
}

TSynCppSyn::TSynCppSyn() : m_keywords(TCppKeywordTable::Instance()) {
    auto add = [this](const char* name, TColor foreground = clNone, TFontStyles style = 0) {
        auto attribute = std::make_unique<TSynHighlighterAttributes>(name);
        attribute->SetForeground(foreground);
        attribute->SetStyle(style);
        return AddAttribute(std::move(attribute));
    };
    m_asmAttri = add("Assembler");
    m_commentAttri = add("Comment", clNone, fsItalic);
    m_identifierAttri = add("Identifier");
    m_invalidAttri = add("Illegal char");
    m_keyAttri = add("Reserved word", clNone, fsBold);
    m_numberAttri = add("Number");
    m_spaceAttri = add("Space", clWindow);
    m_stringAttri = add("String");
    m_symbolAttri = add("Symbol");
    m_direcAttri = add("Preprocessor");
    SetAttributesChangeHandler([this](TSynHighlighterAttributes*) { NotifyAttributesChanged(); });

    m_kindAttributes = {m_asmAttri,    m_commentAttri, m_direcAttri,  m_identifierAttri,
                        m_keyAttri,    nullptr,        m_numberAttri, m_spaceAttri,
                        m_stringAttri, m_symbolAttri,  m_invalidAttri};
    SetDefaultFilter("C++ files (*.cpp,*.h,*.hpp)|*.cpp;*.h;*.hpp");
}

TSynHighlighterAttributes* TSynCppSyn::DefaultAttribute(int role) const {
    switch (role) {
        case SYN_ATTR_COMMENT:
            return m_commentAttri;
        case SYN_ATTR_IDENTIFIER:
            return m_identifierAttri;
        case SYN_ATTR_KEYWORD:
            return m_keyAttri;
        case SYN_ATTR_STRING:
            return m_stringAttri;
        case SYN_ATTR_WHITESPACE:
            return m_spaceAttri;
        default:
            return nullptr;
    }
}

TSynIdentChars TSynCppSyn::IdentifierChars() const {
    TSynIdentChars chars;
    for (std::size_t c = 0; c < 256; ++c)
        if (kIdentChars[c]) chars.set(c);
    return chars;
}

bool TSynCppSyn::IsSameClassOrDescendant(const TSynCustomHighlighter& source) const {
    return dynamic_cast<const TSynCppSyn*>(&source) != nullptr;
}

void TSynCppSyn::StartLine(std::string_view lineText, int lineIndex) {
    m_line = lineText.data();
    m_length = lineText.size();
    m_run = 0;
    m_lineIndex = lineIndex;
    NextToken();
}

bool TSynCppSyn::SaveScanPoint(TSynScanPoint& point) const {
    // A scanner built on this one may keep state of its own.
    if (typeid(*this) != typeid(TSynCppSyn)) return false;
    point = {m_tokenPos, m_run, m_range, m_tokenKind, 0};
    return true;
}

void TSynCppSyn::ResumeLine(std::string_view lineText, int lineIndex, const TSynScanPoint& point) {
    if (typeid(*this) != typeid(TSynCppSyn))
        return TSynCustomHighlighter::ResumeLine(lineText, lineIndex, point);
    m_line = lineText.data();
    m_length = lineText.size();
    m_lineIndex = lineIndex;
    m_tokenPos = point.tokenPos;
    m_run = point.run;
    m_range = static_cast<std::uint8_t>(point.range);
    m_tokenKind = static_cast<TCppTokenKind>(point.kind);
}

void TSynCppSyn::NextToken() {
    m_tokenPos = m_run;
    switch (m_range) {
        case crComment:
        case crDirectiveComment:
            CommentProc();
            break;
        case crDirective:
            DirectiveProc();
            break;
        default:
            m_range = crNone;
            DispatchToken();
            break;
    }
}

void TSynCppSyn::DispatchToken() {
    if (m_run >= m_length) {
        m_tokenKind = ctkLineEnd;
        return;
    }
    auto c = static_cast<unsigned char>(m_line[m_run]);
    switch (kCharClasses[c]) {
        case ccSpace:
            SpaceProc();
            break;
        case ccLineFeed:
        case ccReturn:
            BreakProc();
            break;
        case ccDirective:
            DirectiveProc();
            break;
        case ccNumber:
            NumberProc();
            break;
        case ccIdent:
            IdentProc();
            break;
        case ccString:
            StringProc();
            break;
        case ccSlash:
            SlashProc();
            break;
        case ccSymbol:
            SingleProc(ctkSymbol);
            break;
        case ccOperator:
            OperatorProc(c);
            break;
        case ccIllegal:
            SingleProc(ctkIllegal);
            break;
    }
}

// The line end, or a line feed or carriage return inside the line (a space token; CR LF is one).
void TSynCppSyn::BreakProc() {
    if (m_run >= m_length) {
        m_tokenKind = ctkLineEnd;
        return;
    }
    m_tokenKind = ctkSpace;
    if (m_line[m_run++] == '\r' && m_run < m_length && m_line[m_run] == '\n') ++m_run;
}

void TSynCppSyn::SpaceProc() {
    m_tokenKind = ctkSpace;
    ++m_run;
    while (m_run < m_length && IsSpaceRunChar(static_cast<unsigned char>(m_line[m_run]))) ++m_run;
}

void TSynCppSyn::SingleProc(TCppTokenKind kind) {
    m_tokenKind = kind;
    ++m_run;
}

void TSynCppSyn::IdentProc() {
    std::size_t start = m_run;
    std::uint64_t hash = 0;
    while (m_run < m_length) {
        auto c = static_cast<unsigned char>(m_line[m_run]);
        if (!kIdentChars[c]) break;
        hash += kHashValues[c];
        ++m_run;
    }
    std::string_view run(m_line + start, m_run - start);
    m_tokenKind = m_keywords.IsKeyword(run, hash) ? ctkKeyword : ctkIdentifier;
}

void TSynCppSyn::NumberProc() {
    m_tokenKind = ctkNumber;
    ++m_run;
    while (m_run < m_length) {
        char c = m_line[m_run];
        if (!kNumberChars[static_cast<unsigned char>(c)]) break;
        if (c == '.' && NextIs('.')) break;
        ++m_run;
    }
}

// A string or character literal; a backslash escapes only the own quote and another backslash.
void TSynCppSyn::StringProc() {
    m_tokenKind = ctkString;
    const char quote = m_line[m_run];
    while (true) {
        if (m_line[m_run] == '\\' && (NextIs(quote) || NextIs('\\'))) ++m_run;
        ++m_run;
        if (AtBreak(m_run)) break;
        if (m_line[m_run] == quote) {
            ++m_run;
            break;
        }
    }
}

void TSynCppSyn::SlashProc() {
    if (NextIs('/')) {
        m_tokenKind = ctkComment;
        m_run += 2;
        while (!AtBreak(m_run)) ++m_run;
    } else if (NextIs('*')) {
        m_tokenKind = ctkComment;
        m_range = crComment;
        m_run += 2;
        while (!AtBreak(m_run)) {
            if (m_line[m_run] == '*' && NextIs('/')) {
                m_run += 2;
                m_range = crNone;
                break;
            }
            ++m_run;
        }
    } else if (NextIs('=')) {
        m_tokenKind = ctkSymbol;
        m_run += 2;
    } else {
        SingleProc(ctkSymbol);
    }
}

// Continues a block comment from the current position (no opening "/*" is skipped, so a
// comment that starts right at "/*/" inside a directive is already closed).
void TSynCppSyn::CommentProc() {
    if (AtBreak(m_run)) {
        BreakProc();
        return;
    }
    m_tokenKind = ctkComment;
    while (!AtBreak(m_run)) {
        if (m_line[m_run] == '*' && NextIs('/')) {
            m_run += 2;
            m_range = (m_range == crDirectiveComment) ? crDirective : crNone;
            break;
        }
        ++m_run;
    }
}

void TSynCppSyn::DirectiveProc() {
    if (AtBreak(m_run)) {
        // The directive goes on past the line end only after a trailing backslash.
        if (!(m_run > 0 && m_line[m_run - 1] == '\\')) m_range = crNone;
        BreakProc();
        return;
    }
    // A directive continued onto a line that starts with a comment: the comment is the first
    // token, so no empty directive token comes before it.
    if (m_line[m_run] == '/' && NextIs('/')) {
        m_range = crNone;
        DispatchToken();
        return;
    }
    if (m_line[m_run] == '/' && NextIs('*')) {
        m_range = crDirectiveComment;
        CommentProc();
        return;
    }
    m_tokenKind = ctkDirective;
    while (true) {
        if (AtBreak(m_run)) {
            m_range = crNone;
            break;
        }
        char c = m_line[m_run];
        if (c == '/' && NextIs('/')) {
            m_range = crNone;
            break;
        }
        if (c == '/' && NextIs('*')) {
            m_range = crDirectiveComment;
            break;
        }
        ++m_run;
        if (c == '\\' && AtBreak(m_run)) {
            m_range = crDirective;
            break;
        }
    }
}

void TSynCppSyn::OperatorProc(unsigned char first) {
    m_tokenKind = ctkSymbol;
    auto at = [this](std::size_t offset, char c) {
        return m_run + offset < m_length && m_line[m_run + offset] == c;
    };
    std::size_t length = 1;
    switch (first) {
        case '&':
        case '|':
        case '+':
            if (at(1, static_cast<char>(first)) || at(1, '=')) length = 2;
            break;
        case '-':
            if (at(1, '-') || at(1, '=') || at(1, '>')) length = 2;
            break;
        case '<':
        case '>':
            if (at(1, static_cast<char>(first)))
                length = at(2, '=') ? 3 : 2;
            else if (at(1, '='))
                length = 2;
            break;
        case '=':
        case '!':
        case '%':
        case '*':
        case '^':
            if (at(1, '=')) length = 2;
            break;
        case ':':
            if (at(1, ':')) length = 2;
            break;
        case '.':
            if (at(1, '.') && at(2, '.')) length = 3;
            break;
    }
    m_run += length;
}
