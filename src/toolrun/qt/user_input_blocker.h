// While a tool runs, the program keeps painting and animating but acts on no user input except
// in one window (the loading window, whose Cancel must stay clickable). Input meant for any other
// window is dropped, not deferred, so keys pressed during a build cannot start another one later.
#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

class TUserInputBlocker : public QObject {
    Q_OBJECT

  public:
    // Installs itself on the application for its lifetime; `allowedWindow` may be null.
    explicit TUserInputBlocker(QWidget* allowedWindow);
    ~TUserInputBlocker() override;

  protected:
    bool eventFilter(QObject* receiver, QEvent* event) override;

  private:
    bool IsInsideAllowedWindow(QObject* receiver) const;

    QPointer<QWidget> m_allowedWindow;
};
