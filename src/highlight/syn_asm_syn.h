// The assembly highlighter: splits a line of HuC6280 assembly source into labels, mnemonics,
// directives, operands, numbers, strings and comments. Assembly has no construct that spans
// lines, so the range state is always 0. The line end is taken from the line's length and no
// scan ever looks past it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <typeinfo>

#include "highlight/syn_custom_highlighter.h"
#include "highlight/syn_highlighter_list.h"

// Token kinds (the value of TokenKind).
enum TAsmTokenKind : std::uint8_t {
    atkComment = 0,
    atkDirective = 1,
    atkIdentifier = 2,
    atkIllegal = 3,
    atkLabel = 4,
    atkLineEnd = 5,
    atkMnemonic = 6,
    atkNumber = 7,
    atkSpace = 8,
    atkString = 9,
    atkSymbol = 10,
};

class TSynAsmSyn : public TSynCustomHighlighter {
  public:
    TSynAsmSyn();

    static const TSynHighlighterClass& Class();
    std::string ClassName() const override { return "TSynAsmSyn"; }

    TSynHighlighterAttributes* DefaultAttribute(int role) const override;
    // Letters, digits, "_", "." and "@": the characters of labels such as ".loop" or "@next".
    TSynIdentChars IdentifierChars() const override;
    std::string LanguageName() const override { return "HuC6280 assembly"; }

    void StartLine(std::string_view lineText, int lineIndex) override;
    void NextToken() override;
    bool AtLineEnd() const override { return m_tokenKind == atkLineEnd; }
    std::string_view TokenText() const override {
        return std::string_view(m_line + m_tokenPos, m_run - m_tokenPos);
    }
    TSynHighlighterAttributes* TokenAttribute() const override {
        return m_kindAttributes[m_tokenKind];
    }
    int TokenKind() const override { return m_tokenKind; }
    int TokenStart() const override { return static_cast<int>(m_tokenPos); }
    bool SaveScanPoint(TSynScanPoint& point) const override;
    void ScanTo(std::size_t offset) override {
        if (typeid(*this) != typeid(TSynAsmSyn)) return TSynCustomHighlighter::ScanTo(offset);
        while (m_tokenKind != atkLineEnd && m_run <= offset) TSynAsmSyn::NextToken();
    }
    void ResumeLine(std::string_view lineText, int lineIndex, const TSynScanPoint& point) override;

    TSynHighlighterAttributes* CommentAttri() const { return m_commentAttri; }
    TSynHighlighterAttributes* DirecAttri() const { return m_direcAttri; }
    TSynHighlighterAttributes* IdentifierAttri() const { return m_identifierAttri; }
    TSynHighlighterAttributes* InvalidAttri() const { return m_invalidAttri; }
    TSynHighlighterAttributes* LabelAttri() const { return m_labelAttri; }
    TSynHighlighterAttributes* MnemonicAttri() const { return m_mnemonicAttri; }
    TSynHighlighterAttributes* NumberAttri() const { return m_numberAttri; }
    TSynHighlighterAttributes* SpaceAttri() const { return m_spaceAttri; }
    TSynHighlighterAttributes* StringAttri() const { return m_stringAttri; }
    TSynHighlighterAttributes* SymbolAttri() const { return m_symbolAttri; }

  protected:
    bool IsSameClassOrDescendant(const TSynCustomHighlighter& source) const override;

  private:
    // Where in its statement the line is: a word means something else in each place.
    enum TStage : std::uint8_t {
        stLineStart,  // nothing but blanks so far
        stStatement,  // after a label: a mnemonic or directive may follow
        stOperand,    // after the mnemonic or directive
    };

    void WordProc();
    void NumberRun(const std::array<bool, 256>& chars);
    void StringProc();

    const char* m_line = "";
    std::size_t m_length = 0;
    std::size_t m_run = 0;
    std::size_t m_tokenPos = 0;
    TAsmTokenKind m_tokenKind = atkLineEnd;
    TStage m_stage = stLineStart;

    TSynHighlighterAttributes* m_commentAttri;
    TSynHighlighterAttributes* m_direcAttri;
    TSynHighlighterAttributes* m_identifierAttri;
    TSynHighlighterAttributes* m_invalidAttri;
    TSynHighlighterAttributes* m_labelAttri;
    TSynHighlighterAttributes* m_mnemonicAttri;
    TSynHighlighterAttributes* m_numberAttri;
    TSynHighlighterAttributes* m_spaceAttri;
    TSynHighlighterAttributes* m_stringAttri;
    TSynHighlighterAttributes* m_symbolAttri;
    std::array<TSynHighlighterAttributes*, 11> m_kindAttributes{};
};
