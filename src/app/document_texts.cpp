// Reading the document windows' texts and the name at the caret.
#include "app/document_texts.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "app/main_window.h"
#include "documents/mdi_child.h"
#include "editor/qt/synedit.h"
#include "editor/string_list.h"
#include "project/text_finder.h"

std::vector<TMDIChild*> DocumentWindows(const TMainForm& form) {
    std::vector<TMDIChild*> documents;
    for (QMdiSubWindow* window : form.ClientArea()->subWindowList()) {
        if (auto* document = qobject_cast<TMDIChild*>(window->widget()))
            documents.push_back(document);
    }
    return documents;
}

std::string EditorText(const TSynEdit& editor) {
    const TSynEditStringList& lines = editor.Lines();
    std::string text;
    for (int i = 0; i < lines.GetCount(); ++i) {
        if (i > 0) text += '\n';
        text += lines.GetView(i);
    }
    return text;
}

std::string WordAtCaret(const TSynEdit& editor) {
    const TSynEditStringList& lines = editor.Lines();
    const int line = editor.CaretY() - 1;
    if (line < 0 || line >= lines.GetCount()) return {};
    const std::string_view text = lines.GetView(line);
    std::size_t at = static_cast<std::size_t>(std::max(0, editor.CaretX() - 1));
    if (at > text.size()) return {};
    // The caret may stand just after the name.
    if ((at == text.size() || !IsNameChar(text[at])) && at > 0 && IsNameChar(text[at - 1])) --at;
    if (at >= text.size() || !IsNameChar(text[at])) return {};
    std::size_t begin = at;
    while (begin > 0 && IsNameChar(text[begin - 1])) --begin;
    std::size_t end = at;
    while (end < text.size() && IsNameChar(text[end])) ++end;
    if (begin > 0 && (text[begin - 1] == '.' || text[begin - 1] == '@')) --begin;
    return std::string(text.substr(begin, end - begin));
}
