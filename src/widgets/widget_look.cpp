// Small helpers for the look of hand-built dialogs.
#include "widgets/widget_look.h"

#include <QWidget>

QFont PixelFont(const QString& family, int pixelSize, bool bold) {
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

void SetPaletteColor(QWidget* widget, QPalette::ColorRole role, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(role, color);
    widget->setPalette(palette);
}
