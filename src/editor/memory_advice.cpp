// Memory hints; only Linux takes them, elsewhere they do nothing.
#include "editor/memory_advice.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

constexpr std::size_t kPage = 4096;

// The whole pages inside [data, data + size), or false when there are none.
bool InnerPages(char* data, std::size_t size, void*& begin, std::size_t& length) {
    const auto from = (reinterpret_cast<std::uintptr_t>(data) + kPage - 1) & ~(kPage - 1);
    const auto to = (reinterpret_cast<std::uintptr_t>(data) + size) & ~(kPage - 1);
    if (to <= from) return false;
    begin = reinterpret_cast<void*>(from);
    length = to - from;
    return true;
}

}  // namespace

void AdviseLargePages(char* data, std::size_t size) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    void* begin = nullptr;
    std::size_t length = 0;
    if (size >= (std::size_t{8} << 20) && InnerPages(data, size, begin, length))
        ::madvise(begin, length, MADV_HUGEPAGE);
#else
    (void)data;
    (void)size;
#endif
}

void PopulateForWriting(char* data, std::size_t size) {
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    // Below a megabyte the faults cost less than the call. A kernel without this advice
    // refuses it, and the pages then fault in as they are written.
    void* begin = nullptr;
    std::size_t length = 0;
    if (size >= (std::size_t{1} << 20) && InnerPages(data, size, begin, length))
        ::madvise(begin, length, MADV_POPULATE_WRITE);
#else
    (void)data;
    (void)size;
#endif
}
