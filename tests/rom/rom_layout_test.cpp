// Bank figures of images of our own making: fill runs at the end and inside a bank, a copier
// header, sizes no card has, and the largest card.
#include "rom/rom_layout.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/files.h"

namespace {

std::string Bank(char data, std::uint32_t dataBytes, char fill) {
    return std::string(dataBytes, data) + std::string(kRomBankSize - dataBytes, fill);
}

TEST(RomLayout, TheTrailingFillRunOfEachBankIsFree) {
    const std::string image = Bank('\x11', 1000, '\xFF') + Bank('\x22', 8192, '\xFF') +
                              Bank('\x33', 10, '\x00') + std::string(kRomBankSize, '\xFF');
    const TRomLayout layout = AnalyseRom(image);
    ASSERT_EQ(layout.Banks.size(), 4u);
    EXPECT_FALSE(layout.CopierHeader);
    EXPECT_TRUE(layout.SizeProblem.empty());
    EXPECT_EQ(layout.Banks[0].Used(), 1000u);
    EXPECT_EQ(layout.Banks[0].FreeRuns, (std::vector<TFreeRun>{{1000, 7192}}));
    EXPECT_EQ(layout.Banks[1].Used(), 8192u);
    EXPECT_TRUE(layout.Banks[1].NearlyFull());
    EXPECT_EQ(layout.Banks[2].Used(), 10u);
    EXPECT_EQ(layout.Banks[3].Used(), 0u);
    EXPECT_EQ(layout.Banks[3].Offset, 3u * kRomBankSize);
    EXPECT_EQ(layout.Used, 1000u + 8192u + 10u);
    EXPECT_EQ(layout.Free, 4u * 8192u - layout.Used);
}

TEST(RomLayout, LongFillRunsInsideABankAreFreeShortOnesAreData) {
    // Data, 300 bytes of 0x00 (free), data, 255 bytes of 0xFF (a table: data), data, then a
    // run that changes its fill byte midway (each part counted on its own) and a trailing run.
    std::string bank = std::string(100, 'a') + std::string(300, '\0') + std::string(50, 'b') +
                       std::string(255, '\xFF') + std::string(40, 'c') + std::string(256, '\xFF') +
                       std::string(256, '\0') + std::string(9, 'd');
    bank += std::string(kRomBankSize - bank.size(), '\xFF');
    const TRomBank b = AnalyseRom(bank).Banks.at(0);
    const std::uint32_t tail = 100 + 300 + 50 + 255 + 40 + 256 + 256 + 9;
    EXPECT_EQ(b.FreeRuns, (std::vector<TFreeRun>{
                              {100, 300}, {745, 256}, {1001, 256}, {tail, kRomBankSize - tail}}));
    EXPECT_EQ(b.Free, 300u + 256u + 256u + (kRomBankSize - tail));
    EXPECT_FALSE(b.NearlyFull());
    // A bank that ends in a data byte has no trailing run; one of 0x00 ends in 0x00 only.
    std::string full(kRomBankSize, 'x');
    EXPECT_EQ(AnalyseRom(full).Banks[0].Free, 0u);
    full.replace(kRomBankSize - 20, 20, std::string(10, '\0') + std::string(10, '\xFF'));
    EXPECT_EQ(AnalyseRom(full).Banks[0].FreeRuns, (std::vector<TFreeRun>{{8182, 10}}));
}

TEST(RomLayout, ACopierHeaderIsSkippedAndOddSizesAreSaidInWords) {
    const std::string header(kCopierHeaderSize, '\x55');
    const TRomLayout withHeader = AnalyseRom(header + Bank('\x01', 4096, '\xFF'));
    EXPECT_TRUE(withHeader.CopierHeader);
    EXPECT_EQ(withHeader.FileSize, 8192u + 512u);
    EXPECT_EQ(withHeader.ImageSize, 8192u);
    ASSERT_EQ(withHeader.Banks.size(), 1u);
    EXPECT_EQ(withHeader.Banks[0].Used(), 4096u);
    EXPECT_NE(LayoutSummary(withHeader).find("512-byte copier header"), std::string::npos);
    EXPECT_TRUE(withHeader.SizeProblem.empty());

    const TRomLayout odd = AnalyseRom(std::string(8192 + 1000, 'z'));
    EXPECT_EQ(odd.SizeProblem,
              "The image's 9,192 bytes are no whole number of 8 KB banks: the last bank has "
              "1,000 bytes.");
    ASSERT_EQ(odd.Banks.size(), 2u);
    EXPECT_EQ(odd.Banks[1].Size, 1000u);
    EXPECT_EQ(odd.Banks[1].Used(), 1000u);
    EXPECT_EQ(AnalyseRom("").SizeProblem, "The image holds no bytes.");
    EXPECT_TRUE(AnalyseRom("").Banks.empty());
}

TEST(RomLayout, TheLargestCardIsValidOneBankMoreIsNot) {
    std::string image;
    for (std::uint64_t b = 0; b < kLargestCardSize / kRomBankSize; ++b)
        image += Bank(static_cast<char>(b | 1), static_cast<std::uint32_t>(b * 25 % 8192), '\xFF');
    const TRomLayout layout = AnalyseRom(image);
    EXPECT_EQ(layout.Banks.size(), 320u);
    EXPECT_TRUE(layout.SizeProblem.empty());
    EXPECT_EQ(layout.Banks[319].Number, 319);
    EXPECT_EQ(layout.Banks[100].Used(), 2500u);
    EXPECT_EQ(AnalyseRom(image + std::string(kRomBankSize, '\xFF')).SizeProblem,
              "The image's 2,629,632 bytes are more than the 2,621,440 bytes a card can map.");
}

TEST(RomLayout, SummariesGiveTheFiguresInWords) {
    TRomBank bank = AnalyseRom(Bank('\x01', 7800, '\xFF') + Bank('q', 100, '\0')).Banks[0];
    EXPECT_EQ(
        BankSummary(bank),
        "Bank $00: 7,800 bytes used, 392 free (95 % full); free from offset 7,800 to the end");
    EXPECT_TRUE(bank.NearlyFull());
    EXPECT_EQ(GroupedNumber(0), "0");
    EXPECT_EQ(GroupedNumber(999), "999");
    EXPECT_EQ(GroupedNumber(1000), "1,000");
    EXPECT_EQ(GroupedNumber(2621440), "2,621,440");
}

TEST(RomLayout, LoadingRefusesWhatIsNoImageFile) {
    const std::string dir =
        std::filesystem::temp_directory_path() / ("romtest-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    EXPECT_THROW(LoadRomLayout(dir), EFileError);
    EXPECT_THROW(LoadRomLayout(dir + "/missing.pce"), EFileError);
    std::ofstream(dir + "/game.pce", std::ios::binary) << Bank('\x07', 300, '\xFF');
    EXPECT_EQ(LoadRomLayout(dir + "/game.pce").Banks.at(0).Used(), 300u);
    std::filesystem::remove_all(dir);
}

}  // namespace
