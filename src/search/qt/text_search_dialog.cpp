// Search and replace dialogs: fixed layout, option values and the history lists.
#include "search/qt/text_search_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <vector>

#include "platform/qt/qt_text.h"
#include "search/search_history.h"

namespace {

// Designed screen position of the dialogs' top left corner.
constexpr int kDesignLeft = 132;
constexpr int kDesignTop = 168;

QFont DialogFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    return font;
}

QComboBox* NewHistoryCombo(QWidget* parent, int left, int top) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    // The history is kept by FormCloseQuery; the combo box must neither add entries on Enter
    // nor complete typed text to an entry's letter case.
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    combo->setGeometry(left, top, 228, 21);
    // Like a single-line edit field, a pasted text keeps only its first line: a line break can
    // never be found in the text and would split the history entry in two.
    QLineEdit* edit = combo->lineEdit();
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit](const QString& text) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i] == u'\r' || text[i] == u'\n') {
                edit->setText(text.left(i));
                return;
            }
        }
    });
    return combo;
}

std::vector<std::string> ComboEntries(const QComboBox& combo) {
    std::vector<std::string> entries;
    entries.reserve(static_cast<std::size_t>(combo.count()));
    for (int i = 0; i < combo.count(); ++i) entries.push_back(FromQ(combo.itemText(i)));
    return entries;
}

// Replaces the list of the combo box and keeps its edit text.
void SetComboEntries(QComboBox& combo, const std::vector<std::string>& entries) {
    const QString editText = combo.currentText();
    QStringList items;
    items.reserve(static_cast<qsizetype>(entries.size()));
    for (const std::string& entry : entries) items << ToQ(entry);
    combo.clear();
    combo.addItems(items);
    combo.setCurrentIndex(-1);
    combo.setEditText(editText);
}

// Records the combo box's edit text in its list.
void UpdateHistory(QComboBox& combo) {
    const std::string text = FromQ(combo.currentText());
    if (text.empty()) return;
    std::vector<std::string> entries = ComboEntries(combo);
    AddToSearchHistory(entries, text);
    SetComboEntries(combo, entries);
    combo.setEditText(ToQ(text));
}

// A group box whose caption sits on its frame line, as the platform's dialogs draw it.
QGroupBox* NewGroup(QWidget* parent, const QString& caption, const QRect& geometry) {
    auto* group = new QGroupBox(caption, parent);
    group->setGeometry(geometry);
    group->setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 6px; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 7px; padding: 0px 2px; }"));
    return group;
}

QCheckBox* NewOption(QGroupBox* group, const char* caption, int top) {
    auto* box = new QCheckBox(QObject::tr(caption), group);
    box->setGeometry(8, top, 140, 17);
    return box;
}

}  // namespace

TTextSearchDialog::TTextSearchDialog(QWidget* owner) : QDialog(owner) {
    setObjectName("TextSearchDialog");
    setWindowTitle(tr("Search Text"));
    setFont(DialogFont());
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    setFixedSize(332, 180);

    Label1 = new QLabel(tr("&Search for:"), this);
    Label1->move(8, 12);
    Label1->adjustSize();
    cbSearchText = NewHistoryCombo(this, 96, 8);
    cbSearchText->setObjectName("cbSearchText");
    Label1->setBuddy(cbSearchText);

    gbSearchOptions = NewGroup(this, tr("Options"), QRect(8, 40, 154, 109));
    cbSearchCaseSensitive = NewOption(gbSearchOptions, "C&ase sensitivity", 17);
    cbSearchWholeWords = NewOption(gbSearchOptions, "&Whole words only", 39);
    cbSearchFromCursor = NewOption(gbSearchOptions, "Search from &caret", 61);
    cbSearchSelectedOnly = NewOption(gbSearchOptions, "&Selected text only", 83);

    rgSearchDirection = NewGroup(this, tr("Direction"), QRect(170, 40, 154, 65));
    rbForward = new QRadioButton(tr("&Forward"), rgSearchDirection);
    rbForward->setGeometry(8, 17, 138, 17);
    rbBackward = new QRadioButton(tr("&Backward"), rgSearchDirection);
    rbBackward->setGeometry(8, 39, 138, 17);
    rbForward->setChecked(true);

    btnOK = new QPushButton(tr("OK"), this);
    btnOK->setGeometry(170, 149, 75, 23);
    btnOK->setDefault(true);
    btnOK->setAutoDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    btnCancel = new QPushButton(tr("Cancel"), this);
    btnCancel->setGeometry(249, 149, 75, 23);
    btnCancel->setAutoDefault(false);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    setTabOrder(cbSearchText, cbSearchCaseSensitive);
    setTabOrder(cbSearchCaseSensitive, cbSearchWholeWords);
    setTabOrder(cbSearchWholeWords, cbSearchFromCursor);
    setTabOrder(cbSearchFromCursor, cbSearchSelectedOnly);
    setTabOrder(cbSearchSelectedOnly, rbForward);
    setTabOrder(rbForward, rbBackward);
    setTabOrder(rbBackward, btnOK);
    setTabOrder(btnOK, btnCancel);
    cbSearchText->setFocus();

    PlaceOnScreen();
}

void TTextSearchDialog::PlaceOnScreen() {
    QScreen* screen = nullptr;
    if (parentWidget() != nullptr) screen = parentWidget()->window()->screen();
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    const QPoint origin = screen != nullptr ? screen->geometry().topLeft() : QPoint(0, 0);
    move(origin + QPoint(kDesignLeft, kDesignTop));
}

void TTextSearchDialog::MakeRoom(int dy) {
    for (QWidget* widget :
         std::initializer_list<QWidget*>{gbSearchOptions, rgSearchDirection, btnOK, btnCancel})
        widget->move(widget->x(), widget->y() + dy);
    setFixedSize(width(), height() + dy);
}

bool TTextSearchDialog::Backward() const {
    return rbBackward->isChecked();
}

void TTextSearchDialog::SetBackward(bool value) {
    (value ? rbBackward : rbForward)->setChecked(true);
}

bool TTextSearchDialog::MatchCase() const {
    return cbSearchCaseSensitive->isChecked();
}

void TTextSearchDialog::SetMatchCase(bool value) {
    cbSearchCaseSensitive->setChecked(value);
}

bool TTextSearchDialog::FromCaret() const {
    return cbSearchFromCursor->isChecked();
}

void TTextSearchDialog::SetFromCaret(bool value) {
    cbSearchFromCursor->setChecked(value);
}

bool TTextSearchDialog::SelectionOnly() const {
    return cbSearchSelectedOnly->isChecked();
}

void TTextSearchDialog::SetSelectionOnly(bool value) {
    cbSearchSelectedOnly->setChecked(value);
}

bool TTextSearchDialog::WholeWords() const {
    return cbSearchWholeWords->isChecked();
}

void TTextSearchDialog::SetWholeWords(bool value) {
    cbSearchWholeWords->setChecked(value);
}

std::string TTextSearchDialog::FindText() const {
    return FromQ(cbSearchText->currentText());
}

void TTextSearchDialog::SetFindText(const std::string& value) {
    cbSearchText->setEditText(ToQ(value));
}

std::string TTextSearchDialog::FindHistory() const {
    return JoinSearchHistory(ComboEntries(*cbSearchText));
}

void TTextSearchDialog::SetFindHistory(const std::string& value) {
    SetComboEntries(*cbSearchText, SplitSearchHistory(value));
}

void TTextSearchDialog::FormCloseQuery() {
    UpdateHistory(*cbSearchText);
}

void TTextSearchDialog::done(int result) {
    if (result == QDialog::Accepted) FormCloseQuery();
    QDialog::done(result);
}

TTextReplaceDialog::TTextReplaceDialog(QWidget* owner) : TTextSearchDialog(owner) {
    setObjectName("TextReplaceDialog");
    setWindowTitle(tr("Replace text"));
    MakeRoom(30);

    Label2 = new QLabel(tr("&Replace with:"), this);
    Label2->move(8, 41);
    Label2->adjustSize();
    cbReplaceText = NewHistoryCombo(this, 96, 37);
    cbReplaceText->setObjectName("cbReplaceText");
    Label2->setBuddy(cbReplaceText);
    setTabOrder(cbSearchText, cbReplaceText);
    setTabOrder(cbReplaceText, cbSearchCaseSensitive);
    cbSearchText->setFocus();
}

std::string TTextReplaceDialog::ReplaceWith() const {
    return FromQ(cbReplaceText->currentText());
}

void TTextReplaceDialog::SetReplaceWith(const std::string& value) {
    cbReplaceText->setEditText(ToQ(value));
}

std::string TTextReplaceDialog::ReplaceHistory() const {
    return JoinSearchHistory(ComboEntries(*cbReplaceText));
}

void TTextReplaceDialog::SetReplaceHistory(const std::string& value) {
    SetComboEntries(*cbReplaceText, SplitSearchHistory(value));
}

void TTextReplaceDialog::FormCloseQuery() {
    TTextSearchDialog::FormCloseQuery();
    UpdateHistory(*cbReplaceText);
}
