// Painting and hovering of the bank rows.
#include "rom/qt/rom_map_view.h"

#include <QHelpEvent>
#include <QMouseEvent>
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

// Distinct, light enough for the used colour to show between them.
const QColor kSegmentColours[] = {
    QColor(236, 164, 60), QColor(96, 186, 110),  QColor(200, 110, 190), QColor(90, 180, 200),
    QColor(220, 200, 70), QColor(160, 130, 220), QColor(230, 120, 110), QColor(140, 190, 80),
};
constexpr int kLabelSlop = 3;  // pixels either side of a label's tick that still hit it

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
    m_map = {};
    m_segmentColour.clear();
    updateGeometry();
    adjustSize();
    update();
}

void TRomMapView::SetMap(TLinkMap map) {
    m_map = std::move(map);
    m_segmentColour.clear();
    std::vector<std::string> names;
    for (const TMapSegment& segment : m_map.Segments) {
        auto found = std::find(names.begin(), names.end(), segment.Name);
        if (found == names.end()) found = names.insert(names.end(), segment.Name);
        m_segmentColour.push_back(static_cast<int>(found - names.begin()));
    }
    update();
}

QColor TRomMapView::SegmentColour(int segment) const {
    const int index = segment >= 0 && segment < static_cast<int>(m_segmentColour.size())
                          ? m_segmentColour[static_cast<std::size_t>(segment)]
                          : 0;
    return kSegmentColours[index % static_cast<int>(std::size(kSegmentColours))];
}

int TRomMapView::XOfOffset(int bank, std::uint64_t offset) const {
    const QRect bar = BarRect(bank);
    const std::uint64_t start = m_layout.Banks[static_cast<std::size_t>(bank)].Offset;
    const std::uint64_t within =
        offset > start ? std::min<std::uint64_t>(offset - start, kRomBankSize) : 0;
    return bar.left() + static_cast<int>(static_cast<long long>(bar.width()) *
                                         static_cast<long long>(within) / kRomBankSize);
}

int TRomMapView::SegmentAt(QPoint point) const {
    const int bank = BankAt(point);
    if (bank < 0 || !BarRect(bank).adjusted(0, -2, 0, 2).contains(point)) return -1;
    const TRomBank& row = m_layout.Banks[static_cast<std::size_t>(bank)];
    for (std::size_t i = 0; i < m_map.Segments.size(); ++i) {
        const TMapSegment& segment = m_map.Segments[i];
        if (!segment.Placed || segment.Offset >= row.Offset + row.Size ||
            segment.Offset + segment.Size <= row.Offset)
            continue;
        const int x0 = XOfOffset(bank, segment.Offset);
        const int x1 = XOfOffset(bank, segment.Offset + segment.Size);
        if (point.x() >= x0 && point.x() <= std::max(x0, x1 - 1)) return static_cast<int>(i);
    }
    return -1;
}

int TRomMapView::LabelAt(QPoint point) const {
    const int bank = BankAt(point);
    if (bank < 0 || !BarRect(bank).adjusted(0, -2, 0, 2).contains(point)) return -1;
    const TRomBank& row = m_layout.Banks[static_cast<std::size_t>(bank)];
    int best = -1;
    int bestDistance = kLabelSlop + 1;
    for (std::size_t i = 0; i < m_map.Labels.size(); ++i) {
        const TMapLabel& label = m_map.Labels[i];
        if (!label.Placed || label.Offset < row.Offset || label.Offset >= row.Offset + row.Size)
            continue;
        // Of labels equally near, the last defined wins: where `table_end` and `next` share an
        // address, the tick opens the one that begins what lies there.
        const int distance = std::abs(XOfOffset(bank, label.Offset) - point.x());
        if (distance < bestDistance || (distance == bestDistance && best >= 0)) {
            best = static_cast<int>(i);
            bestDistance = distance;
        }
    }
    return best;
}

QString TRomMapView::ToolTipAt(QPoint point) const {
    const int bank = BankAt(point);
    if (bank < 0) return {};
    QString text = ToQ(BankSummary(m_layout.Banks[static_cast<std::size_t>(bank)]));
    if (const int segment = SegmentAt(point); segment >= 0) {
        const TMapSegment& s = m_map.Segments[static_cast<std::size_t>(segment)];
        text += QStringLiteral("\nSegment %1: %2 bytes at %3 (image offset %4)")
                    .arg(ToQ(s.Name), ToQ(GroupedNumber(s.Size)), ToQ(HexAddress(s.Address)),
                         ToQ(HexAddress(static_cast<std::uint32_t>(s.Offset))));
        if (s.Start != s.Address) text += QStringLiteral(", runs at ") + ToQ(HexAddress(s.Start));
    }
    if (const int label = LabelAt(point); label >= 0) {
        const TMapLabel& l = m_map.Labels[static_cast<std::size_t>(label)];
        text += QStringLiteral("\nLabel %1 at %2").arg(ToQ(l.Name), ToQ(HexAddress(l.Address)));
        if (!l.File.empty())
            text += QStringLiteral(" (%1:%2, click to open)").arg(ToQ(l.File)).arg(l.Line);
        else
            text += QStringLiteral(" (click to find its definition)");
    }
    return text;
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
        if (!m_map.Segments.empty() || !m_map.Labels.empty()) PaintMap(painter, row);
        painter.setPen(palette().mid().color());
        painter.drawRect(bar.adjusted(0, 0, -1, -1));

        const QRect figures(bar.right() + kMargin, top, FiguresWidth() - kMargin, kRowHeight);
        painter.setPen(bank.NearlyFull() ? kFullColour : palette().text().color());
        painter.drawText(figures, Qt::AlignVCenter | Qt::AlignRight,
                         Figures(bank) + (bank.NearlyFull() ? QStringLiteral(" !") : QString()));
    }
}

void TRomMapView::PaintMap(QPainter& painter, int row) {
    const TRomBank& bank = m_layout.Banks[static_cast<std::size_t>(row)];
    const QRect bar = BarRect(row);
    // Segments in the upper two thirds, label ticks in the lower third.
    const int split = bar.top() + bar.height() * 2 / 3;
    for (std::size_t i = 0; i < m_map.Segments.size(); ++i) {
        const TMapSegment& segment = m_map.Segments[i];
        if (!segment.Placed || segment.Offset >= bank.Offset + bank.Size ||
            segment.Offset + segment.Size <= bank.Offset)
            continue;
        const int x0 = XOfOffset(row, segment.Offset);
        const int x1 = XOfOffset(row, segment.Offset + segment.Size);
        painter.fillRect(QRect(x0, bar.top(), std::max(1, x1 - x0), split - bar.top()),
                         SegmentColour(static_cast<int>(i)));
    }
    painter.setPen(palette().text().color());
    for (const TMapLabel& label : m_map.Labels) {
        if (!label.Placed || label.Offset < bank.Offset || label.Offset >= bank.Offset + bank.Size)
            continue;
        const int x = XOfOffset(row, label.Offset);
        painter.drawLine(x, split, x, bar.bottom());
    }
}

void TRomMapView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const int label = LabelAt(event->position().toPoint());
        if (label >= 0) {
            emit LabelClicked(label);
            return;
        }
    }
    QWidget::mousePressEvent(event);
}

bool TRomMapView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int bank = BankAt(help->pos());
        if (bank < 0) {
            QToolTip::hideText();
            event->ignore();
        } else {
            // The rectangle is a few pixels wide so the text follows the pointer along the bar.
            QToolTip::showText(
                help->globalPos(), ToolTipAt(help->pos()), this,
                QRect(help->pos().x() - 2, kMargin + bank * kRowHeight, 5, kRowHeight));
        }
        return true;
    }
    return QWidget::event(event);
}
