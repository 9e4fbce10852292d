// The program-wide highlighter class list and its counted start-up and shutdown.
#include "highlight/syn_highlighter_list.h"

#include <algorithm>

namespace {

// Both are zero before any dynamic initialisation runs, so highlighters may register from their
// own start-up objects in any order.
TSynHighlighterList* g_highlighters = nullptr;
int g_startupCount = 0;

// Starts the framework as the program loads and shuts it down as it ends.
struct FrameworkLifetime {
    FrameworkLifetime() { HighlighterFrameworkStartup(); }
    ~FrameworkLifetime() { HighlighterFrameworkShutdown(); }
} g_frameworkLifetime;

}  // namespace

const TSynHighlighterClass* TSynHighlighterList::Items(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return m_classes[static_cast<std::size_t>(index)];
}

const TSynHighlighterClass* TSynHighlighterList::FindByName(const std::string& className) const {
    for (const TSynHighlighterClass* c : m_classes)
        if (c->className == className) return c;
    return nullptr;
}

void TSynHighlighterList::Add(const TSynHighlighterClass* highlighterClass) {
    if (std::find(m_classes.begin(), m_classes.end(), highlighterClass) == m_classes.end())
        m_classes.push_back(highlighterClass);
}

void HighlighterFrameworkStartup() {
    if (g_startupCount++ == 0) g_highlighters = new TSynHighlighterList();
}

void HighlighterFrameworkShutdown() {
    if (g_startupCount > 0 && --g_startupCount == 0) {
        delete g_highlighters;
        g_highlighters = nullptr;
    }
}

TSynHighlighterList* GetPlaceableHighlighters() {
    return g_highlighters;
}

void RegisterHighlighterClass(const TSynHighlighterClass* highlighterClass) {
    if (g_highlighters) g_highlighters->Add(highlighterClass);
}
