// The flat tool bar looks as a tool bar styled with no border, no spacing and a pixel of padding:
// same size, same button places, same pixels, also after its style changes.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLayout>
#include <QPainter>
#include <QStyle>
#include <QStyleFactory>
#include <QToolButton>
#include <QWidget>
#include <memory>

#include "widgets/flat_tool_bar.h"

namespace {

QIcon Square(QColor color) {
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.fillRect(2, 2, 12, 12, color);
    return QIcon(QPixmap::fromImage(image));
}

// A window holding one bar with three buttons and a gap, as a document window's.
struct BarWindow {
    QWidget window;
    QToolBar* bar;

    explicit BarWindow(QToolBar* made) : bar(made) {
        window.setBackgroundRole(QPalette::Button);
        window.setAutoFillBackground(true);
        bar->setParent(&window);
        bar->setIconSize(QSize(16, 16));
        bar->setMovable(false);
        bar->setFloatable(false);
        bar->addAction(Square(Qt::red), "a");
        auto* gap = new QWidget(bar);
        gap->setFixedWidth(8);
        bar->addWidget(gap);
        bar->addAction(Square(Qt::blue), "b");
        bar->addAction(Square(Qt::darkGreen), "c");
        window.resize(200, 40);
        bar->setGeometry(0, 0, 200, bar->sizeHint().height());
        window.show();
        QApplication::processEvents();
    }
    QImage Picture() { return window.grab().toImage().convertToFormat(QImage::Format_RGB32); }
};

std::unique_ptr<BarWindow> StyledBar() {
    auto* bar = new QToolBar("Standard");
    bar->setStyleSheet("QToolBar { border: 0px; spacing: 0px; padding: 1px; }");
    return std::make_unique<BarWindow>(bar);
}

TEST(FlatToolBar, LooksAsTheStyledBar) {
    auto styled = StyledBar();
    BarWindow flat(new TFlatToolBar("Standard"));
    EXPECT_EQ(flat.bar->sizeHint(), styled->bar->sizeHint());
    const QList<QAction*> actions = flat.bar->actions();
    ASSERT_EQ(actions.size(), styled->bar->actions().size());
    for (qsizetype i = 0; i < actions.size(); ++i) {
        EXPECT_EQ(flat.bar->widgetForAction(actions[i])->geometry(),
                  styled->bar->widgetForAction(styled->bar->actions()[i])->geometry())
            << i;
    }
    // Buttons touch: the first starts a pixel in, the third right after the second.
    EXPECT_EQ(flat.bar->widgetForAction(actions[0])->x(), 1);
    EXPECT_EQ(flat.bar->widgetForAction(actions[3])->x(),
              flat.bar->widgetForAction(actions[2])->geometry().right() + 1);
    EXPECT_EQ(flat.Picture(), styled->Picture());
}

TEST(FlatToolBar, KeepsItsSpacingWhenItsStyleChanges) {
    BarWindow flat(new TFlatToolBar("Standard"));
    std::unique_ptr<QStyle> other(QStyleFactory::create("Windows"));
    ASSERT_NE(other, nullptr);
    flat.bar->setStyle(other.get());
    flat.bar->setGeometry(0, 0, 200, flat.bar->sizeHint().height());
    QApplication::processEvents();
    ASSERT_NE(flat.bar->layout(), nullptr);
    EXPECT_EQ(flat.bar->layout()->spacing(), 0);
    EXPECT_EQ(flat.bar->layout()->contentsMargins(), QMargins(1, 1, 1, 1));
    const QList<QAction*> actions = flat.bar->actions();
    EXPECT_EQ(flat.bar->widgetForAction(actions[0])->x(), 1);
    EXPECT_EQ(flat.bar->widgetForAction(actions[3])->x(),
              flat.bar->widgetForAction(actions[2])->geometry().right() + 1);
    flat.bar->setStyle(nullptr);
}

}  // namespace
