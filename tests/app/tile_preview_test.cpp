// The Tile Preview in the running program: the table at the caret drawn as tiles in the palette
// of a palette table, the picture following an edited byte, and a click taking the caret to the
// byte of the pixel; the tiles project's table of hex rows drawn as packed tiles in its palette.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "app_test_support.h"
#include "documents/mdi_child.h"
#include "editor/qt/synedit.h"
#include "editor/string_list.h"
#include "rom/qt/tile_preview_panel.h"
#include "rom/qt/tile_view.h"
#include "rom/tile_graphics.h"

namespace {

// One tile whose row 0 is colour 1 on its left half, and a palette whose colour 1 is pure red.
const char* const kSource =
    "const unsigned int palette[] = {0x000, 0x038, 0x1C0};\n"
    "const unsigned char tile[] = {\n"
    "    0xF0, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,\n"
    "    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0\n"
    "};\n";

class TilePreviewTest : public ::testing::Test, public TProgramFixture {
  protected:
    TTilePreviewPanel* Panel() { return Form().findChild<TTilePreviewPanel*>("TilePreviewPanel"); }
    QColor PixelOfPicture(int x, int y) { return Panel()->View().Picture().pixelColor(x, y); }
    void Settle() {
        QTest::qWait(150);  // past the pause after which the picture follows
        QApplication::processEvents();
    }
    static int LineHolding(TSynEdit& editor, const std::string& text) {
        for (int i = 0; i < editor.Lines().GetCount(); ++i)
            if (editor.Lines().Get(i).find(text) != std::string::npos) return i + 1;
        return 0;
    }
    // The colour a 9-bit colour word is drawn in.
    static QColor Drawn(std::uint16_t word) { return QColor(QRgb(NineBitColour(word))); }
};

TEST_F(TilePreviewTest, DrawsTheTableAtTheCaretInTheChosenPaletteAndFollowsEdits) {
    WriteFile(Source() + "/tiles.c", kSource);
    TMDIChild* document = Open(Source() + "/tiles.c");
    TSynEdit& editor = *document->SynEditor();
    auto* entry = Form().findChild<QAction*>("TilePreview1");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->shortcut(), QKeySequence("Ctrl+Shift+G"));
    EXPECT_TRUE(Form().Edit1()->actions().contains(entry));

    // The palette first: the caret in its table, then the button.
    editor.SetCaretXY({35, 1});
    entry->trigger();
    ASSERT_TRUE(Panel()->isVisible());
    Panel()->PaletteButton().click();

    editor.SetCaretXY({5, 3});
    Settle();
    ASSERT_TRUE(Panel()->Table().Found);
    EXPECT_EQ(Panel()->Table().Bytes().size(), 32u);
    EXPECT_EQ(PixelOfPicture(0, 0), QColor(255, 0, 0));
    EXPECT_EQ(PixelOfPicture(4, 0), QColor(0, 0, 0));
    EXPECT_NE(Panel()->Status().text().toStdString().find("32 bytes, 1 tile(s)"),
              std::string::npos);

    // Plane 1 of row 0 set for the right half: colour 2, green.
    QApplication::setActiveWindow(&Form());
    editor.setFocus();
    editor.SetCaretXY({14, 3});
    QTest::keyClick(&editor, Qt::Key_Delete);
    QTest::keyClicks(&editor, "F");
    ASSERT_EQ(editor.Lines().Get(2).substr(0, 16), "    0xF0, 0x0F, ");
    Settle();
    EXPECT_EQ(PixelOfPicture(4, 0), QColor(0, 255, 0));

    // A click on a pixel of row 0 takes the caret to the row's plane-0 byte.
    editor.SetCaretXY({1, 4});
    Settle();
    TTileView& view = Panel()->View();
    QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    EXPECT_EQ(editor.CaretXY(), (TBufferCoord{5, 3}));
}

TEST_F(TilePreviewTest, TheTilesProjectsHexRowsAreDrawnAsPackedTilesInTheirPalette) {
    WriteFile(Source() + "/tiles.c",
              ReadFile(std::string(QUILLON_SOURCE_DIR) + "/examples/tiles-project/tiles.c"));
    TMDIChild* document = Open(Source() + "/tiles.c");
    TSynEdit& editor = *document->SynEditor();
    editor.SetCaretXY({5, LineHolding(editor, "RGB(0, 0, 3)")});
    Form().findChild<QAction*>("TilePreview1")->trigger();
    Panel()->PaletteButton().click();
    EXPECT_EQ(Panel()->ModeBox().currentText(), "Tiles 8x8");

    const int brickRow0 = LineHolding(editor, "{0xAAAAAAABUL");
    editor.SetCaretXY({8, brickRow0});
    Settle();
    ASSERT_EQ(Panel()->Table().Values.size(), 40u);
    EXPECT_EQ(Panel()->ModeBox().currentText(), "Packed 8x8");  // picked for 32-bit rows
    EXPECT_NE(Panel()->Status().text().toStdString().find("160 bytes, 5 tile(s); table palette"),
              std::string::npos);
    // Brick, grass, water A, water B and the star side by side, in tile_palette's colours
    // (green << 6 | red << 3 | blue).
    const QImage picture = Panel()->View().Picture();
    ASSERT_EQ(picture.size(), QSize(40, 8));
    EXPECT_EQ(picture.pixelColor(0, 0), Drawn(177));       // brick: 0xA, RGB(6, 2, 1)
    EXPECT_EQ(picture.pixelColor(7, 0), Drawn(364));       // mortar: 0xB, RGB(5, 5, 4)
    EXPECT_EQ(picture.pixelColor(8 + 1, 0), Drawn(482));   // grass: 7, RGB(4, 7, 2)
    EXPECT_EQ(picture.pixelColor(8 + 0, 7), Drawn(152));   // soil: 8, RGB(3, 2, 0)
    EXPECT_EQ(picture.pixelColor(16 + 0, 0), Drawn(511));  // foam: 4, RGB(7, 7, 7)
    EXPECT_EQ(picture.pixelColor(24 + 4, 0), Drawn(511));  // water B: its foam further right
    EXPECT_EQ(picture.pixelColor(24 + 7, 7), Drawn(3));    // deep water: 1, RGB(0, 0, 3)
    EXPECT_EQ(picture.pixelColor(32 + 3, 1), Drawn(312));  // the star's tip: 0xD, RGB(7, 4, 0)
    EXPECT_EQ(picture.pixelColor(32 + 3, 3), Drawn(505));  // the star: 0xC, RGB(7, 7, 1)

    // One digit changed: the brick's first pixel becomes the star's colour.
    QApplication::setActiveWindow(&Form());
    editor.setFocus();
    const int digit = static_cast<int>(editor.Lines().Get(brickRow0 - 1).find("0xA")) + 3;
    editor.SetCaretXY({digit, brickRow0});
    QTest::keyClick(&editor, Qt::Key_Delete);
    QTest::keyClicks(&editor, "C");
    ASSERT_NE(editor.Lines().Get(brickRow0 - 1).find("{0xCAAAAAABUL"), std::string::npos);
    Settle();
    EXPECT_EQ(Panel()->View().Picture().pixelColor(0, 0), Drawn(505));
    EXPECT_EQ(Panel()->View().Picture().pixelColor(1, 0), Drawn(177));

    // A click on the star's widest row takes the caret to the value that holds it.
    TTileView& view = Panel()->View();
    const int zoom = Panel()->ZoomBox().value();
    QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier,
                      QPoint((32 + 5) * zoom + 1, 3 * zoom + 1));
    const int starRow3 = LineHolding(editor, "0x0DCCCD00UL");
    EXPECT_EQ(
        editor.CaretXY(),
        (TBufferCoord{static_cast<int>(editor.Lines().Get(starRow3 - 1).find("0x0DCCCD00UL")) + 1,
                      starRow3}));

    // The user's choice holds in the same table; Save as Picture writes what is drawn.
    Panel()->ModeBox().setCurrentIndex(0);
    Settle();
    EXPECT_EQ(Panel()->ModeBox().currentText(), "Tiles 8x8");
    Panel()->ModeBox().setCurrentIndex(2);
    dialogs.AnswerFile(Source() + "/tiles.png");
    Panel()->SavePictureButton().click();
    QImage saved;
    ASSERT_TRUE(saved.load(QString::fromStdString(Source() + "/tiles.png")));
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), Panel()->View().Picture());
    EXPECT_EQ(saved.pixelColor(32 + 3, 1), Drawn(312));
}

}  // namespace
