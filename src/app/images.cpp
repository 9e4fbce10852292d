// Rendering of the built-in SVG pictures.
#include "app/images.h"

#include <QDir>
#include <QPainter>
#include <QSvgRenderer>

// The pictures live in a static library; registering them here keeps the linker from dropping
// them. Q_INIT_RESOURCE must stand outside any namespace.
static void RegisterPictures() {
    Q_INIT_RESOURCE(quillon);
}

namespace {

void EnsureResources() {
    static const bool registered = [] {
        RegisterPictures();
        return true;
    }();
    (void)registered;
}

std::unique_ptr<TImageList> LoadFolder(const QString& folder, QSize size) {
    EnsureResources();
    auto list = std::make_unique<TImageList>(size.width(), size.height());
    const QStringList names = QDir(folder).entryList({"*.svg"}, QDir::Files, QDir::Name);
    for (const QString& name : names) list->Add(RenderPicture(folder + "/" + name, size));
    return list;
}

}  // namespace

QPixmap RenderPicture(const QString& resourcePath, QSize size) {
    EnsureResources();
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QSvgRenderer renderer(resourcePath);
    if (!renderer.isValid()) return picture;
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    return picture;
}

std::unique_ptr<TImageList> CreateToolImages() {
    return LoadFolder(":/icons", QSize(16, 16));
}

std::unique_ptr<TImageList> CreateBookmarkImages() {
    return LoadFolder(":/bookmarks", QSize(14, 14));
}

QPixmap AboutPicture() {
    return RenderPicture(":/about.svg", QSize(320, 240));
}

QPixmap BackgroundTilePicture() {
    EnsureResources();
    return QPixmap(":/background_tile.png");
}
