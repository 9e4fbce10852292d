// A block of text bytes, for a file's read buffer and the blocks of loaded lines. It is
// allocated with a few spare bytes in front, so that a line lying alone in a block can take
// the block over as its own text (`TOwnedText::TakeBlock`) instead of being copied.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>
#include <new>

// Bytes allocated in front of a block's data.
inline constexpr std::size_t kTextBlockFront = 16;

struct TTextBlockFree {
    void operator()(char* data) const noexcept { std::free(data - kTextBlockFront); }
};
using TTextBlock = std::unique_ptr<char[], TTextBlockFree>;

// A block with the number of bytes it holds.
struct TSizedTextBlock {
    TTextBlock data;
    std::size_t size = 0;
};

// A block of `size` bytes, left uninitialised; throws std::bad_alloc when there is no memory.
inline TTextBlock NewTextBlock(std::size_t size) {
    char* base = static_cast<char*>(std::malloc(kTextBlockFront + size));
    if (!base) throw std::bad_alloc();
    return TTextBlock(base + kTextBlockFront);
}
