// Buffered file access shared by the line reader and writer.
#include "editor/filer.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

// A buffer that holds a whole large file is filled once and kept as the text of its lines:
// asking for large pages for it saves most of the page faults of filling it.
void AdviseLargePages(char* data, std::size_t size) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr std::size_t kPage = 4096;
    if (size < (std::size_t{8} << 20)) return;
    const auto begin = (reinterpret_cast<std::uintptr_t>(data) + kPage - 1) & ~(kPage - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(data) + size) & ~(kPage - 1);
    if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
    (void)data;
    (void)size;
#endif
}

}  // namespace

TSynEditFiler::TSynEditFiler(const std::string& fileName, TSynFileStream::Mode mode)
    : m_stream(std::make_unique<TSynFileStream>(fileName, mode)) {
    SetBufferSize(kDefaultBufferSize);
}

void TSynEditFiler::SetBufferSize(std::size_t size) {
    if (size == m_bufferSize) return;
    auto buffer = std::unique_ptr<char[]>(new char[size]);
    AdviseLargePages(buffer.get(), size);
    if (m_buffer) std::memcpy(buffer.get(), m_buffer.get(), std::min(size, m_bufferSize));
    m_buffer = std::move(buffer);
    m_bufferSize = size;
}
