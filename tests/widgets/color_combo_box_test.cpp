// The colour combo box: entries kept sorted, the value list built from them, selection by value.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "widgets/color_combo_box.h"

namespace {

TEST(ColorComboBox, EntriesAreSortedAndStandForTheirColours) {
    TabcColorComboBox box;
    box.SetItems({"clRed", "$00808040", " clRed ", "$00400040", "hello", "-28", "$00400040",
                  "clAqua", "12"});
    box.Loaded();
    // Sorted ignoring case; entries that are neither a name nor a number (or are -28) go.
    EXPECT_EQ(box.Items(), (std::vector<std::string>{" clRed ", "$00400040", "$00400040",
                                                     "$00808040", "12", "clAqua", "clRed"}));
    EXPECT_EQ(box.Colors(),
              (std::vector<TColor>{255, 4194368, 4194368, 8421440, 12, 16776960, 255}));
}

TEST(ColorComboBox, SelectionByValueAndTheValueOfNoSelection) {
    TabcColorComboBox box;
    box.SetItems({"$00400040", "$00808040", "$00400040", "clRed"});
    box.Loaded();
    box.SetSelectedColor(8421440);
    EXPECT_EQ(box.currentText().toStdString(), "$00808040");
    EXPECT_EQ(box.SelectedColor(), 8421440);
    box.SetSelectedColor(4194368);  // the first of the two equal entries
    EXPECT_EQ(box.currentIndex(), 0);

    box.SetSelectedColor(1);  // not offered: no selection, read as black...
    EXPECT_EQ(box.currentIndex(), -1);
    EXPECT_EQ(box.SelectedColor(), 0);
    EXPECT_EQ(box.KeptColor(), 1);  // ...but the colour to keep is still the one given
    box.setCurrentIndex(3);         // as a user's pick
    EXPECT_EQ(box.KeptColor(), 255);
}

TEST(ColorComboBox, RowShowsAFramedSwatchAndTheText) {
    TabcColorComboBox box;
    box.SetItems({"clRed"});
    box.Loaded();
    box.SetShowText(true);
    box.SetItemHeight(16);
    box.SetColor(clNavy);
    QImage image(200, 16, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        box.DrawItem(painter, 0, image.rect(), false);
    }
    EXPECT_EQ(image.pixelColor(0, 0), QColor(0, 0, 128));    // the box colour around the swatch
    EXPECT_EQ(image.pixelColor(10, 8), QColor(255, 0, 0));   // the swatch
    EXPECT_EQ(image.pixelColor(100, 1), QColor(0, 0, 128));  // text area of an unselected row
}

// The text of a row drawn on a dark box colour (navy, blue, purple) must be lighter than it, and
// on a light one darker, so it stays readable.
TEST(ColorComboBox, RowTextContrastsWithTheBoxColour) {
    for (const TColor background : {clNavy, clBlue, clPurple, clWhite}) {
        TabcColorComboBox box;
        box.SetItems({"clRed"});
        box.Loaded();
        box.SetShowText(true);
        box.SetItemHeight(16);
        box.SetColor(background);
        QImage image(200, 16, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            box.DrawItem(painter, 0, image.rect(), false);
        }
        const QColor back = image.pixelColor(100, 1);
        const bool dark = qGray(back.rgb()) < 128;
        int textPixels = 0;
        int wrongPixels = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 34; x < image.width(); ++x) {
                const QColor pixel = image.pixelColor(x, y);
                if (pixel == back) continue;
                ++textPixels;
                const int contrast = qGray(pixel.rgb()) - qGray(back.rgb());
                if (dark ? contrast < 64 : contrast > -64) ++wrongPixels;
            }
        }
        EXPECT_GT(textPixels, 0) << background;
        // Anti-aliased edges may come close to the background; the bulk must not.
        EXPECT_LT(wrongPixels, textPixels / 2) << background;
    }
}

}  // namespace
