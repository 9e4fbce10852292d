// Temporary file, permissions and rename of the safe save.
#include "platform/safe_file.h"

#include <cerrno>
#include <cstring>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

std::string DirectoryOf(const std::string& path) {
    const std::string::size_type slash = path.rfind('/');
    if (slash == std::string::npos) return std::string();
    return path.substr(0, slash + 1);
}

std::string NameOf(const std::string& path) {
    const std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

[[noreturn]] void Fail(const std::string& fileName, int error) {
    throw ESafeSaveError("Cannot create file \"" + fileName + "\". " + std::strerror(error));
}

#ifndef _WIN32
// Removes the temporary file unless the rename has consumed it.
class TTempFile {
  public:
    explicit TTempFile(std::string name) : m_name(std::move(name)) {}
    ~TTempFile() {
        if (!m_name.empty()) ::unlink(m_name.c_str());
    }
    const std::string& Name() const { return m_name; }
    void Release() { m_name.clear(); }

  private:
    std::string m_name;
};

// Closes a descriptor on every path.
class TDescriptor {
  public:
    explicit TDescriptor(int fd) : m_fd(fd) {}
    ~TDescriptor() { Close(); }
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;
    void Close() {
        if (m_fd >= 0) ::close(m_fd);
        m_fd = -1;
    }

  private:
    int m_fd;
};

// Rewrites the target itself and flushes it to the disk. Used only when no temporary file can
// be made beside it; when the target is not writable either, it stays as it was and the
// directory's refusal is reported.
void WriteInPlace(const std::string& fileName, const std::string& target,
                  const std::function<void(const std::string&)>& write, int directoryError) {
    const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) Fail(fileName, directoryError);
    TDescriptor descriptor(fd);
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) Fail(fileName, directoryError);
    write(target);
    if (::fsync(fd) != 0) Fail(fileName, errno);
}

mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}
#endif

}  // namespace

std::string ResolveWriteTarget(const std::string& fileName) {
#ifdef _WIN32
    return fileName;
#else
    std::string path = fileName;
    for (int depth = 0; depth < 40; ++depth) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
        std::vector<char> buffer(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 255) +
                                 1);
        const ssize_t length = ::readlink(path.c_str(), buffer.data(), buffer.size());
        if (length < 0) return path;
        std::string link(buffer.data(), static_cast<std::size_t>(length));
        path = (!link.empty() && link[0] == '/') ? link : DirectoryOf(path) + link;
    }
    return path;
#endif
}

void WriteFileSafely(const std::string& fileName,
                     const std::function<void(const std::string& tempName)>& write) {
#ifdef _WIN32
    write(fileName);
#else
    const std::string target = ResolveWriteTarget(fileName);
    struct stat info {};
    const bool exists = ::stat(target.c_str(), &info) == 0;
    if (exists) {
        if (S_ISDIR(info.st_mode)) Fail(fileName, EISDIR);
        // Replacing by rename needs only the directory's permission; the file's own counts.
        if (::access(target.c_str(), W_OK) != 0) Fail(fileName, errno);
    }

    std::string pattern = DirectoryOf(target) + "." + NameOf(target) + ".XXXXXX";
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        const int error = errno;
        // A directory that takes no new files may still hold a file we may write: then the
        // file is rewritten where it is, which is the only way left to save it.
        if (exists && (error == EACCES || error == EPERM)) {
            WriteInPlace(fileName, target, write, error);
            return;
        }
        Fail(fileName, error);
    }
    TTempFile temp(pattern);
    TDescriptor descriptor(fd);
    // The temporary file stays readable and writable for us while it is written; the mode goes
    // on afterwards, so a file without read or write permission for its owner saves as well.
    write(temp.Name());

    // The content must be on the disk before the name points at it. The descriptor from the
    // creation is open for writing, whatever the final mode.
    if (::fsync(fd) != 0) Fail(fileName, errno);
    if (exists) {
        // Keeping owner and group works only where we may; the mode is what matters.
        [[maybe_unused]] const int ignored = ::fchown(fd, info.st_uid, info.st_gid);
    }
    const mode_t mode = exists ? (info.st_mode & 07777) : NewFileMode();
    if (::fchmod(fd, mode) != 0) Fail(fileName, errno);
    descriptor.Close();

    if (::rename(temp.Name().c_str(), target.c_str()) != 0) Fail(fileName, errno);
    temp.Release();
#endif
}
