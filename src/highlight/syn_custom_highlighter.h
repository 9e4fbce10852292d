// The abstract highlighter: the attributes it owns and the fixed set of operations through which
// an editor scans a line token by token.
//
// How an editor drives a highlighter, line by line:
//   1. SetRangeState(state stored for the previous line), or ResetRangeState for line 0;
//   2. StartLine(text, index), which scans the first token (the text must stay alive and
//      unchanged until the line has been scanned);
//   3. while !AtLineEnd(): read TokenStart, TokenText, TokenAttribute (TokenKind), NextToken();
//   4. RangeState() is the value to store for the line; when it differs from the stored one,
//      the following lines must be scanned again.
#pragma once

#include <bitset>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "highlight/syn_highlighter_attributes.h"
#include "highlight/syn_notify_event_chain.h"
#include "highlight/syn_persistent.h"

class TSettingsStore;

using TSynIdentChars = std::bitset<256>;

// What a highlighter can do beyond scanning.
using TSynHighlighterCapabilities = std::uint8_t;
inline constexpr TSynHighlighterCapabilities capImport = 1;
inline constexpr TSynHighlighterCapabilities capRegistry = 2;

// Roles of DefaultAttribute.
inline constexpr int SYN_ATTR_COMMENT = 0;
inline constexpr int SYN_ATTR_IDENTIFIER = 1;
inline constexpr int SYN_ATTR_KEYWORD = 2;
inline constexpr int SYN_ATTR_STRING = 3;
inline constexpr int SYN_ATTR_WHITESPACE = 4;

// Where the scan of a line stands at one of its tokens: what a scanner needs to go on from that
// token later without scanning the part of the line before it.
struct TSynScanPoint {
    std::size_t tokenPos = 0;
    std::size_t run = 0;
    std::int32_t range = 0;
    int kind = 0;
    int stage = 0;
};

class TSynCustomHighlighter : public TSynPersistent {
  public:
    TSynCustomHighlighter();
    ~TSynCustomHighlighter() override;
    TSynCustomHighlighter(const TSynCustomHighlighter&) = delete;
    TSynCustomHighlighter& operator=(const TSynCustomHighlighter&) = delete;

    std::string ClassName() const override { return "TSynCustomHighlighter"; }

    // The attribute list, ordered by name (ordinal, case-sensitive).
    virtual int AttributeCount() const;
    // None when index is outside the list.
    virtual TSynHighlighterAttributes* AttributeAt(int index) const;
    virtual TSynHighlighterAttributes* DefaultAttribute(int role) const = 0;
    virtual std::string DefaultFilter() const;
    virtual TSynIdentChars IdentifierChars() const;
    virtual std::string AuxText() const;
    virtual bool DefaultFilterStored() const;
    virtual void SetDefaultFilter(const std::string& value);
    virtual void SetAuxText(const std::string& value);
    virtual TSynHighlighterCapabilities Capabilities() const;
    virtual std::string LanguageName() const;
    virtual bool AtLineEnd() const = 0;
    virtual std::int32_t RangeState() const;
    // Valid until the next StartLine; points into the caller's line text.
    virtual std::string_view TokenText() const = 0;
    // None for the line-end token.
    virtual TSynHighlighterAttributes* TokenAttribute() const = 0;
    virtual int TokenKind() const = 0;
    // 0-based character index of the token in the line.
    virtual int TokenStart() const = 0;
    // Kept for completeness of the operation set; nothing in the program asks it.
    virtual bool UnusedQuery() const;
    virtual void NextToken() = 0;
    virtual void StartLine(std::string_view lineText, int lineIndex) = 0;
    virtual void SetRangeState(std::int32_t value);
    virtual void ResetRangeState();
    // Colour import from other environments is not provided: false and an empty list.
    virtual bool ImportSettings(int settingIndex);
    virtual void ListImportSettings(std::vector<std::string>& settings);
    // Attribute persistence in a settings store, one sub-key per attribute name under keyPath.
    virtual bool LoadFromRegistryKey(TSettingsStore& rootKey, std::string_view keyPath);
    virtual bool SaveToRegistryKey(TSettingsStore& rootKey, std::string_view keyPath);

    // Copies the colours and style of every attribute whose name matches one of the source's;
    // from a highlighter of the own class (or a descendant) also the auxiliary text.
    void Assign(const TSynPersistent* source) override;

    // Fires the attribute-change notification with this highlighter as sender.
    void NotifyAttributesChanged();
    void HookAttributesChanged(TSynNotifyEventChain::TNotifyEvent handler, const void* editor);
    void UnhookAttributesChanged(const TSynNotifyEventChain::TNotifyEvent& handler,
                                 const void* editor);
    TSynNotifyEventChain& AttributeChangeChain() { return m_attributeChangeChain; }

    // Calls NextToken until AtLineEnd.
    virtual void ScanToLineEnd();
    // Long lines: where the scan stands at the current token, for ResumeLine; false for a
    // scanner that cannot resume (the line is then scanned from its start).
    virtual bool SaveScanPoint(TSynScanPoint& /*point*/) const { return false; }
    // Passes the tokens that end at or before byte `offset` of the line: the current token is
    // then the first one ending after it (holding it or starting after it), or the line end.
    virtual void ScanTo(std::size_t offset);
    // Goes on scanning `lineText` from a point saved on that same text: the current token is
    // the one the point was saved at.
    virtual void ResumeLine(std::string_view lineText, int lineIndex, const TSynScanPoint& point);
    // For a line starting in state `range`: when the state after it follows without scanning
    // its tokens, sets `range` to that state and returns true; false when it must be scanned.
    // It may be called from another thread while this one scans, so it uses nothing that
    // scanning changes.
    virtual bool SkimLine(std::string_view /*lineText*/, std::int32_t& /*range*/) const {
        return false;
    }

    // Components that only reference this highlighter (editors) are told when it is destroyed,
    // so that they forget it. One registration per owner; adding again replaces it.
    void AddFreeNotification(const void* owner, std::function<void()> onFree);
    void RemoveFreeNotification(const void* owner);

    // Adds the attribute under its name and takes ownership; a duplicate name raises
    // ESynAttributeListError and the attribute is not taken.
    TSynHighlighterAttributes* AddAttribute(std::unique_ptr<TSynHighlighterAttributes> attribute);
    // Installs the handler on every attribute and takes their values as defaults.
    void SetAttributesChangeHandler(const TSynHighlighterAttributes::TChangeHandler& handler);

  protected:
    // Whether source is of the own class or a descendant (AuxText is copied then).
    virtual bool IsSameClassOrDescendant(const TSynCustomHighlighter& source) const;

  private:
    std::vector<std::unique_ptr<TSynHighlighterAttributes>> m_attributes;  // sorted by name
    TSynNotifyEventChain m_attributeChangeChain;
    std::string m_defaultFilter;
    std::vector<std::pair<const void*, std::function<void()>>> m_freeNotifications;
};
