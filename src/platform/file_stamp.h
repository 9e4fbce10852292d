// What tells a file's content apart without reading it: whether it exists, its size and the time
// of its last change. Comparing two stamps of the same name shows whether another program has
// written, replaced or removed the file in between.
#pragma once

#include <cstdint>
#include <string>

struct TFileStamp {
    bool Exists = false;
    std::uint64_t Size = 0;
    // Nanoseconds since the epoch.
    std::int64_t ModifiedNs = 0;

    friend bool operator==(const TFileStamp&, const TFileStamp&) = default;
};

// One stat of the name (symbolic links followed); a name that is missing, or no regular file,
// gives a stamp that does not exist. Nothing of the file is read.
TFileStamp ReadFileStamp(const std::string& fileName);
