// Gutter and bookmark option setters, width and line-number formatting.
#include "editor/gutter.h"

#include <algorithm>

#include "platform/colors.h"

TSynGutter::TSynGutter() : m_color(clBtnFace) {}

void TSynGutter::Changed() {
    if (OnChange) OnChange(this);
}

void TSynGutter::SetAutoSize(bool v) {
    Update(m_autoSize, v);
}
void TSynGutter::SetColor(TSynColor v) {
    Update(m_color, v);
}
void TSynGutter::SetDigitCount(int v) {
    v = std::clamp(v, 2, 12);
    if (v == m_digitCount) return;
    m_digitCount = v;
    m_fittedDigits = v;
    Changed();
}
void TSynGutter::SetLeadingZeros(bool v) {
    Update(m_leadingZeros, v);
}
void TSynGutter::SetLeftOffset(int v) {
    Update(m_leftOffset, std::max(0, v));
}
void TSynGutter::SetRightOffset(int v) {
    Update(m_rightOffset, std::max(0, v));
}
void TSynGutter::SetShowLineNumbers(bool v) {
    Update(m_showLineNumbers, v);
}
void TSynGutter::SetUseFontStyle(bool v) {
    Update(m_useFontStyle, v);
}
void TSynGutter::SetVisible(bool v) {
    Update(m_visible, v);
}
void TSynGutter::SetWidth(int v) {
    Update(m_width, std::max(0, v));
}
void TSynGutter::SetZeroStart(bool v) {
    Update(m_zeroStart, v);
}

void TSynGutter::Assign(const TSynGutter& source) {
    if (&source == this) return;
    m_autoSize = source.m_autoSize;
    m_color = source.m_color;
    m_cursor = source.m_cursor;
    m_digitCount = source.m_digitCount;
    m_fittedDigits = source.m_fittedDigits;
    m_leadingZeros = source.m_leadingZeros;
    m_leftOffset = source.m_leftOffset;
    m_rightOffset = source.m_rightOffset;
    m_showLineNumbers = source.m_showLineNumbers;
    m_useFontStyle = source.m_useFontStyle;
    m_visible = source.m_visible;
    m_width = source.m_width;
    m_zeroStart = source.m_zeroStart;
    Changed();
}

int TSynGutter::RealGutterWidth(int charWidth) const {
    if (!m_visible) return 0;
    if (m_showLineNumbers) return m_leftOffset + m_rightOffset + charWidth * m_fittedDigits + 2;
    return m_width;
}

void TSynGutter::AutoSizeDigitCount(int lineCount) {
    // The field always takes the digits the last line needs: a number cut short by the text
    // area would read as a wrong line number.
    if (m_visible && m_showLineNumbers) {
        int shown = m_zeroStart ? lineCount - 1 : lineCount;
        int digits = std::max(static_cast<int>(std::to_string(shown).size()), m_digitCount);
        if (digits != m_fittedDigits) {
            m_fittedDigits = digits;
            Changed();
        }
    } else {
        m_fittedDigits = m_digitCount;
    }
}

std::string TSynGutter::FormatLineNumber(int line) const {
    std::string number = std::to_string(m_zeroStart ? line - 1 : line);
    int pad = m_fittedDigits - static_cast<int>(number.size());
    if (pad <= 0) return number;
    std::string field(static_cast<size_t>(pad), ' ');
    field += number;
    if (m_leadingZeros) {
        // Every leading blank becomes a zero except the field's last character.
        for (int i = 0; i < pad && i < m_fittedDigits - 1; ++i) field[i] = '0';
    }
    return field;
}

TSynBookMarkOpt::~TSynBookMarkOpt() {
    if (m_images) m_images->RemoveFreeListener(this);
}

void TSynBookMarkOpt::SetBookmarkImages(TSynImageList* v) {
    if (v == m_images) return;
    if (m_images) m_images->RemoveFreeListener(this);
    m_images = v;
    if (m_images)
        m_images->AddFreeListener(this, [this] {
            m_images = nullptr;
            if (OnChange) OnChange(this);
        });
    if (OnChange) OnChange(this);
}
void TSynBookMarkOpt::SetDrawBookmarksFirst(bool v) {
    Update(m_drawFirst, v);
}
void TSynBookMarkOpt::SetEnableKeys(bool v) {
    Update(m_enableKeys, v);
}
void TSynBookMarkOpt::SetGlyphsVisible(bool v) {
    Update(m_glyphsVisible, v);
}
void TSynBookMarkOpt::SetLeftMargin(int v) {
    Update(m_leftMargin, v);
}
void TSynBookMarkOpt::SetXoffset(int v) {
    Update(m_xoffset, v);
}

TSynImageList::~TSynImageList() {
    auto listeners = std::move(m_listeners);
    for (auto& l : listeners) l.onFree();
}

void TSynImageList::AddFreeListener(void* owner, std::function<void()> onFree) {
    m_listeners.push_back({owner, std::move(onFree)});
}

void TSynImageList::RemoveFreeListener(void* owner) {
    std::erase_if(m_listeners, [owner](const Listener& l) { return l.owner == owner; });
}
