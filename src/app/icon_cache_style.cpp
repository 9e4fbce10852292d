// Standard icons of the application style, each made once per layout direction.
#include "app/icon_cache_style.h"

#include <QGuiApplication>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>

TIconCacheStyle::TIconCacheStyle(const QString& baseStyle)
    : QProxyStyle(baseStyle.isEmpty() ? nullptr : QStyleFactory::create(baseStyle)) {}

QIcon TIconCacheStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                                    const QWidget* widget) const {
    // The tool bar's extension button asks with an option that carries only its layout direction
    // for the picture: one tool bar per document window made the same icon a thousand times.
    const bool byDirectionOnly = standardIcon == SP_ToolBarHorizontalExtensionButton ||
                                 standardIcon == SP_ToolBarVerticalExtensionButton;
    if (option != nullptr && !byDirectionOnly)
        return QProxyStyle::standardIcon(standardIcon, option, widget);
    const Qt::LayoutDirection direction = option != nullptr   ? option->direction
                                          : widget != nullptr ? widget->layoutDirection()
                                                              : QGuiApplication::layoutDirection();
    const int key = static_cast<int>(standardIcon) * 2 + (direction == Qt::RightToLeft ? 1 : 0);
    auto found = m_icons.constFind(key);
    if (found == m_icons.constEnd())
        found = m_icons.insert(key, QProxyStyle::standardIcon(standardIcon, option, widget));
    return *found;
}
