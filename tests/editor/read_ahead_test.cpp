// The read-ahead thread of large loads: a read error in any piece, a reader given up part-way,
// and a file whose size changes between opening and reading.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "editor/file_reader.h"
#include "editor/file_stream.h"
#include "editor/string_list.h"
#include "editor_invariants.h"
#include "support/scratch_dir_test.h"

namespace fs = std::filesystem;

namespace {

constexpr std::uint64_t kPiece = 1 << 20;  // what the read-ahead reads at a time

class ReadAhead : public ScratchDirTest {
  protected:
    ReadAhead() : ScratchDirTest("quillon_read_ahead_") {}
    void TearDown() override { SetReadFaultForTesting(nullptr); }
};

// Numbered lines of about 40 bytes up to `bytes`, so a cut or a lost piece shows.
std::string NumberedText(std::uint64_t bytes) {
    std::string text;
    for (int i = 0; text.size() < bytes; ++i)
        text += "line " + std::to_string(i) + " of a text read ahead\n";
    return text;
}

std::vector<std::string> Split(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> Lines(const TSynEditStringList& list) {
    std::vector<std::string> lines;
    list.ForEachView(0, list.GetCount(),
                     [&](std::string_view text, int) { lines.emplace_back(text); });
    return lines;
}

// A failing read in the first piece, one in the last, and one of the last byte the file had
// when opened: each fails the load, leaves the list as it was (reported as unchanged, with an
// added-line hook installed too) and the next load of the same file reads it whole.
TEST_F(ReadAhead, AReadErrorInAnyPieceLeavesTheListUnchanged) {
    const std::string text = NumberedText(9 * kPiece + 123);
    const std::string path = Write("large", text);
    for (const std::uint64_t failAt : {std::uint64_t{0}, 8 * kPiece, std::uint64_t{text.size()}}) {
        TSynEditStringList list;
        list.Add("keep");
        list.Add("these");
        int begun = 0;
        int added = 0;
        list.SetOnBeginChanges([&](TSynEditStringList*) { ++begun; });
        list.SetOnAdded([&](TSynEditStringList*, int) { ++added; });
        SetReadFaultForTesting([failAt](std::uint64_t bytesRead) {
            if (bytesRead >= failAt) throw EFileStreamError("I/O error 5");
        });
        EXPECT_THROW(list.LoadFromFile(path), EFileStreamError) << failAt;
        SetReadFaultForTesting(nullptr);
        EXPECT_EQ(Lines(list), (std::vector<std::string>{"keep", "these"})) << failAt;
        EXPECT_EQ(begun, 0);
        EXPECT_EQ(added, 0);
        EXPECT_EQ(CheckInvariants(list), "");

        list.LoadFromFile(path);
        EXPECT_EQ(list.GetCount(), static_cast<int>(Split(text).size()));
        EXPECT_EQ(CheckInvariants(list), "");
    }
}

// A reader given up part-way, by an exception of the caller's while the read-ahead is still
// reading, stops the read-ahead after the piece it is in: the exception reaches the caller and
// the rest of the file is never read.
TEST_F(ReadAhead, AReaderGivenUpPartWayReadsNoFurther) {
    const std::string path = Write("large", NumberedText(16 * kPiece));
    std::atomic<bool> givenUp{false};
    std::atomic<std::uint64_t> furthest{0};
    SetReadFaultForTesting([&](std::uint64_t bytesRead) {
        furthest = std::max<std::uint64_t>(furthest, bytesRead);
        // From the second piece on, each read waits for the reader to be given up and then a
        // while longer, so a read-ahead that does not stop would take seconds to finish.
        if (bytesRead < kPiece) return;
        while (!givenUp) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    });
    const auto start = std::chrono::steady_clock::now();
    int lines = 0;
    try {
        TSynEditFileReader reader(path, /*keepText=*/true);
        reader.ReadLines([&](std::string_view) {
            if (++lines == 1000) {
                givenUp = true;
                throw std::runtime_error("given up");
            }
        });
        ADD_FAILURE() << "the exception was lost";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "given up");
    }
    SetReadFaultForTesting(nullptr);
    EXPECT_EQ(lines, 1000);
    EXPECT_LE(furthest.load(), 4 * kPiece);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

// The file grows or shrinks after it was opened, before or while it is read: the lines are
// those the file holds when read, with and without the read-ahead, and they save back as such.
TEST_F(ReadAhead, AFileThatChangesSizeAfterOpeningIsReadAsItIsThen) {
    for (const std::uint64_t size : {std::uint64_t{5000}, 10 * kPiece}) {
        for (const bool grows : {true, false}) {
            const std::string text = NumberedText(size);
            const std::string path = Write("changing", text);
            std::string expected = text;
            if (grows) {
                expected += "grown 1\ngrown 2\n";
            } else {
                expected.resize(expected.rfind('\n', text.size() / 2) + 1);
            }
            std::atomic<bool> changed{false};
            // Changed just before the first read, on whichever thread reads.
            SetReadFaultForTesting([&](std::uint64_t) {
                if (changed.exchange(true)) return;
                if (grows) {
                    std::ofstream(path, std::ios::binary | std::ios::app) << "grown 1\ngrown 2\n";
                } else {
                    fs::resize_file(path, expected.size());
                }
            });
            TSynEditStringList list;
            list.LoadFromFile(path);
            SetReadFaultForTesting(nullptr);
            const std::string what = std::to_string(size) + (grows ? " grown" : " shrunk");
            ASSERT_TRUE(changed) << what;
            EXPECT_TRUE(Lines(list) == Split(expected)) << what;
            EXPECT_EQ(CheckInvariants(list), "") << what;
            const std::string saved = (m_dir / "saved").string();
            list.SaveToFile(saved);
            EXPECT_TRUE(Read(saved) == expected) << what;
        }
    }
}

}  // namespace
