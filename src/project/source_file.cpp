// Reading project files without hanging on pipes or swallowing huge and binary files.
#include "project/source_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/files.h"

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
    const TReadDescriptor opened = OpenRegularFileForReading(path);
    if (opened.Fd < 0) return opened.Error == 0 ? TSourceRead::NotRegular : TSourceRead::Failed;
    const TDescriptor descriptor{opened.Fd};
    struct stat info {};
    if (::fstat(descriptor.Fd, &info) != 0) return TSourceRead::Failed;
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
    }
    text.resize(used);
    if (used > maxSize) return TSourceRead::TooLarge;
    return LooksBinary(text) ? TSourceRead::Binary : TSourceRead::Ok;
}
