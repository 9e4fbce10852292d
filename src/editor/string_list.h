// The editor's line buffer: the text as a list of lines, with each line's highlighter range
// state and cached tab-expanded length, file loading and saving, and change hooks for the
// owning editor.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/line_store.h"
#include "editor/string_list_error.h"
#include "editor/synedit_range_sharing.h"
#include "editor/tab_expander.h"
#include "editor/text_arena.h"

// The line break style of documents this platform creates: CR LF on Windows, LF elsewhere.
#ifdef _WIN32
inline constexpr std::uint8_t kPlatformLineBreakStyle = 1;
#else
inline constexpr std::uint8_t kPlatformLineBreakStyle = 0;
#endif

class TSynEditStringList {
  public:
    using TListHook = std::function<void(TSynEditStringList* sender)>;
    using TLineHook = std::function<void(TSynEditStringList* sender, int index)>;

    TSynEditStringList();
    // Virtual: the list has a virtual hook and may be derived from.
    virtual ~TSynEditStringList();
    TSynEditStringList(const TSynEditStringList&) = delete;
    TSynEditStringList& operator=(const TSynEditStringList&) = delete;

    // String-list operations; line indices from 0.
    int GetCount() const { return m_store.Count(); }
    // Out of range yields the empty string.
    std::string Get(int index) const;
    // Like Get without copying; valid until the line or the list changes.
    std::string_view GetView(int index) const;
    // The same through the caller's cursor: reading line after line costs a step per line.
    using TLineCursor = TSynEditLineStore::TLineCursor;
    std::string_view GetView(int index, TLineCursor& cursor) const;
    // Calls f(text, index) for the lines from `from` up to but excluding `to`, in order, without
    // a look-up per line.
    template <typename F>
    void ForEachView(int from, int to, F&& f) const {
        m_store.ForEachText(from, f, to);
    }
    void Put(int index, std::string_view text);
    // Put of head + middle + tail, copied once; the pieces may lie in the line itself. An edit
    // inside a long line copies it once and tells what it kept without comparing.
    void PutSpliced(int index, std::string_view head, std::string_view middle,
                    std::string_view tail);
    std::intptr_t GetObject(int index) const;
    void PutObject(int index, std::intptr_t object);
    int Add(std::string_view text);
    void Insert(int index, std::string_view text);
    void Delete(int index);
    void Exchange(int index1, int index2);
    void Clear();
    void AddStrings(const TSynEditStringList& other);
    void AddStrings(const std::vector<std::string>& lines);
    // Replaces the lines by those of `other` (with their objects) in one update bracket.
    void Assign(const TSynEditStringList& other);
    int GetCapacity() const { return m_capacity; }
    // Never below the line count, so no line is lost.
    void SetCapacity(int capacity);
    // Raises EFileStreamError when the file cannot be read; the list is then unchanged.
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return m_updateCount; }

    // Operations of the editor.
    std::string ExpandedText(int index);
    int LongestLineLength();
    int LineRange(int index) const;
    void SetLineRange(int index, int range);
    // For each line i in [from, to): LineRange(i + 1) = next(GetView(i), LineRange(i), i), in
    // order, in one walk over the records.
    template <typename F>
    void ChainRanges(int from, int to, F&& next);
    // The same, with long runs shared by a second thread that uses skim(text, range&), a
    // thread-safe shortcut of `next` that may decline (see synedit_range_sharing.h).
    template <typename F, typename S>
    void ChainRanges(int from, int to, F&& next, S&& skim) {
        ChainRangesShared(m_store, from, to, next, skim);
    }
    int TabWidth() const { return m_tabWidth; }
    void SetTabWidth(int tabWidth);
    // 0 = LF only, 1 = CR LF. A new list uses the platform's own line break; a load takes the
    // file's.
    std::uint8_t LineBreakStyle() const { return m_lineBreakStyle; }
    void SetLineBreakStyle(std::uint8_t style) { m_lineBreakStyle = style; }
    void InsertEmptyLines(int index, int count);
    void DeleteLineRun(int index, int count);

    // Every change of the text counts one. Caches of what one line shows (the painter's scan
    // points along a long line) compare the count they were made at with this.
    std::uint64_t ChangeCount() const { return m_changes; }
    // How many first bytes of line `index` every change since the count `since` kept: all of
    // them when nothing changed since; false when some change since did more than replace that
    // line's text, or kept nothing of it known.
    bool KeptOfLineSince(int index, std::uint64_t since, std::size_t& kept) const {
        std::size_t keptEnd = 0;
        return KeptOfLineSince(index, since, kept, keptEnd);
    }
    // The same, with how many last bytes of the line they all kept (a splice before them moved
    // them along unchanged).
    bool KeptOfLineSince(int index, std::uint64_t since, std::size_t& kept,
                         std::size_t& keptEnd) const;
    // Whether line `index` holds a tab; known without reading the line right after an edit of
    // it (typing into a long line asks this for every paint).
    bool LineHasTabs(int index) const;

    // Change hooks; each is called only when set.
    void SetOnBeginChanges(TListHook hook) { m_onBeginChanges = std::move(hook); }
    void SetOnEndChanges(TListHook hook) { m_onEndChanges = std::move(hook); }
    void SetOnAdded(TLineHook hook) { m_onAdded = std::move(hook); }
    void SetOnCleared(TListHook hook) { m_onCleared = std::move(hook); }
    void SetOnDeleted(TLineHook hook) { m_onDeleted = std::move(hook); }
    void SetOnInserted(TLineHook hook) { m_onInserted = std::move(hook); }
    void SetOnPutted(TLineHook hook) { m_onPutted = std::move(hook); }

  protected:
    // Called when the update count goes from 0 to 1 (true) and from 1 to 0 (false).
    virtual void SetUpdateState(bool updating);

  private:
    // The test programs define this class to check the list's invariants after every step;
    // nothing else does.
    friend class TSynEditInvariants;

    template <typename F>
    void Updating(F&& change);
    void CheckIndex(int index, int last) const;
    void InsertLine(int index, std::string_view text, const TLineHook& hook);
    void Grow();
    static TOwnedText NewLine(std::string_view text);
    // Stores the line's new text, which keeps the first `kept` bytes of the old one.
    void PutOwned(int index, TOwnedText fresh, std::size_t kept);
    // The same with the old and new text's tab-expanded lengths already measured.
    void PutOwned(int index, TOwnedText fresh, std::size_t kept, std::size_t keptEnd,
                  TMeasuredChange lengths, bool hasTabs);
    // The bookkeeping of a put of line `index` keeping its first `kept` and last `keptEnd`
    // bytes, around store(), which stores the new text.
    template <typename F>
    void Stored(int index, std::size_t kept, std::size_t keptEnd, F&& store);
    // Keeps what was measured of line `index`'s present text.
    void Remember(int index, std::int32_t length, bool hasTabs) const;
    // A line's length with its tabs expanded, as the longest line is measured.
    std::int32_t MeasuredLength(std::string_view text) const;
    std::int32_t MeasuredLength(std::string_view text, bool& hasTabs) const;
    // The measured length of line `index`, whose text is `text`: kept from its last put while
    // nothing changed since, else measured.
    std::int32_t KnownLength(int index, std::string_view text, bool& hasTabs) const;
    template <typename Source>
    void AppendLines(int count, const Source& source);

    TSynEditLineStore m_store;
    // The list's own reading position, for GetView and Put: the editor reads the lines one
    // after another through the list, and a look-up through a cursor is a step. The list is
    // used by one thread, so GetView, though const, may move it; it and m_measured are the
    // only caches a const reader of the list or the store updates. The store's threads never
    // see them.
    mutable TSynEditLineStore::TLineCursor m_cursor;
    TSynEditTextArena m_arena;
    int m_capacity = 0;
    std::uint8_t m_lineBreakStyle = kPlatformLineBreakStyle;
    int m_tabWidth = 8;
    TConvertTabsProc m_convertTabs;  // chosen from m_tabWidth, so declared after it
    int m_updateCount = 0;

    // The changes numbered (from, to] all replaced the text of `line`. Each kept some first
    // bytes: known from the edit, else measured on long lines only (0 on short ones). What the
    // changes after a given one kept together is the least of theirs; `kept` lists, in the
    // order of the changes, each change whose figure is less than that of every later one, so
    // the first listed after a change holds the answer (typing at a long line's end, then
    // asking what the last few keys kept, is not answered by an earlier key at its start).
    struct TKeptStep {
        std::uint64_t change = 0;
        std::size_t kept = 0;
    };
    static constexpr std::size_t kMaxKeptSteps = 64;
    // The same for the last bytes each change kept (0 when it changed the line's end).
    struct TLinePuts {
        int line = -1;
        std::uint64_t from = 0;
        std::uint64_t to = 0;
        std::vector<TKeptStep> kept;
        std::vector<TKeptStep> keptEnd;
    };
    std::uint64_t m_changes = 0;
    TLinePuts m_puts;
    // The tab-expanded length and tab presence of the text the last put gave `line`, valid
    // while the change count is still `at` (the tab width is part of every change).
    struct TLineMeasure {
        int line = -1;
        std::uint64_t at = 0;
        std::int32_t length = 0;
        bool hasTabs = false;
        // Where the text lay then; it cannot move without a change.
        const char* text = nullptr;
        std::size_t size = 0;
    };
    // LineHasTabs keeps what it read too: the painter and the idle scan ask about a long line
    // again and again.
    mutable TLineMeasure m_measured;

    TListHook m_onBeginChanges;
    TListHook m_onEndChanges;
    TLineHook m_onAdded;
    TListHook m_onCleared;
    TLineHook m_onDeleted;
    TLineHook m_onInserted;
    TLineHook m_onPutted;
};

template <typename F>
void TSynEditStringList::ChainRanges(int from, int to, F&& next) {
    m_store.ChainRanges(from, to, next);
}
