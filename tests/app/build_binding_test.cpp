// The frame window's Compile and Run actions bound to the build commands, reading the tools from
// the configuration file in a temporary home directory.
#include "app/build_binding.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QWidget>

#include "app/active_source.h"
#include "app/app_session.h"
#include "app/main_window.h"
#include "platform/qt/scripted_dialogs.h"
#include "support/posix_process_starter.h"
#include "toolrun/qt/build_fakes.h"

namespace {

class BuildBinding : public ::testing::Test {
  protected:
    BuildBinding() : m_oldHome(qgetenv("HOME")), dialogsScope(dialogs) {
        qputenv("HOME", QByteArray::fromStdString(scratch.Path()));
        std::filesystem::create_directories(scratch / "src");
        auto* document = new QWidget;
        document->setWindowTitle(QString::fromStdString(scratch / "src/game.c"));
        form.AddDocumentWindow(document);
        source.Set(scratch / "src/", "game.c");
    }
    ~BuildBinding() override { qputenv("HOME", m_oldHome); }

    void Bind() {
        form.SetBuildServices(panel, loading, source,
                              std::make_unique<PosixProcessStarter>(scratch / "own"));
    }
    std::string Status() const { return form.StatusText(); }
    std::string Image() const { return scratch / "src/game.pce"; }

    QByteArray m_oldHome;
    ScratchDirectory scratch;
    TCurrentDirUnchanged currentDir;
    TScriptedDialogs dialogs;
    TDialogsScope dialogsScope;
    TAppSession session;
    TMainForm form{session};
    TActiveSource source;
    TTestOutputPanel panel;
    TTestLoadingWindow loading;
};

TEST_F(BuildBinding, ActionsRunToolsNamedInConfigurationFile) {
    const std::string caption = scratch / "src/game.c";
    const std::string compiler =
        scratch.Script("tools/cc", FakeToolBody(scratch / "cc.txt", "compiled"));
    const std::string emulator = scratch.Script("tools/emu", FakeToolBody(scratch / "emu.txt", ""));
    scratch.Write("veskide.ini", "[C]\npcecc=" + compiler +
                                     "\n[COMP_OPTIONS]\nOPTION_STR= -cd -T\n[E]\nC=" + emulator +
                                     "\n");
    std::vector<QAction*> actions{form.CompileCCode1(), form.CompileAssembly1()};
    actions.insert(actions.end(), form.EMU().begin(), form.EMU().end());
    for (QAction* action : actions) EXPECT_FALSE(action->isEnabled());
    Bind();
    for (QAction* action : actions) EXPECT_TRUE(action->isEnabled());

    form.CompileCCode1()->trigger();
    EXPECT_EQ(scratch.Read("cc.txt"), "[game.c][-cd][-T][>output.c]\n" + scratch / "src\n");
    EXPECT_EQ(panel.Lines, std::vector<std::string>{"compiled"});
    EXPECT_EQ(Status(),
              "Finished Compiling: " + caption + " Compile Successful - no image written");

    scratch.Write("src/game.pce", "image");
    form.EMU()[2]->trigger();
    EXPECT_EQ(scratch.Read("emu.txt"), "[" + Image() + "]\n" + scratch / "src\n");
    EXPECT_EQ(Status(), emulator + " " + Image());
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(BuildBinding, MissingKeysUseCommandDefaults) {
    Bind();
    form.CompileCCode1()->trigger();  // "vesk.exe" is nowhere to be found
    EXPECT_EQ(panel.Lines[1], "*compiling vesk.exe game.c ");
    EXPECT_EQ(Status(), "Finished Compiling: " + scratch / "src/game.c" +
                            " Compile FAILED - could not execute compiler");
    form.CompileAssembly1()->trigger();
    EXPECT_EQ(panel.Lines[1], "*Assembeling Assembeling Assembeling Assembeling *");
    scratch.Write("src/game.pce", "image");
    form.EMU()[0]->trigger();
    EXPECT_EQ(Status(), "Could not start:  " + Image() + " - no command is set for Emulator 1");
    form.EMU()[1]->trigger();
    EXPECT_EQ(Status(),
              "Could not start: no emulator specified!!! " + Image() + " - program not found: no");
    EXPECT_EQ(loading.Shows, 4);
    EXPECT_EQ(loading.Closes, 4);
}

TEST_F(BuildBinding, FailuresReachTheGeneralErrorReport) {
    Bind();
    source.Clear();
    form.EMU()[4]->trigger();
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text, "I/O error 2");
    EXPECT_EQ(loading.Shows, 0);
}

}  // namespace
