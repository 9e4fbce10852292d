// The ROM Map: a dockable panel that shows the bank layout of the last image built, or of any
// image file the user opens in it, with the image's totals above the rows. When the build left a
// map beside the image (game.map of ld65, game.lbl of 64tass), its segments and labels are drawn
// in the rows and listed below them; choosing a label asks for its definition to be opened.
#pragma once

#include <QDockWidget>
#include <string>

class QLabel;
class QPushButton;
class QScrollArea;
class QTreeWidget;
class QTreeWidgetItem;
struct TMapLabel;
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
    QTreeWidget& MapList() { return *m_list; }
    QLabel& MapNote() { return *m_mapNote; }

  signals:
    // The user clicked a label (in the rows or the list): its index in View().Map().Labels.
    void LabelChosen(int label);

  private:
    void OpenImage();
    void FillMapList();
    void ListItemClicked(QTreeWidgetItem* item);

    std::string m_imagePath;
    QLabel* m_summary = nullptr;
    QPushButton* m_open = nullptr;
    QScrollArea* m_scroll = nullptr;
    TRomMapView* m_view = nullptr;
    QLabel* m_mapNote = nullptr;
    QTreeWidget* m_list = nullptr;
};
