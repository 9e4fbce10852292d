// The loading window: its controls, the picture's walk across the panel and the Cancel button.
#include "toolrun/qt/loading_window.h"

#include <QCloseEvent>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "toolrun/qt/build_pictures.h"

namespace {

// Colour values keep red in the low byte.
QColor FromColorValue(unsigned value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

constexpr unsigned kPanelColor = 4201747;  // dark blue
constexpr int kStep = 20;
constexpr int kRestartLeft = 14;

}  // namespace

TfrmLoading::TfrmLoading(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("Loading Output...please be patient..."));
    // The outer 290x136 of a sizeable frame with 4-pixel borders and a 19-pixel caption: the
    // panel inside is 282 pixels wide, the width the picture's walk is measured against.
    move(491, 250);
    resize(282, 109);

    Panel1 = new QFrame(this);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(1);
    Panel1->setAutoFillBackground(true);
    QPalette panelPalette = Panel1->palette();
    panelPalette.setColor(QPalette::Window, FromColorValue(kPanelColor));
    Panel1->setPalette(panelPalette);
    Panel1->setGeometry(0, 0, 282, 109);

    Label1 = new QLabel(QStringLiteral("Loading output... Please be patient"), Panel1);
    QFont labelFont(QStringLiteral("Arial"));
    labelFont.setPixelSize(16);
    labelFont.setBold(true);
    Label1->setFont(labelFont);
    QPalette labelPalette = Label1->palette();
    labelPalette.setColor(QPalette::WindowText, QColor(0, 255, 255));
    Label1->setPalette(labelPalette);
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1->setGeometry(2, 5, 278, 21);

    Image1 = new QLabel(Panel1);
    Image1->setPixmap(RunningFigurePicture());
    Image1->setGeometry(124, 28, 28, 43);

    BitBtn1 = new QPushButton(QStringLiteral("Cancel"), Panel1);
    BitBtn1->setGeometry(2, 78, 279, 29);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });

    Timer1 = new QTimer(this);
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    Timer2 = new QTimer(this);
    Timer2->setInterval(3500);
    connect(Timer2, &QTimer::timeout, this, [this] { Timer2Timer(); });
}

TfrmLoading::~TfrmLoading() = default;

void TfrmLoading::FormActivate() {
    Timer1->start();
    Timer2->start();
}

void TfrmLoading::Timer1Timer() {
    int left = Image1->x() + kStep;
    if (left > Panel1->width() - Image1->width()) left = kRestartLeft;
    Image1->move(left, Image1->y());
}

void TfrmLoading::Timer2Timer() {}

void TfrmLoading::BitBtn1Click() {
    Timer1->stop();
    Timer2->stop();
    close();
    if (OnCancel) OnCancel(this);
}

void TfrmLoading::FormClose() {
    Timer1->stop();
    Timer2->stop();
}

bool TfrmLoading::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) FormActivate();
    return QWidget::event(event);
}

void TfrmLoading::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Showing a window activates it where the window manager allows; where it does not (focus
    // stealing prevention, offscreen), the figure still has to run.
    FormActivate();
}

void TfrmLoading::closeEvent(QCloseEvent* event) {
    FormClose();
    QWidget::closeEvent(event);
    // Closed from the title bar while a tool runs: nobody could give up the wait otherwise.
    if (event->spontaneous() && OnCancel) OnCancel(this);
}

void TfrmLoading::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Panel1->setGeometry(rect());
}
