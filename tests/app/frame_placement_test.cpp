// The frame window's placement between runs and its client-area background: the file it uses,
// a window reopened where and as large as it was, or maximised, and the tile behind the
// document windows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <sstream>

#include "app/app_session.h"
#include "app/frame_placement.h"
#include "app/images.h"
#include "app/main_window.h"
#include "platform/qt/scripted_dialogs.h"
#include "widgets/form_saver.h"
#include "widgets/mdi_tiled_image.h"

namespace {

TEST(FramePlacementFile, BesideTheExecutableWhenWritableElseBesideTheConfiguration) {
    QTemporaryDir bin;
    const std::string beside = bin.filePath("quillon.INI").toStdString();
    EXPECT_EQ(FramePlacementFile(beside, "/home/ann/veskide.ini"), beside);
    // A directory the program may not write to (here: one that does not exist).
    EXPECT_EQ(
        FramePlacementFile("/usr/nonexistent-quillon/bin/quillon.INI", "/home/ann/veskide.ini"),
        "/home/ann/quillon.INI");
}

class FramePlacement : public ::testing::Test {
  protected:
    FramePlacement() : m_oldFile(qgetenv("QUILLON_PLACEMENT_FILE")) {
        qputenv("QUILLON_PLACEMENT_FILE", QByteArray::fromStdString(File()));
    }
    ~FramePlacement() override { qputenv("QUILLON_PLACEMENT_FILE", m_oldFile); }

    std::string File() const { return m_dir.filePath("quillon.INI").toStdString(); }
    std::string ReadFile() const {
        std::ifstream in(File(), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    TAppSession session;
    TScriptedDialogs dialogs;
    TDialogsScope scope{dialogs};

  private:
    QTemporaryDir m_dir;
    QByteArray m_oldFile;
};

TEST_F(FramePlacement, ReopensWhereAndAsLargeAsItWas) {
    {
        TMainForm form(session);
        EXPECT_EQ(form.abcFormSaver1()->FileName(), File());
        form.show();
        form.move(70, 45);
        form.resize(700, 520);
        form.close();
    }
    const std::string text = ReadFile();
    EXPECT_EQ(text.rfind("[TMainForm.abcFormSaver1 Form Properties]", 0), 0u) << text;
    EXPECT_NE(text.find("Left=70"), std::string::npos);
    EXPECT_NE(text.find("Width=700"), std::string::npos);
    EXPECT_NE(text.find("WindowState=0"), std::string::npos);

    TMainForm again(session);
    EXPECT_EQ(again.pos(), QPoint(70, 45));
    EXPECT_EQ(again.size(), QSize(700, 520));
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(FramePlacement, ClosedMaximisedItReopensMaximised) {
    {
        TMainForm form(session);
        form.showMaximized();
        QApplication::processEvents();
        form.close();
    }
    EXPECT_NE(ReadFile().find("WindowState=2"), std::string::npos);
    std::ofstream(File(), std::ios::binary)
        << "[TMainForm.abcFormSaver1 Form Properties]\nLeft=300\nTop=200\nWidth=333\n"
           "Height=222\nWindowState=2\n";
    TMainForm again(session);
    EXPECT_TRUE(again.windowState() & Qt::WindowMaximized);
    // The stored bounds are the ones un-maximising returns to.
    EXPECT_EQ(again.normalGeometry(), QRect(300, 200, 333, 222));
}

TEST_F(FramePlacement, TheClientAreaShowsTheTileBehindTheDocumentWindows) {
    TMainForm form(session);
    form.resize(800, 600);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    auto* document = new QPlainTextEdit;
    form.AddDocumentWindow(document)->setGeometry(0, 0, 300, 200);
    QApplication::processEvents();

    const QImage tile = BackgroundTilePicture().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(tile.size(), QSize(16, 16));
    // At most 256 colours, as the picture is meant to be.
    QSet<QRgb> colours;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) colours.insert(tile.pixel(x, y));
    }
    EXPECT_LE(colours.size(), 256);
    EXPECT_GT(colours.size(), 1);

    QWidget* viewport = form.ClientArea()->viewport();
    const QPoint at = viewport->mapTo(&form, QPoint(0, 0));
    const QImage shot =
        form.screen()
            ->grabWindow(form.winId(), at.x(), at.y(), viewport->width(), viewport->height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    int checked = 0;
    for (int y = 0; y < shot.height(); y += 5) {
        for (int x = 0; x < shot.width(); x += 5) {
            if (x < 320 && y < 220) continue;  // the document window and its frame
            ASSERT_EQ(shot.pixel(x, y), tile.pixel(x % 16, y % 16)) << x << "," << y;
            ++checked;
        }
    }
    EXPECT_GT(checked, 1000);
}

}  // namespace
