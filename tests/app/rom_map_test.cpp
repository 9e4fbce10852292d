// The ROM Map in the running program: the Run menu's entry shows the panel with the last image
// built, an open panel follows each successful build, and the rows are drawn from the bytes.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <algorithm>
#include <cstdlib>

#include "app/project_symbols.h"
#include "app_test_support.h"
#include "documents/mdi_child.h"
#include "editor/qt/synedit.h"
#include "editor/string_list.h"
#include "rom/link_map.h"
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
    void Build() {
        QApplication::setActiveWindow(&Form());
        Form().CompileCCode1()->trigger();
        QApplication::processEvents();
    }
    QAction* Entry() { return Form().findChild<QAction*>("RomMap1"); }
    TRomMapPanel* Panel() { return Form().findChild<TRomMapPanel*>("RomMapPanel"); }
};

TEST_F(RomMapTest, TheEntryShowsTheLastImageAndAnOpenPanelFollowsEachBuild) {
    QAction* entry = Entry();
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->shortcut(), QKeySequence("Ctrl+Shift+M"));
    EXPECT_TRUE(Form().Run1()->actions().contains(entry));
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
    reopened->SynEditor()->Lines().LoadFromFile(Source() + "/game.c");
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

namespace {

bool HaveTool(const char* tool) {
    return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

QTreeWidgetItem* ListItem(QTreeWidget& list, const QString& name) {
    const QList<QTreeWidgetItem*> found = list.findItems(name, Qt::MatchExactly, 0);
    return found.isEmpty() ? nullptr : found.front();
}

void ClickItem(QTreeWidget& list, QTreeWidgetItem* item) {
    list.scrollToItem(item);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(item).center());
}

TEST_F(RomMapTest, TheCExamplesMapShowsItsSegmentsAndALabelOpensItsDefinition) {
    if (!HaveTool("cl65")) GTEST_SKIP() << "cc65 is not installed";
    WriteConfig("[C]\npcecc=" QUILLON_SOURCE_DIR "/tools/pce-cc -O -o {image} {file}\n");
    WriteFile(Source() + "/hello.c", ReadFile(QUILLON_SOURCE_DIR "/examples/hello-c/hello.c"));
    TMDIChild* document = Open(Source() + "/hello.c");
    ASSERT_NE(document, nullptr);
    Entry()->trigger();
    Build();
    ASSERT_TRUE(FileExists(Source() + "/hello.map"));
    TRomMapPanel* panel = Panel();
    ASSERT_EQ(panel->ImagePath(), Source() + "/hello.pce");
    const TLinkMap& map = panel->View().Map();
    ASSERT_EQ(map.Kind, TLinkMap::TKind::Ld65);
    EXPECT_NE(panel->MapNote().text().toStdString().find("hello.map: "), std::string::npos);

    // CODE is drawn in its colour in the upper part of bank 0's bar, where it lies.
    int code = -1;
    for (std::size_t i = 0; i < map.Segments.size(); ++i)
        if (map.Segments[i].Name == "CODE") code = static_cast<int>(i);
    ASSERT_GE(code, 0);
    const TMapSegment& segment = map.Segments[static_cast<std::size_t>(code)];
    TRomMapView& view = panel->View();
    view.resize(600, view.sizeHint().height());
    const QRect bar = view.BarRect(0);
    const int x = view.XOfOffset(0, segment.Offset + segment.Size / 2);
    const QPoint inCode(x, bar.top() + 2);
    EXPECT_EQ(view.grab().toImage().pixelColor(inCode), view.SegmentColour(code));
    EXPECT_EQ(view.SegmentAt(inCode), code);
    EXPECT_NE(view.ToolTipAt(inCode).toStdString().find("Segment CODE: "), std::string::npos);

    // The list names the segments with their banks; the label of main opens hello.c there.
    QTreeWidgetItem* codeItem = ListItem(panel->MapList(), "CODE");
    ASSERT_NE(codeItem, nullptr);
    EXPECT_EQ(codeItem->text(1), "$00");
    QTreeWidgetItem* mainItem = ListItem(panel->MapList(), "_main");
    ASSERT_NE(mainItem, nullptr);
    document->SynEditor()->SetCaretXY({1, 1});
    ClickItem(panel->MapList(), mainItem);
    app->ProjectSymbols().WaitForBuilds();
    QApplication::processEvents();
    ASSERT_EQ(Files().ActiveDocument(), document);
    const int line = document->SynEditor()->CaretY();
    EXPECT_NE(document->SynEditor()->Lines().Get(line - 1).find("main"), std::string::npos);
    EXPECT_GT(line, 1);
}

TEST_F(RomMapTest, TheAssemblyExamplesLabelsOpenTheirLinesFromTheBars) {
    if (!HaveTool("64tass")) GTEST_SKIP() << "64tass is not installed";
    WriteConfig("[C]\npceasm=64tass -c -b -Wall -o {image} --dump-labels -l {base}.lbl {file}\n");
    WriteFile(Source() + "/hello.asm",
              ReadFile(QUILLON_SOURCE_DIR "/examples/hello-asm/hello.asm"));
    TMDIChild* document = Open(Source() + "/hello.asm");
    ASSERT_NE(document, nullptr);
    Entry()->trigger();
    QApplication::setActiveWindow(&Form());
    Form().CompileAssembly1()->trigger();
    QApplication::processEvents();
    TRomMapPanel* panel = Panel();
    ASSERT_EQ(panel->View().Map().Kind, TLinkMap::TKind::Labels64tass);
    const std::vector<TMapLabel>& labels = panel->View().Map().Labels;
    auto font = std::find_if(labels.begin(), labels.end(),
                             [](const TMapLabel& l) { return l.Name == "font"; });
    ASSERT_NE(font, labels.end());
    ASSERT_TRUE(font->Placed);

    // A click on the label's tick in bank 0 opens its line.
    TRomMapView& view = panel->View();
    view.resize(8192 / 4, view.sizeHint().height());  // wide enough to tell the ticks apart
    const QPoint tick(view.XOfOffset(0, font->Offset), view.BarRect(0).bottom() - 1);
    ASSERT_EQ(view.LabelAt(tick), static_cast<int>(font - labels.begin()));
    document->SynEditor()->SetCaretXY({1, 1});
    QTest::mouseClick(&view, Qt::LeftButton, {}, tick);
    QApplication::processEvents();
    EXPECT_EQ(document->SynEditor()->CaretY(), font->Line);
    EXPECT_EQ(document->SynEditor()->Lines().Get(font->Line - 1).substr(0, 4), "font");
}

}  // namespace
