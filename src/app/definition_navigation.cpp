// Finding the definition of the name at the caret and moving through the jump history.
#include "app/definition_navigation.h"

#include <QAction>

#include "app/document_texts.h"
#include "app/file_commands.h"
#include "app/main_window.h"
#include "app/message_navigation.h"
#include "app/project_symbols.h"
#include "documents/mdi_child.h"
#include "editor/qt/synedit.h"
#include "platform/files.h"
#include "platform/qt/dialogs.h"
#include "project/project_directory.h"
#include "project/qt/definition_choice_dialog.h"
#include "project/qt/go_to_symbol_dialog.h"

TDefinitionNavigation::TDefinitionNavigation(TMainForm& form, TFileCommands& files,
                                             TMessageNavigation& messages, TProjectSymbols& symbols)
    : m_form(form), m_files(files), m_messages(messages), m_symbols(symbols) {
    form.BindCommand(form.EditGoToDefinition1(), [this] { EditGoToDefinition1Execute(); });
    form.BindCommand(form.EditGoBack1(), [this] { EditGoBack1Execute(); });
    form.BindCommand(form.EditGoForward1(), [this] { EditGoForward1Execute(); });
    form.BindCommand(form.EditGoToSymbol1(), [this] { EditGoToSymbol1Execute(); });
}

std::string TDefinitionNavigation::ActiveProject() const {
    TMDIChild* document = m_files.ActiveDocument();
    if (document != nullptr && !document->SourcePath().empty())
        return ProjectDirectoryOf(AbsolutePath(document->SourcePath()));
    return ProjectDirectoryOf(".");
}

std::optional<TJumpPosition> TDefinitionNavigation::CurrentPosition() const {
    TMDIChild* document = m_files.ActiveDocument();
    if (document == nullptr || document->SourcePath().empty()) return std::nullopt;
    const TSynEdit& editor = *document->SynEditor();
    return TJumpPosition{AbsolutePath(document->SourcePath()), editor.CaretY(), editor.CaretX()};
}

void TDefinitionNavigation::EditGoToDefinition1Execute() {
    TMDIChild* document = m_files.ActiveDocument();
    if (document == nullptr) return;
    const std::string name = WordAtCaret(*document->SynEditor());
    if (name.empty()) {
        m_form.SetStatusText("No name at the caret");
        return;
    }
    const TSynEdit& editor = *document->SynEditor();
    // A window never saved has no file to come back to; the jump still goes.
    const TJumpPosition origin{
        document->SourcePath().empty() ? std::string() : AbsolutePath(document->SourcePath()),
        editor.CaretY(), editor.CaretX()};
    const bool now = m_symbols.WithIndex(
        ActiveProject(),
        [this, name, origin](TSymbolIndex& index) { Resolve(index, name, origin); });
    if (!now) m_form.SetStatusText("Reading the project's symbols...");
}

void TDefinitionNavigation::GoToDefinitionOf(const std::string& name,
                                             const std::string& projectDir) {
    if (name.empty()) return;
    const TJumpPosition origin = CurrentPosition().value_or(TJumpPosition{});
    const bool now = m_symbols.WithIndex(
        projectDir, [this, name, origin](TSymbolIndex& index) { Resolve(index, name, origin); });
    if (!now) m_form.SetStatusText("Reading the project's symbols...");
}

std::vector<TSymbolLocation> TDefinitionNavigation::Candidates(const TSymbolIndex& index,
                                                               const std::string& name,
                                                               const TJumpPosition& origin) const {
    std::vector<TSymbolLocation> found = index.Find(name);
    const bool local = name.front() == '.' || name.front() == '@';
    // C names appear in assembly with a leading underscore, and the other way round.
    if (found.empty() && local) found = index.Find(name.substr(1));
    if (found.empty() && name.front() == '_') found = index.Find(name.substr(1));
    if (found.empty() && !local) found = index.Find("_" + name);
    if (found.size() > 1) {
        // A local label means the one under the same global label as the caret.
        const std::string scope = index.ScopeAt(origin.Path, origin.Line);
        std::vector<TSymbolLocation> sameScope;
        for (const TSymbolLocation& location : found) {
            if (location.Symbol.Kind == TSymbolKind::LocalLabel && location.Path == origin.Path &&
                location.Symbol.Scope == scope)
                sameScope.push_back(location);
        }
        if (!sameScope.empty()) return sameScope;
    }
    return found;
}

void TDefinitionNavigation::Resolve(TSymbolIndex& index, const std::string& name,
                                    const TJumpPosition& origin) {
    // The note that the symbols were being read is over.
    m_form.SetStatusText("");
    const std::vector<TSymbolLocation> found = Candidates(index, name, origin);
    if (found.empty()) {
        m_form.SetStatusText("No definition of " + name);
        return;
    }
    std::size_t chosen = 0;
    if (found.size() > 1) {
        TDefinitionChoiceDialog dialog(found, index.Root(), &m_form);
        if (WidgetDialogs().ShowModal(dialog) != TModalResult::mrOk) return;
        if (dialog.Chosen() < 0) return;
        chosen = static_cast<std::size_t>(dialog.Chosen());
    }
    const TSymbolLocation& target = found[chosen];
    m_form.SetStatusText(DescribeLocation(target, index.Root()) + " " + target.Symbol.Name);
    if (!origin.Path.empty()) m_history.Record(origin);
    Go({target.Path, target.Symbol.Line, target.Symbol.Column});
}

void TDefinitionNavigation::JumpTo(const TJumpPosition& target) {
    if (const std::optional<TJumpPosition> current = CurrentPosition()) m_history.Record(*current);
    Go(target);
}

void TDefinitionNavigation::Go(const TJumpPosition& target) {
    if (target.Path.empty()) return;
    TToolMessage message;
    message.File = target.Path;
    message.Line = target.Line;
    message.Column = target.Column;
    m_messages.GoToMessage(message);
}

void TDefinitionNavigation::EditGoBack1Execute() {
    const TJumpPosition current = CurrentPosition().value_or(TJumpPosition{});
    if (const std::optional<TJumpPosition> target = m_history.Back(current)) Go(*target);
}

void TDefinitionNavigation::EditGoForward1Execute() {
    const TJumpPosition current = CurrentPosition().value_or(TJumpPosition{});
    if (const std::optional<TJumpPosition> target = m_history.Forward(current)) Go(*target);
}

void TDefinitionNavigation::EditGoToSymbol1Execute() {
    const std::string active = CurrentPosition() ? CurrentPosition()->Path : std::string();
    const bool now = m_symbols.WithIndex(ActiveProject(), [this, active](TSymbolIndex& index) {
        m_form.SetStatusText("");
        TGoToSymbolDialog dialog(index.All(), active, index.Root(), &m_form);
        if (WidgetDialogs().ShowModal(dialog) != TModalResult::mrOk) return;
        const std::optional<TSymbolLocation> chosen = dialog.Chosen();
        if (!chosen) return;
        JumpTo({chosen->Path, chosen->Symbol.Line, chosen->Symbol.Column});
    });
    if (!now) m_form.SetStatusText("Reading the project's symbols...");
}
