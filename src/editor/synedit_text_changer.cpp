// The text changer: reading lines and ranges, recording changes and their side effects, and the
// insert, delete and replace primitives in the three selection modes.
#include "editor/synedit_text_changer.h"

#include <algorithm>

#include "editor/marks.h"
#include "editor/string_list.h"
#include "editor/undo_list.h"

namespace {

constexpr std::string_view kLineBreak = "\r\n";

bool IsBlank(char c) {
    auto u = static_cast<unsigned char>(c);
    return u >= 1 && u <= 32;
}

bool AllSpaces(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c == ' '; });
}

// Pieces of a text between line breaks (CR LF, CR alone, LF alone); at least one.
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c != '\r' && c != '\n') continue;
        pieces.push_back(text.substr(start, i - start));
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

std::size_t TrailingBlankStart(std::string_view s) {
    std::size_t end = s.size();
    while (end > 0 && IsBlank(s[end - 1])) --end;
    return end;
}

}  // namespace

TSynTextChanger::TSynTextChanger(const ISynEditorSettings& settings, TSynEditStringList& lines,
                                 TSynEditMarkList& marks, TSynEditUndoList& undo)
    : m_settings(settings), m_lines(lines), m_marks(marks), m_undo(undo) {}

// ---------------------------------------------------------------- reading and recording

std::string_view TSynTextChanger::LineAt(int line) const {
    return m_lines.GetView(line - 1);
}

int TSynTextChanger::LineLength(int line) const {
    return static_cast<int>(m_lines.GetView(line - 1).size());
}

bool TSynTextChanger::TrimEnabled() const {
    // A replay restores exact text; the trims of the original edit are items of their own.
    return HasOption(eoTrimTrailingSpaces) && !m_replaying;
}

int TSynTextChanger::LeadingBlanks(int line) const {
    if (!HasOption(eoAutoIndent)) return 0;
    std::string_view s = LineAt(line);
    int n = 0;
    while (n < static_cast<int>(s.size()) && IsBlank(s[n])) ++n;
    return n;
}

std::string TSynTextChanger::LeadingIndent(int line) const {
    return std::string(LineAt(line).substr(0, static_cast<std::size_t>(LeadingBlanks(line))));
}

void TSynTextChanger::RecordChange(TSynChangeReason kind, TBufferCoord start, TBufferCoord end,
                                   std::string_view text, TSynSelectionMode mode) {
    m_undo.AddChange(kind, {start.Char, start.Line}, {end.Char, end.Line}, text, mode);
}

void TSynTextChanger::RecordSideEffect(TSynChangeReason kind, TBufferCoord start, TBufferCoord end,
                                       std::string_view text) {
    if (!m_replaying) RecordChange(kind, start, end, text, smNormal);
}

void TSynTextChanger::FlushPendingTrims() {
    if (m_pendingTrims.empty()) return;
    std::vector<TPendingTrim> trims;
    trims.swap(m_pendingTrims);
    for (const TPendingTrim& t : trims) {
        TBufferCoord end{t.start.Char + static_cast<int>(t.blanks.size()), t.start.Line};
        RecordSideEffect(ukDeleteChar, t.start, end, t.blanks);
    }
}

// ---------------------------------------------------------------- line primitives

void TSynTextChanger::EnsureLine(int line) {
    while (m_lines.GetCount() < line) m_lines.Add("");
}

void TSynTextChanger::PadLine(int line, int length) {
    int n = LineLength(line);
    if (n >= length) return;
    std::string s(LineAt(line));
    s.append(static_cast<std::size_t>(length - n), ' ');
    m_lines.Put(line - 1, s);
    RecordSideEffect(ukInsert, {n + 1, line}, {length + 1, line}, "");
}

void TSynTextChanger::PutLineTrimmed(int line, std::string text, bool deferRecord) {
    std::string blanks;
    if (TrimEnabled()) {
        std::size_t keep = TrailingBlankStart(text);
        blanks = text.substr(keep);
        text.resize(keep);
    }
    m_lines.Put(line - 1, text);
    if (blanks.empty()) return;
    TBufferCoord start{static_cast<int>(text.size()) + 1, line};
    if (deferRecord)
        m_pendingTrims.push_back({start, std::move(blanks)});
    else
        RecordSideEffect(ukDeleteChar, start, {start.Char + static_cast<int>(blanks.size()), line},
                         blanks);
}

void TSynTextChanger::PadColumnBlock(TBufferCoord begin, TBufferCoord end) {
    const int left = std::min(begin.Char, end.Char);
    const int right = std::max(begin.Char, end.Char);
    for (int line = std::min(begin.Line, end.Line); line <= std::max(begin.Line, end.Line);
         ++line) {
        int n = LineLength(line);
        if (n + 1 >= left && n < right - 1) PadLine(line, right - 1);
    }
}

// ---------------------------------------------------------------- ranges

std::string TSynTextChanger::RangeText(TBufferCoord b, TBufferCoord e,
                                       TSynSelectionMode mode) const {
    if (CoordLess(e, b)) std::swap(b, e);
    const int count = m_lines.GetCount();
    auto from = [](std::string_view s, int column) {
        return s.substr(std::min<std::size_t>(s.size(), static_cast<std::size_t>(column - 1)));
    };
    std::string result;
    switch (mode) {
        case smNormal: {
            std::string_view first = LineAt(b.Line);
            if (b.Line == e.Line) {
                std::size_t lo = std::min<std::size_t>(first.size(), b.Char - 1);
                std::size_t hi = std::min<std::size_t>(first.size(), e.Char - 1);
                return hi > lo ? std::string(first.substr(lo, hi - lo)) : std::string();
            }
            result.append(from(first, b.Char));
            result.append(kLineBreak);
            for (int line = b.Line + 1; line < e.Line; ++line) {
                result.append(LineAt(line));
                result.append(kLineBreak);
            }
            std::string_view last = LineAt(e.Line);
            result.append(last.substr(0, std::min<std::size_t>(last.size(), e.Char - 1)));
            return result;
        }
        case smLine:
            for (int line = b.Line; line <= e.Line; ++line) {
                result.append(LineAt(line));
                if (line < e.Line || e.Line < count) result.append(kLineBreak);
            }
            return result;
        case smColumn: {
            const int left = std::min(b.Char, e.Char);
            const int right = std::max(b.Char, e.Char);
            for (int line = b.Line; line <= e.Line; ++line) {
                if (line > b.Line) result.append(kLineBreak);
                std::string_view piece = from(LineAt(line), left).substr(0, right - left);
                result.append(piece);
                result.append(static_cast<std::size_t>(right - left) - piece.size(), ' ');
            }
            return result;
        }
    }
    return result;
}

TBufferCoord TSynTextChanger::DeleteTextRange(TBufferCoord begin, TBufferCoord end,
                                              TSynSelectionMode mode) {
    if (CoordLess(end, begin)) std::swap(begin, end);
    const int count = m_lines.GetCount();
    if (begin.Line > count) return begin;
    end.Line = std::min(end.Line, count);
    switch (mode) {
        case smNormal: {
            if (begin == end) return begin;
            std::string_view first = LineAt(begin.Line);
            std::string_view last = LineAt(end.Line);
            std::string joined(
                first.substr(0, std::min<std::size_t>(first.size(), begin.Char - 1)));
            joined.append(last.substr(std::min<std::size_t>(last.size(), end.Char - 1)));
            const int removed = end.Line - begin.Line;
            if (removed > 0) {
                m_lines.DeleteLineRun(begin.Line, removed);
                m_marks.LinesDeleted(begin.Line, removed);
            }
            if (HasOption(eoScrollPastEol))
                PutLineTrimmed(begin.Line, std::move(joined), false);
            else
                m_lines.Put(begin.Line - 1, joined);
            return begin;
        }
        case smLine: {
            const int first = begin.Line;
            const int last = end.Line;
            if (last >= count) {
                // The text keeps one (empty) line where the selection began.
                if (last > first) {
                    m_lines.DeleteLineRun(first, last - first);
                    m_marks.LinesDeleted(first, last - first);
                }
                m_lines.Put(first - 1, "");
            } else {
                m_lines.DeleteLineRun(first - 1, last - first + 1);
                m_marks.LinesDeleted(first - 1, last - first + 1);
            }
            return {1, first};
        }
        case smColumn: {
            const int left = std::min(begin.Char, end.Char);
            const int right = std::max(begin.Char, end.Char);
            for (int line = begin.Line; line <= end.Line; ++line) {
                std::string_view s = LineAt(line);
                if (static_cast<int>(s.size()) < left) continue;
                std::string t(s);
                t.erase(static_cast<std::size_t>(left - 1), static_cast<std::size_t>(right - left));
                m_lines.Put(line - 1, t);
            }
            return {left, begin.Line};
        }
    }
    return begin;
}

TBufferCoord TSynTextChanger::InsertNormal(TBufferCoord at, std::string_view text) {
    EnsureLine(at.Line);
    PadLine(at.Line, at.Char - 1);
    std::string_view line = LineAt(at.Line);
    const std::size_t split = static_cast<std::size_t>(at.Char - 1);
    const std::vector<std::string_view> pieces = SplitLines(text);
    if (pieces.size() == 1) {
        std::string s;
        s.reserve(line.size() + text.size());
        s.append(line.substr(0, split));
        s.append(text);
        s.append(line.substr(split));
        m_lines.Put(at.Line - 1, s);
        return {at.Char + static_cast<int>(text.size()), at.Line};
    }
    std::string after(line.substr(split));
    std::string first(line.substr(0, split));
    first.append(pieces.front());
    const int added = static_cast<int>(pieces.size()) - 1;
    m_lines.InsertEmptyLines(at.Line, added);
    m_marks.LinesInserted(at.Line + 1, added);
    PutLineTrimmed(at.Line, std::move(first), true);
    for (int i = 1; i < added; ++i) PutLineTrimmed(at.Line + i, std::string(pieces[i]), true);
    std::string last(pieces.back());
    last.append(after);
    m_lines.Put(at.Line + added - 1, last);
    return {static_cast<int>(pieces.back().size()) + 1, at.Line + added};
}

TBufferCoord TSynTextChanger::InsertColumn(TBufferCoord at, std::string_view text) {
    EnsureLine(at.Line);
    const std::vector<std::string_view> pieces = SplitLines(text);
    // Lines are added and padded for the whole block first, so these recorded side effects all
    // precede the insertion they make room for.
    std::vector<bool> skip(pieces.size(), false);
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        const int line = at.Line + static_cast<int>(k);
        const int count = m_lines.GetCount();
        if (line > count) {
            const int lastLength = LineLength(count);
            m_lines.Add("");
            RecordSideEffect(ukInsert, {lastLength + 1, count}, {1, count + 1}, "");
        }
        if (at.Char > LineLength(line) + 1) {
            // Blanks beyond a line's end would only be trailing padding.
            if (AllSpaces(pieces[k]))
                skip[k] = true;
            else
                PadLine(line, at.Char - 1);
        }
    }
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        if (skip[k]) continue;
        const int line = at.Line + static_cast<int>(k);
        std::string s(LineAt(line));
        s.insert(static_cast<std::size_t>(at.Char - 1), pieces[k]);
        m_lines.Put(line - 1, s);
    }
    return {at.Char + static_cast<int>(pieces.back().size()),
            at.Line + static_cast<int>(pieces.size()) - 1};
}

TBufferCoord TSynTextChanger::InsertLineMode(TBufferCoord at, std::string_view text) {
    // Whole lines go in as new lines above the caret line, so no line is overwritten.
    const std::vector<std::string_view> pieces = SplitLines(text);
    const int added = static_cast<int>(pieces.size()) - 1;
    int line = at.Line;
    if (added > 0) {
        if (line > m_lines.GetCount()) {
            for (int i = 0; i < added; ++i) m_lines.Add(pieces[i]);
        } else {
            m_lines.InsertEmptyLines(line - 1, added);
            m_marks.LinesInserted(line, added);
            for (int i = 0; i < added; ++i) m_lines.Put(line - 1 + i, pieces[i]);
        }
        line += added;
    }
    std::string_view last = pieces.back();
    if (!last.empty()) {
        if (line <= m_lines.GetCount()) {
            std::string s(last);
            s.append(LineAt(line));
            m_lines.Put(line - 1, s);
        } else {
            m_lines.Add(last);
        }
    }
    return {static_cast<int>(last.size()) + 1, line};
}

TBufferCoord TSynTextChanger::InsertTextAt(TBufferCoord at, TSynSelectionMode mode,
                                           std::string_view text) {
    switch (mode) {
        case smColumn:
            return InsertColumn(at, text);
        case smLine:
            return InsertLineMode(at, text);
        default:
            return InsertNormal(at, text);
    }
}

TBufferCoord TSynTextChanger::Replace(TBufferCoord begin, TBufferCoord end,
                                      TSynSelectionMode deleteMode, std::string_view text,
                                      TSynSelectionMode insertMode, bool deleteRange) {
    if (deleteRange && deleteMode == smNormal && insertMode == smNormal &&
        ReplaceWithinLine(begin, end, text))
        return m_insertEnd;
    TBufferCoord at = deleteRange ? DeleteTextRange(begin, end, deleteMode) : begin;
    if (deleteRange && insertMode == smLine) at.Char = 1;
    TBufferCoord after = text.empty() ? at : InsertTextAt(at, insertMode, text);
    m_insertStart = at;
    m_insertEnd = after;
    return after;
}

bool TSynTextChanger::ReplaceWithinLine(TBufferCoord begin, TBufferCoord end,
                                        std::string_view text) {
    // One line changed in one store, when the general path would pad and trim nothing: the
    // common case of typing over a selection and of every replacement of FindReplace.
    if (CoordLess(end, begin)) std::swap(begin, end);
    if (begin.Line != end.Line || begin.Line > m_lines.GetCount()) return false;
    if (text.find_first_of("\r\n") != std::string_view::npos) return false;
    std::string_view line = LineAt(begin.Line);
    const std::size_t from = static_cast<std::size_t>(begin.Char - 1);
    const std::size_t to = std::min(line.size(), static_cast<std::size_t>(end.Char - 1));
    if (from > line.size()) return false;
    if (TrimEnabled() && HasOption(eoScrollPastEol)) {
        // The deletion trims the joined line when it ends in a blank. Blanks before the range
        // that a non-empty insertion pads back again need no trim.
        if (to < line.size()) {
            if (IsBlank(line.back())) return false;
        } else if (text.empty() && from > 0 && IsBlank(line[from - 1])) {
            return false;
        }
    }
    std::string s;
    s.reserve(line.size() - (to - from) + text.size());
    s.append(line.substr(0, from));
    s.append(text);
    s.append(line.substr(std::max(from, to)));
    m_lines.Put(begin.Line - 1, s);
    m_insertStart = begin;
    m_insertEnd = {begin.Char + static_cast<int>(text.size()), begin.Line};
    return true;
}
