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
#include <vector>

#include "editor/custom_synedit.h"
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

  private:
    // Chunks hold 1..kChunkSize records, per-line objects either not at all or one per record,
    // and the start index of every chunk is the sum of the chunks before it.
    static void CheckStore(const TSynEditLineStore& store, std::ostringstream& out) {
        const auto& chunks = store.m_chunks;
        if (store.m_starts.size() != chunks.size())
            out << "chunk starts: " << store.m_starts.size() << " for " << chunks.size()
                << " chunks\n";
        int start = 0;
        for (std::size_t c = 0; c < chunks.size(); ++c) {
            const std::size_t size = chunks[c].records.size();
            if (size == 0 || size > static_cast<std::size_t>(TSynEditLineStore::kChunkSize))
                out << "chunk " << c << " holds " << size << " records\n";
            if (!chunks[c].objects.empty() && chunks[c].objects.size() != size)
                out << "chunk " << c << ": " << chunks[c].objects.size() << " objects for " << size
                    << " records\n";
            if (c < store.m_starts.size() && store.m_starts[c] != start)
                out << "chunk " << c << " starts at " << store.m_starts[c] << ", not " << start
                    << "\n";
            start += static_cast<int>(size);
        }
        if (start != store.m_count)
            out << "count " << store.m_count << " but the chunks hold " << start << "\n";
        if (store.m_hint < 0 ||
            (store.m_hint > 0 && store.m_hint >= static_cast<int>(chunks.size())))
            out << "lookup hint " << store.m_hint << " outside " << chunks.size() << " chunks\n";
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

    // Every record's text is its own allocation or lies inside a block of the arena; a cached
    // tab-expanded length and tab flag agree with the text; the cached longest line is the
    // longest; the capacity covers the lines; no change bracket is left negative.
    static void CheckLines(const TSynEditStringList& list, std::ostringstream& out) {
        const int count = list.GetCount();
        int longest = -1;
        bool allKnown = true;
        const Ranges arena(list.m_arena);
        int reported = 0;
        auto report = [&](int index, const char* what) {
            if (++reported <= 5) out << "line " << index << ": " << what << "\n";
        };
        list.m_store.ForEach(0, [&](const TSynEditStringRec& rec, int index) {
            if (rec.length > static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max()))
                report(index, "length beyond the largest line");
            if (!rec.text && rec.length != 0) report(index, "no text but a length");
            if (rec.owned && (!rec.text || rec.length == 0)) report(index, "owns an empty text");
            if (!rec.owned && rec.text && !arena.Contain(rec.text, rec.length))
                report(index, "text neither owned nor in the arena");
            const std::string_view text(rec.text, rec.length);
            const bool hasTab = text.find('\t') != std::string_view::npos;
            if ((rec.flags & TSynEditStringFlags::HasTabs) && !hasTab)
                report(index, "marked as holding tabs, holds none");
            if ((rec.flags & TSynEditStringFlags::HasNoTabs) && hasTab)
                report(index, "marked as holding no tabs, holds some");
            if (rec.flags & TSynEditStringFlags::LengthUnknown) {
                allKnown = false;
                return;
            }
            bool tabs = false;
            const std::size_t expanded = ExpandedTabLength(text, list.m_tabWidth, tabs);
            const auto capped = static_cast<std::int32_t>(
                std::min<std::size_t>(expanded, std::numeric_limits<std::int32_t>::max()));
            if (rec.expandedLength != capped) report(index, "stale expanded length");
            longest = std::max(longest, capped);
        });
        if (list.m_longestLine >= 0) {
            if (list.m_longestLine >= count)
                out << "longest line " << list.m_longestLine << " beyond " << count << " lines\n";
            else if (!allKnown)
                out << "longest line cached while a line's length is unknown\n";
            else if (list.m_store.At(list.m_longestLine).expandedLength != longest)
                out << "cached longest line " << list.m_longestLine << " is not the longest\n";
        } else if (list.m_longestLine != -1) {
            out << "longest line " << list.m_longestLine << "\n";
        }
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
