// A list of recorded edits, newest last, with a size limit, grouping by change number
// (undo blocks) and a lock that suspends recording. The editor keeps one for undo and one
// for redo. The limit counts undo steps, the groups of items with one change number, and drops
// the oldest step whole: a Replace All of any size stays one step that is undone entirely.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string_view>

#include "editor/undo_item.h"

class TSynEditUndoList {
  public:
    using TListHook = std::function<void(TSynEditUndoList* sender)>;
    static constexpr int kDefaultMaxUndo = 1024;

    // Records a change unless locked; numbered by the open block, else by a fresh number.
    void AddChange(TSynChangeReason reason, TBufferCoord start, TBufferCoord end,
                   std::string_view changeText, TSynSelectionMode selectionMode);
    // Appends an item as it is (replays use this to keep the item's number), drops the oldest
    // steps beyond the limit, then calls the on-added hook.
    void PushItem(std::unique_ptr<TSynEditUndoItem> item);
    // The newest item, or nullptr.
    const TSynEditUndoItem* PeekItem() const;
    // Removes the newest item and hands it over, or returns nullptr.
    std::unique_ptr<TSynEditUndoItem> PopItem();

    void BeginBlock();
    void EndBlock();
    void Lock() { ++m_lockCount; }
    void Unlock() {
        if (m_lockCount > 0) --m_lockCount;
    }
    bool IsLocked() const { return m_lockCount > 0; }

    bool CanUndo() const { return !m_items.empty(); }
    void Clear();
    int ItemCount() const { return static_cast<int>(m_items.size()); }
    // The number of undo steps: runs of items with the same change number.
    int StepCount() const { return m_stepCount; }
    // Item `index`, the oldest being 0.
    const TSynEditUndoItem& Item(int index) const { return *m_items.at(index); }
    // True once steps were discarded because of the limit, until Clear.
    bool ItemsDropped() const { return m_itemsDropped; }

    int MaxUndo() const { return m_maxUndo; }
    // The most undo steps kept. Negative values become 0; a lower limit drops the oldest steps
    // at once.
    void SetMaxUndo(int maxUndo);

    std::int32_t BlockChangeNumber() const { return m_blockChangeNumber; }
    // Forces the number of new items; 0 lets them be numbered normally. The undo and redo
    // replays use this to keep a group's number when it moves between the two lists.
    void SetBlockChangeNumber(std::int32_t number) { m_blockChangeNumber = number; }
    int BlockCount() const { return m_blockCount; }
    std::int32_t NextChangeNumber() const { return m_nextChangeNumber; }

    void SetOnAdded(TListHook hook) { m_onAdded = std::move(hook); }
    // Told the change number of every item the limit discards, oldest first.
    void SetOnDropped(std::function<void(std::int32_t changeNumber)> hook) {
        m_onDropped = std::move(hook);
    }

  private:
    void EnforceMaximum();
    void AdvanceChangeNumber();

    std::int32_t m_blockChangeNumber = 0;
    int m_blockCount = 0;
    bool m_itemsDropped = false;
    std::deque<std::unique_ptr<TSynEditUndoItem>> m_items;
    int m_lockCount = 0;
    int m_maxUndo = kDefaultMaxUndo;
    int m_stepCount = 0;
    std::int32_t m_nextChangeNumber = 1;
    TListHook m_onAdded;
    std::function<void(std::int32_t)> m_onDropped;
};
