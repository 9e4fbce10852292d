// The editor control widget: Qt events in, painting and caret out.
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
#include "editor/qt/bookmark_images.h"
#include "editor/qt/text_drawer.h"
#include "editor/scope_exit.h"
#include "editor/string_list.h"
#include "editor/text_area_painter.h"
#include "highlight/syn_custom_highlighter.h"
#include "platform/codepage.h"
#include "platform/colors.h"
#include "platform/qt/color_resolve.h"
#include "platform/qt/error_report.h"
#include "platform/qt/qt_keys.h"

namespace {

constexpr uint8_t kFsBold = TSynFont::fsBold;
constexpr uint8_t kFsItalic = TSynFont::fsItalic;

QRect ToQRect(const TRect& r) {
    return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
}

// Draws the text area's pieces through the text drawer.
class DrawerCanvas : public ISynCanvas {
  public:
    DrawerCanvas(QPainter& painter, TheTextDrawer& drawer, const QPalette& palette)
        : m_painter(painter), m_drawer(drawer), m_palette(palette) {}

    void FillRect(const TRect& rect, int32_t color) override {
        m_painter.fillRect(ToQRect(rect), ColorToQColor(color, m_palette));
    }
    void DrawVerticalLine(int x, int top, int bottom, int32_t color) override {
        m_painter.fillRect(QRect(x, top, 1, bottom - top), ColorToQColor(color, m_palette));
    }
    void DrawTextGrid(int x, int y, const TRect& clip, std::string_view text, int32_t fg,
                      int32_t bg, uint8_t style) override {
        m_drawer.SetForeColor(fg);
        m_drawer.SetBackColor(bg);
        m_drawer.SetStyle(style);
        m_drawer.DrawTextGrid(x, y, TheTextDrawer::ETO_OPAQUE | TheTextDrawer::ETO_CLIPPED,
                              ToQRect(clip), text.data(), static_cast<int>(text.size()));
    }

  private:
    QPainter& m_painter;
    TheTextDrawer& m_drawer;
    const QPalette& m_palette;
};

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
    auto apply = [](QScrollBar* bar, const TScrollBarInfo& info) {
        bar->setPageStep(std::max(1, info.Page));
        // The bar's range ends where the last page starts, so the thumb fills the page.
        bar->setRange(info.Min, std::max(info.Min, info.Max - std::max(1, info.Page) + 1));
        bar->setValue(info.Position);
        bar->setEnabled(info.Enabled);
    };
    setVerticalScrollBarPolicy(vertical.Visible ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(horizontal.Visible ? Qt::ScrollBarAlwaysOn
                                                    : Qt::ScrollBarAlwaysOff);
    apply(verticalScrollBar(), vertical);
    apply(horizontalScrollBar(), horizontal);
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

// ---------------------------------------------------------------- painting

void TSynEdit::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    PaintTo(painter, event->rect());
}

void TSynEdit::PaintTo(QPainter& painter, const QRect& clip) {
    const int lh = LineHeight();
    const int lineCount = Lines().GetCount();
    int firstLine = std::max(TopLine(), TopLine() + clip.top() / lh);
    int lastLine = std::min(lineCount, TopLine() + (clip.bottom() + 1 + lh - 1) / lh);

    if (clip.left() < GutterWidth()) {
        QRect gutterClip = clip.intersected(QRect(0, 0, GutterWidth(), viewport()->height()));
        if (lineCount == 0)
            PaintGutter(painter, gutterClip, 1, 1);
        else
            PaintGutter(painter, gutterClip, firstLine, lastLine);
    }
    if (clip.right() + 1 > GutterWidth()) {
        TRect textClip{std::max(clip.left(), GutterWidth()), clip.top(), clip.right() + 1,
                       clip.bottom() + 1};
        DrawerCanvas canvas(painter, *m_drawer, palette());
        m_drawer->BeginDrawing(&painter);
        const TScopeExit endDrawing([this] { m_drawer->EndDrawing(); });
        m_drawer->SetBaseStyle(FontStyle());
        TSynTextAreaPainter(*this, canvas, hasFocus()).Paint(textClip);
    }
    if (OnPaint) {
        painter.setFont(QFontOfLogFont(LogFontOf(m_font)));
        painter.setBrush(ColorToQColor(Color(), palette()));
        OnPaint(this, painter);
    }
    if (m_caretVisible && m_caretBlinkOn && clip.intersects(m_caretRect)) {
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.fillRect(m_caretRect, Qt::white);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
}

void TSynEdit::PaintGutter(QPainter& painter, const QRect& clip, int firstLine, int lastLine) {
    TSynGutter& gutter = Gutter();
    const QPalette& pal = palette();
    const QColor background = ColorToQColor(gutter.Color(), pal);
    const int lh = LineHeight();
    if (gutter.ShowLineNumbers()) {
        m_drawer->BeginDrawing(&painter);
        m_drawer->SetBackColor(static_cast<uint32_t>(gutter.Color()));
        m_drawer->SetForeColor(static_cast<uint32_t>(FontColor()));
        m_drawer->SetStyle(gutter.UseFontStyle() ? FontStyle() : 0);
        int right = std::max(clip.right() + 1, GutterWidth() - 2);
        int y = 0;
        for (int line = firstLine; line <= lastLine; ++line) {
            y = (line - TopLine()) * lh;
            QRect row(clip.left(), y, right - clip.left(), lh);
            painter.fillRect(row, background);
            std::string number = gutter.FormatLineNumber(line);
            m_drawer->DrawText(gutter.LeftOffset(), y, number.data(),
                               static_cast<int>(number.size()));
        }
        m_drawer->EndDrawing();
        int bottom = (lastLine - TopLine() + 1) * lh;
        if (bottom <= clip.bottom())
            painter.fillRect(QRect(clip.left(), bottom, clip.width(), clip.bottom() + 1 - bottom),
                             background);
    } else {
        painter.fillRect(clip, background);
    }
    if (clip.right() + 1 >= GutterWidth() - 2) {
        painter.fillRect(QRect(GutterWidth() - 2, clip.top(), 1, clip.height()),
                         ColorToQColor(clBtnHighlight, pal));
        painter.fillRect(QRect(GutterWidth() - 1, clip.top(), 1, clip.height()),
                         ColorToQColor(clBtnShadow, pal));
    }
    PaintMarks(painter, firstLine, lastLine);
}

void TSynEdit::PaintMarks(QPainter& painter, int firstLine, int lastLine) {
    TSynBookMarkOpt& opts = BookMarkOptions();
    TSynEditMarkList& marks = Marks();
    if (!opts.GlyphsVisible() || marks.Count() == 0) return;
    const int lh = LineHeight();
    const int rows = lastLine - firstLine + 1;
    if (rows <= 0) return;
    std::vector<int> offsets(static_cast<size_t>(rows), 0);
    auto* images = dynamic_cast<TSynPixmapList*>(opts.BookmarkImages());

    auto draw = [&](TSynEditMark* mark, bool firstPass) {
        int row = mark->Line() - firstLine;
        int& offset = offsets[static_cast<size_t>(row)];
        int y = (mark->Line() - TopLine()) * lh;
        if (!images || mark->InternalImage()) {
            if (mark->ImageIndex() > 9) return;
            const QPixmap& picture = InternalBookmarkImage(mark->ImageIndex());
            int h = picture.height();
            if (lh < h) {
                painter.drawPixmap(opts.LeftMargin() + offset, y, picture, 0, (h - lh) / 2,
                                   picture.width(), lh);
            } else {
                painter.drawPixmap(opts.LeftMargin() + offset, y + (lh - h) / 2, picture);
            }
        } else {
            if (mark->ImageIndex() > images->Count()) return;
            if (firstPass)
                offset = 0;
            else if (offset == 0)
                offset = opts.Xoffset();
            images->Draw(painter, opts.LeftMargin() + offset, y, mark->ImageIndex());
        }
        offset += opts.Xoffset();
    };

    std::vector<TSynEditMark*> later;
    for (int i = 0; i < marks.Count(); ++i) {
        TSynEditMark* mark = marks.At(i);
        if (!mark->Visible() || mark->Line() < firstLine || mark->Line() > lastLine) continue;
        if (mark->IsBookmark() == opts.DrawBookmarksFirst())
            draw(mark, true);
        else
            later.push_back(mark);
    }
    for (TSynEditMark* mark : later) draw(mark, false);
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
