// Idle-time work of the editor widget: range states below what was painted are carried through
// the whole text once the user pauses, and a change starts the wait over.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <string>
#include <vector>

#include "editor/qt/synedit.h"
#include "editor/string_list.h"
#include "highlight/syn_cpp_syn.h"

namespace {

std::vector<int> EagerRanges(TSynEditStringList& lines) {
    TSynCppSyn hl;
    std::vector<int> ranges;
    for (int i = 0; i < lines.GetCount(); ++i) {
        ranges.push_back(hl.RangeState());
        hl.StartLine(lines.GetView(i), i);
        hl.ScanToLineEnd();
    }
    return ranges;
}

TEST(RangeIdleWorker, CarriesTheStatesThroughTheTextWhenTheUserPauses) {
    TSynCppSyn hl;
    TSynEdit edit;
    edit.resize(400, 300);
    edit.SetHighlighter(&hl);
    std::vector<std::string> text;
    for (int i = 0; i < 60000; ++i)
        text.push_back(i % 1000 == 7     ? "/* opened \"x\""
                       : i % 1000 == 500 ? "x = 1; */"
                                         : "int x;");
    // A line first: the text added to it is a change, which waits for the quiet time, not a
    // new text.
    edit.Lines().Add("int first;");
    edit.Lines().AddStrings(text);
    const int count = edit.Lines().GetCount();
    EXPECT_LT(edit.RangesKnown(), count);

    // Nothing happens during the quiet time after a change.
    QElapsedTimer clock;
    clock.start();
    QTest::qWait(50);
    if (clock.elapsed() < TSynRangeIdleWorker::kIdleDelayMs) {
        EXPECT_LT(edit.RangesKnown(), 1000);
    }
    QTRY_COMPARE_WITH_TIMEOUT(edit.RangesKnown(), count, 20000);
    const std::vector<int> eager = EagerRanges(edit.Lines());
    for (int i = 0; i < count; ++i) ASSERT_EQ(edit.Lines().LineRange(i), eager[i]) << i;

    // A comment opened below the view: only the view would be rescanned at once, the rest
    // after a pause.
    edit.Lines().Put(520, "/*");
    EXPECT_LT(edit.RangesKnown(), count);
    QTRY_COMPARE_WITH_TIMEOUT(edit.RangesKnown(), count, 20000);
    const std::vector<int> after = EagerRanges(edit.Lines());
    for (int i = 0; i < count; ++i) ASSERT_EQ(edit.Lines().LineRange(i), after[i]) << i;
}

TEST(RangeIdleWorker, ChangesCloserThanTheQuietTimeKeepPostponingTheWork) {
    TSynCppSyn hl;
    TSynEdit edit;
    edit.resize(400, 300);
    edit.SetHighlighter(&hl);
    std::vector<std::string> text(60000, "int x;");
    // A line first: the text added to it is a change, which waits for the quiet time, not a
    // new text.
    edit.Lines().Add("int first;");
    edit.Lines().AddStrings(text);
    const int count = edit.Lines().GetCount();
    // Changes every 50 ms for twice the quiet time: the wait counts from the last one each time.
    QElapsedTimer sinceChange;
    sinceChange.start();
    for (int i = 0; i < 2 * TSynRangeIdleWorker::kIdleDelayMs / 50; ++i) {
        QTest::qWait(50);
        // Only where the machine kept up: a stall longer than the quiet time lets work start.
        if (sinceChange.elapsed() < TSynRangeIdleWorker::kIdleDelayMs) {
            EXPECT_LT(edit.RangesKnown(), 1000) << i;
        }
        edit.Lines().Put(30000 + i, "int y;");
        sinceChange.restart();
    }
    QTRY_COMPARE_WITH_TIMEOUT(edit.RangesKnown(), count, 20000);
}

}  // namespace

// A text just loaded is not being typed into: its idle work starts right after the window has
// painted, without the quiet time a change waits for.
TEST(RangeIdleWorker, ALoadedTextStartsItsWorkWithoutTheQuietTime) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("loaded.c").toStdString();
    {
        std::ofstream file(path, std::ios::binary);
        for (int i = 0; i < 60000; ++i) file << (i % 1000 == 7 ? "/* opened\n" : "int x;\n");
    }
    TSynCppSyn hl;
    TSynEdit edit;
    edit.resize(400, 300);
    edit.SetHighlighter(&hl);
    QElapsedTimer clock;
    clock.start();
    edit.Lines().LoadFromFile(path);
    QTest::qWait(TSynRangeIdleWorker::kNewTextDelayMs + 150);
    // Only where the machine kept up: past the quiet time the test tells nothing.
    if (clock.elapsed() < TSynRangeIdleWorker::kIdleDelayMs) {
        EXPECT_GT(edit.RangesKnown(), 1000);
    }
    QTRY_COMPARE_WITH_TIMEOUT(edit.RangesKnown(), edit.Lines().GetCount(), 20000);

    // The first change after it waits for the quiet time again.
    edit.Lines().Put(10, "/*");
    const int known = edit.RangesKnown();
    QElapsedTimer sinceChange;
    sinceChange.start();
    QTest::qWait(TSynRangeIdleWorker::kNewTextDelayMs + 100);
    if (sinceChange.elapsed() < TSynRangeIdleWorker::kIdleDelayMs) {
        EXPECT_EQ(edit.RangesKnown(), known);
    }
}
