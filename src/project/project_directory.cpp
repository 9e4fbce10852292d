// Finding a document's project directory by walking up to the nearest Makefile.
#include "project/project_directory.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <climits>

namespace {

std::string WithSlash(const std::string& directory) {
    if (directory.empty()) return "./";
    return directory.back() == '/' ? directory : directory + '/';
}

std::string CurrentDirectory() {
    std::array<char, PATH_MAX> buffer{};
    if (::getcwd(buffer.data(), buffer.size()) == nullptr) return ".";
    return buffer.data();
}

// The directory part of a path, without its trailing slash ("/" for the root).
std::string Parent(const std::string& path) {
    std::string::size_type end = path.size();
    while (end > 1 && path[end - 1] == '/') --end;
    const std::string::size_type slash = path.rfind('/', end - 1);
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

}  // namespace

bool HoldsMakefile(const std::string& directory) {
    const std::string prefix = WithSlash(directory);
    for (const char* name : {"GNUmakefile", "makefile", "Makefile"}) {
        struct stat info {};
        if (::stat((prefix + name).c_str(), &info) == 0 && S_ISREG(info.st_mode)) return true;
    }
    return false;
}

std::string ProjectDirectoryOf(const std::string& documentPath) {
    std::string own = documentPath.empty() ? std::string(".") : Parent(documentPath);
    if (own == "." || own.front() != '/') {
        const std::string current = CurrentDirectory();
        own = own == "." ? current : WithSlash(current) + own;
    }
    for (std::string directory = own;;) {
        if (HoldsMakefile(directory)) return WithSlash(directory);
        if (directory == "/") break;
        directory = Parent(directory);
    }
    return WithSlash(own);
}
