// Registry-style access to a settings store.
#include "highlight/better_registry.h"

bool TBetterRegistry::OpenKey(std::string_view key, bool canCreate) {
    return Open(key, canCreate, false);
}

bool TBetterRegistry::OpenKeyReadOnly(std::string_view key) {
    return Open(key, false, true);
}

void TBetterRegistry::CloseKey() {
    m_currentKey = nullptr;
    m_currentPath.clear();
    m_readOnly = false;
}

bool TBetterRegistry::Open(std::string_view key, bool canCreate, bool readOnly) {
    bool relative = key.empty() || key.front() != '\\';
    std::string path;
    if (relative && m_currentKey) path = m_currentPath;
    if (!relative) key.remove_prefix(1);
    if (!key.empty() && key.back() == '\\') key.remove_suffix(1);
    if (!key.empty()) {
        if (!path.empty()) path += '\\';
        path += key;
    }
    TSettingsKey* found = canCreate ? m_store.CreateKey(path) : m_store.FindKey(path);
    if (!found) return false;
    m_currentKey = found;
    m_currentPath = std::move(path);
    m_readOnly = readOnly;
    return true;
}

bool TBetterRegistry::ValueExists(std::string_view name) const {
    return m_currentKey && m_currentKey->Value(name) != nullptr;
}

const TSettingsValue& TBetterRegistry::ReadValue(std::string_view name) const {
    const TSettingsValue* value = m_currentKey ? m_currentKey->Value(name) : nullptr;
    if (!value) throw ESettingsStoreError("Invalid data type for '" + std::string(name) + "'");
    return *value;
}

std::int32_t TBetterRegistry::ReadInteger(std::string_view name) const {
    const auto* number = std::get_if<std::int32_t>(&ReadValue(name));
    if (!number) throw ESettingsStoreError("Invalid data type for '" + std::string(name) + "'");
    return *number;
}

std::string TBetterRegistry::ReadString(std::string_view name) const {
    const auto* text = std::get_if<std::string>(&ReadValue(name));
    if (!text) throw ESettingsStoreError("Invalid data type for '" + std::string(name) + "'");
    return *text;
}

TSettingsKey& TBetterRegistry::WritableKey(std::string_view name) {
    if (!m_currentKey || m_readOnly)
        throw ESettingsStoreError("Failed to set data for '" + std::string(name) + "'");
    return *m_currentKey;
}

void TBetterRegistry::WriteInteger(std::string_view name, std::int32_t value) {
    WritableKey(name).SetValue(name, value);
}

void TBetterRegistry::WriteString(std::string_view name, std::string_view value) {
    WritableKey(name).SetValue(name, std::string(value));
}
