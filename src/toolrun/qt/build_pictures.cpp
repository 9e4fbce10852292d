// Painted pictures of the output panel and the loading window.
#include "toolrun/qt/build_pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

QPixmap RunningFigurePicture() {
    QPixmap pixmap(28, 43);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor body(120, 240, 255);
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    p.drawEllipse(QPointF(17, 6), 4.5, 4.5);  // head, leaning forward

    QPen limb(body, 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(limb);
    const QPointF neck(15.5, 12), hip(11, 25);
    p.drawLine(neck, hip);  // torso
    QPainterPath arms;
    arms.moveTo(neck + QPointF(-0.5, 2));
    arms.lineTo(8, 17);
    arms.lineTo(4, 13);  // rear arm, bent up
    arms.moveTo(neck + QPointF(0, 2));
    arms.lineTo(21, 19);
    arms.lineTo(25, 14);  // front arm
    QPainterPath legs;
    legs.moveTo(hip);
    legs.lineTo(18, 31);
    legs.lineTo(16, 40);
    legs.lineTo(21, 40);  // front leg, planted
    legs.moveTo(hip);
    legs.lineTo(7, 32);
    legs.lineTo(2, 30);  // rear leg, kicked back
    p.setBrush(Qt::NoBrush);
    p.drawPath(arms);
    p.drawPath(legs);
    return pixmap;
}

QPixmap CloseButtonPicture(int shade) {
    static const QColor faces[] = {QColor(200, 40, 40), QColor(135, 20, 20), QColor(240, 100, 90)};
    const QColor face = faces[shade < 0 || shade > 2 ? 0 : shade];
    QPixmap pixmap(44, 30);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF pill(1, 1, 42, 28);

    QLinearGradient gradient(pill.topLeft(), pill.bottomLeft());
    gradient.setColorAt(0, face.lighter(135));
    gradient.setColorAt(1, face.darker(130));
    p.setPen(QPen(face.darker(200), 1.5));
    p.setBrush(gradient);
    p.drawRoundedRect(pill, 14, 14);

    p.setPen(QPen(Qt::white, 3.5, Qt::SolidLine, Qt::RoundCap));
    const QPointF centre = pill.center();
    const double arm = 6.5;
    p.drawLine(centre + QPointF(-arm, -arm), centre + QPointF(arm, arm));
    p.drawLine(centre + QPointF(-arm, arm), centre + QPointF(arm, -arm));
    return pixmap;
}
