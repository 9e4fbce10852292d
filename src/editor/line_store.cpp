// Chunked storage of the line records.
#include "editor/line_store.h"

#include <algorithm>
#include <cassert>

std::pair<int, int> TSynEditLineStore::Locate(int index) const {
    const int chunks = static_cast<int>(m_chunks.size());
    assert(index >= 0 && index <= m_count && chunks > 0);
    if (index == m_count) {
        m_hint = chunks - 1;
        return {m_hint, static_cast<int>(m_chunks[m_hint].records.size())};
    }
    for (int c = m_hint; c < chunks && c <= m_hint + 1; ++c) {
        const int offset = index - m_starts[c];
        if (offset >= 0 && offset < static_cast<int>(m_chunks[c].records.size())) {
            m_hint = c;
            return {c, offset};
        }
    }
    const int c = static_cast<int>(std::upper_bound(m_starts.begin(), m_starts.end(), index) -
                                   m_starts.begin()) -
                  1;
    m_hint = c;
    return {c, index - m_starts[c]};
}

TSynEditStringRec& TSynEditLineStore::At(int index) {
    auto [c, o] = Locate(index);
    return m_chunks[c].records[o];
}

const TSynEditStringRec& TSynEditLineStore::At(int index) const {
    auto [c, o] = Locate(index);
    return m_chunks[c].records[o];
}

std::intptr_t TSynEditLineStore::ObjectAt(int index) const {
    auto [c, o] = Locate(index);
    const Chunk& chunk = m_chunks[c];
    return chunk.objects.empty() ? 0 : chunk.objects[o];
}

void TSynEditLineStore::EnsureObjects(Chunk& chunk) {
    if (chunk.objects.empty()) chunk.objects.assign(chunk.records.size(), 0);
}

void TSynEditLineStore::SetObject(int index, std::intptr_t object) {
    auto [c, o] = Locate(index);
    Chunk& chunk = m_chunks[c];
    if (object == 0 && chunk.objects.empty()) return;
    EnsureObjects(chunk);
    chunk.objects[o] = object;
}

void TSynEditLineStore::RebuildStarts(int fromChunk) {
    m_starts.resize(m_chunks.size());
    int start = fromChunk > 0 ? m_starts[fromChunk - 1] +
                                    static_cast<int>(m_chunks[fromChunk - 1].records.size())
                              : 0;
    for (std::size_t c = std::max(fromChunk, 0); c < m_chunks.size(); ++c) {
        m_starts[c] = start;
        start += static_cast<int>(m_chunks[c].records.size());
    }
    m_hint = 0;
}

void TSynEditLineStore::AppendSlow(const TSynEditStringRec& rec, std::intptr_t object) {
    if (m_chunks.empty() || m_chunks.back().records.size() >= kChunkSize) {
        m_chunks.emplace_back();
        m_chunks.back().records.reserve(kChunkSize);
        m_starts.push_back(m_count);
    }
    Chunk& chunk = m_chunks.back();
    if (object != 0) EnsureObjects(chunk);
    chunk.records.push_back(rec);
    if (!chunk.objects.empty()) chunk.objects.push_back(object);
    ++m_count;
}

void TSynEditLineStore::SplitChunk(int chunk, int offset) {
    Chunk tail;
    Chunk& head = m_chunks[chunk];
    tail.records.assign(head.records.begin() + offset, head.records.end());
    head.records.resize(offset);
    if (!head.objects.empty()) {
        tail.objects.assign(head.objects.begin() + offset, head.objects.end());
        head.objects.resize(offset);
    }
    m_chunks.insert(m_chunks.begin() + chunk + 1, std::move(tail));
    RebuildStarts(chunk);
}

void TSynEditLineStore::Insert(int index, const TSynEditStringRec& rec, std::intptr_t object) {
    if (index == m_count) {
        Append(rec, object);
        return;
    }
    auto [c, o] = Locate(index);
    if (m_chunks[c].records.size() >= kChunkSize) {
        SplitChunk(c, kChunkSize / 2);
        if (o >= kChunkSize / 2) {
            ++c;
            o -= kChunkSize / 2;
        }
    }
    Chunk& chunk = m_chunks[c];
    chunk.records.insert(chunk.records.begin() + o, rec);
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
        chunk.records.assign(std::min(left, kChunkSize), rec);
        fresh.push_back(std::move(chunk));
    }
    m_chunks.insert(m_chunks.begin() + c, std::make_move_iterator(fresh.begin()),
                    std::make_move_iterator(fresh.end()));
    m_count += n;
    // Drop an empty tail left by splitting at a chunk's end.
    m_chunks.erase(std::remove_if(m_chunks.begin(), m_chunks.end(),
                                  [](const Chunk& k) { return k.records.empty(); }),
                   m_chunks.end());
    RebuildStarts(0);
}

void TSynEditLineStore::MergeWithNext(int chunk) {
    if (chunk < 0 || chunk + 1 >= static_cast<int>(m_chunks.size())) return;
    Chunk& a = m_chunks[chunk];
    Chunk& b = m_chunks[chunk + 1];
    if (a.records.size() + b.records.size() > kChunkSize / 2) return;
    if (!a.objects.empty() || !b.objects.empty()) {
        EnsureObjects(a);
        EnsureObjects(b);
        a.objects.insert(a.objects.end(), b.objects.begin(), b.objects.end());
    }
    a.records.insert(a.records.end(), b.records.begin(), b.records.end());
    m_chunks.erase(m_chunks.begin() + chunk + 1);
}

void TSynEditLineStore::Erase(int index, int n) {
    if (n <= 0) return;
    assert(index >= 0 && index + n <= m_count);
    auto [first, offset] = Locate(index);
    m_count -= n;
    int c = first;
    {
        Chunk& chunk = m_chunks[c];
        const int k = std::min(n, static_cast<int>(chunk.records.size()) - offset);
        chunk.records.erase(chunk.records.begin() + offset, chunk.records.begin() + offset + k);
        if (!chunk.objects.empty())
            chunk.objects.erase(chunk.objects.begin() + offset, chunk.objects.begin() + offset + k);
        n -= k;
        ++c;
    }
    const int wholeFrom = c;
    while (n > 0 && n >= static_cast<int>(m_chunks[c].records.size())) {
        n -= static_cast<int>(m_chunks[c].records.size());
        ++c;
    }
    if (n > 0) {
        Chunk& chunk = m_chunks[c];
        chunk.records.erase(chunk.records.begin(), chunk.records.begin() + n);
        if (!chunk.objects.empty())
            chunk.objects.erase(chunk.objects.begin(), chunk.objects.begin() + n);
    }
    const int eraseFrom = m_chunks[first].records.empty() ? first : wholeFrom;
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
    m_hint = 0;
}
