// Editor logic: finding and replacing text with the search engine, line by line through a range
// of the text, forwards or backwards, with the replace prompt and replace-all.
#include <algorithm>

#include "editor/custom_synedit.h"
#include "editor/string_list.h"
#include "search/syn_edit_search.h"

int TCustomSynEdit::FindReplace(std::string_view search, std::string_view replace,
                                TFindOptions options) {
    if (search.empty()) return 0;
    if ((options & foSelectedOnly) && !SelAvail()) options &= ~foSelectedOnly;
    // A read-only text is never changed: replacing there only finds, as a plain search does.
    if (m_readOnly) options &= ~(foReplace | foReplaceAll | foPrompt);
    const bool backwards = options & foBackwards;
    const bool selectedOnly = options & foSelectedOnly;
    const bool replacing = options & (foReplace | foReplaceAll);
    bool replaceAll = options & foReplaceAll;
    bool prompt = options & foPrompt;
    const int count = m_lines->GetCount();
    if (count == 0) return 0;

    // The range; outside a selection, matches are judged as in normal mode, so a column or line
    // selection mode does not hide matches of the whole text.
    TSynSelectionMode rangeMode = smNormal;
    TBufferCoord start{1, 1};
    TBufferCoord end{LineLength(count) + 1, count};
    if (selectedOnly) {
        rangeMode = m_selectionMode;
        start = BlockBegin();
        end = BlockEnd();
        if (rangeMode == smLine) {
            start.Char = 1;
            end.Char = LineLength(end.Line) + 1;
        } else if (rangeMode == smColumn) {
            const int left = std::min(start.Char, end.Char);
            const int right = std::max(start.Char, end.Char);
            start.Char = left;
            end.Char = right;
        }
    } else if (!(options & foEntireScope)) {
        if (backwards)
            end = CaretXY();
        else
            start = CaretXY();
    }

    TSynEditSearch& engine = *m_search;
    engine.SetMatchCase(options & foMatchCase);
    engine.SetWholeWordsOnly(options & foWholeWord);
    engine.AssignPattern(search);
    const int searchLength = static_cast<int>(search.size());
    const int replaceLength = static_cast<int>(replace.size());

    int handled = 0;
    bool locked = false;
    struct Unlock {
        TCustomSynEdit* self;
        bool& locked;
        ~Unlock() {
            if (locked) self->DecPaintLock();
        }
    } unlock{this, locked};
    if (replaceAll) {
        IncPaintLock();
        locked = true;
    }

    const int step = backwards ? -1 : 1;
    for (int line = backwards ? end.Line : start.Line;
         backwards ? line >= start.Line : line <= end.Line; line += step) {
        const int matches = engine.ScanLine(LineAt(line));
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
            if (matchEnd - 1 > LineLength(line)) continue;
            if (rangeMode == smNormal) {
                if (line == start.Line && originalColumn < start.Char) continue;
                if (line == end.Line && originalEnd > end.Char) continue;
            } else if (rangeMode == smColumn) {
                if (originalColumn < start.Char || originalEnd > end.Char) continue;
            }
            ++handled;
            const TBufferCoord from{column, line};
            const TBufferCoord to{matchEnd, line};
            SetCaretAndSelection(backwards ? from : to, from, to);
            if (!replacing) return handled;
            TSynReplaceAction action = rpReplace;
            if (prompt && OnReplaceText) {
                action = rpCancel;
                OnReplaceText(this, std::string(search), std::string(replace), line, column,
                              action);
                if (action == rpCancel) return handled;
            }
            if (action == rpReplaceAll) {
                if (!replaceAll) {
                    replaceAll = true;
                    IncPaintLock();
                    locked = true;
                }
                prompt = false;
            }
            if (action != rpSkip) {
                // The match's own text is recorded (its case may differ from the pattern); the
                // range is exact, also beyond MaxLeftChar, where the selection is clamped.
                const std::string matched(LineAt(line).substr(
                    static_cast<std::size_t>(column - 1), static_cast<std::size_t>(searchLength)));
                ReplaceRangeRecorded(from, to, matched, replace);
            }
            if (!backwards) {
                SetCaretXY({column + replaceLength, line});
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
