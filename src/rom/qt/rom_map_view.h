// Draws a console image's banks, one row each: the bank's number, a bar of its 8,192 bytes with
// the used bytes filled and the free runs left light, and the figures "used / free". A bank over
// 90 % full is marked; hovering a row shows the bank's figures in words. With a map of the build,
// its segments are drawn as coloured sections in the upper part of the bars and its labels as
// ticks below them; hovering names them, and a click on a label's tick reports it.
#pragma once

#include <QWidget>
#include <vector>

#include "rom/link_map.h"
#include "rom/rom_layout.h"

class QPainter;

class TRomMapView : public QWidget {
    Q_OBJECT

  public:
    explicit TRomMapView(QWidget* parent = nullptr);

    void SetLayout(TRomLayout layout);
    const TRomLayout& Layout() const { return m_layout; }
    void SetMap(TLinkMap map);
    const TLinkMap& Map() const { return m_map; }

    // The bank drawn at a point of the widget, or -1.
    int BankAt(QPoint point) const;
    // Where a bank's bar is drawn.
    QRect BarRect(int bank) const;
    // The segment or label drawn at a point, or -1 (indexes into Map()).
    int SegmentAt(QPoint point) const;
    int LabelAt(QPoint point) const;
    // The x position of an image offset in a bank's bar.
    int XOfOffset(int bank, std::uint64_t offset) const;
    // The colour of the map's segment i (one per segment name).
    QColor SegmentColour(int segment) const;
    // What the tooltip says at a point.
    QString ToolTipAt(QPoint point) const;

    static constexpr int kRowHeight = 18;
    static constexpr int kMargin = 4;
    static const QColor kUsedColour;
    static const QColor kFreeColour;
    static const QColor kFullColour;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  signals:
    void LabelClicked(int label);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

  private:
    void PaintMap(QPainter& painter, int row);
    int LabelWidth() const;
    int FiguresWidth() const;

    TRomLayout m_layout;
    TLinkMap m_map;
    std::vector<int> m_segmentColour;  // per segment: the index of its name's colour
};
