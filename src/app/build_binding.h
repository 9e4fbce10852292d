// Connects the frame window's Compile and Run actions to the build commands, once the output
// panel and the loading window exist. Owns the commands and what they need of the frame. It knows
// the frame window only through what it is handed here, so the frame window may own it.
#pragma once

#include <array>
#include <functional>
#include <memory>

class IBuildFrame;
class ILoadingWindow;
class IOutputPanel;
class IProcessStarter;
class QAction;
class TBuildCommands;
class TConfigBuildSettings;

// The frame window's Compile and Run actions, and how the frame binds a command to an action
// (through its error report, enabling the action).
struct TBuildActions {
    QAction* CompileCCode1 = nullptr;
    QAction* CompileAssembly1 = nullptr;
    QAction* BuildProject1 = nullptr;
    std::array<QAction*, 5> EMU{};
    std::function<void(QAction*, std::function<void()>)> BindCommand;
};

class TBuildBinding {
  public:
    // Binds CompileCCode1, CompileAssembly1, BuildProject1 and EMU[0] to EMU[4]. The actions, panel
    // and loading window must outlive this object; `frame` is the frame window as the commands see
    // it.
    TBuildBinding(std::unique_ptr<IBuildFrame> frame, const TBuildActions& actions,
                  IOutputPanel& outputPanel, ILoadingWindow& loadingWindow,
                  std::unique_ptr<IProcessStarter> starter);
    ~TBuildBinding();

  private:
    std::unique_ptr<IBuildFrame> m_frame;
    std::unique_ptr<TConfigBuildSettings> m_settings;
    std::unique_ptr<IProcessStarter> m_starter;
    std::unique_ptr<TBuildCommands> m_commands;
};
