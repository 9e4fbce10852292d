// The replace confirmation dialog and its placement next to the occurrence.
#include "search/qt/confirm_replace_dialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <cmath>

#include "platform/qt/qt_text.h"

namespace {

// Close results of the four buttons.
constexpr int kResultYes = static_cast<int>(TModalResult::mrYes);
constexpr int kResultNo = static_cast<int>(TModalResult::mrNo);
constexpr int kResultCancel = static_cast<int>(TModalResult::mrCancel);
constexpr int kResultAll = static_cast<int>(TModalResult::mrAll);

// a * b / c rounded to the nearest whole number, halves away from zero.
int MulDiv(int a, int b, int c) {
    return static_cast<int>(std::llround(static_cast<double>(a) * b / c));
}

QFont DialogFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    return font;
}

// The window manager's frame around a window: zero before it was framed, and on platforms
// without frames.
QMargins FrameMargins(const QWidget& window) {
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
}

// The frame of another window of the program, the active one first.
QMargins ProgramFrameMargins(const QWidget& except) {
    if (const QWidget* active = QApplication::activeWindow(); active && active != &except) {
        const QMargins margins = FrameMargins(*active);
        if (!margins.isNull()) return margins;
    }
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (window == &except || !window->isVisible()) continue;
        const QMargins margins = FrameMargins(*window);
        if (!margins.isNull()) return margins;
    }
    return {};
}

}  // namespace

TConfirmReplaceDialog::TConfirmReplaceDialog(QWidget* owner) : QDialog(owner) {
    setObjectName("ConfirmReplaceDialog");
    setWindowTitle(tr("Confirm replace"));
    setFont(DialogFont());
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    setFixedSize(328, 98);

    lblConfirmation = new QLabel(this);
    lblConfirmation->setGeometry(60, 12, 261, 44);
    lblConfirmation->setWordWrap(true);
    lblConfirmation->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblConfirmation->setTextFormat(Qt::PlainText);
    Image1 = new QLabel(this);
    Image1->setGeometry(16, 16, 32, 32);

    auto button = [this](const char* caption, int left, int result) {
        auto* b = new QPushButton(tr(caption), this);
        b->setGeometry(left, 67, 75, 23);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, result] { done(result); });
        return b;
    };
    btnReplace = button("&Yes", 8, kResultYes);
    btnSkip = button("&No", 87, kResultNo);
    btnCancel = button("Cancel", 166, kResultCancel);
    btnReplaceAll = button("Yes to &all", 245, kResultAll);
    btnReplace->setDefault(true);
    btnReplace->setAutoDefault(true);
    setTabOrder(btnReplace, btnSkip);
    setTabOrder(btnSkip, btnCancel);
    setTabOrder(btnCancel, btnReplaceAll);
    btnReplace->setFocus();

    FormCreate();
}

void TConfirmReplaceDialog::FormCreate() {
    const QIcon icon = style()->standardIcon(QStyle::SP_MessageBoxQuestion, nullptr, this);
    Image1->setPixmap(icon.pixmap(32, 32));
}

QPoint ConfirmDialogPosition(const QRect& area, int x, int lineTop, int lineBottom,
                             const QSize& dialogSize) {
    const int width = dialogSize.width();
    const int height = dialogSize.height();
    // Right and bottom one past the area, as window rectangles count them.
    const int areaRight = area.left() + area.width();
    const int w = area.width();
    const int h = area.height();
    int left;
    if (w <= width) {
        left = area.left() - (width - w) / 2;
    } else {
        left = x;
        if (areaRight < x + width) left = areaRight - width;
    }
    const int top =
        lineBottom > area.top() + MulDiv(h, 2, 3) ? lineTop - height - 4 : lineBottom + 4;
    return {left, top};
}

QSize ConfirmDialogOuterSize(const QSize& clientSize, const QMargins& ownFrame,
                             const QMargins& programFrame) {
    const QMargins& frame = ownFrame.isNull() ? programFrame : ownFrame;
    return clientSize.grownBy(frame);
}

void TConfirmReplaceDialog::PlaceNearMatch(const QRect& area, int x, int lineTop, int lineBottom,
                                           const std::string& text) {
    lblConfirmation->setText(ToQ("Replace this occurence of \"" + text + "\"?"));
    const QSize outer =
        ConfirmDialogOuterSize(size(), FrameMargins(*this), ProgramFrameMargins(*this));
    move(ConfirmDialogPosition(area, x, lineTop, lineBottom, outer));
}

void TConfirmReplaceDialog::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier) {
        QPushButton* button = nullptr;
        switch (event->key()) {
            case Qt::Key_Y:
                button = btnReplace;
                break;
            case Qt::Key_N:
                button = btnSkip;
                break;
            case Qt::Key_A:
                button = btnReplaceAll;
                break;
            default:
                break;
        }
        if (button != nullptr) {
            button->click();
            event->accept();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

TReplaceAnswer TConfirmReplaceDialog::Answer() const {
    switch (result()) {
        case kResultYes:
            return TReplaceAnswer::raYes;
        case kResultNo:
            return TReplaceAnswer::raNo;
        case kResultAll:
            return TReplaceAnswer::raAll;
        default:
            return TReplaceAnswer::raCancel;
    }
}
