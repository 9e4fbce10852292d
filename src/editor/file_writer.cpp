// Buffered line writer.
#include "editor/file_writer.h"

#include <cstring>

TSynEditFileWriter::TSynEditFileWriter(const std::string& fileName)
    : TSynEditFiler(fileName, TSynFileStream::Mode::Create) {
    SetBufferSize(kWriterBufferSize);
}

TSynEditFileWriter::~TSynEditFileWriter() {
    try {
        Flush();
    } catch (...) {
    }
}

void TSynEditFileWriter::Flush() {
    if (m_bufPos == 0 || !m_stream) return;
    const std::size_t count = m_bufPos;
    m_bufPos = 0;
    m_stream->WriteAll(m_buffer.get(), count);
}

void TSynEditFileWriter::WriteLine(std::string_view line) {
    const std::size_t needed = line.size() + (m_lineBreakStyle == 1 ? 2 : 1);
    while (m_bufferSize - m_bufPos < needed) {
        if (m_bufPos == 0) {
            SetBufferSize(needed);
            break;
        }
        Flush();
    }
    char* out = m_buffer.get() + m_bufPos;
    if (!line.empty()) std::memcpy(out, line.data(), line.size());
    out += line.size();
    if (m_lineBreakStyle == 1) *out++ = '\r';
    *out = '\n';
    m_bufPos += needed;
}

void TSynEditFileWriter::WriteRaw(std::string_view bytes) {
    if (bytes.size() > m_bufferSize / 2) {
        Flush();
        m_stream->WriteAll(bytes.data(), bytes.size());
        return;
    }
    if (m_bufferSize - m_bufPos < bytes.size()) Flush();
    if (!bytes.empty()) std::memcpy(m_buffer.get() + m_bufPos, bytes.data(), bytes.size());
    m_bufPos += bytes.size();
}

void TSynEditFileWriter::Close() {
    Flush();
    if (m_stream) m_stream->Close();
}
