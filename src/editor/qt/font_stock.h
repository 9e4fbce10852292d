// A text drawer's font stock: selects the style variants of its base font through the shared
// fonts info record, creating and measuring a variant the first time any stock needs it.
#pragma once

#include <cstdint>

#include "editor/qt/fonts_info_manager.h"
#include "editor/qt/syn_font.h"

class TheFontStock {
  public:
    explicit TheFontStock(const TSynFont* baseFont);
    TheFontStock(const TheFontStock&) = delete;
    TheFontStock& operator=(const TheFontStock&) = delete;
    virtual ~TheFontStock();

    // Switches to the record of another font; the same font keeps everything as it is.
    virtual void SetBaseFont(const TSynFont* font);
    // Makes the variant of the style current, creating and measuring it when needed.
    virtual void SelectStyle(std::uint8_t style);
    // Gives up the lock on the record's variants (they are deleted with the last lock).
    virtual void ReleaseFontHandles();

    int CharAdvance() const;
    int CharHeight() const;
    int DoubleByteAdvance() const;
    // The current variant; none before the first SelectStyle and after ReleaseFontHandles.
    const TheFontHandle* FontHandle() const {
        return m_currentFontData ? m_currentFontData->Handle.get() : nullptr;
    }
    const TheSharedFontsInfo* FontsInfo() const { return m_fontsInfo; }
    bool UsingFontHandles() const { return m_usingFontHandles; }

  protected:
    virtual std::unique_ptr<TheFontHandle> CreateStyledFont(std::uint8_t style);
    virtual TheFontData* FontDataFor(int styleIndex);

  private:
    void ReleaseFontsInfo();

    TheSharedFontsInfo* m_fontsInfo = nullptr;
    bool m_usingFontHandles = false;
    TheFontData* m_currentFontData = nullptr;
    TLogFont m_baseLF;
};
