// Choosing the placement file.
#include "app/frame_placement.h"

#include <unistd.h>

#include <cstdlib>

#include "config/config_file.h"
#include "widgets/form_saver.h"

namespace {

std::string DirectoryOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

bool Writable(const std::string& path) {
    return ::access(path.c_str(), W_OK) == 0;
}

}  // namespace

std::string FramePlacementFile(const std::string& executableIni, const std::string& configFile) {
    const bool fileWritable = ::access(executableIni.c_str(), F_OK) != 0 || Writable(executableIni);
    if (fileWritable && Writable(DirectoryOf(executableIni))) return executableIni;
    const std::string directory = DirectoryOf(configFile);
    return (directory == "." ? std::string() : directory) + "quillon.INI";
}

std::string FramePlacementFile() {
    if (const char* chosen = std::getenv("QUILLON_PLACEMENT_FILE"); chosen && *chosen) {
        return chosen;
    }
    return FramePlacementFile(ExecutableIniFileName(), ConfigFilePath());
}
