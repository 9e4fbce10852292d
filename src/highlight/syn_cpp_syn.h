// The C/C++ highlighter: splits a line of C or C++ source into tokens of ten kinds and carries
// a one-byte range state across lines for block comments and continued preprocessor directives.
// The line end is taken from the line's length: a zero byte inside a line is an illegal
// character like any other, and no scan ever looks past the line.
#pragma once

#include <typeinfo>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "highlight/syn_custom_highlighter.h"
#include "highlight/syn_highlighter_list.h"

class TCppKeywordTable;

// Token kinds (the value of TokenKind).
enum TCppTokenKind : std::uint8_t {
    ctkAsm = 0,  // listed and configurable, but no scan produces it
    ctkComment = 1,
    ctkDirective = 2,
    ctkIdentifier = 3,
    ctkKeyword = 4,
    ctkLineEnd = 5,
    ctkNumber = 6,
    ctkSpace = 7,
    ctkString = 8,
    ctkSymbol = 9,
    ctkIllegal = 10,
};

// Range states (the value of RangeState, stored by the editor per line).
enum TCppRangeState : std::uint8_t {
    crNone = 0,
    crComment = 1,
    crDirective = 6,         // a directive continues on the next line
    crDirectiveComment = 7,  // a block comment that began inside a directive
};

class TSynCppSyn : public TSynCustomHighlighter {
  public:
    TSynCppSyn();

    static const TSynHighlighterClass& Class();
    std::string ClassName() const override { return "TSynCppSyn"; }

    TSynHighlighterAttributes* DefaultAttribute(int role) const override;
    TSynIdentChars IdentifierChars() const override;
    std::string LanguageName() const override { return "C++"; }

    void StartLine(std::string_view lineText, int lineIndex) override;
    void NextToken() override;
    bool AtLineEnd() const override { return m_tokenKind == ctkLineEnd; }
    // The editor scans every line of a text to its end to learn its range state: one loop
    // without a virtual call per token, unless a descendant has its own NextToken.
    void ScanToLineEnd() override {
        if (typeid(*this) != typeid(TSynCppSyn)) return TSynCustomHighlighter::ScanToLineEnd();
        while (m_tokenKind != ctkLineEnd) TSynCppSyn::NextToken();
    }
    std::string_view TokenText() const override {
        return std::string_view(m_line + m_tokenPos, m_run - m_tokenPos);
    }
    TSynHighlighterAttributes* TokenAttribute() const override {
        return m_kindAttributes[m_tokenKind];
    }
    int TokenKind() const override { return m_tokenKind; }
    int TokenStart() const override { return static_cast<int>(m_tokenPos); }

    std::int32_t RangeState() const override { return m_range; }
    void SetRangeState(std::int32_t value) override { m_range = static_cast<std::uint8_t>(value); }
    void ResetRangeState() override { m_range = crNone; }
    bool SaveScanPoint(TSynScanPoint& point) const override;
    void ScanTo(std::size_t offset) override {
        if (typeid(*this) != typeid(TSynCppSyn)) return TSynCustomHighlighter::ScanTo(offset);
        while (m_tokenKind != ctkLineEnd && m_run <= offset) TSynCppSyn::NextToken();
    }
    void ResumeLine(std::string_view lineText, int lineIndex, const TSynScanPoint& point) override;
    // Lines without a slash, hash, backslash or line-break byte (syn_cpp_skim.cpp).
    bool SkimLine(std::string_view lineText, std::int32_t& range) const override;

    // The line index given to the last StartLine.
    int LineIndex() const { return m_lineIndex; }

    TSynHighlighterAttributes* AsmAttri() const { return m_asmAttri; }
    TSynHighlighterAttributes* CommentAttri() const { return m_commentAttri; }
    TSynHighlighterAttributes* IdentifierAttri() const { return m_identifierAttri; }
    TSynHighlighterAttributes* InvalidAttri() const { return m_invalidAttri; }
    TSynHighlighterAttributes* KeyAttri() const { return m_keyAttri; }
    TSynHighlighterAttributes* NumberAttri() const { return m_numberAttri; }
    TSynHighlighterAttributes* SpaceAttri() const { return m_spaceAttri; }
    TSynHighlighterAttributes* StringAttri() const { return m_stringAttri; }
    TSynHighlighterAttributes* SymbolAttri() const { return m_symbolAttri; }
    TSynHighlighterAttributes* DirecAttri() const { return m_direcAttri; }

  protected:
    bool IsSameClassOrDescendant(const TSynCustomHighlighter& source) const override;

  private:
    bool AtBreak(std::size_t pos) const {
        return pos >= m_length || m_line[pos] == '\n' || m_line[pos] == '\r';
    }
    bool NextIs(char c) const { return m_run + 1 < m_length && m_line[m_run + 1] == c; }

    void DispatchToken();
    void BreakProc();
    void SpaceProc();
    void IdentProc();
    void NumberProc();
    void StringProc();
    void SlashProc();
    void CommentProc();
    void DirectiveProc();
    void OperatorProc(unsigned char first);
    void SingleProc(TCppTokenKind kind);

    const char* m_line = "";
    std::size_t m_length = 0;
    std::size_t m_run = 0;
    std::size_t m_tokenPos = 0;
    int m_lineIndex = 0;
    std::uint8_t m_range = crNone;
    TCppTokenKind m_tokenKind = ctkLineEnd;
    const TCppKeywordTable& m_keywords;

    TSynHighlighterAttributes* m_asmAttri;
    TSynHighlighterAttributes* m_commentAttri;
    TSynHighlighterAttributes* m_identifierAttri;
    TSynHighlighterAttributes* m_invalidAttri;
    TSynHighlighterAttributes* m_keyAttri;
    TSynHighlighterAttributes* m_numberAttri;
    TSynHighlighterAttributes* m_spaceAttri;
    TSynHighlighterAttributes* m_stringAttri;
    TSynHighlighterAttributes* m_symbolAttri;
    TSynHighlighterAttributes* m_direcAttri;
    std::array<TSynHighlighterAttributes*, 11> m_kindAttributes{};
};
