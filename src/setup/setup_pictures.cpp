// Page backgrounds: a dark diagonal gradient with faint bands, one hue per page, dark enough
// for the white labels drawn over it.
#include "setup/setup_pictures.h"

#include <QLinearGradient>
#include <QPainter>

QPixmap SetupPagePicture(TSetupPagePicture which) {
    static const QColor kTops[] = {QColor(20, 40, 120), QColor(20, 80, 100), QColor(60, 30, 110)};
    static const QColor kBottoms[] = {QColor(5, 10, 40), QColor(5, 30, 40), QColor(20, 5, 40)};
    QPixmap picture(128, 128);
    QPainter p(&picture);
    QLinearGradient gradient(0, 0, 128, 128);
    gradient.setColorAt(0, kTops[which]);
    gradient.setColorAt(1, kBottoms[which]);
    p.fillRect(picture.rect(), gradient);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(255, 255, 255, 18), 6));
    for (int i = -128; i < 256; i += 24) p.drawLine(i, 128, i + 128, 0);
    return picture;
}
