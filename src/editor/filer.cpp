// Buffered file access shared by the line reader and writer.
#include "editor/filer.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "editor/memory_advice.h"

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
