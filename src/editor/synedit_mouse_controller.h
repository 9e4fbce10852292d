// The mouse and drag-and-drop controller of the editor control. Clicks place the caret and start
// or extend the selection, dragging with the left button selects (scrolling by timer steps
// outside the text area), a double click selects a word, clicks in the gutter are reported, the
// cursor shape follows what lies under the mouse, and text dragged onto the control is moved or
// copied there. It works on the control's parts; the control gives it the events to raise, and
// a drag's source is another control.
#pragma once

#include <string>
#include <vector>

#include "editor/mouse_types.h"
#include "editor/synedit_parts.h"

class TCustomSynEdit;

class TSynMouseController : private TSynEditorParts {
  public:
    TSynMouseController(TCustomSynEdit& editor, const TSynEditorParts& parts);
    TSynMouseController(const TSynMouseController&) = delete;
    TSynMouseController& operator=(const TSynMouseController&) = delete;

    // --- mouse (synedit_mouse.cpp) ---
    // Pixel positions are client-area coordinates; `shift` holds the keyboard modifiers and
    // the buttons held (ssLeft, ssRight, ssMiddle, ssDouble).
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    // Returns true when a drag of the selection starts now; the window then runs the drag.
    bool MouseMove(TShiftState shift, int x, int y, int dragDistance);
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    // The double click itself; the window sends the button-down with ssDouble after it.
    void DblClick(int x, int y);
    // The window runs a 100 ms timer while this is true and calls ScrollTimerTick on it.
    bool ScrollTimerWanted() const { return m_notes.ScrollTimerOn; }
    void ScrollTimerTick();
    // A tick with the keyboard modifiers held now.
    void ScrollTimerTick(TShiftState shift);
    TSynCursor MouseCursorAt(int x, int y) const;
    TSynCursor Cursor() const { return m_cursor; }
    void SetCursor(TSynCursor value) { m_cursor = value; }
    const TSynMouseNotes& Notes() const { return m_notes; }
    // Selects the word at a position (double click).
    void SetWordBlock(TBufferCoord value);

    // --- drag and drop (synedit_drag_drop.cpp) ---
    // `source` is the control the drag came from (nullptr: not an editor).
    bool DragOver(TCustomSynEdit* source, int x, int y);
    void DragLeave();
    void DragDrop(TCustomSynEdit* source, int x, int y, TShiftState shift);
    void DropFiles(int x, int y, std::vector<std::string> names);

  private:
    void ComputeScrollDeltas(int x, int y);
    void GutterClick(int x, int y);
    bool HasOption(TSynEditorOptions o) const;

    TCustomSynEdit& m_editor;
    TSynMouseNotes m_notes;
    TSynCursor m_cursor = crIBeam;
};
