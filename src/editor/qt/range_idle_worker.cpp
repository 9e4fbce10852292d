// Idle-time computation of range states.
#include "editor/qt/range_idle_worker.h"

#include "editor/custom_synedit.h"

TSynRangeIdleWorker::TSynRangeIdleWorker(TCustomSynEdit& editor) : m_editor(editor) {
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { TimedOut(); });
}

void TSynRangeIdleWorker::Restart(bool soon) {
    if (soon) {
        m_waitingForQuiet = false;
        m_timer.start(kNewTextDelayMs);
        return;
    }
    m_lastChange = std::chrono::steady_clock::now();
    if (m_waitingForQuiet && m_timer.isActive()) return;
    m_waitingForQuiet = true;
    m_timer.start(kIdleDelayMs);
}

void TSynRangeIdleWorker::TimedOut() {
    if (m_waitingForQuiet) {
        // Changes came while it waited: the quiet time counts from the last of them.
        const auto quiet = std::chrono::steady_clock::now() - m_lastChange;
        const auto wanted = std::chrono::milliseconds(kIdleDelayMs);
        if (quiet < wanted) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(wanted - quiet);
            m_timer.start(static_cast<int>(left.count()));
            return;
        }
        m_waitingForQuiet = false;
    }
    RunSlice();
}

void TSynRangeIdleWorker::RunSlice() {
    // The next slice runs once the event loop has handled whatever arrived meanwhile; a change
    // in between calls Restart and so postpones it by the idle delay again.
    if (m_editor.ComputeRangesFor(kSlice)) m_timer.start(0);
}
