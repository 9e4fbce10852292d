// The clipboard as the editor sees it: plain text plus a private format that carries the
// selection mode, so a column or line block pastes back in its own mode. Every editor is given
// its clipboard: the widget one backed by the platform, or one kept in memory (which the
// program's session owns for a run without a window system, and tests make their own of), so
// the editing logic works and can be tested without a window system.
#pragma once

#include <string>

#include "editor/selection_mode.h"

// Name of the private format; its data is one mode byte, the text and a zero byte.
inline constexpr const char* kSynEditBlockTypeFormat = "SynEdit Control Block Type";

class ISynClipboard {
  public:
    virtual ~ISynClipboard() = default;
    virtual bool HasText() const = 0;
    virtual bool HasBlockFormat() const = 0;
    // Replaces the clipboard's content by the text, as plain text and in the private format.
    // Raises ESynEditError("Clipboard copy operation failed") on failure.
    virtual void SetText(const std::string& text, TSynSelectionMode mode) = 0;
    // The private format's text and mode; false when the format is absent. Raises
    // ESynEditError("Clipboard paste operation failed.") when present but unreadable.
    virtual bool GetBlock(std::string& text, TSynSelectionMode& mode) const = 0;
    // The plain text; false when there is none.
    virtual bool GetText(std::string& text) const = 0;
};

// A clipboard held in memory; the private format is stored as its encoded bytes.
class TSynMemoryClipboard : public ISynClipboard {
  public:
    bool HasText() const override { return m_hasText; }
    bool HasBlockFormat() const override { return !m_block.empty(); }
    void SetText(const std::string& text, TSynSelectionMode mode) override;
    bool GetBlock(std::string& text, TSynSelectionMode& mode) const override;
    bool GetText(std::string& text) const override;

    // Puts only plain text, as another program would.
    void SetPlainText(const std::string& text);
    // Puts raw private-format bytes (mode byte, text, zero byte) beside no plain text.
    void SetBlockBytes(const std::string& bytes) { m_block = bytes; }
    void Clear();

  private:
    bool m_hasText = false;
    std::string m_text;
    std::string m_block;
};

// Encoding of the private format's data, shared by the memory and the platform clipboards.
std::string EncodeSynBlock(const std::string& text, TSynSelectionMode mode);
// False when the data is too short to hold a mode byte. The text ends at the first zero byte
// after the mode byte (or at the end of the data).
bool DecodeSynBlock(const std::string& data, std::string& text, TSynSelectionMode& mode);
