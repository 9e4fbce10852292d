// The two forms of a chunk of the line store (at most 1024 lines each).
//
// A packed chunk holds lines appended whose texts follow one another in memory (a file's lines
// in the reader's block, separated by their line breaks), at about one and a half bytes per line
// beside the text: one byte of length, half a byte of range state, and every 32nd line's offset
// from the chunk's first text. It never changes shape: a line whose text changes is listed with
// its new text (up to half the chunk's lines); anything else turns it into a loose chunk.
//
// A loose chunk holds one 16-byte record per line, plus per-line objects once any line has one.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>
#include <utility>
#include <vector>

#include "editor/owned_text.h"
#include "editor/string_rec.h"

inline constexpr int kLineChunkSize = 1024;

// (line within the chunk, value) pairs sorted by line: the exceptions of a packed chunk.
template <typename T>
using TChunkExceptions = std::vector<std::pair<std::uint16_t, T>>;

class TLooseChunk {
  public:
    TLooseChunk() = default;
    // `count` lines of the text `rec` describes, which must not be owned.
    TLooseChunk(int count, const TSynEditStringRec& rec) : m_records(count, rec) {}
    // The records own their texts where marked: they are freed with the chunk.
    explicit TLooseChunk(std::vector<TSynEditStringRec> records) : m_records(std::move(records)) {}
    ~TLooseChunk() { FreeOwned(0, Count()); }
    TLooseChunk(TLooseChunk&&) noexcept = default;
    TLooseChunk& operator=(TLooseChunk&& other) noexcept {
        TLooseChunk gone(std::move(*this));
        m_records = std::move(other.m_records);
        m_objects = std::move(other.m_objects);
        return *this;
    }
    TLooseChunk(const TLooseChunk&) = delete;
    TLooseChunk& operator=(const TLooseChunk&) = delete;

    int Count() const { return static_cast<int>(m_records.size()); }
    const TSynEditStringRec& At(int k) const { return m_records[k]; }
    std::string_view Text(int k) const { return {m_records[k].text, m_records[k].length}; }
    void SetRange(int k, std::int32_t range) { m_records[k].range = range; }
    bool HasObjects() const { return !m_objects.empty(); }
    std::intptr_t Object(int k) const { return m_objects.empty() ? 0 : m_objects[k]; }
    void SetObject(int k, std::intptr_t object);

    void Reserve(int count) { m_records.reserve(count); }
    // Appends or inserts before line k a record, taking over its text when it is owned; when
    // they throw, the chunk is as it was and the text still the caller's.
    void Append(const TSynEditStringRec& rec, std::intptr_t object);
    void Insert(int k, const TSynEditStringRec& rec, std::intptr_t object);
    // Gives line k the text (taken over) and returns the owned text it had, if any.
    TOwnedText SetText(int k, TOwnedText text);
    // TOwnedText::Splice on line k's text when the chunk owns it; false otherwise.
    bool SpliceOwned(int k, std::size_t at, std::size_t removed, std::string_view middle,
                     std::size_t tail);
    // Removes lines [k, k + n), freeing their owned texts.
    void Erase(int k, int n);
    // Lines k.. move, with their texts, to the chunk returned.
    TLooseChunk SplitOff(int k);
    // Appends every line of `other`, which is left empty.
    void Absorb(TLooseChunk&& other);
    static void Swap(TLooseChunk& a, int ka, TLooseChunk& b, int kb);
    // Line k's record, its text (when owned) now the caller's to hand on.
    TSynEditStringRec Release(int k) {
        const TSynEditStringRec rec = m_records[k];
        m_records[k].owned = 0;
        return rec;
    }

  private:
    friend class TSynEditInvariants;

    void FreeOwned(int from, int to);
    void EnsureObjects() {
        if (m_objects.empty()) m_objects.assign(m_records.size(), 0);
    }

    std::vector<TSynEditStringRec> m_records;
    std::vector<std::intptr_t> m_objects;  // empty, or one per record
};

class TPackedChunk {
  public:
    // A packed chunk lists at most this many changed texts; one more turns it loose.
    static constexpr std::size_t kMaxEdited = kLineChunkSize / 2;

    int Count() const { return static_cast<int>(m_texts.lengths.size()); }
    // Appends the line when it can be packed here (not owned, its text lying after the
    // previous line's in memory, the chunk not full).
    bool TryAppend(const TSynEditStringRec& rec);

    std::uint32_t Length(int k) const {
        const std::uint8_t code = m_texts.lengths[k];
        return code != kBigLength ? code : ListedLength(k);
    }
    // Where line k's packed text starts, from the first text, found from the nearest stored
    // offset; OffsetAfter gives the next line's from line k's.
    std::uint32_t Offset(int k) const;
    std::uint32_t OffsetAfter(int k, std::uint32_t offset) const {
        return offset + Length(k) + Gap(k);
    }
    // The text line k had when it was packed, given its offset.
    std::string_view PackedText(int k, std::uint32_t offset) const {
        return {m_texts.base + offset, Length(k)};
    }

    std::int32_t Range(int k) const {
        if (m_ranges.codes.empty()) return -1;
        const int code = (m_ranges.codes[k >> 1] >> ((k & 1) * 4)) & 15;
        return code != kBigRange ? code - 1 : ListedRange(k);
    }
    void SetRange(int k, std::int32_t range) {
        // Fast path: a small state replacing a small state.
        const auto code = static_cast<std::uint32_t>(range + 1);
        if (code < kBigRange && !m_ranges.codes.empty()) {
            std::uint8_t& pair = m_ranges.codes[k >> 1];
            const int shift = (k & 1) * 4;
            if (((pair >> shift) & 15) != kBigRange) {
                pair = static_cast<std::uint8_t>((pair & ~(15 << shift)) | (code << shift));
                return;
            }
        }
        SetRangeSlow(k, range);
    }
    // For a walk that sets the states of many lines in a row: the codes, made when missing,
    // for the walk to hold in a register, and SetRange through them.
    std::uint8_t* RangeCodes() {
        if (m_ranges.codes.empty()) m_ranges.codes.assign(kLineChunkSize / 2, 0);
        return m_ranges.codes.data();
    }
    void SetRange(std::uint8_t* codes, int k, std::int32_t range) {
        const auto code = static_cast<std::uint32_t>(range + 1);
        const int shift = (k & 1) * 4;
        std::uint8_t& pair = codes[k >> 1];
        if (code < kBigRange && ((pair >> shift) & 15) != kBigRange)
            pair = static_cast<std::uint8_t>((pair & ~(15 << shift)) | (code << shift));
        else
            SetRangeSlow(k, range);
    }

    // The position of line k's changed text in the list, or -1. `hint` is the position found
    // last, a guess checked before use: look-ups mostly follow one another line by line.
    std::ptrdiff_t EditedAt(int k, std::size_t& hint) const {
        // Inline fast path: most lines have no change listed after them in their chunk.
        if (m_edited.empty() || m_edited.back().first < k) return -1;
        return EditedBefore(k, hint);
    }
    const TOwnedText& EditedText(std::ptrdiff_t at) const {
        return m_edited[static_cast<std::size_t>(at)].second;
    }
    TOwnedText& EditedText(std::ptrdiff_t at) {
        return m_edited[static_cast<std::size_t>(at)].second;
    }
    bool HasEdited() const { return !m_edited.empty(); }
    // Gives line k the changed text and returns the one listed before (empty when it had
    // none); false, with `text` untouched, when the list is full (or on throwing, out of
    // memory). `hint` as for EditedAt: an
    // undo walking up the lines finds each listed line a step from the one before.
    bool SetEdited(int k, TOwnedText& text, TOwnedText& old, std::size_t& hint);

    // Whether the packed texts hold no tab, so their lengths are their measured lengths.
    bool WithoutTabs() const;
    // Tells that the packed texts hold no tab (their reader saw none), so WithoutTabs need not
    // read them; a line appended later makes it read them again.
    void KnowWithoutTabs() { m_knownWithoutTabs = true; }
    std::int32_t LongestPacked() const;
    // The chunk as records, with the changed texts owned by them.
    TLooseChunk Loosen() &&;

    // Reads the lines one after another from a given line on. The chunk's arrays are held in
    // the cursor, which the callers' callbacks cannot change, so they stay in registers.
    class TCursor {
      public:
        // Inline, so the cursor's fields stay values the compiler keeps in registers through
        // the callers' loops.
        TCursor(const TPackedChunk& chunk, int k)
            : m_base(chunk.m_texts.base),
              m_lengths(chunk.m_texts.lengths.data()),
              m_usualGap(chunk.m_texts.gap),
              m_gap(chunk.m_texts.gaps.data()),
              m_gapsEnd(m_gap + chunk.m_texts.gaps.size()),
              m_edited(chunk.m_edited.data()),
              m_editedEnd(m_edited + chunk.m_edited.size()),
              m_position(k < chunk.Count() ? chunk.Offset(k) : 0) {
            while (m_gap != m_gapsEnd && m_gap->first < k) ++m_gap;
            while (m_edited != m_editedEnd && m_edited->first < k) ++m_edited;
        }
        // The text of line k of `chunk` (the cursor's), the line after the one read before,
        // and whether it is a changed text (one not in the packed texts). The chunk is passed
        // in rather than held, which leaves one register more to the callers' loops.
        std::string_view Next(const TPackedChunk& chunk, int k, bool& owned) {
            const std::uint32_t length =
                m_lengths[k] != kBigLength ? m_lengths[k] : chunk.ListedLength(k);
            std::string_view text(m_base + m_position, length);
            owned = false;
            if (m_edited != m_editedEnd && m_edited->first == k) {
                text = m_edited->second.View();
                owned = !text.empty();
                ++m_edited;
            }
            std::uint32_t step = m_usualGap;
            if (m_gap != m_gapsEnd && m_gap->first == k) step = (m_gap++)->second;
            m_position += length + step;
            return text;
        }

        // Whether no line from here on has a changed text or a break of its own: the lines
        // then follow with NextPlain, a shorter step that callers give a loop of its own.
        bool Plain() const { return m_gap == m_gapsEnd && m_edited == m_editedEnd; }
        std::string_view NextPlain(const TPackedChunk& chunk, int k) {
            const std::uint32_t length =
                m_lengths[k] != kBigLength ? m_lengths[k] : chunk.ListedLength(k);
            const std::string_view text(m_base + m_position, length);
            m_position += length + m_usualGap;
            return text;
        }

      private:
        const char* const m_base;
        const std::uint8_t* const m_lengths;
        const std::uint32_t m_usualGap;
        const std::pair<std::uint16_t, std::uint32_t>* m_gap;
        const std::pair<std::uint16_t, std::uint32_t>* const m_gapsEnd;
        const std::pair<std::uint16_t, TOwnedText>* m_edited;
        const std::pair<std::uint16_t, TOwnedText>* const m_editedEnd;
        std::uint32_t m_position;
    };

  private:
    friend class TSynEditInvariants;

    static constexpr int kAnchorShift = 5;  // a stored offset every 32 lines
    static constexpr std::uint8_t kBigLength = 255;
    static constexpr std::uint8_t kBigRange = 15;

    std::uint32_t ListedLength(int k) const;
    std::uint32_t Gap(int k) const { return m_texts.gaps.empty() ? m_texts.gap : ListedGap(k); }
    std::uint32_t ListedGap(int k) const;
    std::int32_t ListedRange(int k) const;
    void SetRangeSlow(int k, std::int32_t range);
    std::ptrdiff_t EditedBefore(int k, std::size_t& hint) const;

    // Line k's text starts `offset(k)` bytes after `base`, where offset(k+1) = offset(k) +
    // length(k) + gap(k) and the gap (the line break) is `gap` unless listed.
    struct TTexts {
        const char* base = nullptr;
        std::vector<std::uint8_t> lengths;  // kBigLength: see bigLengths
        TChunkExceptions<std::uint32_t> bigLengths;
        TChunkExceptions<std::uint32_t> gaps;  // gap after the line where it is not `gap`
        std::vector<std::uint32_t> anchors;    // offset of lines 0, 32, 64, ...
        std::uint32_t end = 0;                 // offset just past the last line's text
        std::uint32_t gap = 0;
    };
    // Range states -1..13 in half a byte, others listed.
    struct TRanges {
        std::vector<std::uint8_t> codes;  // two lines a byte; empty: every range is -1
        TChunkExceptions<std::int32_t> big;
    };

    TTexts m_texts;
    TRanges m_ranges;
    // Lines whose text changed since they were packed, with the new text; lengths and offsets
    // still describe the packed texts.
    TChunkExceptions<TOwnedText> m_edited;
    bool m_knownWithoutTabs = false;
};

inline bool TPackedChunk::TryAppend(const TSynEditStringRec& rec) {
    const int k = Count();
    if (k >= kLineChunkSize || rec.owned) return false;
    TTexts& t = m_texts;
    const char* text = rec.text;
    std::uint32_t offset;
    if (k == 0) {
        if (!text) return false;
        t.base = text;
        offset = 0;
        t.lengths.reserve(kLineChunkSize);
        t.anchors.reserve(kLineChunkSize >> kAnchorShift);
    } else {
        // An empty line without text is placed right after the previous line.
        if (!text) text = t.base + t.end;
        // Compared as addresses: the text may lie in another block than the chunk's first.
        const auto from = reinterpret_cast<std::uintptr_t>(t.base);
        const auto at = reinterpret_cast<std::uintptr_t>(text);
        if (at < from + t.end) return false;
        const std::uint64_t distance = at - from;
        if (distance > std::numeric_limits<std::uint32_t>::max() - rec.length) return false;
        offset = static_cast<std::uint32_t>(distance);
        const std::uint32_t gap = offset - t.end;
        if (k == 1) {
            t.gap = gap;
        } else if (gap != t.gap) {
            t.gaps.emplace_back(static_cast<std::uint16_t>(k - 1), gap);
        }
    }
    if ((k & ((1 << kAnchorShift) - 1)) == 0) t.anchors.push_back(offset);
    if (rec.length < kBigLength) {
        t.lengths.push_back(static_cast<std::uint8_t>(rec.length));
    } else {
        t.lengths.push_back(kBigLength);
        t.bigLengths.emplace_back(static_cast<std::uint16_t>(k), rec.length);
    }
    t.end = offset + rec.length;
    m_knownWithoutTabs = false;
    // A fresh line's code is already 0 (range -1).
    if (rec.range != -1) SetRangeSlow(k, rec.range);
    return true;
}
