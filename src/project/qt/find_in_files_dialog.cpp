// Find in Files dialog: layout, values and the history list.
#include "project/qt/find_in_files_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <vector>

#include "platform/qt/qt_text.h"
#include "project/qt/directory_edit.h"
#include "search/search_history.h"

namespace {

std::vector<std::string> ComboEntries(const QComboBox& combo) {
    std::vector<std::string> entries;
    for (int i = 0; i < combo.count(); ++i) entries.push_back(FromQ(combo.itemText(i)));
    return entries;
}

void SetComboEntries(QComboBox& combo, const std::vector<std::string>& entries) {
    const QString editText = combo.currentText();
    combo.clear();
    for (const std::string& entry : entries) combo.addItem(ToQ(entry));
    combo.setCurrentIndex(-1);
    combo.setEditText(editText);
}

}  // namespace

TFindInFilesDialog::TFindInFilesDialog(QWidget* owner) : QDialog(owner) {
    setObjectName("FindInFilesDialog");
    setWindowTitle(tr("Find in Files"));
    auto* grid = new QGridLayout(this);

    Label1 = new QLabel(tr("&Find what:"), this);
    cbSearchText = new QComboBox(this);
    cbSearchText->setObjectName("cbSearchText");
    cbSearchText->setEditable(true);
    cbSearchText->setInsertPolicy(QComboBox::NoInsert);
    cbSearchText->setCompleter(nullptr);
    cbSearchText->setMinimumWidth(300);
    Label1->setBuddy(cbSearchText);

    cbSearchCaseSensitive = new QCheckBox(tr("C&ase sensitive"), this);
    cbSearchCaseSensitive->setObjectName("cbSearchCaseSensitive");
    cbSearchWholeWords = new QCheckBox(tr("&Whole words only"), this);
    cbSearchWholeWords->setObjectName("cbSearchWholeWords");

    Label2 = new QLabel(tr("File &mask:"), this);
    edtMask = new QLineEdit(this);
    edtMask->setObjectName("edtMask");
    Label2->setBuddy(edtMask);

    Label3 = new QLabel(tr("&Directory:"), this);
    edtDirectory = new TDirectoryEdit(this);
    edtDirectory->setObjectName("edtDirectory");
    Label3->setBuddy(edtDirectory);

    auto* buttons = new QDialogButtonBox(this);
    btnOK = buttons->addButton(tr("OK"), QDialogButtonBox::AcceptRole);
    btnOK->setObjectName("btnOK");
    btnOK->setDefault(true);
    btnCancel = buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    btnCancel->setObjectName("btnCancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    grid->addWidget(Label1, 0, 0);
    grid->addWidget(cbSearchText, 0, 1);
    grid->addWidget(cbSearchCaseSensitive, 1, 1);
    grid->addWidget(cbSearchWholeWords, 2, 1);
    grid->addWidget(Label2, 3, 0);
    grid->addWidget(edtMask, 3, 1);
    grid->addWidget(Label3, 4, 0);
    grid->addWidget(edtDirectory, 4, 1);
    grid->addWidget(buttons, 5, 0, 1, 2);
    cbSearchText->setFocus();
}

std::string TFindInFilesDialog::FindText() const {
    return FromQ(cbSearchText->currentText());
}

void TFindInFilesDialog::SetFindText(const std::string& value) {
    cbSearchText->setEditText(ToQ(value));
    cbSearchText->lineEdit()->selectAll();
}

std::string TFindInFilesDialog::FindHistory() const {
    return JoinSearchHistory(ComboEntries(*cbSearchText));
}

void TFindInFilesDialog::SetFindHistory(const std::string& value) {
    SetComboEntries(*cbSearchText, SplitSearchHistory(value));
}

bool TFindInFilesDialog::MatchCase() const {
    return cbSearchCaseSensitive->isChecked();
}

void TFindInFilesDialog::SetMatchCase(bool value) {
    cbSearchCaseSensitive->setChecked(value);
}

bool TFindInFilesDialog::WholeWords() const {
    return cbSearchWholeWords->isChecked();
}

void TFindInFilesDialog::SetWholeWords(bool value) {
    cbSearchWholeWords->setChecked(value);
}

std::string TFindInFilesDialog::Mask() const {
    return FromQ(edtMask->text());
}

void TFindInFilesDialog::SetMask(const std::string& value) {
    edtMask->setText(ToQ(value));
}

std::string TFindInFilesDialog::Directory() const {
    return edtDirectory->Path();
}

void TFindInFilesDialog::SetDirectory(const std::string& value) {
    edtDirectory->SetPath(value);
}

void TFindInFilesDialog::done(int result) {
    if (result == QDialog::Accepted) {
        const std::string text = FindText();
        if (!text.empty()) {
            std::vector<std::string> entries = ComboEntries(*cbSearchText);
            AddToSearchHistory(entries, text);
            SetComboEntries(*cbSearchText, entries);
            cbSearchText->setEditText(ToQ(text));
        }
    }
    QDialog::done(result);
}
