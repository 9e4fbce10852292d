// Editor logic: text dragged and dropped within one editor or between editors (moved or
// copied, one undo group), and files dropped from the desktop.
#include <algorithm>

#include "editor/custom_synedit.h"
#include "editor/synedit_scopes.h"

namespace {
constexpr size_t kMaxDroppedNameLength = 260;
}

bool TCustomSynEdit::DragOver(TCustomSynEdit* source, int x, int y) {
    const bool accept = source != nullptr && !source->ReadOnly() && !ReadOnly();
    if (!accept) return false;
    if (!m_mouse.DragInside) {
        m_mouse.DragInside = true;
        m_mouse.CaretBeforeDrag = CaretXY();
        m_mouse.DragFromHere = source == this;
    }
    const TPaintLockScope lock(m_view);
    SetCaretXY(PixelsToRowColumn(x, y));
    return true;
}

void TCustomSynEdit::DragLeave() {
    if (!m_mouse.DragInside) return;
    m_mouse.DragInside = false;
    // The editor the drag started in shows the caret where the drag began.
    SetCaretXY(m_mouse.DragFromHere ? PixelsToRowColumn(m_mouse.DownX, m_mouse.DownY)
                                    : m_mouse.CaretBeforeDrag);
}

void TCustomSynEdit::DragDrop(TCustomSynEdit* source, int x, int y, TShiftState shift) {
    m_mouse.DragInside = false;
    if (ReadOnly() || source == nullptr || !source->SelAvail()) return;
    const bool sameEditor = source == this;
    TBufferCoord drop = PixelsToRowColumn(x, y);
    drop.Line = std::clamp(drop.Line, 1, std::max(1, m_lines->GetCount()));
    drop.Char = std::max(1, drop.Char);

    const TPaintLockScope lock(m_view);
    SetCaretXY(drop);
    bool move;
    if (sameEditor) {
        // Dropping the block onto itself changes nothing.
        if (!CoordLess(drop, BlockBegin()) && !CoordLess(BlockEnd(), drop)) return;
        move = !(shift & ssCtrl);
    } else {
        move = (shift & ssShift) != 0 && !source->ReadOnly();
    }

    const TUndoBlockScope group(*this);
    const std::string text = source->SelText();
    const TSynSelectionMode mode = source->SelectionMode();
    // The primitives record their own padding and trimming; the deletion and the insertion
    // are recorded here.
    if (move && sameEditor) {
        RecordSelectionDeletion(ukDeleteSel);
        const TBufferCoord begin = BlockBegin();
        const TBufferCoord end = BlockEnd();
        InsertAtSelection(SelectionMode(), "");
        // The drop point moves with the text after the removed block; a point before the
        // block (also on its line) stays.
        if (!CoordLess(drop, begin)) {
            if (drop.Line == end.Line) {
                drop.Char = begin.Char + (drop.Char - end.Char);
                drop.Line = begin.Line;
            } else if (drop.Line > end.Line) {
                drop.Line -= end.Line - begin.Line;
            }
        }
    } else if (move) {
        source->ReplaceSelection("");
    }

    const bool pastEol = HasOption(eoScrollPastEol);
    m_settings.Options |= eoScrollPastEol;
    const TScopeExit restore([this, pastEol] {
        if (!pastEol) m_settings.Options &= static_cast<TSynEditorOptions>(~eoScrollPastEol);
    });
    SetCaretXY(drop);
    SetBlockBegin(drop);
    SetCaretXY(drop);
    InsertAtSelection(mode, text);
    const TBufferCoord start = m_changer.InsertStart();
    const TBufferCoord insertEnd = m_changer.InsertEnd();
    RecordChange(sameEditor ? ukDragInsert : ukInsert, start, insertEnd, SelText(), mode);
    SetCaretAndSelection(start, start, insertEnd);
}

void TCustomSynEdit::DropFiles(int x, int y, std::vector<std::string> names) {
    if (!HasOption(eoDropFiles) || !OnDropFiles) return;
    for (std::string& name : names)
        if (name.size() > kMaxDroppedNameLength) name.resize(kMaxDroppedNameLength);
    OnDropFiles(this, x, y, names);
}
