// The build commands' object.
#include "toolrun/qt/build_commands.h"

#include "toolrun/compile_commands.h"
#include "toolrun/emulator_commands.h"
#include "toolrun/project_build.h"

TBuildCommands::TBuildCommands(IBuildFrame& frame, IBuildSettings& settings, IOutputPanel& panel,
                               ILoadingWindow& loadingWindow, IProcessStarter& starter)
    : m_launcher(starter, loadingWindow),
      m_services{frame, settings, panel, m_launcher, &m_projectImages} {}

void TBuildCommands::CompileCCode1Click() {
    ::CompileCCode1Click(m_services);
}

void TBuildCommands::CompileAssembly1Click() {
    ::CompileAssembly1Click(m_services);
}

void TBuildCommands::BuildProject1Click() {
    ::BuildProject1Click(m_services);
}

void TBuildCommands::EMUClick(int index) {
    ::EMUClick(m_services, index);
}
