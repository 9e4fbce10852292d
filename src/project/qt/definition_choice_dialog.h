// The small list that Go to Definition shows when a name is defined in several places: one row
// per definition with its kind, file and line; Enter or a double click takes the chosen one.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "project/symbol_index.h"

class QListWidget;

class TDefinitionChoiceDialog : public QDialog {
    Q_OBJECT
  public:
    // Paths are shown relative to root when they lie inside it.
    TDefinitionChoiceDialog(const std::vector<TSymbolLocation>& choices, const std::string& root,
                            QWidget* owner = nullptr);

    // Index of the chosen row (the first one until the user moves).
    int Chosen() const;
    void SetChosen(int index);

    QListWidget* lbChoices = nullptr;
};

// "path:line  kind" as the lists show a definition.
std::string DescribeLocation(const TSymbolLocation& location, const std::string& root);
