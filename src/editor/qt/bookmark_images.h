// Bookmark pictures: the built-in numbered pictures shared by all editors, and an image list
// of pixmaps that a window can lend to its editors.
#pragma once

#include <QPixmap>
#include <vector>

#include "editor/gutter.h"

class QPainter;

// The built-in picture of bookmark `index` (0..9): a raised silver box of 11 by 14 pixels
// showing the digit.
const QPixmap& InternalBookmarkImage(int index);

class TSynPixmapList : public TSynImageList {
  public:
    explicit TSynPixmapList(std::vector<QPixmap> pictures) : m_pictures(std::move(pictures)) {}
    int Count() const override { return static_cast<int>(m_pictures.size()); }
    void Draw(QPainter& painter, int x, int y, int index) const;

  private:
    std::vector<QPixmap> m_pictures;
};
