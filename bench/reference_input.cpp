// Generator of the benchmarks' reference input. The text looks like console game source so that
// searching, highlighting and replacing meet realistic token mixes: about one line in five calls
// put_string, which gives the 100 MB file roughly 500,000 occurrences for the replace benchmarks.
#include "reference_input.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string_view>
#include <system_error>

#include <unistd.h>

namespace {

// Small, fast generator with a fixed algorithm, so the text is the same on every platform.
class Random {
  public:
    explicit Random(std::uint64_t seed)
        : m_state(seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull) {}

    std::uint64_t Next() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, n).
    unsigned Below(unsigned n) { return static_cast<unsigned>(((Next() >> 32) * n) >> 32); }
    template <std::size_t N>
    std::string_view Pick(const std::string_view (&items)[N]) {
        return items[Below(N)];
    }

  private:
    std::uint64_t m_state;
};

constexpr std::string_view kTypes[] = {"int",        "char",       "unsigned char", "unsigned int",
                                       "static int", "const char", "long"};
constexpr std::string_view kNames[] = {
    "x",         "y",        "i",          "j",      "score",       "lives",
    "frame",     "tile_id",  "palette",    "joypad", "level",       "sprite_no",
    "scroll_x",  "scroll_y", "hero_speed", "timer",  "enemy_count", "bank",
    "vram_addr", "offset",   "hero_x",     "hero_y", "enemy_x",     "enemy_y"};
// Library calls other than put_string, which has its own line kind with a fixed share.
constexpr std::string_view kCalls[] = {
    "put_number",  "vsync",       "set_color", "load_vram",      "spr_set",
    "disp_on",     "disp_off",    "cls",       "spr_x",          "spr_y",
    "spr_pattern", "satb_update", "joy",       "set_font_color", "load_palette",
    "put_char",    "random",      "spr_ctrl"};
constexpr std::string_view kOperators[] = {"+", "-", "*", "&", "|", "<<", ">>", "^", "/", "%"};
constexpr std::string_view kCompare[] = {"<", ">", "==", "!=", "<=", ">="};
constexpr std::string_view kWords[] = {"draw", "the",     "title", "screen", "wait",   "for",
                                       "next", "frame",   "load",  "tiles",  "update", "sprite",
                                       "hero", "palette", "reset", "score",  "bank",   "map"};
constexpr std::string_view kTexts[] = {
    "HELLO WORLD", "GAME OVER", "PRESS RUN BUTTON", "SCORE:",      "LEVEL",     "PAUSE",
    "1UP",         "HI-SCORE",  "GET READY!",       "STAGE CLEAR", "CONTINUE?", "INSERT COIN"};
constexpr char kHex[] = "0123456789ABCDEF";

class LineWriter {
  public:
    LineWriter(std::string& out, Random& random) : m_out(out), m_random(random) {}

    void Line() {
        unsigned kind = m_random.Below(100);
        if (kind < 3) {  // empty line
        } else if (kind < 24) {
            Indent();
            PutString();
            TrailingComment(2);
        } else if (kind < 40) {
            Indent();
            Call();
            TrailingComment(2);
        } else if (kind < 56) {
            Indent(1);
            HexRow();
        } else if (kind < 63) {
            Indent();
            Comment();
        } else if (kind < 71) {
            Indent();
            Declaration();
        } else if (kind < 88) {
            Indent();
            Assignment();
            TrailingComment(2);
        } else if (kind < 96) {
            Indent();
            Control();
        } else {
            Indent();
            m_out += m_random.Below(4) == 0 ? "return 0;" : "}";
        }
        m_out += '\n';
    }

  private:
    void Indent(unsigned minLevel = 0) {
        unsigned level = minLevel + m_random.Below(4 - minLevel);
        m_out.append(level * 4, ' ');
    }
    // A short comment after the statement on one line in `oneIn`.
    void TrailingComment(unsigned oneIn) {
        if (m_random.Below(oneIn) != 0) return;
        m_out += " //";
        unsigned words = 2 + m_random.Below(4);
        for (unsigned w = 0; w < words; ++w) {
            m_out += ' ';
            m_out += m_random.Pick(kWords);
        }
    }
    void Number() {
        if (m_random.Below(3) == 0) {
            Hex();
        } else {
            unsigned n = m_random.Below(m_random.Below(2) ? 10 : 320);
            char buffer[8];
            int length = std::snprintf(buffer, sizeof buffer, "%u", n);
            m_out.append(buffer, static_cast<std::size_t>(length));
        }
    }
    void Hex() {
        char buffer[4] = {'0', 'x', kHex[m_random.Below(16)], kHex[m_random.Below(16)]};
        m_out.append(buffer, 4);
    }
    void Operand() {
        if (m_random.Below(2))
            m_out += m_random.Pick(kNames);
        else
            Number();
    }
    void PutString() {
        m_out += "put_string(\"";
        m_out += m_random.Pick(kTexts);
        m_out += "\", ";
        Number();
        m_out += ", ";
        Number();
        m_out += ");";
    }
    void Call() {
        m_out += m_random.Pick(kCalls);
        m_out += '(';
        unsigned arguments = 1 + m_random.Below(4);
        for (unsigned a = 0; a < arguments; ++a) {
            if (a) m_out += ", ";
            Operand();
        }
        m_out += ");";
    }
    void HexRow() {
        // Tables are mostly full rows of seven values; the last row of a table is shorter.
        unsigned values = m_random.Below(4) ? 7 : 1 + m_random.Below(7);
        for (unsigned v = 0; v < values; ++v) {
            if (v) m_out += ' ';
            Hex();
            m_out += ',';
        }
    }
    void Comment() {
        bool block = m_random.Below(4) == 0;
        m_out += block ? "/* " : "// ";
        unsigned words = 3 + m_random.Below(5);
        for (unsigned w = 0; w < words; ++w) {
            if (w) m_out += ' ';
            m_out += m_random.Pick(kWords);
        }
        if (block) m_out += " */";
    }
    void Declaration() {
        m_out += m_random.Pick(kTypes);
        m_out += ' ';
        m_out += m_random.Pick(kNames);
        if (m_random.Below(4) == 0) {
            m_out += "[] = {";
        } else {
            m_out += " = ";
            Number();
            m_out += ';';
        }
    }
    void Assignment() {
        m_out += m_random.Pick(kNames);
        m_out += " = ";
        Operand();
        unsigned terms = 1 + m_random.Below(3);
        for (unsigned t = 0; t < terms; ++t) {
            m_out += ' ';
            m_out += m_random.Pick(kOperators);
            m_out += ' ';
            Operand();
        }
        m_out += ';';
    }
    void Control() {
        switch (m_random.Below(4)) {
            case 0:
                m_out += "if (";
                break;
            case 1:
                m_out += "while (";
                break;
            case 2:
                m_out += "for (i = 0; i < 16; i++) {";
                return;
            default:
                m_out += "} else if (";
                break;
        }
        m_out += m_random.Pick(kNames);
        m_out += ' ';
        m_out += m_random.Pick(kCompare);
        m_out += ' ';
        Operand();
        m_out += ") {";
    }

    std::string& m_out;
    Random& m_random;
};

}  // namespace

std::string GenerateReferenceText(std::size_t bytes, unsigned seed) {
    std::string text;
    // A line is at most about 90 characters, so the loop never reallocates.
    text.reserve(bytes + 128);
    Random random(seed);
    LineWriter writer(text, random);
    while (text.size() < bytes) writer.Line();
    text.resize(bytes);
    if (bytes > 0) text.back() = '\n';
    return text;
}

std::string ReferenceFilePath(std::size_t bytes) {
    namespace fs = std::filesystem;
    const char* tmp = std::getenv("TMPDIR");
    fs::path dir = (tmp && *tmp) ? fs::path(tmp) : fs::temp_directory_path();
    // The version in the name keeps a file of an older generator from being reused.
    fs::path path = dir / ("quillon-reference-v1-" + std::to_string(bytes) + ".txt");
    std::error_code error;
    if (fs::file_size(path, error) == bytes && !error) return path.string();

    // Write beside the target and rename, so a concurrent reader never sees half a file.
    fs::path partial = path;
    partial += ".part" + std::to_string(::getpid());
    std::string text = GenerateReferenceText(bytes);
    std::FILE* file = std::fopen(partial.c_str(), "wb");
    if (!file) throw std::runtime_error("Unable to write to " + partial.string());
    bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    written = std::fclose(file) == 0 && written;
    if (!written) {
        fs::remove(partial, error);
        throw std::runtime_error("Unable to write to " + partial.string());
    }
    fs::rename(partial, path);
    return path.string();
}

namespace {

// Assembly-like text: labels, local labels, constants and instructions.
std::string GenerateAssemblyText(std::size_t bytes, unsigned seed) {
    static constexpr std::string_view kMnemonics[] = {"lda", "sta", "ldx", "stx", "inx", "dex",
                                                      "bne", "beq", "jsr", "rts", "cmp", "tam"};
    Random random(seed);
    std::string text;
    int label = 0;
    while (text.size() < bytes) {
        const unsigned pick = random.Below(20);
        if (pick == 0) {
            text += "label_" + std::to_string(seed) + "_" + std::to_string(label++) + ":\n";
        } else if (pick == 1) {
            text += ".loop   dex\n";
        } else if (pick == 2) {
            text += "CONST_" + std::to_string(seed) + "_" + std::to_string(label++) + " = $" +
                    std::to_string(random.Below(256)) + "\n";
        } else {
            text += "        ";
            text += kMnemonics[random.Below(std::size(kMnemonics))];
            text += " #$" + std::to_string(random.Below(100));
            text += random.Below(50) == 0 ? "  ; after satb_update\n" : "\n";
        }
    }
    text.resize(bytes);
    return text;
}

}  // namespace

std::string ReferenceTreePath() {
    namespace fs = std::filesystem;
    const char* tmp = std::getenv("TMPDIR");
    const fs::path dir = (tmp && *tmp) ? fs::path(tmp) : fs::temp_directory_path();
    const fs::path root = dir / "quillon-reference-tree-v2";
    const fs::path done = root / ".complete";
    if (fs::exists(done)) return root.string();
    constexpr int kFiles = 1000;
    constexpr std::size_t kFileBytes = 100'000;
    for (int i = 0; i < kFiles; ++i) {
        const fs::path folder = root / ("part" + std::to_string(i % 10));
        fs::create_directories(folder);
        const char* extension = i % 10 < 6 ? ".c" : i % 10 < 7 ? ".h" : ".asm";
        const std::string text = i % 10 < 7 ? GenerateReferenceText(kFileBytes, 100 + i)
                                            : GenerateAssemblyText(kFileBytes, 100 + i);
        const fs::path file = folder / ("file" + std::to_string(i) + extension);
        std::FILE* out = std::fopen(file.c_str(), "wb");
        if (!out) throw std::runtime_error("Unable to write to " + file.string());
        const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
        if (std::fclose(out) != 0 || !written)
            throw std::runtime_error("Unable to write to " + file.string());
    }
    std::FILE* marker = std::fopen(done.c_str(), "wb");
    if (marker) std::fclose(marker);
    return root.string();
}
