// Buffered reader that splits a file into lines. Every byte is kept: a zero byte is an
// ordinary character, LF ends a line, and CR ends a line and takes a directly following LF
// with it. Any CR marks the file as CR LF.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "editor/filer.h"

class TSynEditFileReader : public TSynEditFiler {
  public:
    struct TBlock {
        std::unique_ptr<char[]> data;
        std::size_t size;
    };

    // Opens the file; raises EFileStreamError when it cannot be opened or is a directory.
    // With `keepText` the buffer starts at the file's size and is never reused: every line
    // read stays where it is until the reader ends or its blocks are taken, so a loader can
    // keep the lines without copying them.
    explicit TSynEditFileReader(const std::string& fileName, bool keepText = false);

    bool EndOfFile();
    // The next line without its break. The view is valid until the next call, or with
    // `keepText` as long as the reader's blocks live.
    std::string_view ReadLine();
    // With `keepText`: hands over every block the reader filled (they hold the lines read).
    std::vector<TBlock> TakeBlocks();

    // Size of the file when it was opened.
    std::uint64_t FileSize() const { return m_fileSize; }
    std::uint64_t BytesRead() const { return m_filePos; }

  private:
    // Moves the unread bytes to the start of the buffer (doubling the buffer when they fill
    // more than half of it) and reads more behind them. Returns false at the end of the file.
    bool Fill();

    bool m_keepText;
    std::vector<TBlock> m_retired;  // filled blocks of a keepText reader
    std::size_t m_bufEnd = 0;
    std::size_t m_crPos = 0;  // next CR at or after the last scan start; m_bufEnd when none
    bool m_crKnown = false;
    bool m_atEof = false;
    std::uint64_t m_filePos = 0;
    std::uint64_t m_fileSize = 0;
};
