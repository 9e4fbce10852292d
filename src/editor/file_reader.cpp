// Byte-clean line reader.
#include "editor/file_reader.h"

#include <algorithm>
#include <cstring>
#include <utility>

TSynEditFileReader::TSynEditFileReader(const std::string& fileName, bool keepText)
    : TSynEditFiler(fileName, TSynFileStream::Mode::Read),
      m_keepText(keepText),
      m_fileSize(m_stream->Size()) {
    // One more byte than the file lets the read that finds its end go to the same block.
    if (keepText) SetBufferSize(std::max<std::uint64_t>(m_fileSize + 1, kDefaultBufferSize));
    if (keepText && m_fileSize >= kReadAheadFrom)
        m_readAhead = std::jthread([this](std::stop_token stop) { ReadAhead(std::move(stop)); });
}

TSynEditFileReader::~TSynEditFileReader() {
    StopReadAhead();
}

void TSynEditFileReader::StopReadAhead() {
    if (!m_readAhead.joinable()) return;
    m_readAhead.request_stop();
    m_readAhead.join();
}

void TSynEditFileReader::ReadAhead(std::stop_token stop) {
    char* const buffer = m_buffer.get();
    std::size_t done = 0;
    try {
        // A file that shrank since it was opened ends early (a read gives 0).
        while (done < m_fileSize && !stop.stop_requested()) {
            const std::size_t got = m_stream->Read(
                buffer + done, std::min<std::uint64_t>(kKeptReadPiece, m_fileSize - done));
            if (got == 0) break;
            done += got;
            std::lock_guard<std::mutex> lock(m_readAheadMutex);
            m_readAheadEnd = done;
            m_readAheadMore.notify_one();
        }
    } catch (...) {
        m_readAheadError = std::current_exception();
    }
    std::lock_guard<std::mutex> lock(m_readAheadMutex);
    m_readAheadDone = true;
    m_readAheadMore.notify_one();
}

bool TSynEditFileReader::FillFromReadAhead() {
    std::size_t end;
    {
        std::unique_lock<std::mutex> lock(m_readAheadMutex);
        m_readAheadMore.wait(lock, [this] { return m_readAheadEnd > m_bufEnd || m_readAheadDone; });
        end = m_readAheadEnd;
    }
    if (end > m_bufEnd) {
        m_filePos += end - m_bufEnd;
        m_bufEnd = end;
        return true;
    }
    m_readAhead.join();
    if (m_readAheadError) std::rethrow_exception(m_readAheadError);
    return false;
}

std::vector<TSynEditFileReader::TBlock> TSynEditFileReader::TakeBlocks() {
    StopReadAhead();
    std::vector<TBlock> blocks = std::move(m_retired);
    m_retired.clear();
    if (m_buffer) blocks.push_back(TBlock{std::move(m_buffer), m_bufferSize});
    m_bufferSize = 0;
    m_bufPos = m_bufEnd = 0;
    return blocks;
}

bool TSynEditFileReader::Fill() {
    m_crKnown = false;
    // Bytes the read-ahead has brought in; once it has ended, reading goes on here (a file
    // that grew meanwhile is read to its new end).
    if (m_readAhead.joinable() && FillFromReadAhead()) return true;
    const std::size_t kept = m_bufEnd - m_bufPos;
    if (m_keepText) {
        if (m_bufEnd == m_bufferSize) {
            // Full: the lines in it must stay put, so the unfinished line moves to a new block.
            const std::size_t size = std::max({kDefaultBufferSize, 2 * kept, kept + (1 << 20)});
            TTextBlock block = NewTextBlock(size);
            std::memcpy(block.get(), m_buffer.get() + m_bufPos, kept);
            m_retired.push_back(TBlock{std::move(m_buffer), m_bufferSize});
            m_buffer = std::move(block);
            m_bufferSize = size;
            m_bufPos = 0;
            m_bufEnd = kept;
        }
    } else {
        if (kept > 0 && m_bufPos > 0) std::memmove(m_buffer.get(), m_buffer.get() + m_bufPos, kept);
        m_bufPos = 0;
        m_bufEnd = kept;
        if (kept > m_bufferSize / 2) SetBufferSize(m_bufferSize * 2);
    }
    // A buffer the size of the file is still filled a piece at a time, so lines are split
    // while the bytes just read are in the processor's cache.
    std::size_t want = m_bufferSize - m_bufEnd;
    if (m_keepText) want = std::min(want, kKeptReadPiece);
    const std::size_t got = m_stream->Read(m_buffer.get() + m_bufEnd, want);
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
            scan = m_bufPos + scanned;
            continue;
        }
        if (m_atEof) {
            m_bufPos = m_bufEnd;
            return {base + start, m_bufEnd - start};
        }
        const std::size_t scanned = m_bufEnd - start;
        Fill();
        scan = m_bufPos + scanned;
    }
}
