// Decoding the cells into one picture and drawing it zoomed.
#include "rom/qt/tile_view.h"

#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

TTileView::TTileView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TileView"));
}

int TTileView::CellBytes() const {
    switch (m_mode) {
        case TMode::Tiles:
            return kTileBytes;
        case TMode::Sprites:
            return kSpriteBytes;
        case TMode::Packed:
            break;
    }
    return kPackedTileBytes;
}

int TTileView::CellCount() const {
    return static_cast<int>(m_bytes.size() / static_cast<std::size_t>(CellBytes()));
}

void TTileView::SetBytes(std::vector<std::uint8_t> bytes) {
    m_bytes = std::move(bytes);
    Changed();
}

void TTileView::SetPalette(const std::array<TRgb, 16>& palette) {
    m_palette = palette;
    Changed();
}

void TTileView::SetMode(TMode mode) {
    m_mode = mode;
    Changed();
}

void TTileView::SetCells(TMode mode, std::vector<std::uint8_t> bytes) {
    m_mode = mode;
    m_bytes = std::move(bytes);
    Changed();
}

void TTileView::SetColumns(int columns) {
    m_columns = std::clamp(columns, 1, 64);
    Changed();
}

void TTileView::SetZoom(int zoom) {
    m_zoom = std::clamp(zoom, 1, 8);
    Changed();
}

QImage TTileView::Picture() const {
    const int cells = CellCount();
    const int size = CellSize();
    const int columns = std::max(1, std::min(m_columns, std::max(1, cells)));
    const int rows = (cells + columns - 1) / columns;
    QImage picture(std::max(1, columns * size), std::max(1, rows * size), QImage::Format_RGB32);
    picture.fill(Qt::black);
    for (int cell = 0; cell < cells; ++cell) {
        const std::uint8_t* data = m_bytes.data() + static_cast<std::size_t>(cell) * CellBytes();
        const int left = (cell % columns) * size;
        const int top = (cell / columns) * size;
        for (int y = 0; y < size; ++y) {
            auto* line = reinterpret_cast<QRgb*>(picture.scanLine(top + y)) + left;
            for (int x = 0; x < size; ++x) {
                const int index = m_mode == TMode::Tiles     ? TilePixel(data, x, y)
                                  : m_mode == TMode::Sprites ? SpritePixel(data, x, y)
                                                             : PackedPixel(data, x, y);
                line[x] = 0xFF000000u | m_palette[static_cast<std::size_t>(index)];
            }
        }
    }
    return picture;
}

void TTileView::Changed() {
    m_picture = Picture();
    updateGeometry();
    resize(sizeHint());
    update();
}

QSize TTileView::sizeHint() const {
    return m_picture.size() * m_zoom;
}

int TTileView::ByteAt(QPoint point) const {
    if (point.x() < 0 || point.y() < 0) return -1;
    const int size = CellSize();
    const int px = point.x() / m_zoom;
    const int py = point.y() / m_zoom;
    const int cells = CellCount();
    const int columns = std::max(1, std::min(m_columns, std::max(1, cells)));
    if (px >= columns * size) return -1;
    const int cell = (py / size) * columns + px / size;
    if (cell >= cells) return -1;
    const int x = px % size;
    const int y = py % size;
    const int within = m_mode == TMode::Tiles     ? TileByteOfPixel(x, y)
                       : m_mode == TMode::Sprites ? SpriteByteOfPixel(x, y)
                                                  : PackedByteOfPixel(x, y);
    return cell * CellBytes() + within;
}

void TTileView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().window());
    if (CellCount() == 0) return;
    painter.drawImage(QRect(QPoint(0, 0), m_picture.size() * m_zoom), m_picture);
}

void TTileView::mousePressEvent(QMouseEvent* event) {
    const int byte = ByteAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && byte >= 0) emit ByteClicked(byte);
    QWidget::mousePressEvent(event);
}
