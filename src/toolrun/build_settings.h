// The settings the build commands read, each with the default of its command. Every call reads
// the configuration file anew, so a value saved in the setup dialog is in force at the next run.
#pragma once

#include <string>

class IBuildSettings {
  public:
    virtual ~IBuildSettings() = default;
    virtual std::string CompilerCommand() const = 0;
    // The compiler switches as one text, appended to the compiler's command line.
    virtual std::string SwitchString() const = 0;
    virtual std::string AssemblerCommand() const = 0;
    // The project build's command as set; empty when none is (the build then uses make for a
    // project with a Makefile).
    virtual std::string ProjectCommand() const = 0;
    // Command of emulator 1 to 5 (index 0 to 4).
    virtual std::string EmulatorCommand(int index) const = 0;
};
