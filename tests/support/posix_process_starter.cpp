// Process start with posix_spawn: program lookup, the working directory, the null device as
// input, no inherited descriptors, non-blocking polling and the reaping of abandoned children.
#include "support/posix_process_starter.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <vector>

#include "platform/program_search.h"

extern char** environ;

struct PosixProcessStarter::Abandoned {
    std::mutex Lock;
    std::vector<pid_t> Pids;

    void Add(pid_t pid) {
        std::lock_guard<std::mutex> guard(Lock);
        Pids.push_back(pid);
    }

    // Reaps every abandoned child that has ended; returns how many still run.
    size_t Reap() {
        std::lock_guard<std::mutex> guard(Lock);
        std::erase_if(Pids, [](pid_t pid) {
            int status = 0;
            pid_t r;
            do {
                r = waitpid(pid, &status, WNOHANG);
            } while (r < 0 && errno == EINTR);
            return r != 0;  // reaped, or no longer our child
        });
        return Pids.size();
    }
};

namespace {

int ExitCodeOf(int status) {
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return -1;
}

class PosixRunningProcess : public IRunningProcess {
  public:
    PosixRunningProcess(pid_t pid, std::shared_ptr<PosixProcessStarter::Abandoned> abandoned)
        : m_pid(pid), m_abandoned(std::move(abandoned)) {}

    ~PosixRunningProcess() override {
        int exitCode;
        if (!Finished(exitCode)) m_abandoned->Add(m_pid);
    }

    bool Finished(int& exitCode) override {
        if (!m_done) Collect(WNOHANG);
        exitCode = m_exitCode;
        return m_done;
    }

    int Wait() override {
        while (!m_done) Collect(0);
        return m_exitCode;
    }

  private:
    void Collect(int options) {
        int status = 0;
        pid_t r;
        do {
            r = waitpid(m_pid, &status, options);
        } while (r < 0 && errno == EINTR);
        if (r == m_pid) {
            m_done = true;
            m_exitCode = ExitCodeOf(status);
        } else if (r < 0) {
            // Someone else reaped it; the exit code is lost.
            m_done = true;
            m_exitCode = -1;
        }
    }

    pid_t m_pid;
    bool m_done = false;
    int m_exitCode = 0;
    std::shared_ptr<PosixProcessStarter::Abandoned> m_abandoned;
};

// posix_spawn attributes and file actions, released on every path.
class SpawnSetup {
  public:
    SpawnSetup() {
        posix_spawn_file_actions_init(&m_actions);
        posix_spawnattr_init(&m_attributes);
    }
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&m_actions);
        posix_spawnattr_destroy(&m_attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    int Prepare(const std::string& workingDirectory) {
        if (!workingDirectory.empty()) {
            if (int e = posix_spawn_file_actions_addchdir_np(&m_actions, workingDirectory.c_str()))
                return e;
        }
        if (int e = posix_spawn_file_actions_addopen(&m_actions, 0, "/dev/null", O_RDONLY, 0))
            return e;
        // Only 0, 1 and 2 reach the tool, even when a library opened a descriptor without
        // O_CLOEXEC.
        if (int e = posix_spawn_file_actions_addclosefrom_np(&m_actions, 3)) return e;
        sigset_t empty;
        sigemptyset(&empty);
        // Ignored signals survive exec; the tool gets the defaults a shell would give it.
        sigset_t defaults;
        sigemptyset(&defaults);
        for (int sig : {SIGPIPE, SIGINT, SIGQUIT, SIGTERM, SIGHUP, SIGCHLD, SIGTSTP, SIGTTIN,
                        SIGTTOU, SIGXFSZ, SIGUSR1, SIGUSR2, SIGALRM})
            sigaddset(&defaults, sig);
        if (int e = posix_spawnattr_setsigmask(&m_attributes, &empty)) return e;
        if (int e = posix_spawnattr_setsigdefault(&m_attributes, &defaults)) return e;
        return posix_spawnattr_setflags(&m_attributes,
                                        POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    }

    const posix_spawn_file_actions_t* Actions() const { return &m_actions; }
    const posix_spawnattr_t* Attributes() const { return &m_attributes; }

  private:
    posix_spawn_file_actions_t m_actions;
    posix_spawnattr_t m_attributes;
};

}  // namespace

ProcessResult RunProcess(IProcessStarter& starter, const std::string& commandLine,
                         const std::string& workingDirectory) {
    ProcessResult result;
    std::unique_ptr<IRunningProcess> process =
        starter.Start(commandLine, workingDirectory, result.Error);
    if (!process) return result;
    result.Started = true;
    result.ExitCode = process->Wait();
    return result;
}

PosixProcessStarter::PosixProcessStarter() : m_abandoned(std::make_shared<Abandoned>()) {}

PosixProcessStarter::PosixProcessStarter(std::string ownDirectory)
    : m_ownDirectory(std::move(ownDirectory)), m_abandoned(std::make_shared<Abandoned>()) {}

PosixProcessStarter::~PosixProcessStarter() {
    m_abandoned->Reap();
}

std::size_t PosixProcessStarter::AbandonedCount() {
    return m_abandoned->Reap();
}

std::unique_ptr<IRunningProcess> PosixProcessStarter::Start(const std::string& commandLine,
                                                            const std::string& workingDirectory,
                                                            std::string& error) {
    m_abandoned->Reap();

    ResolvedCommand command = ResolveToolCommandLine(commandLine, m_ownDirectory, workingDirectory);
    if (!command.Found) {
        error = command.Error;
        return nullptr;
    }

    SpawnSetup setup;
    if (int e = setup.Prepare(workingDirectory)) {
        error = std::string("cannot prepare the process start: ") + std::strerror(e);
        return nullptr;
    }
    std::vector<char*> argv;
    for (std::string& argument : command.Arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);

    pid_t pid = 0;
    int e = posix_spawn(&pid, command.ProgramPath.c_str(), setup.Actions(), setup.Attributes(),
                        argv.data(), environ);
    if (e != 0) {
        error = "cannot start " + command.ProgramPath + ": " + std::strerror(e);
        return nullptr;
    }
    error.clear();
    return std::make_unique<PosixRunningProcess>(pid, m_abandoned);
}
