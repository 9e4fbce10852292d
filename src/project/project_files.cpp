// Walking a project's directory tree.
#include "project/project_files.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <memory>

namespace {

struct TDirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

std::string WithSlash(std::string directory) {
    if (directory.empty()) return "./";
    if (directory.back() != '/') directory += '/';
    return directory;
}

std::string RealPath(const std::string& path) {
    char buffer[PATH_MAX];
    if (::realpath(path.c_str(), buffer) == nullptr) return {};
    return buffer;
}

class TProjectWalk {
  public:
    TProjectWalk(const std::string& root, const TFileMask& mask, std::stop_token stop)
        : m_root(WithSlash(root)),
          m_realRoot(WithSlash(RealPath(root))),
          m_mask(mask),
          m_stop(std::move(stop)) {}

    std::vector<std::string> Run() {
        Walk("");
        return std::move(m_files);
    }

  private:
    void Walk(const std::string& relative) {
        if (m_stop.stop_requested()) return;
        std::unique_ptr<DIR, TDirCloser> dir(::opendir((m_root + relative).c_str()));
        if (!dir) return;
        std::vector<std::string> files;
        std::vector<std::string> directories;
        while (const dirent* entry = ::readdir(dir.get())) {
            const std::string name = entry->d_name;
            if (name == "." || name == "..") continue;
            unsigned char type = entry->d_type;
            const std::string path = m_root + relative + name;
            if (type == DT_UNKNOWN) {
                struct stat info {};
                if (::lstat(path.c_str(), &info) != 0) continue;
                type = S_ISDIR(info.st_mode)   ? DT_DIR
                       : S_ISREG(info.st_mode) ? DT_REG
                       : S_ISLNK(info.st_mode) ? DT_LNK
                                               : DT_FIFO;
            }
            if (type == DT_DIR) {
                if (name.front() != '.') directories.push_back(name);
            } else if (type == DT_REG) {
                if (m_mask.Matches(name)) files.push_back(name);
            } else if (type == DT_LNK) {
                if (m_mask.Matches(name) && LinksToFileInside(path)) files.push_back(name);
            }
        }
        dir.reset();
        std::sort(files.begin(), files.end());
        std::sort(directories.begin(), directories.end());
        for (const std::string& name : files) m_files.push_back(relative + name);
        for (const std::string& name : directories) Walk(relative + name + "/");
    }

    bool LinksToFileInside(const std::string& path) const {
        struct stat info {};
        if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
        const std::string target = RealPath(path);
        return m_realRoot.size() > 1 && target.compare(0, m_realRoot.size(), m_realRoot) == 0;
    }

    std::string m_root;
    std::string m_realRoot;
    const TFileMask& m_mask;
    std::stop_token m_stop;
    std::vector<std::string> m_files;
};

}  // namespace

std::vector<std::string> ListProjectFiles(const std::string& root, const TFileMask& mask,
                                          std::stop_token stop) {
    return TProjectWalk(root, mask, std::move(stop)).Run();
}
