// Constant expressions as C tables hold them: integer literals, parentheses, unary - ~ +, binary
// * / % + - << >> & ^ | (C's precedence), and names of macros expanded with their arguments;
// computed in 64 bits.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "rom/c_macros.h"

struct TConstant {
    bool Ok = false;
    std::int64_t Value = 0;
    std::string Error;  // why there is no value, e.g. `unknown name "TILE_Q"`
};

// A number literal: in C 0x.., 0b.. and decimal with u/l suffixes (a leading 0 is no octal
// mark); in assembly $.., %.., 0x.., ..h and decimal. False for anything else and for values
// beyond 64 bits.
bool ParseNumberLiteral(std::string_view token, bool assembly, std::uint64_t& value);

// Values of texts with the macros of one table, which must outlive it. Macros expand to a bounded
// depth and size; a macro that reaches itself, a division by zero, a shift beyond 63 and a name
// that is no macro are refused. Bodies of macros are read once for all the texts.
class TConstantEvaluator {
  public:
    explicit TConstantEvaluator(const TMacroTable& macros);
    ~TConstantEvaluator();
    TConstantEvaluator(const TConstantEvaluator&) = delete;
    TConstantEvaluator& operator=(const TConstantEvaluator&) = delete;

    TConstant Evaluate(std::string_view text);

  private:
    struct TState;
    std::unique_ptr<TState> m_state;
};

// The value of one text.
TConstant EvaluateConstant(std::string_view text, const TMacroTable& macros);
