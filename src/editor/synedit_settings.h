// The editor control's settings as small records: what its parts read while editing
// (TSynEditorSettings) and how it looks (TSynEditorLook). The control owns them and the parts
// hold them by reference, so reading one costs a load.
#pragma once

#include <cstdint>

#include "editor/synedit_types.h"
#include "platform/colors.h"

struct TSynEditorSettings {
    TSynEditorOptions Options = kSynDefaultOptions;
    int MaxLeftChar = 1024;
    int TabWidth = 8;
    bool InsertMode = true;
    bool ReadOnly = false;
    bool WantTabs = false;

    bool Has(TSynEditorOptions o) const { return (Options & o) != 0; }
};

// Colours, caret shapes and the right edge, read by the painter and the caret display.
struct TSynEditorLook {
    int32_t Color = clWindow;
    int32_t FontColor = clWindowText;
    uint8_t FontStyle = 0;
    int32_t SelectedBackground = clHighlight;
    int32_t SelectedForeground = clHighlightText;
    bool HideSelection = false;
    int RightEdge = 80;
    int32_t RightEdgeColor = 0xC0C0C0;
    TSynEditCaretType InsertCaret = ctVerticalLine;
    TSynEditCaretType OverwriteCaret = ctBlock;
};
