// Image list storage.
#include "platform/qt/image_list.h"

int TImageList::Add(const QPixmap& picture) {
    if (picture.size() == m_size || picture.isNull()) {
        m_images.push_back(picture);
    } else {
        m_images.push_back(picture.scaled(m_size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    return Count() - 1;
}

QPixmap TImageList::Pixmap(int index) const {
    if (index < 0 || index >= Count()) return QPixmap();
    return m_images[static_cast<std::size_t>(index)];
}

QIcon TImageList::Icon(int index) const {
    const QPixmap picture = Pixmap(index);
    return picture.isNull() ? QIcon() : QIcon(picture);
}
