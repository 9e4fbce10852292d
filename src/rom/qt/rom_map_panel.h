// The ROM Map: a dockable panel that shows the bank layout of the last image built, or of any
// image file the user opens in it, with the image's totals above the rows.
#pragma once

#include <QDockWidget>
#include <string>

class QLabel;
class QPushButton;
class QScrollArea;
class TRomMapView;

class TRomMapPanel : public QDockWidget {
    Q_OBJECT

  public:
    explicit TRomMapPanel(QWidget* parent = nullptr);

    // Reads and draws the image. A file that cannot be read leaves the rows empty and says why
    // in the summary line.
    void ShowImage(const std::string& path);
    const std::string& ImagePath() const { return m_imagePath; }

    TRomMapView& View() { return *m_view; }
    QLabel& Summary() { return *m_summary; }
    QPushButton& OpenButton() { return *m_open; }

  private:
    void OpenImage();

    std::string m_imagePath;
    QLabel* m_summary = nullptr;
    QPushButton* m_open = nullptr;
    QScrollArea* m_scroll = nullptr;
    TRomMapView* m_view = nullptr;
};
