// A test fixture that wires the build commands to the fakes, with a scratch directory for source
// folders and tools, scripted dialogs and a check that the current directory never changes.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>

#include "build_fakes.h"
#include "platform/qt/scripted_dialogs.h"
#include "toolrun/build_services.h"
#include "toolrun/qt/tool_launcher.h"

class BuildFixture : public ::testing::Test {
  protected:
    BuildFixture()
        : starter(scratch / "own"),
          launcher(starter, loading),
          services{frame, settings, panel, launcher},
          dialogsScope(dialogs) {
        launcher.SetPollInterval(10);
    }

    // A saved document `name` in the folder `dir` below the scratch directory, which is created.
    void OpenDocument(const std::string& dir, const std::string& name) {
        std::filesystem::create_directories(scratch / dir);
        frame.Open(scratch / dir, name);
    }
    // A fake tool at `name` below the scratch directory; see FakeToolBody.
    std::string Tool(const std::string& name, const std::string& output, int exitCode = 0) {
        return scratch.Script(name, FakeToolBody(scratch / "record.txt", output, exitCode));
    }
    // The arguments and working directory the last fake tool recorded.
    std::string RecordedArguments() const { return Line(0); }
    std::string RecordedDirectory() const { return Line(1); }
    std::string LastCommandLine() const {
        return starter.CommandLines.empty() ? std::string() : starter.CommandLines.back();
    }

    ScratchDirectory scratch;
    TCurrentDirUnchanged currentDir;
    TTestFrame frame;
    TTestSettings settings;
    TTestOutputPanel panel;
    TTestLoadingWindow loading;
    TRecordingStarter starter;
    TToolLauncher launcher;
    TBuildServices services;
    TScriptedDialogs dialogs;
    TDialogsScope dialogsScope;

  private:
    std::string Line(int index) const {
        const std::string text = scratch.Read("record.txt");
        size_t start = 0;
        for (int i = 0; i < index && start != std::string::npos; ++i) {
            start = text.find('\n', start);
            if (start != std::string::npos) ++start;
        }
        if (start == std::string::npos) return {};
        return text.substr(start, text.find('\n', start) - start);
    }
};
