// Append-only text blocks for loaded lines.
#include "editor/text_arena.h"

#include <algorithm>
#include <cstring>

void TSynEditTextArena::AddBlock(std::size_t size) {
    // Left uninitialised on purpose: pages of a large block are only touched when text is
    // written to them, which keeps a load's resident memory close to the text it holds.
    m_blocks.push_back(Block{std::unique_ptr<char[]>(new char[size]), size});
    m_free = m_blocks.back().data.get();
    m_freeBytes = size;
}

void TSynEditTextArena::Reserve(std::size_t bytes) {
    if (bytes > m_freeBytes) AddBlock(bytes);
}

const char* TSynEditTextArena::Store(std::string_view text) {
    if (text.empty()) return nullptr;
    if (text.size() > m_freeBytes) AddBlock(std::max(kMinBlockSize, text.size()));
    char* result = m_free;
    std::memcpy(result, text.data(), text.size());
    m_free += text.size();
    m_freeBytes -= text.size();
    return result;
}

void TSynEditTextArena::Adopt(std::unique_ptr<char[]> data, std::size_t size) {
    // Goes in front of the current block so the current block's free space stays in use.
    m_blocks.insert(m_blocks.end() - (m_blocks.empty() ? 0 : 1), Block{std::move(data), size});
}

void TSynEditTextArena::Absorb(TSynEditTextArena& other) {
    // Our own free tail is kept only when we have no blocks; otherwise the absorbed blocks are
    // full for our purposes and new text goes to our current block.
    const bool hadBlocks = !m_blocks.empty();
    for (Block& block : other.m_blocks) m_blocks.push_back(std::move(block));
    if (!hadBlocks) {
        m_free = other.m_free;
        m_freeBytes = other.m_freeBytes;
    }
    other.m_blocks.clear();
    other.m_free = nullptr;
    other.m_freeBytes = 0;
}

void TSynEditTextArena::Clear() {
    m_blocks.clear();
    m_free = nullptr;
    m_freeBytes = 0;
}
