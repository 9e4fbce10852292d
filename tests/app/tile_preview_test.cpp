// The Tile Preview in the running program: the table at the caret drawn as tiles in the palette
// of a palette table, the picture following an edited byte, and a click taking the caret to the
// byte of the pixel.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "app_test_support.h"
#include "documents/mdi_child.h"
#include "editor/qt/synedit.h"
#include "editor/string_list.h"
#include "rom/qt/tile_preview_panel.h"
#include "rom/qt/tile_view.h"

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

}  // namespace
