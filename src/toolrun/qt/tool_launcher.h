// The one way the program runs an external tool: start it from a command line in the directory
// the command names, show the loading window while it runs and wait for its end, keeping the
// windows painted; the loading window's Cancel ends the wait and leaves the tool running.
#pragma once

#include <string>

#include "toolrun/tool_launcher_seam.h"

class ILoadingWindow;
class IProcessStarter;

class TToolLauncher : public IToolLauncher {
  public:
    TToolLauncher(IProcessStarter& starter, ILoadingWindow& loadingWindow);

    // Starts the command line in workingDirectory (no shell, no quoting added, no redirection: a
    // ">" reaches the tool as part of its arguments), shows the loading window whether or not the
    // start succeeded, waits for the tool's end or the user's Cancel, and closes the loading
    // window again.
    TToolRunResult CreateProcessSimple(const std::string& commandLine,
                                       const std::string& workingDirectory) override;
    void ProcessPendingMessages() override;

    // How often the wait checks whether the tool has ended.
    void SetPollInterval(int milliseconds) { m_pollInterval = milliseconds; }

  private:
    IProcessStarter& m_starter;
    ILoadingWindow& m_loadingWindow;
    int m_pollInterval = 25;
};
