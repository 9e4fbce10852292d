// The Tile Preview panel's controls and its picture.
#include "rom/qt/tile_preview_panel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"
#include "rom/qt/tile_view.h"
#include "rom/tile_graphics.h"

TTilePreviewPanel::TTilePreviewPanel(QWidget* parent)
    : QDockWidget(QStringLiteral("Tile Preview"), parent) {
    setObjectName(QStringLiteral("TilePreviewPanel"));
    auto* body = new QWidget(this);
    auto* column = new QVBoxLayout(body);
    column->setContentsMargins(4, 4, 4, 4);

    auto* controls = new QHBoxLayout;
    m_mode = new QComboBox(body);
    m_mode->addItems({QStringLiteral("Tiles 8x8"), QStringLiteral("Sprites 16x16"),
                      QStringLiteral("Packed 8x8")});
    m_mode->setItemData(kPackedEntry,
                        QStringLiteral("One hex digit per pixel, the leftmost digit the left "
                                       "pixel: a row is one 32-bit value, two words or four bytes"),
                        Qt::ToolTipRole);
    m_columns = new QSpinBox(body);
    m_columns->setRange(1, 64);
    m_columns->setValue(16);
    m_columns->setPrefix(QStringLiteral("per row: "));
    m_zoom = new QSpinBox(body);
    m_zoom->setRange(1, 8);
    m_zoom->setValue(3);
    m_zoom->setPrefix(QStringLiteral("zoom: "));
    controls->addWidget(m_mode);
    controls->addWidget(m_columns);
    controls->addWidget(m_zoom);
    controls->addStretch(1);
    column->addLayout(controls);

    auto* paletteRow = new QHBoxLayout;
    m_paletteButton = new QPushButton(QStringLiteral("Use Table as &Palette"), body);
    m_paletteButton->setToolTip(
        QStringLiteral("Take the first 16 values of the table at the caret as the palette"));
    m_greyButton = new QPushButton(QStringLiteral("&Grey"), body);
    paletteRow->addWidget(m_paletteButton);
    paletteRow->addWidget(m_greyButton);
    m_saveButton = new QPushButton(QStringLiteral("Save as P&icture..."), body);
    m_saveButton->setObjectName(QStringLiteral("TilePreviewSavePicture"));
    m_saveButton->setToolTip(QStringLiteral("Write the picture as drawn here into a PNG file"));
    paletteRow->addWidget(m_saveButton);
    paletteRow->addStretch(1);
    column->addLayout(paletteRow);

    m_status = new QLabel(body);
    m_status->setObjectName(QStringLiteral("TilePreviewStatus"));
    m_status->setWordWrap(true);
    m_status->setTextFormat(Qt::PlainText);
    column->addWidget(m_status);

    m_view = new TTileView;
    auto* scroll = new QScrollArea(body);
    scroll->setWidget(m_view);
    column->addWidget(scroll, 1);
    setWidget(body);

    connect(m_mode, &QComboBox::currentIndexChanged, this, [this] {
        m_packedPicked = false;  // the user's choice
        ShowCells();
    });
    // Choosing the entry already shown makes it the user's choice as well.
    connect(m_mode, &QComboBox::activated, this, [this] { m_packedPicked = false; });
    connect(m_columns, &QSpinBox::valueChanged, this,
            [this](int value) { m_view->SetColumns(value); });
    connect(m_zoom, &QSpinBox::valueChanged, this, [this](int value) { m_view->SetZoom(value); });
    connect(m_paletteButton, &QPushButton::clicked, this, [this] { emit PaletteRequested(); });
    connect(m_greyButton, &QPushButton::clicked, this, [this] { SetPaletteWords({}); });
    connect(m_saveButton, &QPushButton::clicked, this, [this] { emit SavePictureRequested(); });
    connect(m_view, &TTileView::ByteClicked, this, [this](int byte) {
        if (m_table.Found)
            emit ValueClicked(
                static_cast<int>(m_table.ValueOfByte(static_cast<std::size_t>(byte))));
    });
    ShowTable({});
}

int TTilePreviewPanel::Columns() const {
    return m_columns->value();
}

void TTilePreviewPanel::ShowTable(const TByteTable& table) {
    PickModeFor(table);
    m_table = table;
    ShowCells();
}

void TTilePreviewPanel::PickModeFor(const TByteTable& table) {
    const bool wide = table.Found && table.ElementSize == 4;
    const bool sameTable = m_table.Found && table.Found && m_table.FirstLine == table.FirstLine &&
                           m_table.ElementSize == table.ElementSize;
    const QSignalBlocker quiet(m_mode);
    if (wide && !sameTable && m_mode->currentIndex() != kPackedEntry) {
        m_entryBeforePacked = m_mode->currentIndex();
        m_mode->setCurrentIndex(kPackedEntry);
        m_packedPicked = true;
    } else if (!wide && m_packedPicked) {
        m_mode->setCurrentIndex(m_entryBeforePacked);
        m_packedPicked = false;
    }
}

void TTilePreviewPanel::ShowCells() {
    switch (m_mode->currentIndex()) {
        case kSpritesEntry:
            m_view->SetCells(TTileView::TMode::Sprites, m_table.Bytes());
            break;
        case kPackedEntry:
            m_view->SetCells(TTileView::TMode::Packed, m_table.BytesAsWritten());
            break;
        default:
            m_view->SetCells(TTileView::TMode::Tiles, m_table.Bytes());
            break;
    }
    UpdateStatus();
}

void TTilePreviewPanel::SetPaletteWords(const std::vector<std::uint32_t>& words) {
    m_greyPalette = words.empty();
    m_view->SetPalette(words.empty() ? GreyRamp() : PaletteFrom(words));
    UpdateStatus();
}

void TTilePreviewPanel::UpdateStatus() {
    if (!m_table.Found) {
        m_status->setText(QStringLiteral(
            "Put the caret in a byte table: a C initialiser between braces, or .byte / .db / "
            ".word / .dword lines."));
        return;
    }
    const std::size_t bytes = m_table.Bytes().size();
    const int cellBytes = m_view->CellBytes();
    QString text = QStringLiteral("Lines %1-%2: %3 bytes, %4 %5")
                       .arg(m_table.FirstLine)
                       .arg(m_table.LastLine)
                       .arg(bytes)
                       .arg(bytes / static_cast<std::size_t>(cellBytes))
                       .arg(cellBytes == kSpriteBytes ? QStringLiteral("sprite(s)")
                                                      : QStringLiteral("tile(s)"));
    if (bytes % static_cast<std::size_t>(cellBytes) != 0)
        text += QStringLiteral(" and %1 bytes left over")
                    .arg(bytes % static_cast<std::size_t>(cellBytes));
    text += m_greyPalette ? QStringLiteral("; grey palette.") : QStringLiteral("; table palette.");
    if (!m_table.Error.empty()) text += QStringLiteral("\n") + ToQ(m_table.Error);
    m_status->setText(text);
}
