// Colour combo box: the value list built from the entries, selection by value, and the drawing
// of swatch rows.
#include "widgets/color_combo_box.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QStylePainter>
#include <QStyledItemDelegate>
#include <algorithm>

#include "platform/codepage.h"
#include "platform/qt/color_resolve.h"
#include "platform/qt/qt_text.h"
#include "platform/str_to_int.h"

namespace {

std::string TrimBlanks(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// Case-insensitive order of the code page, as the sorted list keeps its entries.
bool SortsBefore(const std::string& a, const std::string& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char ca = CodePageLower(static_cast<unsigned char>(a[i]));
        const unsigned char cb = CodePageLower(static_cast<unsigned char>(b[i]));
        if (ca != cb) return ca < cb;
    }
    return a.size() < b.size();
}

// Black on light backgrounds, white on dark ones (navy, blue, purple), by perceived brightness.
QColor ContrastingText(const QColor& back) {
    const int brightness = (299 * back.red() + 587 * back.green() + 114 * back.blue()) / 1000;
    return brightness < 128 ? QColor(Qt::white) : QColor(Qt::black);
}

// Rows of the drop-down list are drawn by the box itself, at its fixed row height.
class TColorRowDelegate : public QStyledItemDelegate {
  public:
    explicit TColorRowDelegate(TabcColorComboBox* box) : QStyledItemDelegate(box), m_box(box) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        m_box->DrawItem(*painter, index.row(), option.rect,
                        (option.state & QStyle::State_Selected) != 0);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QSize(QStyledItemDelegate::sizeHint(option, index).width(), m_box->ItemHeight());
    }

  private:
    TabcColorComboBox* m_box;
};

}  // namespace

TabcColorComboBox::TabcColorComboBox(QWidget* parent) : QComboBox(parent), m_color(clBtnFace) {
    setEditable(false);
    setItemDelegate(new TColorRowDelegate(this));
}

void TabcColorComboBox::SetItems(const std::vector<std::string>& items) {
    std::vector<std::string> sorted = items;
    std::stable_sort(sorted.begin(), sorted.end(), SortsBefore);
    clear();
    for (const std::string& item : sorted) addItem(ToQ(item));
    m_colors.clear();
}

std::vector<std::string> TabcColorComboBox::Items() const {
    std::vector<std::string> items;
    for (int i = 0; i < count(); ++i) items.push_back(FromQ(itemText(i)));
    return items;
}

void TabcColorComboBox::Loaded() {
    m_colors.clear();
    // From the last entry to the first, so removing one does not disturb those still to come.
    for (int i = count() - 1; i >= 0; --i) {
        const std::string text = TrimBlanks(FromQ(itemText(i)));
        if (const auto named = IdentToColor(text)) {
            m_colors.insert(m_colors.begin(), *named);
            continue;
        }
        std::int32_t value = 0;
        if (!TryStrToInt(text, value) || value == -28) {
            removeItem(i);
            continue;
        }
        m_colors.insert(m_colors.begin(), value);
    }
}

TColor TabcColorComboBox::SelectedColor() const {
    const int index = currentIndex();
    if (index < 0 || index >= static_cast<int>(m_colors.size())) return 0;
    return m_colors[static_cast<std::size_t>(index)];
}

void TabcColorComboBox::SetSelectedColor(TColor color) {
    m_assigned = color;
    const auto found = std::find(m_colors.begin(), m_colors.end(), color);
    setCurrentIndex(found == m_colors.end() ? -1 : static_cast<int>(found - m_colors.begin()));
}

TColor TabcColorComboBox::KeptColor() const {
    return currentIndex() >= 0 ? SelectedColor() : m_assigned;
}

void TabcColorComboBox::SetShowText(bool value) {
    if (m_showText == value) return;
    m_showText = value;
    update();
}

void TabcColorComboBox::SetColor(TColor value) {
    m_color = value;
    QPalette pal = view()->palette();
    pal.setColor(QPalette::Base, ColorToQColor(value, palette()));
    view()->setPalette(pal);
    update();
}

void TabcColorComboBox::SetItemHeight(int value) {
    m_itemHeight = std::max(1, value);
    update();
}

void TabcColorComboBox::DrawItem(QPainter& painter, int index, const QRect& row,
                                 bool selected) const {
    const QPalette& pal = palette();
    const QColor back = ColorToQColor(m_color, pal);
    // The colours a standard row of a selected or unselected entry is drawn in.
    const QColor brush = selected ? pal.color(QPalette::Highlight) : back;
    const QColor pen = selected ? pal.color(QPalette::HighlightedText) : ContrastingText(back);

    QRect swatch = row;
    QRect textArea;
    if (m_showText) {
        swatch.setWidth(2 * m_itemHeight);
        textArea = QRect(swatch.right() + 1, row.top(), row.right() - swatch.right(), row.height());
    }
    painter.fillRect(swatch, back);
    swatch.adjust(2, 2, -2, -2);
    if (swatch.width() > 0 && swatch.height() > 0) {
        // A raised frame one pixel wide, then the colour itself.
        painter.setPen(pal.color(QPalette::Light));
        painter.drawLine(swatch.topLeft(), swatch.topRight());
        painter.drawLine(swatch.topLeft(), swatch.bottomLeft());
        painter.setPen(pal.color(QPalette::Dark));
        painter.drawLine(swatch.bottomLeft(), swatch.bottomRight());
        painter.drawLine(swatch.topRight(), swatch.bottomRight());
        swatch.adjust(1, 1, -1, -1);
        if (index >= 0 && index < static_cast<int>(m_colors.size())) {
            painter.fillRect(swatch, ColorToQColor(m_colors[static_cast<std::size_t>(index)], pal));
        }
    }
    if (!m_showText || textArea.width() <= 0) return;
    painter.fillRect(textArea, brush);
    painter.setPen(pen);
    painter.setFont(font());
    painter.drawText(textArea.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     itemText(index));
}

void TabcColorComboBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    painter.fillRect(field, ColorToQColor(m_color, palette()));
    if (currentIndex() >= 0) DrawItem(painter, currentIndex(), field, hasFocus());
}
