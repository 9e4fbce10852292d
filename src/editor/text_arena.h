// Large append-only blocks holding the text of lines read from a file, so that a loaded line
// costs no allocation of its own. Space of lines deleted later is given back only on Clear.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

#include "editor/text_block.h"

class TSynEditTextArena {
  public:
    // Makes the next `bytes` bytes of stored text land in one block.
    void Reserve(std::size_t bytes);
    // Copies `text` into the arena; the returned pointer stays valid until Clear. Empty text
    // yields nullptr.
    const char* Store(std::string_view text);
    // Takes over a filled block; pointers into it stay valid until Clear.
    void Adopt(TTextBlock data, std::size_t size);
    // Gives up the block `text` lies in, for a line that is the only one left in it; null when
    // no block holds it. Text stored later goes to a new block.
    TSizedTextBlock TakeBlockOf(const char* text);
    // Takes over all blocks of `other`, leaving it empty; pointers into them stay valid.
    void Absorb(TSynEditTextArena& other);
    void Clear();

  private:
    // The test programs define this class to check that lines point into the blocks; nothing
    // else does.
    friend class TSynEditInvariants;

    using Block = TSizedTextBlock;
    static constexpr std::size_t kMinBlockSize = 1 << 20;

    void AddBlock(std::size_t size);

    std::vector<Block> m_blocks;
    char* m_free = nullptr;
    std::size_t m_freeBytes = 0;
};
