// The packed and the loose form of a chunk of lines.
#include "editor/line_chunks.h"

#include <algorithm>
#include <cstring>

namespace {

// Range codes: -1..13 are stored as 0..14 in half a byte; others are listed.
int RangeCode(std::int32_t range) {
    return range >= -1 && range <= 13 ? range + 1 : 15;
}

template <typename List>
auto FindException(List& list, int k) {
    return std::lower_bound(list.begin(), list.end(), k,
                            [](const auto& e, int line) { return e.first < line; });
}

template <typename T>
void SetException(TChunkExceptions<T>& list, int k, T value) {
    auto it = FindException(list, k);
    if (it != list.end() && it->first == k)
        it->second = std::move(value);
    else
        list.insert(it, {static_cast<std::uint16_t>(k), std::move(value)});
}

template <typename T>
void DropException(TChunkExceptions<T>& list, int k) {
    auto it = FindException(list, k);
    if (it != list.end() && it->first == k) list.erase(it);
}

}  // namespace

// --- Loose chunks ---

void TLooseChunk::FreeOwned(int from, int to) {
    for (int k = from; k < to; ++k) {
        TSynEditStringRec& rec = m_records[k];
        if (rec.owned) TOwnedText::Adopt(rec.text, rec.length);  // freed right here
        rec.owned = 0;
    }
}

void TLooseChunk::SetObject(int k, std::intptr_t object) {
    if (object == 0 && m_objects.empty()) return;
    EnsureObjects();
    m_objects[k] = object;
}

void TLooseChunk::Append(const TSynEditStringRec& rec, std::intptr_t object) {
    if (object != 0) EnsureObjects();
    if (!m_objects.empty()) m_objects.push_back(object);
    try {
        m_records.push_back(rec);
    } catch (...) {
        if (!m_objects.empty()) m_objects.pop_back();
        throw;
    }
}

void TLooseChunk::Insert(int k, const TSynEditStringRec& rec, std::intptr_t object) {
    if (object != 0) EnsureObjects();
    if (!m_objects.empty()) m_objects.insert(m_objects.begin() + k, object);
    try {
        m_records.insert(m_records.begin() + k, rec);
    } catch (...) {
        if (!m_objects.empty()) m_objects.erase(m_objects.begin() + k);
        throw;
    }
}

TOwnedText TLooseChunk::SetText(int k, TOwnedText text) {
    TSynEditStringRec& rec = m_records[k];
    TOwnedText old = rec.owned ? TOwnedText::Adopt(rec.text, rec.length) : TOwnedText();
    rec.length = text.Length();
    rec.text = text.Release();
    rec.owned = rec.text != nullptr;
    return old;
}

bool TLooseChunk::SpliceOwned(int k, std::size_t at, std::size_t removed, std::string_view middle,
                              std::size_t tail) {
    TSynEditStringRec& rec = m_records[k];
    if (!rec.owned) return false;
    TOwnedText text = TOwnedText::Adopt(rec.text, rec.length);
    try {
        text.Splice(at, removed, middle, tail);
    } catch (...) {
        text.Release();  // still the record's
        throw;
    }
    rec.length = text.Length();
    rec.text = text.Release();
    rec.owned = rec.text != nullptr;
    return true;
}

void TLooseChunk::Erase(int k, int n) {
    FreeOwned(k, k + n);
    m_records.erase(m_records.begin() + k, m_records.begin() + k + n);
    if (!m_objects.empty()) m_objects.erase(m_objects.begin() + k, m_objects.begin() + k + n);
}

TLooseChunk TLooseChunk::SplitOff(int k) {
    TLooseChunk tail;
    tail.m_records.assign(m_records.begin() + k, m_records.end());
    m_records.resize(k);
    if (!m_objects.empty()) {
        tail.m_objects.assign(m_objects.begin() + k, m_objects.end());
        m_objects.resize(k);
    }
    return tail;
}

void TLooseChunk::Absorb(TLooseChunk&& other) {
    if (!m_objects.empty() || !other.m_objects.empty()) {
        EnsureObjects();
        other.EnsureObjects();
        m_objects.insert(m_objects.end(), other.m_objects.begin(), other.m_objects.end());
    }
    m_records.insert(m_records.end(), other.m_records.begin(), other.m_records.end());
    other.m_records.clear();  // the texts are ours now
    other.m_objects.clear();
}

void TLooseChunk::Swap(TLooseChunk& a, int ka, TLooseChunk& b, int kb) {
    std::swap(a.m_records[ka], b.m_records[kb]);
    if (!a.m_objects.empty() || !b.m_objects.empty()) {
        a.EnsureObjects();
        b.EnsureObjects();
        std::swap(a.m_objects[ka], b.m_objects[kb]);
    }
}

// --- Packed chunks ---

std::uint32_t TPackedChunk::ListedLength(int k) const {
    return FindException(m_texts.bigLengths, k)->second;
}

std::int32_t TPackedChunk::ListedRange(int k) const {
    return FindException(m_ranges.big, k)->second;
}

std::uint32_t TPackedChunk::ListedGap(int k) const {
    const auto& gaps = m_texts.gaps;
    auto it = FindException(gaps, k);
    return it != gaps.end() && it->first == k ? it->second : m_texts.gap;
}

std::uint32_t TPackedChunk::Offset(int k) const {
    const TTexts& t = m_texts;
    const int first = k >> kAnchorShift << kAnchorShift;
    // The length codes summed as they are (a loop the compiler vectorises), then corrected
    // for the listed lengths and gaps.
    std::uint32_t position = t.anchors[k >> kAnchorShift] + (k - first) * t.gap;
    const std::uint8_t* const lengths = t.lengths.data();
    for (int j = first; j < k; ++j) position += lengths[j];
    if (!t.bigLengths.empty()) {
        for (auto it = FindException(t.bigLengths, first);
             it != t.bigLengths.end() && it->first < k; ++it)
            position += it->second - kBigLength;
    }
    if (!t.gaps.empty()) {
        for (auto it = FindException(t.gaps, first); it != t.gaps.end() && it->first < k; ++it)
            position += it->second - t.gap;
    }
    return position;
}

void TPackedChunk::SetRangeSlow(int k, std::int32_t range) {
    const int code = RangeCode(range);
    if (m_ranges.codes.empty()) {
        if (code == 0) return;
        m_ranges.codes.assign(kLineChunkSize / 2, 0);
    }
    std::uint8_t& pair = m_ranges.codes[k >> 1];
    const int shift = (k & 1) * 4;
    const int old = (pair >> shift) & 15;
    if (old == kBigRange && code != kBigRange) DropException(m_ranges.big, k);
    if (code == kBigRange) SetException(m_ranges.big, k, range);
    pair = static_cast<std::uint8_t>((pair & ~(15 << shift)) | (code << shift));
}

std::ptrdiff_t TPackedChunk::EditedBefore(int k, std::size_t& hint) const {
    const auto& list = m_edited;
    std::size_t at = list.size() - 1;
    if (list[at].first != k) {
        // Else a few steps from the last one found (undo walks back up line by line), knowing
        // that the list's last line lies beyond k; then a binary search.
        at = std::min(hint, at);
        for (int step = 0; list[at].first != k; ++step) {
            if (step == 4) {
                auto it = FindException(list, k);
                if (it->first != k) return -1;
                at = static_cast<std::size_t>(it - list.begin());
                break;
            }
            if (list[at].first < k) {
                if (list[at + 1].first > k) return -1;
                ++at;
            } else {
                if (at == 0 || list[at - 1].first < k) return -1;
                --at;
            }
        }
    }
    hint = at;
    return static_cast<std::ptrdiff_t>(at);
}

bool TPackedChunk::SetEdited(int k, TOwnedText& text, TOwnedText& old, std::size_t& hint) {
    auto& list = m_edited;
    if (const std::ptrdiff_t at = EditedAt(k, hint); at >= 0) {
        old = std::exchange(list[static_cast<std::size_t>(at)].second, std::move(text));
        return true;
    }
    // Listed in order of lines; a replace-all walking down the text appends.
    if (list.size() >= kMaxEdited) return false;
    // Room first, so that a failing allocation leaves the text with the caller.
    const auto place = list.empty() || list.back().first < k
                           ? list.size()
                           : static_cast<std::size_t>(FindException(list, k) - list.begin());
    if (list.size() == list.capacity()) list.reserve(std::max<std::size_t>(8, 2 * list.size()));
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(place),
                {static_cast<std::uint16_t>(k), std::move(text)});
    return true;
}

bool TPackedChunk::WithoutTabs() const {
    if (m_knownWithoutTabs) return true;
    // The span from the first line to the end of the last one holds only the lines and their
    // breaks when no gap is longer than a CR LF; a longer gap may span unrelated memory.
    if (m_texts.gap > 2) return false;
    for (const auto& gap : m_texts.gaps)
        if (gap.second > 2) return false;
    return !std::memchr(m_texts.base, '\t', m_texts.end);
}

std::int32_t TPackedChunk::LongestPacked() const {
    std::uint32_t longest = 0;
    for (const std::uint8_t length : m_texts.lengths)
        if (length != kBigLength) longest = std::max<std::uint32_t>(longest, length);
    for (const auto& big : m_texts.bigLengths) longest = std::max(longest, big.second);
    return static_cast<std::int32_t>(longest);
}

TLooseChunk TPackedChunk::Loosen() && {
    const int count = Count();
    std::vector<TSynEditStringRec> records;
    records.reserve(kLineChunkSize);
    std::uint32_t position = 0;
    auto gapIt = m_texts.gaps.begin();
    for (int k = 0; k < count; ++k) {
        TSynEditStringRec rec;
        rec.length = Length(k);
        rec.text = m_texts.base + position;
        rec.range = Range(k);
        records.push_back(rec);
        std::uint32_t gap = m_texts.gap;
        if (gapIt != m_texts.gaps.end() && gapIt->first == k) gap = (gapIt++)->second;
        position += rec.length + gap;
    }
    for (auto& [k, text] : m_edited) {
        TSynEditStringRec& rec = records[k];
        rec.length = text.Length();
        rec.text = text.Release();
        rec.owned = rec.text != nullptr;
    }
    m_edited.clear();
    return TLooseChunk(std::move(records));
}
