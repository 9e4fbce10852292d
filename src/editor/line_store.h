// Storage of the lines: a sequence of chunks of at most 1024 lines with the index of each
// chunk's first line, so inserting or deleting one line moves at most one chunk's records
// instead of the whole list.
//
// A chunk is packed or loose. Lines appended whose texts follow one another in memory (a
// file's lines in the reader's block, separated by their line breaks) go into packed chunks,
// which cost about one and a half bytes per line beside the text: one byte of length, half a
// byte of range state, and every 32nd line's offset from the chunk's first text. A packed
// chunk never changes shape: a line whose text changes is listed with its new text (up to
// half the chunk's lines), and an insert, a delete or an object set within it turns it loose:
// one 16-byte record per line plus per-line objects. Range states can be set in either form.
//
// Each chunk also caches the longest tab-expanded length of its lines, reset whenever a line
// of it changes, so the longest line of a long text is found again by measuring one chunk.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "editor/string_rec.h"

// A changed line's length before and after, as the store's longest line is measured; -1 when
// not known.
struct TMeasuredChange {
    std::int32_t before = -1;
    std::int32_t after = -1;
};

class TSynEditLineStore {
  public:
    static constexpr int kChunkSize = 1024;

    int Count() const { return m_count; }
    std::string_view Text(int index) const;
    // The line as a record (a copy).
    TSynEditStringRec Record(int index) const;
    // Gives the line the text, length and ownership of `text` (its range state stays) and
    // returns the record of the text it had, for the caller to release. `lengths`, when
    // given, are the old and the new text's lengths as Longest measures them: the longest
    // lengths then stay known wherever the change cannot have altered them.
    TSynEditStringRec SetText(int index, const TSynEditStringRec& text,
                              TMeasuredChange lengths = {});
    std::int32_t Range(int index) const;
    void SetRange(int index, std::int32_t range);
    std::intptr_t ObjectAt(int index) const;
    void SetObject(int index, std::intptr_t object);

    // Appends a line; it is packed when it can be (no object, not owned, its text lying after
    // the previous line's in memory).
    void Append(const TSynEditStringRec& rec, std::intptr_t object = 0) {
        // Inline fast path: loading appends millions of lines.
        if (object == 0 && !m_chunks.empty() && TryPack(m_chunks.back(), rec)) {
            m_chunks.back().longest = -1;
            m_longest = -1;
            ++m_count;
            return;
        }
        AppendSlow(rec, object);
    }
    // Inserts before `index` (0..Count()).
    void Insert(int index, const TSynEditStringRec& rec, std::intptr_t object = 0);
    // Inserts `n` copies of `rec` before `index`.
    void InsertCopies(int index, int n, const TSynEditStringRec& rec);
    // Removes `n` lines from `index` on; the caller releases their owned text first.
    void Erase(int index, int n);
    void Swap(int a, int b);
    void Clear();

    // Calls f(text, index) for every line from `from` up to but excluding `to` (the end when
    // negative), in order.
    template <typename F>
    void ForEachText(int from, F&& f, int to = -1) const;
    // Calls f(text, owned, index) likewise.
    template <typename F>
    void ForEachLine(int from, F&& f, int to = -1) const;
    // Calls f(text) for every owned text of the lines in [from, to).
    template <typename F>
    void ForEachOwned(int from, int to, F&& f) const;
    // For each line i in [from, to): Range(i + 1) = next(Text(i), Range(i), i), in order.
    template <typename F>
    void ChainRanges(int from, int to, F&& next);
    // The same, with a long run shared by a second thread: it carries the states through the
    // later half with skim(text, range&) (true with the next state in `range`, false when it
    // cannot tell; it must be safe to call from another thread), starting from the guess that
    // the state at the half is that of line `from`, while this thread chains the first half.
    // Where the guess proves right, this thread goes on from where the other stopped;
    // otherwise it chains the later half itself. The states are those of ChainRanges either
    // way.
    template <typename F, typename S>
    void ChainRangesShared(int from, int to, F&& next, S&& skim);
    static constexpr int kSharedChainFrom = 1 << 16;

    // The longest line length as given by measure(text), from the chunks' caches; chunks
    // whose lines changed since are measured again. measure(text) must be text.size() for a
    // text without tabs: packed chunks without any are measured from their length codes.
    template <typename F>
    std::int32_t Longest(F&& measure);
    // Forgets every cached longest length (the measure changed).
    void ForgetLongest();

    // Appends every line of `source` to this store, calling afterEach(index) after each one
    // (with Count() == index + 1), taking the source's chunks over whole where it can so only
    // one extra chunk is ever held. `source` is left empty.
    template <typename F>
    void MoveAppendFrom(TSynEditLineStore& source, F&& afterEach);

  private:
    // The test programs define this class to check the chunk bookkeeping; nothing else does.
    friend class TSynEditInvariants;

    static constexpr int kAnchorShift = 5;  // a stored offset every 32 lines
    static constexpr std::uint8_t kBigLength = 255;
    static constexpr std::uint8_t kBigRange = 15;
    // A packed chunk lists at most this many changed texts; one more turns it loose.
    static constexpr std::size_t kMaxEdited = kChunkSize / 2;

    // (line within the chunk, value) pairs sorted by line: the exceptions of a packed chunk.
    template <typename T>
    using Exceptions = std::vector<std::pair<std::uint16_t, T>>;

    struct Chunk {
        int count = 0;
        bool packed = false;
        std::int32_t longest = -1;  // longest measured line length; -1 = not known
        // Packed form. Line k's text starts `offset(k)` bytes after `base`, where offset(k+1)
        // = offset(k) + length(k) + gap(k) and the gap (the line break) is `gap` unless listed.
        const char* base = nullptr;
        std::vector<std::uint8_t> lengths;  // kBigLength: see bigLengths
        Exceptions<std::uint32_t> bigLengths;
        Exceptions<std::uint32_t> gaps;        // gap after the line where it is not `gap`
        std::vector<std::uint32_t> anchors;    // offset of lines 0, 32, 64, ...
        std::vector<std::uint8_t> rangeCodes;  // two lines a byte; empty: every range is -1
        Exceptions<std::int32_t> bigRanges;    // ranges stored as kBigRange
        std::uint32_t end = 0;                 // offset just past the last line's text
        std::uint32_t gap = 0;
        // Lines whose text changed since they were packed, with the new text (the range in
        // the record is not used); lengths and offsets still describe the packed texts.
        Exceptions<TSynEditStringRec> edited;
        // Loose form.
        std::vector<TSynEditStringRec> records;
        std::vector<std::intptr_t> objects;  // empty, or one per record
    };

    // (chunk, offset) of a line; index == Count() gives the end of the last chunk.
    std::pair<int, int> Locate(int index) const {
        // Inline fast path: most look-ups are in the chunk of the one before.
        const int c = m_hint;
        if (c < static_cast<int>(m_chunks.size())) {
            const int offset = index - m_starts[c];
            if (offset >= 0 && offset < m_chunks[c].count) return {c, offset};
        }
        return LocateElsewhere(index);
    }
    std::pair<int, int> LocateElsewhere(int index) const;
    static std::uint32_t PackedLength(const Chunk& chunk, int k);
    static std::uint32_t PackedGap(const Chunk& chunk, int k);
    static std::uint32_t PackedOffset(const Chunk& chunk, int k);
    // PackedOffset of line k of packed chunk c, from the last offset asked for when that was
    // of the same line or the one before it, as when lines are read one after another.
    std::uint32_t OffsetIn(int c, int k) const {
        if (m_lastOffset.chunk == c && m_lastOffset.line == k) return m_lastOffset.offset;
        return OffsetFromLast(c, k);
    }
    std::uint32_t OffsetFromLast(int c, int k) const;
    static std::int32_t PackedRange(const Chunk& chunk, int k);
    // The changed text of line k of packed chunk c, or nullptr when it has none.
    const TSynEditStringRec* EditedIn(int c, int k) const {
        const std::ptrdiff_t at = EditedAt(c, k);
        return at < 0 ? nullptr : &m_chunks[c].edited[static_cast<std::size_t>(at)].second;
    }
    // Its position in the chunk's list, or -1.
    std::ptrdiff_t EditedAt(int c, int k) const {
        const auto& list = m_chunks[c].edited;
        // Inline fast path: most lines have no change listed after them in their chunk.
        if (list.empty() || list.back().first < k) return -1;
        return EditedBefore(c, k);
    }
    // EditedAt for a line before the last listed one.
    std::ptrdiff_t EditedBefore(int c, int k) const;
    static void SetPackedRange(Chunk& chunk, int k, std::int32_t range);
    static std::int32_t RangeIn(const Chunk& chunk, int k) {
        return chunk.packed ? PackedRange(chunk, k) : chunk.records[k].range;
    }
    static void SetRangeIn(Chunk& chunk, int k, std::int32_t range) {
        if (!chunk.packed) {
            chunk.records[k].range = range;
            return;
        }
        // Fast path: a small state replacing a small state.
        const auto code = static_cast<std::uint32_t>(range + 1);
        if (code < kBigRange && !chunk.rangeCodes.empty()) {
            std::uint8_t& pair = chunk.rangeCodes[k >> 1];
            const int shift = (k & 1) * 4;
            if (((pair >> shift) & 15) != kBigRange) {
                pair = static_cast<std::uint8_t>((pair & ~(15 << shift)) | (code << shift));
                return;
            }
        }
        SetPackedRange(chunk, k, range);
    }
    static bool TryPack(Chunk& chunk, const TSynEditStringRec& rec);
    static bool PackedWithoutTabs(const Chunk& chunk);
    static std::int32_t PackedLongest(const Chunk& chunk);
    void AppendSlow(const TSynEditStringRec& rec, std::intptr_t object);
    static void Loosen(Chunk& chunk);
    void Touch(Chunk& chunk) {
        chunk.longest = -1;
        m_longest = -1;
    }
    // Touch for a line whose measured length changed as given: a known longest length stays
    // known unless the line may have been the longest and got shorter.
    void TouchMeasured(Chunk& chunk, TMeasuredChange lengths) {
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
    // Reads the lines of a packed chunk one after another from a given line on. The chunk's
    // arrays are held in the cursor, which the callers' callbacks cannot change, so they stay
    // in registers.
    struct PackedCursor {
        PackedCursor(const Chunk& chunk, int k)
            : base(chunk.base),
              lengths(chunk.lengths.data()),
              usualGap(chunk.gap),
              gap(chunk.gaps.data()),
              gapsEnd(gap + chunk.gaps.size()),
              edited(chunk.edited.data()),
              editedEnd(edited + chunk.edited.size()),
              position(PackedOffset(chunk, k)) {
            while (gap != gapsEnd && gap->first < k) ++gap;
            while (edited != editedEnd && edited->first < k) ++edited;
        }
        // The text of line k, the line after the one read before, and whether it is owned.
        std::string_view Next(const Chunk& chunk, int k, bool& owned) {
            const std::uint32_t length =
                lengths[k] != kBigLength ? lengths[k] : PackedLength(chunk, k);
            std::string_view text(base + position, length);
            owned = false;
            if (edited != editedEnd && edited->first == k) {
                text = std::string_view(edited->second.text, edited->second.length);
                owned = edited->second.owned != 0;
                ++edited;
            }
            std::uint32_t step = usualGap;
            if (gap != gapsEnd && gap->first == k) step = (gap++)->second;
            position += length + step;
            return text;
        }
        const char* const base;
        const std::uint8_t* const lengths;
        const std::uint32_t usualGap;
        const std::pair<std::uint16_t, std::uint32_t>* gap;
        const std::pair<std::uint16_t, std::uint32_t>* const gapsEnd;
        const std::pair<std::uint16_t, TSynEditStringRec>* edited;
        const std::pair<std::uint16_t, TSynEditStringRec>* const editedEnd;
        std::uint32_t position;
    };
    // Calls f(chunk, k, text, owned, index) for the lines in [from, to).
    template <typename Self, typename F>
    static void Walk(Self& self, int from, int to, F& f);
    // Walk from a known (chunk, offset) of line `from`, without touching the look-up hint.
    template <typename Self, typename F>
    static void WalkFrom(Self& self, int chunk, int offset, int from, int to, F& f);
    void RebuildStarts(int fromChunk);
    void SplitChunk(int chunk, int offset);
    void MergeWithNext(int chunk);
    static void EnsureObjects(Chunk& chunk);

    std::vector<Chunk> m_chunks;
    std::vector<int> m_starts;  // index of the first line of each chunk
    int m_count = 0;
    std::int32_t m_longest = -1;  // the largest of the chunks' caches; -1 = not known
    mutable int m_hint = 0;       // chunk of the last lookup, so walks over the lines stay O(1)
    // The last offset OffsetIn gave; chunk -1 when none. Chunks keep their index and packed
    // lines their offsets until the chunks are rebuilt or cleared, which forget it.
    struct LastOffset {
        int chunk = -1;
        int line = 0;
        std::uint32_t offset = 0;
    };
    mutable LastOffset m_lastOffset;
    // Position in a packed chunk's list of changed texts of the last one looked up: a guess,
    // checked before use, since look-ups mostly follow one another line by line.
    mutable std::size_t m_editedHint = 0;
};

inline std::uint32_t TSynEditLineStore::PackedLength(const Chunk& chunk, int k) {
    const std::uint8_t code = chunk.lengths[k];
    if (code != kBigLength) return code;
    auto it = std::lower_bound(chunk.bigLengths.begin(), chunk.bigLengths.end(),
                               std::pair<std::uint16_t, std::uint32_t>(k, 0));
    return it->second;
}

inline std::int32_t TSynEditLineStore::PackedRange(const Chunk& chunk, int k) {
    if (chunk.rangeCodes.empty()) return -1;
    const int code = (chunk.rangeCodes[k >> 1] >> ((k & 1) * 4)) & 15;
    if (code != kBigRange) return code - 1;
    auto it = std::lower_bound(chunk.bigRanges.begin(), chunk.bigRanges.end(),
                               std::pair<std::uint16_t, std::int32_t>(k, INT32_MIN));
    return it->second;
}

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
        if (!ch.packed) {
            for (; k < ch.count && index < to; ++k) {
                const TSynEditStringRec& rec = ch.records[k];
                f(ch, k, std::string_view(rec.text, rec.length), rec.owned != 0, index++);
            }
            continue;
        }
        // Packed: the offsets follow from one line to the next.
        PackedCursor cursor(ch, k);
        const int stop = std::min(ch.count, k + (to - index));
        for (; k < stop; ++k) {
            bool owned;
            const std::string_view text = cursor.Next(ch, k, owned);
            f(ch, k, text, owned, index++);
        }
    }
}

template <typename F>
void TSynEditLineStore::ForEachText(int from, F&& f, int to) const {
    auto visit = [&f](const Chunk&, int, std::string_view text, bool, int index) {
        f(text, index);
    };
    Walk(*this, from, to, visit);
}

template <typename F>
void TSynEditLineStore::ForEachLine(int from, F&& f, int to) const {
    auto visit = [&f](const Chunk&, int, std::string_view text, bool owned, int index) {
        f(text, owned, index);
    };
    Walk(*this, from, to, visit);
}

template <typename F>
void TSynEditLineStore::ForEachOwned(int from, int to, F&& f) const {
    if (from < 0) from = 0;
    if (to > m_count) to = m_count;
    if (from >= to) return;
    auto [chunk, offset] = Locate(from);
    int index = from;
    for (int c = chunk; index < to; ++c) {
        const Chunk& ch = m_chunks[c];
        int k = c == chunk ? offset : 0;
        if (ch.packed) {
            const int n = std::min(ch.count - k, to - index);
            for (const auto& [line, rec] : ch.edited)
                if (line >= k && line < k + n && rec.owned) f(rec.text);
            index += n;
            continue;
        }
        for (; k < ch.count && index < to; ++k, ++index)
            if (ch.records[k].owned) f(ch.records[k].text);
    }
}

template <typename F>
void TSynEditLineStore::ChainRanges(int from, int to, F&& next) {
    if (from < 0 || to >= m_count || from >= to) return;
    std::string_view text = Text(from);
    std::int32_t range = Range(from);
    auto [chunk, offset] = Locate(from + 1);
    int index = from + 1;
    const int end = to + 1;
    for (int c = chunk; index < end; ++c) {
        Chunk& ch = m_chunks[c];
        int k = c == chunk ? offset : 0;
        if (!ch.packed) {
            for (; k < ch.count && index < end; ++k, ++index) {
                TSynEditStringRec& rec = ch.records[k];
                range = next(text, range, index - 1);
                rec.range = range;
                text = std::string_view(rec.text, rec.length);
            }
            continue;
        }
        // Packed: the range codes are held in a local, which the calls of `next` cannot
        // change, so it stays in a register.
        if (ch.rangeCodes.empty()) ch.rangeCodes.assign(kChunkSize / 2, 0);
        std::uint8_t* const codes = ch.rangeCodes.data();
        PackedCursor cursor(ch, k);
        const int stop = std::min(ch.count, k + (end - index));
        for (; k < stop; ++k, ++index) {
            range = next(text, range, index - 1);
            const auto code = static_cast<std::uint32_t>(range + 1);
            const int shift = (k & 1) * 4;
            std::uint8_t& pair = codes[k >> 1];
            if (code < kBigRange && ((pair >> shift) & 15) != kBigRange)
                pair = static_cast<std::uint8_t>((pair & ~(15 << shift)) | (code << shift));
            else
                SetPackedRange(ch, k, range);
            bool owned;
            text = cursor.Next(ch, k, owned);
        }
    }
}

template <typename F, typename S>
void TSynEditLineStore::ChainRangesShared(int from, int to, F&& next, S&& skim) {
    if (from < 0 || to >= m_count || to - from < kSharedChainFrom) {
        ChainRanges(from, to, next);
        return;
    }
    // The later half starts with the first line of a chunk, so that each thread writes the
    // states of its own chunks only; the other thread never uses the look-up hint.
    const int c = Locate(from + (to - from) / 2).first;
    const int first = m_starts[c];
    if (first <= from + 1) {
        ChainRanges(from, to, next);
        return;
    }
    const std::int32_t guess = Range(from);
    int reached = first - 1;  // the other thread's states are set for lines up to here
    // Set when this thread is done with the first half: the other one stops soon after, and
    // this one goes on from where it stopped, so a helper starved of processor time costs
    // no more than doing the work here.
    std::atomic<bool> stop{false};
    {
        std::jthread helper(
            [this, c, first, to, guess, &skim, &reached, &stop, start = Text(first - 1)] {
                // Everything the walk updates is the helper's own, so nothing it writes per line
                // shares a cache line with this thread.
                std::string_view text = start;
                std::int32_t range = guess;
                int done = first - 1;
                bool stopped = false;
                auto visit = [&](Chunk& chunk, int k, std::string_view lineText, bool, int index) {
                    if (stopped) return;
                    if ((index & 63) == 0 && stop.load(std::memory_order_relaxed)) stopped = true;
                    if (stopped || !skim(text, range)) {
                        stopped = true;
                        return;
                    }
                    SetRangeIn(chunk, k, range);
                    done = index;
                    text = lineText;
                };
                WalkFrom(*this, c, 0, first, to + 1, visit);
                reached = done;
            });
        ChainRanges(from, first - 1, next);
        stop = true;
    }
    if (Range(first - 1) == guess) {
        ChainRanges(reached, to, next);
    } else {
        ChainRanges(first - 1, to, next);
    }
}

template <typename F>
std::int32_t TSynEditLineStore::Longest(F&& measure) {
    if (m_longest >= 0 || m_count == 0) return std::max(m_longest, 0);
    std::int32_t longest = 0;
    int start = 0;
    for (Chunk& chunk : m_chunks) {
        if (chunk.longest < 0 && chunk.packed && chunk.edited.empty() && PackedWithoutTabs(chunk))
            chunk.longest = PackedLongest(chunk);
        if (chunk.longest < 0) {
            std::int32_t value = 0;
            auto visit = [&](const Chunk&, int, std::string_view text, bool, int) {
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
    for (Chunk& chunk : source.m_chunks) {
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
        Loosen(chunk);
        const bool hasObjects = !chunk.objects.empty();
        for (int o = 0; o < n; ++o) {
            Append(chunk.records[o], hasObjects ? chunk.objects[o] : 0);
            afterEach(m_count - 1);
        }
        chunk = Chunk();
    }
    source.Clear();
}

inline bool TSynEditLineStore::TryPack(Chunk& chunk, const TSynEditStringRec& rec) {
    if (!chunk.packed || chunk.count >= kChunkSize || rec.owned) return false;
    const char* text = rec.text;
    std::uint32_t offset;
    if (chunk.count == 0) {
        if (!text) return false;
        chunk.base = text;
        offset = 0;
        chunk.lengths.reserve(kChunkSize);
        chunk.anchors.reserve(kChunkSize >> kAnchorShift);
    } else {
        // An empty line without text is placed right after the previous line.
        if (!text) text = chunk.base + chunk.end;
        // Compared as addresses: the text may lie in another block than the chunk's first.
        const auto from = reinterpret_cast<std::uintptr_t>(chunk.base);
        const auto at = reinterpret_cast<std::uintptr_t>(text);
        if (at < from + chunk.end) return false;
        const std::uint64_t distance = at - from;
        if (distance > std::numeric_limits<std::uint32_t>::max() - rec.length) return false;
        offset = static_cast<std::uint32_t>(distance);
        const std::uint32_t gap = offset - chunk.end;
        if (chunk.count == 1) {
            chunk.gap = gap;
        } else if (gap != chunk.gap) {
            chunk.gaps.emplace_back(static_cast<std::uint16_t>(chunk.count - 1), gap);
        }
    }
    const int k = chunk.count++;
    if ((k & ((1 << kAnchorShift) - 1)) == 0) chunk.anchors.push_back(offset);
    if (rec.length < kBigLength) {
        chunk.lengths.push_back(static_cast<std::uint8_t>(rec.length));
    } else {
        chunk.lengths.push_back(kBigLength);
        chunk.bigLengths.emplace_back(static_cast<std::uint16_t>(k), rec.length);
    }
    chunk.end = offset + rec.length;
    // A fresh line's code is already 0 (range -1).
    if (rec.range != -1) SetPackedRange(chunk, k, rec.range);
    return true;
}
