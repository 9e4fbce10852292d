// The command line: parsing, the answers given without windows, and the opening of the named
// files in the running program; and the application icon on the frame and document windows.
#include "app/program_arguments.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <sstream>

#include "app/app_icon.h"
#include "app_test_support.h"
#include "editor/qt/synedit.h"
#include "editor/string_list.h"

namespace {

using TAction = TProgramArguments::TAction;
using Files = std::vector<std::string>;

TEST(ProgramArgumentsTest, FileNamesKeepTheirOrderAroundOptionsAndAfterTheEndMarker) {
    TProgramArguments parsed = ParseProgramArguments({"game.c", "lib/sprites.h", "main.asm"});
    EXPECT_EQ(parsed.Action, TAction::Run);
    EXPECT_EQ(parsed.Files, (Files{"game.c", "lib/sprites.h", "main.asm"}));

    // After "--" names that look like options are files; a lone "-" is a file anyway; an empty
    // argument names nothing.
    parsed = ParseProgramArguments({"a.c", "-", "", "--", "-odd.c", "--help", "--"});
    EXPECT_EQ(parsed.Action, TAction::Run);
    EXPECT_EQ(parsed.Files, (Files{"a.c", "-", "-odd.c", "--help", "--"}));

    EXPECT_EQ(ParseProgramArguments({}).Files, Files{});
}

TEST(ProgramArgumentsTest, NoSessionIsAnOptionAnywhereBeforeTheEndMarker) {
    EXPECT_FALSE(ParseProgramArguments({"a.c"}).NoSession);
    TProgramArguments parsed = ParseProgramArguments({"a.c", "--no-session"});
    EXPECT_EQ(parsed.Action, TAction::Run);
    EXPECT_TRUE(parsed.NoSession);
    EXPECT_EQ(parsed.Files, Files{"a.c"});
    parsed = ParseProgramArguments({"--", "--no-session"});
    EXPECT_FALSE(parsed.NoSession);
    EXPECT_EQ(parsed.Files, Files{"--no-session"});
    EXPECT_NE(ProgramUsage().find("--no-session"), std::string::npos);
}

TEST(ProgramArgumentsTest, TheFirstOptionDecidesAndUnknownOptionsAreErrors) {
    EXPECT_EQ(ParseProgramArguments({"game.c", "--help"}).Action, TAction::Help);
    EXPECT_EQ(ParseProgramArguments({"--version", "game.c"}).Action, TAction::Version);
    EXPECT_EQ(ParseProgramArguments({"--version", "--bogus"}).Action, TAction::Version);
    for (const std::string bad : {"--bogus", "-x", "--help=all", "--versions", "-h"}) {
        const TProgramArguments parsed = ParseProgramArguments({"game.c", bad, "--help"});
        EXPECT_EQ(parsed.Action, TAction::UsageError) << bad;
        EXPECT_EQ(parsed.BadOption, bad);
    }
    // An option after the end marker is a file, not an error.
    EXPECT_EQ(ParseProgramArguments({"--", "--bogus"}).Action, TAction::Run);
}

TEST(ProgramArgumentsTest, HelpAndVersionGoToStandardOutputAndErrorsToStandardError) {
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(AnswerWithoutWindows(ParseProgramArguments({"--version"}), out, err), 0);
    EXPECT_EQ(out.str(), "Quillon IDE 3.10\n");
    EXPECT_EQ(err.str(), "");

    out.str("");
    EXPECT_EQ(AnswerWithoutWindows(ParseProgramArguments({"--help"}), out, err), 0);
    EXPECT_EQ(out.str(), ProgramUsage());
    EXPECT_EQ(out.str().rfind("Usage: quillon [OPTION]... [--] [FILE]...\n", 0), 0u);
    EXPECT_EQ(err.str(), "");

    out.str("");
    EXPECT_EQ(AnswerWithoutWindows(ParseProgramArguments({"--bogus"}), out, err), 2);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(), "quillon: unknown option '--bogus'\n" + ProgramUsage());

    EXPECT_EQ(AnswerWithoutWindows(ParseProgramArguments({"game.c"}), out, err), std::nullopt);
}

class ProgramFilesTest : public ::testing::Test, public TProgramFixture {
  protected:
    std::vector<TMDIChild*> Documents() {
        std::vector<TMDIChild*> documents;
        for (QMdiSubWindow* window : Form().ClientArea()->subWindowList()) {
            documents.push_back(qobject_cast<TMDIChild*>(window->widget()));
        }
        return documents;
    }
};

TEST_F(ProgramFilesTest, NamedFilesOpenAsFromTheOpenDialogAndMissingOnesOpenEmpty) {
    WriteFile(Source() + "/game.c", "int x;\nint y;\n");
    WriteFile(Source() + "/-odd.h", "#define ODD\n");
    // Relative names count from the current directory (the fixture's source folder).
    OpenProgramFiles(Files(), {"game.c", "./sub/../missing.c", "-odd.h"});

    const std::vector<TMDIChild*> documents = Documents();
    ASSERT_EQ(documents.size(), 3u);
    EXPECT_EQ(documents[0]->Caption(), Source() + "/game.c");
    EXPECT_EQ(documents[0]->SourcePath(), Source() + "/game.c");
    EXPECT_EQ(documents[0]->SynEditor()->Lines().GetCount(), 2);
    EXPECT_EQ(documents[0]->SynEditor()->Lines().Get(1), "int y;");

    EXPECT_EQ(documents[1]->Caption(), Source() + "/missing.c");
    EXPECT_EQ(documents[1]->SynEditor()->Lines().GetCount(), 1);
    EXPECT_EQ(documents[1]->SynEditor()->Lines().Get(0), "");
    EXPECT_FALSE(FileExists(Source() + "/missing.c"));

    EXPECT_EQ(documents[2]->Caption(), Source() + "/-odd.h");
    EXPECT_EQ(documents[2]->SynEditor()->Lines().Get(0), "#define ODD");
    // The last one is active and names the build commands' file.
    EXPECT_EQ(Files().ActiveDocument(), documents[2]);
    EXPECT_EQ(Files().ActiveSource().SourceDir(), Source() + "/");
    EXPECT_EQ(Files().ActiveSource().SourceName(), "-odd.h");
    EXPECT_TRUE(dialogs.FileDialogs.empty());
    EXPECT_TRUE(dialogs.Messages.empty());
    // Opened together, the windows end up usable and cascaded as if opened one by one.
    for (TMDIChild* document : documents) EXPECT_TRUE(document->parentWidget()->isEnabled());
    EXPECT_EQ(documents[0]->parentWidget()->pos(), QPoint(0, 0));
    EXPECT_GT(documents[1]->parentWidget()->x(), 0);
    EXPECT_GT(documents[2]->parentWidget()->x(), documents[1]->parentWidget()->x());
}

TEST_F(ProgramFilesTest, AFileThatFailsToLoadIsReportedAndTheNextStillOpens) {
    // A regular file whose first read fails: the process's memory at address 0.
    ASSERT_EQ(symlink("/proc/self/mem", (Source() + "/broken.c").c_str()), 0);
    WriteFile(Source() + "/game.c", "int x;\n");
    OpenProgramFiles(Files(), {Source() + "/broken.c", Source() + "/game.c"});

    ASSERT_EQ(dialogs.Messages.size(), 1u);
    const std::vector<TMDIChild*> documents = Documents();
    ASSERT_EQ(documents.size(), 2u);
    EXPECT_EQ(documents[0]->Caption(), Source() + "/broken.c");
    EXPECT_EQ(documents[1]->SynEditor()->Lines().Get(0), "int x;");
    EXPECT_EQ(Files().ActiveDocument(), documents[1]);
    EXPECT_TRUE(documents[0]->parentWidget()->isEnabled());
}

TEST_F(ProgramFilesTest, CommandLineFilesAreEditableWhateverTheOpenDialogLastChose) {
    WriteFile(Source() + "/locked.c", "a\n");
    WriteFile(Source() + "/game.c", "b\n");
    dialogs.AnswerFile(Source() + "/locked.c", true);
    Files().FileOpen1Execute();
    ASSERT_TRUE(Files().ActiveDocument()->SynEditor()->ReadOnly());

    OpenProgramFiles(Files(), {Source() + "/game.c"});
    EXPECT_FALSE(Files().ActiveDocument()->SynEditor()->ReadOnly());
    EXPECT_EQ(Files().ActiveDocument()->SourcePath(), Source() + "/game.c");
}

bool SameIcon(const QIcon& a, const QIcon& b, int size) {
    return !a.isNull() && a.pixmap(size).toImage() == b.pixmap(size).toImage();
}

TEST_F(ProgramFilesTest, FrameAndDocumentWindowsShowTheApplicationIcon) {
    const QIcon ours = ApplicationIcon();
    ASSERT_FALSE(ours.isNull());
    const QList<QSize> sizes = ours.availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
    EXPECT_TRUE(sizes.contains(QSize(256, 256)));
    // The picture is drawn, not blank.
    EXPECT_NE(ours.pixmap(32).toImage().pixelColor(16, 16).alpha(), 0);

    EXPECT_TRUE(SameIcon(Form().windowIcon(), ours, 16));
    Files().FileNew1Execute();
    OpenProgramFiles(Files(), {"game.c"});
    for (QMdiSubWindow* window : Form().ClientArea()->subWindowList()) {
        EXPECT_TRUE(SameIcon(window->windowIcon(), ours, 16));
        EXPECT_TRUE(SameIcon(window->windowIcon(), ours, 48));
    }
}

}  // namespace
