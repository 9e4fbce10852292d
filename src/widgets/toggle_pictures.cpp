// Painted toggle pictures; transparent outside their figure so that the button face shows.
#include "widgets/toggle_pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

namespace {

QPixmap Blank(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QPixmap HuCard() {
    QPixmap pixmap = Blank(24);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // Card body with a label area and gold contacts along its left edge. The red components
    // differ widely so that the grey form (grey level = red) keeps the figure readable.
    p.setPen(QPen(QColor(50, 20, 80), 1));
    p.setBrush(QColor(130, 60, 170));
    p.drawRoundedRect(QRectF(2.5, 5.5, 19, 13), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 240, 210));
    p.drawRect(QRectF(8, 8, 11, 8));
    p.setBrush(QColor(40, 90, 200));
    p.drawRect(QRectF(9, 10, 9, 2));
    p.setBrush(QColor(255, 215, 80));
    for (int i = 0; i < 4; ++i) p.drawRect(QRectF(4, 7.5 + i * 2.5, 2.5, 1.5));
    return pixmap;
}

void Disc(QPainter& p, const QColor& rim, const QColor& shine, const QColor& tint) {
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient gradient(QPointF(9, 9), 12);
    gradient.setColorAt(0, shine);
    gradient.setColorAt(0.6, tint);
    gradient.setColorAt(1, rim);
    p.setPen(QPen(rim.darker(150), 1));
    p.setBrush(gradient);
    p.drawEllipse(QRectF(1.5, 1.5, 21, 21));
    // The centre hole is cut out so the button face shows through.
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(QRectF(9.5, 9.5, 5, 5));
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setPen(QPen(rim.darker(130), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(8.5, 8.5, 7, 7));
}

QPixmap CompactDisc() {
    QPixmap pixmap = Blank(24);
    QPainter p(&pixmap);
    Disc(p, QColor(140, 150, 170), QColor(255, 255, 255), QColor(190, 210, 235));
    return pixmap;
}

QPixmap SuperCompactDisc() {
    QPixmap pixmap = Blank(24);
    QPainter p(&pixmap);
    Disc(p, QColor(170, 130, 40), QColor(255, 250, 220), QColor(235, 200, 100));
    // A small red star at the top right.
    QPainterPath star;
    const QPointF centre(18.5, 5.5);
    for (int i = 0; i < 10; ++i) {
        const double radius = i % 2 ? 2.0 : 5.0;
        const double angle = -M_PI / 2 + i * M_PI / 5;
        const QPointF point = centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
        i == 0 ? star.moveTo(point) : star.lineTo(point);
    }
    star.closeSubpath();
    p.setPen(QPen(QColor(120, 10, 10), 0.8));
    p.setBrush(QColor(230, 40, 40));
    p.drawPath(star);
    return pixmap;
}

QPixmap Lamp(const QColor& color) {
    QPixmap pixmap = Blank(14);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient gradient(QPointF(5, 5), 8);
    gradient.setColorAt(0, Qt::white);
    gradient.setColorAt(1, color);
    p.setPen(QPen(color.darker(140), 1));
    p.setBrush(gradient);
    p.drawEllipse(QRectF(0.5, 0.5, 13, 13));
    return pixmap;
}

}  // namespace

QPixmap TogglePicture(TTogglePicture which) {
    switch (which) {
        case tpHuCard:
            return HuCard();
        case tpCD:
            return CompactDisc();
        case tpSuperCD:
            return SuperCompactDisc();
        case tpTextSwitch:
            return Lamp(QColor(245, 225, 120));
        case tpAsmSwitch:
            return Lamp(QColor(150, 225, 140));
        case tpVerboseSwitch:
            return Lamp(QColor(150, 190, 240));
    }
    return {};
}
