// Undo and redo of the editor control. Replaying an item applies its exact inverse (undo) or
// the change again (redo) and records the counterpart on the other list under the same change
// number, so a group moves between the two lists as one group. It also keeps where the text
// last loaded or saved lies in the history, which is what Modified reports.
#pragma once

#include <cstdint>

#include "editor/synedit_parts.h"
#include "editor/undo_item.h"

class TSynEditUndoList;

class TSynUndoReplay : private TSynEditorParts {
  public:
    TSynUndoReplay(const TSynEditorParts& parts, TSynEditUndoList& undoList,
                   TSynEditUndoList& redoList);
    TSynUndoReplay(const TSynUndoReplay&) = delete;
    TSynUndoReplay& operator=(const TSynUndoReplay&) = delete;

    void Undo();
    void Redo();
    bool CanUndo() const;
    bool CanRedo() const;
    void Lock();
    void Unlock();
    void Clear();
    bool InRedo() const { return m_inRedo; }

    // True while the text differs from the one loaded or last marked saved, as far as the undo
    // history can tell: undoing or redoing back to that text clears it again.
    bool Modified() const { return m_modified; }
    void MarkSaved();
    // A list gained an item: Modified follows, and a new edit (not a redo) makes what was
    // undone unreachable.
    void ListChanged(const TSynEditUndoList* list);
    // The undo list dropped its oldest item to stay within MaxUndo.
    void ItemDropped(std::int32_t changeNumber);

  private:
    // Every kind of change has a pair of steps, one reverting it and one making it again; `to`
    // is the list that receives the counterpart.
    using TReplayStep = void (TSynUndoReplay::*)(const TSynEditUndoItem& item,
                                                 TSynEditUndoList& to);
    struct TReplayPair {
        TReplayStep undo;
        TReplayStep redo;
    };
    static const TReplayPair& ReplayPairFor(TSynChangeReason kind);
    void ReplayGroup(TSynEditUndoList& from, TSynEditUndoList& to, bool redo);
    void UpdateModified();
    void UndoInsertion(const TSynEditUndoItem& item, TSynEditUndoList& to);
    void RedoInsertion(const TSynEditUndoItem& item, TSynEditUndoList& to);
    void UndoDeletion(const TSynEditUndoItem& item, TSynEditUndoList& to);
    void RedoDeletion(const TSynEditUndoItem& item, TSynEditUndoList& to);
    void UndoLineBreak(const TSynEditUndoItem& item, TSynEditUndoList& to);
    void RedoLineBreak(const TSynEditUndoItem& item, TSynEditUndoList& to);
    void UndoIndent(const TSynEditUndoItem& item, TSynEditUndoList& to);
    void RedoIndent(const TSynEditUndoItem& item, TSynEditUndoList& to);
    void UndoUnindent(const TSynEditUndoItem& item, TSynEditUndoList& to);
    void RedoUnindent(const TSynEditUndoItem& item, TSynEditUndoList& to);

    TSynEditUndoList& m_undoList;
    TSynEditUndoList& m_redoList;
    bool m_inRedo = false;
    bool m_modified = false;
    // Change number of the newest undo item when the text was last saved or loaded; 0 for an
    // empty undo list, -1 once that text can no longer be reached by undo and redo.
    std::int32_t m_savedChangeNumber = 0;
};
