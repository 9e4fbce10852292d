// Buffered reader that splits a file into lines. Every byte is kept: a zero byte is an
// ordinary character, LF ends a line, and CR ends a line and takes a directly following LF
// with it. Any CR marks the file as CR LF.
#pragma once

#include <bit>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <exception>
#include <memory>
#include <mutex>
#include <stop_token>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

#include "editor/filer.h"

class TSynEditFileReader : public TSynEditFiler {
  public:
    using TBlock = TSizedTextBlock;

    // Opens the file; raises EFileStreamError when it cannot be opened or is a directory.
    // With `keepText` the buffer starts at the file's size and is never reused: every line
    // read stays where it is until the reader ends or its blocks are taken, so a loader can
    // keep the lines without copying them.
    // A large file read with `keepText` is read by a second thread a piece at a time while
    // this one splits the lines already there.
    explicit TSynEditFileReader(const std::string& fileName, bool keepText = false);
    ~TSynEditFileReader() override;

    bool EndOfFile();
    // The next line without its break. The view is valid until the next call, or with
    // `keepText` as long as the reader's blocks live.
    std::string_view ReadLine();
    // Calls f(line) for every line to the end of the file, like ReadLine in a loop: the lines
    // wholly inside the buffer are split in one pass over it.
    template <typename F>
    void ReadLines(F&& f);
    // Whether a line ReadLines handed out held a tab.
    bool SawTab() const { return m_sawTab; }
    // With `keepText`: hands over every block the reader filled (they hold the lines read).
    std::vector<TBlock> TakeBlocks();

    // Size of the file when it was opened.
    std::uint64_t FileSize() const { return m_fileSize; }
    std::uint64_t BytesRead() const { return m_filePos; }

  private:
    // Moves the unread bytes to the start of the buffer (doubling the buffer when they fill
    // more than half of it) and reads more behind them. Returns false at the end of the file.
    bool Fill();
    // Splits the buffered lines whose break is followed by at least one buffered byte (so a
    // CR's LF is never cut off), calling f for each; stops at the first incomplete line.
    template <typename F>
    void SplitBuffered(F& f);

    static constexpr std::size_t kKeptReadPiece = 1 << 20;
    static constexpr std::uint64_t kReadAheadFrom = 8 << 20;

    // The read-ahead thread: fills the buffer from its start up to the file's size, or until
    // asked to stop. While it runs it alone uses the stream and writes the buffer's bytes past
    // the published end; this thread reads only the bytes published under the mutex, and takes
    // the stream, the buffer and the error back only once it has joined the thread.
    void ReadAhead(std::stop_token stop);
    // Waits for bytes beyond the buffered ones from the read-ahead; false once it has ended
    // (its error, if any, is raised then).
    bool FillFromReadAhead();
    // Asks the read-ahead to stop after the piece it is reading and joins it: a reader given
    // up part-way (an error or an exception of the caller's) reads no further.
    void StopReadAhead();

    std::jthread m_readAhead;
    std::mutex m_readAheadMutex;
    std::condition_variable m_readAheadMore;
    std::size_t m_readAheadEnd = 0;  // bytes read ahead, under the mutex
    bool m_readAheadDone = false;    // under the mutex
    std::exception_ptr m_readAheadError;

    bool m_keepText;
    std::vector<TBlock> m_retired;  // filled blocks of a keepText reader
    std::size_t m_bufEnd = 0;
    std::size_t m_crPos = 0;  // next CR at or after the last scan start; m_bufEnd when none
    bool m_crKnown = false;
    bool m_atEof = false;
    bool m_sawTab = false;
    std::uint64_t m_filePos = 0;
    std::uint64_t m_fileSize = 0;
};

template <typename F>
void TSynEditFileReader::ReadLines(F&& f) {
    while (!EndOfFile()) {
        SplitBuffered(f);
        // The rest of the buffer is one incomplete line: read with refills, then go on fast.
        if (!EndOfFile()) {
            const std::string_view line = ReadLine();
            if (!m_sawTab && std::memchr(line.data(), '\t', line.size())) m_sawTab = true;
            f(line);
        }
    }
}

template <typename F>
void TSynEditFileReader::SplitBuffered(F& f) {
    const char* base = m_buffer.get();
    if (m_bufEnd - m_bufPos < 2) return;
    const std::size_t limit = m_bufEnd - 1;  // a break must have a byte after it
    std::size_t start = m_bufPos;
    auto lineBreak = [&](std::size_t at) {
        if (at < start) return;  // the LF of a CR LF already taken
        f(std::string_view(base + start, at - start));
        if (base[at] == '\r') {
            m_lineBreakStyle = 1;
            if (base[at + 1] == '\n') ++at;
        }
        start = at + 1;
    };
    std::size_t at = start;
    // Tabs are noted on the way, so that measuring the lines later need not read them again.
    unsigned tabs = 0;
#if defined(__SSE2__) || defined(_M_X64)
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i tab = _mm_set1_epi8('\t');
    for (; at + 16 <= limit; at += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(base + at));
        tabs |= static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, tab)));
        unsigned mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(bytes, lf), _mm_cmpeq_epi8(bytes, cr))));
        while (mask) {
            lineBreak(at + static_cast<std::size_t>(std::countr_zero(mask)));
            mask &= mask - 1;
        }
    }
#endif
    for (; at < limit; ++at) {
        if (base[at] == '\n' || base[at] == '\r') lineBreak(at);
        tabs |= base[at] == '\t';
    }
    if (tabs != 0) m_sawTab = true;
    m_bufPos = start;
    m_crKnown = false;
}
