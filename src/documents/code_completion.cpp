// The library list with the code's names added, filtered as the word grows and shrinks.
#include "documents/code_completion.h"

#include <algorithm>
#include <set>
#include <string_view>
#include <utility>

#include "completion/completion_match.h"
#include "completion/completion_proposal.h"
#include "project/symbol_filter.h"

TCodeCompletion::TCodeCompletion(TSynCompletionProposal& proposal)
    : m_proposal(proposal), m_library(proposal.ItemList()) {
    m_proposal.OnExecute = [this](TSynBaseCompletionProposal*) {
        TakeNames();
        Filter();
    };
    m_proposal.Form().OnCurrentStringChange = [this](TSynBaseCompletionProposalForm* form) {
        // Opening writes the string before OnExecute takes the names; that filters there.
        if (form->isVisible()) Filter();
    };
    m_proposal.OnCodeCompletion = [this](std::string& value, TShiftState shift) {
        value = InsertedText(value, (shift & ssShift) != 0, m_proposal.CurrentString());
    };
}

TCodeCompletion::~TCodeCompletion() {
    m_proposal.OnExecute = nullptr;
    m_proposal.Form().OnCurrentStringChange = nullptr;
    m_proposal.OnCodeCompletion = nullptr;
}

void TCodeCompletion::Refresh() {
    if (!m_proposal.Form().isVisible()) return;
    TakeNames();
    Filter();
}

void TCodeCompletion::TakeNames() {
    m_names.clear();
    if (!m_source) return;
    // One entry per name, what it is and where: a header declares a name in several branches,
    // a project file may define it once per configuration.
    std::set<std::pair<std::string, std::string>> seen;
    std::vector<TCompletionName> names = m_source();
    m_names.reserve(names.size());
    for (TCompletionName& name : names) {
        if (name.Name.empty() || !seen.insert({name.Name, name.Detail}).second) continue;
        m_names.push_back(std::move(name));
    }
}

int TCodeCompletion::Entries(const std::string& word, std::vector<std::string>& items,
                             std::vector<std::string>& details) const {
    items = m_library;
    details.assign(m_library.size(), std::string());
    std::vector<std::string_view> names;
    names.reserve(m_names.size());
    for (const TCompletionName& name : m_names) names.push_back(name.Name);
    bool prefixFits = false;
    for (int index : FilterNames(names, {}, word)) {
        const TCompletionName& name = m_names[static_cast<std::size_t>(index)];
        // Letters merely in order are too loose for completing a word.
        const TFitRank rank = word.empty() ? TFitRank::Prefix : FitRank(word, name.Name);
        if (rank == TFitRank::InOrder || rank == TFitRank::None) break;
        if (items.size() == m_library.size()) prefixFits = rank == TFitRank::Prefix;
        items.push_back(name.Name);
        details.push_back(name.Detail);
    }
    const bool added = items.size() > m_library.size();
    // The code's own names are the better guess for a word they begin with.
    if (!word.empty() && prefixFits) return static_cast<int>(m_library.size());
    const int library = FirstMatchingItem(m_library, word, true);
    if (library >= 0) return library;
    return added && !word.empty() ? static_cast<int>(m_library.size()) : -1;
}

void TCodeCompletion::Filter() {
    std::vector<std::string> items;
    std::vector<std::string> details;
    const int select = Entries(m_proposal.CurrentString(), items, details);
    m_proposal.SetItemList(std::move(items));
    m_proposal.Form().SetItemDetails(std::move(details));
    if (select >= 0) m_proposal.SetPosition(select);
    // The names of the code show as a whole, from the top of the popup, rather than peeking
    // in at its bottom row.
    if (select >= static_cast<int>(m_library.size())) m_proposal.Form().SetTopIndex(select);
}

std::string TCodeCompletion::InsertedText(const std::string& entry, bool withParameters,
                                          const std::string& word) {
    std::string_view text = entry;
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    if (text.empty() || text.starts_with("**")) return word;
    const std::size_t open = text.find('(');
    if (open == std::string_view::npos) return std::string(text);
    if (!withParameters) {
        std::string_view name = text.substr(0, open);
        while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
        return std::string(name);
    }
    // The call up to its semicolon, or up to the comment or version mark when it has none.
    std::size_t end = text.find(';');
    if (end != std::string_view::npos) {
        ++end;
    } else {
        end = std::min(text.find("/*"), text.find("["));
        if (end == std::string_view::npos) end = text.size();
    }
    std::string_view call = text.substr(0, end);
    while (!call.empty() && call.back() == ' ') call.remove_suffix(1);
    return std::string(call);
}
