// Plain collaborators for driving the build commands in tests: a frame, settings, an output panel
// that keeps its lines, a launcher that answers from a script, a check that the program's current
// directory stays where it was, and fake tools written as shell scripts.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/files.h"
#include "toolrun/build_frame.h"
#include "toolrun/build_settings.h"
#include "toolrun/output_panel.h"
#include "toolrun/tool_launcher_seam.h"

class TTestFrame : public IBuildFrame {
  public:
    int Documents = 1;
    std::string Caption;
    std::string Dir;
    std::string Name;
    std::vector<std::string> StatusTexts;

    // A saved document: directory (with trailing separator) and name.
    void Open(const std::string& dir, const std::string& name) {
        Dir = dir + "/";
        Name = name;
        Caption = Dir + name;
    }

    int MDIChildCount() const override { return Documents; }
    std::string ActiveCaption() const override { return Caption; }
    std::string SourceDir() const override { return Dir; }
    std::string SourceName() const override { return Name; }
    void SetStatusText(const std::string& text) override { StatusTexts.push_back(text); }
    std::string Status() const { return StatusTexts.empty() ? std::string() : StatusTexts.back(); }

    // The project directories a build asked to save, and the answer (true: all saved).
    std::vector<std::string> SavedProjects;
    bool ProjectSaved = true;
    bool SaveProjectDocuments(const std::string& projectDir) override {
        SavedProjects.push_back(projectDir);
        return ProjectSaved;
    }
};

class TTestSettings : public IBuildSettings {
  public:
    std::string Compiler = "vesk.exe";
    std::string Switches;
    std::string Assembler = "pceas.exe";
    std::string Project;
    std::array<std::string, 5> Emulators{"", "no emulator specified!!!", "no emulator specified!!!",
                                         "no emulator specified!!!", "no emulator specified!!!"};

    std::string CompilerCommand() const override { return Compiler; }
    std::string SwitchString() const override { return Switches; }
    std::string AssemblerCommand() const override { return Assembler; }
    std::string ProjectCommand() const override { return Project; }
    std::string EmulatorCommand(int index) const override {
        return Emulators.at(static_cast<size_t>(index));
    }
};

class TTestOutputPanel : public IOutputPanel {
  public:
    bool Visible = false;
    bool FailLoads = false;
    std::vector<std::string> Lines;
    size_t LoadedBytes = 0;

    void MakeVisible() override { Visible = true; }
    bool IsVisible() const override { return Visible; }
    void ClearText() override { Lines.clear(); }
    void AddLine(const std::string& text) override { Lines.push_back(text); }
    // Keeps every byte; lines end at LF.
    void LoadFromFile(const std::string& fileName) override {
        std::ifstream in(fileName, std::ios::binary);
        if (FailLoads || !in) throw std::runtime_error("Cannot open file \"" + fileName + "\"");
        std::string text(std::istreambuf_iterator<char>(in), {});
        LoadedBytes = text.size();
        Lines.clear();
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find('\n', start);
            if (end == std::string::npos) end = text.size();
            Lines.push_back(text.substr(start, end - start));
            start = end + 1;
        }
    }
};

// Runs nothing: keeps the command lines and answers with Run (a tool that did not start when
// Run is empty).
class TScriptedLauncher : public IToolLauncher {
  public:
    std::vector<std::string> CommandLines;
    std::vector<std::string> WorkingDirectories;
    int PendingMessageRuns = 0;
    std::function<TToolRunResult(const std::string&)> Run;

    TToolRunResult CreateProcessSimple(const std::string& commandLine,
                                       const std::string& workingDirectory) override {
        CommandLines.push_back(commandLine);
        WorkingDirectories.push_back(workingDirectory);
        return Run ? Run(commandLine) : TToolRunResult{};
    }
    void ProcessPendingMessages() override { ++PendingMessageRuns; }
};

// Fails the test when it ends in another current directory than it began in: tools run in their
// own working directory, the program's stays where it was.
class TCurrentDirUnchanged {
  public:
    TCurrentDirUnchanged() : m_saved(GetCurrentDir()) {}
    ~TCurrentDirUnchanged() { EXPECT_EQ(GetCurrentDir(), m_saved); }

  private:
    std::string m_saved;
};

// A fake tool: records its arguments as "[arg][arg]..." and its working directory into
// `record`, writes `output` (when not empty) into "output.c" of its working directory, and
// exits with `exitCode`.
inline std::string FakeToolBody(const std::string& record, const std::string& output,
                                int exitCode = 0) {
    std::string body =
        "{ for a in \"$@\"; do printf '[%s]' \"$a\"; done; echo; pwd; } > '" + record + "'\n";
    if (!output.empty()) body += "printf '%s\\n' '" + output + "' > output.c\n";
    return body + "exit " + std::to_string(exitCode) + "\n";
}
