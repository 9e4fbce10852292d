// The editor clipboard on the window system's clipboard: plain text converted from the code
// page to Unicode, beside a private MIME type holding the selection mode byte, the code-page
// text and a zero byte, so a column or line block keeps its mode between editors.
#pragma once

#include "editor/synedit_clipboard.h"

// MIME type of the private selection-mode format.
inline constexpr const char* kSynBlockMimeType = "application/x-quillon-block";

class TQtSynClipboard : public ISynClipboard {
  public:
    bool HasText() const override;
    bool HasBlockFormat() const override;
    void SetText(const std::string& text, TSynSelectionMode mode) override;
    bool GetBlock(std::string& text, TSynSelectionMode& mode) const override;
    bool GetText(std::string& text) const override;
};
