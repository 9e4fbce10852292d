// The editor's line buffer.
#include "editor/string_list.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

#include "editor/file_reader.h"
#include "editor/file_writer.h"
#include "editor/scope_exit.h"

namespace {

// Capacity after `added` single-line inserts into a list of `capacity` records holding
// `count` lines: grow by a quarter above 64 records, else by 16, whenever full.
int CapacityAfterAdds(int capacity, int count, int added) {
    const int target = count + added;
    while (capacity < target) capacity += capacity > 64 ? capacity / 4 : 16;
    return capacity;
}

std::uint32_t CheckedLength(std::string_view text) {
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw std::length_error("line too long");
    return static_cast<std::uint32_t>(text.size());
}

}  // namespace

TSynEditStringList::TSynEditStringList() : m_convertTabs(GetBestConvertTabsProc(m_tabWidth)) {}

TSynEditStringList::~TSynEditStringList() {
    // Destruction reports nothing.
    m_onBeginChanges = nullptr;
    m_onEndChanges = nullptr;
    m_onAdded = nullptr;
    m_onCleared = nullptr;
    m_onDeleted = nullptr;
    m_onInserted = nullptr;
    m_onPutted = nullptr;
}

template <typename F>
void TSynEditStringList::Updating(F&& change) {
    // Closed also when BeginUpdate's own report fails, as the count went up before it.
    TScopeExit end([this] { EndUpdate(); });
    BeginUpdate();
    ++m_changes;
    change();
}

namespace {

// Lines shorter than this are read whole by whoever shows them; the bytes an edit kept are
// measured only on longer ones.
constexpr std::size_t kLongLine = 64 * 1024;

// The length of the longest common start of two texts, compared a block at a time.
std::size_t CommonStart(std::string_view a, std::string_view b) {
    const std::size_t length = std::min(a.size(), b.size());
    constexpr std::size_t kBlock = 4096;
    std::size_t at = 0;
    while (at + kBlock <= length && std::memcmp(a.data() + at, b.data() + at, kBlock) == 0)
        at += kBlock;
    while (at < length && a[at] == b[at]) ++at;
    return at;
}

}  // namespace

bool TSynEditStringList::KeptOfLineSince(int index, std::uint64_t since, std::size_t& kept,
                                         std::size_t& keptEnd) const {
    if (since == m_changes) {
        kept = keptEnd = std::numeric_limits<std::size_t>::max();
        return true;
    }
    if (m_puts.line != index || m_puts.to != m_changes || since < m_puts.from) return false;
    // The last step is the latest change, so one lies after `since`.
    auto least = [since](const std::vector<TKeptStep>& steps) {
        return std::upper_bound(
                   steps.begin(), steps.end(), since,
                   [](std::uint64_t at, const TKeptStep& step) { return at < step.change; })
            ->kept;
    };
    kept = least(m_puts.kept);
    keptEnd = least(m_puts.keptEnd);
    return true;
}

void TSynEditStringList::BeginUpdate() {
    if (m_updateCount++ == 0) SetUpdateState(true);
}

void TSynEditStringList::EndUpdate() {
    if (m_updateCount == 0) return;
    if (--m_updateCount == 0) SetUpdateState(false);
}

void TSynEditStringList::SetUpdateState(bool updating) {
    if (updating) {
        if (m_onBeginChanges) m_onBeginChanges(this);
    } else {
        if (m_onEndChanges) m_onEndChanges(this);
    }
}

void TSynEditStringList::CheckIndex(int index, int last) const {
    if (index < 0 || index > last) throw ESynEditStringList(index);
}

// Called after a line went in: the array was full when the count before the insert reached
// the capacity.
void TSynEditStringList::Grow() {
    while (m_capacity < GetCount()) m_capacity += m_capacity > 64 ? m_capacity / 4 : 16;
}

TOwnedText TSynEditStringList::NewLine(std::string_view text) {
    CheckedLength(text);
    return TOwnedText(text);
}

std::string TSynEditStringList::Get(int index) const {
    return std::string(GetView(index));
}

std::string_view TSynEditStringList::GetView(int index) const {
    if (index < 0 || index >= GetCount()) return {};
    return m_store.Text(index, m_cursor);
}

std::string_view TSynEditStringList::GetView(int index, TLineCursor& cursor) const {
    if (index < 0 || index >= GetCount()) return {};
    return m_store.Text(index, cursor);
}

void TSynEditStringList::Put(int index, std::string_view text) {
    if (index == 0 && GetCount() == 0) {
        Add(text);
        return;
    }
    CheckIndex(index, GetCount() - 1);
    TOwnedText fresh = NewLine(text);  // before the old text goes: text may be this line
    const std::string_view before = m_store.Text(index, m_cursor);
    const std::size_t kept =
        before.size() >= kLongLine && text.size() >= kLongLine ? CommonStart(before, text) : 0;
    PutOwned(index, std::move(fresh), kept);  // a whole put tells no kept end
}

void TSynEditStringList::PutSpliced(int index, std::string_view head, std::string_view middle,
                                    std::string_view tail) {
    if (index == 0 && GetCount() == 0) {
        Add(std::string(head).append(middle).append(tail));
        return;
    }
    CheckIndex(index, GetCount() - 1);
    if (head.size() + middle.size() + tail.size() >
        static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw std::length_error("line too long");
    const std::string_view before = m_store.Text(index, m_cursor);
    bool beforeTabs = false;
    const std::int32_t beforeLength = KnownLength(index, before, beforeTabs);
    // Head and tail lying in the old text itself (the tail after the head, up to the end or
    // short of trailing bytes dropped) hold no tab when it held none: only the new middle can
    // bring one, and the new line needs no reading.
    const char* const tailAt = tail.empty() ? before.data() + before.size() : tail.data();
    const bool inBefore = head.data() == before.data() && head.size() <= before.size() &&
                          tailAt >= before.data() + head.size() &&
                          tailAt + tail.size() <= before.data() + before.size();
    const bool middleTabs = middle.find('\t') != std::string_view::npos;
    const std::size_t keptEnd =
        inBefore && tailAt + tail.size() == before.data() + before.size() ? tail.size() : 0;
    const std::size_t size = head.size() + middle.size() + tail.size();
    // A line the list already owns (edited before) is changed in its own memory: typing into
    // a long line moves its tail instead of copying the whole line each time.
    const bool middleApart = middle.empty() || middle.data() >= before.data() + before.size() ||
                             middle.data() + middle.size() <= before.data();
    // The only line of a text read from a file lies alone in its block: a long one takes the
    // block over at its first edit instead of being copied (a copy of 100 MB costs tens of
    // milliseconds, most of them the system handing out fresh memory).
    if (inBefore && middleApart && before.size() >= kLongLine && GetCount() == 1 &&
        !m_store.OwnsText(index)) {
        if (TSizedTextBlock block = m_arena.TakeBlockOf(before.data()); block.data) {
            const std::size_t blockSize = block.size;
            TOwnedText taken = TOwnedText::TakeBlock(std::move(block.data), before);
            try {
                m_store.SetText(index, std::move(taken), {beforeLength, beforeLength});
            } catch (...) {
                // The line still reads its text from the block, so the arena keeps it.
                m_arena.Adopt(taken.GiveBackBlock(), blockSize);
                throw;
            }
        }
    }
    if (inBefore && middleApart && m_store.OwnsText(index)) {
        Stored(index, head.size(), keptEnd, [&] {
            m_store.SpliceOwned(index, head.size(),
                                static_cast<std::size_t>(tailAt - before.data()) - head.size(),
                                middle, tail.size());
            bool hasTabs = false;
            const std::int32_t length =
                !beforeTabs && !middleTabs ? static_cast<std::int32_t>(size)
                                           : MeasuredLength(m_store.Text(index, m_cursor), hasTabs);
            m_store.Measured(index, {beforeLength, length});
            Remember(index, length, hasTabs);
        });
        return;
    }
    TOwnedText fresh(head, middle, tail);
    bool hasTabs = false;
    const std::int32_t length = !beforeTabs && inBefore && !middleTabs
                                    ? static_cast<std::int32_t>(size)
                                    : MeasuredLength(fresh.View(), hasTabs);
    PutOwned(index, std::move(fresh), head.size(), keptEnd, TMeasuredChange{beforeLength, length},
             hasTabs);
}

std::int32_t TSynEditStringList::KnownLength(int index, std::string_view text,
                                             bool& hasTabs) const {
    if (m_measured.line == index && m_measured.at == m_changes) {
        hasTabs = m_measured.hasTabs;
        return m_measured.length;
    }
    return MeasuredLength(text, hasTabs);
}

void TSynEditStringList::PutOwned(int index, TOwnedText fresh, std::size_t kept) {
    bool beforeTabs = false;
    bool hasTabs = false;
    const TMeasuredChange lengths{KnownLength(index, m_store.Text(index, m_cursor), beforeTabs),
                                  MeasuredLength(fresh.View(), hasTabs)};
    PutOwned(index, std::move(fresh), kept, 0, lengths, hasTabs);
}

void TSynEditStringList::PutOwned(int index, TOwnedText fresh, std::size_t kept,
                                  std::size_t keptEnd, TMeasuredChange lengths, bool hasTabs) {
    Stored(index, kept, keptEnd, [&] {
        const TOwnedText old = m_store.SetText(index, std::move(fresh), lengths);
        Remember(index, lengths.after, hasTabs);
    });
}

template <typename F>
void TSynEditStringList::Stored(int index, std::size_t kept, std::size_t keptEnd, F&& store) {
    Updating([&] {
        if (m_puts.line != index || m_puts.to != m_changes - 1) {
            m_puts.line = index;
            m_puts.from = m_changes - 1;
            m_puts.kept.clear();
            m_puts.keptEnd.clear();
        }
        auto step = [this](std::vector<TKeptStep>& steps, std::size_t value) {
            while (!steps.empty() && steps.back().kept >= value) steps.pop_back();
            steps.push_back({m_changes, value});
            if (steps.size() > kMaxKeptSteps) {
                // The oldest two become one, answering the lesser figure for both: what is
                // left of a line is never overstated.
                steps[1].kept = steps[0].kept;
                steps.erase(steps.begin());
            }
        };
        step(m_puts.kept, kept);
        step(m_puts.keptEnd, keptEnd);
        m_puts.to = m_changes;
        store();
        if (m_onPutted) m_onPutted(this, index);
    });
}

bool TSynEditStringList::LineHasTabs(int index) const {
    if (m_measured.line == index && m_measured.at == m_changes) return m_measured.hasTabs;
    if (index < 0 || index >= GetCount()) return false;
    bool hasTabs = false;
    const std::int32_t length = MeasuredLength(GetView(index), hasTabs);
    Remember(index, length, hasTabs);
    return hasTabs;
}

void TSynEditStringList::Remember(int index, std::int32_t length, bool hasTabs) const {
    const std::string_view text = m_store.Text(index, m_cursor);
    m_measured = {index, m_changes, length, hasTabs, text.data(), text.size()};
}

std::intptr_t TSynEditStringList::GetObject(int index) const {
    if (index < 0 || index >= GetCount()) return 0;
    return m_store.ObjectAt(index);
}

void TSynEditStringList::PutObject(int index, std::intptr_t object) {
    CheckIndex(index, GetCount() - 1);
    Updating([&] { m_store.SetObject(index, object); });
}

int TSynEditStringList::Add(std::string_view text) {
    const int index = GetCount();
    InsertLine(index, text, m_onAdded);
    return index;
}

void TSynEditStringList::Insert(int index, std::string_view text) {
    CheckIndex(index, GetCount());
    InsertLine(index, text, m_onInserted);
}

void TSynEditStringList::InsertLine(int index, std::string_view text, const TLineHook& hook) {
    Updating([&] {
        m_store.Insert(index, NewLine(text));
        Grow();
        if (hook) hook(this, index);
    });
}

void TSynEditStringList::Delete(int index) {
    CheckIndex(index, GetCount() - 1);
    Updating([&] {
        m_store.Erase(index, 1);
        if (m_onDeleted) m_onDeleted(this, index);
    });
}

void TSynEditStringList::Exchange(int index1, int index2) {
    CheckIndex(index1, GetCount() - 1);
    CheckIndex(index2, GetCount() - 1);
    Updating([&] { m_store.Swap(index1, index2); });
}

void TSynEditStringList::Clear() {
    if (GetCount() != 0) {
        Updating([&] {
            m_store.Clear();
            m_arena.Clear();
            m_capacity = 0;
            if (m_onCleared) m_onCleared(this);
        });
    }
}

template <typename Source>
void TSynEditStringList::AppendLines(int count, const Source& source) {
    if (count <= 0) return;
    Updating([&] {
        const int first = GetCount();
        const int needed = first + count;
        if (m_capacity < needed) m_capacity = (needed + 15) / 16 * 16;
        // Text of the whole run goes into one arena block: one allocation, not one per line.
        std::size_t bytes = 0;
        for (int i = 0; i < count; ++i) bytes += source(i).first.size();
        m_arena.Reserve(bytes);
        for (int i = 0; i < count; ++i) {
            auto [text, object] = source(i);
            TSynEditStringRec rec;
            rec.length = CheckedLength(text);
            rec.text = m_arena.Store(text);
            m_store.Append(rec, object);
        }
        if (m_onAdded) m_onAdded(this, first);
    });
}

void TSynEditStringList::AddStrings(const TSynEditStringList& other) {
    // Counted first, so appending a list to itself copies each line once.
    const int count = other.GetCount();
    AppendLines(count, [&other](int i) {
        return std::pair<std::string_view, std::intptr_t>(other.GetView(i), other.GetObject(i));
    });
}

void TSynEditStringList::AddStrings(const std::vector<std::string>& lines) {
    AppendLines(static_cast<int>(lines.size()), [&lines](int i) {
        return std::pair<std::string_view, std::intptr_t>(lines[i], 0);
    });
}

void TSynEditStringList::Assign(const TSynEditStringList& other) {
    if (&other == this) return;
    Updating([&] {
        Clear();
        AddStrings(other);
    });
}

void TSynEditStringList::SetCapacity(int capacity) {
    m_capacity = capacity < GetCount() ? GetCount() : capacity;
}

void TSynEditStringList::LoadFromFile(const std::string& fileName) {
    // The whole file is read into a separate store first, so a failing read leaves the list
    // as it was.
    // The lines stay in the reader's blocks, which the list then keeps as its text arena.
    TSynEditLineStore loaded;
    TSynEditTextArena text;
    std::uint8_t style;
    {
        TSynEditFileReader reader(fileName, /*keepText=*/true);
        reader.ReadLines([&loaded](std::string_view line) {
            TSynEditStringRec rec;
            rec.length = CheckedLength(line);
            // Empty lines point into the block as well, so saving finds runs of lines that
            // still lie in the block as they lay in the file.
            rec.text = line.data();
            loaded.Append(rec);
        });
        style = reader.LineBreakStyle();
        if (!reader.SawTab()) loaded.KnowWithoutTabs();
        for (auto& block : reader.TakeBlocks()) text.Adopt(std::move(block.data), block.size);
    }
    Updating([&] {
        Clear();
        m_arena.Absorb(text);
        m_capacity = CapacityAfterAdds(m_capacity, 0, loaded.Count());
        if (m_onAdded) {
            // Lines are reported one by one, each when it has become part of the list.
            m_store.MoveAppendFrom(loaded, [this](int index) { m_onAdded(this, index); });
        } else {
            std::swap(m_store, loaded);
        }
        m_lineBreakStyle = style;
    });
}

void TSynEditStringList::SaveToFile(const std::string& fileName) const {
    TSynEditFileWriter writer(fileName);
    writer.SetLineBreakStyle(m_lineBreakStyle);
    // Lines still where the load put them lie in the text blocks exactly as in the file, with
    // their line breaks between them. Where the breaks are those of the style being written,
    // a whole run of such lines is written from the block in one piece.
    const std::string_view lineBreak = writer.LineBreak();
    const char* runStart = nullptr;
    const char* runEnd = nullptr;  // end of the run's last line, before its break
    auto flushRun = [&] {
        if (!runStart) return;
        writer.WriteRaw({runStart, static_cast<std::size_t>(runEnd - runStart)});
        writer.WriteRaw(lineBreak);
        runStart = nullptr;
    };
    m_store.ForEachLine(0, [&](std::string_view text, bool owned, int) {
        if (owned || !text.data()) {
            flushRun();
            writer.WriteLine(text);
            return;
        }
        if (runStart && text.data() == runEnd + lineBreak.size() &&
            std::memcmp(runEnd, lineBreak.data(), lineBreak.size()) == 0) {
            runEnd = text.data() + text.size();
            return;
        }
        flushRun();
        runStart = text.data();
        runEnd = text.data() + text.size();
    });
    flushRun();
    writer.Close();
}

std::string TSynEditStringList::ExpandedText(int index) {
    if (index < 0 || index >= GetCount()) return {};
    const std::string_view text = m_store.Text(index, m_cursor);
    if (text.find('\t') == std::string_view::npos) return std::string(text);
    bool hasTabs = false;
    return m_convertTabs(text, m_tabWidth, hasTabs);
}

std::int32_t TSynEditStringList::MeasuredLength(std::string_view text) const {
    bool hasTabs = false;
    return MeasuredLength(text, hasTabs);
}

std::int32_t TSynEditStringList::MeasuredLength(std::string_view text, bool& hasTabs) const {
    return static_cast<std::int32_t>(std::min<std::size_t>(
        ExpandedTabLength(text, m_tabWidth, hasTabs), std::numeric_limits<std::int32_t>::max()));
}

int TSynEditStringList::LongestLineLength() {
    // The line measured last is known by where its text lies: a long line that got shorter
    // is not read again to find the longest.
    return m_store.Longest([this](std::string_view text) {
        if (m_measured.at == m_changes && text.data() == m_measured.text &&
            text.size() == m_measured.size)
            return m_measured.length;
        return MeasuredLength(text);
    });
}

int TSynEditStringList::LineRange(int index) const {
    if (index < 0 || index >= GetCount()) return 0;
    return m_store.Range(index);
}

void TSynEditStringList::SetLineRange(int index, int range) {
    CheckIndex(index, GetCount() - 1);
    m_store.SetRange(index, range);
}

void TSynEditStringList::SetTabWidth(int tabWidth) {
    if (tabWidth == m_tabWidth) return;
    m_tabWidth = tabWidth;
    m_convertTabs = GetBestConvertTabsProc(tabWidth);
    m_store.ForgetLongest();
    ++m_changes;  // every line shows otherwise
}

void TSynEditStringList::InsertEmptyLines(int index, int count) {
    if (count <= 0) return;
    CheckIndex(index, GetCount());
    m_store.InsertEmpty(index, count, 0);
    m_capacity = GetCount();
    if (m_onAdded) m_onAdded(this, index);
}

void TSynEditStringList::DeleteLineRun(int index, int count) {
    if (count <= 0) return;
    CheckIndex(index, GetCount());
    if (count > GetCount() - index) count = GetCount() - index;
    Updating([&] {
        m_store.Erase(index, count);
        if (m_onDeleted) m_onDeleted(this, index);
    });
}
