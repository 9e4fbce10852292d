// The access object through which highlighters read and write a settings store the way they
// would use the system registry: one current key, opened by a relative or absolute path.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "highlight/settings_store.h"

class TBetterRegistry {
  public:
    // rootKey is the store whose root the paths start from.
    explicit TBetterRegistry(TSettingsStore& rootKey) : m_store(rootKey) {}

    // Opens a key as the current key. A path starting with "\" is absolute; any other path is
    // relative to the current key when one is open, else to the root. With canCreate, missing
    // keys are created. Returns false when the key is missing or the path names no key.
    bool OpenKey(std::string_view key, bool canCreate);
    // Like OpenKey without creating; values of the key cannot be written.
    bool OpenKeyReadOnly(std::string_view key);
    void CloseKey();

    // Path of the current key from the root, without a leading "\"; empty at the root.
    const std::string& CurrentPath() const { return m_currentPath; }
    bool HasCurrentKey() const { return m_currentKey != nullptr; }

    bool ValueExists(std::string_view name) const;
    // Reading a missing value or one of another type raises ESettingsStoreError.
    std::int32_t ReadInteger(std::string_view name) const;
    std::string ReadString(std::string_view name) const;
    // Writing without a key opened for writing raises ESettingsStoreError.
    void WriteInteger(std::string_view name, std::int32_t value);
    void WriteString(std::string_view name, std::string_view value);

  private:
    bool Open(std::string_view key, bool canCreate, bool readOnly);
    const TSettingsValue& ReadValue(std::string_view name) const;
    TSettingsKey& WritableKey(std::string_view name);

    TSettingsStore& m_store;
    TSettingsKey* m_currentKey = nullptr;
    std::string m_currentPath;
    bool m_readOnly = false;
};
