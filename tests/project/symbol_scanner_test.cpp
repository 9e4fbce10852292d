// Symbol scanning on the C headers and assembly include files the installed cc65 package ships
// (written by others, not for these tests), on the examples, and on the tricky cases.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "project/symbols.h"

namespace {

namespace fs = std::filesystem;

const char* const kCc65Include = "/usr/share/cc65/include";
const char* const kCc65AsmInclude = "/usr/share/cc65/asminc";

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::set<std::string> NamesOf(const std::vector<TSymbol>& symbols, TSymbolKind kind) {
    std::set<std::string> names;
    for (const TSymbol& symbol : symbols) {
        if (symbol.Kind == kind) names.insert(symbol.Name);
    }
    return names;
}

const TSymbol* FindSymbol(const std::vector<TSymbol>& symbols, std::string_view name) {
    for (const TSymbol& symbol : symbols) {
        if (symbol.Name == name) return &symbol;
    }
    return nullptr;
}

// A #define per line as a line-based reading sees it, once block comments are blanked out.
std::set<std::string> DefinesByLine(std::string text) {
    for (std::size_t open = text.find("/*"); open != std::string::npos;
         open = text.find("/*", open)) {
        const std::size_t close = text.find("*/", open + 2);
        const std::size_t end = close == std::string::npos ? text.size() : close + 2;
        for (std::size_t i = open; i < end; ++i) {
            if (text[i] != '\n') text[i] = ' ';
        }
        open = end;
    }
    static const std::regex define(R"(^\s*#\s*define\s+([A-Za-z_][A-Za-z0-9_]*))");
    std::set<std::string> names;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::smatch match;
        if (std::regex_search(line, match, define)) names.insert(match[1]);
    }
    return names;
}

TEST(SymbolScanner, EveryDefineOfTheCc65HeadersAndNoPrototypeTakenForADefinition) {
    if (!fs::is_directory(kCc65Include)) GTEST_SKIP() << "cc65 is not installed";
    int headers = 0;
    int defines = 0;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(kCc65Include)) {
        if (entry.path().extension() != ".h") continue;
        SCOPED_TRACE(entry.path().string());
        const std::string text = ReadAll(entry.path());
        const std::vector<TSymbol> symbols = ScanCSymbols(text);
        const std::set<std::string> expected = DefinesByLine(text);
        EXPECT_EQ(NamesOf(symbols, TSymbolKind::Macro), expected);
        // Headers declare functions; they define none.
        EXPECT_EQ(NamesOf(symbols, TSymbolKind::Function), std::set<std::string>{});
        // Each symbol's position names its text.
        std::vector<std::string> lines;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        for (const TSymbol& symbol : symbols) {
            ASSERT_LE(symbol.Line, static_cast<int>(lines.size()));
            EXPECT_EQ(lines[symbol.Line - 1].substr(symbol.Column - 1, symbol.Name.size()),
                      symbol.Name);
        }
        ++headers;
        defines += static_cast<int>(expected.size());
    }
    EXPECT_GT(headers, 50);
    EXPECT_GT(defines, 1000);
}

TEST(SymbolScanner, SpotChecksInTheCc65Headers) {
    if (!fs::is_directory(kCc65Include)) GTEST_SKIP() << "cc65 is not installed";
    const std::vector<TSymbol> stddef = ScanCSymbols(ReadAll(fs::path(kCc65Include) / "stddef.h"));
    EXPECT_EQ(NamesOf(stddef, TSymbolKind::Typedef),
              (std::set<std::string>{"ptrdiff_t", "size_t", "wchar_t"}));
    const std::vector<TSymbol> conio = ScanCSymbols(ReadAll(fs::path(kCc65Include) / "conio.h"));
    // cputs, cprintf and gotoxy are only declared there.
    for (const char* name : {"cputs", "cprintf", "gotoxy"})
        EXPECT_EQ(FindSymbol(conio, name), nullptr);
    const std::vector<TSymbol> cx16 = ScanCSymbols(ReadAll(fs::path(kCc65Include) / "cx16.h"));
    for (const char* name : {"TV_NONE", "TV_VGA", "VERA_DEC_0"}) {
        const TSymbol* symbol = FindSymbol(cx16, name);
        ASSERT_NE(symbol, nullptr) << name;
        EXPECT_EQ(symbol->Kind, TSymbolKind::EnumConstant);
    }
    const std::vector<TSymbol> time = ScanCSymbols(ReadAll(fs::path(kCc65Include) / "time.h"));
    ASSERT_NE(FindSymbol(time, "tm"), nullptr);
    EXPECT_EQ(FindSymbol(time, "tm")->Kind, TSymbolKind::Struct);
    EXPECT_EQ(FindSymbol(time, "time_t")->Kind, TSymbolKind::Typedef);
}

TEST(SymbolScanner, Cc65AssemblyIncludeFiles) {
    if (!fs::is_directory(kCc65AsmInclude)) GTEST_SKIP() << "cc65 is not installed";
    int constants = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(kCc65AsmInclude)) {
        SCOPED_TRACE(entry.path().string());
        const std::vector<TSymbol> symbols =
            ScanSymbols(entry.path().string(), ReadAll(entry.path()));
        for (const TSymbol& symbol : symbols) {
            // Nothing that is a directive or a mnemonic comes out as a name.
            EXPECT_NE(symbol.Name.front(), '.') << symbol.Name;
            EXPECT_NE(symbol.Name, "lda");
        }
        constants += static_cast<int>(NamesOf(symbols, TSymbolKind::Constant).size());
    }
    EXPECT_GT(constants, 500);
    const std::vector<TSymbol> pce =
        ScanSymbols("pce.inc", ReadAll(fs::path(kCc65AsmInclude) / "pce.inc"));
    // Spot checks of a few names that file defines with "name = value" or ":=".
    std::ifstream in(fs::path(kCc65AsmInclude) / "pce.inc");
    std::string line;
    int checked = 0;
    static const std::regex assignment(R"(^([A-Za-z_][A-Za-z0-9_]*)\s*:?=)");
    while (std::getline(in, line)) {
        std::smatch match;
        if (!std::regex_search(line, match, assignment)) continue;
        const TSymbol* symbol = FindSymbol(pce, match[1].str());
        ASSERT_NE(symbol, nullptr) << match[1];
        EXPECT_EQ(symbol->Kind, TSymbolKind::Constant);
        ++checked;
    }
    EXPECT_GT(checked, 10);
    const std::vector<TSymbol> macros =
        ScanSymbols("generic.mac", ReadAll(fs::path(kCc65AsmInclude) / "generic.mac"));
    EXPECT_FALSE(NamesOf(macros, TSymbolKind::Macro).empty());
}

TEST(SymbolScanner, TheExamples) {
    const fs::path examples = fs::path(QUILLON_SOURCE_DIR) / "examples";
    const std::vector<TSymbol> c = ScanSymbols("hello.c", ReadAll(examples / "hello-c/hello.c"));
    EXPECT_EQ(NamesOf(c, TSymbolKind::Function), (std::set<std::string>{"Centre", "main"}));
    EXPECT_EQ(NamesOf(c, TSymbolKind::Variable), (std::set<std::string>{"kColours"}));
    const std::vector<TSymbol> asm_ =
        ScanSymbols("hello.asm", ReadAll(examples / "hello-asm/hello.asm"));
    EXPECT_EQ(FindSymbol(asm_, "VDC_SELECT")->Kind, TSymbolKind::Constant);
    EXPECT_EQ(FindSymbol(asm_, "setvdc")->Kind, TSymbolKind::Macro);
    EXPECT_EQ(FindSymbol(asm_, "tam")->Kind, TSymbolKind::Macro);
    EXPECT_EQ(FindSymbol(asm_, "reset")->Kind, TSymbolKind::Label);
    EXPECT_EQ(FindSymbol(asm_, "reset")->Line, 55);
    EXPECT_EQ(FindSymbol(asm_, "vdcsetup")->Kind, TSymbolKind::Label);
    EXPECT_EQ(FindSymbol(asm_, "sei"), nullptr);
}

TEST(SymbolScanner, CommentsStringsPreprocessorAndFalseBlocks) {
    const std::vector<TSymbol> symbols = ScanCSymbols(R"(/* int hidden1(void) { } */
// int hidden2(void) { }
#define SQUARE(x) ((x) * (x))
#  define   SPACED 1 /* a comment */
#define LONG_ONE \
    continued
#if 0
int hidden3(void) { return 0; }
#define HIDDEN4
#if 1
#endif
#else
int shown_else;
#endif
#if (0)
int hidden5;
#endif
const char* text = "int hidden6(void) { }";
char c = '{';
static unsigned char buffer[32], *cursor = buffer;
void (*handler)(int);
int prototype(int a, int b);
unsigned char __fastcall__ declared(void);
typedef struct { int x; } point_t, *point_p;
typedef void (*callback_t)(void);
typedef unsigned char u8;
struct sprite { u8 x; struct inner { int a; } in; };
union value { int i; char c; };
enum colour { RED, GREEN = 3, BLUE = (1 << 2) };
extern int elsewhere;
int spr_update(struct sprite* s, int (*f)(int)) {
    int local = prototype(1, 2);
    struct sprite inside;
    spr_update(s, f);
    return local;
}
u8
TitleLoop(void)
{
}
#ifdef __cplusplus
extern "C" {
#endif
int within_extern_c(void) { return 1; }
#ifdef __cplusplus
}
#endif
)");
    std::vector<std::pair<std::string, TSymbolKind>> got;
    for (const TSymbol& symbol : symbols) got.emplace_back(symbol.Name, symbol.Kind);
    using K = TSymbolKind;
    const std::vector<std::pair<std::string, TSymbolKind>> expected{
        {"SQUARE", K::Macro},
        {"SPACED", K::Macro},
        {"LONG_ONE", K::Macro},
        {"shown_else", K::Variable},
        {"text", K::Variable},
        {"c", K::Variable},
        {"buffer", K::Variable},
        {"cursor", K::Variable},
        {"handler", K::Variable},
        {"point_t", K::Typedef},
        {"point_p", K::Typedef},
        {"callback_t", K::Typedef},
        {"u8", K::Typedef},
        {"sprite", K::Struct},
        {"inner", K::Struct},
        {"value", K::Union},
        {"colour", K::Enum},
        {"RED", K::EnumConstant},
        {"GREEN", K::EnumConstant},
        {"BLUE", K::EnumConstant},
        {"spr_update", K::Function},
        {"TitleLoop", K::Function},
        {"within_extern_c", K::Function}};
    EXPECT_EQ(got, expected);
    EXPECT_EQ(FindSymbol(symbols, "TitleLoop")->Line, 38);
    EXPECT_EQ(FindSymbol(symbols, "spr_update")->Column, 5);
}

TEST(SymbolScanner, AssemblyForms) {
    const std::vector<TSymbol> symbols = ScanAsmSymbols(R"(; TitleLoop: in a comment
VDC_SELECT  = $0000
PAD .equ $1000
speed:= 3
        .include "other.inc"
TitleLoop:
        lda #1          ; not_a_label:
.wait:  bne .wait
@next   rts
frame_loop
        jsr TitleLoop
.loop   bra .loop
setvdc  .macro
        .endm
        .macro  push_all
        .endmacro
        .proc   reset_handler
        .endproc
        .define SCREEN_W 256
    indented_const = 5
  indented_label:
label_with_string: .db "a;b", 'x'
-       dex
        * = $e000
)");
    std::vector<std::tuple<std::string, TSymbolKind, std::string>> got;
    for (const TSymbol& symbol : symbols) got.emplace_back(symbol.Name, symbol.Kind, symbol.Scope);
    using K = TSymbolKind;
    const std::vector<std::tuple<std::string, TSymbolKind, std::string>> expected{
        {"VDC_SELECT", K::Constant, ""},
        {"PAD", K::Constant, ""},
        {"speed", K::Constant, ""},
        {"TitleLoop", K::Label, ""},
        {".wait", K::LocalLabel, "TitleLoop"},
        {"@next", K::LocalLabel, "TitleLoop"},
        {"frame_loop", K::Label, ""},
        {".loop", K::LocalLabel, "frame_loop"},
        {"setvdc", K::Macro, ""},
        {"push_all", K::Macro, ""},
        {"reset_handler", K::Label, ""},
        {"SCREEN_W", K::Macro, ""},
        {"indented_const", K::Constant, ""},
        {"indented_label", K::Label, ""},
        {"label_with_string", K::Label, ""}};
    EXPECT_EQ(got, expected);
}

TEST(SymbolScanner, ANameDefinedTwiceIsFoundTwice) {
    const std::vector<TSymbol> symbols =
        ScanCSymbols("#define LIMIT 1\n#undef LIMIT\n#define LIMIT 2\nint count;\nint count;\n");
    EXPECT_EQ(std::count_if(symbols.begin(), symbols.end(),
                            [](const TSymbol& s) { return s.Name == "LIMIT"; }),
              2);
    EXPECT_EQ(std::count_if(symbols.begin(), symbols.end(),
                            [](const TSymbol& s) { return s.Name == "count"; }),
              2);
}

}  // namespace
