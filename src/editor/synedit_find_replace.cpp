// Editor logic: finding and replacing text with the search engine, line by line through a range
// of the text, forwards or backwards, with the replace prompt and replace-all.
#include <algorithm>
#include <optional>

#include "editor/custom_synedit.h"
#include "editor/lines_by_number.h"
#include "editor/synedit_editing_commands.h"
#include "editor/synedit_scopes.h"
#include "editor/synedit_selection_text.h"
#include "search/syn_edit_search.h"

namespace {

// Lines joined into one scan hold at most this many bytes, which bounds the text scanned past
// the first match.
constexpr std::size_t kJoinedScanBytes = 256 * 1024;
// Lines read from a file lie one after another in memory with only their line breaks between
// them; a gap of at most this many bytes, all CR or LF, joins two lines.
constexpr std::size_t kMaxLineBreakGap = 8;

bool OnlyLineBreaks(const char* begin, const char* end) {
    for (const char* p = begin; p != end; ++p)
        if (*p != '\r' && *p != '\n') return false;
    return true;
}

}  // namespace

int TSynEditingCommands::NextLineWithMatch(int fromLine, int lastLine) const {
    TSynEditSearch& engine = *m_search;
    const std::string& pattern = engine.Pattern();
    // A line break inside the pattern could match across joined lines.
    if (pattern.find_first_of("\r\n") != std::string::npos) return fromLine;

    // Lines adjacent in memory are scanned as one text: line breaks are delimiters and never
    // part of a match, so the matches are those of the lines scanned one by one, and a search
    // costs one pass over the text instead of one call per line.
    int found = 0;
    const char* runBegin = nullptr;
    const char* runEnd = nullptr;
    int runFirstLine = 0;
    auto scanRun = [&] {
        if (runBegin == nullptr) return;
        const std::string_view run(runBegin, static_cast<std::size_t>(runEnd - runBegin));
        runBegin = runEnd = nullptr;
        if (engine.ScanLine(run) == 0) return;
        // The run's lines once more, to the one that holds the first match.
        const char* match = run.data() + engine.MatchAt(0) - 1;
        for (int line = runFirstLine;; ++line) {
            const std::string_view text = m_changer.LineAt(TLineNumber(line));
            if (!text.empty() && match < text.data() + text.size()) {
                found = line;
                return;
            }
        }
    };

    int line = fromLine;
    while (line <= lastLine && found == 0) {
        // A slice of lines per walk, so a match early on stops the walk soon.
        const int sliceEnd = std::min(lastLine, line + 4095);
        m_lines.ForEachView(
            TLineNumber(line).Index(), sliceEnd, [&](std::string_view text, int index) {
                if (found != 0 || text.empty()) return;
                const char* begin = text.data();
                const bool joins =
                    runBegin != nullptr && begin > runEnd &&
                    static_cast<std::size_t>(begin - runEnd) <= kMaxLineBreakGap &&
                    static_cast<std::size_t>(begin + text.size() - runBegin) <= kJoinedScanBytes &&
                    OnlyLineBreaks(runEnd, begin);
                if (!joins) {
                    scanRun();
                    if (found != 0) return;
                    runBegin = begin;
                    runFirstLine = TLineNumber::OfIndex(index).Number();
                }
                runEnd = begin + text.size();
            });
        if (found == 0) scanRun();
        line = sliceEnd + 1;
    }
    return found != 0 ? found : lastLine + 1;
}

int TSynEditingCommands::FindReplace(std::string_view search, std::string_view replace,
                                     TFindOptions options) {
    if (search.empty()) return 0;
    if ((options & foSelectedOnly) && !m_caret.SelAvail()) options &= ~foSelectedOnly;
    // A read-only text is never changed: replacing there only finds, as a plain search does.
    if (m_settings.ReadOnly) options &= ~(foReplace | foReplaceAll | foPrompt);
    const bool backwards = options & foBackwards;
    const bool selectedOnly = options & foSelectedOnly;
    const bool replacing = options & (foReplace | foReplaceAll);
    bool replaceAll = options & foReplaceAll;
    bool prompt = options & foPrompt;
    const int count = m_lines.GetCount();
    if (count == 0) return 0;

    // The range; outside a selection, matches are judged as in normal mode, so a column or line
    // selection mode does not hide matches of the whole text.
    TSynSelectionMode rangeMode = smNormal;
    TBufferCoord start{1, 1};
    TBufferCoord end{m_changer.LineLength(TLineNumber(count)) + 1, count};
    if (selectedOnly) {
        rangeMode = m_caret.SelectionMode();
        start = m_caret.BlockBegin();
        end = m_caret.BlockEnd();
        if (rangeMode == smLine) {
            start.Char = 1;
            end.Char = m_changer.LineLength(TLineNumber(end.Line)) + 1;
        } else if (rangeMode == smColumn) {
            const int left = std::min(start.Char, end.Char);
            const int right = std::max(start.Char, end.Char);
            start.Char = left;
            end.Char = right;
        }
    } else if (!(options & foEntireScope)) {
        if (backwards)
            end = m_caret.CaretXY();
        else
            start = m_caret.CaretXY();
    }

    TSynEditSearch& engine = *m_search;
    engine.SetMatchCase(options & foMatchCase);
    engine.SetWholeWordsOnly(options & foWholeWord);
    engine.AssignPattern(search);
    const int searchLength = static_cast<int>(search.size());
    const int replaceLength = static_cast<int>(replace.size());

    int handled = 0;
    // Replacing all is painted once, at the end. Replacing all without asking is one undo step
    // however many replacements it makes; so is the rest of a prompted run after "Yes to all"
    // (each replacement the user confirmed alone stays a step of its own).
    std::optional<TPaintLockScope> lock;
    std::optional<TUndoBlockScope> oneStep;
    if (replaceAll) lock.emplace(m_view);
    if (replaceAll && !prompt) oneStep.emplace(m_changer);

    // A plain forward search skips the lines without a match in one pass.
    const bool skipLines = !backwards && !replacing && rangeMode == smNormal;
    const int step = backwards ? -1 : 1;
    for (int line = backwards ? end.Line : start.Line;
         backwards ? line >= start.Line : line <= end.Line; line += step) {
        if (skipLines) {
            line = NextLineWithMatch(line, end.Line);
            if (line > end.Line) break;
        }
        const int matches = engine.ScanLine(m_changer.LineAt(TLineNumber(line)));
        // Replacements earlier on the line move the later matches; the range is judged on the
        // matches' original columns, so no match outside it slides in.
        int shift = 0;
        for (int k = 0; k < matches; ++k) {
            const int column = engine.MatchAt(backwards ? matches - 1 - k : k);
            const int matchEnd = column + searchLength;
            const int originalColumn = column - shift;
            const int originalEnd = originalColumn + searchLength;
            // A replacement that trimmed the line's trailing blanks can leave later matches of
            // the line beyond its end.
            if (matchEnd - 1 > m_changer.LineLength(TLineNumber(line))) continue;
            if (rangeMode == smNormal) {
                if (line == start.Line && originalColumn < start.Char) continue;
                if (line == end.Line && originalEnd > end.Char) continue;
            } else if (rangeMode == smColumn) {
                if (originalColumn < start.Char || originalEnd > end.Char) continue;
            }
            ++handled;
            const TBufferCoord from{column, line};
            const TBufferCoord to{matchEnd, line};
            m_caret.SetCaretAndSelection(backwards ? from : to, from, to);
            if (!replacing) return handled;
            TSynReplaceAction action = rpReplace;
            if (prompt && m_editor.OnReplaceText) {
                action = rpCancel;
                m_editor.OnReplaceText(&m_editor, std::string(search), std::string(replace), line,
                                       column, action);
                if (action == rpCancel) return handled;
            }
            if (action == rpReplaceAll) {
                if (!replaceAll) {
                    replaceAll = true;
                    lock.emplace(m_view);
                }
                if (!oneStep) oneStep.emplace(m_changer);
                prompt = false;
            }
            if (action != rpSkip) {
                // The match's own text is recorded (its case may differ from the pattern); the
                // range is exact, also beyond MaxLeftChar, where the selection is clamped.
                const std::string matched(m_changer.LineAt(TLineNumber(line))
                                              .substr(static_cast<std::size_t>(column - 1),
                                                      static_cast<std::size_t>(searchLength)));
                m_text.ReplaceRangeRecorded(from, to, matched, replace);
            }
            if (!backwards) {
                m_caret.SetCaretXY({column + replaceLength, line});
                if (action != rpSkip && searchLength != replaceLength) {
                    engine.AdjustMatches(column, searchLength - replaceLength);
                    shift += replaceLength - searchLength;
                }
            }
            if (!replaceAll) return handled;
        }
    }
    return handled;
}
