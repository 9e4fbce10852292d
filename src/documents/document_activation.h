// Runs a document window's activation step each time it becomes the active document window of
// a client area. Switching to another application and back re-activates the same window in Qt;
// that is no change of the active document and runs nothing.
#pragma once

#include <QObject>
#include <QPointer>

class QMdiArea;
class QMdiSubWindow;

class TDocumentActivation : public QObject {
    Q_OBJECT
  public:
    explicit TDocumentActivation(QMdiArea* clientArea);

    // Runs the activation step of the window's document, if it holds one, through the general
    // error report (a bad colour value is reported there and ends only this step).
    void Activated(QMdiSubWindow* window);

  private:
    QPointer<QMdiSubWindow> m_last;
};
