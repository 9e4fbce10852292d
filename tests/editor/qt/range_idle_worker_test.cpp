// Idle-time work of the editor widget: range states below what was painted are carried through
// the whole text once the user pauses, and a change starts the wait over.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>
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
