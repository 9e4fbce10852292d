// Key bindings of an editor: items binding one key (optionally followed by a second key) to an
// editor command, and the ordered table of them that every editor owns.
#pragma once

#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "editor/editor_commands.h"
#include "platform/keys.h"

// A binding error, such as a shortcut that the table already holds.
class ESynKeyError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class TSynEditKeyStrokes;

class TSynEditKeyStroke {
  public:
    // An item of `collection` (not added to it: TSynEditKeyStrokes::Add does that), or a free
    // item, which has nothing to conflict with, when `collection` is null.
    explicit TSynEditKeyStroke(TSynEditKeyStrokes* collection = nullptr)
        : m_collection(collection) {}
    TSynEditKeyStroke(const TSynEditKeyStroke&) = delete;
    TSynEditKeyStroke& operator=(const TSynEditKeyStroke&) = delete;

    TVirtualKey Key() const { return m_key; }
    TShiftState Shift() const { return m_shift; }
    TVirtualKey Key2() const { return m_key2; }
    TShiftState Shift2() const { return m_shift2; }
    // Direct field writes, without the duplicate check of the shortcut properties.
    void SetKey(TVirtualKey key) { m_key = key; }
    void SetShift(TShiftState shift) { m_shift = shift; }
    void SetKey2(TVirtualKey key) { m_key2 = key; }
    void SetShift2(TShiftState shift) { m_shift2 = shift; }

    TSynEditorCommand Command() const { return m_command; }
    void SetCommand(TSynEditorCommand command) { m_command = command; }

    TShortCut ShortCut() const { return ::ShortCut(m_key, m_shift); }
    TShortCut ShortCut2() const { return ::ShortCut(m_key2, m_shift2); }
    // Raise ESynKeyError "Shortcut already exists", leaving the item as it was, when another
    // item of the table has the same pair of shortcuts; 0 never conflicts.
    void SetShortCut(TShortCut value);
    void SetShortCut2(TShortCut value);

    // Copies command, keys and shifts; no duplicate check.
    void Assign(const TSynEditKeyStroke& source);

    // "ecUp - Up " style text for lists of bindings.
    std::string DisplayName() const;

    TSynEditKeyStrokes* Collection() const { return m_collection; }
    // Position in the table; -1 for a free item.
    int Index() const;

  private:
    // True when another item of the table is bound to the pair (first, second).
    bool PairTaken(TShortCut first, TShortCut second) const;

    TVirtualKey m_key = 0;
    TShiftState m_shift = 0;
    TVirtualKey m_key2 = 0;
    TShiftState m_shift2 = 0;
    TSynEditorCommand m_command = ecNone;
    TSynEditKeyStrokes* m_collection;
};

class TSynEditKeyStrokes {
  public:
    TSynEditKeyStrokes() = default;
    TSynEditKeyStrokes(const TSynEditKeyStrokes&) = delete;
    TSynEditKeyStrokes& operator=(const TSynEditKeyStrokes&) = delete;

    // Appends an empty item (command ecNone, no keys) and returns it.
    TSynEditKeyStroke& Add();
    int Count() const { return static_cast<int>(m_items.size()); }
    // Items by index; throws std::out_of_range for a bad index.
    TSynEditKeyStroke& Items(int index);
    const TSynEditKeyStroke& Items(int index) const;
    TSynEditKeyStroke& operator[](int index) { return Items(index); }
    const TSynEditKeyStroke& operator[](int index) const { return Items(index); }
    void Delete(int index);
    void Clear() { m_items.clear(); }

    // Replaces every item with a copy of the source's items, in order.
    void Assign(const TSynEditKeyStrokes& source);

    // Index of the first one-key binding (key 2 = 0) of key with shift; -1 when none.
    int FindKeycode(TVirtualKey key, TShiftState shift) const;
    // Index of the first binding of the two-key sequence; -1 when none.
    int FindKeycode2(TVirtualKey key, TShiftState shift, TVirtualKey key2,
                     TShiftState shift2) const;
    // Index of the first item bound to the command; -1 when none.
    int FindCommand(TSynEditorCommand command) const;

    // Clears the table and appends the default bindings in order.
    void ResetDefaults();

    // Turns a key press into a command. `lastKey`/`lastShift` are the caller's memory of the
    // last unmatched key (both 0 at start): a press that matches nothing and may start a
    // two-key sequence is remembered there, any other press clears it. ecNone when unbound.
    TSynEditorCommand TranslateKey(TVirtualKey key, TShiftState shift, TVirtualKey& lastKey,
                                   TShiftState& lastShift) const;

  private:
    std::vector<std::unique_ptr<TSynEditKeyStroke>> m_items;
};

struct TSynDefaultKeyStroke {
    TSynEditorCommand Command;
    TShortCut ShortCut;
};

// The default bindings (80 one-key items) in the order ResetDefaults appends them.
std::span<const TSynDefaultKeyStroke> DefaultKeyStrokes();
