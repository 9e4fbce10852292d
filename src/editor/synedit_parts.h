// The parts of the editor control that own its state, as its behaviour parts (the editing
// commands, the undo replay, the mouse controller) reach them. The control builds one value
// from its own parts and hands it to each behaviour part, which keeps the references for its
// whole life; none of them outlives the control.
#pragma once

class ISynEditorHost;
class TSynCaretSelection;
class TSynEditMarkList;
class TSynEditStringList;
class TSynSelectionText;
class TSynTextChanger;
class TSynViewport;
struct TSynEditorSettings;

struct TSynEditorParts {
    ISynEditorHost& m_host;
    TSynEditorSettings& m_settings;
    TSynEditStringList& m_lines;
    TSynEditMarkList& m_marks;
    TSynViewport& m_view;
    TSynCaretSelection& m_caret;
    TSynTextChanger& m_changer;
    TSynSelectionText& m_text;
};
