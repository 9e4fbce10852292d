// Go to Definition (F12) on the name at the caret, Go to Symbol (Ctrl+Shift+O), and Go Back
// (Alt+Left) and Go Forward (Alt+Right) through the positions jumps started from, across files.
#pragma once

#include <QObject>
#include <optional>
#include <string>
#include <vector>

#include "project/jump_history.h"
#include "project/symbol_index.h"

class TFileCommands;
class TMainForm;
class TMessageNavigation;
class TProjectSymbols;

class TDefinitionNavigation : public QObject {
    Q_OBJECT
  public:
    // Binds EditGoToDefinition1, EditGoBack1 and EditGoForward1. Everything passed in must
    // outlive this object.
    TDefinitionNavigation(TMainForm& form, TFileCommands& files, TMessageNavigation& messages,
                          TProjectSymbols& symbols);

    void EditGoToDefinition1Execute();
    void EditGoBack1Execute();
    void EditGoForward1Execute();
    // Ctrl+Shift+O: the list of the project's symbols; the chosen one is jumped to.
    void EditGoToSymbol1Execute();

    // Opens the definition of a name in the project at projectDir (ending in '/'), as Go to
    // Definition does for the name at the caret; the jump starts from the caret.
    void GoToDefinitionOf(const std::string& name, const std::string& projectDir);
    // Jumps from where the caret is to a position, remembering where it started.
    void JumpTo(const TJumpPosition& target);
    // The project directory of the active document (else the current directory).
    std::string ActiveProject() const;
    // The active document's file and caret, when it has a file.
    std::optional<TJumpPosition> CurrentPosition() const;

  private:
    void Resolve(TSymbolIndex& index, const std::string& name, const TJumpPosition& origin);
    // The definitions a name at a position may mean, best first.
    std::vector<TSymbolLocation> Candidates(const TSymbolIndex& index, const std::string& name,
                                            const TJumpPosition& origin) const;
    void Go(const TJumpPosition& target);

    TMainForm& m_form;
    TFileCommands& m_files;
    TMessageNavigation& m_messages;
    TProjectSymbols& m_symbols;
    TJumpHistory m_history;
};
