// Storage of the lines: a sequence of chunks of at most 1024 lines with the index of each
// chunk's first line, so inserting or deleting one line moves at most one chunk's records
// instead of the whole list. Chunks are packed or loose (line_chunks.h): lines appended in
// order go into packed chunks; an insert, a delete or an object set within one turns it loose.
// Range states can be set in either form.
//
// The store owns the texts of edited and inserted lines (TOwnedText) and frees them when the
// lines go; the texts of loaded lines lie in an arena that the store's owner keeps.
//
// Each chunk also caches the longest tab-expanded length of its lines, reset whenever a line
// of it changes, so the longest line of a long text is found again by measuring one chunk.
//
// Const readers change nothing: looked up without a cursor, a line costs a search; reading
// line after line through a TLineCursor costs a step. Changing methods use the store's own
// cursor.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "editor/line_chunks.h"
#include "editor/owned_text.h"
#include "editor/string_rec.h"

// A changed line's length before and after, as the store's longest line is measured; -1 when
// not known.
struct TMeasuredChange {
    std::int32_t before = -1;
    std::int32_t after = -1;
};

// skim(text, range&) of the range chaining shared with a second thread, as a plain callback.
struct TRangeSkim {
    bool (*call)(const void* context, std::string_view text, std::int32_t& range);
    const void* context;
    bool operator()(std::string_view text, std::int32_t& range) const {
        return call(context, text, range);
    }
};

class TSynEditLineStore {
  public:
    static constexpr int kChunkSize = kLineChunkSize;

    // Where the last look-up through it was, so the next line is found in a step. A cursor is
    // the reader's own: it belongs to one thread, and outlives changes of the store (a change
    // of the chunks makes the store forget what the cursor remembers).
    class TLineCursor {
      private:
        friend class TSynEditLineStore;
        std::uint64_t version = 0;  // the store's version when `offset` was found
        int chunk = 0;              // chunk of the last look-up: a guess, checked before use
        int offsetChunk = -1;       // packed chunk and line of `offset`
        int offsetLine = 0;
        std::uint32_t offset = 0;
        std::size_t edited = 0;  // position in a packed chunk's changed texts: a guess
    };

    TSynEditLineStore();
    TSynEditLineStore(TSynEditLineStore&&) noexcept = default;
    TSynEditLineStore& operator=(TSynEditLineStore&&) noexcept = default;

    int Count() const { return m_count; }
    // Safe from any thread while nobody changes the store.
    std::string_view Text(int index) const;
    std::string_view Text(int index, TLineCursor& cursor) const;
    std::int32_t Range(int index) const;
    void SetRange(int index, std::int32_t range);
    std::intptr_t ObjectAt(int index) const;
    void SetObject(int index, std::intptr_t object);
    // Gives the line the text (its range state stays) and returns the owned text it had
    // (empty when its text lay in the arena). `lengths`, when given, are the old and the new
    // text's lengths as Longest measures them: the longest lengths then stay known wherever
    // the change cannot have altered them. When it throws, `text` is still the caller's.
    TOwnedText SetText(int index, TOwnedText&& text, TMeasuredChange lengths = {});
    // Whether the store owns the line's text (an edited line), rather than the arena.
    bool OwnsText(int index) const;
    // Replaces `removed` bytes at `at` of an owned line's text by `middle` in the line's own
    // allocation (TOwnedText::Splice). The caller then tells the old and the new lengths
    // through Measured, as SetText's `lengths`.
    void SpliceOwned(int index, std::size_t at, std::size_t removed, std::string_view middle,
                     std::size_t tail);
    void Measured(int index, TMeasuredChange lengths);

    // Appends a line whose text the store does not own (it lies in the arena); it is packed
    // when it can be (no object, its text lying after the previous line's in memory).
    void Append(const TSynEditStringRec& rec, std::intptr_t object = 0) {
        // Inline fast path: loading appends millions of lines.
        if (object == 0 && !m_chunks.empty()) {
            TChunk& last = m_chunks.back();
            auto* packed = std::get_if<TPackedChunk>(&last.form);
            if (packed && packed->TryAppend(rec)) {
                ++last.count;
                last.longest = -1;
                m_longest = -1;
                ++m_count;
                return;
            }
        }
        AppendSlow(rec, object);
    }
    // Inserts before `index` (0..Count()).
    void Insert(int index, TOwnedText text, std::intptr_t object = 0);
    // Inserts `n` empty lines with the given range state before `index`.
    void InsertEmpty(int index, int n, std::int32_t range);
    // Removes `n` lines from `index` on, freeing their owned texts.
    void Erase(int index, int n);
    void Swap(int a, int b);
    void Clear();

    // Calls f(text, index) for every line from `from` up to but excluding `to` (the end when
    // negative), in order.
    template <typename F>
    void ForEachText(int from, F&& f, int to = -1) const;
    // Calls f(text, owned, index) likewise; `owned` tells a text the store owns (an edited
    // line) from one in the arena.
    template <typename F>
    void ForEachLine(int from, F&& f, int to = -1) const;
    // For each line i in [from, to): Range(i + 1) = next(Text(i), Range(i), i), in order.
    template <typename F>
    void ChainRanges(int from, int to, F&& next);
    // For the range chaining shared with a second thread (synedit_range_sharing.h): the first
    // line of the chunk holding line `index`, and the second thread's walk.
    int FirstLineOfChunkAt(int index) const { return m_starts[Locate(index).first]; }
    // From line `first` (the first of a chunk) to `to`: Range(i) = the state skim gives from
    // the line before, starting with `range` as the state of `first - 1` whose text is
    // `before`. Stops when skim declines, when `stop()` is true (asked every 64 lines) or at
    // `to`; returns the last line whose state it set (first - 1 for none). It touches only
    // the states of the chunks from `first` on, and none of the look-up caches.
    template <typename Stop>
    int SkimRangesFrom(int first, std::string_view before, std::int32_t range, int to,
                       TRangeSkim skim, Stop&& stop);

    // The longest line length as given by measure(text), from the chunks' caches; chunks
    // whose lines changed since are measured again. measure(text) must be text.size() for a
    // text without tabs: packed chunks without any are measured from their length codes.
    template <typename F>
    std::int32_t Longest(F&& measure);
    // Forgets every cached longest length (the measure changed).
    void ForgetLongest();
    // Tells every packed chunk that its texts hold no tab (they were read from a file that
    // held none), so the longest line is found from the length codes alone.
    void KnowWithoutTabs();

    // Appends every line of `source` to this store, calling afterEach(index) after each one
    // (with Count() == index + 1), taking the source's chunks over whole where it can so only
    // one extra chunk is ever held. `source` is left empty.
    template <typename F>
    void MoveAppendFrom(TSynEditLineStore& source, F&& afterEach);

  private:
    // The test programs define this class to check the chunk bookkeeping; nothing else does.
    friend class TSynEditInvariants;

    struct TChunk {
        int count = 0;
        std::int32_t longest = -1;  // longest measured line length; -1 = not known
        std::variant<TPackedChunk, TLooseChunk> form;
    };

    // (chunk, offset) of a line; index == Count() gives the end of the last chunk.
    std::pair<int, int> Locate(int index) const;
    // The same, starting from the cursor's chunk and leaving the line's chunk there.
    std::pair<int, int> Locate(int index, int& hint) const {
        // Inline fast path: most look-ups are in the chunk of the one before.
        const int c = hint;
        if (c < static_cast<int>(m_chunks.size())) {
            const int offset = index - m_starts[c];
            if (offset >= 0 && offset < m_chunks[c].count) return {c, offset};
        }
        return LocateFrom(index, hint);
    }
    std::pair<int, int> LocateFrom(int index, int& hint) const;
    // Offset of line k of packed chunk c, from the cursor's last one when that was of the same
    // line or the one before it.
    // Inline, since readers mostly go line after line.
    std::uint32_t OffsetIn(const TPackedChunk& chunk, int c, int k, TLineCursor& cursor) const {
        if (cursor.version == m_version && cursor.offsetChunk == c) {
            if (cursor.offsetLine == k) return cursor.offset;
            if (cursor.offsetLine == k - 1) {
                cursor.offsetLine = k;
                return cursor.offset = chunk.OffsetAfter(k - 1, cursor.offset);
            }
        }
        return OffsetFromAnchor(chunk, c, k, cursor);
    }
    std::uint32_t OffsetFromAnchor(const TPackedChunk& chunk, int c, int k,
                                   TLineCursor& cursor) const;
    static void SetRangeIn(TChunk& chunk, int k, std::int32_t range) {
        if (auto* packed = std::get_if<TPackedChunk>(&chunk.form))
            packed->SetRange(k, range);
        else
            std::get<TLooseChunk>(chunk.form).SetRange(k, range);
    }
    // The chunk in loose form (turned loose when packed).
    static TLooseChunk& Loose(TChunk& chunk);
    // Calls f(chunk, k, text, owned, index) for the lines in [from, to).
    template <typename Self, typename F>
    static void Walk(Self& self, int from, int to, F& f);
    // Walk from a known (chunk, offset) of line `from`, without touching any cursor.
    template <typename Self, typename F>
    static void WalkFrom(Self& self, int chunk, int offset, int from, int to, F& f);
    void AppendSlow(const TSynEditStringRec& rec, std::intptr_t object);
    void Touch(TChunk& chunk) {
        chunk.longest = -1;
        m_longest = -1;
    }
    void TouchMeasured(TChunk& chunk, TMeasuredChange lengths);
    void RebuildStarts(int fromChunk);
    void SplitChunk(int chunk, int offset);
    void MergeWithNext(int chunk);
    static std::uint64_t NextVersion();

    std::vector<TChunk> m_chunks;
    std::vector<int> m_starts;  // index of the first line of each chunk
    int m_count = 0;
    std::int32_t m_longest = -1;  // the largest of the chunks' caches; -1 = not known
    // Changes with the chunks' places (rebuilt or cleared): cursors of another version forget
    // their offsets. Unique among all stores, so a cursor is never fooled by a swapped store.
    std::uint64_t m_version;
    TLineCursor m_cursor;  // the changing methods' own
};

template <typename Self, typename F>
void TSynEditLineStore::Walk(Self& self, int from, int to, F& f) {
    if (to < 0 || to > self.m_count) to = self.m_count;
    if (from < 0) from = 0;
    if (from >= to) return;
    auto [chunk, offset] = self.Locate(from);
    WalkFrom(self, chunk, offset, from, to, f);
}

template <typename Self, typename F>
void TSynEditLineStore::WalkFrom(Self& self, int chunk, int offset, int from, int to, F& f) {
    int index = from;
    for (int c = chunk; index < to; ++c) {
        auto& ch = self.m_chunks[c];
        int k = c == chunk ? offset : 0;
        const auto* packed = std::get_if<TPackedChunk>(&ch.form);
        if (!packed) {
            const TLooseChunk& loose = std::get<TLooseChunk>(ch.form);
            for (; k < ch.count && index < to; ++k) {
                const TSynEditStringRec& rec = loose.At(k);
                f(ch, k, std::string_view(rec.text, rec.length), rec.owned != 0, index++);
            }
            continue;
        }
        // Packed: the offsets follow from one line to the next; most chunks of a loaded text
        // have no changed text and one kind of line break, and a loop of their own.
        TPackedChunk::TCursor cursor(*packed, k);
        const int stop = std::min(ch.count, k + (to - index));
        if (cursor.Plain()) {
            for (; k < stop; ++k) f(ch, k, cursor.NextPlain(*packed, k), false, index++);
            continue;
        }
        for (; k < stop; ++k) {
            bool owned;
            const std::string_view text = cursor.Next(*packed, k, owned);
            f(ch, k, text, owned, index++);
        }
    }
}

template <typename F>
void TSynEditLineStore::ForEachText(int from, F&& f, int to) const {
    auto visit = [&f](const TChunk&, int, std::string_view text, bool, int index) {
        f(text, index);
    };
    Walk(*this, from, to, visit);
}

template <typename F>
void TSynEditLineStore::ForEachLine(int from, F&& f, int to) const {
    auto visit = [&f](const TChunk&, int, std::string_view text, bool owned, int index) {
        f(text, owned, index);
    };
    Walk(*this, from, to, visit);
}

template <typename F>
void TSynEditLineStore::ChainRanges(int from, int to, F&& next) {
    if (from < 0 || to >= m_count || from >= to) return;
    std::string_view text = Text(from, m_cursor);
    std::int32_t range = Range(from);
    auto [chunk, offset] = Locate(from + 1, m_cursor.chunk);
    int index = from + 1;
    const int end = to + 1;
    for (int c = chunk; index < end; ++c) {
        TChunk& ch = m_chunks[c];
        int k = c == chunk ? offset : 0;
        auto* packed = std::get_if<TPackedChunk>(&ch.form);
        if (!packed) {
            TLooseChunk& loose = std::get<TLooseChunk>(ch.form);
            for (; k < ch.count && index < end; ++k, ++index) {
                range = next(text, range, index - 1);
                loose.SetRange(k, range);
                text = loose.Text(k);
            }
            continue;
        }
        // Packed: the range codes are held in a local, which the calls of `next` cannot
        // change, so it stays in a register.
        std::uint8_t* const codes = packed->RangeCodes();
        TPackedChunk::TCursor cursor(*packed, k);
        const int stop = std::min(ch.count, k + (end - index));
        for (; k < stop; ++k, ++index) {
            range = next(text, range, index - 1);
            packed->SetRange(codes, k, range);
            bool owned;
            text = cursor.Next(*packed, k, owned);
        }
    }
}

template <typename Stop>
int TSynEditLineStore::SkimRangesFrom(int first, std::string_view before, std::int32_t range,
                                      int to, TRangeSkim skim, Stop&& stop) {
    // The chunk is found without a cursor: the cursors are the other thread's.
    const int chunk = Locate(first).first;
    std::string_view text = before;
    int done = first - 1;
    bool stopped = false;
    auto visit = [&](TChunk& ch, int k, std::string_view lineText, bool, int index) {
        if (stopped) return;
        if ((index & 63) == 0 && stop()) stopped = true;
        if (stopped || !skim(text, range)) {
            stopped = true;
            return;
        }
        SetRangeIn(ch, k, range);
        done = index;
        text = lineText;
    };
    WalkFrom(*this, chunk, 0, first, to + 1, visit);
    return done;
}

template <typename F>
std::int32_t TSynEditLineStore::Longest(F&& measure) {
    if (m_longest >= 0 || m_count == 0) return std::max(m_longest, 0);
    std::int32_t longest = 0;
    int start = 0;
    for (TChunk& chunk : m_chunks) {
        const auto* packed = std::get_if<TPackedChunk>(&chunk.form);
        if (chunk.longest < 0 && packed && !packed->HasEdited() && packed->WithoutTabs())
            chunk.longest = packed->LongestPacked();
        if (chunk.longest < 0) {
            std::int32_t value = 0;
            auto visit = [&](const TChunk&, int, std::string_view text, bool, int) {
                value = std::max<std::int32_t>(value, measure(text));
            };
            Walk(*this, start, start + chunk.count, visit);
            chunk.longest = value;
        }
        longest = std::max(longest, chunk.longest);
        start += chunk.count;
    }
    m_longest = longest;
    return longest;
}

template <typename F>
void TSynEditLineStore::MoveAppendFrom(TSynEditLineStore& source, F&& afterEach) {
    for (TChunk& chunk : source.m_chunks) {
        const int n = chunk.count;
        if (n == 0) continue;
        if (m_chunks.empty() || m_chunks.back().count >= kChunkSize) {
            // The chunk is taken over whole; its lines join the count one by one, so each
            // is reported as the last line of the list.
            m_starts.push_back(m_count);
            m_chunks.push_back(std::move(chunk));
            m_longest = -1;
            for (int k = 0; k < n; ++k) afterEach(m_count++);
            continue;
        }
        // Line by line into the last chunk, each with its text.
        TLooseChunk& lines = Loose(chunk);
        for (int o = 0; o < n; ++o) {
            const std::intptr_t object = lines.Object(o);
            Append(lines.Release(o), object);
            afterEach(m_count - 1);
        }
        chunk = TChunk();
    }
    source.Clear();
}
