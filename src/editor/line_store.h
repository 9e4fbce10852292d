// Storage of the line records: a sequence of chunks of at most 1024 records with the index of
// each chunk's first line, so inserting or deleting one line moves at most one chunk's
// records instead of the whole list. The per-line object slots live beside the records and
// are only allocated in chunks where one is set.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "editor/string_rec.h"

class TSynEditLineStore {
  public:
    static constexpr int kChunkSize = 1024;

    int Count() const { return m_count; }
    TSynEditStringRec& At(int index);
    const TSynEditStringRec& At(int index) const;
    std::intptr_t ObjectAt(int index) const;
    void SetObject(int index, std::intptr_t object);

    void Append(const TSynEditStringRec& rec, std::intptr_t object = 0) {
        // Inline fast path: loading appends millions of records.
        if (object == 0 && !m_chunks.empty()) {
            Chunk& last = m_chunks.back();
            if (last.records.size() < kChunkSize && last.objects.empty()) {
                last.records.push_back(rec);
                ++m_count;
                return;
            }
        }
        AppendSlow(rec, object);
    }
    // Inserts before `index` (0..Count()).
    void Insert(int index, const TSynEditStringRec& rec, std::intptr_t object = 0);
    // Inserts `n` copies of `rec` before `index`.
    void InsertCopies(int index, int n, const TSynEditStringRec& rec);
    // Removes `n` records from `index` on; the caller releases their text first.
    void Erase(int index, int n);
    void Swap(int a, int b);
    void Clear();

    // Calls f(record, index) for every record from `from` up to but excluding `to` (the end
    // when negative), in order.
    template <typename F>
    void ForEach(int from, F&& f, int to = -1) {
        ForEachIn(*this, from, to, f);
    }
    template <typename F>
    void ForEach(int from, F&& f, int to = -1) const {
        ForEachIn(*this, from, to, f);
    }

    // Appends every record of `source` to this store, calling afterEach(index) after each
    // one (with Count() == index + 1), taking the source's chunks over or freeing them as they
    // are used up so only one extra chunk is ever held. `source` is left empty.
    template <typename F>
    void MoveAppendFrom(TSynEditLineStore& source, F&& afterEach);

  private:
    // The test programs define this class to check the chunk bookkeeping; nothing else does.
    friend class TSynEditInvariants;

    struct Chunk {
        std::vector<TSynEditStringRec> records;
        std::vector<std::intptr_t> objects;  // empty, or one per record
    };

    template <typename Self, typename F>
    static void ForEachIn(Self& self, int from, int to, F& f);
    // (chunk, offset) of a line; index == Count() gives the end of the last chunk.
    std::pair<int, int> Locate(int index) const;
    void AppendSlow(const TSynEditStringRec& rec, std::intptr_t object);
    void RebuildStarts(int fromChunk);
    void SplitChunk(int chunk, int offset);
    void MergeWithNext(int chunk);
    static void EnsureObjects(Chunk& chunk);

    std::vector<Chunk> m_chunks;
    std::vector<int> m_starts;  // index of the first line of each chunk
    int m_count = 0;
    mutable int m_hint = 0;  // chunk of the last lookup, so walks over the lines stay O(1)
};

template <typename Self, typename F>
void TSynEditLineStore::ForEachIn(Self& self, int from, int to, F& f) {
    if (to < 0 || to > self.m_count) to = self.m_count;
    if (from < 0) from = 0;
    if (from >= to) return;
    auto [chunk, offset] = self.Locate(from);
    int index = from;
    for (int c = chunk; index < to; ++c) {
        auto& records = self.m_chunks[c].records;
        for (int o = (c == chunk ? offset : 0); o < static_cast<int>(records.size()) && index < to;
             ++o)
            f(records[o], index++);
    }
}

template <typename F>
void TSynEditLineStore::MoveAppendFrom(TSynEditLineStore& source, F&& afterEach) {
    for (Chunk& chunk : source.m_chunks) {
        if (m_chunks.empty() || m_chunks.back().records.size() >= kChunkSize) {
            // The chunk is taken over whole; its records join the count one by one, so each
            // is reported as the last line of the list.
            const int n = static_cast<int>(chunk.records.size());
            if (n == 0) continue;
            m_starts.push_back(m_count);
            m_chunks.push_back(std::move(chunk));
            for (int k = 0; k < n; ++k) afterEach(m_count++);
            continue;
        }
        const bool hasObjects = !chunk.objects.empty();
        for (std::size_t o = 0; o < chunk.records.size(); ++o) {
            Append(chunk.records[o], hasObjects ? chunk.objects[o] : 0);
            afterEach(m_count - 1);
        }
        std::vector<TSynEditStringRec>().swap(chunk.records);
        std::vector<std::intptr_t>().swap(chunk.objects);
    }
    source.Clear();
}
