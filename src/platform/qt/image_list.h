// An image list: a numbered set of pictures of one size, shared by the controls that draw from
// it. Controls only reference a list; they follow its changes through the `Change` signal and
// forget it when it is destroyed (hold it in a QPointer).
#pragma once

#include <QIcon>
#include <QObject>
#include <QPixmap>
#include <QSize>
#include <vector>

class QPainter;

class TImageList : public QObject {
    Q_OBJECT
  public:
    TImageList(int width, int height, QObject* parent = nullptr);

    int Width() const { return m_size.width(); }
    int Height() const { return m_size.height(); }
    QSize Size() const { return m_size; }
    int Count() const { return static_cast<int>(m_images.size()); }
    bool IsValidIndex(int index) const { return index >= 0 && index < Count(); }

    // Appends a picture and returns its index. A picture of another size is scaled to the
    // list's size so that every entry can be drawn in the same place; a null picture becomes a
    // transparent one.
    int Add(const QPixmap& picture);
    // Replaces the picture at a valid index; an invalid index changes nothing.
    void Replace(int index, const QPixmap& picture);
    // Removes the picture at a valid index; later pictures move down by one.
    void Delete(int index);
    void Clear();

    // The picture at index, or a null pixmap for an invalid index.
    QPixmap Image(int index) const;
    // The picture as an icon (Qt derives the disabled look from it); empty for an invalid index.
    QIcon Icon(int index) const;
    // Draws the picture at index with its top-left corner at (x, y); an invalid index draws
    // nothing.
    void Draw(QPainter& painter, int x, int y, int index) const;

  signals:
    // Raised after every change of the pictures.
    void Change();

  private:
    QPixmap Fit(const QPixmap& picture) const;

    QSize m_size;
    std::vector<QPixmap> m_images;
};
