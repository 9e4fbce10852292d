// The program-wide list of shared font records: one record per normalised font description,
// holding the description and the 17 style variants with their measured metrics, so that all
// editors using the same font create and measure each variant once.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "editor/qt/font_handle.h"
#include "editor/qt/syn_font.h"

// One style variant's entry: its created font (none until needed, and again none after the
// last user gave up its lock) and the metrics measured when it was created.
struct TheFontData {
    std::unique_ptr<TheFontHandle> Handle;
    int CharAdvance = 0;
    int DBCharAdvance = 0;  // advance of double-byte characters; 0 for single-byte fonts
    int CharHeight = 0;
};

// Style indexes run 0..15; the tables keep one spare entry.
constexpr int FontStyleEntryCount = 17;

// A fonts info record, shared by every font stock whose font has the same normalised
// description.
struct TheSharedFontsInfo {
    int RefCount = 0;
    int LockCount = 0;
    TSynFont BaseFont;
    TLogFont BaseLF;
    // No double-byte font information is available through Qt; fonts count as single-byte.
    bool IsDBCSFont = false;
    std::array<TheFontData, FontStyleEntryCount> FontsData;
};

class TheFontsInfoManager {
  public:
    TheFontsInfoManager() = default;
    TheFontsInfoManager(const TheFontsInfoManager&) = delete;
    TheFontsInfoManager& operator=(const TheFontsInfoManager&) = delete;
    ~TheFontsInfoManager();

    // The record for the font, created when no record has an equal description, with one more
    // reference.
    TheSharedFontsInfo* GetFontsInfo(const TSynFont* font);
    // Gives up one reference; the last one frees the record.
    void ReleaseFontsInfo(TheSharedFontsInfo* info);
    // Takes a lock on the record's created variants.
    void ActivateFontsInfo(TheSharedFontsInfo* info);
    // Gives up one lock; the last one deletes the record's created variants (metrics stay).
    void DeactivateFontsInfo(TheSharedFontsInfo* info);

    int Count() const { return static_cast<int>(m_list.size()); }

  private:
    std::vector<std::unique_ptr<TheSharedFontsInfo>> m_list;
};

// The one manager of the program, created on first use.
TheFontsInfoManager& GetFontsInfoManager();
