// The layout of a console image in 8 KB banks: how much of each bank holds data and where the
// free space is, from the bytes alone. A bank's free space is the run of one fill byte (0xFF or
// 0x00) at its end and, inside it, every run of at least 256 equal fill bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::uint32_t kRomBankSize = 8192;
inline constexpr std::uint32_t kCopierHeaderSize = 512;
// Runs of a fill byte shorter than this inside a bank count as data (tables of zeros).
inline constexpr std::uint32_t kMinInnerFreeRun = 256;
// The largest image a card maps (with the bank-switching mapper of the biggest cards).
inline constexpr std::uint64_t kLargestCardSize = 2621440;

// A run of free bytes inside a bank: offset from the bank's start and length.
struct TFreeRun {
    std::uint32_t Offset = 0;
    std::uint32_t Length = 0;
    friend bool operator==(const TFreeRun&, const TFreeRun&) = default;
};

struct TRomBank {
    int Number = 0;
    std::uint64_t Offset = 0;  // in the image, after any copier header
    std::uint32_t Size = 0;    // kRomBankSize, less for a short last bank
    std::uint32_t Free = 0;
    std::vector<TFreeRun> FreeRuns;  // in order; the trailing run, when any, is the last

    std::uint32_t Used() const { return Size - Free; }
    // Over 90 % of the bank holds data.
    bool NearlyFull() const {
        return Size > 0 && std::uint64_t{Used()} * 10 > std::uint64_t{Size} * 9;
    }
};

struct TRomLayout {
    std::uint64_t FileSize = 0;
    bool CopierHeader = false;  // the first 512 bytes were a copier's header, skipped
    std::uint64_t ImageSize = 0;
    std::vector<TRomBank> Banks;
    std::uint64_t Used = 0;
    std::uint64_t Free = 0;
    // Empty for a size a card can have; otherwise what is wrong with it, in words.
    std::string SizeProblem;
};

// The banks of an image given as its file's bytes.
TRomLayout AnalyseRom(std::string_view fileBytes);

// Reads the image file (a regular file of at most 16 MB). Throws EFileError with a message
// naming the file when it cannot be read or is too big.
std::string ReadRomFile(const std::string& path);
// Reads the image file and analyses it; throws as ReadRomFile does.
TRomLayout LoadRomLayout(const std::string& path);

// "1,234,567": a count with thousands separators, as the figures are shown.
std::string GroupedNumber(std::uint64_t value);

// The bank's figures in words, as the view's tooltip and summary show them.
std::string BankSummary(const TRomBank& bank);
// The image's totals and notes (header, size problem) in words.
std::string LayoutSummary(const TRomLayout& layout);
