// Definitions found in source files: what kind of name, where it is defined, and for assembly
// local labels the label they belong to.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class TSymbolKind : std::uint8_t {
    Function,
    Variable,
    Macro,  // a C #define or an assembler macro
    Struct,
    Union,
    Enum,
    Typedef,
    EnumConstant,
    Label,
    LocalLabel,
    Constant,  // an assembler "name = value" and its kin
};

// "function", "variable", "enum constant", ... as the symbol lists show it.
std::string_view SymbolKindName(TSymbolKind kind);

struct TSymbol {
    std::string Name;
    TSymbolKind Kind = TSymbolKind::Label;
    int Line = 0;    // from 1
    int Column = 0;  // from 1
    // The label a local label belongs to; empty otherwise.
    std::string Scope;
};

// What a C scan takes: the definitions of a source, or everything a header makes known, where
// function prototypes and extern declarations count as well.
enum class TCScan : std::uint8_t { Definitions, Declarations };

// The definitions (or declarations) of a C source or header, in text order.
std::vector<TSymbol> ScanCSymbols(std::string_view text, TCScan scan = TCScan::Definitions);
// The definitions of an assembly source or include file, in text order.
std::vector<TSymbol> ScanAsmSymbols(std::string_view text);
// By the file's extension: .c and .h are C, .asm, .s, .inc (and .a65, .mac) assembly; others
// give nothing.
std::vector<TSymbol> ScanSymbols(std::string_view fileName, std::string_view text);
