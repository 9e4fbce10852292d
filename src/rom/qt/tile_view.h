// Draws bytes as the console's 8x8 background tiles or 16x16 sprites, or as 8x8 tiles packed one
// hex digit per pixel, in a palette of 16 colours, in rows of a chosen number of cells at a chosen
// zoom. A click on a pixel names the byte that holds it.
#pragma once

#include <QWidget>
#include <array>
#include <cstdint>
#include <vector>

#include "rom/tile_graphics.h"

class TTileView : public QWidget {
    Q_OBJECT

  public:
    enum class TMode { Tiles, Sprites, Packed };

    explicit TTileView(QWidget* parent = nullptr);

    void SetBytes(std::vector<std::uint8_t> bytes);
    void SetPalette(const std::array<TRgb, 16>& palette);
    void SetMode(TMode mode);
    // Both at once, drawn once.
    void SetCells(TMode mode, std::vector<std::uint8_t> bytes);
    void SetColumns(int columns);
    void SetZoom(int zoom);

    TMode Mode() const { return m_mode; }
    int CellSize() const { return m_mode == TMode::Sprites ? 16 : 8; }
    int CellBytes() const;
    int CellCount() const;
    // The byte that holds the pixel at a point of the widget, or -1.
    int ByteAt(QPoint point) const;
    // The picture at zoom 1, one cell after the other in rows of the chosen width.
    QImage Picture() const;

    QSize sizeHint() const override;

  signals:
    void ByteClicked(int byteIndex);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void Changed();

    std::vector<std::uint8_t> m_bytes;
    std::array<TRgb, 16> m_palette = GreyRamp();
    TMode m_mode = TMode::Tiles;
    int m_columns = 16;
    int m_zoom = 3;
    QImage m_picture;
};
