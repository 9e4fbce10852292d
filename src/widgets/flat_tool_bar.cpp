// The flat tool bar: its spacing, and no panel painted.
#include "widgets/flat_tool_bar.h"

#include <QEvent>
#include <QLayout>

namespace {

// Between the tool bar's edges and its buttons.
constexpr int kPadding = 1;

}  // namespace

TFlatToolBar::TFlatToolBar(const QString& title, QWidget* parent) : QToolBar(title, parent) {
    ApplySpacing();
}

bool TFlatToolBar::event(QEvent* event) {
    const bool handled = QToolBar::event(event);
    if (event->type() == QEvent::StyleChange) ApplySpacing();
    return handled;
}

void TFlatToolBar::paintEvent(QPaintEvent* /*event*/) {
    // No panel, no frame, no handle (the bar is not movable): what lies behind shows through.
}

void TFlatToolBar::ApplySpacing() {
    if (QLayout* bar = layout()) {
        bar->setContentsMargins(kPadding, kPadding, kPadding, kPadding);
        bar->setSpacing(0);
    }
}
