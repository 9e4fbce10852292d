// Configuration file location and key access.
#include "config/config_file.h"

#include "platform/profile.h"
#include "platform/str_to_int.h"
#include "platform/user_directories.h"

std::string ConfigFilePath() {
#ifdef _WIN32
    return "c:\\veskide.ini";
#else
    return HomeDirectory() + "veskide.ini";
#endif
}

std::string TConfigFile::ReadString(const TConfigKey& key, std::string_view defaultValue) const {
    return ReadProfileString(m_path, key.Section, key.Key, defaultValue);
}

std::vector<std::string> TConfigFile::ReadStrings(
    const std::vector<std::pair<TConfigKey, std::string_view>>& keys) const {
    std::vector<TProfileRead> reads;
    reads.reserve(keys.size());
    for (const auto& [key, defaultValue] : keys)
        reads.push_back({key.Section, key.Key, defaultValue});
    return ReadProfileStrings(m_path, reads);
}

TColor TConfigFile::ReadColor(const TConfigKey& key) const {
    return StrToInt(ReadForCommand(key));
}

void TConfigFile::WriteString(const TConfigKey& key, std::string_view value) {
    WriteProfileString(m_path, key.Section, key.Key, value);
}

void TConfigFile::WriteStrings(const std::vector<std::pair<TConfigKey, std::string_view>>& values) {
    std::vector<TProfileChange> changes;
    changes.reserve(values.size());
    for (const auto& [key, value] : values) changes.push_back({key.Section, key.Key, value});
    WriteProfileChanges(m_path, changes);
}

void TConfigFile::WriteColor(const TConfigKey& key, TColor color) {
    WriteString(key, IntToStr(color));
}
