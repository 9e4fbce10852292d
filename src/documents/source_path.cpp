// Path splitting at the platform's separators.
#include "documents/source_path.h"

TSourceFile SplitSourcePath(const std::string& path) {
#ifdef _WIN32
    const std::string::size_type last = path.find_last_of("\\/");
#else
    const std::string::size_type last = path.rfind('/');
#endif
    if (last == std::string::npos) return {std::string(), path};
    return {path.substr(0, last + 1), path.substr(last + 1)};
}
