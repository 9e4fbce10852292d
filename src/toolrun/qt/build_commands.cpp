// The build commands' object.
#include "toolrun/qt/build_commands.h"

#include "toolrun/compile_commands.h"
#include "toolrun/emulator_commands.h"

TBuildCommands::TBuildCommands(IBuildFrame& frame, IBuildSettings& settings, IOutputPanel& panel,
                               ILoadingWindow& loadingWindow, IProcessStarter& starter)
    : m_launcher(starter, loadingWindow), m_services{frame, settings, panel, m_launcher} {}

void TBuildCommands::CompileCCode1Click() {
    ::CompileCCode1Click(m_services);
}

void TBuildCommands::CompileAssembly1Click() {
    ::CompileAssembly1Click(m_services);
}

void TBuildCommands::EMUClick(int index) {
    ::EMUClick(m_services, index);
}
