// Carries an editor's highlighter range states forward through the rest of its text while the
// user is idle, in slices short enough that input never waits noticeably on them.
#pragma once

#include <QTimer>
#include <chrono>

class TCustomSynEdit;

class TSynRangeIdleWorker {
  public:
    // Quiet time after the last change before idle work starts.
    static constexpr int kIdleDelayMs = 300;
    // Longest single slice of idle work.
    static constexpr std::chrono::microseconds kSlice{4000};

    explicit TSynRangeIdleWorker(TCustomSynEdit& editor);
    // Wait before idle work on a new text (loaded): its window paints first.
    static constexpr int kNewTextDelayMs = 50;

    // The text changed (or there is new work): wait for a quiet moment, then work on; `soon`
    // for a new text, which nobody is typing into yet.
    void Restart(bool soon = false);
    bool Pending() const { return m_timer.isActive(); }

  private:
    void TimedOut();
    void RunSlice();

    TCustomSynEdit& m_editor;
    QTimer m_timer;
    // Set while the timer waits for the quiet time; a change then only moves this on, as
    // starting the timer again costs a search through every timer of the program (one per open
    // editor).
    bool m_waitingForQuiet = false;
    std::chrono::steady_clock::time_point m_lastChange;
};
