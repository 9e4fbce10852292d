// A small open-addressing table keyed by the word's letters packed into 64 bits.
#include "highlight/asm_keywords.h"

#include <array>
#include <cstddef>

namespace {

constexpr std::string_view kMnemonics[] = {
    // 6502
    "adc", "and", "asl", "bcc", "bcs", "beq", "bit", "bmi", "bne", "bpl", "brk", "bvc", "bvs",
    "clc", "cld", "cli", "clv", "cmp", "cpx", "cpy", "dec", "dex", "dey", "eor", "inc", "inx",
    "iny", "jmp", "jsr", "lda", "ldx", "ldy", "lsr", "nop", "ora", "pha", "php", "pla", "plp",
    "rol", "ror", "rti", "rts", "sbc", "sec", "sed", "sei", "sta", "stx", "sty", "tax", "tay",
    "tsx", "txa", "txs", "tya",
    // 65C02, with the bit instructions the HuC6280 has as well
    "bra", "phx", "phy", "plx", "ply", "stz", "trb", "tsb", "bbr0", "bbr1", "bbr2", "bbr3", "bbr4",
    "bbr5", "bbr6", "bbr7", "bbs0", "bbs1", "bbs2", "bbs3", "bbs4", "bbs5", "bbs6", "bbs7", "rmb0",
    "rmb1", "rmb2", "rmb3", "rmb4", "rmb5", "rmb6", "rmb7", "smb0", "smb1", "smb2", "smb3", "smb4",
    "smb5", "smb6", "smb7",
    // HuC6280: block transfers, memory mapping, video ports, speed, swaps, clears and the rest
    "tii", "tdd", "tin", "tia", "tai", "tam", "tma", "tam0", "tam1", "tam2", "tam3", "tam4", "tam5",
    "tam6", "tam7", "tma0", "tma1", "tma2", "tma3", "tma4", "tma5", "tma6", "tma7", "st0", "st1",
    "st2", "csh", "csl", "sxy", "sax", "say", "cla", "clx", "cly", "bsr", "set", "tst"};

constexpr std::string_view kDirectives[] = {
    "equ",     "org",    "db",      "dw",     "dd",     "ds",     "dc",    "byte",  "word",
    "include", "incbin", "incchr",  "incpal", "incbat", "incspr", "macro", "endm",  "endmacro",
    "if",      "ifdef",  "ifndef",  "else",   "endif",  "end",    "rs",    "rsset", "bank",
    "page",    "zp",     "bss",     "code",   "data",   "proc",   "endp",  "align", "list",
    "nolist",  "mlist",  "nomlist", "fail",   "opt"};

constexpr std::size_t kTableSize = 512;  // a power of two, more than twice the word count
constexpr int kMaxPacked = 8;

// Lower-case letters packed into a number; every keyword is letters and digits, for which
// setting bit 5 folds the case and leaves digits as they are.
constexpr std::uint64_t Pack(std::string_view word) {
    std::uint64_t key = 0;
    for (std::size_t i = 0; i < word.size(); ++i) {
        key |= static_cast<std::uint64_t>(static_cast<unsigned char>(word[i]) | 0x20) << (8 * i);
    }
    return key;
}

constexpr std::size_t Slot(std::uint64_t key) {
    return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> 55) & (kTableSize - 1);
}

struct Entry {
    std::uint64_t key = 0;
    TAsmWord word = TAsmWord::None;
};

struct Table {
    std::array<Entry, kTableSize> entries{};
    constexpr void Add(std::string_view word, TAsmWord kind) {
        const std::uint64_t key = Pack(word);
        std::size_t slot = Slot(key);
        while (entries[slot].key != 0) slot = (slot + 1) & (kTableSize - 1);
        entries[slot] = Entry{key, kind};
    }
};

constexpr Table MakeTable() {
    Table table;
    for (std::string_view word : kMnemonics) table.Add(word, TAsmWord::Mnemonic);
    for (std::string_view word : kDirectives) table.Add(word, TAsmWord::Directive);
    return table;
}

constexpr Table kTable = MakeTable();

}  // namespace

TAsmWord ClassifyAsmWord(std::string_view word) {
    if (word.empty() || word.size() > kMaxPacked) return TAsmWord::None;
    const std::uint64_t key = Pack(word);
    for (std::size_t slot = Slot(key);; slot = (slot + 1) & (kTableSize - 1)) {
        const Entry& entry = kTable.entries[slot];
        if (entry.key == key) return entry.word;
        if (entry.key == 0) return TAsmWord::None;
    }
}
