// Completion that knows the code: the document window's popup keeps the library list as it is
// and adds, below it, the names of the project and of the C compiler's headers that fit the word
// before the caret (its whole text as a prefix first, then its letters at the starts of the
// name's words). An entry inserts its name only; Shift+Enter on a library function inserts its
// call as listed.
#pragma once

#include <functional>
#include <string>
#include <vector>

class TSynCompletionProposal;

// One name offered beside the library list, with what it is and where it comes from.
struct TCompletionName {
    std::string Name;
    std::string Detail;  // such as "function · conio.h", drawn beside the name
};

class TCodeCompletion {
  public:
    // Every name there is to offer; asked each time the popup opens.
    using TNameSource = std::function<std::vector<TCompletionName>()>;

    // Takes over the proposal's list (the library list) and its insertion; the proposal must
    // outlive this object.
    explicit TCodeCompletion(TSynCompletionProposal& proposal);
    ~TCodeCompletion();

    void SetNameSource(TNameSource source) { m_source = std::move(source); }
    // Asks the source again and refilters the open popup; for names that were still being read
    // when it opened. Does nothing while the popup is hidden.
    void Refresh();

    // The entries the popup shows for a word: the library list, then the fitting names, best
    // first; `details` receives the notes beside them. Returns the index to preselect, or -1 to
    // keep the selection (nothing fits).
    int Entries(const std::string& word, std::vector<std::string>& items,
                std::vector<std::string>& details) const;

    // The text an entry inserts: its name (a library line's function name, without the indent,
    // parameters and comment), or with parameters the call as listed. A category header or the
    // empty line has no name: then `word` stays as typed.
    static std::string InsertedText(const std::string& entry, bool withParameters,
                                    const std::string& word);

  private:
    void TakeNames();
    void Filter();

    TSynCompletionProposal& m_proposal;
    std::vector<std::string> m_library;
    TNameSource m_source;
    std::vector<TCompletionName> m_names;
};
