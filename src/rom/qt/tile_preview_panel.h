// The Tile Preview: a dockable panel that draws the byte table at the caret as tiles, sprites or
// packed tiles, with the choice of cell kind, cells per row and zoom, and the palette taken from a
// table the user points at (a grey ramp until then). A table of 32-bit values switches to packed
// tiles by itself; the user's choice holds until the caret enters another such table.
#pragma once

#include <QDockWidget>
#include <cstdint>
#include <vector>

#include "rom/byte_table.h"

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class TTileView;

class TTilePreviewPanel : public QDockWidget {
    Q_OBJECT

  public:
    explicit TTilePreviewPanel(QWidget* parent = nullptr);

    // Draws the table (no table: an empty picture and a hint).
    void ShowTable(const TByteTable& table);
    // Colours from the first 16 values of a table; an empty list gives the grey ramp.
    void SetPaletteWords(const std::vector<std::uint32_t>& words);

    const TByteTable& Table() const { return m_table; }
    TTileView& View() { return *m_view; }
    QLabel& Status() { return *m_status; }
    QComboBox& ModeBox() { return *m_mode; }
    QSpinBox& ColumnsBox() { return *m_columns; }
    QSpinBox& ZoomBox() { return *m_zoom; }
    QPushButton& PaletteButton() { return *m_paletteButton; }
    QPushButton& SavePictureButton() { return *m_saveButton; }
    // Cells per row of the picture.
    int Columns() const;

  signals:
    // The user clicked a pixel: the table's value that holds it.
    void ValueClicked(int valueIndex);
    // "Use Table as Palette" was pressed.
    void PaletteRequested();
    // "Save as Picture..." was pressed.
    void SavePictureRequested();

  private:
    // The combo box's entries, in order.
    static constexpr int kTilesEntry = 0;
    static constexpr int kSpritesEntry = 1;
    static constexpr int kPackedEntry = 2;

    void PickModeFor(const TByteTable& table);
    void ShowCells();
    void UpdateStatus();

    TByteTable m_table;
    bool m_greyPalette = true;
    // Packed tiles were picked for a 32-bit table, not by the user; leaving it restores this.
    bool m_packedPicked = false;
    int m_entryBeforePacked = kTilesEntry;
    TTileView* m_view = nullptr;
    QLabel* m_status = nullptr;
    QComboBox* m_mode = nullptr;
    QSpinBox* m_columns = nullptr;
    QSpinBox* m_zoom = nullptr;
    QPushButton* m_paletteButton = nullptr;
    QPushButton* m_greyButton = nullptr;
    QPushButton* m_saveButton = nullptr;
};
