// Reading project files without hanging on pipes or swallowing huge and binary files.
#include "project/source_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

// Closes the descriptor on every way out.
struct TDescriptor {
    int Fd;
    ~TDescriptor() {
        if (Fd >= 0) ::close(Fd);
    }
};

}  // namespace

bool LooksBinary(const std::string& text) {
    const std::size_t probe = std::min(text.size(), kBinaryProbeSize);
    return std::memchr(text.data(), 0, probe) != nullptr;
}

bool FileKeyOf(const std::string& path, TFileKey& key) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return false;
    key = TFileKey{info.st_dev, info.st_ino};
    return true;
}

TSourceRead ReadSourceFile(const std::string& path, std::string& text, TFileKey& key,
                           std::uint64_t maxSize) {
    // Without O_NONBLOCK, opening a named pipe waits for a writer, perhaps forever; a regular
    // file reads the same either way, so the flag stays.
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return TSourceRead::Failed;
    const TDescriptor descriptor{fd};
    struct stat info {};
    if (::fstat(descriptor.Fd, &info) != 0) return TSourceRead::Failed;
    if (!S_ISREG(info.st_mode)) return TSourceRead::NotRegular;
    key = TFileKey{info.st_dev, info.st_ino};
    if (static_cast<std::uint64_t>(info.st_size) > maxSize) return TSourceRead::TooLarge;

    // The size may change while reading; read until the end whatever fstat said, within limits.
    text.resize(static_cast<std::size_t>(info.st_size) + 1);
    std::size_t used = 0;
    for (;;) {
        if (used == text.size()) {
            if (text.size() > maxSize) return TSourceRead::TooLarge;
            text.resize(text.size() * 2);
        }
        const ssize_t got = ::read(descriptor.Fd, text.data() + used, text.size() - used);
        if (got < 0) {
            if (errno == EINTR) continue;
            return TSourceRead::Failed;
        }
        if (got == 0) break;
        used += static_cast<std::size_t>(got);
        // The size fstat gave is read: stop there unless the file grew meanwhile (the buffer's
        // spare byte got filled), which saves a call per file.
        if (used == static_cast<std::size_t>(info.st_size) && used < text.size()) break;
    }
    text.resize(used);
    if (used > maxSize) return TSourceRead::TooLarge;
    return LooksBinary(text) ? TSourceRead::Binary : TSourceRead::Ok;
}
