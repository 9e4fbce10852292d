// Binding items and the binding table: shortcut properties with their duplicate check, copying
// and look-up.
#include "editor/key_strokes.h"

#include <string>

namespace {

// Name of an item whose display text would otherwise be empty.
constexpr const char* kDefaultItemName = "TSynEditKeyStroke";

}  // namespace

bool TSynEditKeyStroke::PairTaken(TShortCut first, TShortCut second) const {
    if (m_collection == nullptr) return false;
    for (int i = 0; i < m_collection->Count(); ++i) {
        const TSynEditKeyStroke& other = m_collection->Items(i);
        if (&other != this && other.ShortCut() == first && other.ShortCut2() == second) return true;
    }
    return false;
}

void TSynEditKeyStroke::SetShortCut(TShortCut value) {
    if (value != 0 && PairTaken(value, ShortCut2())) throw ESynKeyError("Shortcut already exists");
    ShortCutToKey(value, m_key, m_shift);
}

void TSynEditKeyStroke::SetShortCut2(TShortCut value) {
    if (value != 0 && PairTaken(ShortCut(), value)) throw ESynKeyError("Shortcut already exists");
    ShortCutToKey(value, m_key2, m_shift2);
}

void TSynEditKeyStroke::Assign(const TSynEditKeyStroke& source) {
    m_command = source.m_command;
    m_key = source.m_key;
    m_key2 = source.m_key2;
    m_shift = source.m_shift;
    m_shift2 = source.m_shift2;
}

std::string TSynEditKeyStroke::DisplayName() const {
    std::string name = EditorCommandToName(m_command) + " - " + ShortCutToText(ShortCut());
    // The second key's text follows whenever the first key is set, even when it is empty.
    if (ShortCut() != 0) name += " " + ShortCutToText(ShortCut2());
    return name.empty() ? kDefaultItemName : name;
}

int TSynEditKeyStroke::Index() const {
    if (m_collection == nullptr) return -1;
    for (int i = 0; i < m_collection->Count(); ++i) {
        if (&m_collection->Items(i) == this) return i;
    }
    return -1;
}

TSynEditKeyStroke& TSynEditKeyStrokes::Add() {
    m_items.push_back(std::make_unique<TSynEditKeyStroke>(this));
    return *m_items.back();
}

TSynEditKeyStroke& TSynEditKeyStrokes::Items(int index) {
    if (index < 0 || index >= Count())
        throw std::out_of_range("Key binding index out of range: " + std::to_string(index));
    return *m_items[static_cast<std::size_t>(index)];
}

const TSynEditKeyStroke& TSynEditKeyStrokes::Items(int index) const {
    return const_cast<TSynEditKeyStrokes*>(this)->Items(index);
}

void TSynEditKeyStrokes::Delete(int index) {
    Items(index);  // range check
    m_items.erase(m_items.begin() + index);
}

void TSynEditKeyStrokes::Assign(const TSynEditKeyStrokes& source) {
    if (&source == this) return;
    Clear();
    for (const auto& item : source.m_items) Add().Assign(*item);
}

int TSynEditKeyStrokes::FindKeycode(TVirtualKey key, TShiftState shift) const {
    for (int i = 0; i < Count(); ++i) {
        const TSynEditKeyStroke& item = *m_items[static_cast<std::size_t>(i)];
        if (item.Key() == key && item.Shift() == shift && item.Key2() == 0) return i;
    }
    return -1;
}

int TSynEditKeyStrokes::FindKeycode2(TVirtualKey key, TShiftState shift, TVirtualKey key2,
                                     TShiftState shift2) const {
    for (int i = 0; i < Count(); ++i) {
        const TSynEditKeyStroke& item = *m_items[static_cast<std::size_t>(i)];
        if (item.Key() == key && item.Shift() == shift && item.Key2() == key2 &&
            item.Shift2() == shift2)
            return i;
    }
    return -1;
}

int TSynEditKeyStrokes::FindCommand(TSynEditorCommand command) const {
    for (int i = 0; i < Count(); ++i) {
        if (m_items[static_cast<std::size_t>(i)]->Command() == command) return i;
    }
    return -1;
}

void TSynEditKeyStrokes::ResetDefaults() {
    Clear();
    for (const TSynDefaultKeyStroke& binding : DefaultKeyStrokes()) {
        TSynEditKeyStroke& item = Add();
        item.SetCommand(binding.Command);
        // The defaults hold no duplicates, and a fresh table has nothing to collide with: the
        // keys are written without the check, which compares with every item before (every
        // editor made the table, so opening a thousand files did it a thousand times).
        TVirtualKey key = 0;
        TShiftState shift = 0;
        ShortCutToKey(binding.ShortCut, key, shift);
        item.SetKey(key);
        item.SetShift(shift);
    }
}
