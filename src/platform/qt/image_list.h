// A list of equally sized pictures addressed by index, shared by reference between the frame
// window, document windows and editors.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <vector>

class TImageList {
  public:
    TImageList(int width, int height) : m_size(width, height) {}

    QSize Size() const { return m_size; }
    int Width() const { return m_size.width(); }
    int Height() const { return m_size.height(); }
    int Count() const { return static_cast<int>(m_images.size()); }

    // Adds a picture, scaled to the list's size when it differs; returns its index.
    int Add(const QPixmap& picture);
    // The picture at index, or a null pixmap when index is out of range.
    QPixmap Pixmap(int index) const;
    // The picture as an icon; Qt derives the disabled look from it.
    QIcon Icon(int index) const;

  private:
    QSize m_size;
    std::vector<QPixmap> m_images;
};
