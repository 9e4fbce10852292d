// Starting a tool with its standard output and error captured together, in the order written.
// Our own command-line splitting and program search pick the program and its arguments; Qt's
// process runs it, reads the merged channel and reaps it.
#pragma once

#include <memory>
#include <string>

#include "platform/process.h"

class TCapturedProcessStarter : public IProcessStarter {
  public:
    // Looks for programs in our executable's directory first.
    TCapturedProcessStarter();
    // Looks in `ownDirectory` instead of our executable's directory.
    explicit TCapturedProcessStarter(std::string ownDirectory);
    // Tools still running whose handle was dropped are ended with the program.
    ~TCapturedProcessStarter() override;

    // Starts the command line in workingDirectory (the current one when empty), with standard
    // input from the null device; no shell in between. Returns null with `error` set when the
    // program cannot be started (also when the directory does not exist). Dropping the handle
    // before the process ends leaves it running, its further output discarded.
    std::unique_ptr<IRunningProcess> Start(const std::string& commandLine,
                                           const std::string& workingDirectory,
                                           std::string& error) override;

    // Abandoned processes still running (forgetting those that have ended meanwhile).
    size_t AbandonedCount();

    struct Abandoned;

  private:
    std::string m_ownDirectory;
    std::shared_ptr<Abandoned> m_abandoned;
};
