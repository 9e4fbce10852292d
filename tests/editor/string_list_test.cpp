// Line buffer operations: indices, hooks and brackets, capacity, tabs and the longest line.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "editor/string_list.h"

namespace {

// Records every hook call as text, e.g. "begin", "added 3", "end".
struct HookLog {
    std::vector<std::string> calls;

    void Attach(TSynEditStringList& list) {
        list.SetOnBeginChanges([this](TSynEditStringList*) { calls.push_back("begin"); });
        list.SetOnEndChanges([this](TSynEditStringList*) { calls.push_back("end"); });
        list.SetOnCleared([this](TSynEditStringList*) { calls.push_back("cleared"); });
        list.SetOnAdded([this](TSynEditStringList*, int i) { Line("added", i); });
        list.SetOnDeleted([this](TSynEditStringList*, int i) { Line("deleted", i); });
        list.SetOnInserted([this](TSynEditStringList*, int i) { Line("inserted", i); });
        list.SetOnPutted([this](TSynEditStringList*, int i) { Line("putted", i); });
    }
    void Line(const char* what, int index) {
        calls.push_back(std::string(what) + " " + std::to_string(index));
    }
    std::vector<std::string> Take() { return std::exchange(calls, {}); }
};

using Calls = std::vector<std::string>;

std::vector<std::string> Lines(const TSynEditStringList& list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list.GetCount(); ++i) lines.push_back(list.Get(i));
    return lines;
}

TEST(StringList, NewListDefaults) {
    TSynEditStringList list;
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetCapacity(), 0);
    EXPECT_EQ(list.TabWidth(), 8);
    EXPECT_EQ(list.LineBreakStyle(), 0);  // LF, this platform's line break
    EXPECT_EQ(list.LongestLineLength(), 0);
}

TEST(StringList, OutOfRangeReadsYieldEmptyValues) {
    TSynEditStringList list;
    list.Add("a");
    list.PutObject(0, 7);
    list.SetLineRange(0, 3);
    for (int bad : {-1, 1, 100}) {
        EXPECT_EQ(list.Get(bad), "");
        EXPECT_EQ(list.GetObject(bad), 0);
        EXPECT_EQ(list.LineRange(bad), 0);
        EXPECT_EQ(list.ExpandedText(bad), "");
    }
    EXPECT_EQ(list.GetObject(0), 7);
    EXPECT_EQ(list.LineRange(0), 3);
}

TEST(StringList, BadIndicesRaiseAndChangeNothing) {
    TSynEditStringList list;
    list.Add("a");
    list.Add("b");
    HookLog log;
    log.Attach(list);
    auto expectIndexError = [&](auto&& call, int index) {
        try {
            call();
            ADD_FAILURE() << "no error for index " << index;
        } catch (const ESynEditStringList& e) {
            EXPECT_STREQ(e.what(), ("Invalid stringlist index " + std::to_string(index)).c_str());
        }
    };
    expectIndexError([&] { list.Put(2, "x"); }, 2);
    expectIndexError([&] { list.Put(-1, "x"); }, -1);
    expectIndexError([&] { list.PutObject(5, 1); }, 5);
    expectIndexError([&] { list.SetLineRange(2, 1); }, 2);
    expectIndexError([&] { list.Insert(3, "x"); }, 3);
    expectIndexError([&] { list.Delete(2); }, 2);
    expectIndexError([&] { list.Exchange(0, 2); }, 2);
    expectIndexError([&] { list.Exchange(-4, 9); }, -4);
    expectIndexError([&] { list.DeleteLineRun(3, 1); }, 3);
    expectIndexError([&] { list.InsertEmptyLines(-1, 2); }, -1);
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(log.calls.empty());
}

TEST(StringList, EachChangeIsBracketedAndReported) {
    TSynEditStringList list;
    HookLog log;
    log.Attach(list);
    EXPECT_EQ(list.Add("one"), 0);
    EXPECT_EQ(log.Take(), (Calls{"begin", "added 0", "end"}));
    list.Insert(0, "zero");
    EXPECT_EQ(log.Take(), (Calls{"begin", "inserted 0", "end"}));
    list.Insert(2, "two");  // inserting at the count is still an insert
    EXPECT_EQ(log.Take(), (Calls{"begin", "inserted 2", "end"}));
    list.Put(1, "ONE");
    EXPECT_EQ(log.Take(), (Calls{"begin", "putted 1", "end"}));
    list.Delete(0);
    EXPECT_EQ(log.Take(), (Calls{"begin", "deleted 0", "end"}));
    list.Exchange(0, 1);
    list.PutObject(0, 5);
    EXPECT_EQ(log.Take(), (Calls{"begin", "end", "begin", "end"}));
    list.SetLineRange(0, 9);
    EXPECT_TRUE(log.Take().empty());
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"two", "ONE"}));

    list.BeginUpdate();
    list.Add("x");
    list.Delete(0);
    list.EndUpdate();
    EXPECT_EQ(log.Take(), (Calls{"begin", "added 2", "deleted 0", "end"}));

    list.Clear();
    EXPECT_EQ(log.Take(), (Calls{"begin", "cleared", "end"}));
    list.Clear();  // nothing to clear: no report
    EXPECT_TRUE(log.Take().empty());
}

TEST(StringList, PutOnEmptyListAdds) {
    TSynEditStringList list;
    HookLog log;
    log.Attach(list);
    list.Put(0, "first");
    EXPECT_EQ(log.Take(), (Calls{"begin", "added 0", "end"}));
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"first"}));
}

TEST(StringList, PutKeepsRangeAndObjectButForgetsLength) {
    TSynEditStringList list;
    list.Add("a\tb");
    list.SetLineRange(0, 4);
    list.PutObject(0, 11);
    EXPECT_EQ(list.LongestLineLength(), 9);
    list.Put(0, std::string(list.GetView(0)) + "cc");  // may alias the line's own text
    EXPECT_EQ(list.Get(0), "a\tbcc");
    EXPECT_EQ(list.LineRange(0), 4);
    EXPECT_EQ(list.GetObject(0), 11);
    EXPECT_EQ(list.LongestLineLength(), 11);
    list.Put(0, list.GetView(0).substr(1));
    EXPECT_EQ(list.Get(0), "\tbcc");
}

TEST(StringList, NewLinesHaveRangeMinusOne) {
    TSynEditStringList list;
    list.Add("a");
    list.Insert(0, "b");
    EXPECT_EQ(list.LineRange(0), -1);
    EXPECT_EQ(list.LineRange(1), -1);
}

TEST(StringList, CapacityGrowsBySixteenThenByAQuarter) {
    TSynEditStringList list;
    std::vector<int> seen;
    for (int i = 0; i < 200; ++i) {
        list.Add("x");
        if (seen.empty() || seen.back() != list.GetCapacity()) seen.push_back(list.GetCapacity());
    }
    EXPECT_EQ(seen, (std::vector<int>{16, 32, 48, 64, 80, 100, 125, 156, 195, 243}));
    list.Delete(0);
    EXPECT_EQ(list.GetCapacity(), 243);
    list.SetCapacity(10);  // never below the count
    EXPECT_EQ(list.GetCapacity(), 199);
    EXPECT_EQ(list.GetCount(), 199);
    list.SetCapacity(500);
    EXPECT_EQ(list.GetCapacity(), 500);
    list.Clear();
    EXPECT_EQ(list.GetCapacity(), 0);
}

TEST(StringList, AddStringsAppendsInOneBracket) {
    TSynEditStringList source;
    source.Add("p");
    source.Add("q");
    source.PutObject(1, 42);
    source.SetLineRange(1, 8);
    TSynEditStringList list;
    list.Add("x");
    HookLog log;
    log.Attach(list);
    list.AddStrings(source);
    EXPECT_EQ(log.Take(), (Calls{"begin", "added 1", "end"}));
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"x", "p", "q"}));
    EXPECT_EQ(list.GetObject(2), 42);
    EXPECT_EQ(list.LineRange(2), -1);
    EXPECT_EQ(list.GetCapacity(), 16);

    list.AddStrings(list);  // its own lines, each once
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"x", "p", "q", "x", "p", "q"}));
    log.Take();
    list.AddStrings(std::vector<std::string>{});
    EXPECT_TRUE(log.Take().empty());

    TSynEditStringList copy;
    copy.Assign(list);
    EXPECT_EQ(Lines(copy), Lines(list));
}

TEST(StringList, InsertEmptyLinesAndDeleteLineRun) {
    TSynEditStringList list;
    for (const char* s : {"a", "b", "c"}) list.Add(s);
    HookLog log;
    log.Attach(list);
    list.InsertEmptyLines(1, 3);
    EXPECT_EQ(log.Take(), (Calls{"added 1"}));
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"a", "", "", "", "b", "c"}));
    EXPECT_EQ(list.GetCapacity(), 6);
    EXPECT_EQ(list.LineRange(2), 0);
    list.InsertEmptyLines(1, 0);
    EXPECT_TRUE(log.Take().empty());

    list.DeleteLineRun(4, 10);  // cut to the lines that exist
    EXPECT_EQ(log.Take(), (Calls{"begin", "deleted 4", "end"}));
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"a", "", "", ""}));
    list.DeleteLineRun(0, 3);
    EXPECT_EQ(Lines(list), (std::vector<std::string>{""}));
}

TEST(StringList, ExchangeSwapsWholeRecordsAndTheLongestLineFollows) {
    TSynEditStringList list;
    list.Add("short");
    list.Add("the longest");
    list.SetLineRange(1, 7);
    list.PutObject(1, 3);
    EXPECT_EQ(list.LongestLineLength(), 11);
    list.Exchange(0, 1);
    EXPECT_EQ(list.Get(0), "the longest");
    EXPECT_EQ(list.LineRange(0), 7);
    EXPECT_EQ(list.GetObject(0), 3);
    EXPECT_EQ(list.GetObject(1), 0);
    EXPECT_EQ(list.LongestLineLength(), 11);
}

TEST(StringList, TabExpansion) {
    TSynEditStringList list;
    list.Add("a\tb");
    list.Add("");
    list.Add("plain");
    EXPECT_EQ(list.ExpandedText(0), "a       b");
    EXPECT_EQ(list.ExpandedText(1), "");
    EXPECT_EQ(list.ExpandedText(2), "plain");
    list.SetTabWidth(3);
    EXPECT_EQ(list.ExpandedText(0), "a  b");
    list.SetTabWidth(1);
    EXPECT_EQ(list.ExpandedText(0), "a b");
    list.SetTabWidth(0);
    EXPECT_EQ(list.ExpandedText(0), "a b");
    list.SetTabWidth(4);
    list.Put(0, "\t\tab\tc\t");
    EXPECT_EQ(list.ExpandedText(0), "        ab  c   ");
    list.SetTabWidth(5);
    EXPECT_EQ(list.ExpandedText(0), "          ab   c    ");
    EXPECT_EQ(list.LongestLineLength(), 20);
}

TEST(StringList, LongestLineFollowsTabWidthAndPrefersTheFirst) {
    TSynEditStringList list;
    list.Add("abc");
    list.Add("\tx");
    list.Add("12345678");
    EXPECT_EQ(list.LongestLineLength(), 9);
    list.SetTabWidth(4);
    EXPECT_EQ(list.LongestLineLength(), 8);
    list.Put(1, "abcdefgh");  // equally long: the first one stays the longest
    EXPECT_EQ(list.LongestLineLength(), 8);
    list.Exchange(1, 0);
    list.Delete(2);
    EXPECT_EQ(list.LongestLineLength(), 8);

    TSynEditStringList noTabs;
    noTabs.Add("1234");
    EXPECT_EQ(noTabs.LongestLineLength(), 4);
    noTabs.SetTabWidth(2);
    EXPECT_EQ(noTabs.LongestLineLength(), 4);
    noTabs.DeleteLineRun(0, 1);
    EXPECT_EQ(noTabs.LongestLineLength(), 0);
}

TEST(StringList, DestructionReportsNothing) {
    HookLog log;
    {
        TSynEditStringList list;
        list.Add("a");
        log.Attach(list);
    }
    EXPECT_TRUE(log.calls.empty());
}

}  // namespace

namespace {

// The longest line stays known across single inserts and deletes, including when the longest
// line itself moves down or goes.
TEST(StringList, LongestLineFollowsInsertsAndDeletes) {
    TSynEditStringList list;
    list.Add("abc");
    list.Add("abcdef");
    EXPECT_EQ(list.LongestLineLength(), 6);
    list.Insert(0, "ab");  // the longest line moves down one
    EXPECT_EQ(list.LongestLineLength(), 6);
    list.Add("a\tb");  // tab expands to column 9
    EXPECT_EQ(list.LongestLineLength(), 9);
    list.Delete(3);
    EXPECT_EQ(list.LongestLineLength(), 6);
    list.Delete(0);
    EXPECT_EQ(list.LongestLineLength(), 6);
    list.Delete(1);
    EXPECT_EQ(list.LongestLineLength(), 3);
}

}  // namespace

namespace {

std::size_t ModelLength(const std::string& text, int tabWidth) {
    std::size_t column = 0;
    for (char c : text) column = c == '\t' ? (column / tabWidth + 1) * tabWidth : column + 1;
    return column;
}

}  // namespace

// Splices inside a line, with and without tabs, whole puts and tab width changes in between:
// the list's tab knowledge and longest line follow the text exactly.
TEST(StringList, SplicesKeepTabPresenceAndLongestLineExact) {
    TSynEditStringList list;
    std::vector<std::string> model = {"plain text here", "with\ttab", ""};
    for (const std::string& line : model) list.Add(line);
    int tabWidth = 8;
    unsigned seed = 12345;
    auto next = [&seed](unsigned bound) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % bound;
    };
    const char* middles[] = {"", "a", "\t", "ab\tc", "xyz"};
    for (int step = 0; step < 3000; ++step) {
        SCOPED_TRACE(step);
        const int index = static_cast<int>(next(3));
        std::string& text = model[static_cast<std::size_t>(index)];
        const unsigned op = next(10);
        if (op < 7) {
            // A splice as typing makes it: head and tail lie in the line's own text, or, now and
            // then, are copies of it.
            const std::size_t a = next(static_cast<unsigned>(text.size() + 1));
            const std::size_t b = a + next(static_cast<unsigned>(text.size() - a + 1));
            const std::string middle = middles[next(5)];
            const std::string_view view = list.GetView(index);
            const std::string headCopy(view.substr(0, a)), tailCopy(view.substr(b));
            if (op < 5)
                list.PutSpliced(index, view.substr(0, a), middle, view.substr(b));
            else
                list.PutSpliced(index, headCopy, middle, tailCopy);
            text = text.substr(0, a) + middle + text.substr(b);
        } else if (op < 9) {
            text = next(2) ? "put\tline" : "put line";
            list.Put(index, text);
        } else {
            tabWidth = 1 + static_cast<int>(next(8));
            list.SetTabWidth(tabWidth);
        }
        ASSERT_EQ(list.GetView(index), text);
        std::size_t longest = 0;
        for (int i = 0; i < 3; ++i) {
            const std::string& line = model[static_cast<std::size_t>(i)];
            ASSERT_EQ(list.LineHasTabs(i), line.find('\t') != std::string::npos) << i;
            longest = std::max(longest, ModelLength(line, tabWidth));
        }
        ASSERT_EQ(list.LongestLineLength(), static_cast<int>(longest));
    }
}

// What the edits of a line since a given change kept of its start: the least of what each
// of those edits kept, not of the earlier ones; another line's edit, or a change of the list,
// leaves nothing known.
TEST(StringList, KeptBytesCountOnlyTheEditsSinceTheChangeAsked) {
    TSynEditStringList list;
    list.Add(std::string(1000, 'a'));
    list.Add("other");
    std::vector<std::uint64_t> at;  // the change count after each edit
    auto type = [&](std::size_t column) {
        const std::string_view line = list.GetView(0);
        list.PutSpliced(0, line.substr(0, column), "x", line.substr(column));
        at.push_back(list.ChangeCount());
    };
    type(0);    // kept 0
    type(900);  // kept 900
    type(950);  // kept 950
    type(400);  // kept 400
    type(990);  // kept 990
    std::size_t kept = 0;
    ASSERT_TRUE(list.KeptOfLineSince(0, at[4], kept));
    EXPECT_EQ(kept, std::numeric_limits<std::size_t>::max());
    ASSERT_TRUE(list.KeptOfLineSince(0, at[3], kept));
    EXPECT_EQ(kept, 990u);
    ASSERT_TRUE(list.KeptOfLineSince(0, at[1], kept));
    EXPECT_EQ(kept, 400u);
    ASSERT_TRUE(list.KeptOfLineSince(0, at[0], kept));
    EXPECT_EQ(kept, 400u);
    ASSERT_TRUE(list.KeptOfLineSince(0, at[0] - 1, kept));
    EXPECT_EQ(kept, 0u);
    EXPECT_FALSE(list.KeptOfLineSince(1, at[3], kept));
    // The bytes after each typed one were kept too, moved along: the least of them counts.
    std::size_t keptEnd = 0;
    ASSERT_TRUE(list.KeptOfLineSince(0, at[3], kept, keptEnd));
    EXPECT_EQ(keptEnd, 1004u - 990u);
    ASSERT_TRUE(list.KeptOfLineSince(0, at[1], kept, keptEnd));
    EXPECT_EQ(keptEnd, 1004u - 990u);
    ASSERT_TRUE(list.KeptOfLineSince(0, at[0] - 1, kept, keptEnd));
    EXPECT_EQ(keptEnd, 1004u - 990u);

    // Many edits walking right: the answer for recent ones stays exact, an old one's is never
    // more than what really stayed.
    for (std::size_t column = 0; column < 300; ++column) type(column + 10);
    ASSERT_TRUE(list.KeptOfLineSince(0, at[at.size() - 3], kept));
    EXPECT_EQ(kept, 308u);
    ASSERT_TRUE(list.KeptOfLineSince(0, at[5], kept));
    EXPECT_LE(kept, 11u);

    // A splice that cuts the end, and a whole put, keep no end.
    const std::string_view line = list.GetView(0);
    list.PutSpliced(0, line.substr(0, 5), "", line.substr(10, 3));
    ASSERT_TRUE(list.KeptOfLineSince(0, at.back(), kept, keptEnd));
    EXPECT_EQ(kept, 5u);
    EXPECT_EQ(keptEnd, 0u);
    list.Put(0, std::string(2000, 'b'));
    ASSERT_TRUE(list.KeptOfLineSince(0, list.ChangeCount() - 1, kept, keptEnd));
    EXPECT_EQ(keptEnd, 0u);

    list.Put(1, "changed");
    EXPECT_FALSE(list.KeptOfLineSince(0, at.back(), kept));
}
