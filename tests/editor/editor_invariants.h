// Invariant checks of the line buffer and of the editor's caret and selection clamps, for the
// test programs only: the buffer's classes name TSynEditInvariants as a friend, and this is its
// only definition, so the checks cost the program nothing. Each check returns "" when every
// invariant holds, else one line per broken one, so a test reads
// ASSERT_EQ(CheckInvariants(list), "").
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <iterator>
#include <limits>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "editor/custom_synedit.h"
#include "editor/line_chunks.h"
#include "editor/line_store.h"
#include "editor/string_list.h"
#include "editor/tab_expander.h"
#include "editor/text_arena.h"

class TSynEditInvariants {
  public:
    static std::string Check(const TSynEditStringList& list) {
        std::ostringstream out;
        CheckStore(list.m_store, out);
        CheckLines(list, out);
        return out.str();
    }

    // How many lines lie in packed chunks.
    static int PackedLines(const TSynEditStringList& list) {
        int packed = 0;
        for (const auto& chunk : list.m_store.m_chunks)
            if (std::holds_alternative<TPackedChunk>(chunk.form)) packed += chunk.count;
        return packed;
    }

  private:
    // Chunks hold 1..kChunkSize lines, as many as their form holds, and the start index of
    // every chunk is the sum of the chunks before it. A loose chunk has per-line objects either
    // not at all or one per line. A packed chunk has every 32nd line an offset, and its
    // exception lists are sorted and name lines of the chunk that are marked as listed (at
    // most kMaxEdited changed texts).
    static void CheckStore(const TSynEditLineStore& store, std::ostringstream& out) {
        const auto& chunks = store.m_chunks;
        if (store.m_starts.size() != chunks.size())
            out << "chunk starts: " << store.m_starts.size() << " for " << chunks.size()
                << " chunks\n";
        int start = 0;
        for (std::size_t c = 0; c < chunks.size(); ++c) {
            const auto& chunk = chunks[c];
            const int size = chunk.count;
            if (size == 0 || size > TSynEditLineStore::kChunkSize)
                out << "chunk " << c << " holds " << size << " lines\n";
            if (const auto* packed = std::get_if<TPackedChunk>(&chunk.form)) {
                CheckPacked(*packed, size, c, out);
            } else {
                const auto& loose = std::get<TLooseChunk>(chunk.form);
                if (static_cast<int>(loose.m_records.size()) != size)
                    out << "chunk " << c << ": " << loose.m_records.size() << " records for "
                        << size << " lines\n";
                if (!loose.m_objects.empty() && loose.m_objects.size() != loose.m_records.size())
                    out << "chunk " << c << ": " << loose.m_objects.size() << " objects for "
                        << size << " lines\n";
            }
            if (c < store.m_starts.size() && store.m_starts[c] != start)
                out << "chunk " << c << " starts at " << store.m_starts[c] << ", not " << start
                    << "\n";
            start += size;
        }
        if (start != store.m_count)
            out << "count " << store.m_count << " but the chunks hold " << start << "\n";
    }

    static void CheckPacked(const TPackedChunk& chunk, int count, std::size_t c,
                            std::ostringstream& out) {
        const int size = chunk.Count();
        const auto& texts = chunk.m_texts;
        if (size != count)
            out << "packed chunk " << c << ": " << size << " lengths for " << count << " lines\n";
        if (static_cast<int>(texts.anchors.size()) != (size + 31) / 32)
            out << "packed chunk " << c << ": " << texts.anchors.size() << " offsets\n";
        auto listed = [&](const auto& list, auto marked, const char* what) {
            for (std::size_t i = 0; i < list.size(); ++i) {
                if (list[i].first >= size || (i > 0 && list[i - 1].first >= list[i].first) ||
                    !marked(list[i].first))
                    out << "packed chunk " << c << ": " << what << " list broken at " << i << "\n";
            }
        };
        std::size_t bigLengths = 0;
        for (int k = 0; k < size; ++k) bigLengths += texts.lengths[k] == 255;
        if (bigLengths != texts.bigLengths.size())
            out << "packed chunk " << c << ": " << bigLengths << " long lines, "
                << texts.bigLengths.size() << " listed\n";
        listed(
            texts.bigLengths, [&](int k) { return texts.lengths[k] == 255; }, "length");
        listed(
            texts.gaps, [&](int k) { return k + 1 < size; }, "gap");
        const auto& codes = chunk.m_ranges.codes;
        const auto code = [&](int k) {
            return codes.empty() ? 0 : (codes[k >> 1] >> ((k & 1) * 4)) & 15;
        };
        std::size_t bigRanges = 0;
        for (int k = 0; k < size; ++k) bigRanges += code(k) == 15;
        if (bigRanges != chunk.m_ranges.big.size())
            out << "packed chunk " << c << ": " << bigRanges << " large ranges, "
                << chunk.m_ranges.big.size() << " listed\n";
        listed(
            chunk.m_ranges.big, [&](int k) { return code(k) == 15; }, "range");
        listed(
            chunk.m_edited, [](int) { return true; }, "changed text");
        if (chunk.m_edited.size() > TPackedChunk::kMaxEdited)
            out << "packed chunk " << c << ": " << chunk.m_edited.size() << " changed texts\n";
    }

    // The arena's blocks as sorted address ranges, so each line is found by a binary search.
    struct Ranges {
        std::vector<std::pair<const char*, const char*>> blocks;
        explicit Ranges(const TSynEditTextArena& arena) {
            for (const auto& block : arena.m_blocks)
                blocks.emplace_back(block.data.get(), block.data.get() + block.size);
            std::sort(blocks.begin(), blocks.end());
        }
        bool Contain(const char* text, std::size_t length) const {
            auto after = std::upper_bound(blocks.begin(), blocks.end(),
                                          std::make_pair(text, static_cast<const char*>(nullptr)),
                                          [](const auto& a, const auto& b) {
                                              return std::less<const char*>()(a.first, b.first);
                                          });
            if (after == blocks.begin()) return false;
            const auto& block = *std::prev(after);
            return !std::less<const char*>()(block.second, text) &&
                   static_cast<std::size_t>(block.second - text) >= length;
        }
    };

    // Every line's text is its own allocation or lies inside a block of the arena; a chunk's
    // cached longest length is that of its longest line, and the store's cache the largest of
    // them; the capacity covers the lines; no change bracket is left negative.
    static void CheckLines(const TSynEditStringList& list, std::ostringstream& out) {
        const int count = list.GetCount();
        const Ranges arena(list.m_arena);
        int reported = 0;
        auto report = [&](int index, const char* what) {
            if (++reported <= 5) out << "line " << index << ": " << what << "\n";
        };
        const TSynEditLineStore& store = list.m_store;
        int start = 0;
        std::int32_t longestOfAll = 0;
        bool allKnown = true;
        for (const auto& chunk : store.m_chunks) {
            std::int32_t longest = 0;
            store.ForEachLine(
                start,
                [&](std::string_view text, bool owned, int index) {
                    if (text.size() >
                        static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
                        report(index, "length beyond the largest line");
                    if (!text.data() && !text.empty()) report(index, "no text but a length");
                    if (owned && text.empty()) report(index, "owns an empty text");
                    if (!owned && text.data() && !arena.Contain(text.data(), text.size()))
                        report(index, "text neither owned nor in the arena");
                    bool tabs = false;
                    longest = std::max(longest, static_cast<std::int32_t>(std::min<std::size_t>(
                                                    ExpandedTabLength(text, list.m_tabWidth, tabs),
                                                    std::numeric_limits<std::int32_t>::max())));
                },
                start + chunk.count);
            if (chunk.longest >= 0 && chunk.longest != longest)
                out << "chunk from line " << start << ": cached longest " << chunk.longest
                    << ", not " << longest << "\n";
            allKnown = allKnown && chunk.longest >= 0;
            longestOfAll = std::max(longestOfAll, longest);
            start += chunk.count;
        }
        if (store.m_longest >= 0 && (!allKnown || store.m_longest != longestOfAll))
            out << "cached longest line " << store.m_longest << ", not " << longestOfAll << "\n";
        if (list.m_capacity < count)
            out << "capacity " << list.m_capacity << " below " << count << " lines\n";
        if (list.m_updateCount < 0) out << "update count " << list.m_updateCount << "\n";
        if (list.m_convertTabs != GetBestConvertTabsProc(list.m_tabWidth))
            out << "tab converter not the one for tab width " << list.m_tabWidth << "\n";
    }
};

inline std::string CheckInvariants(const TSynEditStringList& list) {
    return TSynEditInvariants::Check(list);
}

// The line buffer's invariants, plus what holds between two commands of the editor: caret and
// both block ends inside the text and 1..MaxLeftChar, the caret within its line unless the
// caret may go past the line end, the top line and left column inside their scroll ranges, and
// no paint lock or change bracket left open.
inline std::string CheckInvariants(const TCustomSynEdit& editor) {
    std::ostringstream out;
    out << CheckInvariants(editor.Lines());
    const int count = editor.Lines().GetCount();
    const int lines = std::max(1, count);
    auto inside = [&](const char* what, TBufferCoord p) {
        if (p.Line < 1 || p.Line > lines || p.Char < 1 || p.Char > editor.MaxLeftChar())
            out << what << " (" << p.Char << ", " << p.Line << ") outside the text\n";
    };
    inside("caret", editor.CaretXY());
    inside("block begin", editor.BlockBeginRaw());
    inside("block end", editor.BlockEndRaw());
    if (!editor.HasOption(eoScrollPastEol) && editor.CaretY() >= 1 && editor.CaretY() <= lines) {
        const int length = static_cast<int>(editor.Lines().GetView(editor.CaretY() - 1).size());
        if (editor.CaretX() > length + 1)
            out << "caret column " << editor.CaretX() << " beyond the line end " << length + 1
                << "\n";
    }
    if (editor.LastCaretX() < 1) out << "remembered column " << editor.LastCaretX() << "\n";
    const int lastTop =
        editor.HasOption(eoScrollPastEof) ? count : count - editor.LinesInWindow() + 1;
    if (editor.TopLine() < 1 || editor.TopLine() > std::max(1, lastTop))
        out << "top line " << editor.TopLine() << " outside 1.." << std::max(1, lastTop) << "\n";
    if (editor.LeftChar() < 1 || editor.LeftChar() > editor.MaxLeftChar())
        out << "left column " << editor.LeftChar() << "\n";
    if (editor.PaintLock() != 0) out << "paint lock " << editor.PaintLock() << " left open\n";
    if (editor.Lines().UpdateCount() != 0)
        out << "change bracket " << editor.Lines().UpdateCount() << " left open\n";
    return out.str();
}
