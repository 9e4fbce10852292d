// The application's style with its standard icons made once: the toolkit's styles read each
// standard icon from its picture files every time one is asked for, and every document window
// asks for several (its system menu, its tool bar's extension button), so opening many files
// read the same pictures a thousand times over.
#pragma once

#include <QHash>
#include <QIcon>
#include <QProxyStyle>

class TIconCacheStyle : public QProxyStyle {
  public:
    // Wraps the style of that name (the platform's default when empty or unknown).
    explicit TIconCacheStyle(const QString& baseStyle = {});

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;

  private:
    // Icons by icon and layout direction: those asked for without a style option, and the tool
    // bar extension buttons'; another style option can change the picture, so those are made
    // each time.
    mutable QHash<int, QIcon> m_icons;
};
