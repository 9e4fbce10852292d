// Reading one source file of a project for searching and indexing: regular files only (a pipe
// or device is refused without waiting on it), nothing over the size limit, and no binary file
// (a zero byte in the first 8 KB).
#pragma once

#include <sys/types.h>

#include <compare>
#include <cstdint>
#include <string>

// Files larger than this are not read: no source file is that big.
inline constexpr std::uint64_t kMaxSourceFileSize = 64ull * 1024 * 1024;
// How much of a file's start is looked at for a zero byte.
inline constexpr std::size_t kBinaryProbeSize = 8 * 1024;

// Which file a name stands for, so that a document window's text can take the place of its
// file whatever name reached it.
struct TFileKey {
    dev_t Device = 0;
    ino_t Inode = 0;
    auto operator<=>(const TFileKey&) const = default;
};

enum class TSourceRead { Ok, Failed, NotRegular, TooLarge, Binary };

// Reads the whole file into text (reusing its buffer) and its identity into key. Text is only
// valid with Ok.
TSourceRead ReadSourceFile(const std::string& path, std::string& text, TFileKey& key,
                           std::uint64_t maxSize = kMaxSourceFileSize);

// The identity of the file a path names; false when it does not exist.
bool FileKeyOf(const std::string& path, TFileKey& key);

// True when the first kBinaryProbeSize bytes hold a zero byte.
bool LooksBinary(const std::string& text);
