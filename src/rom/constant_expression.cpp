// Tokens, macro expansion and precedence climbing for constant expressions.
#include "rom/constant_expression.h"

#include <algorithm>
#include <cctype>
#include <deque>
#include <limits>
#include <span>
#include <unordered_map>
#include <vector>

namespace {

constexpr int kMaxExpansionDepth = 32;
constexpr std::size_t kMaxTokens = 4096;
constexpr int kMaxNesting = 256;  // parentheses and unary operators inside each other

enum class TTokenKind { Number, Name, Operator };

struct TToken {
    TTokenKind Kind;
    std::string_view Text;
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

bool IsNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

std::string Quoted(std::string_view text) {
    // Appended piece by piece: "\"" + std::string(...) trips a false -Wrestrict of GCC 12.
    std::string quoted(1, '"');
    quoted.append(text.substr(0, 40));
    quoted += '"';
    return quoted;
}

// Splits the text into tokens; false with the error for a character no expression holds.
bool Tokenise(std::string_view text, std::vector<TToken>& tokens, std::string& error) {
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (IsBlank(c)) {
            ++i;
            continue;
        }
        const std::size_t start = i;
        if (std::isdigit(static_cast<unsigned char>(c))) {
            // Digits, letters and the suffixes of a number: its validity is judged as a whole.
            while (i < text.size() && IsNameChar(text[i])) ++i;
            tokens.push_back({TTokenKind::Number, text.substr(start, i - start)});
        } else if (IsNameChar(c)) {
            while (i < text.size() && IsNameChar(text[i])) ++i;
            tokens.push_back({TTokenKind::Name, text.substr(start, i - start)});
        } else if ((c == '<' || c == '>') && i + 1 < text.size() && text[i + 1] == c) {
            i += 2;
            tokens.push_back({TTokenKind::Operator, text.substr(start, 2)});
        } else if (std::string_view("()+-*/%&^|~,").find(c) != std::string_view::npos) {
            ++i;
            tokens.push_back({TTokenKind::Operator, text.substr(start, 1)});
        } else {
            error = "unexpected " + Quoted(text.substr(start, 1));
            return false;
        }
    }
    return true;
}

bool Is(const TToken& token, std::string_view text) {
    return token.Kind == TTokenKind::Operator && token.Text == text;
}

// A macro's body as tokens, read once per evaluator; Parameter[i] is the parameter token i stands
// for, or -1.
struct TBody {
    std::string Error;
    std::vector<TToken> Tokens;
    std::vector<int> Parameter;
};

// Replaces macro names by their bodies, arguments substituted, until no macro is left. Bodies
// and working lists are kept from one expression to the next: a table of thousands of macro
// uses allocates little.
class TExpander {
  public:
    explicit TExpander(const TMacroTable& macros) : m_macros(macros) {}

    bool Expand(std::span<const TToken> in, std::vector<TToken>& out, int depth) {
        if (depth > kMaxExpansionDepth)
            return Fail("macros nested more than " + std::to_string(kMaxExpansionDepth) + " deep");
        for (std::size_t i = 0; i < in.size(); ++i) {
            const TToken& token = in[i];
            const auto found =
                token.Kind == TTokenKind::Name ? m_macros.find(token.Text) : m_macros.end();
            if (found == m_macros.end()) {
                out.push_back(token);
            } else if (!found->second.FunctionLike) {
                if (!ExpandBody(found->first, found->second, m_arguments.size(), out, depth))
                    return false;
            } else if (i + 1 >= in.size() || !Is(in[i + 1], "(")) {
                out.push_back(token);  // a function-like macro's name without arguments
            } else {
                const std::size_t base = m_arguments.size();
                const bool expanded = Arguments(in, i + 2, found->first, i) &&
                                      ExpandBody(found->first, found->second, base, out, depth);
                m_arguments.resize(base);
                if (!expanded) return false;
            }
            if (out.size() > kMaxTokens) return TooMany();
        }
        return true;
    }

    // Ready for the next expression; the bodies read so far are kept.
    void Reset() {
        m_active.clear();
        m_arguments.clear();
        m_listsInUse = 0;
        m_values.clear();
        m_error.clear();
    }

    const std::string& Error() const { return m_error; }

  private:
    bool Fail(std::string error) {
        m_error = std::move(error);
        return false;
    }

    bool TooMany() {
        return Fail("expands to more than " + std::to_string(kMaxTokens) + " tokens");
    }

    // The arguments between the parenthesis before `from` and its partner, pushed onto
    // m_arguments; `end` becomes the partner's index.
    bool Arguments(std::span<const TToken> in, std::size_t from, std::string_view name,
                   std::size_t& end) {
        int depth = 0;
        std::size_t start = from;
        for (std::size_t j = from; j < in.size(); ++j) {
            if (Is(in[j], "(")) ++depth;
            if (Is(in[j], ")") && depth-- == 0) {
                m_arguments.push_back(in.subspan(start, j - start));
                end = j;
                return true;
            }
            if (Is(in[j], ",") && depth == 0) {
                m_arguments.push_back(in.subspan(start, j - start));
                start = j + 1;
            }
        }
        return Fail("macro " + Quoted(name) + " misses its closing parenthesis");
    }

    const TBody& BodyOf(const TMacro& macro) {
        const auto known = m_bodies.find(&macro);
        if (known != m_bodies.end()) return known->second;
        TBody& body = m_bodies[&macro];
        if (Tokenise(macro.Body, body.Tokens, body.Error)) {
            for (const TToken& token : body.Tokens) {
                const auto parameter =
                    token.Kind == TTokenKind::Name
                        ? std::find(macro.Parameters.begin(), macro.Parameters.end(), token.Text)
                        : macro.Parameters.end();
                body.Parameter.push_back(
                    parameter == macro.Parameters.end()
                        ? -1
                        : static_cast<int>(parameter - macro.Parameters.begin()));
            }
        }
        return body;
    }

    // An empty working list that stays put while further ones are taken; lists are given back
    // in the opposite order, by the count taken before.
    std::vector<TToken>& TakeList() {
        if (m_listsInUse == m_lists.size()) m_lists.emplace_back();
        std::vector<TToken>& list = m_lists[m_listsInUse++];
        list.clear();
        return list;
    }

    // The macro's body with the arguments m_arguments[base...] in place of its parameters.
    bool ExpandBody(std::string_view name, const TMacro& macro, std::size_t base,
                    std::vector<TToken>& out, int depth) {
        if (std::find(m_active.begin(), m_active.end(), name) != m_active.end())
            return Fail("macro " + Quoted(name) + " refers to itself");
        std::size_t count = m_arguments.size() - base;
        if (macro.FunctionLike && macro.Parameters.empty() && count == 1 &&
            m_arguments[base].empty())
            count = 0;
        if (count != macro.Parameters.size())
            return Fail("macro " + Quoted(name) + " takes " +
                        std::to_string(macro.Parameters.size()) + " argument(s), not " +
                        std::to_string(count));
        const TBody& body = BodyOf(macro);
        if (!body.Error.empty()) return Fail("in macro " + Quoted(name) + ": " + body.Error);
        if (count == 0) return ExpandClosed(name, body.Tokens, out, depth);
        // Arguments are expanded where they stand, before the macro's own name is closed.
        const std::size_t listsBefore = m_listsInUse;
        const std::size_t values = m_values.size();
        bool expanded = true;
        for (std::size_t k = 0; k < count && expanded; ++k) {
            std::vector<TToken>& value = TakeList();
            m_values.push_back(&value);
            expanded = Expand(m_arguments[base + k], value, depth + 1);
        }
        std::vector<TToken>& substituted = TakeList();
        for (std::size_t t = 0; t < body.Tokens.size() && expanded; ++t) {
            if (body.Parameter[t] < 0) {
                substituted.push_back(body.Tokens[t]);
            } else {
                const auto& value = *m_values[values + static_cast<std::size_t>(body.Parameter[t])];
                substituted.insert(substituted.end(), value.begin(), value.end());
            }
            if (substituted.size() > kMaxTokens) expanded = TooMany();
        }
        if (expanded) expanded = ExpandClosed(name, substituted, out, depth);
        m_listsInUse = listsBefore;
        m_values.resize(values);
        return expanded;
    }

    // Expands the replacement of macro `name` with that name closed: it may not reach itself.
    bool ExpandClosed(std::string_view name, std::span<const TToken> replacement,
                      std::vector<TToken>& out, int depth) {
        m_active.push_back(name);
        const bool expanded = Expand(replacement, out, depth + 1);
        m_active.pop_back();
        return expanded;
    }

    const TMacroTable& m_macros;
    std::vector<std::string_view> m_active;            // the macros being expanded, outermost first
    std::vector<std::span<const TToken>> m_arguments;  // of the calls being expanded
    std::unordered_map<const TMacro*, TBody> m_bodies;
    std::deque<std::vector<TToken>> m_lists;  // a deque: taking one keeps the others in place
    std::size_t m_listsInUse = 0;
    std::vector<std::vector<TToken>*> m_values;  // the expanded arguments of the calls
    std::string m_error;
};

// Precedence climbing over the expanded tokens; arithmetic wraps as unsigned 64-bit numbers do,
// division and right shifts keep the sign.
class TParser {
  public:
    explicit TParser(const std::vector<TToken>& tokens) : m_tokens(tokens) {}

    bool Whole(std::int64_t& value) {
        if (!Binary(1, value)) return false;
        if (m_next < m_tokens.size()) return Fail("unexpected " + Quoted(m_tokens[m_next].Text));
        return true;
    }

    const std::string& Error() const { return m_error; }

  private:
    static int Precedence(const TToken& token) {
        if (token.Kind != TTokenKind::Operator) return 0;
        const std::string_view op = token.Text;
        if (op == "|") return 1;
        if (op == "^") return 2;
        if (op == "&") return 3;
        if (op == "<<" || op == ">>") return 4;
        if (op == "+" || op == "-") return 5;
        if (op == "*" || op == "/" || op == "%") return 6;
        return 0;
    }

    bool Fail(std::string error) {
        m_error = std::move(error);
        return false;
    }

    bool Binary(int minimum, std::int64_t& value) {
        if (!Unary(value)) return false;
        while (m_next < m_tokens.size()) {
            const TToken& op = m_tokens[m_next];
            const int precedence = Precedence(op);
            if (precedence == 0 || precedence < minimum) break;
            ++m_next;
            std::int64_t right = 0;
            if (!Binary(precedence + 1, right)) return false;
            if (!Apply(op.Text, value, right)) return false;
        }
        return true;
    }

    bool Apply(std::string_view op, std::int64_t& left, std::int64_t right) {
        const auto a = static_cast<std::uint64_t>(left);
        const auto b = static_cast<std::uint64_t>(right);
        std::uint64_t result = 0;
        if (op == "+") {
            result = a + b;
        } else if (op == "-") {
            result = a - b;
        } else if (op == "*") {
            result = a * b;
        } else if (op == "&") {
            result = a & b;
        } else if (op == "^") {
            result = a ^ b;
        } else if (op == "|") {
            result = a | b;
        } else if (op == "/" || op == "%") {
            if (right == 0) return Fail("division by zero");
            if (left == std::numeric_limits<std::int64_t>::min() && right == -1)
                result = op == "/" ? a : 0;
            else
                result = static_cast<std::uint64_t>(op == "/" ? left / right : left % right);
        } else {
            if (right < 0 || right > 63) return Fail("shift by " + std::to_string(right));
            result = op == "<<" ? a << right : static_cast<std::uint64_t>(left >> right);
        }
        left = static_cast<std::int64_t>(result);
        return true;
    }

    bool Unary(std::int64_t& value) {
        if (m_next >= m_tokens.size()) return Fail("a value is missing at the end");
        if (++m_nesting > kMaxNesting) return Fail("nested too deeply");
        const bool ok = UnaryInside(value);
        --m_nesting;
        return ok;
    }

    bool UnaryInside(std::int64_t& value) {
        const TToken& token = m_tokens[m_next++];
        switch (token.Kind) {
            case TTokenKind::Number: {
                std::uint64_t number = 0;
                if (!ParseNumberLiteral(token.Text, false, number))
                    return Fail(Quoted(token.Text) + " is no number");
                value = static_cast<std::int64_t>(number);
                return true;
            }
            case TTokenKind::Name:
                return Fail("unknown name " + Quoted(token.Text));
            case TTokenKind::Operator:
                break;
        }
        if (token.Text == "(") {
            if (!Binary(1, value)) return false;
            if (m_next >= m_tokens.size() || !Is(m_tokens[m_next], ")"))
                return Fail("a \")\" is missing");
            ++m_next;
            return true;
        }
        if (token.Text == "-" || token.Text == "+" || token.Text == "~") {
            if (!Unary(value)) return false;
            const auto bits = static_cast<std::uint64_t>(value);
            if (token.Text == "-") value = static_cast<std::int64_t>(0 - bits);
            if (token.Text == "~") value = static_cast<std::int64_t>(~bits);
            return true;
        }
        return Fail("unexpected " + Quoted(token.Text));
    }

    const std::vector<TToken>& m_tokens;
    std::size_t m_next = 0;
    int m_nesting = 0;
    std::string m_error;
};

}  // namespace

bool ParseNumberLiteral(std::string_view token, bool assembly, std::uint64_t& value) {
    if (token.empty()) return false;
    if (!assembly) {
        while (!token.empty() && (token.back() == 'u' || token.back() == 'U' ||
                                  token.back() == 'l' || token.back() == 'L'))
            token.remove_suffix(1);
    }
    unsigned base = 10;
    if (token.size() > 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X')) {
        base = 16;
        token.remove_prefix(2);
    } else if (token.size() > 2 && token[0] == '0' && (token[1] == 'b' || token[1] == 'B')) {
        base = 2;
        token.remove_prefix(2);
    } else if (assembly && token.size() > 1 && token[0] == '$') {
        base = 16;
        token.remove_prefix(1);
    } else if (assembly && token.size() > 1 && token[0] == '%') {
        base = 2;
        token.remove_prefix(1);
    } else if (assembly && token.size() > 1 && (token.back() == 'h' || token.back() == 'H') &&
               std::isdigit(static_cast<unsigned char>(token[0]))) {
        base = 16;
        token.remove_suffix(1);
    }
    if (token.empty()) return false;
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
    // Beyond the limit a further digit overflows (constant divisions: no division per number).
    const std::uint64_t limit = base == 16 ? kMax / 16 : base == 2 ? kMax / 2 : kMax / 10;
    std::uint64_t result = 0;
    for (char c : token) {
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (c >= 'a' && c <= 'f')
            digit = static_cast<unsigned>(c - 'a') + 10;
        else if (c >= 'A' && c <= 'F')
            digit = static_cast<unsigned>(c - 'A') + 10;
        else
            return false;
        if (digit >= base) return false;
        if (result > limit || result * base > kMax - digit) return false;
        result = result * base + digit;
    }
    value = result;
    return true;
}

struct TConstantEvaluator::TState {
    explicit TState(const TMacroTable& macros) : Expander(macros) {}
    TExpander Expander;
    std::vector<TToken> Tokens;
    std::vector<TToken> Expanded;
};

TConstantEvaluator::TConstantEvaluator(const TMacroTable& macros)
    : m_state(std::make_unique<TState>(macros)) {}

TConstantEvaluator::~TConstantEvaluator() = default;

TConstant TConstantEvaluator::Evaluate(std::string_view text) {
    TConstant constant;
    TState& state = *m_state;
    state.Tokens.clear();
    state.Expanded.clear();
    state.Expander.Reset();
    if (!Tokenise(text, state.Tokens, constant.Error)) return constant;
    if (!state.Expander.Expand(state.Tokens, state.Expanded, 0)) {
        constant.Error = state.Expander.Error();
        return constant;
    }
    if (state.Expanded.empty()) {
        constant.Error = "no value";
        return constant;
    }
    TParser parser(state.Expanded);
    constant.Ok = parser.Whole(constant.Value);
    if (!constant.Ok) constant.Error = parser.Error();
    return constant;
}

TConstant EvaluateConstant(std::string_view text, const TMacroTable& macros) {
    return TConstantEvaluator(macros).Evaluate(text);
}
