// Configuration file location and key access.
#include "config/config_file.h"

#include <cstdlib>

#include "platform/profile.h"
#include "platform/str_to_int.h"

#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>
#endif

std::string ConfigFilePath() {
#ifdef _WIN32
    return "c:\\veskide.ini";
#else
    std::string home;
    if (const char* fromEnvironment = std::getenv("HOME"); fromEnvironment && *fromEnvironment) {
        home = fromEnvironment;
    } else if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) {
        home = entry->pw_dir;
    }
    if (!home.empty() && home.back() != '/') home += '/';
    return home + "veskide.ini";
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
