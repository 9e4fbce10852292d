// Markup for editing tests: "ab[c|]d" is the text abcd with the selection from column 3 to 4
// and the caret at column 4. Lines are separated by '\n'; '[' marks the block begin, ']' the
// block end and '|' the caret (at ']' when omitted). Render gives the same notation back.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "editor/custom_synedit.h"
#include "editor/string_list.h"

struct TEditMarkup {
    std::vector<std::string> lines{""};
    TBufferCoord caret;
    TBufferCoord blockBegin;
    TBufferCoord blockEnd;
    bool hasCaret = false;
    bool hasBlock = false;
};

inline TEditMarkup ParseMarkup(std::string_view markup) {
    TEditMarkup m;
    int line = 1;
    for (char c : markup) {
        TBufferCoord here{static_cast<int>(m.lines.back().size()) + 1, line};
        if (c == '\n') {
            m.lines.emplace_back();
            ++line;
        } else if (c == '[') {
            m.blockBegin = here;
            m.hasBlock = true;
        } else if (c == ']') {
            m.blockEnd = here;
        } else if (c == '|') {
            m.caret = here;
            m.hasCaret = true;
        } else {
            m.lines.back() += c;
        }
    }
    if (!m.hasCaret && m.hasBlock) m.caret = m.blockEnd;
    return m;
}

// Replaces the editor's text, caret and selection by the markup's; the undo lists are cleared.
inline void LoadMarkup(TCustomSynEdit& editor, std::string_view markup) {
    TEditMarkup m = ParseMarkup(markup);
    editor.Lines().Clear();
    editor.Lines().AddStrings(m.lines);
    editor.ClearUndo();
    editor.SetCaretXY(m.caret);
    editor.SetBlockBegin(m.hasBlock ? m.blockBegin : m.caret);
    if (m.hasBlock) editor.SetBlockEnd(m.blockEnd);
}

inline std::string EditorText(const TCustomSynEdit& editor) {
    std::string text;
    for (int i = 0; i < editor.Lines().GetCount(); ++i) {
        if (i > 0) text += '\n';
        text += editor.Lines().GetView(i);
    }
    return text;
}

// The text with '|' at the caret and, for a selection, '[' and ']' at its raw ends. Positions
// beyond a line's end are shown with '.' fill.
inline std::string RenderMarkup(const TCustomSynEdit& editor) {
    std::vector<std::string> lines;
    for (int i = 0; i < editor.Lines().GetCount(); ++i)
        lines.emplace_back(editor.Lines().GetView(i));
    if (lines.empty()) lines.emplace_back();
    struct Mark {
        TBufferCoord at;
        char c;
    };
    std::vector<Mark> marks;
    if (editor.SelAvail()) {
        marks.push_back({editor.BlockBeginRaw(), '['});
        marks.push_back({editor.BlockEndRaw(), ']'});
    }
    marks.push_back({editor.CaretXY(), '|'});
    // Insert from the right so earlier columns stay valid; '[' before '|' before ']' at one spot.
    auto rank = [](char c) { return c == '[' ? 0 : c == '|' ? 1 : 2; };
    for (std::size_t i = 0; i < marks.size(); ++i)
        for (std::size_t j = i + 1; j < marks.size(); ++j) {
            const Mark& a = marks[i];
            const Mark& b = marks[j];
            bool swap = a.at.Line < b.at.Line ||
                        (a.at.Line == b.at.Line && a.at.Char < b.at.Char) ||
                        (a.at == b.at && rank(a.c) < rank(b.c));
            if (swap) std::swap(marks[i], marks[j]);
        }
    for (const Mark& m : marks) {
        std::string& s = lines[static_cast<std::size_t>(m.at.Line - 1)];
        if (static_cast<int>(s.size()) < m.at.Char - 1)
            s.resize(static_cast<std::size_t>(m.at.Char - 1), '.');
        s.insert(static_cast<std::size_t>(m.at.Char - 1), 1, m.c);
    }
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += '\n';
        text += lines[i];
    }
    return text;
}
