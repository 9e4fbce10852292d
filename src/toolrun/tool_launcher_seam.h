// The tool launcher as the build commands use it: run one command line and wait for its end
// while the windows stay painted. The program's launcher shows the loading window meanwhile.
#pragma once

#include <string>

// What became of one run.
struct TToolRunResult {
    bool Started = false;
    // The wait was ended before the tool (which keeps running); ExitCode is then meaningless.
    bool Cancelled = false;
    int ExitCode = 0;
    std::string Error;  // why the tool did not start
    // What the tool printed on its standard output and error, in the order written (empty when
    // the starter leaves the tool our own channels, or the wait was cancelled).
    std::string Output;
};

class IToolLauncher {
  public:
    virtual ~IToolLauncher() = default;
    // Starts the command line in workingDirectory (no shell, no quoting added, no redirection: a
    // ">" reaches the tool as part of its arguments) and waits for the tool's end or the user's
    // Cancel. The program's own current directory is left alone.
    virtual TToolRunResult CreateProcessSimple(const std::string& commandLine,
                                               const std::string& workingDirectory) = 0;
    // Lets pending window messages run once (painting, timers), acting on no user input.
    virtual void ProcessPendingMessages() = 0;
};
