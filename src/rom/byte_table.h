// Tables in source text: the C initialiser between braces or the run of assembly data lines
// (.byte/.db/.dc.b, .word/.dw/.dc.w, .dword/.dd/.dc.l) around a position, read as the bytes
// they put in memory (wider values low byte first), with the place in the text of every value.
// C values may be constant expressions using the macros defined above the table.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "rom/line_source.h"

// A value's place: 1-based line and 1-based column of its first character.
struct TValuePlace {
    int Line = 0;
    int Column = 0;
    friend bool operator==(const TValuePlace&, const TValuePlace&) = default;
};

struct TByteTable {
    bool Found = false;   // a table encloses the position
    int ElementSize = 1;  // 1 for bytes, 2 for words, 4 for 32-bit values
    std::vector<std::uint32_t> Values;
    std::vector<TValuePlace> Places;  // one per value
    int FirstLine = 0;                // the lines the table spans (1-based)
    int LastLine = 0;
    std::string Error;  // a value that could not be read, naming its line; empty when none

    // The table as memory holds it: wider values low byte first.
    std::vector<std::uint8_t> Bytes() const;
    // The table in the order its digits are written: each value's bytes high byte first.
    std::vector<std::uint8_t> BytesAsWritten() const;
    // The value that holds byte `index` of either order.
    std::size_t ValueOfByte(std::size_t index) const { return index / ElementSize; }
};

// The table around line `line` (1-based) and column `column` (1-based) of a C or assembly text,
// judged by the text itself: a brace initialiser in C, data directives in assembly.
TByteTable FindByteTable(const TLineSource& lines, int count, int line, int column);
