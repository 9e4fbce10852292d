// A numbered set of pictures of one size.
#include "platform/qt/image_list.h"

#include <QPainter>
#include <algorithm>

TImageList::TImageList(int width, int height, QObject* parent)
    : QObject(parent), m_size(std::max(width, 0), std::max(height, 0)) {}

QPixmap TImageList::Fit(const QPixmap& picture) const {
    if (picture.isNull()) {
        // Every entry has the list's size; a missing picture is a transparent one.
        QPixmap blank(m_size);
        blank.fill(Qt::transparent);
        return blank;
    }
    if (picture.size() == m_size) return picture;
    return picture.scaled(m_size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

int TImageList::Add(const QPixmap& picture) {
    m_images.push_back(Fit(picture));
    emit Change();
    return Count() - 1;
}

void TImageList::Replace(int index, const QPixmap& picture) {
    if (!IsValidIndex(index)) return;
    m_images[static_cast<size_t>(index)] = Fit(picture);
    emit Change();
}

void TImageList::Delete(int index) {
    if (!IsValidIndex(index)) return;
    m_images.erase(m_images.begin() + index);
    emit Change();
}

void TImageList::Clear() {
    if (m_images.empty()) return;
    m_images.clear();
    emit Change();
}

QPixmap TImageList::Image(int index) const {
    return IsValidIndex(index) ? m_images[static_cast<size_t>(index)] : QPixmap();
}

void TImageList::Draw(QPainter& painter, int x, int y, int index) const {
    if (IsValidIndex(index)) painter.drawPixmap(x, y, m_images[static_cast<size_t>(index)]);
}

QIcon TImageList::Icon(int index) const {
    const QPixmap picture = Image(index);
    return picture.isNull() ? QIcon() : QIcon(picture);
}
