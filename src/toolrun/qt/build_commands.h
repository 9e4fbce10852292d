// The frame window's build commands in one object: Compile C, Compile assembly, Build Project
// and Emulators 1 to 5, with the tool launcher they share and the images the project builds
// made.
#pragma once

#include "toolrun/build_services.h"
#include "toolrun/project_images.h"
#include "toolrun/qt/tool_launcher.h"

class ILoadingWindow;
class IProcessStarter;

class TBuildCommands {
  public:
    // Every collaborator must outlive this object.
    TBuildCommands(IBuildFrame& frame, IBuildSettings& settings, IOutputPanel& panel,
                   ILoadingWindow& loadingWindow, IProcessStarter& starter);

    void CompileCCode1Click();
    void CompileAssembly1Click();
    void BuildProject1Click();
    // Emulator index 0 to 4.
    void EMUClick(int index);
    void EMU1Click() { EMUClick(0); }
    void EMU2Click() { EMUClick(1); }
    void EMU3Click() { EMUClick(2); }
    void EMU4Click() { EMUClick(3); }
    void EMU5Click() { EMUClick(4); }

    TToolLauncher& Launcher() { return m_launcher; }

  private:
    TToolLauncher m_launcher;
    TProjectImages m_projectImages;
    TBuildServices m_services;
};
