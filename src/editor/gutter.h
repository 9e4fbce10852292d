// Gutter settings (line numbers, width, colours) and bookmark display options of an editor.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "editor/synedit_cursor.h"

class TSynGutter;
class TSynBookMarkOpt;
class TSynImageList;

// Colour values as 32-bit numbers with red in the low byte (system colours have the top bit).
using TSynColor = int32_t;

class TSynGutter {
  public:
    using TChangeEvent = std::function<void(TSynGutter* sender)>;

    TSynGutter();

    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool v);
    TSynColor Color() const { return m_color; }
    void SetColor(TSynColor v);
    // Mouse cursor over the gutter.
    TSynCursor Cursor() const { return m_cursor; }
    void SetCursor(TSynCursor v) { Update(m_cursor, v); }
    int DigitCount() const { return m_digitCount; }
    void SetDigitCount(int v);  // kept in 2..12; also resets the fitted digit count
    bool LeadingZeros() const { return m_leadingZeros; }
    void SetLeadingZeros(bool v);
    int LeftOffset() const { return m_leftOffset; }
    void SetLeftOffset(int v);
    int RightOffset() const { return m_rightOffset; }
    void SetRightOffset(int v);
    bool ShowLineNumbers() const { return m_showLineNumbers; }
    void SetShowLineNumbers(bool v);
    bool UseFontStyle() const { return m_useFontStyle; }
    void SetUseFontStyle(bool v);
    bool Visible() const { return m_visible; }
    void SetVisible(bool v);
    int Width() const { return m_width; }
    void SetWidth(int v);
    bool ZeroStart() const { return m_zeroStart; }
    void SetZeroStart(bool v);
    int FittedDigitCount() const { return m_fittedDigits; }

    void Assign(const TSynGutter& source);

    // Pixel width of the gutter for a character width.
    int RealGutterWidth(int charWidth) const;
    // Fits the digit field to the line count, never below DigitCount (with Visible and
    // ShowLineNumbers).
    void AutoSizeDigitCount(int lineCount);
    // The number shown for a 1-based line, right-aligned in the fitted digit field.
    std::string FormatLineNumber(int line) const;

    TChangeEvent OnChange;

  private:
    void Changed();
    template <typename T>
    void Update(T& field, T value) {
        if (field == value) return;
        field = value;
        Changed();
    }

    bool m_autoSize = false;
    TSynColor m_color;
    TSynCursor m_cursor = crDefault;
    int m_digitCount = 4;
    int m_fittedDigits = 4;
    bool m_leadingZeros = false;
    int m_leftOffset = 16;
    int m_rightOffset = 2;
    bool m_showLineNumbers = false;
    bool m_useFontStyle = false;
    bool m_visible = true;
    int m_width = 30;
    bool m_zeroStart = false;
};

class TSynBookMarkOpt {
  public:
    using TChangeEvent = std::function<void(TSynBookMarkOpt* sender)>;

    TSynBookMarkOpt() = default;
    TSynBookMarkOpt(const TSynBookMarkOpt&) = delete;
    TSynBookMarkOpt& operator=(const TSynBookMarkOpt&) = delete;
    ~TSynBookMarkOpt();

    TSynImageList* BookmarkImages() const { return m_images; }
    void SetBookmarkImages(TSynImageList* v);
    bool DrawBookmarksFirst() const { return m_drawFirst; }
    void SetDrawBookmarksFirst(bool v);
    bool EnableKeys() const { return m_enableKeys; }
    void SetEnableKeys(bool v);
    bool GlyphsVisible() const { return m_glyphsVisible; }
    void SetGlyphsVisible(bool v);
    int LeftMargin() const { return m_leftMargin; }
    void SetLeftMargin(int v);
    int Xoffset() const { return m_xoffset; }
    void SetXoffset(int v);

    TChangeEvent OnChange;

  private:
    template <typename T>
    void Update(T& field, T value) {
        if (field == value) return;
        field = value;
        if (OnChange) OnChange(this);
    }

    TSynImageList* m_images = nullptr;
    bool m_drawFirst = true;
    bool m_enableKeys = true;
    bool m_glyphsVisible = true;
    int m_leftMargin = 2;
    int m_xoffset = 12;
};

// An image list the gutter draws bookmark pictures from. The widget side supplies the pictures;
// the logic only needs the count and to hear when the list goes away.
class TSynImageList {
  public:
    virtual ~TSynImageList();
    virtual int Count() const = 0;
    // Called by the list's destructor for every registered listener.
    void AddFreeListener(void* owner, std::function<void()> onFree);
    void RemoveFreeListener(void* owner);

  private:
    struct Listener {
        void* owner;
        std::function<void()> onFree;
    };
    std::vector<Listener> m_listeners;
};
