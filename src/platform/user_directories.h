// The user's own directories: the home directory and the cache directory where the program keeps
// what it makes for itself (tool logs), apart from the user's sources.
#pragma once

#include <string>

// The home directory from HOME, else the password database; ends in the separator, or is empty
// when neither names one.
std::string HomeDirectory();

// "$XDG_CACHE_HOME/quillon/" when that variable holds an absolute path, else
// "<home>/.cache/quillon/". The directory is not created here.
std::string ProgramCacheDirectory();
