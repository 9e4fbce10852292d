// Finding and reading the C compiler's headers.
#include "project/compiler_headers.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <set>
#include <string_view>
#include <system_error>

#include "project/source_file.h"

namespace {

namespace fs = std::filesystem;

// The headers of particular machines and the targets that use each (blank-separated); a header
// of another machine declares what the target does not have.
struct TMachineHeader {
    std::string_view Header;
    std::string_view Targets;
};
constexpr std::array<TMachineHeader, 32> kMachineHeaders{{
    {"apple2", "apple2 apple2enh"},
    {"apple2enh", "apple2enh"},
    {"atari", "atari atarixl"},
    {"atari2600", "atari2600"},
    {"atari5200", "atari5200"},
    {"atari7800", "atari7800"},
    {"atmos", "atmos"},
    {"c128", "c128"},
    {"c16", "c16"},
    {"c64", "c64"},
    {"c65", "c65"},
    {"cbm", "c64 c128 c16 plus4 pet cbm510 cbm610 vic20 cx16 c65 mega65"},
    {"cbm264", "c16 plus4"},
    {"cbm510", "cbm510"},
    {"cbm610", "cbm610"},
    {"creativision", "creativision"},
    {"cx16", "cx16"},
    {"gamate", "gamate"},
    {"geos", "geos-cbm geos-apple"},
    {"lynx", "lynx"},
    {"mega65", "mega65"},
    {"nes", "nes"},
    {"osic1p", "osic1p"},
    {"pce", "pce"},
    {"pet", "pet"},
    {"plus4", "plus4"},
    {"sim6502", "sim6502 sim65c02"},
    {"supervision", "supervision"},
    {"telestrat", "telestrat"},
    {"vic20", "vic20"},
    {"kim1", "kim1"},
    {"rp6502", "rp6502"},
}};

// Whether a header (by its name without ".h") belongs to machines other than the target.
bool OtherMachinesHeader(std::string_view stem, std::string_view target) {
    for (const TMachineHeader& machine : kMachineHeaders) {
        if (machine.Header != stem) continue;
        std::string_view targets = machine.Targets;
        while (!targets.empty()) {
            const std::size_t blank = targets.find(' ');
            if (targets.substr(0, blank) == target) return false;
            targets =
                blank == std::string_view::npos ? std::string_view() : targets.substr(blank + 1);
        }
        return true;
    }
    return false;
}

bool IsDirectory(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

// Whether the directory holds the C library's headers.
bool HoldsHeaders(const fs::path& dir) {
    std::error_code error;
    return fs::is_regular_file(dir / "stdlib.h", error) ||
           fs::is_regular_file(dir / "conio.h", error);
}

// The words of a command line, split at blanks with double quotes grouping.
std::vector<std::string> Words(std::string_view line) {
    std::vector<std::string> words;
    std::string word;
    bool quoted = false;
    bool any = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if (!quoted && (c == ' ' || c == '\t')) {
            if (any) words.push_back(word);
            word.clear();
            any = false;
        } else {
            word += c;
            any = true;
        }
    }
    if (any) words.push_back(word);
    return words;
}

// Places of the include directory relative to the directory of the compiler's program.
void AddBesideProgram(const std::string& program, std::vector<fs::path>& candidates) {
    if (program.empty()) return;
    std::error_code error;
    fs::path path = fs::canonical(program, error);
    if (error) path = program;
    const fs::path bin = path.parent_path();
    const fs::path prefix = bin.parent_path();
    candidates.push_back(prefix / "share" / "cc65" / "include");
    candidates.push_back(prefix / "include");
    candidates.push_back(bin / "include");
    candidates.push_back(prefix / "lib" / "cc65" / "include");
}

}  // namespace

std::string FindCompilerIncludeDirectory(const std::string& compilerCommand,
                                         const ProgramSearch& search) {
    std::vector<fs::path> candidates;
    const ResolvedCommand resolved = ResolveCommandLine(compilerCommand, search);
    if (resolved.Found) {
        const std::string name = fs::path(resolved.ProgramPath).filename().string();
        const bool compiler = name.starts_with("cl65") || name.starts_with("cc65");
        AddBesideProgram(resolved.ProgramPath, candidates);
        // A wrapper (such as the PC Engine one) runs the cl65 of the tool search.
        if (!compiler) AddBesideProgram(FindProgram("cl65", search), candidates);
    } else {
        AddBesideProgram(FindProgram("cl65", search), candidates);
    }
    candidates.emplace_back("/usr/share/cc65/include");
    candidates.emplace_back("/usr/local/share/cc65/include");
    for (const fs::path& candidate : candidates) {
        if (IsDirectory(candidate) && HoldsHeaders(candidate))
            return candidate.lexically_normal().string();
    }
    return {};
}

std::string CompilerTarget(const std::string& compilerCommand) {
    const std::vector<std::string> words = Words(compilerCommand);
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if ((word == "-t" || word == "--target") && i + 1 < words.size()) return words[i + 1];
        if (word.starts_with("--target=")) return word.substr(9);
        if (word.starts_with("-t") && word.size() > 2 && word != "-t") return word.substr(2);
    }
    return "pce";
}

std::vector<TSymbolLocation> ScanCompilerHeaders(const std::string& dir, const std::string& target,
                                                 std::stop_token stop) {
    std::vector<std::string> files;
    std::error_code error;
    for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
        const fs::path& path = it->path();
        if (path.extension() != ".h" || !it->is_regular_file(error)) continue;
        // Headers named with a leading "_" describe one machine's chips and come in through
        // that machine's header.
        const std::string stem = path.stem().string();
        if (!stem.starts_with("_") && !OtherMachinesHeader(stem, target))
            files.push_back(path.string());
    }
    std::sort(files.begin(), files.end());
    std::vector<TSymbolLocation> found;
    std::set<std::pair<std::string, TSymbolKind>> seen;
    std::string text;
    for (const std::string& file : files) {
        if (stop.stop_requested()) break;
        TFileKey key;
        if (ReadSourceFile(file, text, key) != TSourceRead::Ok) continue;
        for (TSymbol& symbol : ScanCSymbols(text, TCScan::Declarations)) {
            if (symbol.Name.empty() || symbol.Name[0] == '_') continue;
            if (!seen.insert({symbol.Name, symbol.Kind}).second) continue;
            found.push_back(TSymbolLocation{file, std::move(symbol)});
        }
    }
    return found;
}
