// The application icon, rendered once from the built-in SVG.
#include "app/app_icon.h"

#include <QImage>
#include <QPixmap>
#include <vector>

#include "app/images.h"

const char* const kDesktopFileName = "org.quillon.Quillon";

QIcon ApplicationIcon() {
    // Kept as images, not pixmaps: a static outlives the application object, which pixmaps
    // must not.
    static const std::vector<QImage> pictures = [] {
        std::vector<QImage> result;
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
            result.push_back(RenderPicture(":/quillon.svg", QSize(size, size)).toImage());
        }
        return result;
    }();
    QIcon icon;
    for (const QImage& picture : pictures) icon.addPixmap(QPixmap::fromImage(picture));
    return icon;
}
