// Chunked storage of the lines, packed where they were appended in order.
#include "editor/line_store.h"

#include <atomic>
#include <cassert>

std::uint64_t TSynEditLineStore::NextVersion() {
    static std::atomic<std::uint64_t> next{1};
    return next.fetch_add(1, std::memory_order_relaxed);
}

TSynEditLineStore::TSynEditLineStore() : m_version(NextVersion()) {}

TLooseChunk& TSynEditLineStore::Loose(TChunk& chunk) {
    if (auto* packed = std::get_if<TPackedChunk>(&chunk.form)) {
        TLooseChunk loose = std::move(*packed).Loosen();
        chunk.form = std::move(loose);
    }
    return std::get<TLooseChunk>(chunk.form);
}

std::pair<int, int> TSynEditLineStore::Locate(int index) const {
    const int chunks = static_cast<int>(m_chunks.size());
    assert(index >= 0 && index <= m_count && chunks > 0);
    if (index == m_count) return {chunks - 1, m_chunks.back().count};
    // No chunk holds more than kChunkSize lines, so the chunk of line i is at or after chunk
    // i / kChunkSize: the very one when the chunks are full, as after a load.
    int c = std::min(index / kChunkSize, chunks - 1);
    if (index - m_starts[c] >= m_chunks[c].count)
        c = static_cast<int>(std::upper_bound(m_starts.begin() + c + 1, m_starts.end(), index) -
                             m_starts.begin()) -
            1;
    return {c, index - m_starts[c]};
}

std::pair<int, int> TSynEditLineStore::LocateFrom(int index, int& hint) const {
    // Walks over the lines go on into the next chunk.
    const int chunks = static_cast<int>(m_chunks.size());
    if (const int next = hint + 1; next < chunks && index < m_count) {
        const int offset = index - m_starts[next];
        if (offset >= 0 && offset < m_chunks[next].count) {
            hint = next;
            return {next, offset};
        }
    }
    const std::pair<int, int> found = Locate(index);
    hint = found.first;
    return found;
}

std::uint32_t TSynEditLineStore::OffsetFromAnchor(const TPackedChunk& chunk, int c, int k,
                                                  TLineCursor& cursor) const {
    const std::uint32_t offset = chunk.Offset(k);
    cursor.version = m_version;
    cursor.offsetChunk = c;
    cursor.offsetLine = k;
    cursor.offset = offset;
    return offset;
}

std::string_view TSynEditLineStore::Text(int index) const {
    auto [c, k] = Locate(index);
    const TChunk& chunk = m_chunks[c];
    if (const auto* loose = std::get_if<TLooseChunk>(&chunk.form)) return loose->Text(k);
    const TPackedChunk& packed = std::get<TPackedChunk>(chunk.form);
    std::size_t hint = 0;
    if (const std::ptrdiff_t at = packed.EditedAt(k, hint); at >= 0)
        return packed.EditedText(at).View();
    return packed.PackedText(k, packed.Offset(k));
}

std::string_view TSynEditLineStore::Text(int index, TLineCursor& cursor) const {
    auto [c, k] = Locate(index, cursor.chunk);
    const TChunk& chunk = m_chunks[c];
    if (const auto* loose = std::get_if<TLooseChunk>(&chunk.form)) return loose->Text(k);
    const TPackedChunk& packed = *std::get_if<TPackedChunk>(&chunk.form);
    if (const std::ptrdiff_t at = packed.EditedAt(k, cursor.edited); at >= 0)
        return packed.EditedText(at).View();
    return packed.PackedText(k, OffsetIn(packed, c, k, cursor));
}

std::int32_t TSynEditLineStore::Range(int index) const {
    auto [c, k] = Locate(index);
    const TChunk& chunk = m_chunks[c];
    if (const auto* packed = std::get_if<TPackedChunk>(&chunk.form)) return packed->Range(k);
    return std::get<TLooseChunk>(chunk.form).At(k).range;
}

void TSynEditLineStore::SetRange(int index, std::int32_t range) {
    auto [c, k] = Locate(index, m_cursor.chunk);
    SetRangeIn(m_chunks[c], k, range);
}

std::intptr_t TSynEditLineStore::ObjectAt(int index) const {
    auto [c, k] = Locate(index);
    const auto* loose = std::get_if<TLooseChunk>(&m_chunks[c].form);
    return loose ? loose->Object(k) : 0;
}

void TSynEditLineStore::SetObject(int index, std::intptr_t object) {
    auto [c, k] = Locate(index, m_cursor.chunk);
    TChunk& chunk = m_chunks[c];
    if (object == 0 && !std::get_if<TLooseChunk>(&chunk.form)) return;
    Loose(chunk).SetObject(k, object);
}

void TSynEditLineStore::TouchMeasured(TChunk& chunk, TMeasuredChange lengths) {
    // A known longest length stays known unless the line may have been the longest and got
    // shorter.
    auto keep = [&](std::int32_t& longest) {
        if (longest < 0 || lengths.before < 0 || lengths.after < 0) {
            longest = -1;
        } else if (lengths.before < longest || lengths.after >= longest) {
            longest = std::max(longest, lengths.after);
        } else {
            longest = -1;
        }
    };
    keep(chunk.longest);
    if (chunk.longest < 0)
        m_longest = -1;
    else
        keep(m_longest);
}

TOwnedText TSynEditLineStore::SetText(int index, TOwnedText&& text, TMeasuredChange lengths) {
    auto [c, k] = Locate(index, m_cursor.chunk);
    TChunk& chunk = m_chunks[c];
    if (auto* packed = std::get_if<TPackedChunk>(&chunk.form)) {
        TOwnedText old;
        if (packed->SetEdited(k, text, old, m_cursor.edited)) {
            TouchMeasured(chunk, lengths);
            return old;
        }
    }
    TOwnedText old = Loose(chunk).SetText(k, std::move(text));
    TouchMeasured(chunk, lengths);
    return old;
}

bool TSynEditLineStore::OwnsText(int index) const {
    int hint = m_cursor.chunk;
    auto [c, k] = Locate(index, hint);
    const TChunk& chunk = m_chunks[c];
    std::size_t edited = m_cursor.edited;
    if (const auto* packed = std::get_if<TPackedChunk>(&chunk.form))
        return packed->EditedAt(k, edited) >= 0;
    return std::get<TLooseChunk>(chunk.form).At(k).owned;
}

void TSynEditLineStore::SpliceOwned(int index, std::size_t at, std::size_t removed,
                                    std::string_view middle, std::size_t tail) {
    auto [c, k] = Locate(index, m_cursor.chunk);
    TChunk& chunk = m_chunks[c];
    if (auto* packed = std::get_if<TPackedChunk>(&chunk.form)) {
        const std::ptrdiff_t listed = packed->EditedAt(k, m_cursor.edited);
        if (listed >= 0) packed->EditedText(listed).Splice(at, removed, middle, tail);
    } else {
        std::get<TLooseChunk>(chunk.form).SpliceOwned(k, at, removed, middle, tail);
    }
}

void TSynEditLineStore::Measured(int index, TMeasuredChange lengths) {
    TouchMeasured(m_chunks[Locate(index, m_cursor.chunk).first], lengths);
}

void TSynEditLineStore::ForgetLongest() {
    for (TChunk& chunk : m_chunks) chunk.longest = -1;
    m_longest = -1;
}

void TSynEditLineStore::KnowWithoutTabs() {
    for (TChunk& chunk : m_chunks)
        if (auto* packed = std::get_if<TPackedChunk>(&chunk.form)) packed->KnowWithoutTabs();
}

void TSynEditLineStore::RebuildStarts(int fromChunk) {
    m_starts.resize(m_chunks.size());
    int start = fromChunk > 0 ? m_starts[fromChunk - 1] + m_chunks[fromChunk - 1].count : 0;
    for (std::size_t c = std::max(fromChunk, 0); c < m_chunks.size(); ++c) {
        m_starts[c] = start;
        start += m_chunks[c].count;
    }
    m_version = NextVersion();
}

void TSynEditLineStore::AppendSlow(const TSynEditStringRec& rec, std::intptr_t object) {
    // When anything throws, the store is as it was and an owned text still the caller's.
    m_longest = -1;
    if (!m_chunks.empty() && m_chunks.back().count < kChunkSize) {
        TChunk& last = m_chunks.back();
        Loose(last).Append(rec, object);
        last.longest = -1;
        ++last.count;
        ++m_count;
        return;
    }
    m_chunks.emplace_back();
    try {
        m_starts.push_back(m_count);
        TChunk& chunk = m_chunks.back();
        TPackedChunk packed;
        if (object == 0 && packed.TryAppend(rec)) {
            chunk.form = std::move(packed);
        } else {
            TLooseChunk& loose = chunk.form.emplace<TLooseChunk>();
            loose.Reserve(kChunkSize);
            loose.Append(rec, object);
        }
        chunk.count = 1;
    } catch (...) {
        m_chunks.pop_back();
        m_starts.resize(m_chunks.size());
        throw;
    }
    ++m_count;
}

void TSynEditLineStore::SplitChunk(int chunk, int offset) {
    TChunk tail;
    TChunk& head = m_chunks[chunk];
    tail.form = Loose(head).SplitOff(offset);
    tail.count = head.count - offset;
    head.count = offset;
    head.longest = -1;
    m_chunks.insert(m_chunks.begin() + chunk + 1, std::move(tail));
    RebuildStarts(chunk);
}

void TSynEditLineStore::Insert(int index, TOwnedText text, std::intptr_t object) {
    // The text is handed over once the line is in: until then a throw leaves it to `text`.
    TSynEditStringRec rec;
    rec.length = text.Length();
    rec.text = text.Data();
    rec.owned = rec.text != nullptr;
    if (index == m_count) {
        AppendSlow(rec, object);
        text.Release();
        return;
    }
    auto [c, o] = Locate(index, m_cursor.chunk);
    if (m_chunks[c].count >= kChunkSize) {
        SplitChunk(c, kChunkSize / 2);
        if (o >= kChunkSize / 2) {
            ++c;
            o -= kChunkSize / 2;
        }
    }
    TChunk& chunk = m_chunks[c];
    Loose(chunk).Insert(o, rec, object);
    text.Release();
    Touch(chunk);
    ++chunk.count;
    for (std::size_t k = c + 1; k < m_chunks.size(); ++k) ++m_starts[k];
    ++m_count;
}

void TSynEditLineStore::InsertEmpty(int index, int n, std::int32_t range) {
    if (n <= 0) return;
    int c = 0;
    if (!m_chunks.empty()) {
        auto [chunk, offset] = Locate(index, m_cursor.chunk);
        if (offset > 0) {
            SplitChunk(chunk, offset);  // a no-op split when offset is the chunk's end
            ++chunk;
        }
        c = chunk;
    }
    // New full chunks go between the head and the tail of the split chunk.
    TSynEditStringRec empty;
    empty.range = range;
    std::vector<TChunk> fresh;
    for (int left = n; left > 0; left -= kChunkSize) {
        TChunk chunk;
        chunk.count = std::min(left, kChunkSize);
        chunk.form = TLooseChunk(chunk.count, empty);
        fresh.push_back(std::move(chunk));
    }
    m_chunks.insert(m_chunks.begin() + c, std::make_move_iterator(fresh.begin()),
                    std::make_move_iterator(fresh.end()));
    m_count += n;
    m_longest = -1;
    // Drop an empty tail left by splitting at a chunk's end.
    m_chunks.erase(std::remove_if(m_chunks.begin(), m_chunks.end(),
                                  [](const TChunk& k) { return k.count == 0; }),
                   m_chunks.end());
    RebuildStarts(0);
}

void TSynEditLineStore::MergeWithNext(int chunk) {
    if (chunk < 0 || chunk + 1 >= static_cast<int>(m_chunks.size())) return;
    TChunk& a = m_chunks[chunk];
    TChunk& b = m_chunks[chunk + 1];
    if (a.count + b.count > kChunkSize / 2) return;
    Loose(a).Absorb(std::move(Loose(b)));
    a.count += b.count;
    a.longest = -1;
    m_chunks.erase(m_chunks.begin() + chunk + 1);
}

void TSynEditLineStore::Erase(int index, int n) {
    if (n <= 0) return;
    assert(index >= 0 && index + n <= m_count);
    auto [first, offset] = Locate(index, m_cursor.chunk);
    m_count -= n;
    m_longest = -1;
    int c = first;
    {
        TChunk& chunk = m_chunks[c];
        const int k = std::min(n, chunk.count - offset);
        if (k < chunk.count) Loose(chunk).Erase(offset, k);
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
        TChunk& chunk = m_chunks[c];
        Loose(chunk).Erase(0, n);
        chunk.count -= n;
        chunk.longest = -1;
    }
    // Whole chunks go with their texts.
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
    auto [ca, oa] = Locate(a, m_cursor.chunk);
    auto [cb, ob] = Locate(b, m_cursor.chunk);
    TLooseChunk& la = Loose(m_chunks[ca]);
    TLooseChunk& lb = Loose(m_chunks[cb]);
    Touch(m_chunks[ca]);
    Touch(m_chunks[cb]);
    TLooseChunk::Swap(la, oa, lb, ob);
}

void TSynEditLineStore::Clear() {
    m_chunks.clear();
    m_starts.clear();
    m_count = 0;
    m_longest = -1;
    m_version = NextVersion();
}
