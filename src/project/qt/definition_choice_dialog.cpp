// The list of definitions to choose from.
#include "project/qt/definition_choice_dialog.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"

std::string DescribeLocation(const TSymbolLocation& location, const std::string& root) {
    std::string path = location.Path;
    if (!root.empty() && path.compare(0, root.size(), root) == 0) path = path.substr(root.size());
    return path + ":" + std::to_string(location.Symbol.Line) + "  " +
           std::string(SymbolKindName(location.Symbol.Kind));
}

TDefinitionChoiceDialog::TDefinitionChoiceDialog(const std::vector<TSymbolLocation>& choices,
                                                 const std::string& root, QWidget* owner)
    : QDialog(owner) {
    setObjectName("DefinitionChoiceDialog");
    const std::string name = choices.empty() ? std::string() : choices.front().Symbol.Name;
    setWindowTitle(tr("Definitions of %1").arg(ToQ(name)));
    auto* layout = new QVBoxLayout(this);
    lbChoices = new QListWidget(this);
    lbChoices->setObjectName("lbChoices");
    for (const TSymbolLocation& choice : choices)
        lbChoices->addItem(ToQ(DescribeLocation(choice, root)));
    lbChoices->setCurrentRow(0);
    lbChoices->setMinimumWidth(420);
    layout->addWidget(lbChoices);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(lbChoices, &QListWidget::itemActivated, this, [this] { accept(); });
    lbChoices->setFocus();
}

int TDefinitionChoiceDialog::Chosen() const {
    return lbChoices->currentRow();
}

void TDefinitionChoiceDialog::SetChosen(int index) {
    lbChoices->setCurrentRow(index);
}
