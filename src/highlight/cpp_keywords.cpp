// Keyword list and hash table of the C/C++ highlighter.
#include "highlight/cpp_keywords.h"

#include <stdexcept>

namespace {

constexpr std::string_view kKeywords[] = {
    "__asm",       "__automated",  "__cdecl",    "__classid",   "__closure",
    "__declspec",  "__dispid",     "__except",   "__export",    "__fastcall",
    "__finally",   "__import",     "__int16",    "__int32",     "__int64",
    "__int8",      "__pascal",     "__property", "__published", "__rtti",
    "__stdcall",   "__thread",     "__try",      "_asm",        "_cdecl",
    "_export",     "_fastcall",    "_import",    "_pascal",     "_stdcall",
    "asm",         "auto",         "bool",       "break",       "case",
    "catch",       "cdecl",        "char",       "class",       "const",
    "const_cast",  "continue",     "default",    "delete",      "do",
    "double",      "dynamic_cast", "else",       "enum",        "explicit",
    "extern",      "false",        "float",      "for",         "friend",
    "goto",        "if",           "inline",     "int",         "long",
    "mutable",     "namespace",    "new",        "operator",    "pascal",
    "private",     "protected",    "public",     "register",    "reinterpret_cast",
    "return",      "short",        "signed",     "sizeof",      "static",
    "static_cast", "struct",       "switch",     "template",    "this",
    "throw",       "true",         "try",        "typedef",     "typeid",
    "typename",    "union",        "unsigned",   "using",       "virtual",
    "void",        "volatile",     "wchar_t",    "while"};

}  // namespace

bool IsCppIdentChar(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || c == '_' || (c >= 'a' && c <= 'z');
}

int CppKeywordCharHash(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return c - 64;
    if (c >= 'a' && c <= 'z') return c - 95;
    return 0;
}

std::span<const std::string_view> CppKeywords() {
    return kKeywords;
}

TCppKeywordTable::TCppKeywordTable() {
    for (std::string_view keyword : kKeywords) {
        std::size_t hash = 0;
        for (char c : keyword) hash += static_cast<std::size_t>(CppKeywordCharHash(c));
        Bucket& bucket = m_buckets.at(hash);
        if (bucket.count == kMaxBucket) throw std::logic_error("keyword bucket overflow");
        bucket.keywords[bucket.count++] = keyword;
    }
}

const TCppKeywordTable& TCppKeywordTable::Instance() {
    static const TCppKeywordTable table;
    return table;
}
