// Base behaviour shared by all highlighters.
#include "highlight/syn_custom_highlighter.h"

#include <algorithm>
#include <typeinfo>

#include "highlight/better_registry.h"
#include "highlight/highlighter_errors.h"

TSynCustomHighlighter::TSynCustomHighlighter() : m_attributeChangeChain(this) {}

TSynCustomHighlighter::~TSynCustomHighlighter() {
    auto listeners = std::move(m_freeNotifications);
    for (auto& listener : listeners) listener.second();
    // Attributes go from the last to the first, as they were registered.
    while (!m_attributes.empty()) m_attributes.pop_back();
}

void TSynCustomHighlighter::AddFreeNotification(const void* owner, std::function<void()> onFree) {
    RemoveFreeNotification(owner);
    m_freeNotifications.emplace_back(owner, std::move(onFree));
}

void TSynCustomHighlighter::RemoveFreeNotification(const void* owner) {
    std::erase_if(m_freeNotifications, [owner](const auto& entry) { return entry.first == owner; });
}

int TSynCustomHighlighter::AttributeCount() const {
    return static_cast<int>(m_attributes.size());
}

TSynHighlighterAttributes* TSynCustomHighlighter::AttributeAt(int index) const {
    if (index < 0 || index >= AttributeCount()) return nullptr;
    return m_attributes[static_cast<std::size_t>(index)].get();
}

std::string TSynCustomHighlighter::DefaultFilter() const {
    return m_defaultFilter;
}

TSynIdentChars TSynCustomHighlighter::IdentifierChars() const {
    TSynIdentChars chars;
    for (int c = 33; c <= 255; ++c) chars.set(static_cast<std::size_t>(c));
    return chars;
}

std::string TSynCustomHighlighter::AuxText() const {
    return std::string();
}

bool TSynCustomHighlighter::DefaultFilterStored() const {
    return true;
}

void TSynCustomHighlighter::SetDefaultFilter(const std::string& value) {
    m_defaultFilter = value;
}

void TSynCustomHighlighter::SetAuxText(const std::string&) {}

TSynHighlighterCapabilities TSynCustomHighlighter::Capabilities() const {
    return capRegistry;
}

std::string TSynCustomHighlighter::LanguageName() const {
    return "<Unknown>";
}

std::int32_t TSynCustomHighlighter::RangeState() const {
    return 0;
}

bool TSynCustomHighlighter::UnusedQuery() const {
    return false;
}

void TSynCustomHighlighter::SetRangeState(std::int32_t) {}

void TSynCustomHighlighter::ResetRangeState() {}

bool TSynCustomHighlighter::ImportSettings(int) {
    return false;
}

void TSynCustomHighlighter::ListImportSettings(std::vector<std::string>& settings) {
    settings.clear();
}

bool TSynCustomHighlighter::LoadFromRegistryKey(TSettingsStore& rootKey, std::string_view keyPath) {
    TBetterRegistry reg(rootKey);
    if (!reg.OpenKeyReadOnly(keyPath)) return false;
    bool ok = true;
    for (int i = 0; ok && i < AttributeCount(); ++i) {
        std::string saved = reg.CurrentPath();
        TSynHighlighterAttributes* attribute = AttributeAt(i);
        ok = reg.OpenKeyReadOnly(attribute->Name()) && attribute->LoadFromRegistry(reg);
        if (ok) reg.OpenKeyReadOnly("\\" + saved);
    }
    return ok;
}

bool TSynCustomHighlighter::SaveToRegistryKey(TSettingsStore& rootKey, std::string_view keyPath) {
    TBetterRegistry reg(rootKey);
    if (!reg.OpenKey(keyPath, true)) return false;
    bool ok = true;
    for (int i = 0; ok && i < AttributeCount(); ++i) {
        std::string saved = reg.CurrentPath();
        TSynHighlighterAttributes* attribute = AttributeAt(i);
        ok = reg.OpenKey(attribute->Name(), true) && attribute->SaveToRegistry(reg);
        if (ok) reg.OpenKey("\\" + saved, false);
    }
    return ok;
}

void TSynCustomHighlighter::Assign(const TSynPersistent* source) {
    const auto* src = dynamic_cast<const TSynCustomHighlighter*>(source);
    if (!src) AssignError(source);
    for (const auto& own : m_attributes) {
        for (int j = 0; j < src->AttributeCount(); ++j) {
            TSynHighlighterAttributes* theirs = src->AttributeAt(j);
            if (theirs->Name() == own->Name()) own->Assign(theirs);
        }
    }
    if (IsSameClassOrDescendant(*src)) SetAuxText(src->AuxText());
}

bool TSynCustomHighlighter::IsSameClassOrDescendant(const TSynCustomHighlighter& source) const {
    return typeid(source) == typeid(*this);
}

void TSynCustomHighlighter::NotifyAttributesChanged() {
    m_attributeChangeChain.Fire();
}

void TSynCustomHighlighter::HookAttributesChanged(TSynNotifyEventChain::TNotifyEvent handler,
                                                  const void* editor) {
    m_attributeChangeChain.Add(std::move(handler), editor);
}

void TSynCustomHighlighter::UnhookAttributesChanged(
    const TSynNotifyEventChain::TNotifyEvent& handler, const void* editor) {
    m_attributeChangeChain.Remove(handler, editor);
}

void TSynCustomHighlighter::ScanToLineEnd() {
    while (!AtLineEnd()) NextToken();
}

void TSynCustomHighlighter::ScanTo(std::size_t offset) {
    while (!AtLineEnd() && static_cast<std::size_t>(TokenStart()) + TokenText().size() <= offset)
        NextToken();
}

void TSynCustomHighlighter::ResumeLine(std::string_view lineText, int lineIndex,
                                       const TSynScanPoint& point) {
    // Without a resume of its own, a scanner gets there by scanning.
    SetRangeState(point.range);
    StartLine(lineText, lineIndex);
    while (!AtLineEnd() && static_cast<std::size_t>(TokenStart()) < point.tokenPos) NextToken();
}

TSynHighlighterAttributes* TSynCustomHighlighter::AddAttribute(
    std::unique_ptr<TSynHighlighterAttributes> attribute) {
    auto position = std::lower_bound(m_attributes.begin(), m_attributes.end(), attribute->Name(),
                                     [](const std::unique_ptr<TSynHighlighterAttributes>& a,
                                        const std::string& name) { return a->Name() < name; });
    if (position != m_attributes.end() && (*position)->Name() == attribute->Name())
        throw ESynAttributeListError("String list does not allow duplicates");
    return m_attributes.insert(position, std::move(attribute))->get();
}

void TSynCustomHighlighter::SetAttributesChangeHandler(
    const TSynHighlighterAttributes::TChangeHandler& handler) {
    for (std::size_t i = m_attributes.size(); i-- > 0;) {
        m_attributes[i]->SetOnChange(handler);
        m_attributes[i]->InternalSaveDefaultValues();
    }
}
