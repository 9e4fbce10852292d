// Idle-time computation of range states.
#include "editor/qt/range_idle_worker.h"

#include "editor/custom_synedit.h"

TSynRangeIdleWorker::TSynRangeIdleWorker(TCustomSynEdit& editor) : m_editor(editor) {
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { RunSlice(); });
}

void TSynRangeIdleWorker::Restart() {
    m_timer.start(kIdleDelayMs);
}

void TSynRangeIdleWorker::RunSlice() {
    // The next slice runs once the event loop has handled whatever arrived meanwhile; a change
    // in between calls Restart and so postpones it by the idle delay again.
    if (m_editor.ComputeRangesFor(kSlice)) m_timer.start(0);
}
