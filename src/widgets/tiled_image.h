// The tiled image: a picture that fills an area by one of seven styles, composed off screen
// and copied in one block so no unpainted area shows between the fill and the picture.
#pragma once

#include <QColor>
#include <QObject>
#include <QPixmap>
#include <QRect>
#include <QSize>

enum TabcTiledImageStyle { sCenter, sClip, sFit, sHeight, sStretch, sTile, sWidth };

// Where a picture of size picture lands in an area of size area for the styles that place it
// once (all but sTile); an empty rectangle when nothing is drawn. Sizes are rounded to the
// nearest integer, halves to the even neighbour.
QRect TiledImageTarget(QSize area, QSize picture, TabcTiledImageStyle style);

// The part clip (area coordinates) of the area's background: the area filled with fill, then
// the picture drawn by style. The result is clip's size.
QPixmap ComposeTiledImage(QSize area, const QRect& clip, const QPixmap& picture,
                          TabcTiledImageStyle style, const QColor& fill);

// The properties every tiled image has; a change calls Changed so the owner repaints.
class TabcCustomTiledImage : public QObject {
    Q_OBJECT
  public:
    explicit TabcCustomTiledImage(QObject* owner = nullptr) : QObject(owner) {}

    const QPixmap& Picture() const { return m_picture; }
    void SetPicture(const QPixmap& value);
    TabcTiledImageStyle ImageStyle() const { return m_imageStyle; }
    void SetImageStyle(TabcTiledImageStyle value);
    bool Visible() const { return m_visible; }
    void SetVisible(bool value);

  protected:
    virtual void Changed() {}

  private:
    QPixmap m_picture;
    TabcTiledImageStyle m_imageStyle = sTile;
    bool m_visible = true;
};
