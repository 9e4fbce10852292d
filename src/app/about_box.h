// The About box TAboutBox: picture, editor key summary, change history and credits; modal,
// closed with its OK button or Enter.
#pragma once

#include <QDialog>
#include <QString>

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;

class TAboutBox : public QDialog {
    Q_OBJECT

  public:
    explicit TAboutBox(QWidget* parent = nullptr);

    QFrame* Panel1() const { return m_panel1; }
    QFrame* Panel2() const { return m_panel2; }
    QLabel* ProgramIcon() const { return m_picture; }
    QPlainTextEdit* Memo1() const { return m_memo; }
    QLabel* Credits1() const { return m_credits1; }
    QLabel* Credits2() const { return m_credits2; }
    QPushButton* OKButton() const { return m_okButton; }

    // The text box's contents: the note, the key summary and the history.
    static QString AboutText();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QFrame* m_panel1 = nullptr;
    QFrame* m_panel2 = nullptr;
    QLabel* m_picture = nullptr;
    QPlainTextEdit* m_memo = nullptr;
    QLabel* m_credits1 = nullptr;
    QLabel* m_credits2 = nullptr;
    QPushButton* m_okButton = nullptr;
};
