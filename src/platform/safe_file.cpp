// Temporary file, permissions and rename of the safe save.
#include "platform/safe_file.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <string_view>
#include <vector>

#ifndef _WIN32
#include <dirent.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// Marks our temporary files: ".game.c" + kSaveMarker + "<pid>-XXXXXX".
constexpr std::string_view kSaveMarker = ".quillon-save-";

// Files older than this were left by earlier processes (taken when the program is loaded).
const std::time_t g_processStart = std::time(nullptr);

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
    throw ESafeSaveError("Cannot create file \"" + fileName + "\". " + WriteErrorText(error),
                         error);
}

// Calls write, turning a file error of it into the report about the file the user saved.
void WriteContent(const std::string& fileName, const std::string& path,
                  const std::function<void(const std::string&)>& write) {
    try {
        write(path);
    } catch (const EFileError& error) {
        if (error.ErrorCode() == 0) throw;
        Fail(fileName, error.ErrorCode());
    }
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
// directory's refusal is reported. The new content is made in memory first, so its size is
// known: the room for it is reserved before the first byte of the file changes, and a disk
// without that room leaves the file as it was.
void WriteInPlace(const std::string& fileName, const std::string& target,
                  const std::function<void(const std::string&)>& write, int directoryError) {
    const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) Fail(fileName, directoryError);
    TDescriptor descriptor(fd);
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) Fail(fileName, directoryError);

    const int memory = ::memfd_create("quillon-save", MFD_CLOEXEC);
    if (memory < 0) Fail(fileName, errno);
    TDescriptor memoryDescriptor(memory);
    WriteContent(fileName, "/proc/self/fd/" + std::to_string(memory), write);
    struct stat made {};
    if (::fstat(memory, &made) != 0) Fail(fileName, errno);
    const off_t newSize = made.st_size;

    if (newSize > 0) {
        const int error = ::posix_fallocate(fd, 0, newSize);
        if (error != 0) {
            // A reservation that grew the file before it failed is taken back.
            struct stat now {};
            if (::fstat(fd, &now) == 0 && now.st_size != info.st_size) [[maybe_unused]]
                const int ignored = ::ftruncate(fd, info.st_size);
            Fail(fileName, error);
        }
    }
    std::vector<char> buffer(1 << 16);
    for (off_t offset = 0; offset < newSize;) {
        const ssize_t got = ::pread(memory, buffer.data(), buffer.size(), offset);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) Fail(fileName, got < 0 ? errno : EIO);
        for (ssize_t done = 0; done < got;) {
            const ssize_t put =
                ::pwrite(fd, buffer.data() + done, static_cast<size_t>(got - done), offset + done);
            if (put < 0 && errno == EINTR) continue;
            if (put <= 0) Fail(fileName, put < 0 ? errno : EIO);
            done += put;
        }
        offset += got;
    }
    if (::ftruncate(fd, newSize) != 0) Fail(fileName, errno);
    if (::fsync(fd) != 0) Fail(fileName, errno);
}

bool ProcessRuns(long pid) {
    if (pid <= 0) return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
}

// The process id in one of our temporary file names, or -1 when the name is not one of ours.
long SaveFileProcess(std::string_view name) {
    if (name.size() < 1 + kSaveMarker.size() + 8 || name.front() != '.') return -1;
    // ".<name>" kSaveMarker "<digits>-XXXXXX"
    const std::string_view tail = name.substr(name.size() - 7);
    if (tail.front() != '-') return -1;
    const std::string_view front = name.substr(0, name.size() - 7);
    std::size_t digits = front.size();
    while (digits > 0 && front[digits - 1] >= '0' && front[digits - 1] <= '9') --digits;
    if (digits == front.size() || front.size() - digits > 9) return -1;
    const std::string_view before = front.substr(0, digits);
    if (before.size() <= kSaveMarker.size() ||
        before.substr(before.size() - kSaveMarker.size()) != kSaveMarker)
        return -1;
    return std::stol(std::string(front.substr(digits)));
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

std::string SaveFilePattern(const std::string& target, long pid) {
    return DirectoryOf(target) + "." + NameOf(target) + std::string(kSaveMarker) +
           std::to_string(pid) + "-XXXXXX";
}

int RemoveStaleSaveFiles(const std::string& directory) {
#ifdef _WIN32
    (void)directory;
    return 0;
#else
    const std::string prefix =
        directory.empty() ? std::string() : (directory.back() == '/' ? directory : directory + "/");
    DIR* handle = ::opendir(prefix.empty() ? "." : prefix.c_str());
    if (handle == nullptr) return 0;
    int removed = 0;
    while (const dirent* entry = ::readdir(handle)) {
        const long pid = SaveFileProcess(entry->d_name);
        if (pid < 0) continue;
        const std::string path = prefix + entry->d_name;
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
            info.st_uid != ::geteuid() || info.st_mtime >= g_processStart || ProcessRuns(pid))
            continue;
        if (::unlink(path.c_str()) == 0) ++removed;
    }
    ::closedir(handle);
    return removed;
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
        // Replacing by rename needs only the directory's permission; the file's own counts. The
        // effective ids decide, as they do for the write itself.
        if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) Fail(fileName, errno);
    }

    // Leftovers of killed saves would otherwise fill the disk a save needs.
    const std::string directory = DirectoryOf(target);
    RemoveStaleSaveFiles(directory.empty() ? "." : directory);
    std::string pattern = SaveFilePattern(target, static_cast<long>(::getpid()));
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
    WriteContent(fileName, temp.Name(), write);

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
