// Common state of the buffered line reader and writer: the byte buffer, the position in it,
// the line-break style and the file stream.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "editor/file_stream.h"
#include "editor/text_block.h"

class TSynEditFiler {
  public:
    static constexpr std::size_t kDefaultBufferSize = 16384;

    virtual ~TSynEditFiler() = default;
    TSynEditFiler(const TSynEditFiler&) = delete;
    TSynEditFiler& operator=(const TSynEditFiler&) = delete;

    // 0 = LF only, 1 = CR LF.
    std::uint8_t LineBreakStyle() const { return m_lineBreakStyle; }
    void SetLineBreakStyle(std::uint8_t style) { m_lineBreakStyle = style; }
    std::size_t BufferSize() const { return m_bufferSize; }

  protected:
    TSynEditFiler(const std::string& fileName, TSynFileStream::Mode mode);
    void SetBufferSize(std::size_t size);

    TTextBlock m_buffer;
    std::size_t m_bufPos = 0;
    std::size_t m_bufferSize = 0;
    std::uint8_t m_lineBreakStyle = 0;
    std::unique_ptr<TSynFileStream> m_stream;
};
