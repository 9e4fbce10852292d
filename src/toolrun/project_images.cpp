// Finding the images of a project and the one a build made.
#include "toolrun/project_images.h"

#include <filesystem>
#include <system_error>

#include "project/project_directory.h"

namespace {

namespace fs = std::filesystem;

// A project tree holds a few hundred entries; a home directory mistaken for one holds far more.
constexpr int kMaxEntries = 20000;
constexpr int kMaxDepth = 8;

bool IsImageName(const std::string& name) {
    if (name.size() < 5) return false;
    std::string extension = name.substr(name.size() - 4);
    for (char& c : extension) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return extension == ".pce";
}

// True when `a` is the newer of two images: the later modification time, then the later path.
bool Newer(const TImageSnapshot::value_type& a, const TImageSnapshot::value_type* b) {
    if (b == nullptr) return true;
    if (a.second.ModifiedNs != b->second.ModifiedNs)
        return a.second.ModifiedNs > b->second.ModifiedNs;
    return a.first > b->first;
}

}  // namespace

TImageSnapshot SnapshotImages(const std::string& directory) {
    TImageSnapshot images;
    std::error_code error;
    fs::recursive_directory_iterator it(directory, fs::directory_options::skip_permission_denied,
                                        error);
    int entries = 0;
    for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (++entries > kMaxEntries) break;
        const fs::directory_entry& entry = *it;
        const std::string name = entry.path().filename().string();
        std::error_code typeError;
        if (entry.is_directory(typeError)) {
            if ((!name.empty() && name.front() == '.') || it.depth() >= kMaxDepth)
                it.disable_recursion_pending();
            continue;
        }
        if (!IsImageName(name)) continue;
        const TFileStamp stamp = StampOf(entry.path().string());
        if (stamp.Exists) images.emplace(entry.path().string(), stamp);
    }
    return images;
}

std::string BuiltImage(const TImageSnapshot& before, const TImageSnapshot& after) {
    const TImageSnapshot::value_type* best = nullptr;
    for (const auto& image : after) {
        const auto old = before.find(image.first);
        const bool written = old == before.end() || WrittenSince(old->second, image.second);
        if (written && Newer(image, best)) best = &image;
    }
    return best != nullptr ? best->first : std::string();
}

std::string NewestImage(const TImageSnapshot& images) {
    const TImageSnapshot::value_type* best = nullptr;
    for (const auto& image : images) {
        if (Newer(image, best)) best = &image;
    }
    return best != nullptr ? best->first : std::string();
}

void TProjectImages::Remember(const std::string& projectDir, const std::string& imagePath) {
    m_images[projectDir] = imagePath;
}

std::string TProjectImages::Find(const std::string& projectDir) const {
    const auto found = m_images.find(projectDir);
    return found != m_images.end() ? found->second : std::string();
}

std::string ImageForDocument(const std::string& ownImage, const std::string& projectDir,
                             const TProjectImages* images) {
    const TFileStamp own = StampOf(ownImage);
    const std::string built = images != nullptr ? images->Find(projectDir) : std::string();
    if (!built.empty()) {
        const TFileStamp project = StampOf(built);
        if (project.Exists && (!own.Exists || project.ModifiedNs >= own.ModifiedNs)) return built;
    }
    if (!own.Exists && HoldsMakefile(projectDir)) {
        const std::string newest = NewestImage(SnapshotImages(projectDir));
        if (!newest.empty()) return newest;
    }
    return ownImage;
}
