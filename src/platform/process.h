// The seam for starting an external tool from one command-line text, without a shell, in a
// working directory of the caller's choosing, and for watching it end. The program's starter is
// the captured one of platform/qt.
#pragma once

#include <memory>
#include <string>

class IRunningProcess {
  public:
    virtual ~IRunningProcess() = default;
    // Non-blocking check, cheap enough to call from a polling loop; true once the process has
    // ended, with `exitCode` set (a tool ended by a signal reports 128 plus the signal number).
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
    // Starts the command line in `workingDirectory` (the program's own current directory when it
    // is empty), with standard input from the null device; no shell in between. A program named
    // with a relative directory part is taken relative to that working directory. Returns null
    // with `error` set when the program cannot be started. Dropping the handle before the process
    // ends leaves it running.
    virtual std::unique_ptr<IRunningProcess> Start(const std::string& commandLine,
                                                   const std::string& workingDirectory,
                                                   std::string& error) = 0;
};
