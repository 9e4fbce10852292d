// Captured tool runs through QProcess with merged channels.
#include "platform/qt/captured_process_starter.h"

#include <QFile>
#include <QProcess>
#include <QStringList>
#include <utility>
#include <vector>

#ifndef _WIN32
#include <signal.h>
#endif

#include "platform/program_search.h"

struct TCapturedProcessStarter::Abandoned {
    std::vector<std::unique_ptr<QProcess>> Processes;

    void Add(std::unique_ptr<QProcess> process) {
        QProcess* raw = process.get();
        // Nobody reads it any more; drop what it writes so its pipe never fills.
        QObject::connect(raw, &QProcess::readyReadStandardOutput, raw,
                         [raw] { raw->readAllStandardOutput(); });
        Processes.push_back(std::move(process));
    }

    size_t Reap() {
        std::erase_if(Processes, [](const std::unique_ptr<QProcess>& process) {
            return process->state() == QProcess::NotRunning;
        });
        return Processes.size();
    }
};

namespace {

QString FromBytes(const std::string& text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

class TCapturedRunningProcess : public IRunningProcess {
  public:
    TCapturedRunningProcess(std::unique_ptr<QProcess> process,
                            std::shared_ptr<TCapturedProcessStarter::Abandoned> abandoned)
        : m_process(std::move(process)), m_abandoned(std::move(abandoned)) {}

    ~TCapturedRunningProcess() override {
        if (m_process->state() != QProcess::NotRunning) m_abandoned->Add(std::move(m_process));
    }

    bool Finished(int& exitCode) override {
        // A zero wait lets the process notice its child's end without an event loop.
        if (m_process->state() != QProcess::NotRunning) m_process->waitForFinished(0);
        Drain();
        if (m_process->state() != QProcess::NotRunning) return false;
        exitCode = ExitCode();
        return true;
    }

    int Wait() override {
        m_process->waitForFinished(-1);
        Drain();
        return ExitCode();
    }

    std::string TakeOutput() override {
        Drain();
        return std::exchange(m_output, {});
    }

  private:
    void Drain() {
        const QByteArray bytes = m_process->readAllStandardOutput();
        m_output.append(bytes.constData(), static_cast<size_t>(bytes.size()));
    }

    // A tool ended by a signal reports 128 plus the signal number, as a shell does; QProcess
    // keeps the signal number as the exit code of a crash.
    int ExitCode() const {
#ifndef _WIN32
        if (m_process->exitStatus() == QProcess::CrashExit) return 128 + m_process->exitCode();
#endif
        return m_process->exitCode();
    }

    std::unique_ptr<QProcess> m_process;
    std::shared_ptr<TCapturedProcessStarter::Abandoned> m_abandoned;
    std::string m_output;
};

}  // namespace

TCapturedProcessStarter::TCapturedProcessStarter() : m_abandoned(std::make_shared<Abandoned>()) {}

TCapturedProcessStarter::TCapturedProcessStarter(std::string ownDirectory)
    : m_ownDirectory(std::move(ownDirectory)), m_abandoned(std::make_shared<Abandoned>()) {}

TCapturedProcessStarter::~TCapturedProcessStarter() = default;

size_t TCapturedProcessStarter::AbandonedCount() {
    return m_abandoned->Reap();
}

std::unique_ptr<IRunningProcess> TCapturedProcessStarter::Start(const std::string& commandLine,
                                                                const std::string& workingDirectory,
                                                                std::string& error) {
    m_abandoned->Reap();

    ResolvedCommand command = ResolveToolCommandLine(commandLine, m_ownDirectory, workingDirectory);
    if (!command.Found) {
        error = command.Error;
        return nullptr;
    }

    auto process = std::make_unique<QProcess>();
    process->setProgram(QFile::decodeName(QByteArray::fromStdString(command.ProgramPath)));
    QStringList arguments;
    for (size_t i = 1; i < command.Arguments.size(); ++i)
        arguments << FromBytes(command.Arguments[i]);
    process->setArguments(arguments);
    process->setProcessChannelMode(QProcess::MergedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    // The tool runs in its directory; the program's own current directory never changes.
    if (!workingDirectory.empty())
        process->setWorkingDirectory(QFile::decodeName(workingDirectory.c_str()));
#ifndef _WIN32
    // Ignored signals and a blocked mask survive exec; the tool gets what a shell would give it.
    process->setChildProcessModifier([] {
        sigset_t empty;
        sigemptyset(&empty);
        sigprocmask(SIG_SETMASK, &empty, nullptr);
        for (int sig : {SIGPIPE, SIGINT, SIGQUIT, SIGTERM, SIGHUP, SIGTSTP, SIGTTIN, SIGTTOU,
                        SIGXFSZ, SIGUSR1, SIGUSR2, SIGALRM})
            signal(sig, SIG_DFL);
    });
#endif
    process->start(QIODevice::ReadOnly);
    if (!process->waitForStarted(-1)) {
        error = "cannot start " + command.ProgramPath + ": " +
                process->errorString().toLocal8Bit().toStdString();
        return nullptr;
    }
    error.clear();
    return std::make_unique<TCapturedRunningProcess>(std::move(process), m_abandoned);
}
