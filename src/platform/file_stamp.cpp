// File stamps from stat.
#include "platform/file_stamp.h"

#include <sys/stat.h>

TFileStamp ReadFileStamp(const std::string& fileName) {
    TFileStamp stamp;
    struct stat info {};
    if (fileName.empty() || ::stat(fileName.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return stamp;
    }
    stamp.Exists = true;
    stamp.Size = static_cast<std::uint64_t>(info.st_size);
    stamp.ModifiedNs = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 +
                       static_cast<std::int64_t>(info.st_mtim.tv_nsec);
    return stamp;
}
