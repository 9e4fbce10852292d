// The popup list window: layout, selection, keys, mouse and painting.
#include "completion/completion_proposal_form.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

#include "completion/completion_match.h"
#include "platform/qt/color_resolve.h"
#include "platform/qt/error_report.h"
#include "platform/qt/qt_keys.h"
#include "platform/qt/qt_text.h"

namespace {

constexpr int kDefaultWidth = 262;

}  // namespace

TSynBaseCompletionProposalForm::TSynBaseCompletionProposalForm(QWidget* parent)
    : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint) {
    setObjectName("SynBaseCompletionProposalForm");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    m_rowHeight = std::max(1, fontMetrics().height());
    m_scrollBar = new QScrollBar(Qt::Vertical, this);
    m_scrollBar->setFocusPolicy(Qt::NoFocus);
    connect(m_scrollBar, &QScrollBar::valueChanged, this,
            [this](int top) { RunCommand([&] { ScrollBarMoved(top); }); });
    resize(kDefaultWidth, height());
    SetNbLinesInWindow(m_nbLinesInWindow);
    UpdateScrollRange();
}

TSynBaseCompletionProposalForm::~TSynBaseCompletionProposalForm() = default;

// ---------------------------------------------------------------- list and selection

void TSynBaseCompletionProposalForm::SetCurrentString(const std::string& value) {
    m_currentString = value;
    const int match = FirstMatchingItem(m_itemList, m_currentString, ffAnsi);
    if (match >= 0) SetPosition(match);
    if (OnCurrentStringChange) OnCurrentStringChange(this);
}

void TSynBaseCompletionProposalForm::SetItemList(std::vector<std::string> items) {
    m_itemList = std::move(items);
    UpdateScrollRange();
    update();
}

void TSynBaseCompletionProposalForm::SetItemDetails(std::vector<std::string> details) {
    m_itemDetails = std::move(details);
    update();
}

void TSynBaseCompletionProposalForm::SetPosition(int value) {
    if (value > static_cast<int>(m_itemList.size()) - 1 || value == m_position) return;
    m_position = value;
    const int top = TopIndex();
    if (value < top)
        ScrollTo(value);
    else if (top < value - m_nbLinesInWindow + 1)
        ScrollTo(value - m_nbLinesInWindow + 1);
    update();
}

void TSynBaseCompletionProposalForm::SelectNext() {
    if (m_position < static_cast<int>(m_itemList.size()) - 1) SetPosition(m_position + 1);
}

void TSynBaseCompletionProposalForm::SelectPrevious() {
    if (m_position > 0) SetPosition(m_position - 1);
}

int TSynBaseCompletionProposalForm::TopIndex() const {
    return m_scrollBar->value();
}

void TSynBaseCompletionProposalForm::SetTopIndex(int value) {
    UpdateScrollRange();
    ScrollTo(std::clamp(value, m_scrollBar->minimum(), m_scrollBar->maximum()));
    update();
}

void TSynBaseCompletionProposalForm::UpdateScrollRange() {
    m_scrolling = true;
    m_scrollBar->setRange(0, std::max(0, static_cast<int>(m_itemList.size()) - m_nbLinesInWindow));
    m_scrollBar->setPageStep(m_nbLinesInWindow);
    m_scrolling = false;
}

void TSynBaseCompletionProposalForm::ScrollTo(int top) {
    m_scrolling = true;
    m_scrollBar->setValue(top);
    m_scrolling = false;
}

void TSynBaseCompletionProposalForm::ScrollBarMoved(int top) {
    if (m_scrolling) return;
    if (m_position < top)
        SetPosition(top);
    else if (m_position > top + m_nbLinesInWindow - 1)
        SetPosition(top + m_nbLinesInWindow - 1);
    update();
}

// ---------------------------------------------------------------- layout

void TSynBaseCompletionProposalForm::SetNbLinesInWindow(int value) {
    // At least one row: the window, its scroll range and Page Up/Down all count rows.
    m_nbLinesInWindow = std::max(1, value);
    resize(width(), m_nbLinesInWindow * m_rowHeight + 2);
    const int barWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_scrollBar);
    m_scrollBar->setGeometry(width() - barWidth - 1, 1, barWidth, height() - 2);
    UpdateScrollRange();
}

void TSynBaseCompletionProposalForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int barWidth = m_scrollBar->width();
    m_scrollBar->setGeometry(width() - barWidth - 1, 1, barWidth, height() - 2);
}

QSize TSynBaseCompletionProposalForm::ListAreaSize() const {
    return {std::max(0, m_scrollBar->x()), std::max(0, height() - 2)};
}

void TSynBaseCompletionProposalForm::SetClSelect(TColor value) {
    m_clSelect = value;
    update();
}

// ---------------------------------------------------------------- keys and mouse

void TSynBaseCompletionProposalForm::keyPressEvent(QKeyEvent* event) {
    event->accept();
    RunCommand([&] {
        TVirtualKey key = 0;
        TShiftState shift = 0;
        if (TranslateQtKey(*event, key, shift)) KeyDown(key, shift);
        update();
        // Qt brings the characters of a key with its key-down; they follow it as key presses.
        for (char c : FromQ(event->text())) KeyPress(c);
    });
}

void TSynBaseCompletionProposalForm::KeyDown(TVirtualKey key, TShiftState shift) {
    const int last = static_cast<int>(m_itemList.size()) - 1;
    const bool ctrl = (shift & ssCtrl) != 0;
    switch (key) {
        case VK_BACK:
            if (shift == 0 && !m_currentString.empty()) {
                SetCurrentString(m_currentString.substr(0, m_currentString.size() - 1));
                if (OnKeyDelete) OnKeyDelete(this);
            }
            break;
        case VK_RETURN:
            if (OnValidate) OnValidate(this, shift);
            break;
        case VK_ESCAPE:
        case VK_SPACE:
            Cancel();
            break;
        case VK_PRIOR:
            for (int i = 0; i < m_nbLinesInWindow; ++i) SelectPrevious();
            break;
        case VK_NEXT:
            for (int i = 0; i < m_nbLinesInWindow; ++i) SelectNext();
            break;
        case VK_HOME:
            if (ctrl) SetPosition(0);
            break;
        case VK_END:
            if (ctrl) SetPosition(last);
            break;
        case VK_UP:
            if (ctrl)
                SetPosition(0);
            else
                SelectPrevious();
            break;
        case VK_DOWN:
            if (ctrl)
                SetPosition(last);
            else
                SelectNext();
            break;
        default:
            break;
    }
}

void TSynBaseCompletionProposalForm::KeyPress(char key) {
    const auto code = static_cast<unsigned char>(key);
    if (code >= 33 && code <= 122) {
        m_currentString.push_back(key);
        SetCurrentString(m_currentString);
        if (OnKeyPress) OnKeyPress(this, key);
    } else if (code == 8) {
        if (OnKeyPress) OnKeyPress(this, key);
    } else {
        Cancel();
    }
    update();
}

void TSynBaseCompletionProposalForm::Cancel() {
    if (OnCancel) OnCancel(this);
}

void TSynBaseCompletionProposalForm::mousePressEvent(QMouseEvent* event) {
    if (!rect().contains(event->position().toPoint())) {
        // A press outside a popup closes it, as for every popup, and then does what it would
        // have done without the popup: in the editor it places the caret. The press is handed
        // on here, so Qt must not replay it as well.
        const QPoint global = event->globalPosition().toPoint();
        setAttribute(Qt::WA_NoMouseReplay);
        QWidget::mousePressEvent(event);
        RunCommand([&] { Cancel(); });
        QWidget* target = QApplication::widgetAt(global);
        if (target != nullptr && target->window() != this) {
            // A handed-on press is not spontaneous, so Qt gives no focus for it: the widget that
            // takes focus on a click takes it here.
            QWidget* focusTaker = target;
            while (focusTaker != nullptr && !(focusTaker->focusPolicy() & Qt::ClickFocus))
                focusTaker = focusTaker->parentWidget();
            if (focusTaker != nullptr) {
                focusTaker->activateWindow();
                focusTaker->setFocus(Qt::MouseFocusReason);
            }
            QMouseEvent press(QEvent::MouseButtonPress, target->mapFromGlobal(global), global,
                              event->button(), event->buttons(), event->modifiers());
            QApplication::sendEvent(target, &press);
        }
        return;
    }
    RunCommand([&] {
        SetPosition((event->position().toPoint().y() - 1) / m_rowHeight + TopIndex());
        update();
    });
}

// ---------------------------------------------------------------- painting

void TSynBaseCompletionProposalForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintTo(painter);
}

void TSynBaseCompletionProposalForm::PaintTo(QPainter& painter) {
    UpdateScrollRange();
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, width() - 1, height() - 1);

    // The rows are drawn in list-area coordinates, as on a bitmap placed at (1, 1).
    const QSize area = ListAreaSize();
    painter.save();
    painter.translate(1, 1);
    painter.setClipRect(QRect(QPoint(0, 0), area));
    painter.fillRect(QRect(QPoint(0, 0), area), ColorToQColor(m_backgroundColor, palette()));
    painter.setFont(font());
    const QColor textColor = ColorToQColor(clWindowText, palette());
    const QColor selectColor = ColorToQColor(m_clSelect, palette());
    // Grey that reads on the window colour and on a silver selection alike.
    const QColor detailColor = ColorToQColor(clGray, palette());
    const int ascent = painter.fontMetrics().ascent();
    const int count = static_cast<int>(m_itemList.size());
    const int top = TopIndex();
    const int rows = std::min(m_nbLinesInWindow, count);
    for (int r = 0; r < rows && top + r < count; ++r) {
        const int index = top + r;
        const int y = r * m_rowHeight;
        if (index == m_position)
            painter.fillRect(QRect(0, y, area.width(), m_rowHeight), selectColor);
        const std::string& text = m_itemList[static_cast<std::size_t>(index)];
        if (OnPaintItem && OnPaintItem(text, painter, 0, y)) continue;
        const std::string* detail = static_cast<std::size_t>(index) < m_itemDetails.size()
                                        ? &m_itemDetails[static_cast<std::size_t>(index)]
                                        : nullptr;
        if (detail == nullptr || detail->empty()) {
            painter.setPen(textColor);
            painter.drawText(2, y + ascent, ToQ(text));
            continue;
        }
        // The note keeps its place at the right, taking the room the name leaves; when both are
        // long, each keeps at least a third of the row and they are elided.
        const QFontMetrics metrics = painter.fontMetrics();
        const QString note = ToQ(*detail);
        const int room = area.width() - 3 - 2 - 8 - metrics.horizontalAdvance(ToQ(text));
        const int noteAdvance = metrics.horizontalAdvance(note);
        const int noteWidth = std::min(noteAdvance, std::max(room, area.width() / 3));
        const int noteLeft = area.width() - 3 - noteWidth;
        painter.setPen(detailColor);
        // Eliding measures more tightly than the advance: a note that fits is drawn whole.
        painter.drawText(
            noteLeft, y + ascent,
            noteWidth == noteAdvance ? note : metrics.elidedText(note, Qt::ElideMiddle, noteWidth));
        painter.setPen(textColor);
        const QString name = ToQ(text);
        const int nameWidth = noteLeft - 2 - 8;
        painter.drawText(2, y + ascent,
                         metrics.horizontalAdvance(name) <= nameWidth
                             ? name
                             : metrics.elidedText(name, Qt::ElideRight, nameWidth));
    }
    painter.restore();
}
