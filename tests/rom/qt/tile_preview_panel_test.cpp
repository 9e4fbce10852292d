// The Tile Preview panel on its own: packed tiles picked for a table of 32-bit values and given
// back when the caret leaves it, the user's choice kept inside it, and a click on a packed pixel
// naming the value that holds it whatever the element size.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include "rom/byte_table.h"
#include "rom/qt/tile_preview_panel.h"
#include "rom/qt/tile_view.h"

namespace {

TByteTable TableOf(const std::string& line, int firstLine = 1) {
    std::vector<std::string> lines(static_cast<std::size_t>(firstLine - 1));
    lines.push_back(line);
    return FindByteTable([&lines](int i) { return std::string_view(lines[i]); },
                         static_cast<int>(lines.size()), firstLine,
                         static_cast<int>(line.find('{')) + 2);
}

// One packed tile: row 0 holds the digits 0..7, the other rows are 0.
std::string PackedTile(const std::string& type, const std::string& row0, int valuesPerRow) {
    std::string line = "const " + type + " t[] = { " + row0;
    for (int i = valuesPerRow; i < 8 * valuesPerRow; ++i) line += ", 0";
    return line + " };";
}

TEST(TilePreviewPanel, ThirtyTwoBitTablesPickPackedTilesUntilTheUserChoosesOtherwise) {
    TTilePreviewPanel panel;
    QComboBox& mode = panel.ModeBox();
    ASSERT_EQ(mode.count(), 3);
    EXPECT_EQ(mode.itemText(2), "Packed 8x8");

    const TByteTable rows = TableOf(PackedTile("unsigned long", "0x01234567", 1));
    ASSERT_EQ(rows.ElementSize, 4);
    panel.ShowTable(rows);
    EXPECT_EQ(mode.currentText(), "Packed 8x8");
    EXPECT_EQ(panel.View().Mode(), TTileView::TMode::Packed);
    const QImage picture = panel.View().Picture();
    ASSERT_EQ(picture.size(), QSize(8, 8));
    for (int x = 0; x < 8; ++x)  // the grey ramp: index i as level 17 * i
        EXPECT_EQ(picture.pixelColor(x, 0), QColor(17 * x, 17 * x, 17 * x)) << x;
    EXPECT_NE(panel.Status().text().toStdString().find("32 bytes, 1 tile(s)"), std::string::npos);

    // The user's choice holds while the caret stays in the table.
    mode.setCurrentIndex(0);
    EXPECT_EQ(panel.View().Mode(), TTileView::TMode::Tiles);
    panel.ShowTable(rows);
    EXPECT_EQ(mode.currentText(), "Tiles 8x8");
    // Another 32-bit table picks packed tiles again; leaving it gives the sprites back.
    mode.setCurrentIndex(1);
    panel.ShowTable(TableOf(PackedTile("uint32_t", "0x01234567", 1), 5));
    EXPECT_EQ(mode.currentText(), "Packed 8x8");
    panel.ShowTable({});
    EXPECT_EQ(mode.currentText(), "Sprites 16x16");
    panel.ShowTable(TableOf(PackedTile("unsigned char", "0x01", 4)));
    EXPECT_EQ(mode.currentText(), "Sprites 16x16");
}

TEST(TilePreviewPanel, AClickOnAPackedPixelNamesItsValue) {
    TTilePreviewPanel panel;
    QSignalSpy clicked(&panel, &TTilePreviewPanel::ValueClicked);
    const int zoom = panel.ZoomBox().value();
    const auto click = [&](int x, int y) {
        QTest::mouseClick(&panel.View(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(x * zoom + 1, y * zoom + 1));
        return clicked.isEmpty() ? -1 : clicked.takeLast().at(0).toInt();
    };

    panel.ShowTable(TableOf(PackedTile("unsigned long", "0x01234567", 1)));
    EXPECT_EQ(click(0, 0), 0);
    EXPECT_EQ(click(7, 0), 0);
    EXPECT_EQ(click(5, 3), 3);  // one value a row

    // Words and bytes drawn packed give the same picture; a row is two or four values.
    const TByteTable words = TableOf(PackedTile("unsigned int", "0x0123, 0x4567", 2));
    ASSERT_EQ(words.ElementSize, 2);
    panel.ShowTable(words);
    EXPECT_EQ(panel.ModeBox().currentText(), "Tiles 8x8");
    panel.ModeBox().setCurrentIndex(2);
    EXPECT_EQ(panel.View().Picture().pixelColor(5, 0), QColor(85, 85, 85));
    EXPECT_EQ(click(3, 0), 0);
    EXPECT_EQ(click(4, 0), 1);
    EXPECT_EQ(click(5, 2), 5);
    panel.ShowTable(TableOf(PackedTile("unsigned char", "0x01, 0x23, 0x45, 0x67", 4)));
    EXPECT_EQ(panel.View().Picture().pixelColor(5, 0), QColor(85, 85, 85));
    EXPECT_EQ(click(5, 0), 2);
    EXPECT_EQ(click(7, 1), 7);
    EXPECT_EQ(click(9, 0), -1);  // beyond the picture
}

}  // namespace
