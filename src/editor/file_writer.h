// Buffered writer of lines, each followed by a line break in the chosen style.
#pragma once

#include <string>
#include <string_view>

#include "editor/filer.h"

class TSynEditFileWriter : public TSynEditFiler {
  public:
    // Larger than the reader's buffer: a save is one long run of writes, and fewer, larger
    // system calls make it markedly faster.
    static constexpr std::size_t kWriterBufferSize = 1 << 18;

    // Creates or truncates the file; raises EFileStreamError when it cannot.
    explicit TSynEditFileWriter(const std::string& fileName);
    // Flushes what is left; errors are lost here, so callers that care call Close first.
    ~TSynEditFileWriter() override;

    void WriteLine(std::string_view line);
    // Writes bytes as they are; a large run goes to the file directly, without the buffer.
    void WriteRaw(std::string_view bytes);
    // The line break of the writer's style.
    std::string_view LineBreak() const { return m_lineBreakStyle == 1 ? "\r\n" : "\n"; }
    void Flush();
    // Flushes and closes the file, raising any error.
    void Close();
};
