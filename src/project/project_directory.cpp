// Finding a document's project directory by walking up to the nearest Makefile.
#include "project/project_directory.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <climits>
#include <filesystem>
#include <system_error>

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

namespace {

// True when `path` equals `directory` or lies below it; both absolute and normal.
bool IsBelow(const std::filesystem::path& path, const std::filesystem::path& directory) {
    auto it = path.begin();
    for (auto part = directory.begin(); part != directory.end(); ++part, ++it) {
        // The trailing separator of a directory is an empty last part.
        if (part->empty() && std::next(part) == directory.end()) break;
        if (it == path.end() || *it != *part) return false;
    }
    return true;
}

}  // namespace

bool IsInProject(const std::string& path, const std::string& projectDir) {
    namespace fs = std::filesystem;
    if (path.empty() || projectDir.empty()) return false;
    std::error_code error;
    const fs::path file = fs::absolute(path, error).lexically_normal();
    const fs::path project = fs::absolute(projectDir, error).lexically_normal();
    if (!error && IsBelow(file, project)) return true;
    const fs::path realFile = fs::weakly_canonical(path, error);
    if (error) return false;
    const fs::path realProject = fs::weakly_canonical(projectDir, error);
    return !error && IsBelow(realFile, realProject);
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
