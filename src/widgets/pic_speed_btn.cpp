// The picture speed button: state machine (up, hot, pressed, down, disabled), group exclusion
// among buttons of one parent, and painting of frame, picture and caption.
#include "widgets/pic_speed_btn.h"

#include <QApplication>
#include <QEnterEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmapCache>
#include <QPointer>
#include <QShortcutEvent>

#include "platform/codepage.h"

namespace {

QString ToQString(const std::string& text) {
    return QString::fromStdU16String(CodePageToUtf16(text));
}

// The 8x8 checkered pattern of the down state; one pattern per pair of colours, shared by all
// buttons through the pixmap cache.
QPixmap CheckerPattern(const QColor& face, const QColor& highlight) {
    const QString key = QStringLiteral("abcChecker:%1:%2").arg(face.rgba()).arg(highlight.rgba());
    QPixmap pattern;
    if (QPixmapCache::find(key, &pattern)) return pattern;
    QImage image(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) image.setPixel(x, y, ((x + y) % 2 ? highlight : face).rgb());
    pattern = QPixmap::fromImage(image);
    QPixmapCache::insert(key, pattern);
    return pattern;
}

// Draws `width` rings of a bevel just inside `r` and shrinks `r` past them.
void DrawBevel(QPainter& p, QRect& r, const QColor& topLeft, const QColor& bottomRight, int width) {
    for (int i = 0; i < width && r.width() > 1 && r.height() > 1; ++i) {
        p.setPen(topLeft);
        p.drawLine(r.left(), r.top(), r.right() - 1, r.top());
        p.drawLine(r.left(), r.top(), r.left(), r.bottom() - 1);
        p.setPen(bottomRight);
        p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
        p.drawLine(r.right(), r.top(), r.right(), r.bottom());
        r.adjust(1, 1, -1, -1);
    }
}

void DrawOutline(QPainter& p, QRect& r, const QColor& color) {
    p.setPen(color);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    r.adjust(1, 1, -1, -1);
}

bool IsHighlightStyle(TabcButtonStyle style) {
    switch (style) {
        case absThinHighlight:
        case absMidHighlight:
        case absThickHighlight:
        case absFramedHighlight:
        case absFramedBlackHighlight:
        case absRecessedHighlight:
        case absRecessedBlackHighlight:
            return true;
        default:
            return false;
    }
}

// Every pixel's colour replaced by a function of it; alpha is kept.
template <typename F>
QPixmap MapPixels(const QPixmap& picture, F f) {
    QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = f(line[x]);
            line[x] = qRgba(qRed(c), qGreen(c), qBlue(c), qAlpha(line[x]));
        }
    }
    return QPixmap::fromImage(image);
}

// The picture's shape (its non-transparent pixels) filled with one colour.
QPixmap Silhouette(const QPixmap& picture, const QColor& color) {
    return MapPixels(picture, [&](QRgb) { return color.rgb(); });
}

}  // namespace

TabcCustomPicSpeedBtn::TabcCustomPicSpeedBtn(QWidget* parent) : QWidget(parent) {
    resize(22, 23);
    m_color = palette().color(QPalette::Button);
}

TabcCustomPicSpeedBtn::~TabcCustomPicSpeedBtn() = default;

void TabcCustomPicSpeedBtn::SetGroupIndex(int value) {
    if (value == m_groupIndex) return;
    m_groupIndex = value;
    // A button that may no longer stay down comes up.
    if (m_groupIndex == 0 && m_down) {
        m_down = false;
        SetState(isEnabled() ? absUp : absDisabled);
    }
}

void TabcCustomPicSpeedBtn::SetDown(bool value) {
    if (m_groupIndex == 0) value = false;
    if (value == m_down || (m_down && !m_allowAllUp)) return;
    m_down = value;
    if (!isEnabled())
        SetState(absDisabled);
    else if (m_down)
        SetState(absDown);
    else
        SetState(MouseOver() ? absHot : absUp);
    if (!m_down) return;

    // Tell every button of the same parent; the sender receives the notice too.
    QPointer<TabcCustomPicSpeedBtn> self(this);
    const QObjectList siblings = parentWidget() ? parentWidget()->children() : QObjectList{this};
    for (QObject* object : siblings) {
        auto* button = qobject_cast<TabcCustomPicSpeedBtn*>(object);
        if (button != nullptr && self) button->ButtonPressed(m_groupIndex, this);
    }
}

void TabcCustomPicSpeedBtn::ButtonPressed(int groupIndex, TabcCustomPicSpeedBtn* sender) {
    if (groupIndex != m_groupIndex) return;
    if (sender != this && sender->Down() && m_down) {
        m_down = false;
        SetState(isEnabled() ? absUp : absDisabled);
    }
    m_allowAllUp = sender->AllowAllUp();
}

void TabcCustomPicSpeedBtn::SetAllowAllUp(bool value) {
    m_allowAllUp = value;
}

void TabcCustomPicSpeedBtn::SetPopup(bool value) {
    m_popup = value;
    update();
}

void TabcCustomPicSpeedBtn::SetStyle(TabcButtonStyle value) {
    m_style = value;
    update();
}

void TabcCustomPicSpeedBtn::SetLayout(TabcButtonLayout value) {
    m_layout = value;
    update();
}

void TabcCustomPicSpeedBtn::SetPicture(const QPixmap& value) {
    m_picture = value;
    update();
}

void TabcCustomPicSpeedBtn::SetPictureHighlight(TabcGlyphHighlight value) {
    m_pictureHighlight = value;
    update();
}

void TabcCustomPicSpeedBtn::SetCaption(const std::string& value) {
    m_caption = value;
    UpdateShortcut();
    update();
}

void TabcCustomPicSpeedBtn::SetColor(const QColor& value) {
    m_color = value;
    update();
}

void TabcCustomPicSpeedBtn::SetSpacing(int value) {
    m_spacing = value;
    update();
}

void TabcCustomPicSpeedBtn::SetMargin(int value) {
    m_margin = value;
    update();
}

void TabcCustomPicSpeedBtn::SetTextStyle(TabcTextStyle value) {
    m_textStyle = value;
    update();
}

void TabcCustomPicSpeedBtn::SetDisabledShadow(bool value) {
    m_disabledShadow = value;
    update();
}

void TabcCustomPicSpeedBtn::SetHint(const std::string& value) {
    m_hint = value;
    UpdateHintTips();
}

void TabcCustomPicSpeedBtn::SetShowHint(bool value) {
    m_showHint = value;
    UpdateHintTips();
}

void TabcCustomPicSpeedBtn::UpdateHintTips() {
    const QString hint = ToQString(m_hint);
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    setToolTip(m_showHint ? hint.left(bar) : QString());
    setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
}

void TabcCustomPicSpeedBtn::UpdateShortcut() {
    if (m_shortcutId != 0) releaseShortcut(m_shortcutId);
    m_shortcutId = 0;
    const QKeySequence key = QKeySequence::mnemonic(ToQString(m_caption));
    if (!key.isEmpty()) m_shortcutId = grabShortcut(key);
}

bool TabcCustomPicSpeedBtn::Click() {
    bool cancel = false;
    if (BeforeClick) BeforeClick(this, cancel);
    if (cancel) return false;
    if (OnClick) OnClick(this);
    return true;
}

void TabcCustomPicSpeedBtn::SetState(TabcButtonState state) {
    if (state == m_state) return;
    m_state = state;
    update();
}

bool TabcCustomPicSpeedBtn::MouseOver() const {
    return underMouse();
}

bool TabcCustomPicSpeedBtn::LookFollowsMouse() const {
    return m_popup || m_pictureHighlight != aghNormal || IsHighlightStyle(m_style);
}

void TabcCustomPicSpeedBtn::AcceleratorPress() {
    if (!isEnabled()) return;
    if (m_groupIndex != 0) SetDown(!m_down);
    Click();
}

bool TabcCustomPicSpeedBtn::event(QEvent* event) {
    if (event->type() == QEvent::Shortcut &&
        static_cast<QShortcutEvent*>(event)->shortcutId() == m_shortcutId && m_shortcutId != 0) {
        AcceleratorPress();
        return true;
    }
    return QWidget::event(event);
}

void TabcCustomPicSpeedBtn::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !isEnabled()) return;
    m_tracking = true;
    SetState(m_down ? absDown : absPressed);
}

void TabcCustomPicSpeedBtn::mouseMoveEvent(QMouseEvent* event) {
    if (!m_tracking) return;
    const bool inside = rect().contains(event->position().toPoint());
    SetState(m_down ? absDown : (inside ? absPressed : absUp));
}

void TabcCustomPicSpeedBtn::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_tracking) return;
    m_tracking = false;
    const bool inside = rect().contains(event->position().toPoint());
    if (inside && m_groupIndex != 0) SetDown(!m_down);
    SetState(m_down ? absDown : (inside ? absHot : absUp));
    if (inside) Click();
}

void TabcCustomPicSpeedBtn::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    if (m_tracking || !isEnabled() || QApplication::activeWindow() == nullptr ||
        QWidget::mouseGrabber() != nullptr || m_state != absUp)
        return;
    m_state = absHot;
    if (LookFollowsMouse()) update();
}

void TabcCustomPicSpeedBtn::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    if (m_tracking || m_state != absHot) return;
    m_state = absUp;
    if (LookFollowsMouse()) update();
}

void TabcCustomPicSpeedBtn::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        m_tracking = false;
        SetState(!isEnabled() ? absDisabled : (m_down ? absDown : absUp));
    }
}

QPixmap TabcCustomPicSpeedBtn::PictureForState() const {
    if (m_picture.isNull()) return m_picture;
    if (m_state == absDisabled) {
        if (!m_disabledShadow) return m_picture;
        // Embossed: a white copy one pixel down-right under a copy in the shadow colour.
        QPixmap embossed(m_picture.width() + 1, m_picture.height() + 1);
        embossed.fill(Qt::transparent);
        QPainter p(&embossed);
        p.drawPixmap(1, 1, Silhouette(m_picture, palette().color(QPalette::Light)));
        p.drawPixmap(0, 0, Silhouette(m_picture, palette().color(QPalette::Dark)));
        return embossed;
    }
    const bool mouseOver = m_state == absHot || m_state == absPressed || MouseOver();
    if (mouseOver) return m_picture;
    switch (m_pictureHighlight) {
        case aghGray:
            return MapPixels(m_picture, [](QRgb c) { return qRgb(qRed(c), qRed(c), qRed(c)); });
        case aghFade: {
            const QRgb face = m_color.rgb();
            return MapPixels(m_picture, [face](QRgb c) {
                return qRgb((qRed(c) + qRed(face)) / 2, (qGreen(c) + qGreen(face)) / 2,
                            (qBlue(c) + qBlue(face)) / 2);
            });
        }
        case aghDarken:
            return MapPixels(m_picture,
                             [](QRgb c) { return qRgb(qRed(c) / 2, qGreen(c) / 2, qBlue(c) / 2); });
        case aghNormal:
            break;
    }
    return m_picture;
}

void TabcCustomPicSpeedBtn::PaintFrame(QPainter& p, QRect& r) const {
    const QPalette& pal = palette();
    const QColor light = pal.color(QPalette::Light);
    const QColor midlight = pal.color(QPalette::Midlight);
    const QColor dark = pal.color(QPalette::Dark);
    const QColor mid = pal.color(QPalette::Mid);
    const QColor black = Qt::black;
    const bool sunken = m_state == absPressed || m_state == absDown;
    const bool active = sunken || m_state == absHot;
    // Popup buttons show their bevel only while the mouse is over them or they are pressed in;
    // the outer frame of the framed and recessed styles belongs to the body and always shows.
    const bool bevel = !m_popup || active;
    auto raisedBevel = [&](const QColor& shadow, int width) {
        if (!bevel) return r.adjust(width, width, -width, -width);
        if (sunken)
            DrawBevel(p, r, shadow, light, width);
        else
            DrawBevel(p, r, light, shadow, width);
    };

    switch (m_style) {
        case absAutoDetect:
        case absNew:
            if (!bevel) {
                r.adjust(2, 2, -2, -2);
            } else if (sunken) {
                DrawBevel(p, r, black, light, 1);
                DrawBevel(p, r, dark, midlight, 1);
            } else {
                DrawBevel(p, r, light, black, 1);
                DrawBevel(p, r, midlight, dark, 1);
            }
            break;
        case absWin31:
            DrawOutline(p, r, black);
            raisedBevel(dark, 2);
            break;
        case absThin:
            raisedBevel(dark, 1);
            break;
        case absThinBlack:
            raisedBevel(black, 1);
            break;
        case absThinGray:
            raisedBevel(mid, 1);
            break;
        case absThinHighlight:
        case absMidHighlight:
        case absThickHighlight: {
            const int width =
                m_style == absThinHighlight ? 1 : (m_style == absMidHighlight ? 2 : 3);
            if (active)
                raisedBevel(dark, width);
            else
                r.adjust(width, width, -width, -width);
            break;
        }
        case absFramed:
        case absFramedBlack:
        case absFramedHighlight:
        case absFramedBlackHighlight:
            DrawOutline(p, r,
                        (m_style == absFramed || m_style == absFramedHighlight) ? dark : black);
            if (active || (m_style != absFramedHighlight && m_style != absFramedBlackHighlight))
                raisedBevel(dark, 1);
            else
                r.adjust(1, 1, -1, -1);
            break;
        case absFramedRaised:
            DrawBevel(p, r, light, dark, 1);
            raisedBevel(dark, 1);
            break;
        case absRecessed:
        case absRecessedBlack:
        case absRecessedHighlight:
        case absRecessedBlackHighlight:
            DrawBevel(p, r,
                      (m_style == absRecessed || m_style == absRecessedHighlight) ? dark : black,
                      light, 1);
            if (active || (m_style != absRecessedHighlight && m_style != absRecessedBlackHighlight))
                raisedBevel(dark, 1);
            else
                r.adjust(1, 1, -1, -1);
            break;
        case absRecessedRaised:
            DrawBevel(p, r, dark, light, 1);
            raisedBevel(dark, 2);
            break;
    }
}

void TabcCustomPicSpeedBtn::PaintContent(QPainter& p, const QRect& inner) const {
    const QPixmap picture = PictureForState();
    const QString caption = ToQString(m_caption);
    const QFontMetrics metrics(font());
    const int textFlags = Qt::TextShowMnemonic | Qt::AlignLeft | Qt::AlignTop;
    const QSize textSize =
        caption.isEmpty() ? QSize() : metrics.size(Qt::TextShowMnemonic, caption);
    const QSize glyphSize = m_layout == ablGlyphTiled ? QSize() : picture.size();
    const bool both = !textSize.isEmpty() && !glyphSize.isEmpty();
    const int gap = both ? m_spacing : 0;
    const int shift = (m_state == absPressed || m_state == absDown) ? 1 : 0;

    QPoint glyphAt;
    QPoint textAt;
    auto centredX = [&](int w) { return inner.left() + (inner.width() - w) / 2; };
    auto centredY = [&](int h) { return inner.top() + (inner.height() - h) / 2; };
    switch (m_layout) {
        case ablGlyphLeft:
        case ablGlyphRight: {
            const int total = glyphSize.width() + gap + textSize.width();
            const int start =
                inner.left() + (m_margin < 0 ? (inner.width() - total) / 2 : m_margin);
            const bool glyphFirst = m_layout == ablGlyphLeft;
            glyphAt = {glyphFirst ? start : start + textSize.width() + gap,
                       centredY(glyphSize.height())};
            textAt = {glyphFirst ? start + glyphSize.width() + gap : start,
                      centredY(textSize.height())};
            break;
        }
        case ablGlyphTop:
        case ablGlyphBottom: {
            const int total = glyphSize.height() + gap + textSize.height();
            const int start =
                inner.top() + (m_margin < 0 ? (inner.height() - total) / 2 : m_margin);
            const bool glyphFirst = m_layout == ablGlyphTop;
            glyphAt = {centredX(glyphSize.width()),
                       glyphFirst ? start : start + textSize.height() + gap};
            textAt = {centredX(textSize.width()),
                      glyphFirst ? start + glyphSize.height() + gap : start};
            break;
        }
        case ablGlyphCenter:
        case ablGlyphTiled:
            glyphAt = {centredX(glyphSize.width()), centredY(glyphSize.height())};
            textAt = {centredX(textSize.width()), centredY(textSize.height())};
            break;
    }
    glyphAt += QPoint(shift, shift);
    textAt += QPoint(shift, shift);

    p.save();
    p.setClipRect(inner);
    if (!picture.isNull()) {
        if (m_layout == ablGlyphTiled)
            p.drawTiledPixmap(inner, picture, QPoint(-shift, -shift));
        else
            p.drawPixmap(glyphAt, picture);
    }
    if (!caption.isEmpty()) {
        p.setFont(font());
        const QRect textRect(textAt, textSize);
        const QPalette& pal = palette();
        if (m_state == absDisabled) {
            p.setPen(pal.color(QPalette::Light));
            p.drawText(textRect.translated(1, 1), textFlags, caption);
            p.setPen(pal.color(QPalette::Dark));
        } else {
            if (m_textStyle != tsNormal) {
                const int d = m_textStyle == tsRaised ? -1 : 1;
                p.setPen(pal.color(QPalette::Light));
                p.drawText(textRect.translated(d, d), textFlags, caption);
            }
            p.setPen(pal.color(QPalette::ButtonText));
        }
        p.drawText(textRect, textFlags, caption);
    }
    p.restore();
}

void TabcCustomPicSpeedBtn::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QRect r = rect();
    if (m_state == absDown)
        p.fillRect(r, QBrush(CheckerPattern(m_color, palette().color(QPalette::Light))));
    else
        p.fillRect(r, m_color);
    PaintFrame(p, r);
    PaintContent(p, r);
}
