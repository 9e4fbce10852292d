// Append-only text blocks for loaded lines.
#include "editor/text_arena.h"

#include <algorithm>
#include <cstring>

void TSynEditTextArena::AddBlock(std::size_t size) {
    // Left uninitialised on purpose: pages of a large block are only touched when text is
    // written to them, which keeps a load's resident memory close to the text it holds.
    m_blocks.push_back(Block{NewTextBlock(size), size});
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

void TSynEditTextArena::Adopt(TTextBlock data, std::size_t size) {
    // Goes in front of the current block so the current block's free space stays in use.
    m_blocks.insert(m_blocks.end() - (m_blocks.empty() ? 0 : 1), Block{std::move(data), size});
}

TSizedTextBlock TSynEditTextArena::TakeBlockOf(const char* text) {
    const auto block = std::find_if(m_blocks.begin(), m_blocks.end(), [text](const Block& b) {
        return text >= b.data.get() && text < b.data.get() + b.size;
    });
    if (block == m_blocks.end()) return {};
    if (m_free >= block->data.get() && m_free <= block->data.get() + block->size) {
        m_free = nullptr;
        m_freeBytes = 0;
    }
    TSizedTextBlock taken = std::move(*block);
    m_blocks.erase(block);
    return taken;
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
