// The text changer: reading lines and ranges, recording changes and their side effects, and the
// insert, delete and replace primitives in the three selection modes.
#include "editor/synedit_text_changer.h"

#include <algorithm>

#include "editor/lines_by_number.h"
#include "editor/marks.h"
#include "editor/string_list.h"
#include "editor/trailing_blanks.h"
#include "editor/undo_list.h"

namespace {

constexpr std::string_view kLineBreak = "\r\n";

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

}  // namespace

TSynTextChanger::TSynTextChanger(const TSynEditorSettings& settings, TSynEditStringList& lines,
                                 TSynEditMarkList& marks, TSynEditUndoList& undo)
    : m_settings(settings), m_lines(lines), m_marks(marks), m_undo(undo) {}

// ---------------------------------------------------------------- reading and recording

std::string_view TSynTextChanger::LineAt(TLineNumber line) const {
    return TextAt(m_lines, line);
}

int TSynTextChanger::LineLength(TLineNumber line) const {
    return LengthAt(m_lines, line);
}

bool TSynTextChanger::TrimEnabled() const {
    // A replay restores exact text; the trims of the original edit are items of their own.
    return HasOption(eoTrimTrailingSpaces) && !m_replaying;
}

int TSynTextChanger::LeadingBlanks(TLineNumber line) const {
    if (!HasOption(eoAutoIndent)) return 0;
    std::string_view s = LineAt(line);
    int n = 0;
    while (n < static_cast<int>(s.size()) && IsBlank(s[n])) ++n;
    return n;
}

std::string TSynTextChanger::LeadingIndent(TLineNumber line) const {
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

void TSynTextChanger::BeginGroup() {
    m_undo.BeginBlock();
}

void TSynTextChanger::EndGroup() {
    if (m_undo.BlockCount() == 1) FlushPendingTrims();
    m_undo.EndBlock();
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

void TSynTextChanger::EnsureLine(TLineNumber line) {
    while (LastLine(m_lines) < line) m_lines.Add("");
}

void TSynTextChanger::PadLine(TLineNumber line, int length) {
    int n = LineLength(line);
    if (n >= length) return;
    std::string s(LineAt(line));
    s.append(static_cast<std::size_t>(length - n), ' ');
    PutAt(m_lines, line, s);
    RecordSideEffect(ukInsert, {n + 1, line.Number()}, {length + 1, line.Number()}, "");
}

void TSynTextChanger::PutLineTrimmed(TLineNumber line, std::string text, bool deferRecord) {
    std::string blanks;
    if (TrimEnabled()) {
        std::size_t keep = TrailingBlankStart(text);
        blanks = text.substr(keep);
        text.resize(keep);
    }
    PutAt(m_lines, line, text);
    if (blanks.empty()) return;
    TBufferCoord start{static_cast<int>(text.size()) + 1, line.Number()};
    if (deferRecord)
        m_pendingTrims.push_back({start, std::move(blanks)});
    else
        RecordSideEffect(ukDeleteChar, start,
                         {start.Char + static_cast<int>(blanks.size()), line.Number()}, blanks);
}

void TSynTextChanger::PadColumnBlock(TBufferCoord begin, TBufferCoord end) {
    const int left = std::min(begin.Char, end.Char);
    const int right = std::max(begin.Char, end.Char);
    const TLineNumber last(std::max(begin.Line, end.Line));
    for (TLineNumber line(std::min(begin.Line, end.Line)); line <= last; ++line) {
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
            std::string_view first = LineAt(TLineNumber::Of(b));
            if (b.Line == e.Line) {
                std::size_t lo = std::min<std::size_t>(first.size(), b.Char - 1);
                std::size_t hi = std::min<std::size_t>(first.size(), e.Char - 1);
                return hi > lo ? std::string(first.substr(lo, hi - lo)) : std::string();
            }
            result.append(from(first, b.Char));
            result.append(kLineBreak);
            for (TLineNumber line = TLineNumber::Of(b).Next(); line < TLineNumber::Of(e); ++line) {
                result.append(LineAt(line));
                result.append(kLineBreak);
            }
            std::string_view last = LineAt(TLineNumber::Of(e));
            result.append(last.substr(0, std::min<std::size_t>(last.size(), e.Char - 1)));
            return result;
        }
        case smLine:
            for (TLineNumber line = TLineNumber::Of(b); line <= TLineNumber::Of(e); ++line) {
                result.append(LineAt(line));
                if (line < TLineNumber::Of(e) || e.Line < count) result.append(kLineBreak);
            }
            return result;
        case smColumn: {
            const int left = std::min(b.Char, e.Char);
            const int right = std::max(b.Char, e.Char);
            for (TLineNumber line = TLineNumber::Of(b); line <= TLineNumber::Of(e); ++line) {
                if (line > TLineNumber::Of(b)) result.append(kLineBreak);
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
            const TLineNumber line = TLineNumber::Of(begin);
            std::string_view first = LineAt(line);
            std::string_view last = LineAt(TLineNumber::Of(end));
            std::string joined(
                first.substr(0, std::min<std::size_t>(first.size(), begin.Char - 1)));
            joined.append(last.substr(std::min<std::size_t>(last.size(), end.Char - 1)));
            const int removed = end.Line - begin.Line;
            if (removed > 0) {
                DeleteRunAt(m_lines, line.Next(), removed);
                m_marks.LinesDeleted(line.Number(), removed);
            }
            if (HasOption(eoScrollPastEol))
                PutLineTrimmed(line, std::move(joined), false);
            else
                PutAt(m_lines, line, joined);
            return begin;
        }
        case smLine: {
            const TLineNumber first = TLineNumber::Of(begin);
            const int lines = end.Line - begin.Line + 1;
            if (end.Line >= count) {
                // The text keeps one (empty) line where the selection began.
                if (lines > 1) {
                    DeleteRunAt(m_lines, first.Next(), lines - 1);
                    m_marks.LinesDeleted(first.Number(), lines - 1);
                }
                PutAt(m_lines, first, "");
            } else {
                DeleteRunAt(m_lines, first, lines);
                m_marks.LinesDeleted(first.Previous().Number(), lines);
            }
            return {1, first.Number()};
        }
        case smColumn: {
            const int left = std::min(begin.Char, end.Char);
            const int right = std::max(begin.Char, end.Char);
            for (TLineNumber line = TLineNumber::Of(begin); line <= TLineNumber::Of(end); ++line) {
                std::string_view s = LineAt(line);
                if (static_cast<int>(s.size()) < left) continue;
                std::string t(s);
                t.erase(static_cast<std::size_t>(left - 1), static_cast<std::size_t>(right - left));
                PutAt(m_lines, line, t);
            }
            return {left, begin.Line};
        }
    }
    return begin;
}

TBufferCoord TSynTextChanger::InsertNormal(TBufferCoord at, std::string_view text) {
    const TLineNumber atLine = TLineNumber::Of(at);
    EnsureLine(atLine);
    PadLine(atLine, at.Char - 1);
    std::string_view line = LineAt(atLine);
    const std::size_t split = static_cast<std::size_t>(at.Char - 1);
    const std::vector<std::string_view> pieces = SplitLines(text);
    if (pieces.size() == 1) {
        m_lines.PutSpliced(atLine.Index(), line.substr(0, split), text, line.substr(split));
        return {at.Char + static_cast<int>(text.size()), at.Line};
    }
    std::string after(line.substr(split));
    std::string first(line.substr(0, split));
    first.append(pieces.front());
    const int added = static_cast<int>(pieces.size()) - 1;
    InsertEmptyAt(m_lines, atLine.Next(), added);
    m_marks.LinesInserted(atLine.Next().Number(), added);
    PutLineTrimmed(atLine, std::move(first), true);
    for (int i = 1; i < added; ++i) PutLineTrimmed(atLine.Next(i), std::string(pieces[i]), true);
    std::string last(pieces.back());
    last.append(after);
    PutAt(m_lines, atLine.Next(added), last);
    return {static_cast<int>(pieces.back().size()) + 1, at.Line + added};
}

TBufferCoord TSynTextChanger::InsertColumn(TBufferCoord at, std::string_view text) {
    EnsureLine(TLineNumber::Of(at));
    const std::vector<std::string_view> pieces = SplitLines(text);
    // Lines are added and padded for the whole block first, so these recorded side effects all
    // precede the insertion they make room for.
    std::vector<bool> skip(pieces.size(), false);
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        const TLineNumber line = TLineNumber::Of(at).Next(static_cast<int>(k));
        const TLineNumber last = LastLine(m_lines);
        if (line > last) {
            const int lastLength = LineLength(last);
            m_lines.Add("");
            RecordSideEffect(ukInsert, {lastLength + 1, last.Number()}, {1, last.Next().Number()},
                             "");
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
        const TLineNumber line = TLineNumber::Of(at).Next(static_cast<int>(k));
        std::string s(LineAt(line));
        s.insert(static_cast<std::size_t>(at.Char - 1), pieces[k]);
        PutAt(m_lines, line, s);
    }
    return {at.Char + static_cast<int>(pieces.back().size()),
            at.Line + static_cast<int>(pieces.size()) - 1};
}

TBufferCoord TSynTextChanger::InsertLineMode(TBufferCoord at, std::string_view text) {
    // Whole lines go in as new lines above the caret line, so no line is overwritten.
    const std::vector<std::string_view> pieces = SplitLines(text);
    const int added = static_cast<int>(pieces.size()) - 1;
    TLineNumber line = TLineNumber::Of(at);
    if (added > 0) {
        if (line > LastLine(m_lines)) {
            for (int i = 0; i < added; ++i) m_lines.Add(pieces[i]);
        } else {
            InsertEmptyAt(m_lines, line, added);
            m_marks.LinesInserted(line.Number(), added);
            for (int i = 0; i < added; ++i) PutAt(m_lines, line.Next(i), pieces[i]);
        }
        line = line.Next(added);
    }
    std::string_view last = pieces.back();
    if (!last.empty()) {
        if (line <= LastLine(m_lines)) {
            std::string s(last);
            s.append(LineAt(line));
            PutAt(m_lines, line, s);
        } else {
            m_lines.Add(last);
        }
    }
    return {static_cast<int>(last.size()) + 1, line.Number()};
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
    std::string_view line = LineAt(TLineNumber::Of(begin));
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
    m_lines.PutSpliced(TLineNumber::Of(begin).Index(), line.substr(0, from), text,
                       line.substr(std::max(from, to)));
    m_insertStart = begin;
    m_insertEnd = {begin.Char + static_cast<int>(text.size()), begin.Line};
    return true;
}
