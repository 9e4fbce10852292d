// The shape button: picture per state, mouse shape from a mask picture, press tracking.
#include "widgets/shape_button.h"

#include <QApplication>
#include <QBitmap>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>

#include "platform/codepage.h"

namespace {

// The pixels of a picture that are not transparent.
QRegion OpaqueRegion(const QPixmap& picture) {
    const QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    QRegion region;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        int x = 0;
        while (x < image.width()) {
            while (x < image.width() && qAlpha(line[x]) < 128) ++x;
            const int start = x;
            while (x < image.width() && qAlpha(line[x]) >= 128) ++x;
            if (x > start) region += QRect(start, y, x - start, 1);
        }
    }
    return region;
}

// The picture blended half-way with grey, for the disabled state.
QPixmap BlendedWithGrey(const QPixmap& picture) {
    QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = line[x];
            line[x] =
                qRgba((qRed(c) + 128) / 2, (qGreen(c) + 128) / 2, (qBlue(c) + 128) / 2, qAlpha(c));
        }
    }
    return QPixmap::fromImage(image);
}

}  // namespace

TabcShapeButton::TabcShapeButton(QWidget* parent) : QWidget(parent) {
    resize(75, 50);
    UpdateShape();
}

TabcShapeButton::~TabcShapeButton() = default;

void TabcShapeButton::SetImageList(TImageList* value) {
    if (value == m_imageList) return;
    QObject::disconnect(m_listChanged);
    m_imageList = value;
    if (m_imageList != nullptr)
        m_listChanged = connect(m_imageList, &TImageList::Change, this, [this] {
            UpdateShape();
            update();
        });
    // A destroyed list leaves the QPointer null; the shape must go with it.
    if (m_imageList != nullptr)
        connect(m_imageList, &QObject::destroyed, this, [this] {
            UpdateShape();
            update();
        });
    UpdateShape();
    update();
}

void TabcShapeButton::SetIndexUp(int value) {
    m_indexUp = value;
    UpdateShape();
    update();
}

void TabcShapeButton::SetIndexDown(int value) {
    m_indexDown = value;
    update();
}

void TabcShapeButton::SetIndexFlat(int value) {
    m_indexFlat = value;
    update();
}

void TabcShapeButton::SetIndexDisabled(int value) {
    m_indexDisabled = value;
    update();
}

void TabcShapeButton::SetIndexMouseMask(int value) {
    m_indexMouseMask = value;
    UpdateShape();
}

void TabcShapeButton::SetPopup(bool value) {
    m_popup = value;
    update();
}

void TabcShapeButton::SetOffsetUp(int x, int y) {
    m_offsetUp = {x, y};
    update();
}

void TabcShapeButton::SetOffsetDown(int x, int y) {
    m_offsetDown = {x, y};
    update();
}

void TabcShapeButton::SetCaption(const std::string& value) {
    m_caption = value;
    update();
}

bool TabcShapeButton::Valid(int index) const {
    return m_imageList != nullptr && m_imageList->IsValidIndex(index);
}

void TabcShapeButton::UpdateShape() {
    const int source = Valid(m_indexMouseMask) ? m_indexMouseMask : m_indexUp;
    m_shape = Valid(source) ? OpaqueRegion(m_imageList->Image(source)) : QRegion();
    // Qt routes a click outside a widget's mask to the widget below it. An empty mask would
    // mean "no mask" to Qt, so a button without a shape turns mouse input off instead.
    setAttribute(Qt::WA_TransparentForMouseEvents, m_shape.isEmpty());
    if (m_shape.isEmpty()) {
        clearMask();
        m_hot = false;
        m_pressed = m_tracking = false;
    } else {
        setMask(m_shape);
    }
}

int TabcShapeButton::CurrentIndex() const {
    int index;
    if (!isEnabled())
        index = Valid(m_indexDisabled) ? m_indexDisabled
                                       : (Valid(m_indexFlat) ? m_indexFlat : m_indexUp);
    else if (m_pressed)
        index = m_indexDown;
    else if (m_hot || !m_popup)
        index = m_indexUp;
    else
        index = m_indexFlat;
    if (index == -1) index = 0;
    return Valid(index) ? index : -1;
}

QPoint TabcShapeButton::CurrentOffset() const {
    if (!isEnabled()) return {};
    if (m_pressed) return m_offsetDown;
    if (m_hot && m_popup) return m_offsetUp;
    return {};
}

void TabcShapeButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int index = CurrentIndex();
    const QPoint offset = CurrentOffset();
    if (index >= 0) {
        const bool blend = !isEnabled() && index == m_indexDisabled;
        const QPixmap picture = m_imageList->Image(index);
        p.drawPixmap(offset, blend ? BlendedWithGrey(picture) : picture);
    }
    if (!m_caption.empty()) {
        const QString caption = QString::fromStdU16String(CodePageToUtf16(m_caption));
        const int band = fontMetrics().boundingRect(QLatin1Char('W')).height();
        const QRect textRect(0, (height() - band) / 2, width(), band);
        p.setFont(font());
        p.setPen(palette().color(QPalette::ButtonText));
        p.drawText(textRect.translated(offset), Qt::AlignHCenter | Qt::AlignVCenter, caption);
    }
}

void TabcShapeButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !isEnabled()) return;
    if (!m_shape.contains(event->position().toPoint())) return;
    m_tracking = true;
    m_pressed = true;
    update();
}

void TabcShapeButton::mouseMoveEvent(QMouseEvent* event) {
    if (!m_tracking) return;
    const bool inside = m_shape.contains(event->position().toPoint());
    if (inside != m_pressed) {
        m_pressed = inside;
        update();
    }
}

void TabcShapeButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_tracking) return;
    m_tracking = false;
    m_pressed = false;
    const bool inside = m_shape.contains(event->position().toPoint());
    m_hot = inside;
    update();
    if (inside && OnClick) OnClick(this);
}

void TabcShapeButton::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    if (m_tracking || QApplication::activeWindow() == nullptr) return;
    SetHot(true);
}

void TabcShapeButton::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    if (m_tracking) return;
    SetHot(false);
}

void TabcShapeButton::SetHot(bool value) {
    if (value == m_hot) return;
    m_hot = value;
    if (m_popup && isEnabled()) update();
}

void TabcShapeButton::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        m_tracking = m_pressed = false;
        update();
    }
}
