// Trace lines of received input and finished paints, written straight to the trace file.
#include "app/event_trace.h"

#include <fcntl.h>
#include <unistd.h>

#include <QEvent>
#include <QKeyEvent>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

long long Nanoseconds(clockid_t clock) {
    timespec now{};
    ::clock_gettime(clock, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

}  // namespace

TTracingApplication::TTracingApplication(int& argc, char** argv) : QApplication(argc, argv) {
    if (const char* path = std::getenv("QUILLON_EVENT_TRACE"); path != nullptr && *path != '\0')
        m_traceFd = ::open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (m_traceFd >= 0) Trace("start");
}

TTracingApplication::~TTracingApplication() {
    if (m_traceFd >= 0) ::close(m_traceFd);
}

bool TTracingApplication::notify(QObject* receiver, QEvent* event) {
    if (m_traceFd < 0) return QApplication::notify(receiver, event);
    const QEvent::Type type = event->type();
    // A key the program takes as a shortcut reaches the widget only as the override question, an
    // ordinary key as that question and then the press: the first of them after a key is sent is
    // when it arrived.
    if ((type == QEvent::ShortcutOverride || type == QEvent::KeyPress) &&
        receiver->isWidgetType() && !static_cast<QKeyEvent*>(event)->isAutoRepeat())
        Trace("key");
    if (type == QEvent::MouseButtonPress && receiver->isWidgetType()) Trace("mouse");
    const bool result = QApplication::notify(receiver, event);
    if (type == QEvent::Paint) Trace("paint");
    return result;
}

void TTracingApplication::Trace(const char* what) {
    char line[96];
    const int length =
        std::snprintf(line, sizeof line, "%lld %lld %s\n", Nanoseconds(CLOCK_MONOTONIC),
                      Nanoseconds(CLOCK_PROCESS_CPUTIME_ID), what);
    if (length <= 0) return;
    // A trace line that cannot be written is lost; the program goes on all the same.
    [[maybe_unused]] const ssize_t written =
        ::write(m_traceFd, line, static_cast<std::size_t>(length));
}
