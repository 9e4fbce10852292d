// Editor logic: text dragged and dropped within one editor or between editors (moved or
// copied, one undo group), and files dropped from the desktop.
#include <algorithm>

#include "editor/synedit_mouse_controller.h"

#include "editor/custom_synedit.h"
#include "editor/synedit_scopes.h"
#include "editor/synedit_selection_text.h"

namespace {
constexpr size_t kMaxDroppedNameLength = 260;
}

bool TSynMouseController::DragOver(TCustomSynEdit* source, int x, int y) {
    const bool accept = source != nullptr && !source->ReadOnly() && !m_settings.ReadOnly;
    if (!accept) return false;
    if (!m_notes.DragInside) {
        m_notes.DragInside = true;
        m_notes.CaretBeforeDrag = m_caret.CaretXY();
        m_notes.DragFromHere = source == &m_editor;
    }
    const TPaintLockScope lock(m_view);
    m_caret.SetCaretXY(m_view.PixelsToRowColumn(x, y));
    return true;
}

void TSynMouseController::DragLeave() {
    if (!m_notes.DragInside) return;
    m_notes.DragInside = false;
    // The editor the drag started in shows the caret where the drag began.
    m_caret.SetCaretXY(m_notes.DragFromHere ? m_view.PixelsToRowColumn(m_notes.DownX, m_notes.DownY)
                                            : m_notes.CaretBeforeDrag);
}

void TSynMouseController::DragDrop(TCustomSynEdit* source, int x, int y, TShiftState shift) {
    m_notes.DragInside = false;
    if (m_settings.ReadOnly || source == nullptr || !source->SelAvail()) return;
    const bool sameEditor = source == &m_editor;
    TBufferCoord drop = m_view.PixelsToRowColumn(x, y);
    drop.Line = std::clamp(drop.Line, 1, std::max(1, m_lines.GetCount()));
    drop.Char = std::max(1, drop.Char);

    const TPaintLockScope lock(m_view);
    m_caret.SetCaretXY(drop);
    bool move;
    if (sameEditor) {
        // Dropping the block onto itself changes nothing.
        if (!CoordLess(drop, m_caret.BlockBegin()) && !CoordLess(m_caret.BlockEnd(), drop)) return;
        move = !(shift & ssCtrl);
    } else {
        move = (shift & ssShift) != 0 && !source->ReadOnly();
    }

    const TUndoBlockScope group(m_changer);
    const std::string text = source->SelText();
    const TSynSelectionMode mode = source->SelectionMode();
    // The primitives record their own padding and trimming; the deletion and the insertion
    // are recorded here.
    if (move && sameEditor) {
        m_text.RecordSelectionDeletion(ukDeleteSel);
        const TBufferCoord begin = m_caret.BlockBegin();
        const TBufferCoord end = m_caret.BlockEnd();
        m_text.InsertAtSelection(m_caret.SelectionMode(), "");
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
    m_caret.SetCaretXY(drop);
    m_caret.SetBlockBegin(drop);
    m_caret.SetCaretXY(drop);
    m_text.InsertAtSelection(mode, text);
    const TBufferCoord start = m_changer.InsertStart();
    const TBufferCoord insertEnd = m_changer.InsertEnd();
    m_changer.RecordChange(sameEditor ? ukDragInsert : ukInsert, start, insertEnd, m_text.SelText(),
                           mode);
    m_caret.SetCaretAndSelection(start, start, insertEnd);
}

void TSynMouseController::DropFiles(int x, int y, std::vector<std::string> names) {
    if (!HasOption(eoDropFiles) || !m_editor.OnDropFiles) return;
    for (std::string& name : names)
        if (name.size() > kMaxDroppedNameLength) name.resize(kMaxDroppedNameLength);
    m_editor.OnDropFiles(&m_editor, x, y, names);
}
