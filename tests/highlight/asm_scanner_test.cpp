// The assembly highlighter: statements token by token, the token stream of a whole source file
// against a hand-reviewed golden text (data/starfield.asm and data/starfield.tokens; set
// QUILLON_UPDATE_GOLDEN=1 to rewrite it after a deliberate change), and random bytes that must
// tokenize within the line.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "highlight/asm_color_schemes.h"
#include "highlight/asm_keywords.h"
#include "highlight/syn_asm_syn.h"
#include "highlight/syn_highlighter_list.h"

namespace {

const char* KindName(int kind) {
    static const char* const kNames[] = {"com", "dir", "id", "ill", "lab", "end",
                                         "mne", "num", "sp", "str", "sym"};
    return (kind >= 0 && kind <= 10) ? kNames[kind] : "?";
}

// "kind[text] kind[text] ..."; checks that the tokens tile the line.
std::string Scan(TSynAsmSyn& highlighter, std::string_view line) {
    highlighter.ResetRangeState();
    highlighter.StartLine(line, 0);
    std::string out;
    std::size_t expected = 0;
    while (!highlighter.AtLineEnd()) {
        EXPECT_EQ(static_cast<std::size_t>(highlighter.TokenStart()), expected) << line;
        const std::string_view text = highlighter.TokenText();
        EXPECT_FALSE(text.empty()) << line;
        expected += text.size();
        if (highlighter.TokenKind() != atkSpace) {
            if (!out.empty()) out += ' ';
            out += KindName(highlighter.TokenKind());
            out += '[';
            out += text;
            out += ']';
        }
        highlighter.NextToken();
    }
    EXPECT_EQ(expected, line.size()) << line;
    EXPECT_EQ(highlighter.RangeState(), 0);
    return out;
}

std::string Scan(std::string_view line) {
    TSynAsmSyn highlighter;
    return Scan(highlighter, line);
}

TEST(AsmScanner, StatementsByWhereTheirWordsStand) {
    EXPECT_EQ(Scan("start:  lda #$01   ; load"),
              "lab[start:] mne[lda] sym[#] num[$01] com[; load]");
    EXPECT_EQ(Scan("        sta VDC_REG,x"), "mne[sta] id[VDC_REG] sym[,] id[x]");
    // A first-column word is a label without a colon too, unless it is a known word.
    EXPECT_EQ(Scan("loop    dex"), "lab[loop] mne[dex]");
    EXPECT_EQ(Scan("rts"), "mne[rts]");
    EXPECT_EQ(Scan("  .loop: bne .loop"), "lab[.loop:] mne[bne] id[.loop]");
    // Mnemonic-like words in operands are symbols, and mnemonics match in any case.
    EXPECT_EQ(Scan("        JMP and"), "mne[JMP] id[and]");
    EXPECT_EQ(Scan("        my_macro 1,2"), "id[my_macro] num[1] sym[,] num[2]");
    EXPECT_EQ(Scan("* = $e000"), "sym[*] sym[=] num[$e000]");
    EXPECT_EQ(Scan("COUNT = 24"), "lab[COUNT] sym[=] num[24]");
}

TEST(AsmScanner, DirectivesAreDottedWordsAndCommonKeywords) {
    EXPECT_EQ(Scan("        .org $E000"), "dir[.org] num[$E000]");
    EXPECT_EQ(Scan(".zp"), "dir[.zp]");
    EXPECT_EQ(Scan("PORT    equ $1000"), "lab[PORT] dir[equ] num[$1000]");
    EXPECT_EQ(Scan("        DB 1,2"), "dir[DB] num[1] sym[,] num[2]");
    EXPECT_EQ(Scan("        include \"x.inc\""), "dir[include] str[\"x.inc\"]");
    EXPECT_EQ(Scan("vreg    .macro"), "lab[vreg] dir[.macro]");
}

TEST(AsmScanner, HuC6280InstructionSet) {
    for (const char* word :
         {"tii",  "tdd", "tin", "tia", "tai", "tam", "tma", "st0", "st1", "st2", "csh",
          "csl",  "sxy", "sax", "say", "cla", "clx", "cly", "bsr", "set", "tst", "bbr0",
          "smb7", "stz", "phx", "bra", "trb", "tsb", "adc", "brk", "tya", "TAM"}) {
        EXPECT_EQ(ClassifyAsmWord(word), TAsmWord::Mnemonic) << word;
        EXPECT_EQ(Scan(std::string("  ") + word), std::string("mne[") + word + "]");
    }
    for (const char* word : {"st3", "bbr8", "ldz", "lda_", "ldaa", "", "macro1", "verylongword"})
        EXPECT_EQ(ClassifyAsmWord(word), TAsmWord::None) << word;
}

TEST(AsmScanner, NumbersStringsAndCharacters) {
    EXPECT_EQ(Scan(" .dw $1F, %0101, 42, 0FFh"),
              "dir[.dw] num[$1F] sym[,] num[%0101] sym[,] num[42] sym[,] num[0FFh]");
    // "$" and "%" without digits are operators.
    EXPECT_EQ(Scan(" lda $"), "mne[lda] sym[$]");
    EXPECT_EQ(Scan(" lda 5%3"), "mne[lda] num[5] sym[%] num[3]");
    EXPECT_EQ(Scan(" lda $12G"), "mne[lda] num[$12] id[G]");
    EXPECT_EQ(Scan(" lda #'A'"), "mne[lda] sym[#] str['A']");
    // A semicolon or apostrophe inside a string starts nothing.
    EXPECT_EQ(Scan(" .db \"a;b'c\" ; end"), "dir[.db] str[\"a;b'c\"] com[; end]");
    EXPECT_EQ(Scan(" .db \"open"), "dir[.db] str[\"open]");
    EXPECT_EQ(Scan("; only a comment ' \""), "com[; only a comment ' \"]");
    EXPECT_EQ(Scan(std::string(" lda \x80\x01", 7)), "mne[lda] ill[\x80]");
    EXPECT_EQ(Scan(""), "");
}

TEST(AsmScanner, AttributesAndRegistration) {
    TSynAsmSyn highlighter;
    ASSERT_EQ(highlighter.AttributeCount(), 10);
    std::vector<std::string> names;
    for (int i = 0; i < highlighter.AttributeCount(); ++i)
        names.push_back(highlighter.AttributeAt(i)->Name());
    EXPECT_EQ(names, (std::vector<std::string>{"Comment", "Directive", "Identifier", "Illegal char",
                                               "Label", "Mnemonic", "Number", "Space", "String",
                                               "Symbol"}));
    highlighter.StartLine(" lda", 0);
    highlighter.NextToken();
    EXPECT_EQ(highlighter.TokenAttribute(), highlighter.MnemonicAttri());
    EXPECT_EQ(highlighter.DefaultAttribute(2), highlighter.MnemonicAttri());
    EXPECT_TRUE(highlighter.IdentifierChars().test('.'));
    ASSERT_NE(GetPlaceableHighlighters(), nullptr);
    EXPECT_NE(GetPlaceableHighlighters()->FindByName("TSynAsmSyn"), nullptr);

    // Each token class of the schemes has its own colour.
    ApplyFrameWindowColors(highlighter);
    EXPECT_NE(highlighter.MnemonicAttri()->Foreground(), highlighter.LabelAttri()->Foreground());
    EXPECT_NE(highlighter.LabelAttri()->Foreground(), highlighter.NumberAttri()->Foreground());
    EXPECT_NE(highlighter.NumberAttri()->Foreground(), highlighter.CommentAttri()->Foreground());
}

std::filesystem::path DataDir() {
    return std::filesystem::path(QUILLON_SOURCE_DIR) / "tests" / "highlight" / "data";
}

TEST(AsmGolden, StarfieldSourceMatchesTheReviewedTokenStream) {
    std::ifstream source(DataDir() / "starfield.asm", std::ios::binary);
    ASSERT_TRUE(source);
    TSynAsmSyn highlighter;
    std::string actual;
    std::string line;
    int number = 0;
    while (std::getline(source, line)) {
        actual += std::to_string(++number) + ": " + Scan(highlighter, line) + "\n";
    }
    EXPECT_GT(number, 200);

    const std::filesystem::path golden = DataDir() / "starfield.tokens";
    if (std::getenv("QUILLON_UPDATE_GOLDEN") != nullptr) {
        std::ofstream(golden, std::ios::binary) << actual;
    }
    std::ifstream expectedFile(golden, std::ios::binary);
    std::ostringstream expected;
    expected << expectedFile.rdbuf();
    EXPECT_EQ(actual, expected.str());
}

TEST(AsmRandomBytes, AnyByteSequenceTokenizesWithinTheLine) {
    constexpr std::string_view kInteresting = ";$%'\"._@:#,*=0129aFxZ \t";
    std::mt19937 random(20241208u);
    TSynAsmSyn highlighter;
    for (int n = 0; n < 20000; ++n) {
        std::string line(random() % 40, '\0');
        for (char& c : line) {
            c = random() % 3 == 0 ? static_cast<char>(random() & 0xFF)
                                  : kInteresting[random() % kInteresting.size()];
        }
        // An exactly sized copy without a terminating zero, so a read past it is caught.
        std::unique_ptr<char[]> buffer(line.empty() ? nullptr : new char[line.size()]);
        std::copy(line.begin(), line.end(), buffer.get());
        const std::string_view view(buffer.get(), line.size());
        highlighter.StartLine(view, n);
        std::size_t expected = 0;
        while (!highlighter.AtLineEnd()) {
            ASSERT_EQ(static_cast<std::size_t>(highlighter.TokenStart()), expected);
            const std::string_view text = highlighter.TokenText();
            ASSERT_FALSE(text.empty());
            ASSERT_EQ(text.data(), buffer.get() + expected);
            ASSERT_NE(highlighter.TokenAttribute(), nullptr);
            expected += text.size();
            ASSERT_LE(expected, line.size());
            highlighter.NextToken();
        }
        ASSERT_EQ(expected, line.size());
        ASSERT_EQ(static_cast<std::size_t>(highlighter.TokenStart()), line.size());
    }
}

}  // namespace
