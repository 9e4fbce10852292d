// Draws a console image's banks, one row each: the bank's number, a bar of its 8,192 bytes with
// the used bytes filled and the free runs left light, and the figures "used / free". A bank over
// 90 % full is marked; hovering a row shows the bank's figures in words.
#pragma once

#include <QWidget>

#include "rom/rom_layout.h"

class TRomMapView : public QWidget {
    Q_OBJECT

  public:
    explicit TRomMapView(QWidget* parent = nullptr);

    void SetLayout(TRomLayout layout);
    const TRomLayout& Layout() const { return m_layout; }

    // The bank drawn at a point of the widget, or -1.
    int BankAt(QPoint point) const;
    // Where a bank's bar is drawn.
    QRect BarRect(int bank) const;

    static constexpr int kRowHeight = 18;
    static constexpr int kMargin = 4;
    static const QColor kUsedColour;
    static const QColor kFreeColour;
    static const QColor kFullColour;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

  private:
    int LabelWidth() const;
    int FiguresWidth() const;

    TRomLayout m_layout;
};
