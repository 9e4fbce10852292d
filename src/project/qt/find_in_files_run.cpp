// The background thread of Find in Files and the hand-over of its results.
#include "project/qt/find_in_files_run.h"

#include <mutex>

#include "platform/qt/error_report.h"

namespace {

// How often results are handed on, and how many lines at most per hand-over.
constexpr int kDrainIntervalMs = 40;
constexpr std::size_t kLinesPerDrain = 4000;

}  // namespace

TFindInFilesRun::TFindInFilesRun(QObject* parent) : QObject(parent) {
    m_timer.setInterval(kDrainIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, Guarded([this] { Drain(); }));
}

TFindInFilesRun::~TFindInFilesRun() {
    if (m_thread.joinable()) {
        m_thread.request_stop();
        m_thread.join();
    }
}

void TFindInFilesRun::Start(TFindInFilesOptions options, TTextOverrides overrides) {
    if (m_thread.joinable()) {
        m_thread.request_stop();
        m_thread.join();
    }
    m_cancelled = false;
    m_pending.clear();
    m_pendingAt = 0;
    m_shared = std::make_shared<TShared>();
    m_find = std::make_unique<TFindInFiles>(std::move(options), std::move(overrides));
    // The thread touches only the search object and the shared record; both outlive it, since
    // it is joined before either is replaced or freed.
    m_thread = std::jthread([find = m_find.get(), shared = m_shared](std::stop_token stop) {
        try {
            find->Run(stop, [&](TFileMatches&& file) {
                std::vector<std::string> lines;
                lines.reserve(file.Matches.size());
                for (const TLineMatch& match : file.Matches)
                    lines.push_back(FindResultLine(file.Path, match));
                std::lock_guard lock(shared->Mutex);
                for (std::string& line : lines) shared->Lines.push_back(std::move(line));
            });
        } catch (...) {
            // Out of memory or a thread that could not start: the results so far stand.
        }
        std::lock_guard lock(shared->Mutex);
        shared->Done = true;
    });
    m_timer.start();
}

void TFindInFilesRun::Cancel() {
    if (!m_thread.joinable()) return;
    m_cancelled = true;
    m_thread.request_stop();
}

void TFindInFilesRun::Drain() {
    if (!m_shared) return;
    bool done = false;
    if (m_pendingAt >= m_pending.size()) {
        m_pending.clear();
        m_pendingAt = 0;
        std::lock_guard lock(m_shared->Mutex);
        m_pending.swap(m_shared->Lines);
        done = m_shared->Done;
    }
    if (m_pendingAt < m_pending.size()) {
        const std::size_t end = std::min(m_pending.size(), m_pendingAt + kLinesPerDrain);
        const std::vector<std::string> batch(m_pending.begin() + static_cast<long>(m_pendingAt),
                                             m_pending.begin() + static_cast<long>(end));
        m_pendingAt = end;
        if (OnLines) OnLines(batch);
        // The rest, and the end, come with the next ticks.
        if (OnProgress) OnProgress(m_find->FilesSearched(), m_find->FilesListed());
        return;
    }
    if (OnProgress) OnProgress(m_find->FilesSearched(), m_find->FilesListed());
    if (done) Finish();
}

void TFindInFilesRun::Finish() {
    m_timer.stop();
    if (m_thread.joinable()) m_thread.join();
    m_shared.reset();
    if (OnFinished) OnFinished(m_find->MatchCount(), m_find->FileCount(), m_cancelled);
}
