// Chunked storage of the lines, packed where they were appended in order.
#include "editor/line_store.h"

#include <cassert>
#include <cstring>
#include <limits>

namespace {

// Range codes: -1..13 are stored as 0..14 in half a byte; others are listed.
int RangeCode(std::int32_t range) {
    return range >= -1 && range <= 13 ? range + 1 : 15;
}

template <typename T>
void SetException(std::vector<std::pair<std::uint16_t, T>>& list, int k, T value) {
    auto it = std::lower_bound(list.begin(), list.end(),
                               std::pair<std::uint16_t, T>(k, std::numeric_limits<T>::min()));
    if (it != list.end() && it->first == k)
        it->second = value;
    else
        list.insert(it, {static_cast<std::uint16_t>(k), value});
}

template <typename T>
void DropException(std::vector<std::pair<std::uint16_t, T>>& list, int k) {
    auto it = std::lower_bound(list.begin(), list.end(),
                               std::pair<std::uint16_t, T>(k, std::numeric_limits<T>::min()));
    if (it != list.end() && it->first == k) list.erase(it);
}

}  // namespace

std::uint32_t TSynEditLineStore::PackedGap(const Chunk& chunk, int k) {
    if (chunk.gaps.empty()) return chunk.gap;
    auto it = std::lower_bound(chunk.gaps.begin(), chunk.gaps.end(),
                               std::pair<std::uint16_t, std::uint32_t>(k, 0));
    return it != chunk.gaps.end() && it->first == k ? it->second : chunk.gap;
}

std::uint32_t TSynEditLineStore::PackedOffset(const Chunk& chunk, int k) {
    const int first = k >> kAnchorShift << kAnchorShift;
    std::uint32_t position = chunk.anchors[k >> kAnchorShift];
    for (int j = first; j < k; ++j) position += PackedLength(chunk, j) + chunk.gap;
    if (!chunk.gaps.empty()) {
        auto it = std::lower_bound(chunk.gaps.begin(), chunk.gaps.end(),
                                   std::pair<std::uint16_t, std::uint32_t>(first, 0));
        for (; it != chunk.gaps.end() && it->first < k; ++it) position += it->second - chunk.gap;
    }
    return position;
}

std::ptrdiff_t TSynEditLineStore::EditedBefore(int c, int k) const {
    const auto& list = m_chunks[c].edited;
    std::size_t at = list.size() - 1;
    if (list[at].first != k) {
        // Else a few steps from the last one found (undo walks back up line by line), knowing
        // that the list's last line lies beyond k; then a binary search.
        at = std::min(m_editedHint, at);
        for (int step = 0; list[at].first != k; ++step) {
            if (step == 4) {
                auto it = std::lower_bound(list.begin(), list.end(), k,
                                           [](const auto& e, int line) { return e.first < line; });
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
    m_editedHint = at;
    return static_cast<std::ptrdiff_t>(at);
}

std::uint32_t TSynEditLineStore::OffsetFromLast(int c, int k) const {
    const Chunk& chunk = m_chunks[c];
    std::uint32_t offset;
    if (m_lastOffset.chunk == c && m_lastOffset.line == k - 1)
        offset = m_lastOffset.offset + PackedLength(chunk, k - 1) + PackedGap(chunk, k - 1);
    else
        offset = PackedOffset(chunk, k);
    m_lastOffset = {c, k, offset};
    return offset;
}

void TSynEditLineStore::SetPackedRange(Chunk& chunk, int k, std::int32_t range) {
    const int code = RangeCode(range);
    if (chunk.rangeCodes.empty()) {
        if (code == 0) return;
        chunk.rangeCodes.assign(kChunkSize / 2, 0);
    }
    std::uint8_t& pair = chunk.rangeCodes[k >> 1];
    const int shift = (k & 1) * 4;
    const int old = (pair >> shift) & 15;
    if (old == kBigRange && code != kBigRange) DropException(chunk.bigRanges, k);
    if (code == kBigRange) SetException(chunk.bigRanges, k, range);
    pair = static_cast<std::uint8_t>((pair & ~(15 << shift)) | (code << shift));
}

bool TSynEditLineStore::PackedWithoutTabs(const Chunk& chunk) {
    // The span from the first line to the end of the last one holds only the lines and their
    // breaks when no gap is longer than a CR LF; a longer gap may span unrelated memory.
    if (chunk.gap > 2) return false;
    for (const auto& gap : chunk.gaps)
        if (gap.second > 2) return false;
    return !std::memchr(chunk.base, '\t', chunk.end);
}

std::int32_t TSynEditLineStore::PackedLongest(const Chunk& chunk) {
    std::uint32_t longest = 0;
    for (int k = 0; k < chunk.count; ++k)
        if (chunk.lengths[k] != kBigLength)
            longest = std::max<std::uint32_t>(longest, chunk.lengths[k]);
    for (const auto& big : chunk.bigLengths) longest = std::max(longest, big.second);
    return static_cast<std::int32_t>(longest);
}

void TSynEditLineStore::Loosen(Chunk& chunk) {
    if (!chunk.packed) return;
    std::vector<TSynEditStringRec> records;
    records.reserve(chunk.count);
    std::uint32_t position = 0;
    auto gapIt = chunk.gaps.begin();
    for (int k = 0; k < chunk.count; ++k) {
        TSynEditStringRec rec;
        rec.length = PackedLength(chunk, k);
        rec.text = chunk.base + position;
        rec.range = PackedRange(chunk, k);
        records.push_back(rec);
        std::uint32_t gap = chunk.gap;
        if (gapIt != chunk.gaps.end() && gapIt->first == k) gap = (gapIt++)->second;
        position += rec.length + gap;
    }
    for (const auto& [k, rec] : chunk.edited) {
        records[k].text = rec.text;
        records[k].length = rec.length;
        records[k].owned = rec.owned;
    }
    const int count = chunk.count;
    const std::int32_t longest = chunk.longest;
    chunk = Chunk();
    chunk.count = count;
    chunk.longest = longest;
    chunk.records = std::move(records);
}

std::pair<int, int> TSynEditLineStore::LocateElsewhere(int index) const {
    const int chunks = static_cast<int>(m_chunks.size());
    assert(index >= 0 && index <= m_count && chunks > 0);
    if (index == m_count) {
        m_hint = chunks - 1;
        return {m_hint, m_chunks[m_hint].count};
    }
    // Walks over the lines go on into the next chunk.
    if (const int next = m_hint + 1; next < chunks) {
        const int offset = index - m_starts[next];
        if (offset >= 0 && offset < m_chunks[next].count) {
            m_hint = next;
            return {next, offset};
        }
    }
    const int c = static_cast<int>(std::upper_bound(m_starts.begin(), m_starts.end(), index) -
                                   m_starts.begin()) -
                  1;
    m_hint = c;
    return {c, index - m_starts[c]};
}

std::string_view TSynEditLineStore::Text(int index) const {
    auto [c, k] = Locate(index);
    const Chunk& chunk = m_chunks[c];
    if (!chunk.packed) return {chunk.records[k].text, chunk.records[k].length};
    if (const TSynEditStringRec* edited = EditedIn(c, k)) return {edited->text, edited->length};
    return {chunk.base + OffsetIn(c, k), PackedLength(chunk, k)};
}

TSynEditStringRec TSynEditLineStore::Record(int index) const {
    auto [c, k] = Locate(index);
    const Chunk& chunk = m_chunks[c];
    if (!chunk.packed) return chunk.records[k];
    TSynEditStringRec rec;
    const TSynEditStringRec* edited = EditedIn(c, k);
    if (edited) {
        rec = *edited;
    } else {
        rec.text = chunk.base + OffsetIn(c, k);
        rec.length = PackedLength(chunk, k);
    }
    rec.range = PackedRange(chunk, k);
    return rec;
}

TSynEditStringRec TSynEditLineStore::SetText(int index, const TSynEditStringRec& text,
                                             TMeasuredChange lengths) {
    auto [c, k] = Locate(index);
    Chunk& chunk = m_chunks[c];
    TSynEditStringRec old = Record(index);
    if (chunk.packed) {
        if (const std::ptrdiff_t at = EditedAt(c, k); at >= 0) {
            chunk.edited[static_cast<std::size_t>(at)].second = text;
            TouchMeasured(chunk, lengths);
            return old;
        }
        if (chunk.edited.size() < kMaxEdited) {
            // Listed in order of lines; a replace-all walking down the text appends.
            auto it =
                chunk.edited.empty() || chunk.edited.back().first < k
                    ? chunk.edited.end()
                    : std::lower_bound(chunk.edited.begin(), chunk.edited.end(), k,
                                       [](const auto& e, int line) { return e.first < line; });
            chunk.edited.insert(it, {static_cast<std::uint16_t>(k), text});
            TouchMeasured(chunk, lengths);
            return old;
        }
        Loosen(chunk);
    }
    TSynEditStringRec& rec = chunk.records[k];
    rec.text = text.text;
    rec.length = text.length;
    rec.owned = text.owned;
    TouchMeasured(chunk, lengths);
    return old;
}

std::int32_t TSynEditLineStore::Range(int index) const {
    auto [c, k] = Locate(index);
    return RangeIn(m_chunks[c], k);
}

void TSynEditLineStore::SetRange(int index, std::int32_t range) {
    auto [c, k] = Locate(index);
    SetRangeIn(m_chunks[c], k, range);
}

std::intptr_t TSynEditLineStore::ObjectAt(int index) const {
    auto [c, k] = Locate(index);
    const Chunk& chunk = m_chunks[c];
    return chunk.objects.empty() ? 0 : chunk.objects[k];
}

void TSynEditLineStore::EnsureObjects(Chunk& chunk) {
    if (chunk.objects.empty()) chunk.objects.assign(chunk.count, 0);
}

void TSynEditLineStore::SetObject(int index, std::intptr_t object) {
    auto [c, k] = Locate(index);
    Chunk& chunk = m_chunks[c];
    if (object == 0 && chunk.objects.empty()) return;
    Loosen(chunk);
    EnsureObjects(chunk);
    chunk.objects[k] = object;
}

void TSynEditLineStore::ForgetLongest() {
    for (Chunk& chunk : m_chunks) chunk.longest = -1;
    m_longest = -1;
}

void TSynEditLineStore::RebuildStarts(int fromChunk) {
    m_starts.resize(m_chunks.size());
    int start = fromChunk > 0 ? m_starts[fromChunk - 1] + m_chunks[fromChunk - 1].count : 0;
    for (std::size_t c = std::max(fromChunk, 0); c < m_chunks.size(); ++c) {
        m_starts[c] = start;
        start += m_chunks[c].count;
    }
    m_hint = 0;
    m_lastOffset = LastOffset();
}

void TSynEditLineStore::AppendSlow(const TSynEditStringRec& rec, std::intptr_t object) {
    m_longest = -1;
    if (!m_chunks.empty()) {
        Chunk& last = m_chunks.back();
        if (last.count < kChunkSize) {
            Loosen(last);
            last.longest = -1;
            if (object != 0) EnsureObjects(last);
            last.records.push_back(rec);
            if (!last.objects.empty()) last.objects.push_back(object);
            ++last.count;
            ++m_count;
            return;
        }
    }
    m_chunks.emplace_back();
    m_starts.push_back(m_count);
    Chunk& chunk = m_chunks.back();
    chunk.packed = object == 0 && !rec.owned && rec.text;
    if (!chunk.packed || !TryPack(chunk, rec)) {
        chunk.packed = false;
        chunk.records.reserve(kChunkSize);
        chunk.records.push_back(rec);
        if (object != 0) chunk.objects.push_back(object);
        chunk.count = 1;
    }
    ++m_count;
}

void TSynEditLineStore::SplitChunk(int chunk, int offset) {
    Loosen(m_chunks[chunk]);
    Chunk tail;
    Chunk& head = m_chunks[chunk];
    tail.records.assign(head.records.begin() + offset, head.records.end());
    head.records.resize(offset);
    if (!head.objects.empty()) {
        tail.objects.assign(head.objects.begin() + offset, head.objects.end());
        head.objects.resize(offset);
    }
    tail.count = head.count - offset;
    head.count = offset;
    head.longest = -1;
    m_chunks.insert(m_chunks.begin() + chunk + 1, std::move(tail));
    RebuildStarts(chunk);
}

void TSynEditLineStore::Insert(int index, const TSynEditStringRec& rec, std::intptr_t object) {
    if (index == m_count) {
        Append(rec, object);
        return;
    }
    auto [c, o] = Locate(index);
    if (m_chunks[c].count >= kChunkSize) {
        SplitChunk(c, kChunkSize / 2);
        if (o >= kChunkSize / 2) {
            ++c;
            o -= kChunkSize / 2;
        }
    }
    Chunk& chunk = m_chunks[c];
    Loosen(chunk);
    Touch(chunk);
    chunk.records.insert(chunk.records.begin() + o, rec);
    ++chunk.count;
    if (object != 0) EnsureObjects(chunk);
    if (!chunk.objects.empty()) {
        // EnsureObjects sized the slots after the record went in; only fill the new slot then.
        if (chunk.objects.size() < chunk.records.size())
            chunk.objects.insert(chunk.objects.begin() + o, object);
        else
            chunk.objects[o] = object;
    }
    for (std::size_t k = c + 1; k < m_chunks.size(); ++k) ++m_starts[k];
    ++m_count;
}

void TSynEditLineStore::InsertCopies(int index, int n, const TSynEditStringRec& rec) {
    if (n <= 0) return;
    if (n == 1) {
        Insert(index, rec);
        return;
    }
    int c;
    if (m_chunks.empty()) {
        c = 0;
    } else {
        auto [chunk, offset] = Locate(index);
        if (offset > 0) {
            SplitChunk(chunk, offset);  // a no-op split when offset is the chunk's end
            ++chunk;
        }
        c = chunk;
    }
    // New full chunks go between the head and the tail of the split chunk.
    std::vector<Chunk> fresh;
    for (int left = n; left > 0; left -= kChunkSize) {
        Chunk chunk;
        chunk.count = std::min(left, kChunkSize);
        chunk.records.assign(chunk.count, rec);
        fresh.push_back(std::move(chunk));
    }
    m_chunks.insert(m_chunks.begin() + c, std::make_move_iterator(fresh.begin()),
                    std::make_move_iterator(fresh.end()));
    m_count += n;
    m_longest = -1;
    // Drop an empty tail left by splitting at a chunk's end.
    m_chunks.erase(std::remove_if(m_chunks.begin(), m_chunks.end(),
                                  [](const Chunk& k) { return k.count == 0; }),
                   m_chunks.end());
    RebuildStarts(0);
}

void TSynEditLineStore::MergeWithNext(int chunk) {
    if (chunk < 0 || chunk + 1 >= static_cast<int>(m_chunks.size())) return;
    Chunk& a = m_chunks[chunk];
    Chunk& b = m_chunks[chunk + 1];
    if (a.count + b.count > kChunkSize / 2) return;
    Loosen(a);
    Loosen(b);
    if (!a.objects.empty() || !b.objects.empty()) {
        EnsureObjects(a);
        EnsureObjects(b);
        a.objects.insert(a.objects.end(), b.objects.begin(), b.objects.end());
    }
    a.records.insert(a.records.end(), b.records.begin(), b.records.end());
    a.count += b.count;
    a.longest = -1;
    m_chunks.erase(m_chunks.begin() + chunk + 1);
}

void TSynEditLineStore::Erase(int index, int n) {
    if (n <= 0) return;
    assert(index >= 0 && index + n <= m_count);
    auto [first, offset] = Locate(index);
    m_count -= n;
    m_longest = -1;
    int c = first;
    {
        Chunk& chunk = m_chunks[c];
        const int k = std::min(n, chunk.count - offset);
        if (k < chunk.count) {
            Loosen(chunk);
            chunk.records.erase(chunk.records.begin() + offset, chunk.records.begin() + offset + k);
            if (!chunk.objects.empty())
                chunk.objects.erase(chunk.objects.begin() + offset,
                                    chunk.objects.begin() + offset + k);
        }
        chunk.count -= k;
        chunk.longest = -1;
        n -= k;
        ++c;
    }
    const int wholeFrom = c;
    while (n > 0 && n >= m_chunks[c].count) {
        n -= m_chunks[c].count;
        ++c;
    }
    if (n > 0) {
        Chunk& chunk = m_chunks[c];
        Loosen(chunk);
        chunk.records.erase(chunk.records.begin(), chunk.records.begin() + n);
        if (!chunk.objects.empty())
            chunk.objects.erase(chunk.objects.begin(), chunk.objects.begin() + n);
        chunk.count -= n;
        chunk.longest = -1;
    }
    const int eraseFrom = m_chunks[first].count == 0 ? first : wholeFrom;
    m_chunks.erase(m_chunks.begin() + eraseFrom, m_chunks.begin() + c);
    // Keep chunks from thinning out under many deletions.
    if (eraseFrom == first) {
        MergeWithNext(first - 1);
    } else {
        MergeWithNext(first);
    }
    RebuildStarts(std::max(first - 1, 0));
}

void TSynEditLineStore::Swap(int a, int b) {
    if (a == b) return;
    auto [ca, oa] = Locate(a);
    auto [cb, ob] = Locate(b);
    Loosen(m_chunks[ca]);
    Loosen(m_chunks[cb]);
    Touch(m_chunks[ca]);
    Touch(m_chunks[cb]);
    std::swap(m_chunks[ca].records[oa], m_chunks[cb].records[ob]);
    if (!m_chunks[ca].objects.empty() || !m_chunks[cb].objects.empty()) {
        EnsureObjects(m_chunks[ca]);
        EnsureObjects(m_chunks[cb]);
        std::swap(m_chunks[ca].objects[oa], m_chunks[cb].objects[ob]);
    }
}

void TSynEditLineStore::Clear() {
    m_chunks.clear();
    m_starts.clear();
    m_count = 0;
    m_longest = -1;
    m_hint = 0;
    m_lastOffset = LastOffset();
}
