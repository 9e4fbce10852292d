// A process starter on posix_spawn for the plain C++ tests, which run without Qt: the tool keeps
// our own standard output and error. Tests also use it to run fake tools beside the program's
// captured starter.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "platform/process.h"

// What became of one run: whether the tool started, and its exit code once it ended (a tool ended
// by a signal reports 128 plus the signal number).
struct ProcessResult {
    bool Started = false;
    int ExitCode = 0;
    std::string Error;  // why the tool did not start
};

// Starts the command line in workingDirectory (the current one when empty) and blocks until it
// has ended.
ProcessResult RunProcess(IProcessStarter& starter, const std::string& commandLine,
                         const std::string& workingDirectory = {});

// Starts processes with posix_spawn. The child inherits no descriptors but 0, 1 and 2, and gets
// default signal dispositions. Processes whose handle was dropped while they ran are reaped at the
// next Start, so abandoned tools never pile up as zombies.
class PosixProcessStarter : public IProcessStarter {
  public:
    // Looks for programs in our executable's directory first.
    PosixProcessStarter();
    // Looks in `ownDirectory` instead of our executable's directory.
    explicit PosixProcessStarter(std::string ownDirectory);
    ~PosixProcessStarter() override;

    std::unique_ptr<IRunningProcess> Start(const std::string& commandLine,
                                           const std::string& workingDirectory,
                                           std::string& error) override;

    // Abandoned processes not reaped yet (reaping first what has ended meanwhile).
    std::size_t AbandonedCount();

    struct Abandoned;

  private:
    std::string m_ownDirectory;
    std::shared_ptr<Abandoned> m_abandoned;
};
