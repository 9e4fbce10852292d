// Editor logic: the selected text, inserting and deleting text at the selection in the three
// selection modes, replacing the selection with undo, and the leading blanks of a line.
//
// Every side effect that a primitive has beyond the range it was asked to change (spaces padded
// in front of an insertion, trailing blanks trimmed, lines added for a column block) is recorded
// as an undo item of its own, in the order it happened, so undoing a group restores the text
// byte for byte. Trims that follow an insertion are held back until the caller has recorded the
// insertion itself (FlushPendingTrims), since their positions refer to the text after it.
#include <algorithm>

#include "editor/custom_synedit.h"
#include "editor/synedit_scopes.h"
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

// ---------------------------------------------------------------- small helpers

std::string_view TCustomSynEdit::LineAt(int line) const {
    return m_lines->GetView(line - 1);
}

int TCustomSynEdit::LineLength(int line) const {
    return static_cast<int>(m_lines->GetView(line - 1).size());
}

bool TCustomSynEdit::TrimEnabled() const {
    // A replay restores exact text; the trims of the original edit are items of their own.
    return HasOption(eoTrimTrailingSpaces) && !m_inReplay;
}

void TCustomSynEdit::RestoreOptions(TSynEditorOptions options) {
    const bool pastEolCleared = HasOption(eoScrollPastEol) && !(options & eoScrollPastEol);
    m_options = options;
    if (pastEolCleared) SetCaretX(m_caretX);
}

int TCustomSynEdit::LeadingBlanks(int line) const {
    if (!HasOption(eoAutoIndent)) return 0;
    std::string_view s = LineAt(line);
    int n = 0;
    while (n < static_cast<int>(s.size()) && IsBlank(s[n])) ++n;
    return n;
}

std::string TCustomSynEdit::LeadingIndent(int line) const {
    return std::string(LineAt(line).substr(0, static_cast<std::size_t>(LeadingBlanks(line))));
}

void TCustomSynEdit::RecordChange(TSynChangeReason kind, TBufferCoord start, TBufferCoord end,
                                  std::string_view text, TSynSelectionMode mode) {
    m_undoList->AddChange(kind, {start.Char, start.Line}, {end.Char, end.Line}, text, mode);
}

void TCustomSynEdit::RecordSideEffect(TSynChangeReason kind, TBufferCoord start, TBufferCoord end,
                                      std::string_view text) {
    if (!m_inReplay) RecordChange(kind, start, end, text, smNormal);
}

void TCustomSynEdit::FlushPendingTrims() {
    if (m_pendingTrims.empty()) return;
    std::vector<TPendingTrim> trims;
    trims.swap(m_pendingTrims);
    for (const TPendingTrim& t : trims) {
        TBufferCoord end{t.start.Char + static_cast<int>(t.blanks.size()), t.start.Line};
        RecordSideEffect(ukDeleteChar, t.start, end, t.blanks);
    }
}

void TCustomSynEdit::EnsureLine(int line) {
    while (m_lines->GetCount() < line) m_lines->Add("");
}

void TCustomSynEdit::PadLine(int line, int length) {
    int n = LineLength(line);
    if (n >= length) return;
    std::string s(LineAt(line));
    s.append(static_cast<std::size_t>(length - n), ' ');
    m_lines->Put(line - 1, s);
    RecordSideEffect(ukInsert, {n + 1, line}, {length + 1, line}, "");
}

void TCustomSynEdit::PutLineTrimmed(int line, std::string text, bool deferRecord) {
    std::string blanks;
    if (TrimEnabled()) {
        std::size_t keep = TrailingBlankStart(text);
        blanks = text.substr(keep);
        text.resize(keep);
    }
    m_lines->Put(line - 1, text);
    if (blanks.empty()) return;
    TBufferCoord start{static_cast<int>(text.size()) + 1, line};
    if (deferRecord)
        m_pendingTrims.push_back({start, std::move(blanks)});
    else
        RecordSideEffect(ukDeleteChar, start, {start.Char + static_cast<int>(blanks.size()), line},
                         blanks);
}

// ---------------------------------------------------------------- selected text

std::string TCustomSynEdit::SelText() const {
    if (!SelAvail()) return {};
    return RangeText(BlockBegin(), BlockEnd(), m_selectionMode);
}

std::string TCustomSynEdit::RangeText(TBufferCoord b, TBufferCoord e,
                                      TSynSelectionMode mode) const {
    if (CoordLess(e, b)) std::swap(b, e);
    const int count = m_lines->GetCount();
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

// ---------------------------------------------------------------- deleting

void TCustomSynEdit::PrepareSelectionForDelete() {
    if (m_selectionMode == smNormal) {
        // A selection end beyond its line (left from another mode) selects up to the line end.
        m_blockBegin.Char = std::min(m_blockBegin.Char, LineLength(m_blockBegin.Line) + 1);
        m_blockEnd.Char = std::min(m_blockEnd.Char, LineLength(m_blockEnd.Line) + 1);
    } else if (m_selectionMode == smColumn) {
        // Lines that end inside the block are padded to its right edge first (recorded), so
        // the spaces the selected text is padded with exist and undo puts back no more.
        const TBufferCoord b = BlockBegin();
        const TBufferCoord e = BlockEnd();
        const int left = std::min(b.Char, e.Char);
        const int right = std::max(b.Char, e.Char);
        // The padding's change bracket collapses the selection when it closes; the block is
        // still the one to delete, since padding moves none of its corners.
        const TBufferCoord savedBegin = m_blockBegin;
        const TBufferCoord savedEnd = m_blockEnd;
        {
            const TTextChangeScope padding(*this);
            for (int line = b.Line; line <= e.Line; ++line) {
                int n = LineLength(line);
                if (n + 1 >= left && n < right - 1) PadLine(line, right - 1);
            }
        }
        m_blockBegin = savedBegin;
        m_blockEnd = savedEnd;
    }
}

void TCustomSynEdit::RecordSelectionDeletion(TSynChangeReason kind) {
    PrepareSelectionForDelete();
    const std::string text = SelText();
    if (kind == ukDeleteSelBack)
        RecordChange(kind, m_blockEnd, m_blockBegin, text, m_selectionMode);
    else
        RecordChange(kind, m_blockBegin, m_blockEnd, text, m_selectionMode);
}

TBufferCoord TCustomSynEdit::DeleteTextRange(TBufferCoord begin, TBufferCoord end,
                                             TSynSelectionMode mode) {
    if (CoordLess(end, begin)) std::swap(begin, end);
    const int count = m_lines->GetCount();
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
                m_lines->DeleteLineRun(begin.Line, removed);
                m_marks.LinesDeleted(begin.Line, removed);
            }
            if (HasOption(eoScrollPastEol))
                PutLineTrimmed(begin.Line, std::move(joined), false);
            else
                m_lines->Put(begin.Line - 1, joined);
            return begin;
        }
        case smLine: {
            const int first = begin.Line;
            const int last = end.Line;
            if (last >= count) {
                // The text keeps one (empty) line where the selection began.
                if (last > first) {
                    m_lines->DeleteLineRun(first, last - first);
                    m_marks.LinesDeleted(first, last - first);
                }
                m_lines->Put(first - 1, "");
            } else {
                m_lines->DeleteLineRun(first - 1, last - first + 1);
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
                m_lines->Put(line - 1, t);
            }
            return {left, begin.Line};
        }
    }
    return begin;
}

// ---------------------------------------------------------------- inserting

TBufferCoord TCustomSynEdit::InsertNormal(TBufferCoord at, std::string_view text) {
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
        m_lines->Put(at.Line - 1, s);
        return {at.Char + static_cast<int>(text.size()), at.Line};
    }
    std::string after(line.substr(split));
    std::string first(line.substr(0, split));
    first.append(pieces.front());
    const int added = static_cast<int>(pieces.size()) - 1;
    m_lines->InsertEmptyLines(at.Line, added);
    m_marks.LinesInserted(at.Line + 1, added);
    PutLineTrimmed(at.Line, std::move(first), true);
    for (int i = 1; i < added; ++i) PutLineTrimmed(at.Line + i, std::string(pieces[i]), true);
    std::string last(pieces.back());
    last.append(after);
    m_lines->Put(at.Line + added - 1, last);
    return {static_cast<int>(pieces.back().size()) + 1, at.Line + added};
}

TBufferCoord TCustomSynEdit::InsertColumn(TBufferCoord at, std::string_view text) {
    EnsureLine(at.Line);
    const std::vector<std::string_view> pieces = SplitLines(text);
    // Lines are added and padded for the whole block first, so these recorded side effects all
    // precede the insertion they make room for.
    std::vector<bool> skip(pieces.size(), false);
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        const int line = at.Line + static_cast<int>(k);
        const int count = m_lines->GetCount();
        if (line > count) {
            const int lastLength = LineLength(count);
            m_lines->Add("");
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
        m_lines->Put(line - 1, s);
    }
    return {at.Char + static_cast<int>(pieces.back().size()),
            at.Line + static_cast<int>(pieces.size()) - 1};
}

TBufferCoord TCustomSynEdit::InsertLineMode(TBufferCoord at, std::string_view text) {
    // Whole lines go in as new lines above the caret line, so no line is overwritten.
    const std::vector<std::string_view> pieces = SplitLines(text);
    const int added = static_cast<int>(pieces.size()) - 1;
    int line = at.Line;
    if (added > 0) {
        if (line > m_lines->GetCount()) {
            for (int i = 0; i < added; ++i) m_lines->Add(pieces[i]);
        } else {
            m_lines->InsertEmptyLines(line - 1, added);
            m_marks.LinesInserted(line, added);
            for (int i = 0; i < added; ++i) m_lines->Put(line - 1 + i, pieces[i]);
        }
        line += added;
    }
    std::string_view last = pieces.back();
    if (!last.empty()) {
        if (line <= m_lines->GetCount()) {
            std::string s(last);
            s.append(LineAt(line));
            m_lines->Put(line - 1, s);
        } else {
            m_lines->Add(last);
        }
    }
    return {static_cast<int>(last.size()) + 1, line};
}

TBufferCoord TCustomSynEdit::InsertTextAt(TBufferCoord at, TSynSelectionMode mode,
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

TBufferCoord TCustomSynEdit::ReplaceRange(TBufferCoord begin, TBufferCoord end,
                                          TSynSelectionMode deleteMode, std::string_view text,
                                          TSynSelectionMode insertMode, bool deleteRange) {
    const TPaintLockScope lock(*this);
    const TScopeExit keepColumn([this] { m_lastCaretX = m_caretX; });
    const TLinesUpdateScope change(*m_lines);
    if (deleteRange && deleteMode == smNormal && insertMode == smNormal &&
        ReplaceWithinLine(begin, end, text))
        return m_insertEnd;
    TBufferCoord at = deleteRange ? DeleteTextRange(begin, end, deleteMode) : begin;
    if (deleteRange && insertMode == smLine) at.Char = 1;
    TBufferCoord after = text.empty() ? at : InsertTextAt(at, insertMode, text);
    m_insertStart = at;
    m_insertEnd = after;
    // Inside the update bracket, so the selection collapses at the new caret when it closes.
    SetCaretXY(after);
    return after;
}

void TCustomSynEdit::InsertAtSelection(TSynSelectionMode mode, std::string_view text) {
    if (SelAvail())
        ReplaceRange(BlockBegin(), BlockEnd(), m_selectionMode, text, mode, true);
    else
        ReplaceRange(CaretXY(), CaretXY(), m_selectionMode, text, mode, false);
}

bool TCustomSynEdit::ReplaceWithinLine(TBufferCoord begin, TBufferCoord end,
                                       std::string_view text) {
    // One line changed in one store, when the general path would pad and trim nothing: the
    // common case of typing over a selection and of every replacement of FindReplace.
    if (CoordLess(end, begin)) std::swap(begin, end);
    if (begin.Line != end.Line || begin.Line > m_lines->GetCount()) return false;
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
    m_lines->Put(begin.Line - 1, s);
    m_insertStart = begin;
    m_insertEnd = {begin.Char + static_cast<int>(text.size()), begin.Line};
    SetCaretXY(m_insertEnd);
    return true;
}

// ---------------------------------------------------------------- recorded replacements

void TCustomSynEdit::ReplaceSelection(std::string_view text) {
    const TUndoBlockScope group(*this);
    if (SelAvail()) RecordSelectionDeletion(ukDeleteSel);
    InsertAtSelection(smNormal, text);
    RecordChange(ukInsert, m_insertStart, m_insertEnd, "", smNormal);
    FlushPendingTrims();
}

void TCustomSynEdit::ReplaceRangeRecorded(TBufferCoord begin, TBufferCoord end,
                                          std::string_view deleted, std::string_view text) {
    const TUndoBlockScope group(*this);
    if (begin != end) RecordChange(ukDeleteSel, begin, end, deleted, smNormal);
    ReplaceRange(begin, end, smNormal, text, smNormal, begin != end);
    RecordChange(ukInsert, m_insertStart, m_insertEnd, "", smNormal);
    FlushPendingTrims();
}

void TCustomSynEdit::ReplaceTextRange(TBufferCoord begin, TBufferCoord end, std::string_view text) {
    if (CoordLess(end, begin)) std::swap(begin, end);
    ReplaceRangeRecorded(begin, end, RangeText(begin, end, smNormal), text);
}

void TCustomSynEdit::DeleteSelectionByKey() {
    if (!SelAvail()) return;
    const TUndoBlockScope group(*this);
    RecordSelectionDeletion(CoordLess(m_blockBegin, m_blockEnd) ? ukDeleteSel : ukDeleteSelBack);
    InsertAtSelection(m_selectionMode, "");
    FlushPendingTrims();
}
