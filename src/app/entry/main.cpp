// Program entry: reads the command line, initialises the application, creates its windows, opens
// the files named on the command line and runs the message loop until the frame window closes.
#include <QStyle>
#include <QTimer>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "app/app_icon.h"
#include "app/application.h"
#include "app/event_trace.h"
#include "app/icon_cache_style.h"
#include "app/main_window.h"
#include "app/program_arguments.h"
#include "platform/program_search.h"
#include "platform/shared_data.h"

int main(int argc, char** argv) {
    // Help, version and usage errors are answered before any window exists, so they work
    // without a display.
    const TProgramArguments arguments =
        ParseProgramArguments(std::vector<std::string>(argv + 1, argv + argc));
    if (const auto exitStatus = AnswerWithoutWindows(arguments, std::cout, std::cerr)) {
        return *exitStatus;
    }

    // The tools started from here (make and what a project's Makefile runs) find ours by name.
    const char* path = std::getenv("PATH");
    const std::string toolPath = PathWithDirectory(path ? path : "", SharedDataDirectory("tools"));
    if (!toolPath.empty()) ::setenv("PATH", toolPath.c_str(), 1);

    // The toolkit sees only the program name: every argument is ours, so a file named like one
    // of its options still opens as a file.
    int toolkitArgc = 1;
    TTracingApplication qtApplication(toolkitArgc, argv);
    // The application owns the style it is given.
    QApplication::setStyle(new TIconCacheStyle(QApplication::style()->name()));
    QApplication::setApplicationName("Quillon IDE");
    QGuiApplication::setDesktopFileName(kDesktopFileName);
    QApplication::setWindowIcon(ApplicationIcon());
    Application application;
    application.Show();
    // The files open once the message loop runs, in the frame that is already on screen; without
    // files the windows of the last session come back, unless --no-session says otherwise.
    QTimer::singleShot(0, &application.MainForm(),
                       [&] { application.OpenAtStart(arguments.Files, arguments.NoSession); });
    return QApplication::exec();
}
