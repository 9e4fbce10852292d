// Finding a text in a whole file at once: every occurrence with its line and column, as a
// project-wide search reports them. Lines end at LF, CR LF or a lone CR, as the editor reads
// them; columns count bytes from 1. Occurrences do not overlap. Whole words are those of C and
// assembly names: a letter, digit or underscore may stand neither just before nor just after.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "search/syn_edit_search.h"

struct TTextMatch {
    int Line = 0;               // from 1
    int Column = 0;             // from 1
    std::string_view LineText;  // the whole line, without its line break
};

class TTextFinder {
  public:
    // An empty text finds nothing.
    TTextFinder(std::string_view text, bool matchCase, bool wholeWords);

    // Calls found for each occurrence in order; returns their number.
    int FindAll(std::string_view content, const std::function<void(const TTextMatch&)>& found);

  private:
    bool IsWholeWord(std::string_view content, std::size_t begin) const;

    std::string m_text;
    bool m_matchCase;
    bool m_wholeWords;
    // Whether a non-word character inside the text lets a word occurrence start within an
    // occurrence that failed the word test.
    bool m_textHasNonWord = false;
    TSynEditSearch m_search;
};

// True for the characters of a C or assembly name.
bool IsNameChar(char c);
