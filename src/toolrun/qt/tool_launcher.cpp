// Tool launcher: start, wait in a local event loop that polls for the tool's end, and cancel.
#include "toolrun/qt/tool_launcher.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <memory>

#include "platform/process.h"
#include "toolrun/qt/loading_window_seam.h"
#include "toolrun/qt/user_input_blocker.h"

void TToolLauncher::ProcessPendingMessages() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

TToolLauncher::TToolLauncher(IProcessStarter& starter, ILoadingWindow& loadingWindow)
    : m_starter(starter), m_loadingWindow(loadingWindow) {}

TToolRunResult TToolLauncher::CreateProcessSimple(const std::string& commandLine,
                                                  const std::string& workingDirectory) {
    TToolRunResult result;
    std::unique_ptr<IRunningProcess> process =
        m_starter.Start(commandLine, workingDirectory, result.Error);
    result.Started = process != nullptr;

    m_loadingWindow.Show();
    {
        // From here until the window closes only the loading window takes user input, so
        // its Cancel works while nothing else can start a second command.
        TUserInputBlocker blocker(m_loadingWindow.Window());
        QEventLoop loop;
        bool cancelled = false;
        m_loadingWindow.SetOnCancel([&] {
            cancelled = true;
            loop.quit();
        });
        if (process != nullptr) {
            QCoreApplication::processEvents();
            bool finished = process->Finished(result.ExitCode);
            if (!finished && !cancelled) {
                QTimer poll;
                poll.setInterval(m_pollInterval);
                QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
                    if (process->Finished(result.ExitCode)) {
                        finished = true;
                        loop.quit();
                    }
                });
                poll.start();
                loop.exec();
            }
            // The loop also ends when the application quits; the tool has not ended then either.
            result.Cancelled = !finished;
            if (result.Cancelled) {
                result.ExitCode = 0;
            } else {
                result.Output = process->TakeOutput();
            }
        }
        QCoreApplication::processEvents();
        m_loadingWindow.SetOnCancel({});
    }
    m_loadingWindow.Close();
    // Dropping the handle of a tool still running leaves it running; the starter reaps it later.
    return result;
}
