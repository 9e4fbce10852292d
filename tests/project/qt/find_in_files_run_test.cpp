// The background run of Find in Files and its dialog.
#include "project/qt/find_in_files_run.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>

#include "platform/qt/scripted_dialogs.h"
#include "platform/scratch_directory.h"
#include "project/qt/directory_edit.h"
#include "project/qt/find_in_files_dialog.h"

namespace {

TEST(FindInFilesRun, HandsOnEveryLineInBoundedBatchesThenTheEnd) {
    ScratchDirectory scratch;
    std::string text;
    for (int i = 0; i < 5000; ++i) text += "hit hit\n";
    scratch.Write("a.c", text);
    scratch.Write("b/b.asm", "no\nhit\n");
    TFindInFilesRun run;
    std::vector<std::string> lines;
    std::size_t largestBatch = 0;
    int finished = 0;
    int matches = 0;
    run.OnLines = [&](const std::vector<std::string>& batch) {
        largestBatch = std::max(largestBatch, batch.size());
        lines.insert(lines.end(), batch.begin(), batch.end());
    };
    run.OnFinished = [&](int count, int files, bool cancelled) {
        ++finished;
        matches = count;
        EXPECT_EQ(files, 2);
        EXPECT_FALSE(cancelled);
    };
    run.Start({scratch.Path(), "*.c;*.asm", "hit", true, true});
    QElapsedTimer timer;
    timer.start();
    while (finished == 0 && timer.elapsed() < 20000) QTest::qWait(5);
    EXPECT_FALSE(run.IsRunning());
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(matches, 10001);
    ASSERT_EQ(lines.size(), 10001u);
    EXPECT_EQ(lines.front(), "a.c:1:1: hit hit");
    EXPECT_EQ(lines[1], "a.c:1:5: hit hit");
    EXPECT_EQ(lines.back(), "b/b.asm:2:1: hit");
    // No hand-over holds the window's thread for long.
    EXPECT_LE(largestBatch, 4000u);
}

TEST(FindInFilesDialog, ValuesHistoryAndTheBrowseButton) {
    TScriptedDialogs dialogs;
    TDialogsScope scope(dialogs);
    TFindInFilesDialog dialog;
    dialog.SetFindHistory("vsync\r\nspr_update");
    dialog.SetFindText("TitleLoop");
    dialog.SetMask("*.c");
    dialog.SetDirectory("/tmp/game");
    dialogs.AnswerDirectory("/home/me/other game");
    dialog.edtDirectory->ClickButton();
    EXPECT_EQ(dialogs.DirectoryRequests, (std::vector<std::string>{"/tmp/game"}));
    EXPECT_EQ(dialog.Directory(), "/home/me/other game");
    // A cancelled browse leaves the box alone.
    dialog.edtDirectory->ClickButton();
    EXPECT_EQ(dialog.Directory(), "/home/me/other game");
    dialog.accept();
    EXPECT_EQ(dialog.FindHistory(), "TitleLoop\r\nvsync\r\nspr_update");
    EXPECT_EQ(dialog.Mask(), "*.c");
}

}  // namespace
