// Loading and saving the line buffer: line-break styles, byte-clean round trips, long lines
// and files that cannot be read.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "editor/file_reader.h"
#include "editor/file_stream.h"
#include "editor/string_list.h"
#include "editor_invariants.h"
#include "support/scratch_dir_test.h"

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

class FileIo : public ScratchDirTest {
  protected:
    FileIo() : ScratchDirTest("quillon_file_io_") {}
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(m_dir / "locked", fs::perms::owner_all, ignored);
    }
    // Loads `bytes` from a file, saves the list again and returns what was saved.
    std::string RoundTrip(const std::string& bytes, TSynEditStringList& list) const {
        list.LoadFromFile(Write("in", bytes));
        list.SaveToFile(Path("out"));
        return Read(Path("out"));
    }
};

std::vector<std::string> Lines(const TSynEditStringList& list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list.GetCount(); ++i) lines.push_back(list.Get(i));
    return lines;
}

using Strings = std::vector<std::string>;

TEST_F(FileIo, LineBreakStyleIsKept) {
    TSynEditStringList list;
    EXPECT_EQ(RoundTrip("a\nb\n", list), "a\nb\n");
    EXPECT_EQ(list.LineBreakStyle(), 0);
    EXPECT_EQ(RoundTrip("a\r\nb\r\n", list), "a\r\nb\r\n");
    EXPECT_EQ(list.LineBreakStyle(), 1);
    EXPECT_EQ(RoundTrip("a\nb\r\nc", list), "a\r\nb\r\nc\r\n");  // any CR means CR LF

    TSynEditStringList fresh;
    fresh.Add("x");
    fresh.SaveToFile(Path("new"));
    EXPECT_EQ(Read(Path("new")), "x\n");  // a new text takes this platform's line break
}

TEST_F(FileIo, LineEndsAndEmptyFiles) {
    struct Case {
        std::string bytes;
        Strings lines;
    };
    const std::vector<Case> cases = {
        {"", {}},
        {"no final break", {"no final break"}},
        {"a\n", {"a"}},
        {"a\n\n", {"a", ""}},
        {"\n\n\n", {"", "", ""}},
        {"\r\r\r", {"", "", ""}},
        {"\r\n\r\n", {"", ""}},
        {"\n\r", {"", ""}},
        {"a\r", {"a"}},
        {"a\rb", {"a", "b"}},
        {"a\r\rb", {"a", "", "b"}},
        {"x\r\n\ny", {"x", "", "y"}},
    };
    for (const Case& c : cases) {
        TSynEditStringList list;
        list.LoadFromFile(Write("f", c.bytes));
        EXPECT_EQ(Lines(list), c.lines) << testing::PrintToString(c.bytes);
    }
}

TEST_F(FileIo, EveryByteSurvivesLoadAndSave) {
    // Zero bytes anywhere (first, last, mid-line), lone CRs, a final CR and bytes 0x80-0xFF.
    std::string lfText;
    for (int b = 0; b < 256; ++b)
        if (b != '\n' && b != '\r') lfText += static_cast<char>(b);
    lfText = "\0"s + lfText + "\n\0\0\n\xff\x80\n\0"s;
    TSynEditStringList list;
    EXPECT_EQ(RoundTrip(lfText, list), lfText + "\n");
    EXPECT_EQ(list.GetCount(), 4);
    EXPECT_EQ(list.Get(1), std::string(2, '\0'));

    const std::string crText = "a\0b\rc\r\n\0\r\xe9\r"s;
    EXPECT_EQ(RoundTrip(crText, list), "a\0b\r\nc\r\n\0\r\n\xe9\r\n"s);

    // Random bytes: the text equals the input with every break written as CR LF.
    std::mt19937 random(7);
    std::string bytes;
    for (int i = 0; i < 200000; ++i) bytes += static_cast<char>(random() & 0xff);
    const std::string saved = RoundTrip(bytes, list);
    std::string expected;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r') {
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            expected += "\r\n";
        } else if (bytes[i] == '\n') {
            expected += "\r\n";
        } else {
            expected += bytes[i];
        }
    }
    if (expected.size() < 2 || expected.compare(expected.size() - 2, 2, "\r\n") != 0)
        expected += "\r\n";
    EXPECT_TRUE(saved == expected);
}

TEST_F(FileIo, BreaksAtBufferBoundariesAndLongLines) {
    // CR LF pairs split across buffer fills, and lines around the buffer and its half.
    for (std::size_t length : {16382u, 16383u, 16384u, 8191u, 8192u, 8193u, 40000u}) {
        std::string line(length, 'x');
        line[length / 2] = '\0';
        const std::string text = line + "\r\n" + line + "\r" + line + "\n\n";
        TSynEditStringList list;
        EXPECT_EQ(RoundTrip(text, list), line + "\r\n" + line + "\r\n" + line + "\r\n\r\n")
            << length;
        EXPECT_EQ(list.GetCount(), 4);
    }
    const std::string huge(10'000'000, 'h');
    TSynEditStringList list;
    EXPECT_TRUE(RoundTrip("a\n" + huge + "\nb", list) == "a\n" + huge + "\nb\n");
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list.LongestLineLength(), 10'000'000);
}

TEST_F(FileIo, ReaderBufferDoublesForLongLines) {
    TSynEditFileReader reader(Write("long", std::string(70000, 'q') + "\nend"));
    EXPECT_EQ(reader.ReadLine().size(), 70000u);
    EXPECT_GE(reader.BufferSize(), 70000u);
    EXPECT_EQ(reader.ReadLine(), "end");
    EXPECT_TRUE(reader.EndOfFile());
}

TEST_F(FileIo, FailedLoadLeavesTheListUnchanged) {
    TSynEditStringList list;
    list.Add("keep");
    list.SetLineBreakStyle(0);
    int reports = 0;
    list.SetOnBeginChanges([&](TSynEditStringList*) { ++reports; });
    EXPECT_THROW(list.LoadFromFile(Path("missing")), EFileStreamError);
    EXPECT_THROW(list.LoadFromFile(m_dir.string()), EFileStreamError);
    const std::string locked = Write("locked", "secret\n");
    ::chmod(locked.c_str(), 0);
    if (::geteuid() != 0) {
        EXPECT_THROW(list.LoadFromFile(locked), EFileStreamError);
    }
    EXPECT_EQ(Lines(list), (Strings{"keep"}));
    EXPECT_EQ(list.LineBreakStyle(), 0);
    EXPECT_EQ(reports, 0);
    try {
        list.LoadFromFile(Path("missing"));
    } catch (const EFileStreamError& e) {
        EXPECT_NE(std::string(e.what()).find("Cannot open file"), std::string::npos);
    }
    EXPECT_THROW(list.SaveToFile(Path("no/such/dir")), EFileStreamError);
}

// A disk that fails part-way through a large file, which the read-ahead thread reads: the load
// fails with the error and the list keeps its lines; a small file fails the same way.
TEST_F(FileIo, AReadErrorPartWayFailsTheLoadAndLeavesTheList) {
    struct FaultScope {
        ~FaultScope() { SetReadFaultForTesting(nullptr); }
    } faultScope;
    std::string text;
    while (text.size() < (9u << 20)) text += "int counter = 0; /* a line of about forty */\n";
    const std::string large = Write("large", text);
    const std::string small = Write("small", "one\ntwo\n");
    for (const auto& [path, failAt] :
         {std::pair{large, std::uint64_t{4} << 20}, std::pair{small, std::uint64_t{0}}}) {
        TSynEditStringList list;
        list.Add("keep");
        list.SetLineBreakStyle(1);
        int reports = 0;
        list.SetOnBeginChanges([&](TSynEditStringList*) { ++reports; });
        SetReadFaultForTesting([failAt](std::uint64_t bytesRead) {
            if (bytesRead >= failAt) throw EFileStreamError("I/O error 5");
        });
        try {
            list.LoadFromFile(path);
            ADD_FAILURE() << path << " loaded despite the read error";
        } catch (const EFileStreamError& error) {
            EXPECT_STREQ(error.what(), "I/O error 5");
        }
        SetReadFaultForTesting(nullptr);
        EXPECT_EQ(Lines(list), (Strings{"keep"})) << path;
        EXPECT_EQ(list.LineBreakStyle(), 1);
        EXPECT_EQ(reports, 0);
        EXPECT_EQ(CheckInvariants(list), "");
    }
}

TEST_F(FileIo, LoadReportsLikeAddingLineByLine) {
    TSynEditStringList list;
    list.Add("old");
    std::vector<std::string> calls;
    list.SetOnBeginChanges([&](TSynEditStringList*) { calls.push_back("begin"); });
    list.SetOnEndChanges([&](TSynEditStringList*) { calls.push_back("end"); });
    list.SetOnCleared([&](TSynEditStringList*) { calls.push_back("cleared"); });
    list.SetOnAdded([&](TSynEditStringList* sender, int i) {
        calls.push_back("added " + std::to_string(i) + " of " + std::to_string(sender->GetCount()));
    });
    list.LoadFromFile(Write("f", "a\nb\n"));
    EXPECT_EQ(calls, (Strings{"begin", "cleared", "added 0 of 1", "added 1 of 2", "end"}));
    EXPECT_EQ(list.GetCapacity(), 16);
    EXPECT_EQ(list.LineRange(1), -1);

    for (int i = 0; i < 100; ++i) list.Add("more");
    list.SetOnAdded(nullptr);
    list.LoadFromFile(Write("g", std::string(100, '\n')));
    EXPECT_EQ(list.GetCount(), 100);
    EXPECT_EQ(list.GetCapacity(), 100);
}

}  // namespace

namespace {

// Only regular files load: a pipe is refused at once, without waiting for a writer (which
// would block for ever), and a device that never ends is refused before it is read.
TEST_F(FileIo, PipesAndDevicesAreRefusedWithoutWaiting) {
    const std::string fifo = Path("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string zero = Path("zero");
    ASSERT_EQ(::symlink("/dev/zero", zero.c_str()), 0);
    for (const std::string& name : {fifo, zero}) {
        TSynEditStringList list;
        list.Add("kept");
        try {
            list.LoadFromFile(name);
            ADD_FAILURE() << name;
        } catch (const EFileStreamError& error) {
            EXPECT_EQ(std::string(error.what()),
                      "Cannot open file \"" + name + "\". Not a regular file");
        }
        EXPECT_EQ(list.GetCount(), 1);
        EXPECT_EQ(list.Get(0), "kept");
    }
}

}  // namespace

namespace {

// Saving writes unchanged loaded lines straight from the loaded text; edits between them,
// mixed original breaks and lines holding break characters must still come out line by line.
TEST_F(FileIo, SaveAfterEditsMatchesTheLines) {
    std::mt19937 random(11);
    const char* breaks[] = {"\n", "\r\n", "\r"};
    for (int round = 0; round < 40; ++round) {
        std::string text;
        const int lineCount = 1 + random() % 300;
        for (int i = 0; i < lineCount; ++i) {
            text += std::string(random() % 5, static_cast<char>('a' + random() % 3));
            text += round % 2 == 0 ? "\n" : breaks[random() % 3];
        }
        TSynEditStringList list;
        list.LoadFromFile(Write("in", text));
        std::vector<std::string> model = Lines(list);
        for (int edit = 0; edit < 10 && !model.empty(); ++edit) {
            const int i = random() % model.size();
            const std::string line = edit % 2 == 0 ? "\n" : std::string(random() % 3, '\n');
            switch (random() % 4) {
                case 0:
                    list.Delete(i);
                    model.erase(model.begin() + i);
                    break;
                case 1:
                    list.Put(i, line);
                    model[i] = line;
                    break;
                case 2:
                    list.Insert(i, line);
                    model.insert(model.begin() + i, line);
                    break;
                default: {
                    const int j = random() % model.size();
                    list.Exchange(i, j);
                    std::swap(model[i], model[j]);
                }
            }
            ASSERT_EQ(CheckInvariants(list), "") << "round " << round << " edit " << edit;
        }
        list.SaveToFile(Path("out"));
        std::string expected;
        for (const std::string& line : model)
            expected += line + (list.LineBreakStyle() == 1 ? "\r\n" : "\n");
        ASSERT_EQ(Read(Path("out")), expected) << "round " << round;
    }
}

// Loaded lines are kept packed; lengths around the packed form's limits, empty lines, every kind
// of line break, range states of every size and edits after the load must all read back and
// save as they were.
TEST_F(FileIo, PackedLinesKeepEveryLengthBreakAndRange) {
    std::mt19937 random(29);
    const char* breaks[] = {"\n", "\r\n", "\r"};
    const std::size_t lengths[] = {0, 1, 253, 254, 255, 256, 300, 65535, 65536, 70000};
    for (int round = 0; round < 6; ++round) {
        std::string text;
        Strings model;
        const int lineCount = 2500 + random() % 2000;  // a few chunks
        for (int i = 0; i < lineCount; ++i) {
            std::size_t length = random() % 60;
            if (random() % 40 == 0) length = lengths[random() % std::size(lengths)];
            std::string line(length, static_cast<char>('a' + i % 26));
            if (!line.empty() && random() % 7 == 0) line[0] = '\t';
            model.push_back(line);
            const bool afterCr = !text.empty() && text.back() == '\r';
            text += line;
            // Rounds 0 and 1 use one break throughout, the others mix them (a CR then an
            // empty line ended by LF would read as one CR LF).
            int kind = round < 2 ? round : random() % 3;
            if (kind == 0 && line.empty() && afterCr) kind = 1;
            text += breaks[kind];
        }
        if (round == 3) text.pop_back();  // no break after the last line
        if (round == 3 && text.back() == '\r') text.pop_back();
        TSynEditStringList list;
        list.LoadFromFile(Write("in", text));
        ASSERT_EQ(Lines(list), model) << "round " << round;
        EXPECT_EQ(TSynEditInvariants::PackedLines(list), list.GetCount()) << "round " << round;
        ASSERT_EQ(CheckInvariants(list), "") << "round " << round;
        if (round < 2) {
            list.SaveToFile(Path("same"));
            ASSERT_EQ(Read(Path("same")), text) << "round " << round;
        }

        // Range states, small and large, on packed lines.
        std::vector<int> ranges(model.size(), -1);
        for (int k = 0; k < 400; ++k) {
            const int i = random() % model.size();
            const int range = k % 5 == 0 ? 100000 + k : static_cast<int>(random() % 16) - 1;
            list.SetLineRange(i, range);
            ranges[i] = range;
        }
        list.ChainRanges(10, 2000, [](std::string_view line, std::int32_t range, int) {
            return line.size() % 2 == 0 ? range : (range + 7) % 40;
        });
        for (int i = 10; i < 2000; ++i)
            ranges[i + 1] = model[i].size() % 2 == 0 ? ranges[i] : (ranges[i] + 7) % 40;
        for (std::size_t i = 0; i < model.size(); ++i)
            ASSERT_EQ(list.LineRange(static_cast<int>(i)), ranges[i]) << "round " << round;

        // Edits in one chunk leave the others packed and everything readable.
        list.Put(5, "edited");
        model[5] = "edited";
        const int at = static_cast<int>(model.size()) - 300;
        list.Insert(at, "new");
        model.insert(model.begin() + at, "new");
        ranges.insert(ranges.begin() + at, -1);
        list.Delete(1500);
        model.erase(model.begin() + 1500);
        ranges.erase(ranges.begin() + 1500);
        ASSERT_EQ(Lines(list), model) << "round " << round;
        for (std::size_t i = 0; i < model.size(); ++i)
            ASSERT_EQ(list.LineRange(static_cast<int>(i)), ranges[i]) << "round " << round;
        EXPECT_GE(TSynEditInvariants::PackedLines(list), list.GetCount() - 3 * 1024);
        ASSERT_EQ(CheckInvariants(list), "") << "round " << round;
        std::size_t longest = 0;
        for (const std::string& line : model) {
            bool tabs = false;
            longest = std::max(longest, ExpandedTabLength(line, 8, tabs));
        }
        EXPECT_EQ(list.LongestLineLength(), static_cast<int>(longest));

        list.SaveToFile(Path("out"));
        std::string expected;
        for (const std::string& line : model)
            expected += line + (list.LineBreakStyle() == 1 ? "\r\n" : "\n");
        ASSERT_EQ(Read(Path("out")), expected) << "round " << round;
    }
}

// Changed texts of loaded lines are listed beside the packed chunk until half of its lines
// changed; reading, range chaining, the longest line, saving and the changes that turn a chunk
// loose must all see the new texts, and every replaced text is released (the sanitizer build
// reports a leak or a double release).
TEST_F(FileIo, ChangedTextsOfPackedLinesReadBackUntilTheChunkTurnsLoose) {
    std::string text;
    Strings model;
    for (int i = 0; i < 3000; ++i) {
        model.push_back("line " + std::to_string(i));
        text += model.back() + "\n";
    }
    TSynEditStringList list;
    list.LoadFromFile(Write("in", text));
    const int packed = TSynEditInvariants::PackedLines(list);
    ASSERT_EQ(packed, 3000);

    // Every third line of the first chunk, some twice: about 340 listed changes, still packed.
    for (int round = 0; round < 2; ++round)
        for (int i = round * 300; i < 1024; i += 3) {
            model[i] = "changed " + std::to_string(i) + std::string(round * 40, 'x');
            list.Put(i, model[i]);
        }
    list.Put(7, "\ttabbed and the longest line of all, by far: " + std::string(300, '-'));
    model[7] = list.Get(7);
    list.Put(8, "");
    model[8].clear();
    EXPECT_EQ(TSynEditInvariants::PackedLines(list), 3000);
    ASSERT_EQ(Lines(list), model);
    ASSERT_EQ(CheckInvariants(list), "");
    EXPECT_EQ(list.LongestLineLength(), static_cast<int>(model[7].size()) + 7);
    list.ChainRanges(0, 1500, [](std::string_view line, std::int32_t range, int) {
        return line.size() % 2 == 0 ? range : range + 1;
    });
    std::int32_t range = list.LineRange(0);
    for (int i = 0; i < 1500; ++i) {
        range = model[i].size() % 2 == 0 ? range : range + 1;
        ASSERT_EQ(list.LineRange(i + 1), range) << "line " << i + 1;
    }

    // The longest line shortened, then another lengthened, then shortened by a tab width change.
    const auto longestOfModel = [&](int tabWidth) {
        std::size_t longest = 0;
        for (const std::string& line : model) {
            bool tabs = false;
            longest = std::max(longest, ExpandedTabLength(line, tabWidth, tabs));
        }
        return static_cast<int>(longest);
    };
    list.Put(7, "short");
    model[7] = "short";
    EXPECT_EQ(list.LongestLineLength(), longestOfModel(8));
    list.Put(2000, "\t" + std::string(500, 'y'));
    model[2000] = list.Get(2000);
    EXPECT_EQ(list.LongestLineLength(), 508);
    list.Put(2001, std::string(505, 'z'));
    model[2001] = list.Get(2001);
    EXPECT_EQ(list.LongestLineLength(), 508);
    list.SetTabWidth(2);
    EXPECT_EQ(list.LongestLineLength(), 505);
    list.Put(2001, "");
    model[2001].clear();
    EXPECT_EQ(list.LongestLineLength(), longestOfModel(2));
    ASSERT_EQ(CheckInvariants(list), "");

    // Half of the second chunk's lines and one more turn it loose; the texts stay.
    for (int i = 1024; i <= 1024 + 512; ++i) {
        model[i] = "second " + std::to_string(i);
        list.Put(i, model[i]);
    }
    EXPECT_EQ(TSynEditInvariants::PackedLines(list), 3000 - 1024);
    // Deleting, inserting and swapping in the first chunk loosen it with its changes.
    list.Delete(3);
    model.erase(model.begin() + 3);
    list.Insert(10, "inserted");
    model.insert(model.begin() + 10, "inserted");
    list.Exchange(0, 2500);
    std::swap(model[0], model[2500]);
    ASSERT_EQ(Lines(list), model);
    ASSERT_EQ(CheckInvariants(list), "");

    list.SaveToFile(Path("out"));
    std::string expected;
    for (const std::string& line : model) expected += line + "\n";
    EXPECT_EQ(Read(Path("out")), expected);
}

// A file large enough to be read ahead by a second thread splits into the same lines as the
// plain line-by-line reader gives, with breaks (a CR LF among them) straddling the pieces the
// read-ahead publishes, and a last line without a break.
TEST_F(FileIo, ReadAheadLoadSplitsLikeTheLineReader) {
    std::mt19937 random(5);
    std::string text;
    const std::size_t piece = 1 << 20;
    while (text.size() < 9 * piece + 1000) {
        const std::size_t next = (text.size() / piece + 1) * piece;
        if (text.size() + 200 > next && text.size() < next - 1) {
            // Make the next CR LF cross a piece boundary.
            text.append(next - 1 - text.size(), 'p');
            text += "\r\n";
            continue;
        }
        text.append(random() % 120, static_cast<char>('a' + random() % 26));
        text += random() % 50 == 0 ? "\r" : "\n";
    }
    text += "last line without a break";
    const std::string path = Write("big", text);

    Strings expected;
    {
        TSynEditFileReader reader(path);
        while (!reader.EndOfFile()) expected.emplace_back(reader.ReadLine());
    }
    TSynEditStringList list;
    list.LoadFromFile(path);
    ASSERT_EQ(list.GetCount(), static_cast<int>(expected.size()));
    EXPECT_TRUE(Lines(list) == expected);
    EXPECT_EQ(list.LineBreakStyle(), 1);
    EXPECT_EQ(CheckInvariants(list), "");
    list.SaveToFile(Path("out"));
    std::string saved;
    for (const std::string& line : expected) saved += line + "\r\n";
    EXPECT_TRUE(Read(Path("out")) == saved);
}

}  // namespace

// The only line of a loaded file takes over the block it was read into at its first edit: the
// bytes after an edit at its start stay where they were read. With more lines the block stays
// shared and the line is copied. Either way text, saves and later edits are exact.
TEST_F(FileIo, ALoneLongLineIsEditedWhereItWasRead) {
    std::mt19937 random(5);
    std::string line(300'000, ' ');
    for (char& c : line) c = static_cast<char>('a' + random() % 26);
    for (const std::string& before : {""s, "first\n"s, "\n"s}) {
        SCOPED_TRACE(before.size());
        TSynEditStringList list;
        list.LoadFromFile(Write("in", before + line + "\n"));
        const int index = list.GetCount() - 1;
        std::string model = line;
        const std::string_view read = list.GetView(index);
        const char* const readEnd = read.data() + read.size();
        list.PutSpliced(index, read.substr(0, 3), "xy", read.substr(3));
        model.insert(3, "xy");
        ASSERT_EQ(list.GetView(index), model);
        const std::string_view edited = list.GetView(index);
        EXPECT_EQ(edited.data() + edited.size() == readEnd, before.empty());
        ASSERT_EQ(CheckInvariants(list), "");
        // Further edits at both ends and in the middle, then a save.
        for (int i = 0; i < 200; ++i) {
            const std::string_view now = list.GetView(index);
            const std::size_t at = i % 3 == 0 ? 0 : i % 3 == 1 ? now.size() : now.size() / 2;
            const std::size_t removed = i % 2 == 0 || at == now.size() ? 0 : 1;
            list.PutSpliced(index, now.substr(0, at), "q", now.substr(at + removed));
            model.replace(at, removed, "q");
        }
        ASSERT_EQ(list.GetView(index), model);
        list.SaveToFile(Path("out"));
        EXPECT_EQ(Read(Path("out")), before + model + "\n");
        ASSERT_EQ(CheckInvariants(list), "");
        // Text added after the edits goes to memory of its own.
        list.Add("added");
        list.Delete(index);
        EXPECT_EQ(list.Get(list.GetCount() - 1), "added");
    }
}

// A tab in a loaded file is found wherever it lies (in the first or the last line, one without a
// break, at a block boundary of the line splitting, in a line read across a refill of a large
// file): the longest line counts it as the columns it fills.
TEST_F(FileIo, TheLongestLoadedLineCountsATabWhereverItLies) {
    const int tabWidth = 40;
    auto expanded = [&](const std::string& line) {
        int column = 0;
        for (char c : line) column = c == '\t' ? (column / tabWidth + 1) * tabWidth : column + 1;
        return column;
    };
    for (std::size_t lines : {3u, 400u, 200'000u}) {
        std::string text;
        for (std::size_t i = 0; i < lines; ++i) text += std::string(49, 'a') + "\n";
        text.pop_back();  // the last line has no break
        std::vector<std::size_t> places = {0, 15, 16, 17, text.size() - 1, text.size() / 2};
        if (text.size() > (1u << 20)) places.push_back((1u << 20) - 3);
        for (std::size_t at : places) {
            SCOPED_TRACE(std::to_string(lines) + " lines, tab at " + std::to_string(at));
            std::string withTab = text;
            if (withTab[at] == '\n') ++at;
            withTab[at] = '\t';
            TSynEditStringList list;
            list.SetTabWidth(tabWidth);
            list.LoadFromFile(Write("in", withTab));
            int longest = 0;
            std::istringstream in(withTab);
            for (std::string line; std::getline(in, line);)
                longest = std::max(longest, expanded(line));
            EXPECT_EQ(list.LongestLineLength(), longest);
        }
        TSynEditStringList plain;
        plain.SetTabWidth(tabWidth);
        plain.LoadFromFile(Write("in", text));
        EXPECT_EQ(plain.LongestLineLength(), 49);
    }
}
