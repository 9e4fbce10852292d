// Profile file reading and single-key writing over the whole file text.
#include "platform/profile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <vector>

#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/memory_advice.h"
#include "platform/safe_file.h"

namespace {

struct Line {
    std::size_t start = 0;
    std::size_t length = 0;       // without the line break
    std::size_t breakLength = 0;  // 0 (last line), 1 (CR or LF) or 2 (CR LF)
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (CodePageLower(static_cast<unsigned char>(a[i])) !=
            CodePageLower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

// Splits at CR LF, LF and lone CR, remembering each line's break so writes can keep it.
std::vector<Line> SplitLines(const std::string& text) {
    std::vector<Line> lines;
    const char* const data = text.data();
    const std::size_t size = text.size();
    // Counted first: a list grown by doubling would move millions of lines into fresh memory
    // several times.
    std::size_t breaks = 0;
    const char* at = data;
    while (const void* hit = std::memchr(at, '\n', static_cast<std::size_t>(data + size - at))) {
        ++breaks;
        at = static_cast<const char*>(hit) + 1;
    }
    lines.reserve(breaks + 1);
    // Each line ends at its LF or at a CR before it.
    std::size_t start = 0;
    while (start < size) {
        const void* lfHit = std::memchr(data + start, '\n', size - start);
        const std::size_t lf = lfHit ? static_cast<const char*>(lfHit) - data : size;
        const void* crHit = std::memchr(data + start, '\r', lf - start);
        const std::size_t at = crHit ? static_cast<const char*>(crHit) - data : lf;
        if (at == size) break;
        Line line{start, at - start, 1};
        if (data[at] == '\r' && at + 1 < size && data[at + 1] == '\n') line.breakLength = 2;
        lines.push_back(line);
        start = at + line.breakLength;
    }
    if (start < size) lines.push_back(Line{start, size - start, 0});
    return lines;
}

// Section name of a header line "[name]", or nothing for other lines.
std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    line.remove_prefix(1);
    const std::size_t close = line.find(']');
    if (close != std::string_view::npos) line = line.substr(0, close);
    return Trim(line);
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyLine> SplitKeyLine(std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return KeyLine{Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
}

// Reads the whole file for a rewrite; false for anything but a readable regular file, so a
// pipe or device in the file's place neither blocks the program nor gets replaced.
bool ReadWholeFile(const std::string& fileName, std::string& text) {
    const TReadDescriptor opened = OpenRegularFileForReading(fileName);
    if (opened.Fd < 0) return false;
    std::string result;
    // Room for the whole file at once: growing by doubling would copy a big file several times
    // over into fresh memory.
    struct stat info {};
    if (::fstat(opened.Fd, &info) == 0 && info.st_size > 0) {
        result.reserve(static_cast<std::size_t>(info.st_size));
        AdviseLargePages(result.data(), result.capacity());
    }
    std::vector<char> block(64 * 1024);
    bool ok = true;
    for (;;) {
        const ssize_t got = ::read(opened.Fd, block.data(), block.size());
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) ok = false;
        if (got <= 0) break;
        result.append(block.data(), static_cast<std::size_t>(got));
    }
    ::close(opened.Fd);
    if (ok) text = std::move(result);
    return ok;
}

// Hands each line of the file (without its break) to visit, reading piece by piece, until visit
// returns false or the file ends. Only one line is held at a time, so a look-up costs no more
// memory than the longest line. Anything but a readable regular file has no lines.
template <typename Visit>
void ScanProfileLines(const std::string& fileName, Visit visit) {
    const TReadDescriptor opened = OpenRegularFileForReading(fileName);
    if (opened.Fd < 0) return;
    struct TCloser {
        int fd;
        ~TCloser() { ::close(fd); }
    } closer{opened.Fd};
    std::vector<char> block(64 * 1024);
    std::string pending;  // the start of a line that continues in the next block
    for (;;) {
        const ssize_t got = ::read(opened.Fd, block.data(), block.size());
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        const char* data = block.data();
        const char* end = data + got;
        const char* start = data;
        for (const char* p = data; p != end; ++p) {
            if (*p != '\n' && *p != '\r') continue;
            // A CR LF split between blocks reads as an extra empty line, which no look-up sees.
            if (*p == '\n' && p != data && p[-1] == '\r' && start == p) {
                start = p + 1;
                continue;
            }
            bool more;
            if (pending.empty()) {
                more = visit(std::string_view(start, static_cast<std::size_t>(p - start)));
            } else {
                pending.append(start, p);
                more = visit(std::string_view(pending));
                pending.clear();
            }
            if (!more) return;
            start = p + 1;
        }
        pending.append(start, end);
    }
    if (!pending.empty()) visit(std::string_view(pending));
}

bool PathExists(const std::string& fileName) {
    struct stat info {};
    return ::stat(fileName.c_str(), &info) == 0;
}

std::string DefaultLineBreak() {
#ifdef _WIN32
    return "\r\n";
#else
    return "\n";
#endif
}

// New lines follow the file's own style: the first line break it contains.
std::string LineBreakOf(const std::string& text, const std::vector<Line>& lines) {
    for (const Line& line : lines) {
        if (line.breakLength > 0) return text.substr(line.start + line.length, line.breakLength);
    }
    return DefaultLineBreak();
}

// Writes the whole text to a new file, keeping the error number of a failed call.
void WriteTextFile(const std::string& path, const std::string& text) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) throw EFileError("Unable to write to " + path, errno);
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t put = ::write(fd, text.data() + done, text.size() - done);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) {
            const int error = put < 0 ? errno : EIO;
            ::close(fd);
            throw EFileError("Unable to write to " + path, error);
        }
        done += static_cast<std::size_t>(put);
    }
    if (::close(fd) != 0) throw EFileError("Unable to write to " + path, errno);
}

}  // namespace

bool HoldsLineBreak(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

std::string OneLineProfileValue(std::string_view value) {
    std::string line(value);
    for (char& c : line) {
        if (c == '\r' || c == '\n' || c == '\0') c = ' ';
    }
    return line;
}

std::string ApplyProfileChanges(const std::string& text,
                                const std::vector<TProfileChange>& changes) {
    if (changes.empty()) return text;
    const std::vector<Line> lines = SplitLines(text);
    const std::string lineBreak = LineBreakOf(text, lines);

    // The first section of each name: its key lines and its last non-blank line.
    struct TSection {
        std::string_view Name;
        std::size_t LastLine = SIZE_MAX;  // SIZE_MAX: a section this write adds at the end
        std::vector<std::pair<std::string_view, std::size_t>> Keys;  // first line of each key
        std::vector<std::string> Added;  // key lines added after LastLine, in order
    };
    std::vector<TSection> sections;
    TSection* current = nullptr;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view content(text.data() + lines[i].start, lines[i].length);
        if (auto name = SectionName(content)) {
            current = nullptr;
            const bool seen = std::any_of(sections.begin(), sections.end(), [&](const TSection& s) {
                return SameText(s.Name, *name);
            });
            if (!seen) {
                sections.push_back(TSection{*name, i, {}, {}});
                current = &sections.back();
            }
            continue;
        }
        if (current == nullptr) continue;
        if (!Trim(content).empty()) current->LastLine = i;
        if (auto keyLine = SplitKeyLine(content)) {
            const bool known =
                std::any_of(current->Keys.begin(), current->Keys.end(),
                            [&](const auto& k) { return SameText(k.first, keyLine->key); });
            if (!known) current->Keys.emplace_back(keyLine->key, i);
        }
    }

    // Each change as a write of its own would make it, on the lines found above. Only the
    // lines a change touches are noted: the file may have millions of others.
    std::map<std::size_t, std::string> replaced;
    std::vector<std::string_view> newOrder;  // sections added at the end, in order
    for (const TProfileChange& change : changes) {
        const std::string keyLine =
            std::string(change.Key) + "=" + OneLineProfileValue(change.Value);
        auto section = std::find_if(sections.begin(), sections.end(), [&](const TSection& s) {
            return SameText(s.Name, change.Section);
        });
        if (section == sections.end()) {
            sections.push_back(TSection{change.Section, SIZE_MAX, {}, {}});
            section = sections.end() - 1;
        }
        auto key = std::find_if(section->Keys.begin(), section->Keys.end(),
                                [&](const auto& k) { return SameText(k.first, change.Key); });
        if (key != section->Keys.end()) {
            replaced[key->second] = keyLine;
            continue;
        }
        auto added = std::find_if(
            section->Added.begin(), section->Added.end(),
            [&](const std::string& line) { return SameText(SplitKeyLine(line)->key, change.Key); });
        if (added != section->Added.end())
            *added = keyLine;
        else
            section->Added.push_back(keyLine);
    }

    std::map<std::size_t, const TSection*> after;
    for (const TSection& section : sections)
        if (section.LastLine != SIZE_MAX && !section.Added.empty())
            after[section.LastLine] = &section;
    // The lines where something changes, in order; the text between them is copied whole.
    std::vector<std::size_t> marked;
    for (const auto& entry : replaced) marked.push_back(entry.first);
    for (const auto& entry : after) marked.push_back(entry.first);
    std::sort(marked.begin(), marked.end());
    marked.erase(std::unique(marked.begin(), marked.end()), marked.end());
    std::string result;
    result.reserve(text.size() + 64 * changes.size());
    AdviseLargePages(result.data(), result.capacity());
    std::size_t copiedTo = 0;  // the text before this offset is in the result
    for (const std::size_t i : marked) {
        const Line& line = lines[i];
        const std::size_t lineEnd = line.start + line.length + line.breakLength;
        if (auto change = replaced.find(i); change != replaced.end()) {
            result.append(text, copiedTo, line.start - copiedTo);
            result += change->second;
            result.append(text, line.start + line.length, line.breakLength);
        } else {
            result.append(text, copiedTo, lineEnd - copiedTo);
        }
        copiedTo = lineEnd;
        auto added = after.find(i);
        if (added == after.end()) continue;
        if (line.breakLength == 0) result += lineBreak;
        for (const std::string& addedLine : added->second->Added) result += addedLine + lineBreak;
    }
    result.append(text, copiedTo, std::string::npos);
    for (const TSection& section : sections) {
        if (section.LastLine != SIZE_MAX || section.Added.empty()) continue;
        if (!result.empty() && result.back() != '\n' && result.back() != '\r') result += lineBreak;
        result += "[" + std::string(section.Name) + "]" + lineBreak;
        for (const std::string& added : section.Added) result += added + lineBreak;
    }
    return result;
}

std::string ReadProfileString(const std::string& fileName, std::string_view section,
                              std::string_view key, std::string_view defaultValue) {
    std::string result(defaultValue);
    bool inSection = false;
    ScanProfileLines(fileName, [&](std::string_view content) {
        if (auto name = SectionName(content)) {
            // Only the first section of the name counts.
            if (inSection) return false;
            inSection = SameText(*name, section);
            return true;
        }
        if (!inSection) return true;
        const auto keyLine = SplitKeyLine(content);
        if (!keyLine || !SameText(keyLine->key, key)) return true;
        // The value travels as a zero-terminated text of limited length.
        std::string_view value = keyLine->value;
        value = value.substr(0, value.find('\0'));
        result = std::string(value.substr(0, kProfileValueMaxLength));
        return false;
    });
    return result;
}

void WriteProfileString(const std::string& fileName, std::string_view section, std::string_view key,
                        std::string_view value) {
    WriteProfileStrings(fileName, section, {{key, value}});
}

void WriteProfileStrings(
    const std::string& fileName, std::string_view section,
    const std::vector<std::pair<std::string_view, std::string_view>>& keyValues) {
    std::vector<TProfileChange> changes;
    changes.reserve(keyValues.size());
    for (const auto& [key, value] : keyValues) changes.push_back({section, key, value});
    WriteProfileChanges(fileName, changes);
}

void WriteProfileChanges(const std::string& fileName, const std::vector<TProfileChange>& changes) {
    // A name with a line break would make lines of its own, a key with "=" or starting with "["
    // would read back as another key or a section header, a section with "]" as another section;
    // our names never hold any of them.
    for (const TProfileChange& change : changes) {
        const std::string_view trimmedKey = Trim(change.Key);
        if (HoldsLineBreak(change.Section) || change.Section.find(']') != std::string_view::npos ||
            HoldsLineBreak(change.Key) || change.Key.find('=') != std::string_view::npos ||
            (!trimmedKey.empty() && trimmedKey.front() == '['))
            throw EIniFileException("Unable to write to " + fileName);
    }
    std::string text;
    // A file that exists but cannot be read must not be replaced by a few keys.
    if (!ReadWholeFile(fileName, text) && PathExists(fileName)) {
        throw EIniFileException("Unable to write to " + fileName);
    }
    text = ApplyProfileChanges(text, changes);

    // The new text goes to a temporary file that then replaces the old one in one rename, so a
    // write that fails half-way (disk full, no permission) leaves the old file whole.
    try {
        WriteFileSafely(fileName,
                        [&](const std::string& tempName) { WriteTextFile(tempName, text); });
    } catch (const ESafeSaveError& error) {
        throw EIniFileException("Unable to write to " + fileName +
                                (IsDiskFull(error.ErrorCode()) ? ": the disk is full" : ""));
    }
}

std::vector<std::string> ReadProfileStrings(const std::string& fileName,
                                            const std::vector<TProfileRead>& reads) {
    std::vector<std::string> results;
    results.reserve(reads.size());
    for (const TProfileRead& read : reads) results.emplace_back(read.Default);
    std::vector<bool> found(reads.size(), false);
    std::size_t remaining = reads.size();
    // The reads of the section being scanned; only the first section of a name counts.
    std::vector<std::size_t> current;
    std::vector<std::string> sectionsSeen;
    ScanProfileLines(fileName, [&](std::string_view content) {
        if (auto name = SectionName(content)) {
            current.clear();
            const bool seen = std::any_of(sectionsSeen.begin(), sectionsSeen.end(),
                                          [&](const std::string& s) { return SameText(s, *name); });
            if (seen) return true;
            sectionsSeen.emplace_back(*name);
            for (std::size_t i = 0; i < reads.size(); ++i)
                if (!found[i] && SameText(reads[i].Section, *name)) current.push_back(i);
            return true;
        }
        if (current.empty()) return true;
        const auto keyLine = SplitKeyLine(content);
        if (!keyLine) return true;
        for (std::size_t i : current) {
            if (found[i] || !SameText(keyLine->key, reads[i].Key)) continue;
            // The value travels as a zero-terminated text of limited length.
            std::string_view value = keyLine->value;
            value = value.substr(0, value.find('\0'));
            results[i] = std::string(value.substr(0, kProfileValueMaxLength));
            found[i] = true;
            --remaining;
        }
        return remaining > 0;
    });
    return results;
}

std::vector<std::pair<std::string, std::string>> ReadProfileSection(const std::string& fileName,
                                                                    std::string_view section) {
    std::vector<std::pair<std::string, std::string>> keys;
    bool inSection = false;
    ScanProfileLines(fileName, [&](std::string_view content) {
        if (auto name = SectionName(content)) {
            // Only the first section of the name counts.
            if (inSection) return false;
            inSection = SameText(*name, section);
            return true;
        }
        if (!inSection) return true;
        const auto keyLine = SplitKeyLine(content);
        if (!keyLine) return true;
        const bool known = std::any_of(keys.begin(), keys.end(), [&](const auto& entry) {
            return SameText(entry.first, keyLine->key);
        });
        if (known) return true;
        std::string_view value = keyLine->value;
        value = value.substr(0, value.find('\0'));
        keys.emplace_back(std::string(keyLine->key),
                          std::string(value.substr(0, kProfileValueMaxLength)));
        return true;
    });
    return keys;
}

std::string ProfileSectionValue(const std::vector<std::pair<std::string, std::string>>& keys,
                                std::string_view key, std::string_view defaultValue) {
    for (const auto& [name, value] : keys)
        if (SameText(name, key)) return value;
    return std::string(defaultValue);
}
