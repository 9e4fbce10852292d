// One Find in Files run in the background: the search works on its own thread while the window
// stays responsive; every few milliseconds the lines found so far are handed on, on the window's
// thread, a bounded number at a time so that no event takes long.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "project/find_in_files.h"

class TFindInFilesRun : public QObject {
    Q_OBJECT
  public:
    explicit TFindInFilesRun(QObject* parent = nullptr);
    // Stops a running search and waits for its thread.
    ~TFindInFilesRun() override;

    // Starts a search; one that still runs is stopped first.
    void Start(TFindInFilesOptions options, TTextOverrides overrides = {});
    // Asks a running search to stop; its results so far and the end are still reported.
    void Cancel();
    bool IsRunning() const { return m_thread.joinable(); }

    // All on the window's thread: result lines ("path:line:col: text") in walk order; progress
    // (files searched, files listed); the end with the totals.
    std::function<void(const std::vector<std::string>& lines)> OnLines;
    std::function<void(int searched, int listed)> OnProgress;
    std::function<void(int matches, int files, bool cancelled)> OnFinished;

    // Hands on what has arrived; the timer calls it, tests may too.
    void Drain();

  private:
    // What the search thread writes and the window's thread reads, under Mutex.
    struct TShared {
        std::mutex Mutex;
        std::vector<std::string> Lines;
        bool Done = false;
    };

    void Finish();

    std::shared_ptr<TShared> m_shared;
    std::unique_ptr<TFindInFiles> m_find;
    std::jthread m_thread;
    QTimer m_timer;
    bool m_cancelled = false;
    std::vector<std::string> m_pending;
    std::size_t m_pendingAt = 0;
};
