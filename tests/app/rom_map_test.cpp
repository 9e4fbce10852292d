// The ROM Map in the running program: the Run menu's entry shows the panel with the last image
// built, an open panel follows each successful build, and the rows are drawn from the bytes.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "app_test_support.h"
#include "documents/mdi_child.h"
#include "editor/qt/synedit.h"
#include "editor/string_list.h"
#include "rom/qt/rom_map_panel.h"
#include "rom/qt/rom_map_view.h"

namespace {

class RomMapTest : public ::testing::Test, public TProgramFixture {
  protected:
    RomMapTest() {
        // The compiler writes an image whose first bank holds as many data bytes as the
        // source file has, the rest of the 16 KB filled with 0xFF.
        const std::string compiler = Home() + "/cc.sh";
        WriteFile(compiler,
                  "#!/bin/sh\nn=$(wc -c < \"$1\")\n"
                  "{ head -c \"$n\" /dev/zero | tr '\\0' 'A'; "
                  "head -c $((16384 - n)) /dev/zero | tr '\\0' '\\377'; } > \"${1%.c}.pce\"\n");
        ::chmod(compiler.c_str(), 0755);
        WriteConfig("[C]\npcecc=" + compiler + " {file}\n");
    }
    TMDIChild* Open(const std::string& path) {
        dialogs.AnswerFile(path);
        Form().FileOpen1->trigger();
        return Files().ActiveDocument();
    }
    void Build() {
        QApplication::setActiveWindow(&Form());
        Form().CompileCCode1->trigger();
        QApplication::processEvents();
    }
    QAction* Entry() { return Form().findChild<QAction*>("RomMap1"); }
    TRomMapPanel* Panel() { return Form().findChild<TRomMapPanel*>("RomMapPanel"); }
};

TEST_F(RomMapTest, TheEntryShowsTheLastImageAndAnOpenPanelFollowsEachBuild) {
    QAction* entry = Entry();
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->shortcut(), QKeySequence("Ctrl+Shift+M"));
    EXPECT_TRUE(Form().Run1->actions().contains(entry));
    ASSERT_NE(Panel(), nullptr);
    EXPECT_FALSE(Panel()->isVisible());

    WriteFile(Source() + "/game.c", std::string(1000, 'x'));
    Open(Source() + "/game.c");
    Build();
    // A closed panel stays closed after a build.
    EXPECT_FALSE(Panel()->isVisible());
    entry->trigger();
    ASSERT_TRUE(Panel()->isVisible());
    EXPECT_EQ(Panel()->ImagePath(), Source() + "/game.pce");
    const TRomLayout& layout = Panel()->View().Layout();
    ASSERT_EQ(layout.Banks.size(), 2u);
    EXPECT_EQ(layout.Banks[0].Used(), 1000u);
    EXPECT_EQ(layout.Banks[1].Used(), 0u);
    EXPECT_EQ(Panel()->Summary().text().toStdString(),
              "game.pce: 16,384 bytes in 2 bank(s): 1,000 used, 15,384 free (6 % full).");

    // The bar is drawn as the bytes lie: used at the start of bank 0, free after it.
    TRomMapView& view = Panel()->View();
    view.resize(400, view.sizeHint().height());
    const QImage picture = view.grab().toImage();
    const QRect bar = view.BarRect(0);
    const int usedX = bar.left() + bar.width() * 1000 / 8192 / 2;
    const int freeX = bar.left() + bar.width() * 3 / 4;
    EXPECT_EQ(picture.pixelColor(usedX, bar.center().y()), TRomMapView::kUsedColour);
    EXPECT_EQ(picture.pixelColor(freeX, bar.center().y()), TRomMapView::kFreeColour);
    EXPECT_EQ(picture.pixelColor(freeX, view.BarRect(1).center().y()), TRomMapView::kFreeColour);

    // With the panel open the next build shows at once.
    WriteFile(Source() + "/game.c", std::string(8000, 'y'));
    TMDIChild* reopened = Files().ActiveDocument();
    ASSERT_NE(reopened, nullptr);
    reopened->SynEditor->Lines().LoadFromFile(Source() + "/game.c");
    Build();
    EXPECT_EQ(Panel()->View().Layout().Banks[0].Used(), 8000u);
    EXPECT_TRUE(Panel()->View().Layout().Banks[0].NearlyFull());
}

TEST_F(RomMapTest, AnImageThatCannotBeReadIsSaidInTheSummary) {
    TRomMapPanel* panel = Panel();
    ASSERT_NE(panel, nullptr);
    panel->ShowImage(Source() + "/missing.pce");
    EXPECT_NE(panel->Summary().text().toStdString().find("Cannot read the image"),
              std::string::npos);
    EXPECT_TRUE(panel->View().Layout().Banks.empty());
    // Opening one through the panel's button.
    WriteFile(Source() + "/other.pce", std::string(512, 'h') + std::string(8192, 'z'));
    dialogs.AnswerFile(Source() + "/other.pce");
    QTest::mouseClick(&panel->OpenButton(), Qt::LeftButton);
    EXPECT_EQ(panel->ImagePath(), Source() + "/other.pce");
    EXPECT_TRUE(panel->View().Layout().CopierHeader);
    EXPECT_EQ(panel->View().Layout().Banks.at(0).Used(), 8192u);
}

}  // namespace
