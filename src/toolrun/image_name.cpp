// Image name from the source name.
#include "toolrun/image_name.h"

std::string ImageName(const std::string& sourceName) {
#ifdef _WIN32
    const size_t separator = sourceName.find_last_of("\\/");
#else
    const size_t separator = sourceName.find_last_of('/');
#endif
    const std::string name =
        separator == std::string::npos ? sourceName : sourceName.substr(separator + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos) return name.substr(0, dot + 1) + "pce";
    return name + ".pce";
}
