// Style variant selection through the shared fonts info record.
#include "editor/qt/font_stock.h"

#include "editor/qt/text_drawer_errors.h"

TheFontStock::TheFontStock(const TSynFont* baseFont) {
    SetBaseFont(baseFont);
}

TheFontStock::~TheFontStock() {
    ReleaseFontsInfo();
}

void TheFontStock::ReleaseFontsInfo() {
    if (m_fontsInfo == nullptr) return;
    ReleaseFontHandles();
    GetFontsInfoManager().ReleaseFontsInfo(m_fontsInfo);
    m_fontsInfo = nullptr;
    m_currentFontData = nullptr;
}

void TheFontStock::SetBaseFont(const TSynFont* font) {
    if (font == nullptr) throw EheFontStockException("SetBaseFont: 'Value' must be specified.");
    TheFontsInfoManager& manager = GetFontsInfoManager();
    TheSharedFontsInfo* info = manager.GetFontsInfo(font);
    if (info == m_fontsInfo) {
        manager.ReleaseFontsInfo(info);
        return;
    }
    ReleaseFontsInfo();
    m_fontsInfo = info;
    m_baseLF = info->BaseLF;
    SelectStyle(font->Style);
}

TheFontData* TheFontStock::FontDataFor(int styleIndex) {
    return &m_fontsInfo->FontsData[styleIndex];
}

void TheFontStock::SelectStyle(std::uint8_t style) {
    SYN_TEXT_DRAWER_ASSERT(style <= 16);
    if (!m_usingFontHandles) {
        GetFontsInfoManager().ActivateFontsInfo(m_fontsInfo);
        m_usingFontHandles = true;
    }
    TheFontData* data = FontDataFor(style);
    if (data == m_currentFontData) return;
    m_currentFontData = data;
    if (!data->Handle) {
        data->Handle = CreateStyledFont(style);
        data->CharAdvance = data->Handle->MeasureAdvance();
        data->CharHeight = data->Handle->MeasureHeight();
        data->DBCharAdvance = 0;
    }
}

std::unique_ptr<TheFontHandle> TheFontStock::CreateStyledFont(std::uint8_t style) {
    m_baseLF.lfWeight = (style & TSynFont::fsBold) ? FW_BOLD : FW_NORMAL;
    m_baseLF.lfItalic = (style & TSynFont::fsItalic) ? 1 : 0;
    m_baseLF.lfUnderline = (style & TSynFont::fsUnderline) ? 1 : 0;
    m_baseLF.lfStrikeOut = (style & TSynFont::fsStrikeOut) ? 1 : 0;
    return std::make_unique<TheFontHandle>(m_baseLF);
}

void TheFontStock::ReleaseFontHandles() {
    if (!m_usingFontHandles) return;
    GetFontsInfoManager().DeactivateFontsInfo(m_fontsInfo);
    m_usingFontHandles = false;
    // The variants may be deleted now; the next selection creates or finds them again instead
    // of keeping a handle that no longer exists.
    m_currentFontData = nullptr;
}

int TheFontStock::CharAdvance() const {
    return m_currentFontData ? m_currentFontData->CharAdvance : 0;
}
int TheFontStock::CharHeight() const {
    return m_currentFontData ? m_currentFontData->CharHeight : 0;
}
int TheFontStock::DoubleByteAdvance() const {
    return m_currentFontData ? m_currentFontData->DBCharAdvance : 0;
}
