// Paints the built-in bookmark strip once and shares it.
#include "editor/qt/bookmark_images.h"

#include <QFont>
#include <QPainter>
#include <array>

namespace {

std::array<QPixmap, 10> PaintStrip() {
    std::array<QPixmap, 10> pictures;
    QFont font("Arial");
    font.setPixelSize(10);
    font.setBold(true);
    for (int i = 0; i < 10; ++i) {
        QPixmap picture(11, 14);
        picture.fill(QColor(0xC0, 0xC0, 0xC0));
        QPainter p(&picture);
        // Raised edge: white upper-left, grey lower-right.
        p.setPen(Qt::white);
        p.drawLine(0, 0, 10, 0);
        p.drawLine(0, 0, 0, 13);
        p.setPen(QColor(0x80, 0x80, 0x80));
        p.drawLine(10, 1, 10, 13);
        p.drawLine(1, 13, 10, 13);
        p.setPen(Qt::black);
        p.setFont(font);
        p.drawText(QRect(1, 1, 9, 12), Qt::AlignCenter, QString::number(i));
        p.end();
        pictures[static_cast<size_t>(i)] = picture;
    }
    return pictures;
}

}  // namespace

const QPixmap& InternalBookmarkImage(int index) {
    static const std::array<QPixmap, 10> strip = PaintStrip();
    return strip[static_cast<size_t>(std::clamp(index, 0, 9))];
}

void TSynPixmapList::Draw(QPainter& painter, int x, int y, int index) const {
    if (index < 0 || index >= Count()) return;
    painter.drawPixmap(x, y, m_pictures[static_cast<size_t>(index)]);
}
