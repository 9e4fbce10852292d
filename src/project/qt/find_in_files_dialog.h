// The Find in Files dialog: the text (with the search dialog's history), case and whole-word
// choices, the file mask and the directory with its browse button. The caller writes the values,
// shows the dialog modally and reads them back after OK; OK records the text in the history.
#pragma once

#include <QDialog>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TDirectoryEdit;

class TFindInFilesDialog : public QDialog {
    Q_OBJECT
  public:
    explicit TFindInFilesDialog(QWidget* owner = nullptr);

    std::string FindText() const;
    void SetFindText(const std::string& value);
    // Entries newest first, separated by CR LF.
    std::string FindHistory() const;
    void SetFindHistory(const std::string& value);
    bool MatchCase() const;
    void SetMatchCase(bool value);
    bool WholeWords() const;
    void SetWholeWords(bool value);
    std::string Mask() const;
    void SetMask(const std::string& value);
    // A file-system path.
    std::string Directory() const;
    void SetDirectory(const std::string& value);

    void done(int result) override;

    QLabel* Label1 = nullptr;
    QComboBox* cbSearchText = nullptr;
    QCheckBox* cbSearchCaseSensitive = nullptr;
    QCheckBox* cbSearchWholeWords = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* edtMask = nullptr;
    QLabel* Label3 = nullptr;
    TDirectoryEdit* edtDirectory = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;
};
