// The build commands' settings read from the configuration file, with the defaults of the
// compile and emulator commands; the file is opened and released inside every read.
#pragma once

#include "config/config_file.h"
#include "toolrun/build_settings.h"

class TConfigBuildSettings : public IBuildSettings {
  public:
    TConfigBuildSettings() = default;
    explicit TConfigBuildSettings(TConfigFile file) : m_file(std::move(file)) {}

    std::string CompilerCommand() const override { return m_file.ReadForCommand(ckCompiler); }
    std::string SwitchString() const override { return m_file.ReadForCommand(ckOptionStr); }
    std::string AssemblerCommand() const override { return m_file.ReadForCommand(ckAssembler); }
    std::string ProjectCommand() const override { return m_file.ReadForCommand(ckProject); }
    std::string EmulatorCommand(int index) const override;

  private:
    TConfigFile m_file;
};
