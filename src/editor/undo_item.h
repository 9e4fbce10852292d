// One recorded elementary edit: enough to revert it (undo) or to apply it again (redo).
#pragma once

#include <cstdint>
#include <string>

#include "editor/selection_mode.h"
#include "editor/text_position.h"

enum TSynChangeReason : std::uint8_t {
    ukInsert = 0,
    ukPaste = 1,
    ukDragInsert = 2,
    ukDeleteSelBack = 3,
    ukDeleteSel = 4,
    ukLineBreak = 5,
    ukIndent = 6,
    ukUnindent = 7,
    ukBackspace = 8,
    ukDeleteChar = 9,
};

struct TSynEditUndoItem {
    TSynChangeReason ChangeReason = ukInsert;
    TSynSelectionMode ChangeSelMode = smNormal;
    TBufferCoord ChangeStartPos;
    TBufferCoord ChangeEndPos;
    // The text removed or replaced by the change; empty for pure insertions.
    std::string ChangeStr;
    // Items with the same number are undone and redone together.
    std::int32_t ChangeNumber = 0;
};
