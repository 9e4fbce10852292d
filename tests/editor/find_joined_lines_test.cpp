// A plain forward search over lines read from a file scans neighbouring lines in one pass; it
// must find exactly the matches that scanning each line alone finds, in the same order.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "editor/custom_synedit.h"
#include "editor/string_list.h"
#include "search/syn_edit_search.h"

namespace {

struct Match {
    int Line;
    int Column;
    friend bool operator==(const Match&, const Match&) = default;
};

std::string RandomText(unsigned seed, const char* lineBreak) {
    static const std::string kPieces[] = {"ab", "AB", "xab",  "ab_",  "a",   "b",
                                          " ",  "\t", "abab", "(ab)", "bab", std::string("\0", 1)};
    std::mt19937 random(seed);
    std::string text;
    for (int line = 0; line < 400; ++line) {
        const int pieces = static_cast<int>(random() % 9);  // some lines stay empty
        for (int i = 0; i < pieces; ++i) text += kPieces[random() % std::size(kPieces)];
        // Now and then a line long enough for the engine's block filter.
        if (random() % 7 == 0) text += std::string(40, 'z') + "ab";
        text += lineBreak;
    }
    return text;
}

std::vector<Match> FoundOneByOne(TCustomSynEdit& editor, const std::string& pattern,
                                 TFindOptions options) {
    std::vector<Match> found;
    editor.SetCaretXY({1, 1});
    while (editor.FindReplace(pattern, "", options) == 1) {
        found.push_back({editor.BlockBegin().Line, editor.BlockBegin().Char});
        if (found.size() > 10'000) break;
    }
    return found;
}

std::vector<Match> ScannedPerLine(TCustomSynEdit& editor, const std::string& pattern,
                                  bool matchCase, bool wholeWords) {
    TSynEditSearch engine;
    engine.AssignPattern(pattern);
    engine.SetMatchCase(matchCase);
    engine.SetWholeWordsOnly(wholeWords);
    std::vector<Match> matches;
    for (int i = 0; i < editor.Lines().GetCount(); ++i) {
        const int count = engine.ScanLine(editor.Lines().GetView(i));
        for (int k = 0; k < count; ++k) matches.push_back({i + 1, engine.MatchAt(k)});
    }
    return matches;
}

TEST(FindJoinedLinesTest, SameMatchesAsLineByLine) {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / "quillon-find-joined-lines.txt";
    for (const char* lineBreak : {"\n", "\r\n"}) {
        for (unsigned seed = 1; seed <= 3; ++seed) {
            std::ofstream(path, std::ios::binary) << RandomText(seed, lineBreak);
            TCustomSynEdit editor(nullptr);
            editor.Lines().LoadFromFile(path.string());
            for (const std::string pattern : {"ab", "AB", "bab", "zab"}) {
                for (TFindOptions options :
                     {TFindOptions{0}, TFindOptions{foMatchCase}, TFindOptions{foWholeWord}}) {
                    const auto expected = ScannedPerLine(editor, pattern, options & foMatchCase,
                                                         options & foWholeWord);
                    EXPECT_EQ(FoundOneByOne(editor, pattern, options), expected)
                        << "seed " << seed << " pattern " << pattern << " options " << int(options)
                        << " CR LF " << (lineBreak[0] == '\r');
                }
            }
        }
    }
    std::filesystem::remove(path);
}

TEST(FindJoinedLinesTest, LinesChangedAfterLoadingAreStillFound) {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / "quillon-find-joined-edit.txt";
    std::ofstream(path, std::ios::binary) << "one\ntwo\nthree\nfour\n";
    TCustomSynEdit editor(nullptr);
    editor.Lines().LoadFromFile(path.string());
    editor.Lines().Put(2, "th\nree key");  // a line of its own, holding a line feed
    editor.Lines().Insert(1, "key");
    EXPECT_EQ(FoundOneByOne(editor, "key", 0), (std::vector<Match>{{2, 1}, {4, 8}}));
    EXPECT_EQ(FoundOneByOne(editor, "o\nt", 0), std::vector<Match>{});
    EXPECT_EQ(FoundOneByOne(editor, "h\nr", 0), (std::vector<Match>{{4, 2}}));
    std::filesystem::remove(path);
}

}  // namespace
