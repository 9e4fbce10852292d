// Assembly highlighting throughput: every line of a generated 100 MB assembly text is scanned
// the way the editor does it, through the highlighter interface.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "highlight/syn_asm_syn.h"
#include "highlight_all_lines.h"

namespace {

// Assembly source as people write it: labels, indented instructions with operands of every
// addressing mode, directives with data, comments after statements and on lines of their own.
std::string GenerateAssembly(std::size_t bytes) {
    static const char* const kMnemonics[] = {"lda", "sta", "ldx", "stx", "ldy", "sty", "adc",
                                             "sbc", "and", "ora", "eor", "cmp", "inc", "dec",
                                             "bne", "beq", "jsr", "jmp", "rts", "tam", "tma",
                                             "st0", "st1", "st2", "tii", "cla", "sxy", "bsr"};
    static const char* const kOperands[] = {"#$01",
                                            "#%10100101",
                                            "VDC_REG",
                                            "(zp_ptr),y",
                                            "table,x",
                                            "$2000",
                                            "#LOW(sprite_data)",
                                            "counter+1",
                                            ".loop",
                                            "$2000, $2001, $1FFF",
                                            "#'A'",
                                            "#42"};
    static const char* const kDirectives[] = {".db $00, $10, $20, $30",
                                              ".dw reset, vblank",
                                              ".org $E000",
                                              ".include \"defs.inc\"",
                                              ".ds 16",
                                              "PORT equ $0402"};
    std::mt19937 random(7);
    std::string text;
    text.reserve(bytes + 128);
    int label = 0;
    while (text.size() < bytes) {
        switch (random() % 10) {
            case 0:
                text += "label_" + std::to_string(label++) + ":\n";
                break;
            case 1:
                text += "; ---- section " + std::to_string(label) + " ----------------\n";
                break;
            case 2:
                text += "        ";
                text += kDirectives[random() % std::size(kDirectives)];
                text += '\n';
                break;
            default:
                text += "        ";
                text += kMnemonics[random() % std::size(kMnemonics)];
                text += ' ';
                text += kOperands[random() % std::size(kOperands)];
                if (random() % 3 == 0) text += "          ; keep it moving";
                text += '\n';
                break;
        }
    }
    return text;
}

struct AsmLines {
    std::string text;
    std::vector<std::string_view> lines;
};

const AsmLines& Input() {
    static const AsmLines data = [] {
        AsmLines result;
        result.text = GenerateAssembly(100'000'000);
        std::string_view rest = result.text;
        while (!rest.empty()) {
            const std::size_t end = rest.find('\n');
            result.lines.push_back(rest.substr(0, end));
            rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        }
        return result;
    }();
    return data;
}

void BM_AsmHighlightAllLines(benchmark::State& state) {
    const AsmLines& input = Input();
    TSynAsmSyn asmSyn;  // driven through the highlighter interface, as the editor does
    HighlightAllLines(state, asmSyn, input.lines, input.text.size());
}
BENCHMARK(BM_AsmHighlightAllLines)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
