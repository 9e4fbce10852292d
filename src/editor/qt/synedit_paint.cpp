// The editor control widget's painting: the gutter with line numbers and mark pictures, the
// text area through the text-area painter and the text drawer, and the caret.
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <vector>

#include "editor/qt/bookmark_images.h"
#include "editor/qt/qt_rect.h"
#include "editor/qt/synedit.h"
#include "editor/qt/text_drawer.h"
#include "editor/scope_exit.h"
#include "editor/string_list.h"
#include "editor/text_area_painter.h"
#include "platform/colors.h"
#include "platform/qt/color_resolve.h"

namespace {

// Draws the text area's pieces through the text drawer.
class DrawerCanvas : public ISynCanvas {
  public:
    DrawerCanvas(QPainter& painter, TheTextDrawer& drawer, const QPalette& palette)
        : m_painter(painter), m_drawer(drawer), m_palette(palette) {}

    // Both go over whatever lies in their rectangle: the glyphs kept until now are drawn first.
    void FillRect(const TRect& rect, int32_t color) override {
        m_drawer.FlushGlyphs();
        m_painter.fillRect(ToQRect(rect), ColorToQColor(color, m_palette));
    }
    void DrawVerticalLine(int x, int top, int bottom, int32_t color) override {
        m_drawer.FlushGlyphs();
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

}  // namespace

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
        // The text pieces of a line do not overlap: their glyphs are drawn a few runs at a time.
        m_drawer->HoldGlyphs();
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
