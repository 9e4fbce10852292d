// Recorded edits for undo and redo.
#include "editor/undo_list.h"

void TSynEditUndoList::AdvanceChangeNumber() {
    // Wraps like a 32-bit counter, but never to 0, which means "no block number".
    std::int32_t next =
        static_cast<std::int32_t>(static_cast<std::uint32_t>(m_nextChangeNumber) + 1u);
    m_nextChangeNumber = next == 0 ? 1 : next;
}

void TSynEditUndoList::AddChange(TSynChangeReason reason, TBufferCoord start, TBufferCoord end,
                                 std::string_view changeText, TSynSelectionMode selectionMode) {
    if (IsLocked()) return;
    auto item = std::make_unique<TSynEditUndoItem>();
    item->ChangeReason = reason;
    item->ChangeSelMode = selectionMode;
    item->ChangeStartPos = start;
    item->ChangeEndPos = end;
    item->ChangeStr = std::string(changeText);
    if (m_blockChangeNumber != 0) {
        item->ChangeNumber = m_blockChangeNumber;
    } else {
        item->ChangeNumber = m_nextChangeNumber;
        if (m_blockCount == 0) AdvanceChangeNumber();
    }
    PushItem(std::move(item));
}

void TSynEditUndoList::EnforceMaximum() {
    while (m_stepCount > m_maxUndo) {
        m_itemsDropped = true;
        const std::int32_t number = m_items.front()->ChangeNumber;
        while (!m_items.empty() && m_items.front()->ChangeNumber == number) m_items.pop_front();
        --m_stepCount;
        if (m_onDropped) m_onDropped(number);
    }
}

void TSynEditUndoList::PushItem(std::unique_ptr<TSynEditUndoItem> item) {
    if (!item) return;
    if (m_items.empty() || m_items.back()->ChangeNumber != item->ChangeNumber) ++m_stepCount;
    m_items.push_back(std::move(item));
    EnforceMaximum();
    if (m_onAdded) m_onAdded(this);
}

const TSynEditUndoItem* TSynEditUndoList::PeekItem() const {
    return m_items.empty() ? nullptr : m_items.back().get();
}

std::unique_ptr<TSynEditUndoItem> TSynEditUndoList::PopItem() {
    if (m_items.empty()) return nullptr;
    std::unique_ptr<TSynEditUndoItem> item = std::move(m_items.back());
    m_items.pop_back();
    if (m_items.empty() || m_items.back()->ChangeNumber != item->ChangeNumber) --m_stepCount;
    return item;
}

void TSynEditUndoList::BeginBlock() {
    ++m_blockCount;
    m_blockChangeNumber = m_nextChangeNumber;
}

void TSynEditUndoList::EndBlock() {
    if (m_blockCount <= 0) return;
    if (--m_blockCount == 0) {
        m_blockChangeNumber = 0;
        AdvanceChangeNumber();
    }
}

void TSynEditUndoList::Clear() {
    m_items.clear();
    m_stepCount = 0;
    m_itemsDropped = false;
}

void TSynEditUndoList::SetMaxUndo(int maxUndo) {
    if (maxUndo < 0) maxUndo = 0;
    if (maxUndo == m_maxUndo) return;
    m_maxUndo = maxUndo;
    EnforceMaximum();
}
