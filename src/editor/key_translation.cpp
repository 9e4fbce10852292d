// Turning key presses into editor commands, including two-key sequences.
#include "editor/key_strokes.h"

namespace {

// Keys outside this range (Backspace, Tab, Enter, the modifiers, Escape below it; the
// punctuation keys above it) never start a two-key sequence.
constexpr TVirtualKey kFirstSequenceKey = 30;
constexpr TVirtualKey kLastSequenceKey = 145;

}  // namespace

TSynEditorCommand TSynEditKeyStrokes::TranslateKey(TVirtualKey key, TShiftState shift,
                                                   TVirtualKey& lastKey,
                                                   TShiftState& lastShift) const {
    TSynEditorCommand command = ecNone;
    int index = FindKeycode2(lastKey, lastShift, key, shift);
    if (index < 0) index = FindKeycode(key, shift);
    if (index >= 0) command = Items(index).Command();

    if (index >= 0 || key < kFirstSequenceKey || key > kLastSequenceKey) {
        lastKey = 0;
        lastShift = 0;
    } else {
        lastKey = key;
        lastShift = shift;
    }
    return command;
}
