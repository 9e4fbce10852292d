// Scanning rules of the assembly highlighter.
#include "highlight/syn_asm_syn.h"

#include <memory>
#include <typeinfo>

#include "highlight/asm_keywords.h"

namespace {

// What a token starting with a given byte is.
enum CharClass : std::uint8_t {
    ccIllegal,  // 127-255 and a zero byte inside the line
    ccSpace,
    ccComment,
    ccWord,    // letters, "_", ".", "@"
    ccNumber,  // a decimal digit
    ccHex,     // "$"
    ccBinary,  // "%"
    ccString,  // double or single quote
    ccSymbol,
};

constexpr std::array<CharClass, 256> MakeCharClasses() {
    std::array<CharClass, 256> table{};
    for (int c = 33; c < 127; ++c) table[c] = ccSymbol;
    for (int c = 1; c <= 32; ++c) table[c] = ccSpace;
    for (int c = 'A'; c <= 'Z'; ++c) table[c] = ccWord;
    for (int c = 'a'; c <= 'z'; ++c) table[c] = ccWord;
    table['_'] = ccWord;
    table['.'] = ccWord;
    table['@'] = ccWord;
    for (int c = '0'; c <= '9'; ++c) table[c] = ccNumber;
    table[';'] = ccComment;
    table['$'] = ccHex;
    table['%'] = ccBinary;
    table['"'] = ccString;
    table['\''] = ccString;
    return table;
}
constexpr std::array<CharClass, 256> kCharClasses = MakeCharClasses();

constexpr std::array<bool, 256> MakeSet(std::string_view extra, bool letters, bool digits) {
    std::array<bool, 256> table{};
    for (int c = 0; c < 256; ++c) {
        const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        const bool digit = c >= '0' && c <= '9';
        table[c] = (letters && letter) || (digits && digit);
    }
    for (char c : extra) table[static_cast<unsigned char>(c)] = true;
    return table;
}
constexpr std::array<bool, 256> kWordChars = MakeSet("_.@", true, true);
// Decimal numbers take letters too, so suffixed and prefixed forms (0FFh, 0x1F) stay whole.
constexpr std::array<bool, 256> kDecimalChars = MakeSet("_", true, true);
constexpr std::array<bool, 256> kHexChars = MakeSet("0123456789ABCDEFabcdef", false, false);
constexpr std::array<bool, 256> kBinaryChars = MakeSet("01", false, false);

constexpr bool IsSpaceChar(unsigned char c) {
    return c >= 1 && c <= 32;
}

std::unique_ptr<TSynCustomHighlighter> CreateAsmSyn() {
    return std::make_unique<TSynAsmSyn>();
}

// Registers the class in the program-wide list as the program loads.
struct AsmSynRegistration {
    AsmSynRegistration() {
        HighlighterFrameworkStartup();
        RegisterHighlighterClass(&TSynAsmSyn::Class());
    }
    ~AsmSynRegistration() { HighlighterFrameworkShutdown(); }
} g_asmSynRegistration;

}  // namespace

const TSynHighlighterClass& TSynAsmSyn::Class() {
    static const TSynHighlighterClass asmClass{"TSynAsmSyn", &CreateAsmSyn};
    return asmClass;
}

TSynAsmSyn::TSynAsmSyn() {
    auto add = [this](const char* name, TColor foreground = clNone, TFontStyles style = 0) {
        auto attribute = std::make_unique<TSynHighlighterAttributes>(name);
        attribute->SetForeground(foreground);
        attribute->SetStyle(style);
        return AddAttribute(std::move(attribute));
    };
    m_commentAttri = add("Comment", clNone, fsItalic);
    m_direcAttri = add("Directive");
    m_identifierAttri = add("Identifier");
    m_invalidAttri = add("Illegal char");
    m_labelAttri = add("Label");
    m_mnemonicAttri = add("Mnemonic", clNone, fsBold);
    m_numberAttri = add("Number");
    m_spaceAttri = add("Space", clWindow);
    m_stringAttri = add("String");
    m_symbolAttri = add("Symbol");
    SetAttributesChangeHandler([this](TSynHighlighterAttributes*) { NotifyAttributesChanged(); });

    m_kindAttributes = {m_commentAttri, m_direcAttri,  m_identifierAttri, m_invalidAttri,
                        m_labelAttri,   nullptr,       m_mnemonicAttri,   m_numberAttri,
                        m_spaceAttri,   m_stringAttri, m_symbolAttri};
    SetDefaultFilter("Assembly files (*.asm,*.s)|*.asm;*.s");
}

TSynHighlighterAttributes* TSynAsmSyn::DefaultAttribute(int role) const {
    switch (role) {
        case SYN_ATTR_COMMENT:
            return m_commentAttri;
        case SYN_ATTR_IDENTIFIER:
            return m_identifierAttri;
        case SYN_ATTR_KEYWORD:
            return m_mnemonicAttri;
        case SYN_ATTR_STRING:
            return m_stringAttri;
        case SYN_ATTR_WHITESPACE:
            return m_spaceAttri;
        default:
            return nullptr;
    }
}

TSynIdentChars TSynAsmSyn::IdentifierChars() const {
    TSynIdentChars chars;
    for (std::size_t c = 0; c < 256; ++c)
        if (kWordChars[c]) chars.set(c);
    return chars;
}

bool TSynAsmSyn::IsSameClassOrDescendant(const TSynCustomHighlighter& source) const {
    return dynamic_cast<const TSynAsmSyn*>(&source) != nullptr;
}

void TSynAsmSyn::StartLine(std::string_view lineText, int /*lineIndex*/) {
    m_line = lineText.data();
    m_length = lineText.size();
    m_run = 0;
    m_stage = stLineStart;
    NextToken();
}

bool TSynAsmSyn::SaveScanPoint(TSynScanPoint& point) const {
    if (typeid(*this) != typeid(TSynAsmSyn)) return false;
    point = {m_tokenPos, m_run, RangeState(), m_tokenKind, m_stage};
    return true;
}

void TSynAsmSyn::ResumeLine(std::string_view lineText, int lineIndex, const TSynScanPoint& point) {
    if (typeid(*this) != typeid(TSynAsmSyn))
        return TSynCustomHighlighter::ResumeLine(lineText, lineIndex, point);
    m_line = lineText.data();
    m_length = lineText.size();
    m_tokenPos = point.tokenPos;
    m_run = point.run;
    m_tokenKind = static_cast<TAsmTokenKind>(point.kind);
    m_stage = static_cast<TStage>(point.stage);
}

void TSynAsmSyn::NextToken() {
    m_tokenPos = m_run;
    if (m_run >= m_length) {
        m_tokenKind = atkLineEnd;
        return;
    }
    const auto c = static_cast<unsigned char>(m_line[m_run]);
    switch (kCharClasses[c]) {
        case ccSpace:
            m_tokenKind = atkSpace;
            ++m_run;
            while (m_run < m_length && IsSpaceChar(static_cast<unsigned char>(m_line[m_run])))
                ++m_run;
            return;
        case ccComment:
            m_tokenKind = atkComment;
            m_run = m_length;
            return;
        case ccWord:
            WordProc();
            return;
        case ccNumber:
            NumberRun(kDecimalChars);
            break;
        case ccHex:
            if (m_run + 1 < m_length && kHexChars[static_cast<unsigned char>(m_line[m_run + 1])]) {
                NumberRun(kHexChars);
            } else {
                m_tokenKind = atkSymbol;
                ++m_run;
            }
            break;
        case ccBinary:
            if (m_run + 1 < m_length &&
                kBinaryChars[static_cast<unsigned char>(m_line[m_run + 1])]) {
                NumberRun(kBinaryChars);
            } else {
                m_tokenKind = atkSymbol;
                ++m_run;
            }
            break;
        case ccString:
            StringProc();
            break;
        case ccSymbol:
            m_tokenKind = atkSymbol;
            ++m_run;
            break;
        case ccIllegal:
            m_tokenKind = atkIllegal;
            ++m_run;
            break;
    }
    // Whatever stands first in a statement other than a label ("* = $e000", "= 5") starts its
    // operand part.
    m_stage = stOperand;
}

// A number: the first character, then every following character of the set.
void TSynAsmSyn::NumberRun(const std::array<bool, 256>& chars) {
    m_tokenKind = atkNumber;
    ++m_run;
    while (m_run < m_length && chars[static_cast<unsigned char>(m_line[m_run])]) ++m_run;
}

// A string or character constant: to the same quote, or to the line end when it is missing.
void TSynAsmSyn::StringProc() {
    m_tokenKind = atkString;
    const char quote = m_line[m_run++];
    while (m_run < m_length) {
        if (m_line[m_run++] == quote) return;
    }
}

// A word is a label, a mnemonic, a directive or an operand's identifier, by where it stands.
void TSynAsmSyn::WordProc() {
    const std::size_t start = m_run;
    ++m_run;
    while (m_run < m_length && kWordChars[static_cast<unsigned char>(m_line[m_run])]) ++m_run;
    if (m_stage == stOperand) {
        m_tokenKind = atkIdentifier;
        return;
    }
    if (m_run < m_length && m_line[m_run] == ':') {
        // "name:" is a label wherever it stands before the statement; the colon belongs to it.
        ++m_run;
        m_tokenKind = atkLabel;
        m_stage = stStatement;
        return;
    }
    const std::string_view word(m_line + start, m_run - start);
    const bool firstColumn = start == 0;
    m_stage = stOperand;
    if (word.front() == '.') {
        m_tokenKind = atkDirective;
        return;
    }
    switch (ClassifyAsmWord(word)) {
        case TAsmWord::Mnemonic:
            m_tokenKind = atkMnemonic;
            return;
        case TAsmWord::Directive:
            m_tokenKind = atkDirective;
            return;
        case TAsmWord::None:
            break;
    }
    if (firstColumn) {
        // A word in the first column is a label even without a colon.
        m_tokenKind = atkLabel;
        m_stage = stStatement;
    } else {
        // A macro call or a symbol that a "=" follows.
        m_tokenKind = atkIdentifier;
    }
}
