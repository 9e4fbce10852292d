// Memory hints; only Linux takes them, elsewhere they do nothing.
#include "platform/memory_advice.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

// Gives the advice for the whole pages inside [data, data + size) of a block of `minimum`
// bytes or more; a kernel that does not know it refuses it, which changes nothing.
[[maybe_unused]] void Advise(char* data, std::size_t size, std::size_t minimum, int advice) {
#if defined(__linux__)
    constexpr std::size_t kPage = 4096;
    if (size < minimum) return;
    const auto from = (reinterpret_cast<std::uintptr_t>(data) + kPage - 1) & ~(kPage - 1);
    const auto to = (reinterpret_cast<std::uintptr_t>(data) + size) & ~(kPage - 1);
    if (to > from) ::madvise(reinterpret_cast<void*>(from), to - from, advice);
#else
    (void)data;
    (void)size;
    (void)minimum;
    (void)advice;
#endif
}

}  // namespace

void AdviseLargePages(char* data, std::size_t size) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    Advise(data, size, std::size_t{8} << 20, MADV_HUGEPAGE);
#else
    (void)data;
    (void)size;
#endif
}

void PopulateForWriting(char* data, std::size_t size) {
    // Below a megabyte the faults cost less than the call.
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    Advise(data, size, std::size_t{1} << 20, MADV_POPULATE_WRITE);
#else
    (void)data;
    (void)size;
#endif
}
