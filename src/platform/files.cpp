// File services over POSIX (and the Win32 equivalents on Windows).
#include "platform/files.h"

#include <sys/stat.h>
#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <direct.h>
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

bool RenameFileNoReplace(const std::string& oldName, const std::string& newName) {
#ifdef _WIN32
    return MoveFileA(oldName.c_str(), newName.c_str()) != 0;
#else
#if defined(SYS_renameat2)
    constexpr unsigned kRenameNoReplace = 1;  // RENAME_NOREPLACE
    if (::syscall(SYS_renameat2, AT_FDCWD, oldName.c_str(), AT_FDCWD, newName.c_str(),
                  kRenameNoReplace) == 0)
        return true;
    if (errno != ENOSYS && errno != EINVAL) return false;
#endif
    // File systems without the no-replace flag: a hard link fails when the target exists.
    if (::link(oldName.c_str(), newName.c_str()) != 0) return false;
    if (::unlink(oldName.c_str()) != 0) {
        ::unlink(newName.c_str());
        return false;
    }
    return true;
#endif
}

TReadDescriptor OpenRegularFileForReading(const std::string& fileName) {
    TReadDescriptor result;
#ifdef _WIN32
    const int flags = O_RDONLY | O_BINARY;
#else
    // Without O_NONBLOCK, opening a named pipe waits for a writer, perhaps forever.
    const int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK;
#endif
    int fd;
    do {
        fd = ::open(fileName.c_str(), flags);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        result.Error = errno;
        return result;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || (info.st_mode & S_IFMT) != S_IFREG) {
        ::close(fd);
        return result;
    }
#ifndef _WIN32
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
#endif
    result.Fd = fd;
    return result;
}

bool FileExists(const std::string& fileName) {
    struct stat info {};
    if (::stat(fileName.c_str(), &info) != 0) return false;
    return (info.st_mode & S_IFMT) != S_IFDIR;
}

int DirectoryEntryError(const std::string& dir) {
    struct stat info {};
    if (::stat(dir.c_str(), &info) != 0) return errno;
    if ((info.st_mode & S_IFMT) != S_IFDIR) return ENOTDIR;
#ifndef _WIN32
    if (::access(dir.c_str(), X_OK) != 0) return errno;
#endif
    return 0;
}

std::string GetCurrentDir() {
    char buffer[4096];
#ifdef _WIN32
    if (::_getcwd(buffer, sizeof buffer) == nullptr) return {};
#else
    if (::getcwd(buffer, sizeof buffer) == nullptr) return {};
#endif
    return buffer;
}

bool IsDiskFull(int errorCode) {
#ifdef EDQUOT
    if (errorCode == EDQUOT) return true;
#endif
    return errorCode == ENOSPC;
}

std::string WriteErrorText(int errorCode) {
    if (IsDiskFull(errorCode)) return "The disk is full";
    if (errorCode == EFBIG) return "The file would be larger than this process may write";
    return std::strerror(errorCode);
}
