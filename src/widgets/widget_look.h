// Small helpers for the look of hand-built dialogs: a font of a family at a pixel size, and one
// colour of a widget's palette.
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>

class QWidget;

QFont PixelFont(const QString& family, int pixelSize, bool bold = false);
void SetPaletteColor(QWidget* widget, QPalette::ColorRole role, const QColor& color);
