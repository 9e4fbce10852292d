// Home and cache directory lookup.
#include "platform/user_directories.h"

#include <cstdlib>

#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>
#endif

std::string HomeDirectory() {
    std::string home;
    if (const char* fromEnvironment = std::getenv("HOME"); fromEnvironment && *fromEnvironment) {
        home = fromEnvironment;
    }
#ifndef _WIN32
    else if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) {
        home = entry->pw_dir;
    }
#endif
    if (!home.empty() && home.back() != '/') home += '/';
    return home;
}

std::string ProgramCacheDirectory() {
    std::string cache;
    // A relative value is to be ignored, as the base directory rules say.
    if (const char* fromEnvironment = std::getenv("XDG_CACHE_HOME");
        fromEnvironment && fromEnvironment[0] == '/') {
        cache = fromEnvironment;
        if (cache.back() != '/') cache += '/';
    } else {
        cache = HomeDirectory() + ".cache/";
    }
    return cache + "quillon/";
}
