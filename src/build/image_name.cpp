// Image name from the source name.
#include "build/image_name.h"

std::string ImageName(const std::string& sourceName) {
#ifdef _WIN32
    const size_t separator = sourceName.find_last_of("\\/");
#else
    const size_t separator = sourceName.find_last_of('/');
#endif
    const size_t dot = sourceName.rfind('.');
    if (dot != std::string::npos && (separator == std::string::npos || dot > separator)) {
        return sourceName.substr(0, dot + 1) + "pce";
    }
    return sourceName + ".pce";
}
