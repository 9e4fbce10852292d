// The editor clipboard on the window system's clipboard: plain text converted from the code
// page to Unicode, beside a private MIME type holding the selection mode byte, the code-page
// text and a zero byte, so a column or line block keeps its mode between editors.
#pragma once

#include <QMetaObject>
#include <optional>

#include "editor/synedit_clipboard.h"

// MIME type of the private selection-mode format.
inline constexpr const char* kSynBlockMimeType = "application/x-quillon-block";

class TQtSynClipboard : public ISynClipboard {
  public:
    TQtSynClipboard() = default;
    ~TQtSynClipboard() override;
    TQtSynClipboard(const TQtSynClipboard&) = delete;
    TQtSynClipboard& operator=(const TQtSynClipboard&) = delete;

    bool HasText() const override;
    bool HasBlockFormat() const override;
    void SetText(const std::string& text, TSynSelectionMode mode) override;
    bool GetBlock(std::string& text, TSynSelectionMode& mode) const override;
    bool GetText(std::string& text) const override;

  private:
    // Which formats the clipboard offers, kept until it changes: the frame asks after every
    // caret move whether Paste is possible, and on some window systems each question is a
    // round trip to the display server.
    struct TFormats {
        bool Text = false;
        bool Block = false;
    };
    TFormats Formats() const;

    mutable std::optional<TFormats> m_formats;
    mutable QMetaObject::Connection m_watch;
};
