// Value types shared by the editor control's logic and its widget: positions, options, status
// flags, selection modes, caret shapes and the small geometry records exchanged with the window.
#pragma once

#include <cstdint>

#include "editor/selection_mode.h"
#include "editor/text_position.h"

struct TPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

// Union of two rectangles; an empty one contributes nothing.
inline TRect UnionRect(const TRect& a, const TRect& b) {
    if (a.IsEmpty()) return b;
    if (b.IsEmpty()) return a;
    return {a.Left < b.Left ? a.Left : b.Left, a.Top < b.Top ? a.Top : b.Top,
            a.Right > b.Right ? a.Right : b.Right, a.Bottom > b.Bottom ? a.Bottom : b.Bottom};
}

enum TSynEditCaretType : uint8_t {
    ctVerticalLine = 0,
    ctHorizontalLine = 1,
    ctHalfBlock = 2,
    ctBlock = 3
};

enum TScrollStyle : uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };

enum TSynBorderStyle : uint8_t { bsNone, bsSingle };

// Status change flags reported through OnStatusChange.
using TSynStatusChanges = uint16_t;
enum : TSynStatusChanges {
    stAll = 1,
    stCaretX = 2,
    stCaretY = 4,
    stLeftChar = 8,
    stTopLine = 16,
    stInsertMode = 32,
    stModified = 64,
    stSelection = 128,
    stReadOnly = 256,
};

// Editor options; the bit of each option is its position in this list.
using TSynEditorOptions = uint16_t;
enum : TSynEditorOptions {
    eoAltSetsColumnMode = 1 << 0,
    eoAutoIndent = 1 << 1,
    eoDragDropEditing = 1 << 2,
    eoDropFiles = 1 << 3,
    eoHalfPageScroll = 1 << 4,
    eoKeepCaretX = 1 << 5,
    eoNoCaret = 1 << 6,
    eoNoSelection = 1 << 7,
    eoScrollByOneLess = 1 << 8,
    eoScrollPastEof = 1 << 9,
    eoScrollPastEol = 1 << 10,
    eoShowScrollHint = 1 << 11,
    eoSmartTabs = 1 << 12,
    eoTabsToSpaces = 1 << 13,
    eoTrimTrailingSpaces = 1 << 14,
};
constexpr TSynEditorOptions kSynDefaultOptions = 31750;

// What a scroll bar should show; the window applies it.
struct TScrollBarInfo {
    bool Visible = false;  // the bar exists for the ScrollBars setting
    bool Enabled = false;  // something can scroll
    int Min = 0;
    int Max = 0;
    int Page = 0;
    int Position = 0;
    friend bool operator==(const TScrollBarInfo&, const TScrollBarInfo&) = default;
};
