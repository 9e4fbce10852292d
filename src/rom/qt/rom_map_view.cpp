// Painting and hovering of the bank rows.
#include "rom/qt/rom_map_view.h"

#include <QHelpEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>

#include "platform/qt/qt_text.h"

const QColor TRomMapView::kUsedColour(58, 96, 178);
const QColor TRomMapView::kFreeColour(226, 230, 238);
const QColor TRomMapView::kFullColour(196, 52, 52);

namespace {

QString BankLabel(int number) {
    return QStringLiteral("$%1").arg(number, 2, 16, QLatin1Char('0')).toUpper();
}

QString Figures(const TRomBank& bank) {
    return ToQ(GroupedNumber(bank.Used()) + " / " + GroupedNumber(bank.Free));
}

}  // namespace

TRomMapView::TRomMapView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("RomMapView"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TRomMapView::SetLayout(TRomLayout layout) {
    m_layout = std::move(layout);
    updateGeometry();
    adjustSize();
    update();
}

int TRomMapView::LabelWidth() const {
    return fontMetrics().horizontalAdvance(QStringLiteral("$000 ")) + kMargin;
}

int TRomMapView::FiguresWidth() const {
    return fontMetrics().horizontalAdvance(QStringLiteral(" 8,192 / 8,192 ")) + kMargin;
}

QSize TRomMapView::sizeHint() const {
    const int rows = static_cast<int>(m_layout.Banks.size());
    return {LabelWidth() + 256 + FiguresWidth(), 2 * kMargin + std::max(1, rows) * kRowHeight};
}

QSize TRomMapView::minimumSizeHint() const {
    return {LabelWidth() + 64 + FiguresWidth(), sizeHint().height()};
}

QRect TRomMapView::BarRect(int bank) const {
    const int left = LabelWidth();
    const int right = std::max(left + 16, width() - FiguresWidth());
    return {left, kMargin + bank * kRowHeight + 3, right - left, kRowHeight - 6};
}

int TRomMapView::BankAt(QPoint point) const {
    const int row = (point.y() - kMargin) / kRowHeight;
    if (point.y() < kMargin || row < 0 || row >= static_cast<int>(m_layout.Banks.size())) return -1;
    return row;
}

void TRomMapView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().base());
    const int rows = static_cast<int>(m_layout.Banks.size());
    // Only the rows the paint event asks for: a big card has hundreds.
    const int first = std::max(0, (event->rect().top() - kMargin) / kRowHeight);
    const int last = std::min(rows - 1, (event->rect().bottom() - kMargin) / kRowHeight);
    for (int row = first; row <= last; ++row) {
        const TRomBank& bank = m_layout.Banks[static_cast<std::size_t>(row)];
        const int top = kMargin + row * kRowHeight;
        const QRect labelRect(kMargin, top, LabelWidth() - kMargin, kRowHeight);
        painter.setPen(bank.NearlyFull() ? kFullColour : palette().text().color());
        painter.drawText(labelRect, Qt::AlignVCenter | Qt::AlignLeft, BankLabel(bank.Number));

        const QRect bar = BarRect(row);
        // A short last bank draws only as wide as its bytes.
        const int barWidth =
            static_cast<int>(static_cast<long long>(bar.width()) * bank.Size / kRomBankSize);
        const QRect shown(bar.left(), bar.top(), std::max(1, barWidth), bar.height());
        painter.fillRect(shown, bank.NearlyFull() ? kFullColour : kUsedColour);
        for (const TFreeRun& run : bank.FreeRuns) {
            const int x0 = bar.left() + static_cast<int>(static_cast<long long>(bar.width()) *
                                                         run.Offset / kRomBankSize);
            const int x1 = bar.left() + static_cast<int>(static_cast<long long>(bar.width()) *
                                                         (run.Offset + run.Length) / kRomBankSize);
            painter.fillRect(QRect(x0, bar.top(), std::max(1, x1 - x0), bar.height()), kFreeColour);
        }
        painter.setPen(palette().mid().color());
        painter.drawRect(bar.adjusted(0, 0, -1, -1));

        const QRect figures(bar.right() + kMargin, top, FiguresWidth() - kMargin, kRowHeight);
        painter.setPen(bank.NearlyFull() ? kFullColour : palette().text().color());
        painter.drawText(figures, Qt::AlignVCenter | Qt::AlignRight,
                         Figures(bank) + (bank.NearlyFull() ? QStringLiteral(" !") : QString()));
    }
}

bool TRomMapView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int bank = BankAt(help->pos());
        if (bank < 0) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(),
                               ToQ(BankSummary(m_layout.Banks[static_cast<std::size_t>(bank)])),
                               this, QRect(0, kMargin + bank * kRowHeight, width(), kRowHeight));
        }
        return true;
    }
    return QWidget::event(event);
}
