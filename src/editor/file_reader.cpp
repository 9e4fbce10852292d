// Byte-clean line reader.
#include "editor/file_reader.h"

#include <cstring>

TSynEditFileReader::TSynEditFileReader(const std::string& fileName)
    : TSynEditFiler(fileName, TSynFileStream::Mode::Read), m_fileSize(m_stream->Size()) {}

bool TSynEditFileReader::Fill() {
    const std::size_t kept = m_bufEnd - m_bufPos;
    if (kept > 0 && m_bufPos > 0) std::memmove(m_buffer.get(), m_buffer.get() + m_bufPos, kept);
    m_bufPos = 0;
    m_bufEnd = kept;
    m_crKnown = false;
    if (kept > m_bufferSize / 2) SetBufferSize(m_bufferSize * 2);
    const std::size_t got = m_stream->Read(m_buffer.get() + kept, m_bufferSize - kept);
    if (got == 0) {
        m_atEof = true;
        return false;
    }
    m_bufEnd += got;
    m_filePos += got;
    return true;
}

bool TSynEditFileReader::EndOfFile() {
    if (m_bufPos < m_bufEnd) return false;
    if (m_atEof) return true;
    return !Fill();
}

std::string_view TSynEditFileReader::ReadLine() {
    std::size_t scan = m_bufPos;
    for (;;) {
        const char* base = m_buffer.get();
        const void* lfHit = std::memchr(base + scan, '\n', m_bufEnd - scan);
        const std::size_t lf = lfHit ? static_cast<const char*>(lfHit) - base : m_bufEnd;
        // The next CR is looked up once per buffer and reused until passed, so a file
        // without CRs costs one memchr per buffer for them.
        if (!m_crKnown || m_crPos < scan) {
            const void* crHit = std::memchr(base + scan, '\r', m_bufEnd - scan);
            m_crPos = crHit ? static_cast<const char*>(crHit) - base : m_bufEnd;
            m_crKnown = true;
        }
        const std::size_t brk = lf < m_crPos ? lf : m_crPos;
        const std::size_t start = m_bufPos;
        if (brk < m_bufEnd) {
            if (base[brk] == '\n') {
                m_bufPos = brk + 1;
                return {base + start, brk - start};
            }
            if (brk + 1 < m_bufEnd || m_atEof) {
                m_lineBreakStyle = 1;
                m_bufPos = brk + 1;
                if (m_bufPos < m_bufEnd && base[m_bufPos] == '\n') ++m_bufPos;
                return {base + start, brk - start};
            }
            // A CR as the last buffered byte: whether an LF follows is still unknown.
            const std::size_t scanned = brk - start;
            Fill();
            scan = scanned;
            continue;
        }
        if (m_atEof) {
            m_bufPos = m_bufEnd;
            return {base + start, m_bufEnd - start};
        }
        const std::size_t scanned = m_bufEnd - start;
        Fill();
        scan = scanned;
    }
}
