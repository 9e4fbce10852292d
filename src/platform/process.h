// Starting an external tool from one command-line text, without a shell, and watching it end.
// IProcessStarter is the seam the tool launcher uses; PosixProcessStarter is the real one.
#pragma once

#include <memory>
#include <string>

// What became of one run: whether the tool started, and its exit code once it ended (a tool ended
// by a signal reports 128 plus the signal number).
struct ProcessResult {
    bool Started = false;
    int ExitCode = 0;
    std::string Error;  // why the tool did not start
};

class IRunningProcess {
  public:
    virtual ~IRunningProcess() = default;
    // Non-blocking check, cheap enough to call from a polling loop; true once the process has
    // ended, with `exitCode` set.
    virtual bool Finished(int& exitCode) = 0;
    // Blocks until the process has ended and returns its exit code.
    virtual int Wait() = 0;
    // What the tool wrote to its standard output and error since the last call, in the order
    // written; empty for a starter that leaves the tool our own output channels.
    virtual std::string TakeOutput() { return {}; }
};

class IProcessStarter {
  public:
    virtual ~IProcessStarter() = default;
    // Starts the command line with the current directory as working directory, standard input
    // from the null device and our standard output and error; no shell in between. Returns null
    // with `error` set when the program cannot be started. Dropping the handle before the process
    // ends leaves it running.
    virtual std::unique_ptr<IRunningProcess> Start(const std::string& commandLine,
                                                   std::string& error) = 0;
};

// Starts the command line and blocks until it has ended.
ProcessResult RunProcess(IProcessStarter& starter, const std::string& commandLine);

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
                                           std::string& error) override;

    // Abandoned processes not reaped yet (reaping first what has ended meanwhile).
    size_t AbandonedCount();

    struct Abandoned;

  private:
    std::string m_ownDirectory;
    std::shared_ptr<Abandoned> m_abandoned;
};
