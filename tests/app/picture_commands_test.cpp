// Pictures in and out in the running program: a PNG inserted at the caret as tiles or sprites
// (C or assembly by the document), drawn back by the Tile Preview equal to its pixels and saved
// again as a PNG; a picture with 17 colours refused with the tile named.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QImage>
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

namespace {

// A picture in `colours` colours that the 9-bit palette holds exactly, with a transparent
// top-left corner.
QImage TestPicture(int width, int height, int colours) {
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int c = 1 + (x * 5 + y * 3 + x * y) % (colours - 1);
            image.setPixel(x, y, qRgb(c % 8 * 255 / 7, (c / 8) * 255 / 7, (7 - c % 8) * 255 / 7));
        }
    image.setPixel(0, 0, qRgba(0, 0, 0, 0));
    return image;
}

class PictureCommandsTest : public ::testing::Test, public TProgramFixture {
  protected:
    QAction* Insert() { return Form().findChild<QAction*>("InsertPicture1"); }
    QAction* Save() { return Form().findChild<QAction*>("SaveTilesAsPicture1"); }
    TTilePreviewPanel* Panel() { return Form().findChild<TTilePreviewPanel*>("TilePreviewPanel"); }
    int LineHolding(TSynEdit& editor, const std::string& text) {
        for (int i = 0; i < editor.Lines().GetCount(); ++i)
            if (editor.Lines().Get(i).find(text) != std::string::npos) return i + 1;
        return 0;
    }
    // The Tile Preview of the inserted tables: the palette taken from its table, then the cells.
    QImage DrawnBack(TSynEdit& editor, const std::string& table, int columns) {
        QApplication::setActiveWindow(&Form());
        Form().findChild<QAction*>("TilePreview1")->trigger();
        editor.SetCaretXY({6, LineHolding(editor, "_palette") + 1});
        Panel()->PaletteButton().click();
        Panel()->ColumnsBox().setValue(columns);
        editor.SetCaretXY({6, LineHolding(editor, table) + 1});
        QTest::qWait(150);
        QApplication::processEvents();
        return Panel()->View().Picture();
    }
    // The picture's pixels with the transparent ones as colour 0 (black) draws them.
    static QImage Opaque(const QImage& image) {
        QImage opaque = image.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < opaque.height(); ++y)
            for (int x = 0; x < opaque.width(); ++x)
                if (qAlpha(opaque.pixel(x, y)) < 128) opaque.setPixel(x, y, qRgb(0, 0, 0));
        return opaque.convertToFormat(QImage::Format_RGB32);
    }
};

TEST_F(PictureCommandsTest, APngInsertedAsCTilesIsDrawnBackAndSavedAgain) {
    ASSERT_NE(Insert(), nullptr);
    ASSERT_NE(Save(), nullptr);
    EXPECT_TRUE(Form().Edit1()->actions().contains(Insert()));
    EXPECT_TRUE(Form().Edit1()->actions().contains(Save()));
    const QImage picture = TestPicture(24, 16, 16);
    ASSERT_TRUE(picture.save(QString::fromStdString(Source() + "/hero.png")));
    WriteFile(Source() + "/game.c", "int x;\n\nint main(void) { return 0; }\n");
    TMDIChild* document = Open(Source() + "/game.c");
    ASSERT_NE(document, nullptr);
    TSynEdit& editor = *document->SynEditor();
    editor.SetCaretXY({1, 2});
    dialogs.AnswerFile(Source() + "/hero.png", false, 1);
    Insert()->trigger();
    ASSERT_EQ(dialogs.FileDialogs.back().Request.Filter.substr(0, 27),
              "PNG Picture as 8x8 Tiles (*");
    EXPECT_EQ(editor.Lines().Get(0), "int x;");
    EXPECT_GT(LineHolding(editor, "const unsigned char hero_tiles[192] = {"), 0);
    EXPECT_GT(LineHolding(editor, "const unsigned int hero_palette[16] = {"), 0);
    EXPECT_GT(LineHolding(editor, "int main(void)"), LineHolding(editor, "hero_palette"));

    const QImage back = DrawnBack(editor, "hero_tiles", 3);
    EXPECT_EQ(back, Opaque(picture));

    // Saved as a PNG: the same pixels.
    dialogs.AnswerFile(Source() + "/again");
    Panel()->SavePictureButton().click();
    QImage saved;
    ASSERT_TRUE(saved.load(QString::fromStdString(Source() + "/again.png")));
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), back);
}

TEST_F(PictureCommandsTest, SpritesGoIntoAnAssemblyFileAsDataLines) {
    const QImage picture = TestPicture(32, 16, 9);
    ASSERT_TRUE(picture.save(QString::fromStdString(Source() + "/ship.png")));
    WriteFile(Source() + "/game.asm", "        rts\n");
    TMDIChild* document = Open(Source() + "/game.asm");
    TSynEdit& editor = *document->SynEditor();
    editor.SetCaretXY({12, 1});
    dialogs.AnswerFile(Source() + "/ship.png", false, 2);
    Insert()->trigger();
    EXPECT_EQ(editor.Lines().Get(0), "        rts");
    EXPECT_EQ(editor.Lines().Get(2), "ship_sprites:");
    EXPECT_EQ(editor.Lines().Get(3).substr(0, 14), "        .byte ");
    EXPECT_GT(LineHolding(editor, "ship_palette:"), 0);
    Panel()->ModeBox().setCurrentIndex(1);
    EXPECT_EQ(DrawnBack(editor, "ship_sprites:", 2), Opaque(picture));
}

TEST_F(PictureCommandsTest, APictureWithSeventeenColoursIsRefusedNamingTheTile) {
    QImage picture = TestPicture(16, 8, 16);
    picture.setPixel(12, 5, qRgb(255, 255, 255));  // a 17th colour in tile 1
    ASSERT_TRUE(picture.save(QString::fromStdString(Source() + "/many.png")));
    WriteFile(Source() + "/game.c", "\n");
    TMDIChild* document = Open(Source() + "/game.c");
    dialogs.AnswerFile(Source() + "/many.png");
    Insert()->trigger();
    ASSERT_FALSE(dialogs.Messages.empty());
    EXPECT_NE(dialogs.Messages.back().Text.find("more than 16 colours: tile 1 (column 1, row 0"),
              std::string::npos)
        << dialogs.Messages.back().Text;
    EXPECT_EQ(dialogs.Messages.back().Type, TMsgDlgType::mtError);
    EXPECT_EQ(document->SynEditor()->Lines().GetCount(), 1);
    EXPECT_FALSE(document->IsModified());
}

}  // namespace
