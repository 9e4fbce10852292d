// Bank figures of a console image.
#include "rom/rom_layout.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/files.h"

namespace {

constexpr std::uint64_t kLargestImageFile = 16ull * 1024 * 1024;

bool IsFillByte(unsigned char byte) {
    return byte == 0xFF || byte == 0x00;
}

TRomBank AnalyseBank(std::string_view bytes, int number, std::uint64_t offset) {
    TRomBank bank;
    bank.Number = number;
    bank.Offset = offset;
    bank.Size = static_cast<std::uint32_t>(bytes.size());
    const auto at = [&](std::uint32_t i) { return static_cast<unsigned char>(bytes[i]); };

    // The trailing run of the bank's last byte, when that is a fill byte.
    std::uint32_t dataEnd = bank.Size;
    if (bank.Size > 0 && IsFillByte(at(bank.Size - 1))) {
        const unsigned char fill = at(bank.Size - 1);
        while (dataEnd > 0 && at(dataEnd - 1) == fill) --dataEnd;
    }
    // Long runs of one fill byte before it.
    for (std::uint32_t i = 0; i < dataEnd;) {
        if (!IsFillByte(at(i))) {
            ++i;
            continue;
        }
        const unsigned char fill = at(i);
        std::uint32_t end = i;
        while (end < dataEnd && at(end) == fill) ++end;
        if (end - i >= kMinInnerFreeRun) {
            bank.FreeRuns.push_back({i, end - i});
            bank.Free += end - i;
        }
        i = end;
    }
    if (dataEnd < bank.Size) {
        bank.FreeRuns.push_back({dataEnd, bank.Size - dataEnd});
        bank.Free += bank.Size - dataEnd;
    }
    return bank;
}

std::string SizeProblemOf(std::uint64_t imageSize) {
    if (imageSize == 0) return "The image holds no bytes.";
    if (imageSize % kRomBankSize != 0) {
        return "The image's " + GroupedNumber(imageSize) +
               " bytes are no whole number of 8 KB banks: the last bank has " +
               GroupedNumber(imageSize % kRomBankSize) + " bytes.";
    }
    if (imageSize > kLargestCardSize) {
        return "The image's " + GroupedNumber(imageSize) + " bytes are more than the " +
               GroupedNumber(kLargestCardSize) + " bytes a card can map.";
    }
    return {};
}

std::string Percent(std::uint64_t part, std::uint64_t whole) {
    if (whole == 0) return "0 %";
    return std::to_string((part * 100 + whole / 2) / whole) + " %";
}

}  // namespace

TRomLayout AnalyseRom(std::string_view fileBytes) {
    TRomLayout layout;
    layout.FileSize = fileBytes.size();
    if (fileBytes.size() % kRomBankSize == kCopierHeaderSize) {
        layout.CopierHeader = true;
        fileBytes.remove_prefix(kCopierHeaderSize);
    }
    layout.ImageSize = fileBytes.size();
    layout.SizeProblem = SizeProblemOf(layout.ImageSize);
    for (std::uint64_t offset = 0; offset < fileBytes.size(); offset += kRomBankSize) {
        const std::string_view bytes = fileBytes.substr(offset, kRomBankSize);
        layout.Banks.push_back(AnalyseBank(bytes, static_cast<int>(offset / kRomBankSize), offset));
        layout.Used += layout.Banks.back().Used();
        layout.Free += layout.Banks.back().Free;
    }
    return layout;
}

std::string ReadRomFile(const std::string& path) {
    const TReadDescriptor opened = OpenRegularFileForReading(path);
    if (opened.Fd < 0) {
        const int error = opened.Error;
        throw EFileError("Cannot read the image \"" + path + "\". " +
                             (error != 0 ? std::string(std::strerror(error))
                                         : std::string("It is no regular file.")),
                         error);
    }
    struct TCloser {
        int fd;
        ~TCloser() { ::close(fd); }
    } closer{opened.Fd};
    std::string bytes;
    char block[65536];
    for (;;) {
        const ssize_t got = ::read(opened.Fd, block, sizeof block);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            const int error = errno;
            throw EFileError("Cannot read the image \"" + path + "\". " + std::strerror(error),
                             error);
        }
        if (got == 0) break;
        bytes.append(block, static_cast<std::size_t>(got));
        if (bytes.size() > kLargestImageFile) {
            throw EFileError("The file \"" + path + "\" is larger than 16 MB: no console image.",
                             EFBIG);
        }
    }
    return bytes;
}

TRomLayout LoadRomLayout(const std::string& path) {
    return AnalyseRom(ReadRomFile(path));
}

std::string GroupedNumber(std::uint64_t value) {
    const std::string digits = std::to_string(value);
    std::string grouped;
    grouped.reserve(digits.size() + digits.size() / 3);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
        grouped += digits[i];
    }
    return grouped;
}

std::string BankSummary(const TRomBank& bank) {
    char number[8];
    std::snprintf(number, sizeof number, "$%02X", static_cast<unsigned>(bank.Number & 0xFF));
    std::string text = "Bank " + std::string(number) + ": " + GroupedNumber(bank.Used()) +
                       " bytes used, " + GroupedNumber(bank.Free) + " free (" +
                       Percent(bank.Used(), bank.Size) + " full)";
    if (!bank.FreeRuns.empty()) {
        const TFreeRun& last = bank.FreeRuns.back();
        if (last.Offset + last.Length == bank.Size)
            text += "; free from offset " + GroupedNumber(last.Offset) + " to the end";
        const std::size_t inner =
            bank.FreeRuns.size() - (last.Offset + last.Length == bank.Size ? 1 : 0);
        if (inner > 0) text += "; " + std::to_string(inner) + " free gap(s) inside";
    }
    return text;
}

std::string LayoutSummary(const TRomLayout& layout) {
    std::string text =
        GroupedNumber(layout.ImageSize) + " bytes in " + std::to_string(layout.Banks.size()) +
        " bank(s): " + GroupedNumber(layout.Used) + " used, " + GroupedNumber(layout.Free) +
        " free (" + Percent(layout.Used, layout.ImageSize) + " full).";
    if (layout.CopierHeader) text += " A 512-byte copier header was skipped.";
    if (!layout.SizeProblem.empty()) text += " " + layout.SizeProblem;
    return text;
}
