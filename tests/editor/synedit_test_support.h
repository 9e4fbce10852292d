// Helpers for driving the editor logic without a widget: a window that records what the logic
// asks of it, and an editor that owns one.
#pragma once

#include <string>
#include <vector>

#include "editor/custom_synedit.h"
#include "editor/string_list.h"

class FakeSynWindow : public ISynEditWindow {
  public:
    bool HandleAllocated() const override { return allocated; }
    bool Focused() const override { return focused; }
    int ClientWidth() const override { return width; }
    int ClientHeight() const override { return height; }
    void InvalidateRect(const TRect& rect) override { invalidated.push_back(rect); }
    void ScrollWindowBy(int dy, const TRect&) override { scrolledBy.push_back(dy); }
    void ApplyScrollBars(const TScrollBarInfo& h, const TScrollBarInfo& v) override {
        horizontal = h;
        vertical = v;
        ++scrollBarUpdates;
    }
    void PlaceCaret(bool visible, const TRect& rect) override {
        caretVisible = visible;
        caretRect = rect;
    }

    bool allocated = true;
    bool focused = true;
    int width = 10 * 8 + 30 + 2;  // 10 columns of 8 pixels beside the 30-pixel gutter
    int height = 5 * 16;          // 5 lines of 16 pixels
    std::vector<TRect> invalidated;
    std::vector<int> scrolledBy;
    TScrollBarInfo horizontal;
    TScrollBarInfo vertical;
    int scrollBarUpdates = 0;
    bool caretVisible = false;
    TRect caretRect;
};

struct TestEditor {
    FakeSynWindow window;
    TCustomSynEdit editor{&window};

    explicit TestEditor(const std::vector<std::string>& lines = {}) {
        for (const auto& l : lines) editor.Lines().Add(l);
        editor.SetFontMetrics(8, 16);
    }
};
