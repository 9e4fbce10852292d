// Find in Files against grep on generated trees, and the files a project search leaves alone.
#include "project/find_in_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <sstream>
#include <tuple>

#include "platform/scratch_directory.h"
#include "project/file_mask.h"
#include "project/project_files.h"
#include "project/text_finder.h"

namespace {

namespace fs = std::filesystem;

// (relative path, line, column) of one occurrence.
using TPlace = std::tuple<std::string, int, int>;

std::set<TPlace> Search(const std::string& root, const std::string& text, bool matchCase,
                        bool wholeWords, unsigned threads = 2, TTextOverrides overrides = {}) {
    TFindInFiles find({root, std::string(kDefaultFileMask), text, matchCase, wholeWords},
                      std::move(overrides));
    std::set<TPlace> places;
    std::vector<std::string> order;
    find.Run(
        {},
        [&](TFileMatches&& file) {
            order.push_back(file.Path);
            for (const TLineMatch& match : file.Matches)
                places.insert({file.Path, match.Line, match.Column});
        },
        threads);
    // Files come in the walk's order whatever thread searched them.
    EXPECT_TRUE(std::is_sorted(order.begin(), order.end()) || order.size() < 2);
    EXPECT_EQ(find.MatchCount(), static_cast<int>(places.size()));
    return places;
}

// grep's answer: every occurrence as byte offset, turned into line and column.
std::set<TPlace> Grep(const std::string& root, const std::string& text, const std::string& flags) {
    const std::string command = "cd '" + root + "' && LC_ALL=C grep -rnob -I -F " + flags +
                                " --include='*.c' --include='*.h' --include='*.asm' "
                                "--include='*.s' --include='*.inc' --exclude-dir='.[!.]*' -e '" +
                                text + "' . 2>/dev/null";
    std::set<TPlace> places;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return places;
    char buffer[65536];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        // ./path:line:offset:match
        std::string line(buffer);
        const std::size_t a = line.find(':');
        const std::size_t b = line.find(':', a + 1);
        const std::size_t c = line.find(':', b + 1);
        const std::string path = line.substr(2, a - 2);
        const int lineNo = std::stoi(line.substr(a + 1, b - a - 1));
        const long offset = std::stol(line.substr(b + 1, c - b - 1));
        // Column from the offset of the line's start in the file.
        std::ifstream in(root + "/" + path, std::ios::binary);
        std::string content((std::istreambuf_iterator<char>(in)), {});
        const std::size_t lineStart = content.rfind('\n', offset == 0 ? 0 : offset - 1);
        const long start = (lineStart == std::string::npos || offset == 0) ? 0 : lineStart + 1;
        places.insert({path, lineNo, static_cast<int>(offset - start) + 1});
    }
    ::pclose(pipe);
    return places;
}

// A tree of C and assembly files of random words, some of them the searched ones in all
// cases and glued to other word characters.
void GenerateTree(const ScratchDirectory& scratch, int files, unsigned seed) {
    std::mt19937 random(seed);
    const std::vector<std::string> words{"spr_update",   "Spr_Update", "SPR_UPDATE", "xspr_update",
                                         "spr_updates",  "spr",        "update",     "lda",
                                         "(spr_update)", "a-b",        "a-b-a-b",    "  ",
                                         "\t",           "TitleLoop",  "titleloop",  "_TitleLoop:"};
    const std::vector<std::string> extensions{".c", ".h", ".asm", ".s", ".inc", ".txt"};
    for (int f = 0; f < files; ++f) {
        std::ostringstream text;
        const int lines = static_cast<int>(random() % 60);
        for (int l = 0; l < lines; ++l) {
            const int count = static_cast<int>(random() % 12);
            for (int w = 0; w < count; ++w) {
                text << words[random() % words.size()];
                if (random() % 3 != 0) text << ' ';
            }
            text << '\n';
        }
        const std::string dir = f % 3 == 0 ? "" : "sub" + std::to_string(f % 4) + "/";
        scratch.Write(dir + "file" + std::to_string(f) + extensions[random() % extensions.size()],
                      text.str());
    }
}

TEST(FindInFiles, FindsWhatGrepFindsOnAGeneratedTree) {
    ScratchDirectory scratch;
    GenerateTree(scratch, 120, 7);
    // What a project search leaves out on purpose, and grep too.
    scratch.Write(".git/hidden.c", "spr_update\n");
    scratch.Write("data.bin.c", std::string("spr_update\0\x01\x02", 13));
    for (const char* text : {"spr_update", "a-b", "TitleLoop", "spr", "a-b-a"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(Search(scratch.Path(), text, true, false), Grep(scratch.Path(), text, ""));
        EXPECT_EQ(Search(scratch.Path(), text, false, false), Grep(scratch.Path(), text, "-i"));
        EXPECT_EQ(Search(scratch.Path(), text, true, true), Grep(scratch.Path(), text, "-w"));
        EXPECT_EQ(Search(scratch.Path(), text, false, true, 1),
                  Grep(scratch.Path(), text, "-i -w"));
    }
    EXPECT_FALSE(Search(scratch.Path(), "spr_update", true, false).empty());
}

TEST(FindInFiles, LinesEndAsTheEditorReadsThem) {
    TTextFinder finder("ab", true, false);
    std::vector<std::tuple<int, int, std::string>> found;
    finder.FindAll("xab\r\nab ab\rzzab\n\nab", [&](const TTextMatch& match) {
        found.emplace_back(match.Line, match.Column, std::string(match.LineText));
    });
    const std::vector<std::tuple<int, int, std::string>> expected{
        {1, 2, "xab"}, {2, 1, "ab ab"}, {2, 4, "ab ab"}, {3, 3, "zzab"}, {5, 1, "ab"}};
    EXPECT_EQ(found, expected);
}

TEST(FindInFiles, SkipsBinaryHugePipesAndLinksOutOfTheTree) {
    ScratchDirectory scratch;
    ScratchDirectory outside;
    scratch.Write("main.c", "int spr_update;\n");
    scratch.Write("player.asm", "spr_update: rts\n");
    // A zero byte within the first 8 KB makes a file binary; one after it does not.
    scratch.Write("font.inc", std::string("spr_update\0", 11));
    scratch.Write("late.h", std::string(9000, ' ') + std::string("\0spr_update\n", 12));
    // A pipe would block a plain open until a writer comes.
    ASSERT_EQ(::mkfifo((scratch / "pipe.c").c_str(), 0644), 0);
    // A directory link to its own parent loops; a file link out of the tree leaves the project.
    outside.Write("other.c", "spr_update\n");
    fs::create_directory_symlink(scratch.Path(), scratch / "loop");
    fs::create_symlink(outside / "other.c", scratch / "other.c");
    fs::create_symlink(scratch / "main.c", scratch / "alias.c");
    // Over the size limit: searched with a smaller limit for speed.
    std::string text;
    TFileKey key;
    EXPECT_EQ(ReadSourceFile(scratch / "main.c", text, key, 8), TSourceRead::TooLarge);
    EXPECT_EQ(ReadSourceFile(scratch / "pipe.c", text, key), TSourceRead::NotRegular);
    EXPECT_EQ(kMaxSourceFileSize, 64u * 1024 * 1024);

    const std::vector<std::string> listed =
        ListProjectFiles(scratch.Path(), TFileMask(kDefaultFileMask));
    EXPECT_EQ(listed,
              (std::vector<std::string>{"alias.c", "font.inc", "late.h", "main.c", "player.asm"}));
    const std::set<TPlace> places = Search(scratch.Path(), "spr_update", true, true);
    EXPECT_EQ(places,
              (std::set<TPlace>{
                  {"alias.c", 1, 5}, {"late.h", 1, 9002}, {"main.c", 1, 5}, {"player.asm", 1, 1}}));
}

TEST(FindInFiles, AnUnsavedTextTakesThePlaceOfItsFile) {
    ScratchDirectory scratch;
    scratch.Write("main.c", "old spr_update\n");
    scratch.Write("b.c", "spr_update\n");
    TFileKey key;
    ASSERT_TRUE(FileKeyOf(scratch / "main.c", key));
    const std::set<TPlace> places =
        Search(scratch.Path(), "spr_update", true, false, 2, {{key, "\n\n  spr_update();"}});
    EXPECT_EQ(places, (std::set<TPlace>{{"b.c", 1, 1}, {"main.c", 3, 3}}));
}

TEST(FindInFiles, StopsWhenAsked) {
    ScratchDirectory scratch;
    GenerateTree(scratch, 40, 3);
    std::stop_source source;
    source.request_stop();
    TFindInFiles find({scratch.Path(), "*", "spr", false, false});
    int files = 0;
    find.Run(source.get_token(), [&](TFileMatches&&) { ++files; });
    EXPECT_EQ(files, 0);
}

TEST(FileMask, PatternsAndCase) {
    const TFileMask mask("*.c; *.ASM,Makefile ?.h");
    EXPECT_TRUE(mask.Matches("main.c"));
    EXPECT_TRUE(mask.Matches("MAIN.C"));
    EXPECT_TRUE(mask.Matches("player.asm"));
    EXPECT_TRUE(mask.Matches("makefile"));
    EXPECT_TRUE(mask.Matches("a.h"));
    EXPECT_FALSE(mask.Matches("ab.h"));
    EXPECT_FALSE(mask.Matches("main.cc"));
    EXPECT_TRUE(TFileMask("").Matches("anything"));
    EXPECT_EQ(FindResultLine("src/a.c", {3, 7, "  x = 1;"}), "src/a.c:3:7:   x = 1;");
    EXPECT_EQ(FindSummary(1, 1), "1 match in 1 file");
    EXPECT_EQ(FindSummary(12, 3), "12 matches in 3 files");
}

}  // namespace
