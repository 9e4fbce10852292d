// The search dialog TTextSearchDialog and the replace dialog TTextReplaceDialog built on it:
// the text to find (and to put in its place), the search options and the direction, each text
// with a drop-down history of earlier entries. The caller writes the values, shows the dialog
// modally and reads them back after OK; the histories are updated when OK closes the dialog.
#pragma once

#include <QDialog>
#include <string>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

class TTextSearchDialog : public QDialog {
    Q_OBJECT
  public:
    explicit TTextSearchDialog(QWidget* owner = nullptr);

    bool Backward() const;
    void SetBackward(bool value);
    bool MatchCase() const;
    void SetMatchCase(bool value);
    bool FromCaret() const;
    void SetFromCaret(bool value);
    bool SelectionOnly() const;
    void SetSelectionOnly(bool value);
    bool WholeWords() const;
    void SetWholeWords(bool value);
    // Code-page text of the search combo box's edit field.
    std::string FindText() const;
    void SetFindText(const std::string& value);
    // The first ten entries of the search history, newest first, separated by CR LF.
    std::string FindHistory() const;
    // Replaces the search history by the lines of value; the edit text stays.
    void SetFindHistory(const std::string& value);

    // Runs when the dialog closes with OK: records the texts in their histories.
    virtual void FormCloseQuery();

    void done(int result) override;

    QLabel* Label1 = nullptr;
    QComboBox* cbSearchText = nullptr;
    QGroupBox* gbSearchOptions = nullptr;
    QCheckBox* cbSearchCaseSensitive = nullptr;
    QCheckBox* cbSearchWholeWords = nullptr;
    QCheckBox* cbSearchFromCursor = nullptr;
    QCheckBox* cbSearchSelectedOnly = nullptr;
    QGroupBox* rgSearchDirection = nullptr;
    QRadioButton* rbForward = nullptr;
    QRadioButton* rbBackward = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

  protected:
    // Moves the option and direction groups and the buttons down by dy pixels and grows the
    // dialog by as much, making room for controls of a derived dialog.
    void MakeRoom(int dy);
    // Places the dialog at its designed screen position on the screen of its owner.
    void PlaceOnScreen();
};

class TTextReplaceDialog : public TTextSearchDialog {
    Q_OBJECT
  public:
    explicit TTextReplaceDialog(QWidget* owner = nullptr);

    std::string ReplaceWith() const;
    void SetReplaceWith(const std::string& value);
    std::string ReplaceHistory() const;
    void SetReplaceHistory(const std::string& value);

    void FormCloseQuery() override;

    QLabel* Label2 = nullptr;
    QComboBox* cbReplaceText = nullptr;
};
