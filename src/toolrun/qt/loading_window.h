// The loading window: shown while a tool runs, a figure runs across it, "Cancel" gives up the
// wait.
#pragma once

#include <QWidget>
#include <functional>

class QFrame;
class QLabel;
class QPushButton;
class QTimer;

class TfrmLoading : public QWidget {
    Q_OBJECT
  public:
    explicit TfrmLoading(QWidget* parent = nullptr);
    ~TfrmLoading() override;

    // The window's controls; owned by the window.
    QFrame* Panel1;
    QLabel* Label1;
    QLabel* Image1;
    QPushButton* BitBtn1;
    QTimer* Timer1;
    QTimer* Timer2;

    // Raised after "Cancel" closed the window, or after the user closed it from its title bar:
    // whoever waits for a tool stops waiting.
    std::function<void(QObject* sender)> OnCancel;

    void FormActivate();
    void Timer1Timer();
    void Timer2Timer();
    void BitBtn1Click();
    void FormClose();

  protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};
