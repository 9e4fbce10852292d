// Highlighter attributes: change reporting, assignment and registry-style persistence.
#include "highlight/syn_highlighter_attributes.h"

#include "highlight/better_registry.h"

TSynHighlighterAttributes::TSynHighlighterAttributes(std::string name) : m_name(std::move(name)) {}

void TSynHighlighterAttributes::SetBackground(TColor value) {
    if (m_background == value) return;
    m_background = value;
    Changed();
}

void TSynHighlighterAttributes::SetForeground(TColor value) {
    if (m_foreground == value) return;
    m_foreground = value;
    Changed();
}

void TSynHighlighterAttributes::SetStyle(TFontStyles value) {
    if (m_style == value) return;
    m_style = value;
    Changed();
}

void TSynHighlighterAttributes::Assign(const TSynPersistent* source) {
    const auto* src = dynamic_cast<const TSynHighlighterAttributes*>(source);
    if (!src) AssignError(source);
    m_name = src->m_name;
    bool changed = m_background != src->m_background || m_foreground != src->m_foreground ||
                   m_style != src->m_style;
    m_background = src->m_background;
    m_foreground = src->m_foreground;
    m_style = src->m_style;
    if (changed) Changed();
}

void TSynHighlighterAttributes::InternalSaveDefaultValues() {
    m_backgroundDefault = m_background;
    m_foregroundDefault = m_foreground;
    m_styleDefault = m_style;
}

void TSynHighlighterAttributes::Changed() {
    if (m_onChange) m_onChange(this);
}

bool TSynHighlighterAttributes::LoadFromRegistry(TBetterRegistry& reg) {
    if (reg.ValueExists("Background")) SetBackground(reg.ReadInteger("Background"));
    if (reg.ValueExists("Foreground")) SetForeground(reg.ReadInteger("Foreground"));
    if (reg.ValueExists("Style")) {
        // Each flag is a separate write, so a change handler may hear of several changes.
        std::int32_t bits = reg.ReadInteger("Style");
        SetStyle((bits & 1) ? fsBold : 0);
        if (bits & 2) SetStyle(m_style | fsItalic);
        if (bits & 4) SetStyle(m_style | fsUnderline);
        if (bits & 8) SetStyle(m_style | fsStrikeOut);
    }
    return true;
}

bool TSynHighlighterAttributes::SaveToRegistry(TBetterRegistry& reg) {
    reg.WriteInteger("Background", m_background);
    reg.WriteInteger("Foreground", m_foreground);
    reg.WriteInteger("Style", m_style & (fsBold | fsItalic | fsUnderline | fsStrikeOut));
    return true;
}
