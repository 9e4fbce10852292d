// Several keys in one read or one write of a settings file: the same file and the same values as
// one key at a time gives, from one pass over the file.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/profile.h"
#include "platform/scratch_directory.h"

namespace {

// The changes applied one at a time, each as a write of its own.
std::string OneByOne(std::string text, const std::vector<TProfileChange>& changes) {
    for (const TProfileChange& change : changes) text = ApplyProfileChanges(text, {change});
    return text;
}

TEST(ProfileBatch, AChangeOfItsOwnKeepsEveryOtherByte) {
    const std::string text = "; x\r\n[C]\r\npcecc=old\r\n\r\n[E]\r\nA=1\r\n[c]\r\npcecc=dup";
    // Replaced in the first section of the name, the first line of the key, in its letter case.
    EXPECT_EQ(ApplyProfileChanges(text, {{"c", "PCECC", "new"}}),
              "; x\r\n[C]\r\nPCECC=new\r\n\r\n[E]\r\nA=1\r\n[c]\r\npcecc=dup");
    // A new key joins its section after the last line that is not blank.
    EXPECT_EQ(ApplyProfileChanges(text, {{"C", "pceasm", "as"}}),
              "; x\r\n[C]\r\npcecc=old\r\npceasm=as\r\n\r\n[E]\r\nA=1\r\n[c]\r\npcecc=dup");
    // A new section comes last, after a line break for a last line without one.
    EXPECT_EQ(ApplyProfileChanges(text, {{"N", "K", "v"}}), text + "\r\n[N]\r\nK=v\r\n");
    EXPECT_EQ(ApplyProfileChanges("", {{"N", "K", "v"}, {"N", "L", ""}}), "[N]\nK=v\nL=\n");
    EXPECT_EQ(ApplyProfileChanges("[E]\nA=1", {{"E", "B", "2"}, {"E", "C", "3"}}),
              "[E]\nA=1\nB=2\nC=3\n");
    // A replaced last line without a break, with a key added after it, and the text between
    // changed lines kept whole.
    EXPECT_EQ(ApplyProfileChanges("[E]\r\nZ=0\r\n; c\r\nA=1",
                                  {{"E", "A", "9"}, {"E", "B", "2"}, {"E", "Z", "5"}}),
              "[E]\r\nZ=5\r\n; c\r\nA=9\r\nB=2\r\n");
}

// Files of one line break style come out byte for byte as one write per key makes them; where
// the styles are mixed, a lone CR added before an LF may join it, so there the keys must read
// back alike.
TEST(ProfileBatch, ManyChangesGiveWhatOneAtATimeGives) {
    std::mt19937 random(29);
    const std::vector<std::string> names = {"C", "c", "E", "COLORS", "x", "A", "pcecc", "New"};
    const std::vector<std::string> pieces = {"[C]", "[E]",      "[c]",   "[colors]",
                                             "A=1", "pcecc=cc", "x = y", "; note",
                                             "",    "  ",       "New=",  "junk"};
    const std::vector<std::string> breaks = {"\n", "\r\n", "\r"};
    ScratchDirectory dir;
    for (int run = 0; run < 3000; ++run) {
        const bool mixed = run % 15 == 0;
        const std::string& style = breaks[random() % breaks.size()];
        std::string text;
        const int lineCount = static_cast<int>(random() % 10);
        for (int i = 0; i < lineCount; ++i) {
            text += pieces[random() % pieces.size()];
            if (i + 1 < lineCount || random() % 2)
                text += mixed ? breaks[random() % breaks.size()] : style;
        }
        std::vector<std::string> values;
        for (int i = 0; i < 8; ++i) values.push_back("v" + std::to_string(random() % 100));
        std::vector<TProfileChange> changes;
        const int changeCount = 1 + static_cast<int>(random() % 8);
        for (int i = 0; i < changeCount; ++i)
            changes.push_back({names[random() % names.size()], names[random() % names.size()],
                               values[random() % values.size()]});
        const std::string batch = ApplyProfileChanges(text, changes);
        const std::string single = OneByOne(text, changes);
        if (!mixed) {
            ASSERT_EQ(batch, single) << "run " << run << " text \"" << text << "\"";
            continue;
        }
        const std::string a = dir.Write("batch.ini", batch);
        const std::string b = dir.Write("single.ini", single);
        std::vector<TProfileRead> reads;
        for (const std::string& section : names)
            for (const std::string& key : names) reads.push_back({section, key, "?"});
        ASSERT_EQ(ReadProfileStrings(a, reads), ReadProfileStrings(b, reads))
            << "run " << run << " text \"" << text << "\"";
    }
}

TEST(ProfileBatch, OneWriteOfTheFileAndOnePassToReadItBack) {
    ScratchDirectory dir;
    const std::string file = dir.Write("veskide.ini", "[C]\npcecc=old\n[COLORS]\nBGCOLOR=1\n");
    WriteProfileChanges(file, {{"C", "pcecc", "new"},
                               {"COLORS", "STRCOLOR", "255"},
                               {"E", "A", "ext\n[C]\npcecc=evil"},
                               {"C", "pceasm", "as"}});
    EXPECT_EQ(dir.Read("veskide.ini"),
              "[C]\npcecc=new\npceasm=as\n[COLORS]\nBGCOLOR=1\nSTRCOLOR=255\n[E]\n"
              "A=ext [C] pcecc=evil\n");
    EXPECT_EQ(ReadProfileStrings(file, {{"colors", "strcolor", "d"},
                                        {"C", "pcecc", "d"},
                                        {"C", "missing", "d"},
                                        {"E", "A", "d"},
                                        {"NONE", "A", "none"}}),
              (std::vector<std::string>{"255", "new", "d", "ext [C] pcecc=evil", "none"}));
    // Names that would read back as another key or section are refused before anything is
    // written.
    EXPECT_THROW(WriteProfileChanges(file, {{"C", "pcecc", "x"}, {"E", "A=B", "v"}}),
                 EIniFileException);
    EXPECT_EQ(ReadProfileString(file, "C", "pcecc", "d"), "new");
}

TEST(ProfileBatch, ReadingManyKeysFollowsTheRulesOfOneKey) {
    ScratchDirectory dir;
    const std::string file = dir.Write(
        "veskide.ini", "[C]\r\nA = first \r\nA=second\r\n[E]\rB=\n[c]\nZ=dup\n[C]\nA=third\n");
    EXPECT_EQ(ReadProfileStrings(file, {{"C", "a", "d"}, {"e", "B", "d"}, {"C", "Z", "d"}}),
              (std::vector<std::string>{"first", "", "d"}));
    for (const auto& [section, key] :
         std::vector<std::pair<std::string, std::string>>{{"C", "a"}, {"e", "B"}, {"C", "Z"}})
        EXPECT_EQ(ReadProfileStrings(file, {{section, key, "d"}}).front(),
                  ReadProfileString(file, section, key, "d"));
    EXPECT_EQ(ReadProfileStrings(dir / "missing.ini", {{"C", "A", "d"}}),
              std::vector<std::string>{"d"});
}

}  // namespace
