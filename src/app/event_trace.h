// The application object, with a trace for measuring the running program from outside: when the
// environment variable QUILLON_EVENT_TRACE names a file, every key and mouse press the program
// receives and every paint it finishes is appended to it as one line
// "<monotonic ns> <process CPU ns> <what>", so a script that drives the real window can tell how
// long an action took until it was on screen and how much processor time it cost.
#pragma once

#include <QApplication>

class TTracingApplication : public QApplication {
  public:
    TTracingApplication(int& argc, char** argv);
    ~TTracingApplication() override;

    bool notify(QObject* receiver, QEvent* event) override;

  private:
    void Trace(const char* what);

    int m_traceFd = -1;
};
