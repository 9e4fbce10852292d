// A hierarchical key/value store standing in for the system registry: nested keys with
// case-insensitive names, each holding named integer and string values. It lives in memory and
// can be written to and read back from a text file.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>

// Raised by the store and its access object: malformed files, I/O failures, values of the wrong
// type, writes to a key that was not opened for writing.
class ESettingsStoreError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Orders names as the registry does: ASCII letters compare without regard to case.
struct TSettingsNameLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
};

using TSettingsValue = std::variant<std::int32_t, std::string>;

class TSettingsKey {
  public:
    using SubKeyMap = std::map<std::string, std::unique_ptr<TSettingsKey>, TSettingsNameLess>;
    using ValueMap = std::map<std::string, TSettingsValue, TSettingsNameLess>;

    // The sub-key of that name, or nullptr.
    TSettingsKey* SubKey(std::string_view name) const;
    // The sub-key of that name, created when missing.
    TSettingsKey& CreateSubKey(std::string_view name);
    bool DeleteSubKey(std::string_view name);

    // The value of that name, or nullptr.
    const TSettingsValue* Value(std::string_view name) const;
    void SetValue(std::string_view name, TSettingsValue value);
    bool DeleteValue(std::string_view name);

    const SubKeyMap& SubKeys() const { return m_subKeys; }
    const ValueMap& Values() const { return m_values; }

  private:
    SubKeyMap m_subKeys;
    ValueMap m_values;
};

class TSettingsStore {
  public:
    TSettingsStore();

    TSettingsKey& Root() { return *m_root; }
    const TSettingsKey& Root() const { return *m_root; }

    // Key paths are names separated by "\"; one leading and one trailing "\" are ignored; the
    // empty path is the root. A path with an empty name between separators, or a name longer
    // than 255 characters, names no key.
    TSettingsKey* FindKey(std::string_view path) const;
    // Finds the key, creating missing keys on the way; nullptr when the path names no key.
    TSettingsKey* CreateKey(std::string_view path);

    void Clear();

    // Text form: a "[path]" line per key (depth first, names in order), then one
    // "name=i:number" or "name=s:text" line per value; names and texts escape "%", "=", "[",
    // "]" and control characters as %HH. Blank lines and lines starting with ";" are ignored.
    std::string SaveToText() const;
    // Replaces the content with the text's; on a malformed line the store is left unchanged
    // and ESettingsStoreError is raised.
    void LoadFromText(std::string_view text);

    void SaveToFile(const std::string& fileName) const;
    void LoadFromFile(const std::string& fileName);

  private:
    std::unique_ptr<TSettingsKey> m_root;
};
