// Profile (INI) files: read one key with a default, write one key. Section and key names match
// regardless of letter case; a value is the text after the first "=" with blanks trimmed; a
// write replaces only that key's line and keeps every other byte of the file.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Raised when a profile file cannot be written; the message names the file.
class EIniFileException : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A reader receives at most this many characters of a value.
inline constexpr std::size_t kProfileValueMaxLength = 2047;

// Returns the value of key in section of the file, or defaultValue when the file, section or key
// is missing or unreadable. A key that is present with an empty value gives the empty text. Of
// duplicate sections only the first counts, and within it the first line of the key.
std::string ReadProfileString(const std::string& fileName, std::string_view section,
                              std::string_view key, std::string_view defaultValue);

// True when the text holds a character that cannot stand in one line of a profile file: CR, LF
// or a zero byte.
bool HoldsLineBreak(std::string_view text);

// The value as one line: every CR, LF and zero byte becomes a blank, so a value can never end
// its line early or start a section or key of its own.
std::string OneLineProfileValue(std::string_view value);

// Sets key in section to value, creating the file and the section when missing. Only the key's
// line changes (or one line is added); every other byte stays as it was, line breaks included.
// The value is written as OneLineProfileValue gives it. The new text goes through a temporary
// file beside the old one and a rename, so a write that fails half-way leaves the old file whole.
// Throws EIniFileException("Unable to write to <fileName>") when the file cannot be written, or
// exists but cannot be read, or when a name could not be read back as written (a line break in
// either, "=" in the key or "[" at its start, "]" in the section); a full disk
// adds ": the disk is full" to the message.
void WriteProfileString(const std::string& fileName, std::string_view section, std::string_view key,
                        std::string_view value);

// Sets several keys of one section in one write of the file, as WriteProfileString would one
// after the other.
void WriteProfileStrings(
    const std::string& fileName, std::string_view section,
    const std::vector<std::pair<std::string_view, std::string_view>>& keyValues);

// One key's new value, for writes of several keys at once.
struct TProfileChange {
    std::string_view Section;
    std::string_view Key;
    std::string_view Value;
};

// Sets every key of the changes in one read and one write of the file, giving the file that
// WriteProfileString would give called for each change in turn; the same checks and messages.
void WriteProfileChanges(const std::string& fileName, const std::vector<TProfileChange>& changes);

// The text of a profile file after the changes, as WriteProfileChanges writes it.
std::string ApplyProfileChanges(const std::string& text,
                                const std::vector<TProfileChange>& changes);

// One key to read, with the value it has when the file, section or key is missing.
struct TProfileRead {
    std::string_view Section;
    std::string_view Key;
    std::string_view Default;
};

// The values of several keys, in the order asked, as ReadProfileString gives each, found in one
// pass over the file (which ends once every key is found) holding one line at a time.
std::vector<std::string> ReadProfileStrings(const std::string& fileName,
                                            const std::vector<TProfileRead>& reads);

// The keys of the first section of that name with their values, as ReadProfileString gives each
// (the first line of a key counts), in file order, from one pass over the file.
std::vector<std::pair<std::string, std::string>> ReadProfileSection(const std::string& fileName,
                                                                    std::string_view section);
// The value of a key among those ReadProfileSection gave, names compared as the file compares
// them; defaultValue when it is not there.
std::string ProfileSectionValue(const std::vector<std::pair<std::string, std::string>>& keys,
                                std::string_view key, std::string_view defaultValue);

// One profile file addressed by name; the file is opened and released inside each call.
class TIniFile {
  public:
    explicit TIniFile(std::string fileName) : m_fileName(std::move(fileName)) {}

    const std::string& FileName() const { return m_fileName; }
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const {
        return ReadProfileString(m_fileName, section, key, defaultValue);
    }
    void WriteString(std::string_view section, std::string_view key, std::string_view value) {
        WriteProfileString(m_fileName, section, key, value);
    }

  private:
    std::string m_fileName;
};
