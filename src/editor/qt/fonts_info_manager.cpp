// The shared font records and their reference and lock counting.
#include "editor/qt/fonts_info_manager.h"

#include <algorithm>

#include "editor/qt/text_drawer_errors.h"

TheFontsInfoManager::~TheFontsInfoManager() {
    // Every editor has gone by now; records still listed are leaks of a user that never gave
    // its font up. They are freed without raising from a destructor.
    m_list.clear();
}

TheSharedFontsInfo* TheFontsInfoManager::GetFontsInfo(const TSynFont* font) {
    SYN_TEXT_DRAWER_ASSERT(font != nullptr);
    const TLogFont lf = NormalisedLogFont(*font);
    for (auto& info : m_list) {
        if (info->BaseLF.SameBytes(lf)) {
            ++info->RefCount;
            return info.get();
        }
    }
    auto info = std::make_unique<TheSharedFontsInfo>();
    info->BaseFont = *font;
    info->BaseLF = lf;
    info->RefCount = 1;
    m_list.push_back(std::move(info));
    return m_list.back().get();
}

void TheFontsInfoManager::ReleaseFontsInfo(TheSharedFontsInfo* info) {
    SYN_TEXT_DRAWER_ASSERT(info != nullptr);
    SYN_TEXT_DRAWER_ASSERT(info->LockCount < info->RefCount,
                           "Call DeactivateFontsInfo before calling this.");
    if (info->RefCount > 1) {
        --info->RefCount;
        return;
    }
    auto it = std::find_if(m_list.begin(), m_list.end(),
                           [info](const auto& p) { return p.get() == info; });
    if (it != m_list.end()) m_list.erase(it);
}

void TheFontsInfoManager::ActivateFontsInfo(TheSharedFontsInfo* info) {
    ++info->LockCount;
}

void TheFontsInfoManager::DeactivateFontsInfo(TheSharedFontsInfo* info) {
    --info->LockCount;
    if (info->LockCount == 0)
        for (auto& data : info->FontsData) data.Handle.reset();
}

TheFontsInfoManager& GetFontsInfoManager() {
    static TheFontsInfoManager manager;
    return manager;
}
