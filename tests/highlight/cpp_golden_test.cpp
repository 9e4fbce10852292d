// The token stream of a whole C source file checked against a hand-reviewed golden text
// (data/shooter.c and data/shooter.tokens). Set QUILLON_UPDATE_GOLDEN=1 to rewrite the golden
// file after a deliberate change, then review the difference by hand.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "highlight/token_stream.h"

namespace {

std::filesystem::path DataDir() {
    return std::filesystem::path(QUILLON_TESTS_DIR) / "highlight" / "data";
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream buffer;
    buffer << file.rdbuf();
    return buffer.str();
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

TEST(CppGolden, ShooterSourceMatchesTheReviewedTokenStream) {
    std::string source = ReadFile(DataDir() / "shooter.c");
    ASSERT_FALSE(source.empty());
    std::string problems;
    std::vector<std::string> scanned = token_stream::ScanLines(SplitLines(source), &problems);
    EXPECT_EQ(problems, "");

    std::string actual;
    for (std::size_t i = 0; i < scanned.size(); ++i)
        actual += std::to_string(i + 1) + ": " + scanned[i] + "\n";

    std::filesystem::path goldenPath = DataDir() / "shooter.tokens";
    if (const char* update = std::getenv("QUILLON_UPDATE_GOLDEN"); update && *update == '1') {
        std::ofstream(goldenPath, std::ios::binary) << actual;
        GTEST_SKIP() << "golden file rewritten";
    }
    std::vector<std::string> expectedLines = SplitLines(ReadFile(goldenPath));
    std::vector<std::string> actualLines = SplitLines(actual);
    ASSERT_EQ(actualLines.size(), expectedLines.size());
    for (std::size_t i = 0; i < actualLines.size(); ++i)
        EXPECT_EQ(actualLines[i], expectedLines[i]);
}

}  // namespace
