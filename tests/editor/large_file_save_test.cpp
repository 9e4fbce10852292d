// Saving a file larger than the writer's buffer after an edit near its start: the edited line
// is buffered while the unchanged rest goes to the file in one direct write, so the buffered
// bytes must reach the file first. Every byte of the saved file is compared.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "editor/file_writer.h"
#include "editor/string_list.h"
#include "editor_invariants.h"
#include "support/scratch_dir_test.h"

namespace fs = std::filesystem;

namespace {

class LargeFileSave : public ScratchDirTest {
  protected:
    LargeFileSave() : ScratchDirTest("quillon_large_save_") {}
};

// Lines of differing lengths and content, so a misplaced piece cannot go unnoticed.
std::vector<std::string> NumberedLines(std::size_t totalBytes) {
    std::vector<std::string> lines;
    std::size_t bytes = 0;
    for (int i = 0; bytes < totalBytes; ++i) {
        std::string line = "line " + std::to_string(i) + ": " + std::string(i % 37, 'a' + i % 26);
        bytes += line.size() + 2;
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string Joined(const std::vector<std::string>& lines, const std::string& lineBreak) {
    std::string text;
    for (const std::string& line : lines) text += line + lineBreak;
    return text;
}

TEST_F(LargeFileSave, EarlyEditBeforeALargeUnchangedRunKeepsEveryByteInPlace) {
    const std::size_t size = 3 * TSynEditFileWriter::kWriterBufferSize / 2;  // 384 KiB
    ASSERT_GT(size, std::size_t{256 * 1024});
    for (const std::string lineBreak : {"\r\n", "\n"}) {
        // The edited line: the first, the third, and one just past a small unchanged run.
        for (const int edited : {0, 2, 40}) {
            SCOPED_TRACE("break " + std::to_string(lineBreak.size()) + ", line " +
                         std::to_string(edited));
            std::vector<std::string> lines = NumberedLines(size);
            Write("in", Joined(lines, lineBreak));

            TSynEditStringList list;
            list.LoadFromFile(Path("in"));
            ASSERT_EQ(list.GetCount(), static_cast<int>(lines.size()));
            lines[edited] = "edited " + std::to_string(edited) + " \t with more text than before";
            list.Put(edited, lines[edited]);
            ASSERT_EQ(CheckInvariants(list), "");
            list.SaveToFile(Path("out"));

            const std::string saved = Read(Path("out"));
            const std::string expected = Joined(lines, lineBreak);
            ASSERT_EQ(saved.size(), expected.size());
            // Compared as a whole, but a mismatch names its first differing byte.
            const auto diff = std::mismatch(saved.begin(), saved.end(), expected.begin());
            ASSERT_TRUE(diff.first == saved.end())
                << "first difference at byte " << (diff.first - saved.begin());
        }
    }
}

// Several edits spread over the file: each unchanged run between them, large or small, is
// written after everything before it.
TEST_F(LargeFileSave, EditsBetweenLargeRunsKeepTheirOrder) {
    std::vector<std::string> lines = NumberedLines(5 * TSynEditFileWriter::kWriterBufferSize / 2);
    Write("in", Joined(lines, "\r\n"));
    TSynEditStringList list;
    list.LoadFromFile(Path("in"));
    const int count = static_cast<int>(lines.size());
    for (const int edited : {1, count / 3, count / 3 + 2, 2 * count / 3, count - 1}) {
        lines[edited] = "changed " + std::to_string(edited);
        list.Put(edited, lines[edited]);
    }
    list.SaveToFile(Path("out"));
    EXPECT_TRUE(Read(Path("out")) == Joined(lines, "\r\n"));
}

}  // namespace
