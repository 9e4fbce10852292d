// The editor widget with real mouse events and the real clipboard: selecting in normal and
// column mode, double-click words, column blocks through the clipboard between two editors,
// and the Edit actions following selection and clipboard.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include "editor/qt/qt_syn_clipboard.h"
#include "editor/qt/synedit.h"
#include "editor/string_list.h"

namespace {

struct MouseWidget : ::testing::Test {
    void SetUp() override {
        for (TSynEdit* e : {&a, &b}) {
            e->resize(400, 200);
            e->show();
        }
        for (const char* line : {"abcdef", "ghijkl", "mnopqr"}) a.Lines().Add(line);
        for (const char* line : {"123456", "789", "xyz"}) b.Lines().Add(line);
        QGuiApplication::clipboard()->clear();
    }
    // A point in the left quarter of a character cell.
    static QPoint At(const TSynEdit& edit, int column, int line) {
        TPoint p = edit.RowColumnToPixels({column, line});
        return QPoint(p.X + edit.CharWidth() / 4, p.Y + edit.LineHeight() / 2);
    }
    static std::vector<std::string> Text(TSynEdit& edit) {
        std::vector<std::string> result;
        for (int i = 0; i < edit.Lines().GetCount(); ++i) result.push_back(edit.Lines().Get(i));
        return result;
    }
    static void Move(TSynEdit& edit, QPoint to, Qt::MouseButtons buttons,
                     Qt::KeyboardModifiers mods = {}) {
        QMouseEvent move(QEvent::MouseMove, to, edit.viewport()->mapToGlobal(to), Qt::NoButton,
                         buttons, mods);
        QApplication::sendEvent(edit.viewport(), &move);
    }
    void Drag(TSynEdit& edit, QPoint from, QPoint to, Qt::KeyboardModifiers mods = {}) {
        QTest::mousePress(edit.viewport(), Qt::LeftButton, mods, from);
        Move(edit, to, Qt::LeftButton, mods);
        QTest::mouseRelease(edit.viewport(), Qt::LeftButton, mods, to);
    }

    TSynEdit a;
    TSynEdit b;
};

using Lines = std::vector<std::string>;

TEST_F(MouseWidget, SelectsWithTheMouseInNormalAndColumnMode) {
    Drag(a, At(a, 2, 1), At(a, 4, 3));
    EXPECT_EQ(a.SelectionMode(), smNormal);
    EXPECT_EQ(a.BlockBegin(), (TBufferCoord{2, 1}));
    EXPECT_EQ(a.BlockEnd(), (TBufferCoord{4, 3}));
    EXPECT_EQ(a.CaretXY(), (TBufferCoord{4, 3}));
    EXPECT_EQ(a.focusWidget(), &a);  // takes the focus (the window is not active offscreen)

    QTest::mouseClick(a.viewport(), Qt::LeftButton, {}, At(a, 6, 2));
    EXPECT_FALSE(a.SelAvail());

    a.SetOptions(a.Options() | eoAltSetsColumnMode);
    Drag(a, At(a, 2, 1), At(a, 4, 3), Qt::AltModifier);
    EXPECT_EQ(a.SelectionMode(), smColumn);
    EXPECT_EQ(a.SelText(), "bc\r\nhi\r\nno");
}

TEST_F(MouseWidget, DoubleClickSelectsAWord) {
    a.Lines().Put(0, "int value = 1;");
    // The window system's order: press, release, double click, release.
    QTest::mouseClick(a.viewport(), Qt::LeftButton, {}, At(a, 6, 1));
    QTest::mouseDClick(a.viewport(), Qt::LeftButton, {}, At(a, 6, 1));
    QTest::mouseRelease(a.viewport(), Qt::LeftButton, {}, At(a, 6, 1));
    EXPECT_EQ(a.SelText(), "value");
    EXPECT_EQ(a.CaretXY(), (TBufferCoord{10, 1}));
}

TEST_F(MouseWidget, CursorShowsTheArrowOverTheSelection) {
    a.SetCaretAndSelection({4, 1}, {1, 1}, {4, 1});
    Move(a, At(a, 2, 1), Qt::NoButton);
    EXPECT_EQ(a.viewport()->cursor().shape(), Qt::ArrowCursor);
    Move(a, At(a, 5, 2), Qt::NoButton);
    EXPECT_EQ(a.viewport()->cursor().shape(), Qt::IBeamCursor);
}

TEST_F(MouseWidget, ColumnBlockTravelsThroughTheClipboardBetweenEditors) {
    a.SetSelectionMode(smColumn);
    a.SetCaretAndSelection({4, 3}, {2, 1}, {4, 3});
    a.Copy();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->text(), QString("bc\nhi\nno"));
    ASSERT_TRUE(data->hasFormat(kSynBlockMimeType));
    EXPECT_EQ(data->data(kSynBlockMimeType), QByteArray("\x02"
                                                        "bc\r\nhi\r\nno",
                                                        11) +
                                                 '\0');

    b.SetCaretXY({2, 1});
    b.Paste();
    EXPECT_EQ(Text(b), (Lines{"1bc23456", "7hi89", "xnoyz"}));

    // Text from another program pastes as a normal stream, converted to the code page.
    QGuiApplication::clipboard()->setText(QString::fromUtf8("caf\xC3\xA9"));
    b.SetCaretXY({1, 3});
    b.Paste();
    EXPECT_EQ(b.Lines().Get(2), "caf\xE9xnoyz");
}

TEST_F(MouseWidget, EditActionsFollowSelectionAndClipboard) {
    int notified = 0;
    a.SetOnEditStateChange([&] { ++notified; });
    EXPECT_FALSE(a.CanCut());
    EXPECT_FALSE(a.CanCopy());
    EXPECT_FALSE(a.CanPaste());

    Drag(a, At(a, 1, 1), At(a, 4, 1));
    EXPECT_GT(notified, 0);
    EXPECT_TRUE(a.CanCut());
    EXPECT_TRUE(a.CanCopy());

    notified = 0;
    a.Cut();
    EXPECT_GT(notified, 0);
    EXPECT_EQ(a.Lines().Get(0), "def");
    EXPECT_FALSE(a.CanCut());
    EXPECT_TRUE(a.CanPaste());

    notified = 0;
    QGuiApplication::clipboard()->clear();
    EXPECT_GT(notified, 0);
    EXPECT_FALSE(a.CanPaste());

    a.SetOnEditStateChange(nullptr);
    QGuiApplication::clipboard()->setText("x");
    EXPECT_TRUE(a.CanPaste());
}

TEST_F(MouseWidget, DroppedFileNamesArriveAsFileSystemBytes) {
    std::vector<std::string> names;
    a.SetOptions(a.Options() | eoDropFiles);
    a.OnDropFiles = [&](TCustomSynEdit*, int, int, const std::vector<std::string>& n) {
        names = n;
    };
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromUtf8("/tmp/caf\xC3\xA9.c"))});
    // A drop goes to the widget that accepted the drag's entry.
    QDragEnterEvent enter(At(a, 2, 1), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(a.viewport(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(At(a, 2, 1)), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(a.viewport(), &drop);
    EXPECT_EQ(names, (std::vector<std::string>{"/tmp/caf\xC3\xA9.c"}));
}

}  // namespace
