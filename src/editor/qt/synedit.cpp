// The editor control widget: Qt events in, caret and scroll bars out; painting is in
// synedit_paint.cpp, the mouse in synedit_mouse_events.cpp.
#include "editor/qt/synedit.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QToolTip>
#include <QWheelEvent>

#include "editor/editor_commands.h"
#include "editor/qt/qt_rect.h"
#include "editor/qt/quiet_scroll_bar.h"
#include "editor/qt/text_drawer.h"
#include "editor/scope_exit.h"
#include "editor/string_list.h"
#include "highlight/syn_custom_highlighter.h"
#include "platform/codepage.h"
#include "platform/colors.h"
#include "platform/qt/color_resolve.h"
#include "platform/qt/error_report.h"
#include "platform/qt/qt_keys.h"

namespace {

constexpr uint8_t kFsBold = TSynFont::fsBold;
constexpr uint8_t kFsItalic = TSynFont::fsItalic;

// The code the system gives a key that has no virtual-key mapping.
constexpr uint16_t kUnmappedKey = 255;

}  // namespace

TSynEdit::TSynEdit(QWidget* parent)
    : QAbstractScrollArea(parent),
      TCustomSynEdit(static_cast<ISynEditWindow*>(this)),
      m_drawer(std::make_unique<TheTextDrawer>(0, &m_font)) {
    m_font.SetSize(10);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setCursor(Qt::IBeamCursor);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    resize(200, 150);
    m_verticalBar = new TQuietScrollBar(Qt::Vertical, this);
    m_horizontalBar = new TQuietScrollBar(Qt::Horizontal, this);
    setVerticalScrollBar(m_verticalBar);
    setHorizontalScrollBar(m_horizontalBar);

    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this,
            [this](int action) { OnVerticalAction(action); });
    connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this,
            [this](int action) { OnHorizontalAction(action); });
    connect(verticalScrollBar(), &QScrollBar::sliderReleased, this, [this] {
        VerticalScroll(scEndScroll, 0);
        ShowScrollHint();
    });

    m_caretTimer.setInterval(
        QApplication::cursorFlashTime() > 0 ? QApplication::cursorFlashTime() / 2 : 500);
    connect(&m_caretTimer, &QTimer::timeout, this, [this] {
        m_caretBlinkOn = !m_caretBlinkOn;
        if (m_caretVisible) viewport()->update(m_caretRect);
    });

    InitMouse();
    InitEditActions();
    m_ready = true;
    SetFont(m_font);
}

TSynEdit::~TSynEdit() {
    m_ready = false;
}

void TSynEdit::SetFont(const TSynFont& font) {
    QFontMetrics metrics(QFontOfLogFont(LogFontOf(font)));
    if (metrics.averageCharWidth() != metrics.maxWidth()) {
        // A proportional font: use our own fixed-pitch font of the same size, style and colour.
        TSynFont fixed;
        fixed.Name = "Courier New";
        fixed.Height = font.Height;
        fixed.Style = font.Style;
        fixed.Color = font.Color;
        fixed.Pitch = fpFixed;
        m_font = fixed;
    } else {
        m_font = font;
    }
    SetFontStyle(m_font.Style);
    SetFontColor(static_cast<int32_t>(m_font.Color));
    MetricsChanged();
}

void TSynEdit::SetBorderStyle(TSynBorderStyle value) {
    if (value == m_borderStyle) return;
    m_borderStyle = value;
    setFrameShape(value == bsSingle ? QFrame::StyledPanel : QFrame::NoFrame);
    SizeChanged();
    View().Invalidate();
}

void TSynEdit::MetricsChanged() {
    if (!m_drawer) return;
    // The base style decides the grid: italic first for the height, then bold for the width.
    auto uses = [this](uint8_t flag) {
        if (TSynCustomHighlighter* hl = Highlighter()) {
            for (int i = 0; i < hl->AttributeCount(); ++i)
                if (hl->AttributeAt(i)->Style() & flag) return true;
            return false;
        }
        return (FontStyle() & flag) != 0;
    };
    m_drawer->SetBaseFont(&m_font);
    m_drawer->SetBaseStyle(uses(kFsItalic) ? kFsItalic : 0);
    int height = m_drawer->CharHeight();
    m_drawer->SetBaseStyle(uses(kFsBold) ? kFsBold : 0);
    int width = m_drawer->CharWidth();
    SetFontMetrics(width, height);
}

// ---------------------------------------------------------------- window services

bool TSynEdit::Focused() const {
    return hasFocus();
}
int TSynEdit::ClientWidth() const {
    return viewport()->width();
}
int TSynEdit::ClientHeight() const {
    return viewport()->height();
}

void TSynEdit::InvalidateRect(const TRect& rect) {
    viewport()->update(ToQRect(rect));
}

void TSynEdit::ScrollWindowBy(int dy, const TRect& rect) {
    viewport()->scroll(0, dy, ToQRect(rect));
    // The caret is painted into the content, so scrolling carries its picture along; the place
    // it was carried to is painted again, without it.
    if (m_caretVisible) viewport()->update(m_caretRect.translated(0, dy));
}

void TSynEdit::ApplyScrollBars(const TScrollBarInfo& horizontal, const TScrollBarInfo& vertical) {
    m_applyingScrollBars = true;
    auto apply = [](TQuietScrollBar* bar, const TScrollBarInfo& info) {
        const int page = std::max(1, info.Page);
        // The bar's range ends where the last page starts, so the thumb fills the page.
        bar->Apply(page, info.Min, std::max(info.Min, info.Max - page + 1), info.Position);
        bar->setEnabled(info.Enabled);
    };
    // Setting a policy lays the scroll bars out again even when it stays the same.
    const auto policy = [](bool visible) {
        return visible ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    };
    if (verticalScrollBarPolicy() != policy(vertical.Visible))
        setVerticalScrollBarPolicy(policy(vertical.Visible));
    if (horizontalScrollBarPolicy() != policy(horizontal.Visible))
        setHorizontalScrollBarPolicy(policy(horizontal.Visible));
    apply(m_verticalBar, vertical);
    apply(m_horizontalBar, horizontal);
    m_applyingScrollBars = false;
}

void TSynEdit::PlaceCaret(bool visible, const TRect& rect) {
    QRect r = ToQRect(rect);
    if (m_caretVisible) viewport()->update(m_caretRect);
    m_caretVisible = visible;
    m_caretRect = r;
    m_caretBlinkOn = true;
    if (visible) {
        viewport()->update(r);
        m_caretTimer.start();
    } else {
        m_caretTimer.stop();
    }
    if (visible) QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
}

void TSynEdit::scrollContentsBy(int, int) {
    // Scrolling is driven by the logic; the bars only report actions.
}

void TSynEdit::OnVerticalAction(int action) {
    if (m_applyingScrollBars) return;
    QScrollBar* bar = verticalScrollBar();
    switch (action) {
        case QAbstractSlider::SliderSingleStepAdd:
            VerticalScroll(scLineDown, 0);
            break;
        case QAbstractSlider::SliderSingleStepSub:
            VerticalScroll(scLineUp, 0);
            break;
        case QAbstractSlider::SliderPageStepAdd:
            VerticalScroll(scPageDown, 0);
            break;
        case QAbstractSlider::SliderPageStepSub:
            VerticalScroll(scPageUp, 0);
            break;
        case QAbstractSlider::SliderToMinimum:
            VerticalScroll(scTop, 0);
            break;
        case QAbstractSlider::SliderToMaximum:
            VerticalScroll(scBottom, 0);
            break;
        case QAbstractSlider::SliderMove:
            VerticalScroll(bar->isSliderDown() ? scTrack : scPosition, bar->sliderPosition());
            ShowScrollHint();
            break;
        default:
            break;
    }
    // The logic owns the position: put the bar back where the logic says.
    UpdateScrollBars();
}

void TSynEdit::OnHorizontalAction(int action) {
    if (m_applyingScrollBars) return;
    QScrollBar* bar = horizontalScrollBar();
    switch (action) {
        case QAbstractSlider::SliderSingleStepAdd:
            HorizontalScroll(scLineDown, 0);
            break;
        case QAbstractSlider::SliderSingleStepSub:
            HorizontalScroll(scLineUp, 0);
            break;
        case QAbstractSlider::SliderPageStepAdd:
            HorizontalScroll(scPageDown, 0);
            break;
        case QAbstractSlider::SliderPageStepSub:
            HorizontalScroll(scPageUp, 0);
            break;
        case QAbstractSlider::SliderToMinimum:
            HorizontalScroll(scTop, 0);
            break;
        case QAbstractSlider::SliderToMaximum:
            HorizontalScroll(scBottom, 0);
            break;
        case QAbstractSlider::SliderMove:
            HorizontalScroll(scTrack, bar->sliderPosition());
            break;
        default:
            break;
    }
    UpdateScrollBars();
}

void TSynEdit::ShowScrollHint() {
    std::string text = ScrollHintText();
    if (text.empty()) {
        if (m_scrollHint) m_scrollHint->hide();
        return;
    }
    if (!m_scrollHint) {
        m_scrollHint = new QLabel(this);
        m_scrollHint->setAutoFillBackground(true);
        QPalette pal = m_scrollHint->palette();
        pal.setColor(QPalette::Window, QToolTip::palette().color(QPalette::ToolTipBase));
        m_scrollHint->setPalette(pal);
        m_scrollHint->setFrameShape(QFrame::Box);
        m_scrollHint->setMaximumWidth(200);
    }
    m_scrollHint->setText(QString::fromStdString(text));
    m_scrollHint->adjustSize();
    m_scrollHint->move(width() - m_scrollHint->width() - 4, 10);
    m_scrollHint->show();
    m_scrollHint->raise();
}

// ---------------------------------------------------------------- input

void TSynEdit::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    SizeChanged();
}

void TSynEdit::keyPressEvent(QKeyEvent* event) {
    try {
        uint16_t key = 0;
        uint8_t shift = 0;
        // A key of another keyboard layout (e acute, u umlaut) has no code of its own here; it
        // still takes the key-down step, which forgets a pending two-key sequence and the note
        // to drop a character, as a key that is bound to nothing.
        if (!TranslateQtKey(*event, key, shift)) key = kUnmappedKey;
        if (KeyDown(key, shift)) {
            event->accept();
            return;
        }
        const QString text = event->text();
        bool typed = false;
        for (char c : Utf16ToCodePage(text.toStdU16String())) {
            if (static_cast<unsigned char>(c) < 32 && c != '\t') continue;
            KeyPress(c);
            typed = true;
        }
        if (typed)
            event->accept();
        else
            QAbstractScrollArea::keyPressEvent(event);
    } catch (const std::exception& e) {
        ShowErrorMessage(e.what());
    }
}

void TSynEdit::inputMethodEvent(QInputMethodEvent* event) {
    const QString commit = event->commitString();
    if (!commit.isEmpty()) ImeResult(Utf16ToCodePage(commit.toStdU16String()));
    event->accept();
}

QVariant TSynEdit::inputMethodQuery(Qt::InputMethodQuery query) const {
    switch (query) {
        case Qt::ImCursorRectangle:
            return m_caretRect;
        case Qt::ImFont:
            return QFontOfLogFont(LogFontOf(m_font));
        default:
            return QAbstractScrollArea::inputMethodQuery(query);
    }
}

void TSynEdit::wheelEvent(QWheelEvent* event) {
    MouseWheel(event->angleDelta().y(), event->modifiers() & Qt::ControlModifier,
               QApplication::wheelScrollLines());
    event->accept();
}

void TSynEdit::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    FocusChanged(true);
}

void TSynEdit::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    FocusChanged(false);
}

bool TSynEdit::focusNextPrevChild(bool next) {
    if (WantTabs()) return false;
    return QAbstractScrollArea::focusNextPrevChild(next);
}

bool TSynEdit::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) && WantTabs() &&
            !(key->modifiers() & Qt::ControlModifier)) {
            keyPressEvent(key);
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}
