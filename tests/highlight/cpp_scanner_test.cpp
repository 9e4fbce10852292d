// Token streams and range states of the C/C++ highlighter on the cases where scanners meet:
// comments, directives, literals, numbers, operators, keywords and odd bytes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "highlight/cpp_keywords.h"
#include "highlight/token_stream.h"

namespace {

using token_stream::ScanLines;
using Lines = std::vector<std::string>;

struct ScanCase {
    const char* name;
    Lines input;
    Lines expected;
};

void ExpectScans(const std::vector<ScanCase>& cases) {
    for (const ScanCase& c : cases) {
        std::string problems;
        EXPECT_EQ(ScanLines(c.input, &problems), c.expected) << c.name;
        EXPECT_EQ(problems, "") << c.name;
    }
}

TEST(CppScanner, CommentsAcrossLines) {
    ExpectScans({
        {"empty line", {""}, {"=> none"}},
        {"empty line inside a comment keeps the state",
         {"/* a", "", "b */"},
         {"com[/* a] => comment", "=> comment", "com[b */] => none"}},
        {"identifier then open comment, closed on the next line",
         {"x /* more", "text */ y"},
         {"id[x] sp[ ] com[/* more] => comment", "com[text */] sp[ ] id[y] => none"}},
        {"closed block comment", {"a/*b*/c"}, {"id[a] com[/*b*/] id[c] => none"}},
        {"/*/ does not close", {"/*/ x"}, {"com[/*/ x] => comment"}},
        {"line comment",
         {"i++; // note */"},
         {"id[i] sym[++] sym[;] sp[ ] com[// note */] => none"}},
        {"comment continues through stars",
         {"/* **", "** */"},
         {"com[/* **] => comment", "com[** */] => none"}},
        {"slash forms", {"a/=b/c"}, {"id[a] sym[/=] id[b] sym[/] id[c] => none"}},
        {"slash at line end", {"a/"}, {"id[a] sym[/] => none"}},
    });
}

TEST(CppScanner, DirectivesAcrossLines) {
    ExpectScans({
        {"directive with line comment",
         {"#include <x.h>  // lib"},
         {"dir[#include <x.h>  ] com[// lib] => none"}},
        {"continued directive",
         {"#define A(x) \\", "    ((x) + 1)", "int y;"},
         {"dir[#define A(x) \\x5C] => directive", "dir[    ((x) + 1)] => none",
          "key[int] sp[ ] id[y] sym[;] => none"}},
        {"empty line ends a continued directive",
         {"#define B \\", "", "x"},
         {"dir[#define B \\x5C] => directive", "=> none", "id[x] => none"}},
        {"two continuations",
         {"#if A \\", "&& B \\", "|| C"},
         {"dir[#if A \\x5C] => directive", "dir[&& B \\x5C] => directive", "dir[|| C] => none"}},
        {"backslash inside a directive does not continue",
         {"#define S '\\n' x", "y"},
         {"dir[#define S '\\x5Cn' x] => none", "id[y] => none"}},
        {"open comment inside a directive",
         {"#define X 1 /* start", "more */ + 2"},
         {"dir[#define X 1 ] com[/* start] => directive-comment",
          "com[more */] dir[ + 2] => none"}},
        {"comment closed inside a directive",
         {"#ifdef A /* c */ // d"},
         {"dir[#ifdef A ] com[/* c */] dir[ ] com[// d] => none"}},
        {"slash star slash inside a directive is a closed comment",
         {"#x /*/ y"},
         {"dir[#x ] com[/*/] dir[ y] => none"}},
        {"continued directive meets a line comment",
         {"#define C \\", "// tail"},
         {"dir[#define C \\x5C] => directive", "com[// tail] => none"}},
        {"continued directive meets a block comment",
         {"#define X \\", "/* c */ int x;"},
         {"dir[#define X \\x5C] => directive", "com[/* c */] dir[ int x;] => none"}},
        {"lone hash", {"#"}, {"dir[#] => none"}},
    });
}

TEST(CppScanner, StringAndCharacterLiterals) {
    ExpectScans({
        {"closed string",
         {"s = \"HELLO\";"},
         {"id[s] sp[ ] sym[=] sp[ ] str[\"HELLO\"] sym[;] => none"}},
        {"unterminated string", {"\"abc"}, {"str[\"abc] => none"}},
        {"escaped quote", {"\"a\\\"b\" c"}, {"str[\"a\\x5C\"b\"] sp[ ] id[c] => none"}},
        {"two backslashes then quote close",
         {"\"a\\\\\" c"},
         {"str[\"a\\x5C\\x5C\"] sp[ ] id[c] => none"}},
        {"other escapes are ordinary", {"\"\\n\" x"}, {"str[\"\\x5Cn\"] sp[ ] id[x] => none"}},
        {"character literal", {"c = 'a';"}, {"id[c] sp[ ] sym[=] sp[ ] str['a'] sym[;] => none"}},
        {"escaped single quote", {"'\\''"}, {"str['\\x5C''] => none"}},
        {"double quote in char literal", {"'\"' x"}, {"str['\"'] sp[ ] id[x] => none"}},
        {"unterminated char", {"'ab"}, {"str['ab] => none"}},
        {"quote alone at line end", {"x \""}, {"id[x] sp[ ] str[\"] => none"}},
        {"backslash at line end", {"\"ab\\"}, {"str[\"ab\\x5C] => none"}},
        {"literal stays on its line",
         {"\"abc", "def\""},
         {"str[\"abc] => none", "id[def] str[\"] => none"}},
    });
}

TEST(CppScanner, Numbers) {
    ExpectScans({
        {"hex, suffixes, decimal points",
         {"0x1F 10UL 3.14 1.2.3"},
         {"num[0x1F] sp[ ] num[10UL] sp[ ] num[3.14] sp[ ] num[1.2.3] => none"}},
        {"exponent with a sign splits", {"1e+5"}, {"num[1e] sym[+] num[5] => none"}},
        {"two dots between digits", {"1..2"}, {"num[1] sym[.] sym[.] num[2] => none"}},
        {"no validation", {"0xGG 9abc"}, {"num[0x] id[GG] sp[ ] num[9abc] => none"}},
        {"trailing dot", {"5."}, {"num[5.] => none"}},
    });
}

TEST(CppScanner, OperatorsAndSymbols) {
    ExpectScans({
        {"longest forms",
         {"a->b <<= c :: ... >>= ->"},
         {"id[a] sym[->] id[b] sp[ ] sym[<<=] sp[ ] id[c] sp[ ] sym[::] sp[ ] sym[...] sp[ ] "
          "sym[>>=] sp[ ] sym[->] => none"}},
        {"two character forms",
         {"&&&=||=++--+=-=<=>=<<>> ==!=%=*=^="},
         {"sym[&&] sym[&=] sym[||] sym[=] sym[++] sym[--] sym[+=] sym[-=] sym[<=] sym[>=] sym[<<] "
          "sym[>>] sp[ ] sym[==] sym[!=] sym[%=] sym[*=] sym[^=] => none"}},
        {"one character forms",
         {"()[]{},;?~!%&*+-.:<=>^|"},
         {"sym[(] sym[)] sym[[] sym[\\x5D] sym[{] sym[}] sym[,] sym[;] sym[?] sym[~] sym[!] "
          "sym[%] sym[&] sym[*] sym[+] sym[-] sym[.] sym[:] sym[<=] sym[>] sym[^] sym[|] => none"}},
        {"dots", {".. ."}, {"sym[.] sym[.] sp[ ] sym[.] => none"}},
        {"operator at line end", {"a<<"}, {"id[a] sym[<<] => none"}},
    });
}

TEST(CppScanner, KeywordsAndIdentifiers) {
    ExpectScans({
        {"case matters",
         {"if If IF int Int __int64 __INT64"},
         {"key[if] sp[ ] id[If] sp[ ] id[IF] sp[ ] key[int] sp[ ] id[Int] sp[ ] key[__int64] sp[ ] "
          "id[__INT64] => none"}},
        {"same hash, different words",
         {"__int8 tni nit"},
         {"key[__int8] sp[ ] id[tni] sp[ ] id[nit] => none"}},
        {"prefixes and extensions",
         {"in intx _ __ reinterpret_casts"},
         {"id[in] sp[ ] id[intx] sp[ ] id[_] sp[ ] id[__] sp[ ] id[reinterpret_casts] => none"}},
        {"digits in identifiers", {"do2 x9 if_"}, {"id[do2] sp[ ] id[x9] sp[ ] id[if_] => none"}},
        {"asm is only a keyword",
         {"asm { lda #1 }", "_asm", "__asm nop"},
         {"key[asm] sp[ ] sym[{] sp[ ] id[lda] sp[ ] dir[#1 }] => none", "key[_asm] => none",
          "key[__asm] sp[ ] id[nop] => none"}},
    });
}

TEST(CppScanner, EveryListedKeywordAndNothingElse) {
    TSynCppSyn highlighter;
    auto kindOf = [&](const std::string& word) {
        highlighter.ResetRangeState();
        highlighter.StartLine(word, 0);
        EXPECT_EQ(highlighter.TokenText(), word);
        return highlighter.TokenKind();
    };
    auto keywords = CppKeywords();
    ASSERT_EQ(keywords.size(), 94u);
    for (std::string_view keyword : keywords) {
        std::string word(keyword);
        EXPECT_EQ(kindOf(word), ctkKeyword) << word;
        // Any upper-case letter or an extra character makes it an identifier.
        std::string upper = word;
        for (char& c : upper)
            if (c >= 'a' && c <= 'z') {
                c = static_cast<char>(c - 32);
                break;
            }
        EXPECT_EQ(kindOf(upper), ctkIdentifier) << upper;
        EXPECT_EQ(kindOf(word + "_"), ctkIdentifier) << word;
    }
    // Hashes: "if" is 17, the int family shares 46, reinterpret_cast is the largest at 206.
    auto hash = [](std::string_view w) {
        int sum = 0;
        for (char c : w) sum += CppKeywordCharHash(static_cast<unsigned char>(c));
        return sum;
    };
    EXPECT_EQ(hash("if"), 17);
    EXPECT_EQ(hash("__int16"), 46);
    EXPECT_EQ(hash("reinterpret_cast"), 206);
    for (std::string_view keyword : keywords) EXPECT_LT(hash(keyword), 207) << keyword;
    // Words that are keywords in C or C++ but not in the list stay identifiers.
    for (const char* word : {"nullptr", "export", "restrict", "_Bool", "final", "override"})
        EXPECT_EQ(kindOf(word), ctkIdentifier) << word;
}

TEST(CppScanner, SpacesLineBreaksAndIllegalBytes) {
    using namespace std::string_literals;
    ExpectScans({
        {"white space run", {"\t \x01\x1F x"}, {"sp[\\x09 \\x01\\x1F ] id[x] => none"}},
        {"line breaks inside a line",
         {"a\r\nb\rc\nd"},
         {"id[a] sp[\\x0D\\x0A] id[b] sp[\\x0D] id[c] sp[\\x0A] id[d] => none"}},
        {"illegal characters",
         {"@$\\`\x7F\x80\xFF"},
         {"ill[@] ill[$] ill[\\x5C] ill[`] ill[\\x7F] ill[\\x80] ill[\\xFF] => none"}},
        // A zero byte inside the line is one illegal token; the rest of the line is scanned.
        {"zero byte",
         {"int\0x = 1;"s},
         {"key[int] ill[\\x00] id[x] sp[ ] sym[=] sp[ ] num[1] sym[;] => none"}},
        {"zero byte inside literals and comments is text",
         {"\"a\0b\" /* c\0d */ // e\0f"s},
         {"str[\"a\\x00b\"] sp[ ] com[/* c\\x00d */] sp[ ] com[// e\\x00f] => none"}},
        {"zero byte does not end a directive",
         {"#define Z \0 1"s},
         {"dir[#define Z \\x00 1] => none"}},
        {"zero byte at line start in a comment",
         {"/*", "\0*/x"s},
         {"com[/*] => comment", "com[\\x00*/] id[x] => none"}},
    });
}

TEST(CppScanner, RangeStateCalls) {
    TSynCppSyn highlighter;
    highlighter.SetRangeState(0x107);  // only the low byte counts
    EXPECT_EQ(highlighter.RangeState(), crDirectiveComment);
    highlighter.StartLine("x", 0);  // StartLine keeps the state it is given
    EXPECT_EQ(highlighter.TokenKind(), ctkComment);
    highlighter.ResetRangeState();
    EXPECT_EQ(highlighter.RangeState(), crNone);
    // An unknown state scans as plain text and ends as none.
    highlighter.SetRangeState(3);
    highlighter.StartLine("a", 5);
    EXPECT_EQ(highlighter.TokenKind(), ctkIdentifier);
    EXPECT_EQ(highlighter.RangeState(), crNone);
    EXPECT_EQ(highlighter.LineIndex(), 5);
}

TEST(CppScanner, TokenAttributesFollowTheKind) {
    TSynCppSyn h;
    struct {
        const char* line;
        TSynHighlighterAttributes* attribute;
    } cases[] = {{"/**/", h.CommentAttri()}, {"#if", h.DirecAttri()}, {"abc", h.IdentifierAttri()},
                 {"int", h.KeyAttri()},      {"12", h.NumberAttri()}, {"  ", h.SpaceAttri()},
                 {"'a'", h.StringAttri()},   {";", h.SymbolAttri()},  {"@", h.InvalidAttri()}};
    for (const auto& c : cases) {
        h.ResetRangeState();
        h.StartLine(c.line, 0);
        EXPECT_EQ(h.TokenAttribute(), c.attribute) << c.line;
    }
    h.StartLine("", 0);
    EXPECT_TRUE(h.AtLineEnd());
    EXPECT_EQ(h.TokenAttribute(), nullptr);
    EXPECT_EQ(h.TokenStart(), 0);
}

}  // namespace
