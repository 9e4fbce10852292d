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

TColor TConfigFile::ReadColor(const TConfigKey& key) const {
    return StrToInt(ReadForCommand(key));
}

void TConfigFile::WriteString(const TConfigKey& key, std::string_view value) {
    WriteProfileString(m_path, key.Section, key.Key, value);
}

void TConfigFile::WriteColor(const TConfigKey& key, TColor color) {
    WriteString(key, IntToStr(color));
}
