// Painting the client area's background.
#include "widgets/mdi_tiled_image.h"

#include <QMdiArea>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include "platform/qt/color_resolve.h"
#include "widgets/form_properties.h"
#include "widgets/mdi_client.h"

TabcMDITiledImage::TabcMDITiledImage(QWidget* owner)
    : TabcCustomTiledImage(nullptr), m_owner(owner), m_clientArea(MDIClientOf(owner)) {
    setParent(owner);
}

TabcMDITiledImage::~TabcMDITiledImage() {
    if (m_installed && m_clientArea) {
        m_clientArea->viewport()->removeEventFilter(this);
        m_clientArea->removeEventFilter(this);
    }
}

void TabcMDITiledImage::Loaded() {
    if (m_installed || !m_clientArea) return;
    m_clientArea->installEventFilter(this);
    m_clientArea->viewport()->installEventFilter(this);
    // Scrolling moves the painted pixels along; the picture stays anchored at the area's top
    // left corner, so the whole area is painted again instead of leaving a seam.
    for (QScrollBar* bar :
         {m_clientArea->horizontalScrollBar(), m_clientArea->verticalScrollBar()}) {
        connect(bar, &QScrollBar::valueChanged, this, [this] { Changed(); });
    }
    m_installed = true;
    Changed();
}

int TabcMDITiledImage::Width() const {
    return m_clientArea ? m_clientArea->viewport()->width() : 0;
}

int TabcMDITiledImage::Height() const {
    return m_clientArea ? m_clientArea->viewport()->height() : 0;
}

void TabcMDITiledImage::Changed() {
    if (m_clientArea) m_clientArea->viewport()->update();
}

bool TabcMDITiledImage::eventFilter(QObject* watched, QEvent* event) {
    if (!Visible() || !m_clientArea) return false;
    QWidget* viewport = m_clientArea->viewport();
    if (watched == viewport && event->type() == QEvent::Paint) {
        // Handled here: the area's own background fill never runs.
        PaintBackground(*viewport, static_cast<QPaintEvent*>(event)->rect());
        return true;
    }
    if (watched == m_clientArea &&
        (event->type() == QEvent::Move || event->type() == QEvent::Resize)) {
        HideMDIScrollBars(*m_clientArea);
    }
    return false;
}

void TabcMDITiledImage::PaintBackground(QWidget& viewport, const QRect& clip) {
    QColor fill;
    if (m_owner) fill = ColorToQColor(FormProperties::Color(*m_owner), m_owner->palette());
    if (!fill.isValid()) fill = viewport.palette().color(QPalette::Window);
    const QPixmap block = ComposeTiledImage(viewport.size(), clip, Picture(), ImageStyle(), fill);
    QPainter painter(&viewport);
    painter.drawPixmap(clip.topLeft(), block);
}
