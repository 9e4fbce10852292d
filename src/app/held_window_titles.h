// Holds back document windows' captions from their title bars while a batch of windows opens.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QMdiSubWindow;

// A client-area window elides its caption to its title bar's width on nearly every event of its
// set-up (shown, moved, resized, laid out, enabled, activated), and a caption holding a long path
// costs more to shape than the rest of the window costs to make: a thousand files opened at once
// spent most of their time there. While held, a document's caption changes stay with the
// document (its own title is always current); the title bar takes the caption once the batch's
// set-up events have been handled.
class THeldWindowTitles : public QObject {
  public:
    // Keeps the caption of `window`'s document from its title bar until Release.
    void Hold(QMdiSubWindow* window);
    // Hands every held window its document's current caption, after the events already posted
    // (the batch's layout, show and move events) have been handled.
    void ReleaseLater();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Release();

    QList<QPointer<QMdiSubWindow>> m_windows;
    bool m_releasePosted = false;
};
