// Connects the frame window's Compile and Run actions to the build commands, once the output
// panel and the loading window exist. Owns the commands and what they need of the frame.
#pragma once

#include <memory>

class IBuildFrame;
class ILoadingWindow;
class IOutputPanel;
class IProcessStarter;
class TBuildCommands;
class TConfigBuildSettings;
class TMainForm;

class TBuildBinding {
  public:
    // Binds CompileCCode1, CompileAssembly1 and EMU[0] to EMU[4] of the form. The form, panel
    // and loading window must outlive this object.
    TBuildBinding(TMainForm& form, IOutputPanel& outputPanel, ILoadingWindow& loadingWindow,
                  std::unique_ptr<IProcessStarter> starter);
    ~TBuildBinding();

    TBuildCommands& Commands() { return *m_commands; }

  private:
    std::unique_ptr<IBuildFrame> m_frame;
    std::unique_ptr<TConfigBuildSettings> m_settings;
    std::unique_ptr<IProcessStarter> m_starter;
    std::unique_ptr<TBuildCommands> m_commands;
};
