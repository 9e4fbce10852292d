// File stream on the POSIX file calls.
#include "editor/file_stream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/files.h"

namespace {

std::function<void(std::uint64_t)> g_readFault;

[[noreturn]] void RaiseIoError(int error) {
    throw EFileStreamError("I/O error " + std::to_string(error), error);
}

}  // namespace

TSynFileStream::TSynFileStream(const std::string& fileName, Mode mode) {
    if (mode == Mode::Read) {
        // Only regular files are read: a pipe would block the program and a device could feed
        // it without end.
        const TReadDescriptor opened = OpenRegularFileForReading(fileName);
        m_fd = opened.Fd;
        if (m_fd < 0) {
            const int error = opened.Error;
            const char* why = error == 0 ? "Not a regular file" : std::strerror(error);
            if (error == 0) {
                struct stat info {};
                if (::stat(fileName.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
                    why = std::strerror(EISDIR);
            }
            throw EFileStreamError("Cannot open file \"" + fileName + "\". " + why);
        }
        return;
    }
    do {
        m_fd = ::open(fileName.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    } while (m_fd < 0 && errno == EINTR);
    if (m_fd < 0) {
        const int error = errno;
        throw EFileStreamError("Cannot create file \"" + fileName + "\". " + std::strerror(error),
                               error);
    }
}

TSynFileStream::~TSynFileStream() {
    if (m_fd >= 0) ::close(m_fd);
}

std::uint64_t TSynFileStream::Size() const {
    struct stat info {};
    if (::fstat(m_fd, &info) != 0) RaiseIoError(errno);
    return S_ISREG(info.st_mode) ? static_cast<std::uint64_t>(info.st_size) : 0;
}

void SetReadFaultForTesting(std::function<void(std::uint64_t bytesRead)> fault) {
    g_readFault = std::move(fault);
}

std::size_t TSynFileStream::Read(char* buffer, std::size_t count) {
    if (g_readFault) g_readFault(m_bytesRead);
    for (;;) {
        const ssize_t got = ::read(m_fd, buffer, count);
        if (got >= 0) {
            m_bytesRead += static_cast<std::uint64_t>(got);
            return static_cast<std::size_t>(got);
        }
        if (errno != EINTR) RaiseIoError(errno);
    }
}

void TSynFileStream::WriteAll(const char* data, std::size_t count) {
    while (count > 0) {
        const ssize_t done = ::write(m_fd, data, count);
        if (done < 0) {
            if (errno == EINTR) continue;
            RaiseIoError(errno);
        }
        data += done;
        count -= static_cast<std::size_t>(done);
    }
}

void TSynFileStream::Close() {
    if (m_fd < 0) return;
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 && errno != EINTR) RaiseIoError(errno);
}
