// Whether the client area of a multiple-document main window may show scroll bars. Enabled
// leaves them to the area, which shows them while a document window reaches beyond it;
// disabled hides them at every position or size change of the area.
#pragma once

#include <QMdiArea>
#include <QObject>
#include <QPointer>

class QWidget;

class TabcMDIScroll : public QObject {
    Q_OBJECT
  public:
    // owner must be a window with a client area (EComponentError otherwise).
    explicit TabcMDIScroll(QWidget* owner);
    ~TabcMDIScroll() override;

    // The owner has finished loading: the handler goes in front of the client area's.
    void Loaded();

    bool Enabled() const { return m_enabled; }
    // On: every document window reports its position again, so the area recomputes its scroll
    // bars. Off: both scroll bars go at once.
    void SetEnabled(bool value);

    QMdiArea* ClientArea() const { return m_clientArea; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ApplyPolicy();

    QPointer<QMdiArea> m_clientArea;
    bool m_enabled = false;
    bool m_installed = false;
};
