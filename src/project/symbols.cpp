// Kind names and the choice of scanner by file name.
#include "project/symbols.h"

namespace {

std::string Extension(std::string_view fileName) {
    const std::size_t slash = fileName.rfind('/');
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return {};
    std::string extension(fileName.substr(dot + 1));
    for (char& c : extension) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return extension;
}

}  // namespace

std::string_view SymbolKindName(TSymbolKind kind) {
    switch (kind) {
        case TSymbolKind::Function:
            return "function";
        case TSymbolKind::Variable:
            return "variable";
        case TSymbolKind::Macro:
            return "macro";
        case TSymbolKind::Struct:
            return "struct";
        case TSymbolKind::Union:
            return "union";
        case TSymbolKind::Enum:
            return "enum";
        case TSymbolKind::Typedef:
            return "typedef";
        case TSymbolKind::EnumConstant:
            return "enum constant";
        case TSymbolKind::Label:
            return "label";
        case TSymbolKind::LocalLabel:
            return "local label";
        case TSymbolKind::Constant:
            return "constant";
    }
    return "symbol";
}

std::vector<TSymbol> ScanSymbols(std::string_view fileName, std::string_view text) {
    const std::string extension = Extension(fileName);
    if (extension == "c" || extension == "h") return ScanCSymbols(text);
    if (extension == "asm" || extension == "s" || extension == "inc" || extension == "a65" ||
        extension == "mac")
        return ScanAsmSymbols(text);
    return {};
}
