// The words the assembly highlighter knows: the HuC6280 instruction set (the 6502 and 65C02
// mnemonics and the HuC6280's own) and the common assembler keywords that work as directives
// without a leading dot. Both are matched without regard to case.
#pragma once

#include <cstdint>
#include <string_view>

enum class TAsmWord : std::uint8_t { None, Mnemonic, Directive };

TAsmWord ClassifyAsmWord(std::string_view word);
