// The C compiler's headers: prototypes taken as declarations, the installed cc65 headers read,
// the target's machine header chosen and the include directory found from the command.
#include "project/compiler_headers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "platform/scratch_directory.h"

namespace {

const std::string kInstalled = "/usr/share/cc65/include";

std::vector<std::string> Names(const std::vector<TSymbol>& symbols) {
    std::vector<std::string> names;
    for (const TSymbol& symbol : symbols) names.push_back(symbol.Name);
    return names;
}

TEST(HeaderDeclarations, PrototypesAndExternsCountInHeadersOnly) {
    const std::string text =
        "extern unsigned char ticks;\n"
        "void __fastcall__ cputs (const char* s);\n"
        "int (*hook)(int);\n"
        "typedef struct { int x; } point;\n"
        "int draw(int n) { cputs(\"x\"); return other(n); }\n";
    EXPECT_EQ(Names(ScanCSymbols(text)), (std::vector<std::string>{"hook", "point", "draw"}));
    const std::vector<TSymbol> declared = ScanCSymbols(text, TCScan::Declarations);
    EXPECT_EQ(Names(declared),
              (std::vector<std::string>{"ticks", "cputs", "hook", "point", "draw"}));
    EXPECT_EQ(declared[0].Kind, TSymbolKind::Variable);
    EXPECT_EQ(declared[1].Kind, TSymbolKind::Function);
    EXPECT_EQ(declared[1].Line, 2);
}

class InstalledHeaders : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!std::filesystem::is_directory(kInstalled)) GTEST_SKIP() << "cc65 is not installed";
    }
    // name -> "kind file" of every declaration read for the target.
    std::multimap<std::string, std::string> Read(const std::string& target) {
        std::multimap<std::string, std::string> found;
        for (const TSymbolLocation& location : ScanCompilerHeaders(kInstalled, target)) {
            found.emplace(location.Symbol.Name,
                          std::string(SymbolKindName(location.Symbol.Kind)) + " " +
                              std::filesystem::path(location.Path).filename().string());
        }
        return found;
    }
    static std::string Only(const std::multimap<std::string, std::string>& found,
                            const std::string& name) {
        if (found.count(name) != 1) return std::to_string(found.count(name)) + " times";
        return found.find(name)->second;
    }
};

TEST_F(InstalledHeaders, TheConsoleLibrarysOwnFunctionsMacrosAndTypes) {
    const auto found = Read("pce");
    EXPECT_EQ(Only(found, "cputs"), "function conio.h");
    EXPECT_EQ(Only(found, "joy_read"), "function joystick.h");
    // Declared by several machines' headers; only the PC Engine's is read.
    EXPECT_EQ(Only(found, "waitvsync"), "function pce.h");
    EXPECT_EQ(Only(found, "JOY_UP_MASK"), "macro pce.h");
    // Six headers declare it alike; it is offered once.
    EXPECT_EQ(Only(found, "size_t").substr(0, 8), "typedef ");
    // No include guards or other reserved names, no other machine's header.
    for (const auto& [name, where] : found) {
        EXPECT_NE(name[0], '_') << name;
        EXPECT_EQ(where.find("c64.h"), std::string::npos) << name;
        EXPECT_EQ(where.find(" _"), std::string::npos) << name;  // chip headers such as _suzy.h
    }
}

TEST_F(InstalledHeaders, EveryDefineOfAHeaderIsOffered) {
    std::ifstream file(kInstalled + "/conio.h");
    std::stringstream text;
    text << file.rdbuf();
    std::set<std::string> defines;
    const std::string content = text.str();
    const std::regex define(R"(^[ \t]*#[ \t]*define[ \t]+([A-Za-z][A-Za-z0-9_]*))",
                            std::regex::multiline);
    for (auto it = std::sregex_iterator(content.begin(), content.end(), define);
         it != std::sregex_iterator(); ++it)
        defines.insert((*it)[1]);
    ASSERT_GT(defines.size(), 3u);
    const auto found = Read("pce");
    for (const std::string& name : defines) {
        bool inConio = false;
        for (auto [it, end] = found.equal_range(name); it != end; ++it)
            inConio = inConio || it->second == "macro conio.h";
        EXPECT_TRUE(inConio) << name;
    }
}

TEST_F(InstalledHeaders, AnotherTargetReadsItsOwnMachineHeader) {
    const auto found = Read("c64");
    EXPECT_EQ(Only(found, "waitvsync"), "function cbm.h");
    EXPECT_EQ(found.count("JOY_UP_MASK"), 1u);
    EXPECT_EQ(found.find("JOY_UP_MASK")->second, "macro c64.h");
}

TEST(CompilerCommand, TargetFromTheCommandLine) {
    EXPECT_EQ(CompilerTarget("tools/pce-cc -o {image} {file}"), "pce");
    EXPECT_EQ(CompilerTarget("cl65 -t c64 -O game.c"), "c64");
    EXPECT_EQ(CompilerTarget("cl65 --target nes game.c"), "nes");
    EXPECT_EQ(CompilerTarget("cl65 --target=lynx game.c"), "lynx");
    EXPECT_EQ(CompilerTarget("cl65 -tpce game.c"), "pce");
    EXPECT_EQ(CompilerTarget(""), "pce");
}

TEST(CompilerCommand, IncludeDirectoryBesideTheCompilerOrBehindAWrapper) {
    ScratchDirectory scratch;
    scratch.Script("cc/bin/cl65");
    scratch.Write("cc/share/cc65/include/conio.h", "void cputs (const char* s);\n");
    scratch.Script("tools/pce-cc", "exec cl65 -t pce \"$@\"\n");
    ProgramSearch search;
    search.CurrentDirectory = scratch.Path();
    search.Path = {scratch / "cc/bin"};
    const std::string include = scratch / "cc/share/cc65/include";
    EXPECT_EQ(FindCompilerIncludeDirectory("cl65 -t pce -o x.pce x.c", search), include);
    EXPECT_EQ(FindCompilerIncludeDirectory(scratch / "tools/pce-cc" + " -o x.pce x.c", search),
              include);
    // A compiler found nowhere: the usual install place, when there is one.
    search.Path.clear();
    const std::string fallback = FindCompilerIncludeDirectory("vesk.exe", search);
    EXPECT_EQ(fallback, std::filesystem::is_directory(kInstalled) ? kInstalled : "");
}

}  // namespace
