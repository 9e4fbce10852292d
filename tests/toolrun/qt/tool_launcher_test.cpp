// The tool launcher: results of a run, a tool that cannot start, and a tool that never ends,
// whose wait keeps the program painting, takes input only in the loading window and ends on
// Cancel.
#include "toolrun/qt/tool_launcher.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include "build_fixture.h"

namespace {

using ToolLauncher = BuildFixture;

TEST_F(ToolLauncher, ReportsStartAndExitCodeAndShowsLoadingWindowMeanwhile) {
    scratch.Script("tool", "exit 3\n");
    bool visibleMeanwhile = false;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] { visibleMeanwhile |= loading.Visible(); });
    probe.start(1);
    scratch.Script("slow", "sleep 0.2\nexit 3\n");
    const TToolRunResult result = launcher.CreateProcessSimple("./slow", scratch.Path());
    EXPECT_TRUE(result.Started);
    EXPECT_FALSE(result.Cancelled);
    EXPECT_EQ(result.ExitCode, 3);
    EXPECT_TRUE(visibleMeanwhile);
    EXPECT_FALSE(loading.Visible());
    EXPECT_EQ(loading.Shows, 1);
    EXPECT_EQ(loading.Closes, 1);
}

TEST_F(ToolLauncher, ToolThatCannotStartStillShowsAndClosesLoadingWindow) {
    const TToolRunResult result =
        launcher.CreateProcessSimple("no emulator specified!!! x.pce", scratch.Path());
    EXPECT_FALSE(result.Started);
    EXPECT_FALSE(result.Error.empty());
    EXPECT_EQ(loading.Shows, 1);
    EXPECT_EQ(loading.Closes, 1);
}

TEST_F(ToolLauncher, CapturesBothChannelsInTheOrderWrittenAndReportsASignalLikeAShell) {
    scratch.Script("noisy", "echo one\necho two >&2\necho three\nread x && echo read\nexit 3\n");
    TToolRunResult result = launcher.CreateProcessSimple("./noisy", scratch.Path());
    EXPECT_EQ(result.Output, "one\ntwo\nthree\n");  // standard input is the null device
    EXPECT_EQ(result.ExitCode, 3);

    scratch.Script("crash", "echo before\nkill -TERM $$\n");
    result = launcher.CreateProcessSimple("./crash", scratch.Path());
    EXPECT_EQ(result.Output, "before\n");
    EXPECT_EQ(result.ExitCode, 128 + 15);
}

TEST_F(ToolLauncher, CancelEndsWaitForToolThatNeverEndsWhileOtherInputIsIgnored) {
    // It ends once the test is over, when "stop" appears or its folder is gone.
    scratch.Script("forever",
                   "while [ -d '" + scratch.Path() + "' ] && [ ! -f stop ]; do sleep 0.05; done\n");

    // Another window of the program, with a button and a shortcut that must stay untouched.
    QWidget frameWindow;
    auto* button = new QPushButton("Compile", &frameWindow);
    auto* action = new QAction(&frameWindow);
    action->setShortcut(QKeySequence("Ctrl+F9"));
    action->setShortcutContext(Qt::ApplicationShortcut);
    frameWindow.addAction(action);
    int clicks = 0, shortcuts = 0, ticks = 0;
    QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });
    QObject::connect(action, &QAction::triggered, [&] { ++shortcuts; });
    frameWindow.show();
    frameWindow.activateWindow();

    QTimer animation;  // stands for the loading window's animation and painting
    QObject::connect(&animation, &QTimer::timeout, [&] { ++ticks; });
    animation.start(10);
    QTimer::singleShot(150, [&] {
        QTest::mouseClick(button, Qt::LeftButton);
        QTest::keyClick(button, Qt::Key_F9, Qt::ControlModifier);
    });
    QTimer::singleShot(300, [&] { QTest::mouseClick(loading.Cancel, Qt::LeftButton); });

    QElapsedTimer clock;
    clock.start();
    const TToolRunResult result = launcher.CreateProcessSimple("./forever", scratch.Path());
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_TRUE(result.Started);
    EXPECT_TRUE(result.Cancelled);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(shortcuts, 0);
    EXPECT_GT(ticks, 5);
    EXPECT_EQ(loading.Closes, 1);

    // Input works again once the wait is over.
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    scratch.Write("stop", "");
}

}  // namespace
