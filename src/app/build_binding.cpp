// The binding of the frame window's Compile and Run actions to the build commands.
#include "app/build_binding.h"

#include "config/config_build_settings.h"
#include "platform/process.h"
#include "toolrun/build_frame.h"
#include "toolrun/qt/build_commands.h"

TBuildBinding::TBuildBinding(std::unique_ptr<IBuildFrame> frame, const TBuildActions& actions,
                             IOutputPanel& outputPanel, ILoadingWindow& loadingWindow,
                             std::unique_ptr<IProcessStarter> starter)
    : m_frame(std::move(frame)),
      m_settings(std::make_unique<TConfigBuildSettings>()),
      m_starter(std::move(starter)),
      m_commands(std::make_unique<TBuildCommands>(*m_frame, *m_settings, outputPanel, loadingWindow,
                                                  *m_starter)) {
    TBuildCommands& commands = *m_commands;
    actions.BindCommand(actions.CompileCCode1, [&commands] { commands.CompileCCode1Click(); });
    actions.BindCommand(actions.CompileAssembly1,
                        [&commands] { commands.CompileAssembly1Click(); });
    actions.BindCommand(actions.BuildProject1, [&commands] { commands.BuildProject1Click(); });
    for (int i = 0; i < static_cast<int>(actions.EMU.size()); ++i) {
        actions.BindCommand(actions.EMU[static_cast<size_t>(i)],
                            [&commands, i] { commands.EMUClick(i); });
    }
}

TBuildBinding::~TBuildBinding() = default;
