// Fuzzes the settings writer: whatever the old file, section, key and value, a write either
// refuses with its exception or leaves a file from which the value reads back as one line, with
// no section or key made by the value itself.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz_fields.h"
#include "platform/profile.h"

namespace {

bool PlainName(const std::string& name) {
    if (name.empty()) return false;
    for (char c : name)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    return true;
}

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

int Sections(const std::string& text) {
    int count = 0;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        if (Trimmed(line).rfind('[', 0) == 0) ++count;
    return count;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const std::string& ScratchFile() {
    static const std::string path = [] {
        char pattern[] = "/tmp/profile-fuzz-XXXXXX";
        const char* dir = ::mkdtemp(pattern);
        if (dir == nullptr) std::abort();
        return std::string(dir) + "/veskide.ini";
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> fields = FuzzFields(data, size, 4);
    const std::string& path = ScratchFile();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << fields[0];
    }
    const std::string& section = fields[1];
    const std::string& key = fields[2];
    const std::string& value = fields[3];
    const int sectionsBefore = Sections(fields[0]);
    try {
        WriteProfileString(path, section, key, value);
    } catch (const EIniFileException&) {
        // Refused: the old file stays as it was.
        if (ReadAll(path) != fields[0]) std::abort();
        return 0;
    }
    const std::string after = ReadAll(path);
    // At most the section itself is new: the value never opens one.
    if (Sections(after) > sectionsBefore + 1) std::abort();
    if (!PlainName(section) || !PlainName(key)) return 0;
    // Only where the old text is plain lines can its first section and key be predicted.
    if (fields[0].find_first_of(std::string("\r\0=[]", 5)) != std::string::npos) return 0;
    std::string expected = Trimmed(OneLineProfileValue(value));
    if (expected.size() > kProfileValueMaxLength) expected.resize(kProfileValueMaxLength);
    if (ReadProfileString(path, section, key, "<none>") != expected) std::abort();
    return 0;
}
