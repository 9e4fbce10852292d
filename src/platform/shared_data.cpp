// Finding the shared files of an installed program or of its source tree.
#include "platform/shared_data.h"

#include <filesystem>
#include <system_error>

#include "platform/program_search.h"

#ifndef QUILLON_SOURCE_TREE
#define QUILLON_SOURCE_TREE ""
#endif

namespace {

namespace fs = std::filesystem;

std::string ExistingDirectory(const fs::path& candidate) {
    std::error_code error;
    if (!fs::is_directory(candidate, error)) return {};
    const fs::path canonical = fs::canonical(candidate, error);
    return error ? candidate.lexically_normal().string() : canonical.string();
}

}  // namespace

std::string SharedDataDirectory(std::string_view name, const std::string& ownDirectory,
                                const std::string& sourceTree) {
    if (!ownDirectory.empty()) {
        const std::string installed =
            ExistingDirectory(fs::path(ownDirectory) / ".." / "share" / "quillon" / name);
        if (!installed.empty()) return installed;
    }
    if (!sourceTree.empty()) return ExistingDirectory(fs::path(sourceTree) / name);
    return {};
}

std::string SharedDataDirectory(std::string_view name) {
    return SharedDataDirectory(name, ProgramSearch::FromEnvironment().OwnDirectory,
                               QUILLON_SOURCE_TREE);
}
