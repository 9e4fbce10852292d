// Mouse input as the editor logic receives it: the button, the button flags that join the
// keyboard modifiers in a shift state, and the notes the control keeps between a button-down
// and the next button-up.
#pragma once

#include <cstdint>

#include "editor/synedit_cursor.h"
#include "editor/synedit_types.h"
#include "platform/keys.h"

enum TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };

// Buttons held during a mouse event, beside ssShift, ssAlt and ssCtrl; ssDouble marks the
// button-down that completes a double click.
constexpr TShiftState ssLeft = 1 << 3;
constexpr TShiftState ssRight = 1 << 4;
constexpr TShiftState ssMiddle = 1 << 5;
constexpr TShiftState ssDouble = 1 << 6;

// What the control remembers while a mouse button is down.
struct TSynMouseNotes {
    int DownX = 0;  // mouse-down point, remembered for a left click on a selection
    int DownY = 0;
    int LastX = 0;  // latest mouse position, for the scroll timer
    int LastY = 0;
    TShiftState LastShift = 0;
    bool PossibleDrag = false;
    bool DoubleClicked = false;
    bool PossibleGutterClick = false;
    bool Captured = false;
    int ScrollDeltaX = 0;  // columns per scroll-timer step, signed
    int ScrollDeltaY = 0;  // lines per scroll-timer step, signed
    bool ScrollTimerOn = false;
    // A text drag over this editor: where the caret was before it came in.
    bool DragInside = false;
    bool DragFromHere = false;
    TBufferCoord CaretBeforeDrag;
};
