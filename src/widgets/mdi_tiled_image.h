// The background picture of a multiple-document main window: it paints the client area behind
// the document windows by putting its own handler in front of the area's event handling.
#pragma once

#include <QMdiArea>
#include <QPointer>

#include "widgets/tiled_image.h"

class QWidget;

class TabcMDITiledImage : public TabcCustomTiledImage {
    Q_OBJECT
  public:
    // owner must be a window with a client area (EComponentError otherwise).
    explicit TabcMDITiledImage(QWidget* owner);
    // Takes its handler out of the area's event handling.
    ~TabcMDITiledImage() override;

    // The owner has finished loading: the handler goes in front of the client area's.
    void Loaded();

    QMdiArea* ClientArea() const { return m_clientArea; }
    // Aligned to fill the client area.
    int Left() const { return 0; }
    int Top() const { return 0; }
    int Width() const;
    int Height() const;

  protected:
    void Changed() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void PaintBackground(QWidget& viewport, const QRect& clip);

    QPointer<QWidget> m_owner;
    QPointer<QMdiArea> m_clientArea;
    bool m_installed = false;
};
